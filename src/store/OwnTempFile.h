#pragma once
// The temporary copies the program writes before putting a file in place.
// Their names carry a mark of ours ("<name>.portdesk-XXXXXX.tmp"), so that a
// copy a crash left behind can be told from the clerk's own files
// ("Config.ini.backup") and removed without guessing.
#include <QByteArray>
#include <QString>
#include <optional>
#include <sys/types.h>

namespace portdesk {

// How many bytes a copy's name adds to its target's: ".portdesk-XXXXXX.tmp".
inline constexpr int ownTempSuffixBytes = 20;

// Whether `name` is a copy this program made (any target's).
bool isOwnTempName(const QString &name);

// Writes `bytes` whole into a new copy beside `target`, created exclusively,
// flushed to the disk and closed; `mode` as for open(2), narrowed by the
// umask. The copy's path, or nullopt with `reason` set (and no copy left).
std::optional<QString> writeOwnTemp(const QString &target, const QByteArray &bytes, mode_t mode,
                                    QString *reason);

} // namespace portdesk
