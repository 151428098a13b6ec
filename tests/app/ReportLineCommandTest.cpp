// portdesk --report-line: the report line of a stored declaration on
// standard output, without a display, writing nothing.
#include "model/DeclarationFile.h"
#include "support/CommandRun.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

Outcome portdesk(const QStringList &args)
{
    return runWithoutDisplay(QStringLiteral(PORTDESK_BINARY), args);
}

TEST(ReportLineCommand, PrintsTheLineOfAnArchivedDeclarationOnly)
{
    TestEnv env;
    Declaration d;
    d[DeclField::ShouHuoRen] = QStringLiteral("昆山华安");
    d.at(DeclField::ZongZhi, 0) = QStringLiteral("8000");
    d.at(DeclField::BiZhi, 0) = QStringLiteral("欧元");
    const QString dcl = env.root.filePath(QStringLiteral("a.dcl"));
    ASSERT_TRUE(writeDeclaration(dcl, d, nullptr));
    const QStringList args{QStringLiteral("--report-line"), dcl, QStringLiteral("--workdir"),
                           env.ctx.workDir};

    const Outcome unarchived = portdesk(args);
    EXPECT_EQ(unarchived.code, 1);
    EXPECT_TRUE(unarchived.out.isEmpty());
    EXPECT_EQ(unarchived.err.count('\n'), 1) << unarchived.err.toStdString();

    // Written key by key, the way the Windows functions leave a file: no fees.
    QByteArray bytes = readBytes(dcl);
    bytes += gbk(QStringLiteral("[报检信息]\r\n报检号=123456\r\n报检日期=2014-03-05\r\n"));
    ASSERT_TRUE(writeBytes(dcl, bytes));
    const Outcome archived = portdesk(args);
    ASSERT_EQ(archived.code, 0) << archived.err.toStdString();
    EXPECT_TRUE(archived.err.isEmpty()) << archived.err.toStdString();
    EXPECT_EQ(
        QString::fromUtf8(archived.out),
        QStringLiteral("123456\t2014-03-05\t昆山华安\t\t\t8000欧元\t\t\t\t\t\t\t\t\t\t\t法检\n"));
    EXPECT_EQ(readBytes(dcl), bytes); // the missing fee keys are not added

    for (const QStringList &wrong :
         {QStringList{QStringLiteral("--report-line")}, args + QStringList{dcl},
          args + QStringList{QStringLiteral("-platform"), QStringLiteral("xcb")}}) {
        const Outcome r = portdesk(wrong);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
}

} // namespace
