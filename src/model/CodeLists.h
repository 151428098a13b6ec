#pragma once
// The fixed pick lists of the declaration form (the schema's items) and
// their digit picks.
#include "model/FormSchema.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace portdesk {

struct CodeList {
    const char *field; // control name; row and slot arrays share one list
    QStringList items; // in order; digit d picks items[d - 1]
    bool tooltipOnAll; // false: only the first row's list shows the tooltip
};

// The lists of the form schema, in its order.
const std::vector<CodeList> &codeLists();

// The list of a control name; nullptr when it has none.
const CodeList *codeList(const QString &field);

// The item index (0-based) that the typed character picks, or -1: only the
// digits 1 to 9 within the list's length pick anything.
int quickPickIndex(const QStringList &items, char32_t typed);

// Shown on the lists that take digit picks.
QString quickPickTooltip();

// Whether the list at this index carries the digit-pick tooltip: the goods
// rows only on their first row, the packing kinds and single lists always.
bool showsQuickPickTooltip(const QString &field, int index);

} // namespace portdesk
