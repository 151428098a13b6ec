#pragma once
// What is at a path, asked before a settings file is read. Only "no such
// file" passes for absent: a shared drive that fails for a moment must not
// look like an empty folder, or the next write would replace the real file
// with a nearly empty one.
#include <QString>
#include <functional>

namespace portdesk {

enum class Presence { Absent, File, Folder, Failed };

struct Probe {
    Presence presence = Presence::Absent;
    int error = 0; // errno when Failed
};

Probe probePath(const QString &path);

// Test seam: asked before every probe; a non-zero errno it returns fails that
// probe as the system would. An empty function removes the hook.
using ProbeFault = std::function<int(const QString &path)>;
void setProbeFault(ProbeFault fault);

} // namespace portdesk
