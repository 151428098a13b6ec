#include "documents/ViewFiles.h"

#include "form/PickList.h"
#include "model/DocumentState.h"
#include "model/NameQuestion.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "store/DocumentNames.h"
#include "store/FileErrors.h"
#include "store/FolderListing.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace portdesk {

namespace {

QString arrayName(const char *name, int index)
{
    return QString::fromLatin1(name) + '(' + QString::number(index) + ')';
}

// A pick list whose text is set by the browser but never typed: the edit
// field shows a year or month that may have no folder yet.
PickList *pickList(QWidget *parent, const char *name)
{
    auto *combo = new PickList(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->lineEdit()->setReadOnly(true);
    combo->setMinimumWidth(80);
    return combo;
}

// Shows a text in a list, with its item current when it has one, so that the
// opened list starts at what the box reads.
void showInList(QComboBox *combo, const QString &text)
{
    combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text, Qt::MatchExactly));
    combo->setEditText(text);
}

} // namespace

ViewFiles::ViewFiles(Context &ctx, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      ctx_(ctx)
{
    setObjectName(QStringLiteral("ViewFiles"));
    setWindowTitle(QStringLiteral("浏览文件"));
    build();
}

void ViewFiles::build()
{
    auto *outer = new QVBoxLayout(this);

    auto *options = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        Option1[i] = new QRadioButton(browserOptions()[i].caption, this);
        Option1[i]->setObjectName(arrayName("Option1", i));
        options->addWidget(Option1[i]);
        // Clicking the chosen option again re-reads its folder.
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { chooseOption(i); });
    }
    options->addStretch();
    outer->addLayout(options);

    auto *pickRow = new QHBoxLayout;
    const char *captions[] = {"年份", "月份"};
    Combo1 = pickList(this, "Combo1");
    Combo2 = pickList(this, "Combo2");
    for (int i = 0; i < 2; ++i) {
        Label1[i] = new QLabel(QString::fromUtf8(captions[i]), this);
        Label1[i]->setObjectName(arrayName("Label1", i));
        pickRow->addWidget(Label1[i]);
        pickRow->addWidget(i == 0 ? Combo1 : Combo2);
    }
    Tip = new QLabel(this);
    Tip->setObjectName(QStringLiteral("Tip"));
    Tip->setWordWrap(true);
    pickRow->addWidget(Tip, 1);
    pickRow->addStretch();
    outer->addLayout(pickRow);

    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setUniformItemSizes(true); // thousands of names lay out at once
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    outer->addWidget(File1, 1);

    ZongJi = new QLabel(this);
    ZongJi->setObjectName(QStringLiteral("ZongJi"));
    outer->addWidget(ZongJi);

    auto *buttons = new QHBoxLayout;
    const char *cmdCaptions[] = {"打开(&O)", "取消(&Q)", "删除(&D)", "改名(&R)"};
    for (int i = 0; i < 4; ++i) {
        Cmd[i] = new QPushButton(QString::fromUtf8(cmdCaptions[i]), this);
        Cmd[i]->setObjectName(arrayName("Cmd", i));
        buttons->addWidget(Cmd[i]);
    }
    outer->addLayout(buttons);

    // The year and month are picked, never typed: input-method commits are
    // dropped as the read-only fields drop keys and pastes.
    Combo1->lineEdit()->installEventFilter(this);
    Combo2->lineEdit()->installEventFilter(this);
    connect(Combo1, &PickList::picked, this, &ViewFiles::chooseYear);
    connect(Combo2, &PickList::picked, this, &ViewFiles::chooseMonth);
    connect(File1, &QListWidget::currentRowChanged, this, &ViewFiles::selectionChanged);
    connect(File1, &QListWidget::itemDoubleClicked, this, &ViewFiles::openSelected);
    connect(Cmd[0], &QPushButton::clicked, this, &ViewFiles::openSelected);
    connect(Cmd[1], &QPushButton::clicked, this, &ViewFiles::closeBrowser);
    connect(Cmd[2], &QPushButton::clicked, this, &ViewFiles::deleteSelected);
    connect(Cmd[3], &QPushButton::clicked, this, &ViewFiles::renameSelected);

    disableFileCommands();
    resize(460, 420);
}

void ViewFiles::prepare()
{
    if (prepared_)
        return;
    prepared_ = true;
    ensureDir(ctx_.savedDir());
    Combo1->clear();
    Combo2->clear();
    Combo1->addItems(listSubfolders(ctx_.archivedDir()));
    chooseOption(int(DocFolder::Printed));
    showTotal();
}

int ViewFiles::option() const
{
    for (int i = 0; i < 3; ++i) {
        if (Option1[i]->isChecked())
            return i;
    }
    return -1;
}

void ViewFiles::chooseOption(int index)
{
    Option1[index]->setChecked(true);
    disableFileCommands();
    Combo2->clear();
    const bool archive = index == int(DocFolder::Archived);
    for (QWidget *w : {static_cast<QWidget *>(Label1[0]), static_cast<QWidget *>(Label1[1]),
                       static_cast<QWidget *>(Combo1), static_cast<QWidget *>(Combo2)})
        w->setVisible(archive);
    Tip->setVisible(!archive);
    if (!archive) {
        Tip->setText(browserOptions()[index].description);
        setFolder(index == int(DocFolder::Saved) ? ctx_.savedDir() : ctx_.printedDir());
        return;
    }
    const QDateTime now = ctx_.clock.now();
    const QString year = now.toString(QStringLiteral("yyyy"));
    const QString month = now.toString(QStringLiteral("MM"));
    showInList(Combo1, year);
    const QString yearDir = ctx_.archivedDir() + '/' + year;
    Combo2->addItems(listSubfolders(yearDir));
    showInList(Combo2, month);
    const QString monthDir = yearDir + '/' + month;
    // Without this month's folder the list shows the archive itself.
    setFolder(dirExists(monthDir) ? monthDir : ctx_.archivedDir());
}

