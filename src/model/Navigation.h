#pragma once
// Where Enter, and a pick from a list, move the focus on the declaration
// form. One table over the schema's control names, read by the Enter filter
// and by the pick handlers.
#include "model/FieldRef.h"

#include <functional>
#include <optional>
#include <vector>

namespace portdesk {

// A field the focus may move to. `ifEnabled` candidates are skipped while
// their field is disabled; the first candidate that applies wins.
struct NavCandidate {
    static constexpr int SameIndex = -2; // the row or slot of the field left
    const char *name;
    int index;
    bool ifEnabled;
};

struct NavRule {
    const char *from;
    int index;         // -1 single control; SameIndex: every row; 0/1 one packing slot
    bool needsOwnText; // Enter does nothing while the field is empty
    bool endsRow;      // the currency field: see endOfRow()
    std::vector<NavCandidate> enter;
    std::optional<NavCandidate> pick; // where a pick from the field's list goes
};

const std::vector<NavRule> &navigationTable();

// What the form looks like to the navigation: whether a field is enabled,
// a field's text, whether the goods rows 2 to 10 are shown.
struct NavView {
    std::function<bool(const FieldRef &)> enabled;
    std::function<QString(const FieldRef &)> text;
    bool goodsExpanded = false;
};

struct NavOutcome {
    enum Kind {
        Nothing,  // the focus stays
        Focus,    // the focus moves to `target`
        Collapse, // the goods rows 2 to 10 are hidden (which moves the focus)
        Press,    // the field is a button: press it
    } kind = Nothing;
    FieldRef target;
    friend bool operator==(const NavOutcome &, const NavOutcome &) = default;
};

// The end of a goods row, by Enter or by a pick in its currency field.
NavOutcome endOfRow(int row, bool goodsExpanded);

// Enter in `from`.
NavOutcome enterOutcome(const FieldRef &from, const NavView &view);

// A pick from the list of `from`; Nothing for fields without a list move.
NavOutcome pickOutcome(const FieldRef &from, const NavView &view);

// Control names the Enter filter watches (the table's fields and DaYin).
std::vector<FieldRef> enterFields();

} // namespace portdesk
