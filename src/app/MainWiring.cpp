#include "app/MainWiring.h"

#include "documents/DocumentCommands.h"
#include "editor/EditorRules.h"
#include "form/MainPage.h"
#include "help/AboutWindow.h"
#include "print/ExportCommand.h"
#include "print/PrintCommand.h"
#include "registers/ConfigWindow.h"
#include "registers/ConsigneeField.h"
#include "registers/FeeWindow.h"
#include "registers/FollowUpBadge.h"
#include "registers/FollowUpWindow.h"

#include <QPushButton>

namespace portdesk {

void wireMainPage(MainPage &page)
{
    // editor rules
    new EditorRules(page); // owned by the page

    // documents
    auto *documents = new DocumentCommands(page); // owned by the page

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

    new ExportCommand(page, [&page] { page.GuiDang->click(); }); // DaoChu; owned by the page

    // help
    auto *about = new AboutWindowHolder(page.context(), page); // owned by the page
    QObject::connect(&page, &MainPage::aboutRequested, about, &AboutWindowHolder::show);
}

} // namespace portdesk
