#include "registers/FollowUpBadge.h"

#include "form/MainPage.h"
#include "model/FollowUpCount.h"

namespace portdesk {

void refreshFollowUpBadge(MainPage &page)
{
    showFollowUpBadge(page, followUpCount(page.context().tobedoneIni()));
}

void showFollowUpBadge(MainPage &page, int count)
{
    page.showBadge(count > 0 ? followUpBadgeTip(count) : QString());
}

} // namespace portdesk
