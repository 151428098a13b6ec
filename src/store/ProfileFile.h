#pragma once
// Reading a settings file whole and replacing it whole.
#include "store/ProfileDocument.h"

#include <QByteArray>
#include <QString>

namespace portdesk {

// A file as the store sees it: absent files read as empty; a file that
// exists but cannot be read (or is not GBK text) must never be overwritten.
struct LoadedProfile {
    ProfileDocument doc;
    bool failed = false;
    QString error; // why, for the clerk, when failed
};

// The largest settings file read. Real ones (a register of a few thousand
// consignees) stay far below a megabyte; anything bigger is a wrong or broken
// file that would take minutes and gigabytes of memory to read.
inline constexpr qint64 kMaxProfileBytes = 64 * 1024 * 1024;

// Only regular files (or links to them) of at most kMaxProfileBytes are read:
// a pipe would block for ever and a device never ends.
LoadedProfile loadProfile(const QString &file);

// Replaces the file atomically (a crash or a lost connection mid-write leaves
// the old content, never half of the new). It looks at nothing else in the
// folder. False, with `error` set, when it failed; the
// old file is then left as it was.
bool replaceProfile(const QString &file, const QByteArray &bytes, QString *error);

} // namespace portdesk
