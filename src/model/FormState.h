#pragma once
// What the main window shows beside the texts of a declaration: which
// dependent fields are enabled, the column totals, the mark for names in rows
// 2 to 10, the papers hint and whether the trade mode is drawn red. Pure
// functions of the declaration value, so a load gives the same window
// whatever order its keys are read in.
#include "model/Declaration.h"
#include "model/FormSchema.h"

#include <QSet>
#include <array>

namespace portdesk {

struct FormState {
    QSet<QString> disabled;        // objectNames of dependent fields (and JiZhuangXiang)
    std::array<QString, 3> totals; // HeJi(0..2)
    bool moreMark = false;         // GengDuo
    QString hint;                  // TeShuCaiLiao
    bool tradeAlert = false;       // MaoYiFangShi drawn red

    // The field takes input: neither it nor the frame it stands in is disabled.
    bool enabled(const FieldRef &field) const;

    bool operator==(const FormState &) const = default;
};

// A dependent and its source, one instance of a dependency row.
struct DependencyLink {
    FieldRef dependent, source;
    const Dependency *rule;
};
// Every dependency of the form schema, rows and slots expanded.
const std::vector<DependencyLink> &dependencyLinks();

// The state of a declaration put into the window as a whole (a load; the
// empty declaration gives the state at start). Every dependent text is kept:
// the file's keys come after the keys they depend on.
FormState loadedState(const Declaration &d);

// One field edited (typed, picked, carried down, emptied): empties in `d`
// the texts that its rules empty, and returns the state that follows from
// `before`. Some rules look only at the field that changed (an emptied unit
// keeps its state; the mark and the hint follow the last change), so the
// state before counts here.
FormState editedState(const FormState &before, Declaration &d, const FieldRef &changed);

} // namespace portdesk
