#pragma once
// The name of the file a printed declaration is stored under in
// Saved/Printed: the consignee, then the time stamp.
#include <QDateTime>
#include <QString>

namespace portdesk {

// consignee + "(" + yyyy-MM-dd hh：mm：ss + ").dcl". The consignee part is
// filtered like a typed file name and shortened when the whole name would
// be too long for the file systems of the desks, so that it always names
// one file inside the folder.
QString printedFileName(const QString &consignee, const QDateTime &now);

// head + consignee + tail, the consignee part filtered and shortened the same way.
QString nameWithConsignee(const QString &head, const QString &consignee, const QString &tail);

} // namespace portdesk
