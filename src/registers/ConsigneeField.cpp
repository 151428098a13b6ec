#include "registers/ConsigneeField.h"

#include "form/MainPage.h"
#include "form/PickList.h"
#include "form/WindowOpener.h"
#include "model/ConsigneeRegister.h"
#include "platform/Prompts.h"
#include "registers/ConsigneeWindow.h"
#include "store/WorkDirCheck.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace portdesk {

ConsigneeField::ConsigneeField(MainPage &page) : QObject(&page), page_(page)
{
    names_ = readConsigneeNames(page_.context().consigneeIni());
    appendKeepingText(page_.ShouHuoRen, names_);

    if (PickList *list = PickList::of(page_.ShouHuoRen))
        connect(list, &PickList::picked, this, &ConsigneeField::picked);
    connect(page_.ShouHuoRen, &QComboBox::editTextChanged, this, &ConsigneeField::textChanged);
    opener_ = new WindowOpener(page_, WhileOpen::Disabled, [this](Context &ctx) {
        auto *window = new ConsigneeWindow(ctx, page_.document().value()[DeclField::ShouHuoRen]);
        connect(window, &ConsigneeWindow::consigneeAdded, this, &ConsigneeField::added);
        return window;
    });
    connect(page_.SHRgl, &QToolButton::clicked, this, &ConsigneeField::openRegister);
}

ConsigneeWindow *ConsigneeField::registerWindow() const
{
    return qobject_cast<ConsigneeWindow *>(opener_->window());
}

// Only a real pick arrives here (PickList): leaving the list with a
// registered name typed never pulls the cursor back to the goods.
void ConsigneeField::picked()
{
    page_.LingCun->setEnabled(true);
    if (page_.MingCheng[0])
        page_.MingCheng[0]->setFocus();
}

// A declaration cannot be saved without a consignee.
void ConsigneeField::textChanged(const QString &text)
{
    page_.LingCun->setEnabled(!text.isEmpty());
}

void ConsigneeField::openRegister()
{
    opener_->open();
}

void ConsigneeField::added(const QString &name)
{
    if (names_.contains(name))
        return;
    names_ << name;
    appendKeepingText(page_.ShouHuoRen, {name});
}

} // namespace portdesk
