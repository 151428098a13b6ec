#pragma once
// Archived declarations as the archive command leaves them, in their
// month's folder, for the month's report.
#include "model/ReportLine.h"

#include <QString>

namespace portdesk::test {

// Writes `s` (its number, date and fees included) as `name` into the
// archive folder of `month` ("2014-03"); the file's path, or empty on failure.
QString archiveInMonth(const QString &workDir, const QString &month, const QString &name,
                       const ReportSources &s);

} // namespace portdesk::test
