#include "lists/ListWindow.h"

#include "form/CharFilterGuard.h"
#include "form/EnterGuard.h"
#include "form/FieldText.h"
#include "form/FocusGuard.h"
#include "form/MainPage.h"
#include "form/PickList.h"
#include "form/SchemaEdits.h"
#include "form/WindowOpener.h"
#include "form/WindowPlacement.h"
#include "model/FieldRules.h"
#include "model/ListCopy.h"
#include "model/ListFile.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Context.h"
#include "platform/Prompts.h"
#include "store/FolderListing.h"
#include "store/WorkDirCheck.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace portdesk {

namespace {

const QString &newListTitle()
{
    static const QString s = QStringLiteral("新建清单");
    return s;
}

QString arrayName(const char *name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

// A year or month is picked, never typed; its text may name a folder that
// does not exist yet.
PickList *browseList(QWidget *parent, const char *name)
{
    PickList *combo = typingList(parent, QLatin1String(name), {});
    combo->lineEdit()->setReadOnly(true);
    combo->setMinimumWidth(80);
    return combo;
}

QPushButton *button(QWidget *parent, const QString &name, const char *caption)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    return b;
}

QString today(const Context &ctx)
{
    return ctx.clock.now().date().toString(QStringLiteral("yyyy-MM-dd"));
}

// Leaving by a click elsewhere, Tab or Enter runs a field's leave rules;
// opening its own list or switching to another window does not.
bool leavesField(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

} // namespace

ListWindow::ListWindow(Context &ctx)
    : QWidget(nullptr, Qt::Window), ctx_(ctx),
      fields_(
          listFields(),
          [this](const FieldRef &ref) -> QWidget * {
              const std::optional<ListCell> cell = listCell(ref);
              return cell ? field(cell->field, cell->row) : nullptr;
          },
          [this](const FieldRef &ref) {
              const std::optional<ListCell> cell = listCell(ref);
              return cell ? list_.at(cell->row, cell->field) : QString();
          })
{
    setObjectName(QStringLiteral("QingDan"));
    buildLayout();
    installGuards();
    connectEdits();
    open();
}

// The guards go first: the window still sends its fields events while it is
// taken down, after the fields they read are gone.
ListWindow::~ListWindow()
{
    delete chars_;
    delete enter_;
    delete focus_;
}

QWidget *ListWindow::field(ListField field, int row) const
{
    if (row < 0 || row >= kListRows)
        return nullptr;
    const auto r = std::size_t(row);
    switch (field) {
    case ListField::BianHao:
        return BianHao[r];
    case ListField::HuoZhu:
        return HuoZhu[r];
    case ListField::PinMing:
        return PinMing[r];
    case ListField::BaoZhuang:
        return BaoZhuang[r];
    case ListField::JianShu:
        return JianShu[r];
    case ListField::ZhongLiang:
        return ZhongLiang[r];
    case ListField::TiDanHao:
        return TiDanHao[r];
    case ListField::QiYunGuo:
        return QiYunGuo[r];
    case ListField::YunShuFangShi:
        return YunShuFangShi[r];
    case ListField::Count:
        break;
    }
    return nullptr;
}

void ListWindow::buildLayout()
{
    auto *outer = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("清单报检（非木质包装）"), this);
    QFont big = heading->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    heading->setFont(big);
    heading->setAlignment(Qt::AlignCenter);
    outer->addWidget(heading);

    auto *dateRow = new QHBoxLayout;
    dateRow->addStretch();
    dateRow->addWidget(new QLabel(QStringLiteral("申报日期:"), this));
    RiQi = new QLabel(this);
    RiQi->setObjectName(QStringLiteral("RiQi"));
    dateRow->addWidget(RiQi);
    outer->addLayout(dateRow);

    auto *grid = new QGridLayout;
    for (int i = 0; i < kListFields; ++i)
        grid->addWidget(new QLabel(listKeyStem(ListField(i)), this), 0, i + 1, Qt::AlignCenter);
    for (int row = 0; row < kListRows; ++row)
        grid->addWidget(new QLabel(QString::number(row + 1), this), row + 1, 0, Qt::AlignRight);

    const QHash<QString, QWidget *> made = buildFields(this, listFields());
    const std::array<Column *, kListFields> columns{&BianHao,  &HuoZhu,   &PinMing,
                                                    nullptr,   &JianShu,  &ZhongLiang,
                                                    &TiDanHao, &QiYunGuo, &YunShuFangShi};
    for (const FormField &f : listFields()) {
        const ListCell cell = *listCell(f.ref);
        QWidget *w = made.value(f.ref.objectName());
        const auto r = std::size_t(cell.row);
        if (Column *column = columns[std::size_t(cell.field)])
            (*column)[r] = qobject_cast<QLineEdit *>(w);
        else
            BaoZhuang[r] = PickList::of(w);
        grid->addWidget(w, cell.row + 1, int(cell.field) + 1);
    }
    outer->addLayout(grid);

