#pragma once
// Makes the store's file probes fail as a shared drive can. Test binaries
// only: this file defines the store's injectedProbeError.
#include <QString>

#include <functional>

namespace portdesk::test {

// Asked before every probe; a non-zero errno it returns fails that probe as
// the system would. An empty function removes the hook.
using ProbeFault = std::function<int(const QString &path)>;
void setProbeFault(ProbeFault fault);

} // namespace portdesk::test
