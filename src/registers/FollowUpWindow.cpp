#include "registers/FollowUpWindow.h"

#include "form/ClickLabel.h"
#include "form/MainPage.h"
#include "form/WindowOpener.h"
#include "form/WindowPlacement.h"
#include "model/ArchivePlan.h"
#include "model/FollowUpCount.h"
#include "platform/Context.h"
#include "platform/Prompts.h"
#include "registers/FollowUpBadge.h"
#include "store/SettingsStore.h"
#include "store/WorkDirCheck.h"
#include "store/WriteBack.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace portdesk {

namespace {

QString statusFrameCaption()
{
    return QStringLiteral("事项状态登记");
}

QString registerFailed(const QString &why)
{
    return QStringLiteral("后期事项登记失败！\n") + why;
}

} // namespace

FollowUpWindow::FollowUpWindow(Context &ctx, const QString &file, Hooks hooks)
    : QWidget(nullptr, Qt::Window), ctx_(ctx), file_(file), hooks_(std::move(hooks))
{
    setObjectName(QStringLiteral("ToBeDone"));
    setWindowTitle(QStringLiteral("后期异常事项记录"));
    buildLayout();

    for (auto &pair : box) {
        QCheckBox *item = pair[0];
        QCheckBox *done = pair[1];
        // Boxes changed by a load or a clearing count as clicks.
        connect(item, &QCheckBox::toggled, this, [this, done](bool ticked) {
            done->setEnabled(ticked);
            if (!ticked)
                done->setChecked(false);
            Cmd1->setEnabled(true);
        });
        connect(done, &QCheckBox::toggled, this, [this] { Cmd1->setEnabled(true); });
    }
    connect(List1, &QListWidget::itemClicked, this, &FollowUpWindow::entryClicked);
    connect(List1, &QListWidget::itemDoubleClicked, this, &FollowUpWindow::entryDoubleClicked);
    connect(Cmd1, &QPushButton::clicked, this, &FollowUpWindow::registerItems);
    connect(Cmd2, &QPushButton::clicked, this, &QWidget::close);

    refreshList();
    loadStatuses();
}

