#include "support/CommandRun.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace portdesk::test {

Outcome runWithoutDisplay(const QString &program, const QStringList &args,
                          const QProcessEnvironment &more)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(more);
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace portdesk::test
