// portdesk --pdf: a stored declaration's sheet as an A4 PDF at true size,
// without a display, writing nothing into the work directory.
#include "app/PdfCommand.h"
#include "model/DeclarationFile.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

// Every file below `dir` with its bytes.
std::map<QString, QByteArray> snapshot(const QString &dir)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path] = readBytes(path);
    }
    return files;
}

// The page size in points from the PDF's MediaBox.
QSizeF mediaBox(const QByteArray &pdf)
{
    static const QRegularExpression box(
        QStringLiteral(R"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+)\s*\])"));
    const auto m = box.match(QString::fromLatin1(pdf));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

class PdfCommand : public ::testing::Test {
protected:
    TestEnv env;
    QString dcl, out;

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(env.ctx.configDir()));
        // The consignee's section lacks keys: a printout would add them.
        ASSERT_TRUE(writeBytes(env.ctx.consigneeIni(),
                               gbk(QStringLiteral("[列表]\nS=1\n1=ACME\n[ACME]\n0=爱克美\n"))));
        Declaration d;
        d[DeclField::ShouHuoRen] = QStringLiteral("ACME");
        d.at(DeclField::MingCheng, 0) = QStringLiteral("模具配件");
        dcl = env.root.filePath(QStringLiteral("in.dcl"));
        ASSERT_TRUE(writeDeclaration(dcl, d, nullptr));
        // Missing keys in the declaration are not added either.
        const QByteArray full = readBytes(dcl);
        const QByteArray partial =
            QByteArray(full).replace(gbk(QStringLiteral("\n币制0=\n")), "\r\n");
        ASSERT_NE(partial, full);
        ASSERT_TRUE(writeBytes(dcl, partial));
        out = env.root.filePath(QStringLiteral("out.pdf"));
    }

    int run(QStringList args, QString *error)
    {
        return runPdfCommand(args, env.ctx.programDir, QDate(2026, 12, 7), error);
    }

    // The program without a display, or `program` given it; -1 unless it exits.
    static int runProgram(const QStringList &args, QByteArray *err,
                          const std::function<void()> &inChild = {},
                          const QString &program = QStringLiteral(PORTDESK_BINARY))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        QProcess p;
        p.setProcessEnvironment(environment);
        p.setChildProcessModifier(inChild ? inChild : [] {});
        p.start(program, args);
        EXPECT_TRUE(p.waitForFinished(60000));
        *err = p.readAllStandardError();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
};

} // namespace

TEST_F(PdfCommand, WritesAnA4PageAndNothingElse)
{
    const auto workBefore = snapshot(env.ctx.workDir);
    const QByteArray dclBefore = readBytes(dcl);
    QString error;
    ASSERT_EQ(run({QStringLiteral("--pdf"), dcl, out, QStringLiteral("--workdir"), env.ctx.workDir,
                   QStringLiteral("--date"), QStringLiteral("2026-12-07")},
                  &error),
              0)
        << error.toStdString();
    const QByteArray pdf = readBytes(out);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QSizeF page = mediaBox(pdf);
    EXPECT_NEAR(page.width(), 595.3, 0.5);
    EXPECT_NEAR(page.height(), 841.9, 0.5);
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
              1);
    EXPECT_EQ(snapshot(env.ctx.workDir), workBefore);
    EXPECT_EQ(readBytes(dcl), dclBefore);
}

