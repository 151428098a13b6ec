#include "support/ProbeFaults.h"

#include "store/ProbeInjection.h"

#include <mutex>

namespace portdesk {

namespace {

// Set and asked under one lock, so that a test may probe from a second thread.
std::mutex faultMutex;
test::ProbeFault &fault()
{
    static test::ProbeFault f;
    return f;
}

} // namespace

void test::setProbeFault(ProbeFault f)
{
    std::lock_guard<std::mutex> guard(faultMutex);
    fault() = std::move(f);
}

int injectedProbeError(const QString &path)
{
    std::lock_guard<std::mutex> guard(faultMutex);
    return fault() ? fault()(path) : 0;
}

} // namespace portdesk
