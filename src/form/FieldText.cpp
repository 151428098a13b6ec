#include "form/FieldText.h"

#include <QMetaProperty>
#include <QWidget>

namespace portdesk {

QString fieldText(const QWidget *field)
{
    if (!field)
        return {};
    return field->metaObject()->userProperty().read(field).toString();
}

void setFieldText(QWidget *field, const QString &text)
{
    if (field)
        field->metaObject()->userProperty().write(field, text);
}

} // namespace portdesk
