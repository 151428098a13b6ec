// portdesk --report: the month's workbook, written whole or not at all,
// without a display.
#include "support/CommandRun.h"
#include "support/MonthArchive.h"
#include "support/TestEnv.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

Outcome run(const QString &program, const QStringList &args)
{
    return runWithoutDisplay(program, args);
}

Outcome portdesk(const QStringList &args)
{
    return run(QStringLiteral(PORTDESK_BINARY), args);
}

// A member of the workbook's zip, as the spreadsheet would read it.
QByteArray member(const QString &xlsx, const char *name)
{
    return run(QStringLiteral("unzip"), {QStringLiteral("-p"), xlsx, QString::fromLatin1(name)})
        .out;
}

ReportSources archived(const char *number, const char *fee)
{
    ReportSources s;
    s.declaration[DeclField::ShouHuoRen] = QStringLiteral("昆山华安");
    s.declaration.at(DeclField::ZongZhi, 0) = QStringLiteral("8000");
    s.declaration.at(DeclField::BiZhi, 0) = QStringLiteral("欧元");
    s.number = QString::fromLatin1(number);
    s.date = QStringLiteral("2014-03-05");
    s.fees[0] = QString::fromLatin1(fee);
    return s;
}

TEST(MonthReportCommand, WritesTheWorkbookWholeOrLeavesItAlone)
{
    TestEnv env;
    const QString wd = env.ctx.workDir;
    ASSERT_FALSE(archiveInMonth(wd, QStringLiteral("2014-03"), QStringLiteral("a.dcl"),
                                archived("000001", "12.5"))
                     .isEmpty());
    const QString b = archiveInMonth(wd, QStringLiteral("2014-03"), QStringLiteral("b.dcl"),
                                     archived("000002", "30"));
    ASSERT_FALSE(b.isEmpty());
    const QString outDir = env.root.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(outDir));
    const QString out = outDir + QStringLiteral("/月报表.xlsx");
    const QStringList args{QStringLiteral("--report"), QStringLiteral("2014-03"), out,
                           QStringLiteral("--workdir"), wd};

    const Outcome written = portdesk(args);
    ASSERT_EQ(written.code, 0) << written.err.toStdString();
    EXPECT_TRUE(written.out.isEmpty() && written.err.isEmpty()) << written.err.toStdString();
    EXPECT_TRUE(readBytes(out).startsWith("PK"));
    const QString strings = QString::fromUtf8(member(out, "xl/sharedStrings.xml"));
    for (const char *text : {"报检号", "昆山华安", "000001", "合计"})
        EXPECT_TRUE(strings.contains(QString::fromUtf8(text))) << text;
    // The fees as numbers, and their sum in the last row.
    const QByteArray sheet = member(out, "xl/worksheets/sheet1.xml");
    for (const char *value : {"<v>12.5</v>", "<v>30</v>", "<v>42.5</v>", "<v>8000</v>"})
        EXPECT_TRUE(sheet.contains(value)) << value << sheet.toStdString();
    EXPECT_EQ(QDir(outDir).entryList(QDir::Files), QStringList{QStringLiteral("月报表.xlsx")});

    // A declaration that cannot be read: exit 1, the earlier workbook kept.
    const QByteArray before = readBytes(out);
    ASSERT_TRUE(writeBytes(QFileInfo(b).path() + QStringLiteral("/broken.dcl"), "no content"));
    const Outcome unreadable = portdesk(args);
    EXPECT_EQ(unreadable.code, 1);
    EXPECT_EQ(unreadable.err.count('\n'), 1) << unreadable.err.toStdString();
    EXPECT_EQ(readBytes(out), before);
    EXPECT_EQ(QDir(outDir).entryList(QDir::Files), QStringList{QStringLiteral("月报表.xlsx")});

    // Nowhere to write, or a folder in the way: exit 1, no copy of ours left.
    const QStringList otherMonth{QStringLiteral("--report"), QStringLiteral("2014-04"),
                                 QStringLiteral("--workdir"), wd};
    for (const QString &target : {outDir + QStringLiteral("/missing/r.xlsx"), outDir}) {
        const Outcome r = portdesk(otherMonth + QStringList{target});
        EXPECT_EQ(r.code, 1) << target.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_EQ(QDir(env.root.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(QDir(outDir).entryList(QDir::Files), QStringList{QStringLiteral("月报表.xlsx")});

    for (const QStringList &wrong :
         {QStringList{QStringLiteral("--report"), out},
          QStringList{QStringLiteral("--report"), QStringLiteral("2014-13"), out},
          args + QStringList{QStringLiteral("-platform"), QStringLiteral("xcb")}}) {
        const Outcome r = portdesk(wrong);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_EQ(readBytes(out), before);
}

} // namespace
