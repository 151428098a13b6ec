// Printing speed: the sheet's texts for a full ten-row declaration, drawing
// the sheet into a PDF, and opening the printout window (its reads of the
// registers included), which the clerk waits for.
#include "model/Sheet.h"
#include "print/PrintWindow.h"
#include "print/SheetPdf.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace portdesk;

namespace {

SheetSources fullSources()
{
    SheetSources s;
    Declaration &d = s.declaration;
    d[DeclField::ShouHuoRen] = QStringLiteral("昆山华安");
    for (int i = 0; i < 10; ++i) {
        d.setRow(i, {QStringLiteral("精密模具配件%1").arg(i), QStringLiteral("848071909%1").arg(i),
                     QStringLiteral("德国"), QStringLiteral("%1").arg(i + 2), QStringLiteral("台"),
                     QStringLiteral("15%1.5").arg(i), QStringLiteral("千克"),
                     QStringLiteral("80%10").arg(i), QStringLiteral("欧元")});
    }
    d.at(DeclField::BZzhonglei, 0) = QStringLiteral("木箱");
    d.at(DeclField::BZshuliang, 0) = QStringLiteral("2");
    d.at(DeclField::BZzhonglei, 1) = QStringLiteral("纸箱");
    d.at(DeclField::BZshuliang, 1) = QStringLiteral("30");
    d[DeclField::JianShu] = QStringLiteral("32");
    d[DeclField::GongJin] = QStringLiteral("1800");
    d[DeclField::YunShuGongJu] = QStringLiteral("海运集装箱");
    d[DeclField::JZXsl1] = QStringLiteral("2");
    d[DeclField::JZXhm1] = QStringLiteral("ABCU1234567");
    d[DeclField::JZXsl2] = QStringLiteral("1");
    d[DeclField::JZXhm2] = QStringLiteral("XYZU7654321");
    s.consignee = {QStringLiteral("昆山华安精密机械有限公司"), QStringLiteral("3205123456"),
                   QStringLiteral("昆山市开发区前进东路88号"), QStringLiteral("王先生"),
                   QStringLiteral("0512-57001234")};
    s.office.QY = {QStringLiteral("苏州通达国际货运代理有限公司"),
                   QStringLiteral("苏州报检代理有限公司"), QStringLiteral("3202900123"),
                   QStringLiteral("李小姐"), QStringLiteral("0512-68001234")};
    s.date = QDate(2026, 12, 7);
    s.certificateNote = true;
    return s;
}

void BM_SheetTextsTenRows(benchmark::State &state)
{
    const SheetSources s = fullSources();
    for (auto _ : state)
        benchmark::DoNotOptimize(sheetFor(s));
}
BENCHMARK(BM_SheetTextsTenRows)->Unit(benchmark::kMicrosecond);

void BM_SheetToPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    const Sheet sheet = sheetFor(fullSources());
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    for (auto _ : state) {
        QString error;
        if (!writeSheetPdf(sheet, path, &error))
            state.SkipWithError("pdf failed");
    }
}
BENCHMARK(BM_SheetToPdf)->Unit(benchmark::kMillisecond);

void BM_OpenPrintoutWindow(benchmark::State &state)
{
    test::TestEnv env;
    QDir().mkpath(env.ctx.configDir());
    QWidget mainWindow;
    const Declaration d = fullSources().declaration;
    for (auto _ : state) {
        PrintWindow window(env.ctx, d, mainWindow, {});
        window.show();
        window.repaint();
    }
}
BENCHMARK(BM_OpenPrintoutWindow)->Unit(benchmark::kMillisecond);

} // namespace