void ViewFiles::syncToFolderLabel(const QString &label)
{
    const int index = optionForFolderLabel(label);
    if (index >= 0 && !Option1[index]->isChecked())
        chooseOption(index);
}

void ViewFiles::chooseYear()
{
    const QString yearDir = ctx_.archivedDir() + '/' + Combo1->currentText();
    Combo2->clear();
    Combo2->addItems(listSubfolders(yearDir));
    // No month is chosen until one is picked: the list shows the year's folder.
    showInList(Combo2, QString());
    setFolder(yearDir);
    Combo2->setFocus();
}

void ViewFiles::chooseMonth()
{
    setFolder(ctx_.archivedDir() + '/' + Combo1->currentText() + '/' + Combo2->currentText());
}

void ViewFiles::setFolder(const QString &path)
{
    folder_ = path;
    refresh();
    File1->scrollToBottom();
    showTotal();
}

void ViewFiles::refresh()
{
    const QStringList names = listDeclarationFiles(folder_);
    File1->setUpdatesEnabled(false);
    File1->clear();
    File1->addItems(names);
    File1->setCurrentRow(-1);
    File1->setUpdatesEnabled(true);
    disableFileCommands();
}

void ViewFiles::showEvent(QShowEvent *event)
{
    // Files printed, archived or copied in since the last look show up.
    if (stale_) {
        stale_ = false;
        reread();
    }
    QWidget::showEvent(event);
}

void ViewFiles::reread()
{
    const QString current = selected() >= 0 ? fileName(selected()) : QString();
    refresh();
    showTotal();
    if (!current.isEmpty())
        select(indexOf(current));
}

void ViewFiles::hideEvent(QHideEvent *event)
{
    stale_ = true;
    QWidget::hideEvent(event);
}

void ViewFiles::showTotal()
{
    ZongJi->setText(totalCountLine(count()));
}

int ViewFiles::count() const
{
    return File1->count();
}

int ViewFiles::selected() const
{
    return File1->currentRow();
}

QString ViewFiles::fileName(int index) const
{
    const QListWidgetItem *item = File1->item(index);
    return item ? item->text() : QString();
}

QString ViewFiles::pathOf(int index) const
{
    return folder_ + '/' + fileName(index);
}

int ViewFiles::indexOf(const QString &name) const
{
    const QList<QListWidgetItem *> found = File1->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? -1 : File1->row(found.first());
}

void ViewFiles::select(int index)
{
    File1->setCurrentRow(index);
}

void ViewFiles::selectionChanged(int row)
{
    if (row < 0) {
        disableFileCommands();
        return;
    }
    Cmd[0]->setEnabled(true);
    Cmd[2]->setEnabled(true);
    Cmd[3]->setEnabled(option() == int(DocFolder::Saved));
    ZongJi->setText(selectedCountLine(row, count()));
}

void ViewFiles::disableFileCommands()
{
    Cmd[0]->setEnabled(false);
    Cmd[2]->setEnabled(false);
    Cmd[3]->setEnabled(false);
}

void ViewFiles::openSelected()
{
    const int row = selected();
    if (row < 0)
        return;
    emit openRequested(pathOf(row), option());
    closeBrowser();
}

void ViewFiles::closeBrowser()
{
    emit closing();
    hide();
}

bool ViewFiles::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::InputMethod)
        return true;
    return QWidget::eventFilter(watched, event);
}

void ViewFiles::closeEvent(QCloseEvent *event)
{
    // The title bar (and Alt+F4) never closes the browser: those requests
    // come from the window system. The program closing it does.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    emit closing();
    event->accept();
}

void ViewFiles::deleteSelected()
{
    const int row = selected();
    if (row < 0)
        return;
    const QString name = fileName(row);
    const MsgAnswer answer = ctx_.prompts.message(
        QStringLiteral("将要删除“") + name + QStringLiteral("”，是否继续？"),
        QStringLiteral("谨慎操作！"), MsgIcon::Warning, MsgButtons::YesNo, MsgAnswer::No);
    if (answer != MsgAnswer::Yes)
        return;
    QFile file(pathOf(row));
    if (file.exists() && !file.remove())
        ctx_.prompts.warn(QStringLiteral("删除“") + name + QStringLiteral("”失败！\n") +
                          fileErrorReason(file));
    refresh();
    showTotal();
}

void ViewFiles::renameSelected()
{
    const int row = selected();
    if (row < 0)
        return;
    const QString current = fileName(row);
    const QString from = pathOf(row);
    NameQuestion question{renameTitle(), renamePrompt(), [&] { return current; }, nullptr, nullptr};
    question.givesUp = [&](const QString &filtered) {
        return filtered == current || filtered == dclSuffix();
    };
    question.verdict = [&](const QString &name) {
        if (QFileInfo::exists(folder_ + '/' + name)) {
            ctx_.prompts.warn(QStringLiteral("该文件名已经存在！"));
            return NameVerdict::AskAgain;
        }
        return NameVerdict::Use;
    };
    const std::optional<QString> name = askFileName(ctx_.prompts, question);
    if (!name)
        return;
    if (QFile::exists(from)) {
        const QString to = folder_ + '/' + *name;
        QFile file(from);
        if (file.rename(to))
            emit renamed(from, to);
        else
            ctx_.prompts.warn(QStringLiteral("改名失败！“") + current +
                              QStringLiteral("”仍用原名。\n") + fileErrorReason(file));
    }
    refresh();
    showTotal();
}

} // namespace portdesk
