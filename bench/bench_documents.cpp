// Declaration file speed: one save and one load of a full declaration, and
// the browser's listing of a month folder of 10,000 declarations.
#include "documents/DocumentCommands.h"
#include "documents/RecoveryKeeper.h"
#include "documents/ViewFiles.h"
#include "editor/EditorRules.h"
#include "form/MainPage.h"
#include "model/DeclarationFile.h"
#include "store/FolderListing.h"
#include "support/Fakes.h"
#include "support/TestEnv.h"

#include <QLineEdit>
#include <QRadioButton>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

using namespace portdesk;
using portdesk::test::TestEnv;

namespace {

Declaration fullDeclaration()
{
    Declaration d;
    int i = 0;
    for (const FormField &f : formFields())
        d.at(f) = QStringLiteral("苏州精密电子零件%1").arg(i++);
    return d;
}

void BM_SaveAndLoadDeclaration(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.dcl"));
    Declaration d = fullDeclaration();
    int round = 0;
    for (auto _ : state) {
        // A changed value each round, so the save really writes.
        d[DeclField::ShouHuoRen] = QStringLiteral("收货人%1").arg(round++);
        QString error;
        if (!writeDeclaration(path, d, &error))
            state.SkipWithError("write failed");
        LoadedDeclaration loaded;
        if (!readDeclaration(path, loaded, &error))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_SaveAndLoadDeclaration)->Unit(benchmark::kMillisecond);

// One keystroke's worth of rules on the editor window: the quantity of a row
// changes, the declaration is read and its derived state drawn.
void BM_EditRulesPerKeystroke(benchmark::State &state)
{
    TestEnv env;
    MainPage page(env.ctx);
    new EditorRules(page);
    page.document().load(fullDeclaration());
    int round = 0;
    for (auto _ : state)
        page.ShuLiang[3]->setText(QString::number(round++ % 7 + 1));
}
BENCHMARK(BM_EditRulesPerKeystroke)->Unit(benchmark::kMicrosecond);

// The same keystroke with the crash copy kept: the keystroke only starts a
// timer, so it should cost what the one above does.
void BM_EditRulesPerKeystrokeKeepingRecovery(benchmark::State &state)
{
    TestEnv env;
    MainPage page(env.ctx);
    new EditorRules(page);
    new RecoveryKeeper(page, *new DocumentCommands(page));
    page.document().load(fullDeclaration());
    int round = 0;
    for (auto _ : state)
        page.ShuLiang[3]->setText(QString::number(round++ % 7 + 1));
}
BENCHMARK(BM_EditRulesPerKeystrokeKeepingRecovery)->Unit(benchmark::kMicrosecond);

// Writing the copy of a full declaration, as the timer does at most every
// two seconds of typing.
void BM_WriteRecoveryCopy(benchmark::State &state)
{
    TestEnv env;
    MainPage page(env.ctx);
    auto *keeper = new RecoveryKeeper(page, *new DocumentCommands(page));
    page.document().load(fullDeclaration());
    int round = 0;
    for (auto _ : state) {
        page.ShuLiang[3]->setText(QString::number(round++ % 7 + 1));
        keeper->flush();
    }
}
BENCHMARK(BM_WriteRecoveryCopy)->Unit(benchmark::kMillisecond);

// A whole declaration put into the window, as open and new do.
void BM_ShowDeclarationOnTheEditorWindow(benchmark::State &state)
{
    TestEnv env;
    MainPage page(env.ctx);
    new EditorRules(page);
    const Declaration full = fullDeclaration();
    int round = 0;
    for (auto _ : state)
        page.document().load(round++ % 2 ? full : Declaration{});
}
BENCHMARK(BM_ShowDeclarationOnTheEditorWindow)->Unit(benchmark::kMicrosecond);

void BM_ListMonthFolderOf10000(benchmark::State &state)
{
    QTemporaryDir dir;
    for (int i = 0; i < 10000; ++i) {
        QFile f(dir.filePath(QStringLiteral("%1上海某公司(2026-03-05).dcl").arg(100000 + i)));
        f.open(QIODevice::WriteOnly);
    }
    for (auto _ : state) {
        const QStringList files = listDeclarationFiles(dir.path());
        if (files.size() != 10000)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(files);
    }
}
BENCHMARK(BM_ListMonthFolderOf10000)->Unit(benchmark::kMillisecond);

// A printed folder of 10,000 (empty) declarations.
void fillPrinted(const QString &printed)
{
    QDir().mkpath(printed);
    for (int i = 0; i < 10000; ++i) {
        QFile f(printed +
                QStringLiteral("/上海某公司(2026-03-05 10：%1).dcl").arg(i, 5, 10, QChar('0')));
        f.open(QIODevice::WriteOnly);
    }
}

// The same folder shown in the browser: read and put into its list.
void BM_BrowserShowsMonthFolderOf10000(benchmark::State &state)
{
    TestEnv env;
    fillPrinted(env.ctx.printedDir());
    ViewFiles browser(env.ctx);
    browser.prepare();
    for (auto _ : state) {
        browser.chooseOption(1);
        if (browser.count() != 10000)
            state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_BrowserShowsMonthFolderOf10000)->Unit(benchmark::kMillisecond);

// One step to the next declaration in that folder as the main window takes
// it: the browser's check for a changed folder and the new selection (the
// file's load is BM_SaveAndLoadDeclaration). The folder is quiet, as when
// the clerk steps through a day's printed declarations.
void BM_StepInMonthFolderOf10000(benchmark::State &state)
{
    TestEnv env;
    fillPrinted(env.ctx.printedDir());
    ViewFiles browser(env.ctx);
    browser.prepare();
    browser.chooseOption(1);
    // The listing is trusted once the folder's time has stood a tick.
    browser.rereadIfChanged();
    QThread::msleep(kFolderTickMs + 100);
    browser.rereadIfChanged();
    for (auto _ : state) {
        if (browser.rereadIfChanged())
            state.SkipWithError("read the quiet folder again");
        browser.select(browser.position().stepTarget(+1));
        benchmark::DoNotOptimize(browser.position().pathOf(browser.selected()));
    }
}
BENCHMARK(BM_StepInMonthFolderOf10000)->Unit(benchmark::kMicrosecond);

} // namespace