    ZongJi = new QLabel(this);
    ZongJi->setObjectName(QStringLiteral("ZongJi"));
    outer->addWidget(ZongJi);

    auto *groups = new QHBoxLayout;
    auto *commands = new QGroupBox(QStringLiteral("操作"), this);
    auto *commandRow = new QHBoxLayout(commands);
    CmdC[0] = button(commands, arrayName("CmdC", 0), "复制 1");
    CmdC[0]->setToolTip(QStringLiteral("复制全部"));
    CmdC[1] = button(commands, arrayName("CmdC", 1), "复制 2");
    CmdC[1]->setToolTip(QStringLiteral("复制部分"));
    CmdD = button(commands, QStringLiteral("CmdD"), "删 除 (&D)");
    CmdQ = button(commands, QStringLiteral("CmdQ"), "新 建 (&Q)");
    CmdS = button(commands, QStringLiteral("CmdS"), "存 档 (&S)");
    for (QPushButton *b : {CmdC[0], CmdC[1], CmdD, CmdQ, CmdS})
        commandRow->addWidget(b);
    groups->addWidget(commands);

    auto *browse = new QGroupBox(QStringLiteral("浏览"), this);
    auto *browseRow = new QHBoxLayout(browse);
    Combo1 = browseList(browse, "Combo1");
    Combo2 = browseList(browse, "Combo2");
    Combo2->setEnabled(false);
    browseRow->addWidget(new QLabel(QStringLiteral("年份"), browse));
    browseRow->addWidget(Combo1);
    browseRow->addWidget(new QLabel(QStringLiteral("月份"), browse));
    browseRow->addWidget(Combo2);
    CmdP = button(browse, QStringLiteral("CmdP"), "<< 上一份(&P)");
    CmdN = button(browse, QStringLiteral("CmdN"), "下一份(&N) >>");
    CmdP->setEnabled(false);
    CmdN->setEnabled(false);
    LiuLan = new QLabel(browse);
    LiuLan->setObjectName(QStringLiteral("LiuLan"));
    for (QWidget *w : std::initializer_list<QWidget *>{CmdP, CmdN, LiuLan})
        browseRow->addWidget(w);
    groups->addWidget(browse);
    outer->addLayout(groups);
}

void ListWindow::installGuards()
{
    chars_ = new CharFilterGuard(
        fields_,
        [this](const FieldRef &f, int item) {
            if (PickList *list = PickList::of(fields_.widget(f)))
                list->pick(item); // the list's picked signal moves on
        },
        this);
    chars_->install();
    enter_ = new EnterGuard(
        fields_, [this](const FieldRef &f) { enter(f); }, this);
    std::vector<FieldRef> path;
    for (const FormField &f : listFields()) {
        if (onListEnterPath(listCell(f.ref)->field))
            path.push_back(f.ref);
    }
    enter_->install(path);
    focus_ = new FocusGuard(fields_, this);
    focus_->install();
    // After the focus guard, so that these run first: a station-slip number
    // of the wrong length keeps the focus before it is put in capitals.
    for (int row = 0; row < kListRows; ++row) {
        BianHao[std::size_t(row)]->installEventFilter(this);
        BaoZhuang[std::size_t(row)]->installEventFilter(this);
    }
    // Typing into the browse lists is blocked, input-method commits too.
    Combo1->lineEdit()->installEventFilter(this);
    Combo2->lineEdit()->installEventFilter(this);
}

void ListWindow::connectEdits()
{
    for (const FormField &f : listFields()) {
        const ListCell cell = *listCell(f.ref);
        if (PickList *list = PickList::of(field(cell.field, cell.row))) {
            connect(list, &QComboBox::editTextChanged, this,
                    [this, cell](const QString &text) { setCell(cell, text); });
            connect(list, &PickList::picked, this, [this, cell] { packingPicked(cell.row); });
        } else if (auto *edit = qobject_cast<QLineEdit *>(field(cell.field, cell.row))) {
            connect(edit, &QLineEdit::textChanged, this,
                    [this, cell](const QString &text) { setCell(cell, text); });
        }
    }
    connect(Combo1, &PickList::picked, this, [this] {
        fillMonths(Combo1->currentText());
        Combo2->setEnabled(true);
        Combo2->setFocus();
    });
    connect(Combo2, &PickList::picked, this, &ListWindow::chooseMonth);
    connect(CmdS, &QPushButton::clicked, this, &ListWindow::archive);
    connect(CmdP, &QPushButton::clicked, this, [this] { step(-1); });
    connect(CmdN, &QPushButton::clicked, this, [this] { step(+1); });
    connect(CmdD, &QPushButton::clicked, this, &ListWindow::deleteSelected);
    connect(CmdQ, &QPushButton::clicked, this, &ListWindow::newList);
    connect(CmdC[0], &QPushButton::clicked, this, [this] { copy(true); });
    connect(CmdC[1], &QPushButton::clicked, this, [this] { copy(false); });
}

