#include "platform/Clock.h"

namespace portdesk {

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

} // namespace portdesk
