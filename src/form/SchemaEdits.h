#pragma once
// The fields of a form, made from its schema's fields: each named as its
// control ("Text1(2)"), limited to its length, with its input method and
// quick-pick tool tip as the schema marks them; a list family becomes a
// PickList. The guards then take the same fields (FormFields) for
// characters, Enter and focus.
#include "model/FormSchema.h"

#include <QHash>
#include <vector>

class QLineEdit;
class QWidget;

namespace portdesk {

class PickList;

// By objectName. Text fields only.
QHash<QString, QLineEdit *> buildLineEdits(QWidget *parent, const std::vector<FormField> &fields);

// By objectName: a QLineEdit for a text field, a typing list for a list.
QHash<QString, QWidget *> buildFields(QWidget *parent, const std::vector<FormField> &fields);

// A drop-down list the clerk may also type into. It starts empty (Qt would
// otherwise preselect the first entry), never adds typed text to its list and
// does not complete as one types: what is typed is what stands. Only picks
// change its item (PickList).
PickList *typingList(QWidget *parent, const QString &name, const QStringList &items);

// The schema's marks that every form applies alike: no input method for
// codes and numbers.
void applyFieldMarks(QWidget *w, const FormField &field);

} // namespace portdesk
