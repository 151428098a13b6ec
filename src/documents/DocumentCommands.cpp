#include "documents/DocumentCommands.h"

#include "documents/ViewFiles.h"
#include "form/ClickLabel.h"
#include "form/MainPage.h"
#include "form/PickList.h"
#include "form/WindowPlacement.h"
#include "model/DeclarationFile.h"
#include "model/NameQuestion.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "store/DocumentNames.h"
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
#include <QWindow>

namespace portdesk {

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

    render();
}

DocumentCommands::~DocumentCommands() = default;

bool DocumentCommands::eventFilter(QObject *watched, QEvent *event)
{
    // The browser appears beside the main window when the program starts:
    // once the main window has been painted, so that a folder of thousands
    // of files never holds up the first sight of the window. The paint
    // ends with the window on screen; the queued call runs after it.
    if (watched == &page_ && event->type() == QEvent::Paint && !shownAtStart_) {
        shownAtStart_ = true;
        QTimer::singleShot(0, this, [this] {
            placeBrowserBeside();
            showBrowser();
        });
    }
    return QObject::eventFilter(watched, event);
}

namespace {

// Places a window not yet shown by its frame's top-left corner, so that its
// title bar lines up with the main window's: move() on a window without a
// frame yet would place its inner area there, a title bar lower.
void placeFrameAt(QWidget &window, const QPoint &frameTopLeft)
{
    window.winId(); // the native window, whose frame the system then places
    if (QWindow *handle = window.windowHandle())
        handle->setFramePosition(frameTopLeft);
    else
        window.move(frameTopLeft);
}

} // namespace

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
        placeFrameAt(*browser_, QPoint(left + main.width() + gap, main.top()));
        return;
    }
    QPoint at(main.right() + gap, main.top());
    if (area.isValid() && at.x() + width > area.right())
        at.setX(std::max(area.left(), main.left() - width - gap));
    placeFrameAt(*browser_, at);
}

void DocumentCommands::render()
{
    const DocumentSession &s = session_;
    page_.DangQianWenJian = s.file;
    page_.setWindowTitle(s.caption());
    page_.Tip->setText(s.status);
    page_.WenJianJia->setText(s.folder);
    page_.GuiDang->setEnabled(s.guiDang);
    page_.FeiYong->setEnabled(s.feiYong);
    page_.DaoChu->setEnabled(s.daoChu);
    // A locked consignee is no more picked from the list than typed: the
    // file's name and content carry it.
    if (PickList *list = PickList::of(page_.ShouHuoRen))
        list->setLocked(s.consigneeLocked);
    page_.BaoJianXinXi->setText(s.number.isEmpty() ? QString()
                                                   : archiveParticulars(s.date, s.number));
    page_.BaoJianXinXi->setVisible(!s.number.isEmpty());
    page_.LiuLan->setText(positionText(s.selected, s.count));
    page_.FanYe[0]->setEnabled(s.stepping);
    page_.FanYe[1]->setEnabled(s.stepping);
}

// --- the file -------------------------------------------------------------------

bool DocumentCommands::DoBaoCun(QString *error)
{
    const QString name = QFileInfo(session_.file).fileName();
    QString why;
    const DeclarationDocument &document = page_.document();
    if (!writeDeclaration(session_.file, document.value(), document.kept(), &why)) {
        if (error)
            *error = why;
        else
            ctx_.prompts.warn(QStringLiteral("保存“") + name + QStringLiteral("”失败！\n") + why);
        return false;
    }
    session_.consigneeLocked = true;
    render();
    emit stored();
    ctx_.prompts.inform(QStringLiteral("保存“") + session_.caption() + QStringLiteral("”成功！"));
    return true;
}