void ListWindow::setCell(ListCell cell, const QString &text)
{
    list_.at(cell.row, cell.field) = text;
}

void ListWindow::open()
{
    // The browse lists only read this folder; a failure shows as no years.
    QDir().mkpath(ctx_.listsDir());
    list_.date = today(ctx_);
    fillYears();
    QString error;
    switch (restoreStash(ctx_.configIni(), list_, &error)) {
    case ListLoad::Loaded:
        break;
    case ListLoad::Incomplete: // read, but its missing keys could not be added
        ctx_.prompts.warn(error);
        break;
    case ListLoad::Failed:
        ctx_.prompts.warn(QStringLiteral("暂存的清单读取失败！\n") + error);
        break;
    }
    const QString year = QString::number(ctx_.clock.now().date().year());
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(year);
    Combo2->setEnabled(true);
    fillMonths(year);
    render();
}

void ListWindow::fillYears()
{
    Combo1->clear();
    Combo1->addItems(listSubfolders(ctx_.listsDir()));
}

void ListWindow::fillMonths(const QString &year)
{
    Combo2->clear();
    Combo2->addItems(listSubfolders(ctx_.listsDir() + QLatin1Char('/') + year));
    Combo2->setCurrentIndex(-1);
    Combo2->clearEditText();
}

void ListWindow::render()
{
    for (const FormField &f : listFields()) {
        const ListCell cell = *listCell(f.ref);
        QWidget *w = field(cell.field, cell.row);
        const QString &text = list_.at(cell.row, cell.field);
        // Setting an equal text would move the cursor of the field being typed in.
        if (fieldText(w) != text)
            setFieldText(w, text);
    }
    for (int row = 0; row < kListRows; ++row) {
        const bool readOnly = row < readOnlyRows_;
        for (int i = 0; i < kListFields; ++i) {
            QWidget *w = field(ListField(i), row);
            if (PickList *list = PickList::of(w))
                list->setLocked(readOnly);
            else
                static_cast<QLineEdit *>(w)->setReadOnly(readOnly);
        }
        YunShuFangShi[std::size_t(row)]->setEnabled(!transportDerived_[std::size_t(row)]);
    }
    RiQi->setText(list_.date);
    ZongJi->setText(list_.count.isEmpty()
                        ? QString()
                        : QStringLiteral("共 ") + list_.count + QStringLiteral(" 票"));
    setWindowTitle(isNewList() ? newListTitle() : storedName_);
}

void ListWindow::showStored(const ListRecord &list, const QString &fileName, int readOnlyRows)
{
    list_ = list;
    storedName_ = fileName;
    readOnlyRows_ = std::clamp(readOnlyRows, 0, kListRows);
    render();
}

void ListWindow::enter(const FieldRef &from)
{
    const std::optional<ListCell> cell = listCell(from);
    if (!cell)
        return;
    // A move by keyboard: a button reached this way shows its focus frame.
    setAttribute(Qt::WA_KeyboardFocusChange);
    if (const std::optional<ListCell> to = listEnterTarget(*cell))
        field(to->field, to->row)->setFocus(Qt::TabFocusReason);
    else
        CmdC[0]->setFocus(Qt::TabFocusReason);
}

void ListWindow::packingPicked(int row)
{
    JianShu[std::size_t(row)]->setFocus(Qt::TabFocusReason);
}

bool ListWindow::leaveSlipNumber(int row)
{
    const QString text = list_.at(row, ListField::BianHao);
    const QString warning = slipNumberWarning(text);
    if (!warning.isEmpty()) {
        ctx_.prompts.warn(warning);
        BianHao[std::size_t(row)]->setFocus(Qt::OtherFocusReason);
        return false;
    }
    // The focus guard puts the text in capitals after this; the code is
    // read as it will stand.
    if (const std::optional<QString> mode = transportOf(upperAscii(text))) {
        transportDerived_[std::size_t(row)] = true;
        list_.at(row, ListField::YunShuFangShi) = *mode;
        render();
    }
    return true;
}

