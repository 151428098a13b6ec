#include "app/MainWiring.h"

#include "app/ConfigWindow.h"
#include "app/MainPage.h"
#include "documents/DocumentCommands.h"
#include "editor/EditorRules.h"
#include "help/AboutWindow.h"
#include "registers/ConsigneeField.h"

namespace portdesk {

void wireMainPage(MainPage &page)
{
    (void)page;
    // editor rules
    new EditorRules(page); // owned by the page

    // documents
    new DocumentCommands(page); // owned by the page

    // registers
    new ConsigneeField(page); // owned by the page
    attachConfigWindow(page); // SheZhi, without modality

    // print

    // help
    QObject::connect(&page, &MainPage::aboutRequested, &page,
                     [&page] { showAboutWindow(page.context(), page); });
}

} // namespace portdesk
