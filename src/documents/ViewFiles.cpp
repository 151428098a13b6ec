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
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
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

// The work directory's folders as the browser's listing reads them.
class DiskFolders final : public FolderReader {
public:
    QStringList files(const QString &folder) const override { return listDeclarationFiles(folder); }
    QStringList subfolders(const QString &folder) const override { return listSubfolders(folder); }
    bool exists(const QString &folder) const override { return dirExists(folder); }
    QDateTime modified(const QString &folder) const override { return folderModified(folder); }
};

const DiskFolders onDisk;

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// Refills a list only when the position's items differ: a refill resets the
// list's current item.
void showItems(QComboBox *combo, const QStringList &items)
{
    if (itemsOf(combo) != items) {
        combo->clear();
        combo->addItems(items);
    }
}

// A file counts as selected only while the list shows it highlighted. Qt
// puts its focus frame on a row when the list takes the focus, without a
// highlight; the first arrow key then highlights that row rather than
// moving past a row that was never chosen.
class FileList final : public QListView {
public:
    using QListView::QListView;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
        if (arrow && event->modifiers() == Qt::NoModifier && currentIndex().isValid() &&
            !selectionModel()->hasSelection()) {
            selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
            scrollTo(currentIndex());
            event->accept();
            return;
        }
        QListView::keyPressEvent(event);
    }
};

} // namespace

