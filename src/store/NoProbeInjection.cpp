#include "store/ProbeInjection.h"

namespace portdesk {

int injectedProbeError(const QString &)
{
    return 0;
}

} // namespace portdesk
