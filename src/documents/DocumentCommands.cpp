#include "documents/DocumentCommands.h"

#include "documents/DeclarationBinding.h"
#include "documents/DeclarationFile.h"
#include "documents/ViewFiles.h"
#include "form/ClickLabel.h"
#include "form/MainPage.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "store/DocumentNames.h"
#include "store/FileNameFilter.h"
#include "store/WorkDirCheck.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace portdesk {

struct DocumentCommands::Snapshot {
    QString path, caption, status, folder;
    bool guiDang, feiYong, daoChu, locked;
};

DocumentCommands::DocumentCommands(MainPage &page)
    : QObject(&page), page_(page), ctx_(page.context()),
      browser_(std::make_unique<ViewFiles>(page.context()))
{
    setObjectName(QStringLiteral("DocumentCommands"));
    connect(page.XinJian, &QToolButton::clicked, this, &DocumentCommands::newDeclaration);
    connect(page.DaKai, &QToolButton::clicked, this, &DocumentCommands::open);
    connect(page.LingCun, &QToolButton::clicked, this, &DocumentCommands::save);
    connect(page.FanYe[0], &QPushButton::clicked, this, [this] { step(-1); });
    connect(page.FanYe[1], &QPushButton::clicked, this, [this] { step(+1); });
    connect(page.WenJianJia, &ClickLabel::clicked, this, &DocumentCommands::browseOriginFolder);

    connect(browser_.get(), &ViewFiles::openRequested, this, &DocumentCommands::openFromBrowser);
    connect(browser_.get(), &ViewFiles::closing, this, &DocumentCommands::browserClosing);
    connect(browser_.get(), &ViewFiles::renamed, this, &DocumentCommands::fileRenamed);

    page.installEventFilter(this);
    page.ShouHuoRen->installEventFilter(this);

    page.setWindowTitle(newCaption());
    page.Tip->setText(statusPreEntry());
    page.WenJianJia->setText(folderLabelNew());
}

DocumentCommands::~DocumentCommands() = default;

DocumentCommands *DocumentCommands::of(const MainPage &page)
{
    return page.findChild<DocumentCommands *>(QStringLiteral("DocumentCommands"),
                                              Qt::FindDirectChildrenOnly);
}

namespace {

// What changes a drop-down list's item or opens its list without typing:
// the wheel, the list button, F4, Alt+arrows, PageUp/PageDown.
bool changesListItem(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::KeyPress: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_F4:
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            return key->modifiers() & Qt::AltModifier;
        default:
            return false;
        }
    }
    default:
        return false;
    }
}

} // namespace

bool DocumentCommands::eventFilter(QObject *watched, QEvent *event)
{
    // A locked consignee is no more picked from the list than typed: the
    // file's name and content carry it. Clicks on the text still focus it.
    if (watched == page_.ShouHuoRen && changesListItem(event)) {
        const QLineEdit *edit = page_.ShouHuoRen->lineEdit();
        return edit && edit->isReadOnly();
    }
    // The browser appears beside the main window when the program starts:
    // once the main window has been shown and placed.
    if (watched == &page_ && event->type() == QEvent::Show && !shownAtStart_) {
        shownAtStart_ = true;
        QTimer::singleShot(0, this, [this] {
            placeBrowserBeside();
            showBrowser();
        });
    }
    return QObject::eventFilter(watched, event);
}

void DocumentCommands::placeBrowserBeside()
{
    // The browser has not been shown yet, so its frame is not known: take
    // its size hint. When the pair fits on the screen, centre the pair, so
    // that neither window hides the other.
    browser_->adjustSize();
    const QRect main = page_.frameGeometry();
    const int gap = 8;
    const int width = browser_->width();
    const QRect area = page_.screen() ? page_.screen()->availableGeometry() : QRect();
    if (area.isValid() && main.width() + gap + width <= area.width()) {
        const int left = area.left() + (area.width() - main.width() - gap - width) / 2;
        page_.move(left + (page_.pos().x() - main.left()), page_.pos().y());
        browser_->move(left + main.width() + gap, main.top());
        return;
    }
    QPoint at(main.right() + gap, main.top());
    if (area.isValid() && at.x() + width > area.right())
        at.setX(std::max(area.left(), main.left() - width - gap));
    browser_->move(at);
}

void DocumentCommands::setConsigneeLocked(bool locked)
{
    if (QLineEdit *edit = page_.ShouHuoRen->lineEdit())
        edit->setReadOnly(locked);
}

void DocumentCommands::setCaptionToFile()
{
    page_.setWindowTitle(QFileInfo(page_.DangQianWenJian).fileName());
}

void DocumentCommands::hideParticulars()
{
    page_.BaoJianXinXi->clear();
    page_.BaoJianXinXi->hide();
}

// --- the file -------------------------------------------------------------------

