#pragma once
// What a crash leaves behind in a folder of the work directory: a copy of
// ours a save did not put in place ("<name>.portdesk-XXXXXX.tmp"), or the
// lock beside a file that its desk never let go. Saves never look for them
// (a folder may hold thousands of files, on a slow share, under the lock);
// the sweep below runs once a start, over the folders saves write into.
#include <QString>
#include <chrono>

namespace portdesk {

// A younger one may be another desk's save in progress. Locks are held for
// milliseconds, so an hour is far beyond any live one even between desks
// whose clocks differ by minutes.
inline constexpr std::chrono::hours leftoverAge{1};

// Whether the file `name` in `folder` is one this program made: our copy, or
// a lock whose content names this program.
bool isOwnLeftover(const QString &folder, const QString &name);

// Removes this program's leftovers in `folder` older than `age`; returns how
// many went. Housekeeping: what cannot be removed is left for the next start.
int sweepLeftovers(const QString &folder, std::chrono::seconds age = leftoverAge);

// The same over every folder of the work directory the program writes
// into: Config, Saved, Saved/Printed, Saved/QingDan and every month of the
// archive and of the lists.
int sweepWorkDirectory(const QString &workDir, std::chrono::seconds age = leftoverAge);

} // namespace portdesk
