#pragma once
// Every web page the program opens, kept in one place. The paths below the
// authority's site are the ones clerks know; only the site may change.
#include <QString>

namespace portdesk {

QString hsCodeQueryUrl();         // the authority's HS-code query
QString enterpriseCodeQueryUrl(); // the authority's enterprise-code query, same site
QString declarationPortalUrl();   // start page of the electronic declaration portal
QString updatePageUrl();          // the product page with the current version

} // namespace portdesk
