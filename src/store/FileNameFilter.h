#pragma once
// GuoLv: makes a typed name usable as a file name.
#include <QString>

namespace portdesk {

// Removes every \ / : * ? " < > | and leaves all other characters, spaces
// included, as they are.
QString GuoLv(const QString &name);

} // namespace portdesk