bool DocumentCommands::DoBaoCun()
{
    const QString name = QFileInfo(page_.DangQianWenJian).fileName();
    QString error;
    if (!writeDeclaration(page_.DangQianWenJian, declarationOnPage(page_), &error)) {
        ctx_.prompts.warn(QStringLiteral("保存“") + name + QStringLiteral("”失败！\n") + error);
        return false;
    }
    setCaptionToFile();
    setConsigneeLocked(true);
    ctx_.prompts.inform(QStringLiteral("保存“") + page_.windowTitle() + QStringLiteral("”成功！"));
    return true;
}

bool DocumentCommands::DoDaKai()
{
    if (!workDirReachable(ctx_, QStringLiteral("打开失败！")))
        return false;
    if (!QFileInfo(page_.DangQianWenJian).isFile()) {
        ctx_.prompts.inform(QStringLiteral("文件不存在！"));
        return false;
    }
    LoadedDeclaration loaded;
    QString error;
    if (!readDeclaration(page_.DangQianWenJian, loaded, &error)) {
        ctx_.prompts.warn(QStringLiteral("打开“") + QFileInfo(page_.DangQianWenJian).fileName() +
                          QStringLiteral("”失败！\n") + error);
        return false;
    }
    if (!loaded.number.isEmpty()) {
        page_.Tip->setText(statusArchived());
        page_.BaoJianXinXi->setText(archiveParticulars(loaded.date, loaded.number));
        page_.BaoJianXinXi->show();
    } else {
        hideParticulars();
    }
    showDeclaration(page_, loaded.content);
    setCaptionToFile();
    setConsigneeLocked(true);
    updatePosition();
    return true;
}

// --- state ----------------------------------------------------------------------

void DocumentCommands::applyState(DocEvent event)
{
    const DocumentState s = stateAfter(event);
    if (s.newCaption)
        page_.setWindowTitle(newCaption());
    else
        setCaptionToFile();
    if (!s.status.isEmpty())
        page_.Tip->setText(s.status);
    page_.WenJianJia->setText(s.folder);
    page_.GuiDang->setEnabled(s.guiDang);
    page_.FeiYong->setEnabled(s.feiYong);
    page_.DaoChu->setEnabled(s.daoChu);
    setConsigneeLocked(s.consigneeLocked);
}

void DocumentCommands::updatePosition()
{
    const int count = browser_->count();
    page_.LiuLan->setText(positionText(browser_->selected(), count));
    page_.FanYe[0]->setEnabled(steppingEnabled(count));
    page_.FanYe[1]->setEnabled(steppingEnabled(count));
}

DocumentCommands::Snapshot DocumentCommands::snapshot() const
{
    const QLineEdit *edit = page_.ShouHuoRen->lineEdit();
    return {page_.DangQianWenJian,     page_.windowTitle(),        page_.Tip->text(),
            page_.WenJianJia->text(),  page_.GuiDang->isEnabled(), page_.FeiYong->isEnabled(),
            page_.DaoChu->isEnabled(), edit && edit->isReadOnly()};
}

void DocumentCommands::restore(const Snapshot &s)
{
    page_.DangQianWenJian = s.path;
    page_.setWindowTitle(s.caption);
    page_.Tip->setText(s.status);
    page_.WenJianJia->setText(s.folder);
    page_.GuiDang->setEnabled(s.guiDang);
    page_.FeiYong->setEnabled(s.feiYong);
    page_.DaoChu->setEnabled(s.daoChu);
    setConsigneeLocked(s.locked);
}

// --- commands -------------------------------------------------------------------

void DocumentCommands::newDeclaration()
{
    page_.ShouHuoRen->setFocus();
    if (!workDirReachable(ctx_))
        return;
    if (!ctx_.prompts.askYesNo(QStringLiteral("新建将清空表格中所有数据，是否继续？")))
        return;
    showDeclaration(page_, Declaration{});
    page_.DangQianWenJian.clear();
    applyState(DocEvent::New);
    hideParticulars();
    page_.LiuLan->setText(positionText(-1, 0));
    page_.FanYe[0]->setEnabled(false);
    page_.FanYe[1]->setEnabled(false);
}

void DocumentCommands::open()
{
    page_.ShouHuoRen->setFocus();
    if (!workDirReachable(ctx_))
        return;
    showBrowser();
}

void DocumentCommands::browseOriginFolder()
{
    page_.ShouHuoRen->setFocus();
    browser_->prepare();
    browser_->syncToFolderLabel(page_.WenJianJia->text());
    showBrowser();
}

void DocumentCommands::showBrowser()
{
    browser_->prepare();
    page_.setEnabled(false);
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}

void DocumentCommands::browserClosing()
{
    browser_->syncToFolderLabel(page_.WenJianJia->text());
    page_.setEnabled(true);
    // The browser was the active window; without this the keyboard would go
    // to whatever window the system picks next.
    if (page_.isVisible()) {
        page_.raise();
        page_.activateWindow();
    }
}