bool DocumentCommands::DoDaKai()
{
    if (!workDirReachable(ctx_, QStringLiteral("打开失败！")))
        return false;
    if (!QFileInfo(session_.file).isFile()) {
        ctx_.prompts.inform(QStringLiteral("文件不存在！"));
        return false;
    }
    LoadedDeclaration loaded;
    QString error;
    if (!readDeclaration(session_.file, loaded, &error)) {
        ctx_.prompts.warn(QStringLiteral("打开“") + QFileInfo(session_.file).fileName() +
                          QStringLiteral("”失败！\n") + error);
        return false;
    }
    session_.number = loaded.number;
    session_.date = loaded.number.isEmpty() ? QString() : loaded.date;
    if (!loaded.number.isEmpty())
        session_.status = statusArchived();
    page_.document().load(loaded.content, loaded.kept);
    session_.consigneeLocked = true;
    updatePosition();
    if (const QString notice = keptFieldsNotice(loaded.kept); !notice.isEmpty())
        ctx_.prompts.warn(notice);
    return true;
}

// --- state ----------------------------------------------------------------------

void DocumentCommands::applyState(DocEvent event)
{
    session_.apply(stateAfter(event));
    render();
}

void DocumentCommands::updatePosition()
{
    const BrowserPosition &at = browser_->position();
    session_.selected = at.selected;
    session_.count = at.count();
    session_.stepping = steppingEnabled(session_.count);
    render();
}

// --- commands -------------------------------------------------------------------

void DocumentCommands::newDeclaration()
{
    page_.ShouHuoRen->setFocus();
    if (!workDirReachable(ctx_))
        return;
    if (!ctx_.prompts.askYesNo(QStringLiteral("新建将清空表格中所有数据，是否继续？")))
        return;
    page_.document().load(Declaration{});
    session_.file.clear();
    session_.number.clear();
    session_.date.clear();
    session_.selected = -1;
    session_.count = 0;
    session_.stepping = false;
    applyState(DocEvent::New);
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
    browser_->syncToFolderLabel(session_.folder);
    showBrowser();
}

void DocumentCommands::showBrowser()
{
    browser_->prepare();
    page_.setEnabled(false);
    bringToFront(*browser_);
}

void DocumentCommands::browserClosing()
{
    browser_->syncToFolderLabel(session_.folder);
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
    const DocumentSession before = session_;
    session_.file = path;
    applyState(openEvent(DocFolder(option)));
    if (!DoDaKai()) {
        session_ = before; // the record on screen still belongs to the old file
        render();
    }
}

void DocumentCommands::fileRenamed(const QString &from, const QString &to)
{
    if (session_.file != from)
        return;
    session_.file = to;
    render();
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
    if (session_.hasFile()) {
        const MsgAnswer answer = ctx_.prompts.message(
            QStringLiteral("您是要覆盖原文件吗？如果要保存为新文件请选“否”。"), appTitle(),
            MsgIcon::Warning, MsgButtons::YesNoCancel, MsgAnswer::Cancel);
        if (answer == MsgAnswer::Yes)
            DoBaoCun();
        if (answer != MsgAnswer::No)
            return;
    }

    NameQuestion question{saveAsTitle(), saveAsPrompt(), nullptr, nullptr, nullptr};
    question.proposal = [this] {
        return saveAsProposal(page_.document().value()[DeclField::ShouHuoRen], ctx_.clock.now());
    };
    question.verdict = [this](const QString &name) {
        if (name == session_.caption()) {
            ctx_.prompts.warn(QStringLiteral("该文件名已经存在！请重新输入。"));
            return NameVerdict::AskAgain;
        }
        // Another declaration of that name is never replaced silently.
        if (QFileInfo::exists(ctx_.savedDir() + '/' + name)) {
            const MsgAnswer replace = ctx_.prompts.message(
                QStringLiteral("“") + name + QStringLiteral("”已经存在，要替换它吗？"), appTitle(),
                MsgIcon::Warning, MsgButtons::YesNo, MsgAnswer::No);
            if (replace != MsgAnswer::Yes)
                return NameVerdict::AskAgain;
        }
        return NameVerdict::Use;
    };
    const std::optional<QString> chosen = askFileName(ctx_.prompts, question);
    if (!chosen)
        return;
    const QString name = *chosen;

    const QString previous = session_.file;
    session_.file = ctx_.savedDir() + '/' + name;
    if (!DoBaoCun()) {
        session_.file = previous;
        return;
    }

    browser_->prepare();
    browser_->chooseOption(int(DocFolder::Saved));
    const int index = browser_->position().indexOf(name);
    browser_->select(index >= 0 ? index : browser_->position().count() - 1);

    // The new file carries no archive particulars.
    session_.number.clear();
    session_.date.clear();
    applyState(DocEvent::SaveAs);
    updatePosition();
}

