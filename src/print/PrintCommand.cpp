#include "print/PrintCommand.h"

#include "form/MainPage.h"
#include "form/WindowPlacement.h"
#include "model/ConsigneeRegister.h"
#include "model/PrintChecks.h"
#include "model/PrintedFileName.h"
#include "model/StorableDeclaration.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "store/WorkDirCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

namespace portdesk {

PrintCommand::PrintCommand(MainPage &page, PrintWindow::RecordPrinted recordPrinted)
    : QObject(&page), page_(page), recordPrinted_(std::move(recordPrinted))
{
    setObjectName(QStringLiteral("PrintCommand"));
    connect(page.DaYin, &QToolButton::clicked, this, &PrintCommand::run);
}

void PrintCommand::run()
{
    page_.ShouHuoRen->setFocus();
    if (!workDirReachable(page_.context()))
        return;
    // The register as it is now, not the list this desk filled at start-up:
    // the sheet takes the consignee's particulars from this file a moment
    // later, and another desk may have added the consignee meanwhile.
    const QStringList consignees = peekConsigneeNames(page_.context().consigneeIni());
    const Declaration declaration = page_.document().value();
    if (const auto failure = firstFailedCheck(declaration, consignees)) {
        page_.context().prompts.warn(failure->message);
        moveFocus(failure->focus);
        return;
    }
    // A declaration its printed file could not hold is never put on paper.
    const QString name =
        printedFileName(declaration[DeclField::ShouHuoRen], page_.context().clock.now());
    if (const auto problem = storeProblem(declaration, page_.document().kept(), name)) {
        page_.context().prompts.warn(problem->message);
        moveFocus(problem->focus);
        return;
    }
    if (!window_)
        window_ = new PrintWindow(page_.context(), declaration, page_, recordPrinted_);
    bringToFront(*window_);
}

void PrintCommand::moveFocus(const FieldRef &field)
{
    // A field of rows 2 to 10 is shown before it takes the cursor.
    if (field.index > 0 && field.name != QStringLiteral("BZshuliang") &&
        field.name != QStringLiteral("BZzhonglei") && !page_.goodsExpanded())
        page_.More->setChecked(true);
    if (QWidget *w = page_.field(field))
        w->setFocus(Qt::OtherFocusReason);
}

} // namespace portdesk
