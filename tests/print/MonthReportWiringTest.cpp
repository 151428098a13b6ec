// Ctrl+M on the main window: the month asked for, its lines on the
// clipboard in one step, the workbook saved where the clerk says.
#include "model/MonthReport.h"
#include "print/MonthReportAction.h"
#include "support/MainWindowHarness.h"
#include "support/MonthArchive.h"

#include <QFileInfo>

using namespace portdesk;
using namespace portdesk::test;

namespace {

ReportSources archived(const char *number)
{
    ReportSources s;
    s.declaration[DeclField::ShouHuoRen] = QStringLiteral("昆山华安");
    s.number = QString::fromLatin1(number);
    s.date = QStringLiteral("2014-03-05");
    return s;
}

class MonthReportWiring : public ::testing::Test, protected MainWindowHarness {};

TEST_F(MonthReportWiring, CopiesTheMonthThenSavesTheWorkbook)
{
    for (const char *number : {"000002", "000001"})
        ASSERT_FALSE(archiveInMonth(env.ctx.workDir, QStringLiteral("2014-03"),
                                    QString::fromLatin1(number) + QStringLiteral(".dcl"),
                                    archived(number))
                         .isEmpty());
    build([](MainPage &p) { new MonthReportAction(p); });
    showActive();
    const QString out = env.root.filePath(QStringLiteral("三月.xlsx"));

    env.prompts.answerInput(QStringLiteral("2014-3"));
    env.prompts.answerInput(out);
    QTest::keyClick(page.get(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(env.prompts.allAnswersUsed());
    EXPECT_EQ(env.clipboard.content,
              reportLine(archived("000001")) + u'\n' + reportLine(archived("000002")));
    EXPECT_EQ(env.clipboard.clears, 1);
    EXPECT_TRUE(readBytes(out).startsWith("PK"));
    ASSERT_NE(env.prompts.last(), nullptr);
    EXPECT_TRUE(env.prompts.last()->text.contains(QStringLiteral("已保存"))) // only after the write
        << env.prompts.last()->text.toStdString();

    // A month without declarations copies nothing and offers no workbook.
    env.prompts.clearRecord();
    env.prompts.answerInput(QStringLiteral("2014-04"));
    QTest::keyClick(page.get(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(env.prompts.allAnswersUsed());
    EXPECT_EQ(env.prompts.inputs.size(), 1u);
    EXPECT_EQ(env.clipboard.clears, 1);
    EXPECT_EQ(env.prompts.unscripted, 0);
}

} // namespace
