#pragma once
// One way to read and set a field's text, whatever the widget: its user
// property (QLineEdit::text, an editable QComboBox's currentText).
#include <QString>

class QWidget;

namespace portdesk {

QString fieldText(const QWidget *field);
void setFieldText(QWidget *field, const QString &text);

} // namespace portdesk
