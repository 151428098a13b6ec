#pragma once
// A throw-away program folder and work directory with the platform's test
// doubles, for one test.
#include "platform/Context.h"
#include "support/Fakes.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace portdesk::test {

class TestEnv {
public:
    TestEnv();

    QTemporaryDir root;
    FakePrompts prompts;
    FakeClipboard clipboard;
    FakeShell shell;
    FakePrinter printer;
    FixedClock clock;
    Context ctx;

    QString path(const QString &relative) const { return ctx.workDir + '/' + relative; }
};

// Raw file content; empty when missing.
QByteArray readBytes(const QString &path);
bool writeBytes(const QString &path, const QByteArray &bytes);
// Bytes of a fixture in tests/data.
QByteArray fixture(const QString &name);
// Text as GBK bytes with CRLF line ends, for building expected files.
QByteArray gbk(const QString &text);

} // namespace portdesk::test