bool ListWindow::leavePacking(int row)
{
    if (packingAccepted(list_.at(row, ListField::BaoZhuang)))
        return true;
    list_.at(row, ListField::BaoZhuang).clear();
    BaoZhuang[std::size_t(row)]->setCurrentIndex(-1);
    render();
    BaoZhuang[std::size_t(row)]->setFocus(Qt::OtherFocusReason);
    return false;
}

bool ListWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::InputMethod &&
        (watched == Combo1->lineEdit() || watched == Combo2->lineEdit()))
        return true;
    // A window going away takes the focus with it: no field is left then.
    if (event->type() != QEvent::FocusOut || !leavesField(event) || !isVisible())
        return QWidget::eventFilter(watched, event);
    // A stored row cannot be corrected: holding the focus there would trap it.
    for (int row = readOnlyRows_; row < kListRows; ++row) {
        // A refused text keeps the focus; the other guards do not see the leave.
        if (watched == BianHao[std::size_t(row)])
            return !leaveSlipNumber(row);
        if (watched == BaoZhuang[std::size_t(row)])
            return !leavePacking(row);
    }
    return QWidget::eventFilter(watched, event);
}

void ListWindow::newList()
{
    BianHao[0]->setFocus(Qt::OtherFocusReason);
    if (!workDirReachable(ctx_))
        return;
    const MsgAnswer answer =
        ctx_.prompts.message(QStringLiteral("将清空所有内容，是否继续？"), appTitle(),
                             MsgIcon::Warning, MsgButtons::YesNo, MsgAnswer::No);
    if (answer != MsgAnswer::Yes)
        return;
    // A transport mode once derived stays disabled while the window is open.
    list_ = ListRecord{};
    list_.date = today(ctx_);
    storedName_.clear();
    readOnlyRows_ = 0;
    position_.clearSelection();
    LiuLan->clear();
    Combo2->setCurrentIndex(-1);
    Combo2->clearEditText();
    CmdP->setEnabled(false);
    CmdN->setEnabled(false);
    render();
}

void ListWindow::copy(bool all)
{
    BianHao[0]->setFocus(Qt::OtherFocusReason);
    if (list_.at(0, ListField::YunShuFangShi).isEmpty()) {
        ctx_.prompts.warn(QStringLiteral("无内容！"));
        return;
    }
    if (isNewList()) {
        ctx_.prompts.warn(QStringLiteral("请先存档！"));
        return;
    }
    ctx_.clipboard.clear();
    ctx_.clipboard.setText(all ? copyAllText(list_) : copyPartText(list_));
    ctx_.prompts.inform(QStringLiteral("复制成功！现在可以粘贴到清单报检EXCEL表中啦！"));
}

