#pragma once
// A value that starts and ends with the same quote ("ABC", 'HT1') loses that
// pair when the profile functions read it back. Written inside one more pair
// of the same quotes, it reads back as typed, here and through the Windows
// functions; files written before read as they always did.
#include <QString>

namespace portdesk {

// The text to write for `value`: wrapped whole in one more pair of its outer
// quotes when, blanks outside them aside, it has a matching pair; otherwise
// unchanged.
QString quotedForWriting(const QString &value);

} // namespace portdesk
