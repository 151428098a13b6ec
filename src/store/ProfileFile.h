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

LoadedProfile loadProfile(const QString &file);

// Replaces the file atomically (a crash or a lost connection mid-write leaves
// the old content, never half of the new) and clears leftover copies of
// earlier saves that crashed. False, with `error` set, when it failed; the
// old file is then left as it was.
bool replaceProfile(const QString &file, const QByteArray &bytes, QString *error);

} // namespace portdesk
