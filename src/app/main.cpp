#include "app/FindCommand.h"
#include "app/MainWiring.h"
#include "app/MonthReportCommand.h"
#include "app/PdfCommand.h"
#include "app/ReportLineCommand.h"
#include "app/Startup.h"
#include "form/MainPage.h"
#include "form/WindowPlacement.h"
#include "platform/Clock.h"
#include "platform/Context.h"
#include "platform/FileSystem.h"
#include "platform/QtPlatform.h"
#include "store/FileErrors.h"
#include "store/WorkDirectory.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <cstdio>

using namespace portdesk;

namespace {

bool haveDisplay()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
}

void useChineseFont(QApplication &app)
{
    QFont font = app.font();
    font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      font.family()});
    font.setPointSize(9);
    app.setFont(font);
}

// Command-line modes: Qt's own notes (runtime folder, fonts) would blur the
// one line a failure leaves on stderr; only a fatal one is worth that line.
void quietQtMessages()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtFatalMsg)
            std::fprintf(stderr, "portdesk: %s\n", escapedControls(text).toLocal8Bit().constData());
    });
}

// A command-line mode: Qt sees none of the arguments (it would act on its
// own options, -platform xcb, and abort without a word); a failure leaves one
// line on stderr.
template <typename App, typename Run> int headless(int argc, char **argv, Run run)
{
    quietQtMessages();
    QList<QByteArray> args;
    for (int i = 1; i < argc; ++i)
        args << QByteArray(argv[i]);
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};
    App app(qtArgc, qtArgv);
    QString error;
    const int rc = run(args, QDir::cleanPath(QCoreApplication::applicationDirPath()), &error);
    if (rc != 0)
        std::fprintf(stderr, "portdesk: %s\n", error.toLocal8Bit().constData());
    return rc;
}

// Text for a script on stdout, UTF-8, ending in a line break.
int writeOut(const QString &text, QString *error)
{
    const QByteArray out = text.toUtf8() + '\n';
    if (std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout) !=
            std::size_t(out.size()) ||
        std::fflush(stdout) != 0) {
        *error = QStringLiteral("cannot write to standard output");
        return 1;
    }
    return 0;
}

// --report-line: one line for the office's scripts.
int reportLine(const QList<QByteArray> &args, const QString &programDir, QString *error)
{
    QString line;
    const int rc = runReportLineCommand(args, programDir, &line, error);
    return rc != 0 ? rc : writeOut(line, error);
}

// --find: the matching files' paths, one a line.
int find(const QList<QByteArray> &args, const QString &programDir, QString *error)
{
    QStringList paths;
    const int rc = runFindCommand(args, programDir, desktopCacheDir(), &paths, error);
    return rc != 0 ? rc : writeOut(paths.join(u'\n'), error);
}

} // namespace

int main(int argc, char **argv)
{
    // --pdf draws with fonts, so it needs the Gui application, offscreen.
    if (wantsPdf(argc, argv))
        return headless<QGuiApplication>(
            argc, argv, [](const QList<QByteArray> &args, const QString &dir, QString *error) {
                return runPdfCommand(args, dir, SystemClock().now().date(), error);
            });
    if (wantsReportLine(argc, argv))
        return headless<QCoreApplication>(argc, argv, reportLine);
    if (wantsFind(argc, argv))
        return headless<QCoreApplication>(argc, argv, find);
    if (wantsMonthReport(argc, argv))
        return headless<QCoreApplication>(argc, argv, runMonthReportCommand);
    if (!haveDisplay()) {
        std::fputs("no display: Portdesk is a desktop program and needs a graphical display "
                   "(set DISPLAY, or start it under xvfb-run -a)\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Portdesk"));
    useChineseFont(app);
    installChineseQtTexts(app);

    QtPrompts prompts;
    QtClipboard clipboard;
    QtShell shell;
    QtPrinter printer;
    SystemClock clock;

    const QString programDir = QDir::cleanPath(QApplication::applicationDirPath());
    const WorkDirChoice choice = resolveWorkDir(programDir);
    if (choice.unreachable) {
        prompts.message(startupErrorText(choice.configured), QStringLiteral("启动错误！"),
                        MsgIcon::Warning, MsgButtons::Ok, MsgAnswer::Ok);
        return 1;
    }

    // The program's own files stay on this desk: a crash's recovery is
    // nobody else's business.
    const QString dataDir =
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    Context ctx{prompts,    clipboard,      shell,   printer,          clock,
                programDir, choice.workDir, dataDir, desktopCacheDir()};
    if (!ensureDir(ctx.configDir()))
        prompts.warn(QStringLiteral("无法创建配置文件夹：\n") +
                     QDir::toNativeSeparators(ctx.configDir()));

    MainPage page(ctx);
    wireMainPage(page);
    page.show();
    centreOnScreen(page); // again, now that the frame is known
    return app.exec();
}
