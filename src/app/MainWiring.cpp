#include "app/MainWiring.h"

#include "app/MainPage.h"
#include "documents/DocumentCommands.h"
#include "editor/EditorRules.h"
#include "help/AboutWindow.h"

namespace portdesk {

void wireMainPage(MainPage &page)
{
    (void)page;
    // editor rules
    new EditorRules(page); // owned by the page

    // documents
    new DocumentCommands(page); // owned by the page

    // registers

    // print

    // help
    QObject::connect(&page, &MainPage::aboutRequested, &page,
                     [&page] { showAboutWindow(page.context(), page); });
}

} // namespace portdesk