ViewFiles::ViewFiles(Context &ctx, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      ctx_(ctx)
{
    clock_.start();
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

    names_ = new QStringListModel(this);
    File1 = new FileList(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setModel(names_);
    File1->setUniformItemSizes(true); // thousands of names lay out at once
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    File1->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
    connect(Combo1, &PickList::picked, this, &ViewFiles::yearPicked);
    connect(Combo2, &PickList::picked, this, &ViewFiles::monthPicked);
    connect(File1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ViewFiles::highlightChanged);
    connect(File1, &QListView::doubleClicked, this, &ViewFiles::openSelected);
    connect(Cmd[0], &QPushButton::clicked, this, &ViewFiles::openSelected);
    connect(Cmd[1], &QPushButton::clicked, this, &ViewFiles::closeBrowser);
    connect(Cmd[2], &QPushButton::clicked, this, &ViewFiles::deleteSelected);
    connect(Cmd[3], &QPushButton::clicked, this, &ViewFiles::renameSelected);

    // Nothing is listed, so nothing is selected, until the first preparation.
    for (int i : {0, 2, 3})
        Cmd[i]->setEnabled(false);
    resize(460, 420);
}

BrowserDirs ViewFiles::dirs() const
{
    return {ctx_.savedDir(), ctx_.printedDir(), ctx_.archivedDir()};
}

void ViewFiles::prepare()
{
    if (prepared_)
        return;
    prepared_ = true;
    ensureDir(ctx_.savedDir());
    position_.prepare(dirs(), onDisk, ctx_.clock.now().date());
    drawFolder();
}

void ViewFiles::chooseOption(int index)
{
    position_.chooseOption(DocFolder(index), dirs(), onDisk, ctx_.clock.now().date());
    drawFolder();
}

void ViewFiles::syncToFolderLabel(const QString &label)
{
    const int index = optionForFolderLabel(label);
    if (index >= 0 && position_.option != DocFolder(index))
        chooseOption(index);
}

void ViewFiles::yearPicked(int index)
{
    position_.pickYear(index, dirs(), onDisk);
    drawFolder();
    Combo2->setFocus();
}

void ViewFiles::monthPicked(int index)
{
    position_.pickMonth(index, dirs(), onDisk);
    drawFolder();
}

int ViewFiles::highlightedRow() const
{
    const QModelIndexList rows = File1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ViewFiles::highlightChanged()
{
    if (drawing_)
        return;
    position_.select(highlightedRow());
    drawSelection();
}

void ViewFiles::select(int index)
{
    position_.select(index);
    drawSelection();
}

void ViewFiles::reread()
{
    position_.reread(onDisk);
    drawList();
}

bool ViewFiles::rereadIfChanged()
{
    if (!position_.rereadIfChanged(onDisk, clock_.elapsed()))
        return false;
    drawList();
    return true;
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

void ViewFiles::hideEvent(QHideEvent *event)
{
    stale_ = true;
    QWidget::hideEvent(event);
}

// --- drawing ----------------------------------------------------------------------

void ViewFiles::drawFolder()
{
    drawChoice();
    drawList();
    // A newly chosen folder shows its latest files.
    File1->scrollToBottom();
}

void ViewFiles::drawChoice()
{
    if (!position_.option)
        return;
    const int index = int(*position_.option);
    Option1[index]->setChecked(true);
    const bool archive = position_.archive();
    for (QWidget *w : {static_cast<QWidget *>(Label1[0]), static_cast<QWidget *>(Label1[1]),
                       static_cast<QWidget *>(Combo1), static_cast<QWidget *>(Combo2)})
        w->setVisible(archive);
    Tip->setVisible(!archive);
    showItems(Combo1, position_.years);
    showItems(Combo2, position_.months);
    if (archive) {
        showInList(Combo1, position_.year);
        showInList(Combo2, position_.month);
    } else {
        Tip->setText(browserOptions()[index].description);
    }
}

void ViewFiles::drawList()
{
    drawing_ = true;
    names_->setStringList(position_.files);
    // The focus frame waits on the last file, where the list is scrolled to.
    if (!position_.files.isEmpty())
        File1->selectionModel()->setCurrentIndex(names_->index(position_.count() - 1),
                                                 QItemSelectionModel::NoUpdate);
    drawing_ = false;
    drawSelection();
}

void ViewFiles::drawSelection()
{
    // Only a row that differs is set: a row the clerk deselected with Ctrl
    // stays as it looks.
    if (highlightedRow() != position_.selected) {
        drawing_ = true;
        QItemSelectionModel *selection = File1->selectionModel();
        if (position_.hasSelection())
            selection->setCurrentIndex(names_->index(position_.selected),
                                       QItemSelectionModel::ClearAndSelect);
        else
            selection->clearSelection();
        drawing_ = false;
    }
    ZongJi->setText(position_.countLine());
    Cmd[0]->setEnabled(position_.hasSelection());
    Cmd[2]->setEnabled(position_.hasSelection());
    Cmd[3]->setEnabled(position_.canRename());
}

// --- commands ---------------------------------------------------------------------

void ViewFiles::openSelected()
{
    if (!position_.hasSelection())
        return;
    emit openRequested(position_.pathOf(position_.selected), option());
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
    if (!position_.hasSelection())
        return;
    const QString name = position_.fileName(position_.selected);
    const MsgAnswer answer = ctx_.prompts.message(
        QStringLiteral("将要删除“") + name + QStringLiteral("”，是否继续？"),
        QStringLiteral("谨慎操作！"), MsgIcon::Warning, MsgButtons::YesNo, MsgAnswer::No);
    if (answer != MsgAnswer::Yes)
        return;
    QFile file(position_.pathOf(position_.selected));
    if (file.exists() && !file.remove())
        ctx_.prompts.warn(QStringLiteral("删除“") + name + QStringLiteral("”失败！\n") +
                          fileErrorReason(file));
    position_.refresh(onDisk);
    drawList();
}

void ViewFiles::renameSelected()
{
    if (!position_.hasSelection())
        return;
    const QString folder = position_.folder;
    const QString current = position_.fileName(position_.selected);
    const QString from = position_.pathOf(position_.selected);
    NameQuestion question{renameTitle(), renamePrompt(), [&] { return current; }, nullptr, nullptr};
    question.givesUp = [&](const QString &filtered) {
        return filtered == current || filtered == dclSuffix();
    };
    question.verdict = [&](const QString &name) {
        if (QFileInfo::exists(folder + '/' + name)) {
            ctx_.prompts.warn(QStringLiteral("该文件名已经存在！"));
            return NameVerdict::AskAgain;
        }
        return NameVerdict::Use;
    };
    const std::optional<QString> name = askFileName(ctx_.prompts, question);
    if (!name)
        return;
    if (QFile::exists(from)) {
        const QString to = folder + '/' + *name;
        QFile file(from);
        if (file.rename(to))
            emit renamed(from, to);
        else
            ctx_.prompts.warn(QStringLiteral("改名失败！“") + current +
                              QStringLiteral("”仍用原名。\n") + fileErrorReason(file));
    }
    position_.refresh(onDisk);
    drawList();
}

} // namespace portdesk
