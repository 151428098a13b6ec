#include "app/MainWiring.h"

#include "app/MainPage.h"

namespace portdesk {

void wireMainPage(MainPage &page)
{
    (void)page;
    // editor rules

    // documents

    // registers

    // print
}

} // namespace portdesk
