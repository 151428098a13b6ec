#pragma once
// The program run as a script runs it: no display, its exit status and what
// it wrote on stdout and stderr.
#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

namespace portdesk::test {

struct Outcome {
    int code; // -1 when it crashed
    QByteArray out, err;
};

// `more` adds to (or overrides) the environment the test runs in.
Outcome runWithoutDisplay(const QString &program, const QStringList &args,
                          const QProcessEnvironment &more = {});

} // namespace portdesk::test
