#pragma once
// The list editor's schema: the nine field families of a list row, ten
// controls each, declared once. The window builds its fields from it and the
// form guards read their filters, picks and leave rules from it; the list
// value and its files take their keys from listKey().
#include "model/FormSchema.h"
#include "model/ListRecord.h"

#include <optional>
#include <vector>

namespace portdesk {

// The family of a field.
const FieldSpec &listSpec(ListField field);
// The 90 controls in tab order: row by row, the nine fields of a row in
// their column order. A control's slot is row * kListFields + field.
const std::vector<FormField> &listFields();
// A control as a reference ("BianHao", 3).
FieldRef listRef(ListField field, int row);
// The field and row a reference names; nullopt for any other control.
struct ListCell {
    ListField field;
    int row;
};
std::optional<ListCell> listCell(const FieldRef &ref);

// Where Enter in a field leads: the next field of the path, or nullopt for
// the copy-all command after the last row (and for fields off the path).
std::optional<ListCell> listEnterTarget(ListCell from);
// True for the fields on the Enter path.
bool onListEnterPath(ListField field);

// Leaving a station-slip number: the warning for a length other than 18,
// empty when the text may be left (empty or whole).
QString slipNumberWarning(const QString &text);
// The transport mode a station-slip number names by its code in characters
// 1-2 or 3-4 (the last matching code of the table wins); nullopt when none.
std::optional<QString> transportOf(const QString &slipNumber);
// A packing text the list accepts on leaving: empty or one of its items.
bool packingAccepted(const QString &text);

} // namespace portdesk
