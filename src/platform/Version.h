#pragma once
// The version label's text: "Ver " and major.minor.patch without leading zeros.
#include <QString>

namespace portdesk {

// Parts given as decimal digit strings as they stand in the file version,
// e.g. ("1", "05", "0005") -> "Ver 1.5.5". A part that is not a number reads 0.
QString versionText(const QString &major, const QString &minor, const QString &patch);

// The version this program was built as.
QString versionText();

} // namespace portdesk
