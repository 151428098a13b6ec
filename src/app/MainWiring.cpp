#include "app/MainWiring.h"

#include "app/MainPage.h"
#include "editor/EditorRules.h"
#include "help/AboutWindow.h"

namespace portdesk {

void wireMainPage(MainPage &page)
{
    (void)page;
    // editor rules
    new EditorRules(page); // owned by the page

    // documents

    // registers

    // print

    // help
    QObject::connect(&page, &MainPage::aboutRequested, &page,
                     [&page] { showAboutWindow(page.context(), page); });
}

} // namespace portdesk
