#include "registers/FollowUpBadge.h"

#include "form/MainPage.h"
#include "model/FollowUpCount.h"

namespace portdesk {

void refreshFollowUpBadge(MainPage &page)
{
    const int count = followUpCount(page.context().tobedoneIni());
    page.showBadge(count > 0 ? followUpBadgeTip(count) : QString());
}

} // namespace portdesk
