#include "form/Look.h"

namespace portdesk {

QColor hintColour()
{
    return QColor(192, 64, 0);
}

QColor tradeModeAlertColour()
{
    return QColor(255, 0, 0);
}

} // namespace portdesk
