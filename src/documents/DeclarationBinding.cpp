#include "documents/DeclarationBinding.h"

#include "form/FieldText.h"
#include "form/MainPage.h"

namespace portdesk {

Declaration declarationOnPage(const MainPage &page)
{
    Declaration d;
    for (const DeclarationField &f : declarationFields()) {
        const QWidget *w = page.field(f.ref);
        Q_ASSERT_X(w, "declarationOnPage", qPrintable(f.control));
        f.in(d) = fieldText(w);
    }
    return d;
}

void showDeclaration(MainPage &page, const Declaration &content)
{
    const MainPage::Loading loading(page);
    for (const DeclarationField &f : declarationFields()) {
        QWidget *w = page.field(f.ref);
        Q_ASSERT_X(w, "showDeclaration", qPrintable(f.control));
        setFieldText(w, f.in(content));
    }
}

} // namespace portdesk
