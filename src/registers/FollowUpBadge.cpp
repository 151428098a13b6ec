#include "registers/FollowUpBadge.h"

#include "form/MainPage.h"
#include "model/FollowUpCount.h"
#include "platform/Prompts.h"

namespace portdesk {

void refreshFollowUpBadge(MainPage &page)
{
    QString error;
    const int count = int(openFollowUps(page.context().tobedoneIni(), &error).size());
    // An unreadable register must not pass for an empty one.
    if (!error.isEmpty())
        page.context().prompts.warn(error);
    showFollowUpBadge(page, count);
}

void showFollowUpBadge(MainPage &page, int count)
{
    page.showBadge(count > 0 ? followUpBadgeTip(count) : QString());
}

} // namespace portdesk
