#include "form/SchemaEdits.h"

#include "form/PickList.h"
#include "model/CodeLists.h"

#include <QLineEdit>

namespace portdesk {

namespace {

QLineEdit *lineEdit(QWidget *parent, const FormField &f)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(f.ref.objectName());
    if (f.spec->maxLength > 0)
        edit->setMaxLength(f.spec->maxLength);
    applyFieldMarks(edit, f);
    return edit;
}

} // namespace

void applyFieldMarks(QWidget *w, const FormField &f)
{
    const FieldSpec &s = *f.spec;
    const int index = f.ref.index;
    if (s.marks(s.noInputMethod, index)) {
        w->setAttribute(Qt::WA_InputMethodEnabled, false);
        w->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    }
}

PickList *typingList(QWidget *parent, const QString &name, const QStringList &items)
{
    auto *combo = new PickList(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
    return combo;
}

QHash<QString, QLineEdit *> buildLineEdits(QWidget *parent, const std::vector<FormField> &fields)
{
    QHash<QString, QLineEdit *> edits;
    for (const FormField &f : fields)
        edits.insert(f.ref.objectName(), lineEdit(parent, f));
    return edits;
}

QHash<QString, QWidget *> buildFields(QWidget *parent, const std::vector<FormField> &fields)
{
    QHash<QString, QWidget *> made;
    for (const FormField &f : fields) {
        const FieldSpec &s = *f.spec;
        QWidget *w = nullptr;
        if (s.kind == FieldKind::List) {
            w = typingList(parent, f.ref.objectName(), s.items);
            applyFieldMarks(w, f);
        } else {
            w = lineEdit(parent, f);
        }
        if (s.marks(s.pickTooltip, f.ref.index))
            w->setToolTip(quickPickTooltip());
        made.insert(f.ref.objectName(), w);
    }
    return made;
}

} // namespace portdesk
