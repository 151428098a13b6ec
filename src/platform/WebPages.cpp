#include "platform/WebPages.h"

namespace portdesk {

namespace {

const QString kAuthoritySite = QStringLiteral("http://www.shciq.gov.cn");
const QString kPortalSite = QStringLiteral("http://www.eciq.cn");

} // namespace

QString hsCodeQueryUrl()
{
    return kAuthoritySite + QStringLiteral("/hsquery/hs-code-query.jsp");
}

QString enterpriseCodeQueryUrl()
{
    return kAuthoritySite + QStringLiteral("/xhquery/code-query.jsp");
}

QString declarationPortalUrl()
{
    return kPortalSite + QLatin1Char('/');
}

QString updatePageUrl()
{
    return QStringLiteral("https://portdesk.cn/update");
}

} // namespace portdesk
