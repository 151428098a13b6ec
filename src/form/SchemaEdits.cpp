#include "form/SchemaEdits.h"

#include <QLineEdit>

namespace portdesk {

QHash<QString, QLineEdit *> buildLineEdits(QWidget *parent, const std::vector<FormField> &fields)
{
    QHash<QString, QLineEdit *> edits;
    for (const FormField &f : fields) {
        auto *edit = new QLineEdit(parent);
        edit->setObjectName(f.ref.objectName());
        if (f.spec->maxLength > 0)
            edit->setMaxLength(f.spec->maxLength);
        edits.insert(f.ref.objectName(), edit);
    }
    return edits;
}

} // namespace portdesk