TEST_F(PdfCommand, FailuresExitNonZeroWithAReason)
{
    const QString missing = env.root.filePath(QStringLiteral("nowhere"));
    const QByteArray declaration = readBytes(dcl);
    const auto made = [&](const char *name) {
        return env.root.filePath(QString::fromLatin1(name));
    };
    const auto file = [&](const char *name, const QByteArray &bytes) {
        EXPECT_TRUE(writeBytes(made(name), bytes));
        return made(name);
    };
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise += char(i * 7919 % 251);
    QString error;
    ASSERT_EQ(run({QStringLiteral("--pdf"), dcl, made("sheet.pdf")}, &error), 0);
    ASSERT_TRUE(QDir().mkpath(made("folder.dcl")));
    ASSERT_EQ(::mkfifo(made("fifo.dcl").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(dcl, made("symbolic.pdf")));
    ASSERT_EQ(::link(dcl.toLocal8Bit().constData(), made("hard.pdf").toLocal8Bit().constData()), 0);
    const char *const notADeclaration = "not a declaration file", *const itself =
                                                                      "declaration itself";
    const struct {
        QStringList args;
        int code;
        const char *reason = "";
    } cases[] = {
        {{QStringLiteral("--pdf"), dcl}, 2},
        {{QStringLiteral("--pdf"), dcl, out, QStringLiteral("--date"), QStringLiteral("7.12.2026")},
         2},
        {{QStringLiteral("--pdf"), dcl, out, QStringLiteral("--workdir")}, 2},
        {{QStringLiteral("--pdf"), dcl, out, QStringLiteral("--colour")}, 2},
        {{QStringLiteral("--pdf"), missing + QStringLiteral(".dcl"), out}, 1},
        {{QStringLiteral("--pdf"), dcl, out, QStringLiteral("--workdir"), missing}, 1},
        {{QStringLiteral("--pdf"), dcl, missing + QStringLiteral("/out.pdf")}, 1},
        {{QStringLiteral("--pdf"), missing + QStringLiteral("\n\x1b.dcl"), out}, 1, "\\n\\x1b.dcl"},
        {{QStringLiteral("--pdf"), file("empty.dcl", {}), out}, 1, notADeclaration},
        {{QStringLiteral("--pdf"), file("noise.dcl", noise), out}, 1, notADeclaration},
        {{QStringLiteral("--pdf"), file("passwd", "root:x:0:0::/root:/bin/sh\n[x]\n"), out},
         1,
         notADeclaration},
        {{QStringLiteral("--pdf"), made("sheet.pdf"), dcl}, 1, notADeclaration}, // swapped
        {{QStringLiteral("--pdf"), made("folder.dcl"), out}, 1, "a folder"},
        {{QStringLiteral("--pdf"), made("fifo.dcl"), out}, 1, "not a regular file"},
        {{QStringLiteral("--pdf"), dcl, dcl}, 1, itself},
        {{QStringLiteral("--pdf"), dcl, made("symbolic.pdf")}, 1, itself},
        {{QStringLiteral("--pdf"), dcl, made("hard.pdf")}, 1, itself},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(run(c.args, &error), c.code);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(error.contains('\n'));
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << error.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
    EXPECT_EQ(readBytes(dcl), declaration);
}

TEST_F(PdfCommand, TheProgramNeedsNoDisplay)
{
    QByteArray err;
    const QStringList good{QStringLiteral("--pdf"), dcl, out, QStringLiteral("--workdir"),
                           env.ctx.workDir};
    EXPECT_EQ(runProgram(good, &err), 0) << err.toStdString();
    EXPECT_TRUE(mediaBox(readBytes(out)).isValid());
    QFile::remove(out);
    const QStringList failing[] = {
        {QStringLiteral("--pdf"), dcl + QStringLiteral(".missing"), out},
        good + QStringList{QStringLiteral("-platform"), QStringLiteral("xcb")}, // Qt's own option
    };
    for (const QStringList &args : failing) {
        EXPECT_GT(runProgram(args, &err), 0);
        EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
    // A declaration whose name is not valid UTF-8, as a shell passes it.
    const QByteArray raw = QFile::encodeName(env.root.path()) + "/in\xff.dcl";
    ASSERT_EQ(::symlink(QFile::encodeName(dcl).constData(), raw.constData()), 0);
    EXPECT_EQ(runProgram({QStringLiteral("-c"),
                          QStringLiteral(R"(exec "$0" --pdf "$1/in$(printf '\377').dcl" "$2")"),
                          QStringLiteral(PORTDESK_BINARY), env.root.path(), out},
                         &err, {}, QStringLiteral("/bin/sh")),
              0)
        << err.toStdString();
    ::unlink(raw.constData()); // QTemporaryDir cannot remove a name that is not UTF-8
}

TEST_F(PdfCommand, AFailedWriteLeavesTheOldOutputAndNoFragment)
{
    ASSERT_TRUE(writeBytes(out, "%PDF-1.4 the sheet mailed yesterday\n"));
    const auto before = snapshot(env.root.path());
    QByteArray err;
    // A disk full after 4 KiB: each write beyond it fails (EFBIG).
    EXPECT_EQ(runProgram(
                  {QStringLiteral("--pdf"), dcl, out, QStringLiteral("--workdir"), env.ctx.workDir},
                  &err,
                  [] {
                      std::signal(SIGXFSZ, SIG_IGN);
                      const rlimit limit{4096, 4096};
                      setrlimit(RLIMIT_FSIZE, &limit);
                  }),
              1);
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_EQ(snapshot(env.root.path()), before);
}
