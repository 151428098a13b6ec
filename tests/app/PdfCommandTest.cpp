// portdesk --pdf: a stored declaration's sheet as an A4 PDF at true size,
// without a display, writing nothing into the work directory.
#include "app/PdfCommand.h"
#include "model/DeclarationFile.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>

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
    const struct {
        QStringList args;
        int code;
    } cases[] = {
        {{QStringLiteral("--pdf"), dcl}, 2},
        {{QStringLiteral("--pdf"), dcl, out, QStringLiteral("--date"), QStringLiteral("7.12.2026")},
         2},
        {{QStringLiteral("--pdf"), dcl, out, QStringLiteral("--workdir")}, 2},
        {{QStringLiteral("--pdf"), dcl, out, QStringLiteral("--colour")}, 2},
        {{QStringLiteral("--pdf"), missing + QStringLiteral(".dcl"), out}, 1},
        {{QStringLiteral("--pdf"), dcl, out, QStringLiteral("--workdir"), missing}, 1},
        {{QStringLiteral("--pdf"), dcl, missing + QStringLiteral("/out.pdf")}, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QString error;
        EXPECT_EQ(run(c.args, &error), c.code);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(error.contains('\n'));
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(PdfCommand, TheProgramNeedsNoDisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    const auto runProgram = [&](const QStringList &args, QByteArray *err) {
        QProcess p;
        p.setProcessEnvironment(environment);
        p.start(QStringLiteral(PORTDESK_BINARY), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        *err = p.readAllStandardError();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    };
    QByteArray err;
    EXPECT_EQ(runProgram(
                  {QStringLiteral("--pdf"), dcl, out, QStringLiteral("--workdir"), env.ctx.workDir},
                  &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(mediaBox(readBytes(out)).isValid());
    EXPECT_NE(runProgram({QStringLiteral("--pdf"), dcl + QStringLiteral(".missing"), out}, &err),
              0);
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
}