void FollowUpWindow::buildLayout()
{
    Frame1 = new QGroupBox(statusFrameCaption(), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(Frame1);
    for (int i = 0; i < kFollowUpItems; ++i) {
        const FollowUpItem &item = followUpItems()[std::size_t(i)];
        const QString control = QString::fromLatin1(item.control);
        for (int index = 0; index < 2; ++index) {
            auto *check = new QCheckBox(
                index == 0 ? QString::fromUtf8(item.caption) : QStringLiteral("完成"), Frame1);
            check->setObjectName(control + u'(' + QString::number(index) + u')');
            box[std::size_t(i)][std::size_t(index)] = check;
            grid->addWidget(check, i, index);
        }
        box[std::size_t(i)][1]->setEnabled(false);
    }
    Frame1->setEnabled(false); // until an archived declaration's statuses are shown

    Frame2 = new QGroupBox(QStringLiteral("所有未完成单子"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    List1 = new QListWidget(Frame2);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setToolTip(QStringLiteral("单击查看状态，双击打开文件"));
    (new QVBoxLayout(Frame2))->addWidget(List1);

    Cmd1 = new QPushButton(QStringLiteral(" 登  记 (&C) "), this);
    Cmd1->setObjectName(QStringLiteral("Cmd1"));
    Cmd1->setEnabled(false);
    Cmd2 = new QPushButton(QStringLiteral(" 退  出 (&Q) "), this);
    Cmd2->setObjectName(QStringLiteral("Cmd2"));

    auto *right = new QVBoxLayout;
    right->addWidget(Frame1);
    right->addStretch();
    right->addWidget(Cmd1);
    right->addWidget(Cmd2);
    auto *outer = new QHBoxLayout(this);
    outer->addWidget(Frame2, 1);
    outer->addLayout(right);
}

void FollowUpWindow::refreshList()
{
    List1->clear();
    QString error;
    const QStringList entries = openFollowUps(ctx_.tobedoneIni(), &error);
    if (!error.isEmpty())
        ctx_.prompts.warn(error);
    List1->addItems(entries);
    const int count = int(entries.size());
    if (count > 0) {
        Frame2->setTitle(QStringLiteral("所有未完成的单子(") + QString::number(count) + u')');
    } else {
        Frame2->setTitle(QStringLiteral("暂无未完成状态的单子"));
        if (error.isEmpty() && !resetEmptyFollowUps(ctx_.tobedoneIni(), &error))
            ctx_.prompts.warn(error);
    }
    if (hooks_.listed)
        hooks_.listed(count);
}

void FollowUpWindow::loadStatuses()
{
    if (!isArchivedFile(file_, ctx_.savedDir())) {
        Cmd1->setEnabled(false);
        Frame1->setEnabled(false);
        return;
    }
    if (!QFileInfo(file_).isFile()) {
        ctx_.prompts.inform(QStringLiteral("该文件不存在！"));
        return;
    }
    ProfileBatch file(file_);
    if (file.failed()) {
        ctx_.prompts.warn(file.failure());
        return;
    }
    const ItemStatuses statuses = readItemStatuses(file);
    if (const QString why = saveWriteBacks(file); !why.isEmpty())
        ctx_.prompts.warn(why);
    showStatuses(statuses);
    Frame1->setEnabled(true);
    if (QListWidgetItem *selected = List1->currentItem(); selected && selected->isSelected())
        Frame1->setTitle(selected->text());
}

void FollowUpWindow::showStatuses(const ItemStatuses &statuses)
{
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        if (statuses[i] == ItemStatus::None)
            continue;
        box[i][0]->setChecked(true);
        if (statuses[i] == ItemStatus::Done)
            box[i][1]->setChecked(true);
    }
}

void FollowUpWindow::clearBoxes()
{
    for (auto &pair : box) {
        pair[1]->setChecked(false);
        pair[0]->setChecked(false);
    }
    Frame1->setTitle(statusFrameCaption());
}

ItemStatuses FollowUpWindow::boxStatuses() const
{
    ItemStatuses statuses{};
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        statuses[i] = !box[i][0]->isChecked()  ? ItemStatus::None
                      : box[i][1]->isChecked() ? ItemStatus::Done
                                               : ItemStatus::Open;
    }
    return statuses;
}

QString FollowUpWindow::entryPath(const QString &displayText) const
{
    const QString relative = registeredPath(ctx_.tobedoneIni(), displayText);
    return relative.isEmpty() ? QString() : pathFromRegister(ctx_.workDir, relative);
}

void FollowUpWindow::entryClicked(QListWidgetItem *item)
{
    file_ = entryPath(item->text());
    if (!QFileInfo(file_).isFile()) {
        ctx_.prompts.inform(QStringLiteral("该文件不存在！"));
        // The boxes shown belong to another declaration: never register them here.
        clearBoxes();
        Frame1->setEnabled(false);
        Cmd1->setEnabled(false);
        return;
    }
    clearBoxes();
    loadStatuses();
}

void FollowUpWindow::entryDoubleClicked(QListWidgetItem *item)
{
    const QString path = entryPath(item->text());
    if (!QFileInfo(path).isFile()) {
        ctx_.prompts.inform(QStringLiteral("该单不存在！"));
        return;
    }
    if (hooks_.open && hooks_.open(path))
        close();
}

bool FollowUpWindow::writeStatuses(const ItemStatuses &statuses, QString *displayText)
{
    ProfileBatch file(file_);
    QString error;
    if (file.failed()) {
        ctx_.prompts.warn(registerFailed(file.failure()));
        return false;
    }
    *displayText = followUpDisplayText(file);
    if (!writeItemStatuses(file, statuses, &error) || !file.save(&error)) {
        ctx_.prompts.warn(registerFailed(error));
        return false;
    }
    return true;
}

void FollowUpWindow::registerItems()
{
    if (!workDirReachable(ctx_))
        return;
    if (!QFileInfo(file_).isFile()) {
        ctx_.prompts.inform(QStringLiteral("该文件不存在！"));
        return;
    }
    const ItemStatuses statuses = boxStatuses();
    QString displayText;
    if (!writeStatuses(statuses, &displayText))
        return;

    QString error;
    if (followUpFinished(statuses)) {
        if (!leaveFollowUp(ctx_.tobedoneIni(), displayText, &error)) {
            ctx_.prompts.warn(registerFailed(error));
            return;
        }
        Frame1->setEnabled(false);
        clearBoxes();
    } else if (!enterFollowUp(ctx_.tobedoneIni(), displayText,
                              registerRelativePath(ctx_.workDir, file_), &error)) {
        ctx_.prompts.warn(registerFailed(error));
        return;
    }
    refreshList();
    Cmd1->setEnabled(false);
}

void attachFollowUpWindow(MainPage &page, std::function<bool(const QString &path)> open)
{
    auto *opener = new WindowOpener(page, WhileOpen::Disabled, [&page, open](Context &ctx) {
        FollowUpWindow::Hooks hooks;
        hooks.listed = [&page](int count) { showFollowUpBadge(page, count); };
        hooks.open = open;
        return new FollowUpWindow(ctx, page.DangQianWenJian, std::move(hooks));
    });
    QObject::connect(page.HouQi, &QPushButton::clicked, opener, &WindowOpener::open);
    QObject::connect(page.Picture1, &ClickLabel::clicked, opener, [&page] {
        page.ShouHuoRen->setFocus();
        if (workDirReachable(page.context()))
            page.HouQi->click();
    });
}

} // namespace portdesk
