#include "documents/DeclarationBinding.h"

#include "form/MainPage.h"

#include <QComboBox>
#include <QLineEdit>

namespace portdesk {

namespace {

QString fieldText(const QWidget *w)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    return {};
}

void setFieldText(QWidget *w, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        edit->setText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        if (combo->isEditable()) {
            combo->setEditText(text);
        } else {
            int i = combo->findText(text);
            if (i < 0 && !text.isEmpty()) {
                // A value outside the list is still the declaration's value.
                combo->addItem(text);
                i = combo->count() - 1;
            }
            combo->setCurrentIndex(i);
        }
    }
}

} // namespace

Declaration declarationOnPage(const MainPage &page)
{
    Declaration d;
    for (const DeclarationField &f : declarationFields()) {
        const QWidget *w = page.findChild<QWidget *>(f.control);
        Q_ASSERT_X(w, "declarationOnPage", qPrintable(f.control));
        f.in(d) = fieldText(w);
    }
    return d;
}

void showDeclaration(MainPage &page, const Declaration &content)
{
    for (const DeclarationField &f : declarationFields()) {
        QWidget *w = page.findChild<QWidget *>(f.control);
        Q_ASSERT_X(w, "showDeclaration", qPrintable(f.control));
        setFieldText(w, f.in(content));
    }
}

} // namespace portdesk
