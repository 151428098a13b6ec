#pragma once
// Reading a settings file whole and replacing it whole.
#include "store/ProfileDocument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <sys/types.h>
#include <vector>

namespace portdesk {

// Which file, and which version of it: any rewrite changes one of these.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileStamp &o) const;
    bool operator!=(const FileStamp &o) const { return !(*this == o); }
};

// A file as the store sees it: absent files read as empty; a file that
// exists but cannot be read (or is not GBK text) must never be overwritten.
struct LoadedProfile {
    ProfileDocument doc;
    bool failed = false;
    QString error;                  // why, for the clerk, when failed
    std::optional<FileStamp> stamp; // nullopt when the file was absent
};

// The largest settings file read. Real ones (a register of a few thousand
// consignees) stay far below a megabyte; anything bigger is a wrong or broken
// file that would take minutes and gigabytes of memory to read.
inline constexpr qint64 kMaxProfileBytes = 64 * 1024 * 1024;

// Only regular files (or links to them) of at most kMaxProfileBytes are read:
// a pipe would block for ever and a device never ends.
// A desk using the Windows functions rewrites a file in place (cut to
// nothing, then written), so a single read may catch it empty or half
// written. The file is therefore read twice, a moment apart, and taken only
// when both reads agree; a file that keeps changing for about a second fails.
LoadedProfile loadProfile(const QString &file);

enum class ReadCheck {
    // Read again a moment later, as loadProfile does: for what is acted on.
    Twice,
    // One read, taken when the file did not change while it was read and
    // ends in a whole line: for a cache that notes each file's size and
    // time, and so reads again whatever a writer went on to change.
    Once
};

// Many files, each taken as loadProfile takes it, in the same order. Every
// file is read once, then again after the one moment they all wait, so that
// reading thousands does not add up thousands of waits.
std::vector<LoadedProfile> loadProfiles(const QStringList &files,
                                        ReadCheck check = ReadCheck::Twice);

// True when the file is still the one `loaded` read: same file, size and
// time, or still absent.
bool unchangedSince(const QString &file, const LoadedProfile &loaded);

// Replaces the file atomically (a crash or a lost connection mid-write leaves
// the old content, never half of the new). It looks at nothing else in the
// folder. False, with `error` set, when it failed; the
// old file is then left as it was.
bool replaceProfile(const QString &file, const QByteArray &bytes, QString *error);

} // namespace portdesk