void ListWindow::archive()
{
    BianHao[0]->setFocus(Qt::OtherFocusReason);
    if (!workDirReachable(ctx_))
        return;
    if (list_.at(0, ListField::YunShuFangShi).isEmpty()) {
        ctx_.prompts.warn(QStringLiteral("无内容！"));
        return;
    }
    if (!isNewList()) {
        ctx_.prompts.warn(QStringLiteral("已存档清单不能再次存档！"));
        return;
    }
    if (ctx_.prompts.message(QStringLiteral("是否保存本清单？"), appTitle(), MsgIcon::Warning,
                             MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
        return;
    QString error;
    const std::optional<SavedList> saved =
        saveListFile(ctx_.workDir, list_, ctx_.clock.now().date(), &error);
    if (!saved) {
        ctx_.prompts.warn(QStringLiteral("保存失败！\n") + error);
        return;
    }
    ListRecord stored = list_;
    stored.count = QString::number(saved->count);
    showStored(stored, QFileInfo(saved->path).fileName(), saved->count);
    ctx_.prompts.inform(QStringLiteral("保存成功！"));
    refreshShelf();
    // The new file is listed when its month is the one chosen.
    if (!position_.folder.isEmpty()) {
        position_.reread(DiskListShelf());
        drawPosition();
    }
}

void ListWindow::refreshShelf()
{
    // The first list of a year or month makes its folder: offer it, keeping
    // what the two lists show.
    const QString year = Combo1->currentText(), month = Combo2->currentText();
    fillYears();
    Combo1->setCurrentIndex(Combo1->findText(year));
    Combo1->setEditText(year);
    fillMonths(year);
    Combo2->setCurrentIndex(Combo2->findText(month));
    Combo2->setEditText(month);
}

void ListWindow::chooseMonth()
{
    if (!workDirReachable(ctx_))
        return;
    if (isNewList() && !list_.at(0, ListField::HuoZhu).isEmpty()) {
        const MsgAnswer answer = ctx_.prompts.message(
            QStringLiteral("读取历史文档前是否需要暂存，以便下次打开清单时使用？"), appTitle(),
            MsgIcon::Warning, MsgButtons::YesNoCancel, MsgAnswer::Cancel);
        if (answer == MsgAnswer::Cancel) {
            Combo2->setCurrentIndex(-1);
            Combo2->clearEditText();
            return;
        }
        QString error;
        if (answer == MsgAnswer::Yes && !stashRows(ctx_.configIni(), list_, &error)) {
            ctx_.prompts.warn(QStringLiteral("暂存失败！\n") + error);
            return;
        }
        if (answer == MsgAnswer::No && !clearStash(ctx_.configIni(), &error))
            ctx_.prompts.warn(QStringLiteral("暂存清除失败！\n") + error);
    }
    position_.choose(DiskListShelf(),
                     listMonthPath(ctx_.listsDir(), Combo1->currentText(), Combo2->currentText()));
    if (position_.hasSelection())
        loadSelected();
    drawPosition();
}

void ListWindow::step(int direction)
{
    if (position_.count() == 0) {
        drawPosition();
        return;
    }
    position_.select(direction < 0 ? position_.previous() : position_.next());
    loadSelected();
    drawPosition();
}

void ListWindow::deleteSelected()
{
    BianHao[0]->setFocus(Qt::OtherFocusReason);
    if (!workDirReachable(ctx_))
        return;
    if (!position_.hasSelection()) {
        ctx_.prompts.warn(QStringLiteral("未选中文件！"));
        return;
    }
    const QString name = position_.selectedName();
    if (ctx_.prompts.message(QStringLiteral("将删除“") + name + QStringLiteral("”，是否继续？"),
                             appTitle(), MsgIcon::Warning, MsgButtons::YesNo,
                             MsgAnswer::No) != MsgAnswer::Yes)
        return;
    QFile file(position_.selectedPath());
    if (file.exists() && !file.remove()) {
        ctx_.prompts.warn(QStringLiteral("删除“") + name + QStringLiteral("”失败！\n") +
                          file.errorString());
        return;
    }
    position_.reread(DiskListShelf());
    drawPosition();
}

bool ListWindow::loadSelected()
{
    if (!workDirReachable(ctx_))
        return false;
    ListRecord loaded;
    QString error;
    switch (loadListFile(position_.selectedPath(), loaded, &error)) {
    case ListLoad::Failed:
        ctx_.prompts.warn(QStringLiteral("读取“") + position_.selectedName() +
                          QStringLiteral("”失败！\n") + error);
        return false;
    case ListLoad::Incomplete:
        ctx_.prompts.warn(error);
        break;
    case ListLoad::Loaded:
        break;
    }
    showStored(loaded, position_.selectedName(), kListRows);
    return true;
}

void ListWindow::drawPosition()
{
    LiuLan->setText(position_.line());
    CmdP->setEnabled(position_.canStep());
    CmdN->setEnabled(position_.canStep());
}

void ListWindow::closeEvent(QCloseEvent *event)
{
    if (isNewList() && !list_.at(0, ListField::HuoZhu).isEmpty()) {
        const MsgAnswer answer = ctx_.prompts.message(
            QStringLiteral("退出前是否需要暂存，以便下次继续录入？"), appTitle(), MsgIcon::Warning,
            MsgButtons::YesNoCancel, MsgAnswer::Cancel);
        QString error;
        if (answer == MsgAnswer::Yes && !stashRows(ctx_.configIni(), list_, &error)) {
            // The typed list would be lost with the window.
            ctx_.prompts.warn(QStringLiteral("暂存失败！\n") + error);
            event->ignore();
            return;
        }
        if (answer == MsgAnswer::No && !clearStash(ctx_.configIni(), &error))
            ctx_.prompts.warn(QStringLiteral("暂存清除失败！\n") + error);
        if (answer != MsgAnswer::Yes && answer != MsgAnswer::No) {
            event->ignore();
            return;
        }
    }
    emit closed();
    event->accept();
}

void attachListWindow(MainPage &page)
{
    auto *opener = new WindowOpener(page, WhileOpen::Minimised,
                                    [](Context &ctx) { return new ListWindow(ctx); });
    QObject::connect(page.CmdQD, &QToolButton::clicked, opener, &WindowOpener::open);
}

} // namespace portdesk
