#pragma once
// The text boxes of a small form, made from its schema's fields: each named
// as its control ("Text1(2)") and limited to its length. The guards then
// take the same fields (FormFields) for characters and Enter.
#include "model/FormSchema.h"

#include <QHash>
#include <vector>

class QLineEdit;
class QWidget;

namespace portdesk {

// By objectName.
QHash<QString, QLineEdit *> buildLineEdits(QWidget *parent, const std::vector<FormField> &fields);

} // namespace portdesk