void DocumentCommands::step(int direction)
{
    page_.ShouHuoRen->setFocus();
    if (!workDirReachable(ctx_))
        return;
    browser_->prepare();
    // The folder may have changed since the list was read (printing,
    // archiving, another desk on the shared drive); its change time tells.
    browser_->rereadIfChanged();
    const int target = browser_->position().stepTarget(direction);
    if (target < 0) { // the folder has no file left
        session_.selected = -1;
        session_.count = 0;
        session_.stepping = false;
        render();
        return;
    }
    browser_->select(target);
    const QString previous = session_.file;
    session_.file = browser_->position().pathOf(target);
    if (!DoDaKai()) {
        session_.file = previous;
        render();
    }
}

bool DocumentCommands::printed(const QString &path, QString *error)
{
    // A new file, never one stored by another desk the same second.
    const std::optional<QString> made =
        createDeclaration(path, page_.document().value(), page_.document().kept(), error);
    if (!made)
        return false;
    session_.file = *made;
    session_.consigneeLocked = true;
    render();
    emit stored();
    ctx_.prompts.inform(QStringLiteral("保存“") + session_.caption() + QStringLiteral("”成功！"));
    session_.number.clear();
    session_.date.clear();
    applyState(DocEvent::Print);
    browser_->prepare();
    browser_->chooseOption(int(DocFolder::Printed));
    const int count = browser_->position().count();
    browser_->select(count - 1);
    session_.selected = count - 1;
    session_.count = count;
    session_.stepping = true; // even for the only printed file
    render();
    return true;
}

void DocumentCommands::archived(const QString &path, const QString &number, const QString &date)
{
    session_.number = number;
    session_.date = date;
    render();
    ctx_.prompts.inform(QStringLiteral("归档成功！"));
    browser_->prepare();
    browser_->reread();
    if (browser_->count() == 0) {
        session_.folder = folderLabel(DocFolder::Archived);
        browser_->chooseOption(int(DocFolder::Archived));
        browser_->select(browser_->count() - 1);
        session_.file = path;
        session_.feiYong = session_.daoChu = true;
    } else {
        browser_->select(browser_->count() - 1);
        session_.file = browser_->pathOf(browser_->count() - 1);
        session_.status = statusPrinted();
    }
    render();
    DoDaKai();
}

void DocumentCommands::restore(const Declaration &content, const KeptFields &kept,
                               const QString &file)
{
    const bool belongs = !file.isEmpty() && QFileInfo(file).isFile();
    session_.file = belongs ? file : QString();
    session_.number.clear();
    session_.date.clear();
    session_.selected = -1;
    session_.count = 0;
    session_.stepping = false;
    DocEvent event = DocEvent::New;
    if (belongs) {
        const QString folder = QFileInfo(file).absolutePath();
        event = folder == ctx_.printedDir()                   ? DocEvent::OpenPrinted
                : folder.startsWith(ctx_.archivedDir() + '/') ? DocEvent::OpenArchived
                                                              : DocEvent::OpenSaved;
    }
    applyState(event);
    page_.document().load(content, kept);
    if (belongs)
        session_.consigneeLocked = true;
    render();
}

bool DocumentCommands::openArchived(const QString &path)
{
    return openFound(path, DocFolder::Archived);
}

bool DocumentCommands::openFound(const QString &path, DocFolder folder)
{
    if (browser_->isVisible())
        browser_->closeBrowser();
    const DocumentSession before = session_;
    session_.file = path;
    applyState(openEvent(folder));
    if (!DoDaKai()) {
        session_ = before; // the record on screen still belongs to the old file
        render();
        return false;
    }
    session_.selected = -1;
    session_.count = 0;
    session_.stepping = false;
    render();
    return true;
}

} // namespace portdesk
