#pragma once
// Where tests make a file probe fail. Each binary links one definition: the
// program's (NoProbeInjection.cpp) never fails a probe, so the program holds
// no hook that could be set; the tests' (tests/support/ProbeFaults.cpp)
// fails the probes a test asks for.
#include <QString>

namespace portdesk {

// The errno the probe of `path` fails with instead of asking the system, or 0.
int injectedProbeError(const QString &path);

} // namespace portdesk