void DocumentCommands::openFromBrowser(const QString &path, int option)
{
    const Snapshot before = snapshot();
    page_.DangQianWenJian = path;
    applyState(openEvent(DocFolder(option)));
    if (!DoDaKai())
        restore(before); // the record on screen still belongs to the old file
}

void DocumentCommands::fileRenamed(const QString &from, const QString &to)
{
    if (page_.DangQianWenJian != from)
        return;
    page_.DangQianWenJian = to;
    setCaptionToFile();
}

void DocumentCommands::save()
{
    page_.ShouHuoRen->setFocus();
    if (!workDirReachable(ctx_, QStringLiteral("保存失败！")))
        return;
    if (!ensureDir(ctx_.savedDir())) {
        ctx_.prompts.warn(QStringLiteral("无法创建文件夹“") +
                          QDir::toNativeSeparators(ctx_.savedDir()) +
                          QStringLiteral("”！保存失败！"));
        return;
    }
    if (page_.windowTitle().endsWith(dclSuffix(), Qt::CaseSensitive)) {
        const MsgAnswer answer = ctx_.prompts.message(
            QStringLiteral("您是要覆盖原文件吗？如果要保存为新文件请选“否”。"), appTitle(),
            MsgIcon::Warning, MsgButtons::YesNoCancel, MsgAnswer::Cancel);
        if (answer == MsgAnswer::Yes)
            DoBaoCun();
        if (answer != MsgAnswer::No)
            return;
    }

    QString name;
    for (;;) {
        const std::optional<QString> answer =
            ctx_.prompts.input(saveAsTitle(), saveAsPrompt(),
                               saveAsProposal(page_.ShouHuoRen->currentText(), ctx_.clock.now()));
        if (!answer || answer->isEmpty() || *answer == dclSuffix())
            return;
        name = withDclSuffix(GuoLv(*answer));
        if (const QString problem = fileNameProblem(name); !problem.isEmpty()) {
            ctx_.prompts.warn(problem);
            continue;
        }
        if (name == page_.windowTitle()) {
            ctx_.prompts.warn(QStringLiteral("该文件名已经存在！请重新输入。"));
            continue;
        }
        // Another declaration of that name is never replaced silently.
        if (QFileInfo::exists(ctx_.savedDir() + '/' + name)) {
            const MsgAnswer replace = ctx_.prompts.message(
                QStringLiteral("“") + name + QStringLiteral("”已经存在，要替换它吗？"), appTitle(),
                MsgIcon::Warning, MsgButtons::YesNo, MsgAnswer::No);
            if (replace != MsgAnswer::Yes)
                continue;
        }
        break;
    }

    const QString previous = page_.DangQianWenJian;
    page_.DangQianWenJian = ctx_.savedDir() + '/' + name;
    if (!DoBaoCun()) {
        page_.DangQianWenJian = previous;
        return;
    }

    browser_->prepare();
    browser_->chooseOption(int(DocFolder::Saved));
    browser_->showTotal();
    const int index = browser_->indexOf(name);
    browser_->select(index >= 0 ? index : browser_->count() - 1);

    applyState(DocEvent::SaveAs);
    // The new file carries no archive particulars.
    hideParticulars();
    updatePosition();
}

void DocumentCommands::step(int direction)
{
    page_.ShouHuoRen->setFocus();
    browser_->prepare();
    // The folder may have changed since the list was read (printing,
    // archiving, another desk on the shared drive).
    browser_->reread();
    const int count = browser_->count();
    if (count == 0) {
        page_.FanYe[0]->setEnabled(false);
        page_.FanYe[1]->setEnabled(false);
        page_.LiuLan->setText(positionText(-1, 0));
        return;
    }
    const int current = browser_->selected();
    int target;
    if (direction < 0)
        target = current <= 0 ? count - 1 : current - 1;
    else
        target = current >= count - 1 ? 0 : current + 1;
    browser_->select(target);
    const QString previous = page_.DangQianWenJian;
    page_.DangQianWenJian = browser_->pathOf(target);
    if (!DoDaKai())
        page_.DangQianWenJian = previous;
}

bool DocumentCommands::printed(const QString &path)
{
    const QString previous = page_.DangQianWenJian;
    page_.DangQianWenJian = path;
    if (!DoBaoCun()) {
        page_.DangQianWenJian = previous;
        return false;
    }
    applyState(DocEvent::Print);
    hideParticulars();
    browser_->prepare();
    browser_->chooseOption(int(DocFolder::Printed));
    browser_->showTotal();
    const int count = browser_->count();
    browser_->select(count - 1);
    page_.LiuLan->setText(positionText(count - 1, count));
    page_.FanYe[0]->setEnabled(true);
    page_.FanYe[1]->setEnabled(true);
    return true;
}

} // namespace portdesk
