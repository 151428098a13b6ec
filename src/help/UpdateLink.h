#pragma once
#include <QString>

namespace portdesk {

// The product page that carries the current version and its download link.
inline QString updatePageUrl()
{
    return QStringLiteral("https://portdesk.cn/update");
}

} // namespace portdesk
