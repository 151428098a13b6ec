#pragma once
// What is at a path, asked before a settings file is read. Only "no such
// file" passes for absent: a shared drive that fails for a moment must not
// look like an empty folder, or the next write would replace the real file
// with a nearly empty one.
#include <QString>

namespace portdesk {

// Other: neither a regular file nor a folder (a pipe, a device).
enum class Presence { Absent, File, Folder, Other, Failed };

struct Probe {
    Presence presence = Presence::Absent;
    int error = 0; // errno when Failed
};

Probe probePath(const QString &path);

} // namespace portdesk
