#pragma once
// The per-field input rules of the declaration form, as one table: which
// character filter a field has, its length limit, and what it does on
// gaining focus, on losing it, and under the mouse.
#include "editor/CharFilters.h"
#include "form/FieldRef.h"

#include <QString>
#include <vector>

namespace portdesk {

enum class FocusRule {
    None,
    SelectAll,
    SelectAllCarryDown, // then, in rows 1 to 9, copy the row above when empty
};

struct FieldRule {
    const char *name;
    int count; // 10 goods rows, 2 packing slots, 1 for a single control
    CharClass filter;
    bool quickPick; // a coded list: digits pick an item first
    int maxLength;  // 0: no limit
    FocusRule onFocus;
    bool upperOnLeave;
    bool tooltipOwnText;
};

// Every field of the record that takes typed input, in tab order.
const std::vector<FieldRule> &fieldRules();

// The rule of a field by control name; nullptr for other controls.
const FieldRule *fieldRule(const QString &name);

// Every FieldRef the table covers (rows and slots expanded), in tab order.
std::vector<FieldRef> ruledFields();

// Capitals for a to z; everything else, Chinese and full-width letters
// included, stays as it is. Nothing is trimmed.
QString upperAscii(const QString &text);

// The value carried down into an empty field of a row after the first.
// Returns the empty text when nothing is to be filled.
QString carriedDown(int row, const QString &ownText, const QString &aboveText);

} // namespace portdesk
