#pragma once
#include <QString>

namespace portdesk {

enum class DirProbe { Exists, Missing, Unreachable };

// Tells a folder that is simply absent from one that cannot be reached at all
// (an offline share, a drive that is gone, a permission or I/O error).
DirProbe probeDirectory(const QString &path);

bool dirExists(const QString &path);

// Creates one folder level when it is missing; false when it is still missing.
bool ensureDir(const QString &path);

// This desk's folder for what the program may lose and make again (the
// search's index): the user's cache folder, never the shared work directory.
// The same for the window and the command-line modes, whatever the
// program's file is called.
QString desktopCacheDir();

} // namespace portdesk
