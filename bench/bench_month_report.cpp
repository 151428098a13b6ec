// The month's report of a busy month: 2,000 archived declarations read,
// joined for the clipboard and written as a workbook.
#include "model/ArchivePlan.h"
#include "model/DeclarationFile.h"
#include "model/MonthReport.h"
#include "store/XlsxWorkbook.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace portdesk;

namespace {

// A month folder of `count` declarations with every goods row filled.
QString fillMonth(const QTemporaryDir &root, int count)
{
    const QString workDir = root.path();
    const QString folder = archiveFolder(workDir, QDate(2014, 3, 1));
    QDir().mkpath(folder);
    Declaration d;
    d[DeclField::ShouHuoRen] = QStringLiteral("苏州精密电子有限公司");
    d[DeclField::YunShuGongJu] = QStringLiteral("海运集装箱");
    d[DeclField::JZXsl1] = QStringLiteral("2");
    d[DeclField::JZXhm1] = QStringLiteral("ABCU1234567");
    for (int row = 0; row < goodsRowCount(); ++row) {
        d.at(DeclField::MingCheng, row) = QStringLiteral("模具配件");
        d.at(DeclField::ZongZhi, row) = QStringLiteral("1200.5");
        d.at(DeclField::BiZhi, row) = row % 2 ? QStringLiteral("美元") : QStringLiteral("欧元");
    }
    const QString first = folder + QStringLiteral("/template");
    writeDeclaration(first, d, nullptr);
    const QByteArray bytes = test::readBytes(first);
    QFile::remove(first);
    for (int n = 0; n < count; ++n) {
        const QString number = QStringLiteral("%1").arg(count - n, 6, 10, QChar(u'0'));
        const QString date = QStringLiteral("2014-03-%1").arg(1 + n % 28, 2, 10, QChar(u'0'));
        const QByteArray tail =
            test::gbk(QStringLiteral("[报检信息]\n报检号=%1\n报检日期=%2\n[费用登记]\n"
                                     "输单费=50\n法检费=120.5\n卫生费=\n"
                                     "除害费=30\n")
                          .arg(number, date));
        test::writeBytes(folder + u'/' + number + QStringLiteral("苏州精密电子有限公司(") + date +
                             QStringLiteral(").dcl"),
                         bytes + tail);
    }
    return workDir;
}

void BM_MonthReport_Whole(benchmark::State &state)
{
    QTemporaryDir root;
    const QString workDir = fillMonth(root, int(state.range(0)));
    const QString out = root.filePath(QStringLiteral("report.xlsx"));
    for (auto _ : state) {
        MonthReport report;
        QString error;
        if (!readMonthReport(workDir, QDate(2014, 3, 1), report, &error) ||
            !writeWorkbook(out, monthReportSheetName(), monthReportSheet(report), &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(monthReportText(report));
    }
}
BENCHMARK(BM_MonthReport_Whole)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_MonthReport_WorkbookOnly(benchmark::State &state)
{
    QTemporaryDir root;
    const QString workDir = fillMonth(root, int(state.range(0)));
    MonthReport report;
    QString error;
    readMonthReport(workDir, QDate(2014, 3, 1), report, &error);
    const QString out = root.filePath(QStringLiteral("report.xlsx"));
    for (auto _ : state)
        writeWorkbook(out, monthReportSheetName(), monthReportSheet(report), &error);
}
BENCHMARK(BM_MonthReport_WorkbookOnly)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace
