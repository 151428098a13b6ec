#include "app/MainWiring.h"

#include "documents/ArchiveCommand.h"
#include "documents/DocumentCommands.h"
#include "documents/RecoveryKeeper.h"
#include "documents/SearchWindow.h"
#include "editor/EditorRules.h"
#include "form/MainPage.h"
#include "help/AboutWindow.h"
#include "lists/ListWindow.h"
#include "print/ExportCommand.h"
#include "print/MonthReportAction.h"
#include "print/PrintCommand.h"
#include "registers/ConfigWindow.h"
#include "registers/ConsigneeField.h"
#include "registers/FeeWindow.h"
#include "registers/FollowUpBadge.h"
#include "registers/FollowUpWindow.h"
#include "store/SaveLeftovers.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <QTimer>

namespace portdesk {

void wireMainPage(MainPage &page)
{
    // What crashed saves and locks left behind, once a start: saves never
    // look through a folder. Later, so that the first paint never waits for
    // a folder on a slow share, and on a thread of its own: years of archive
    // months take a while to look through.
    QTimer::singleShot(std::chrono::seconds(3), &page, [&page] {
        QThreadPool::globalInstance()->start(
            [workDir = page.context().workDir] { sweepWorkDirectory(workDir); });
    });

    // editor rules
    new EditorRules(page); // owned by the page

    // documents
    auto *documents = new DocumentCommands(page);          // owned by the page
    auto *archive = new ArchiveCommand(page, *documents);  // GuiDang; owned by the page
    auto *recovery = new RecoveryKeeper(page, *documents); // owned by the page
    attachSearchWindow(page, *documents);                  // Ctrl+F, also in the browser
    // Asked once the event loop runs, so that the main window is there behind the question.
    QTimer::singleShot(0, recovery, &RecoveryKeeper::offerLeftovers);
    // Only a normal exit ends the copy; a crash is what it is kept for.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, recovery,
                     &RecoveryKeeper::discard);

    // registers
    new ConsigneeField(page); // owned by the page
    attachConfigWindow(page); // SheZhi, without modality
    refreshFollowUpBadge(page);
    attachFeeWindow(page); // FeiYong
    // HouQi and Picture1; a listed declaration is opened by the documents
    attachFollowUpWindow(
        page, [documents](const QString &path) { return documents->openArchived(path); });

    // print: the printed declaration is stored and shown by the documents
    new PrintCommand(page, [documents](const QString &path, QString *error) { // owned by the page
        return documents->printed(path, error);
    });

    new ExportCommand(page, [archive] { archive->run(); }); // DaoChu; owned by the page
    new MonthReportAction(page);                            // Ctrl+M; owned by the page

    // lists
    attachListWindow(page); // CmdQD, without modality

    // help
    auto *about = new AboutWindowHolder(page.context(), page); // owned by the page
    QObject::connect(&page, &MainPage::aboutRequested, about, &AboutWindowHolder::show);
}

} // namespace portdesk
