#include "registers/ConsigneeWindow.h"

#include "form/ClickLabel.h"
#include "form/PickList.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"
#include "platform/WebPages.h"
#include "store/WorkDirCheck.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace portdesk {

namespace {

QString addingText()
{
    return QStringLiteral("新增");
}
QString updatingText()
{
    return QStringLiteral("修改");
}

} // namespace

void appendKeepingText(QComboBox *combo, const QStringList &items)
{
    if (items.isEmpty())
        return;
    const QString text = combo->currentText();
    const int index = combo->currentIndex();
    const QSignalBlocker block(combo);
    combo->addItems(items);
    if (combo->currentIndex() != index || combo->currentText() != text) {
        combo->setCurrentIndex(index);
        combo->setEditText(text);
    }
}

// Hiding a window moves the focus out of its name list, which Qt may report
// as a pick: by then this object is half destroyed.
ConsigneeWindow::~ConsigneeWindow()
{
    ShouHuoRen->disconnect(this);
}

ConsigneeWindow::ConsigneeWindow(Context &ctx, const QString &mainConsignee, QWidget *parent)
    : QWidget(parent, Qt::Window), ctx_(ctx)
{
    setObjectName(QStringLiteral("Consignee"));
    setWindowTitle(QStringLiteral("收货人管理"));
    buildLayout();

    names_ = readConsigneeNames(ctx_.consigneeIni());
    appendKeepingText(ShouHuoRen, names_);
    showCount();

    connect(ShouHuoRen, &QComboBox::editTextChanged, this, &ConsigneeWindow::nameChanged);
    connect(ShouHuoRen, &PickList::picked, this, &ConsigneeWindow::load);
    ShouHuoRen->installEventFilter(this);
    connect(cmdSave, &QPushButton::clicked, this, &ConsigneeWindow::save);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(ChaXun, &ClickLabel::clicked, this,
            [this] { ctx_.shell.openUrl(enterpriseCodeQueryUrl()); });

    if (!mainConsignee.isEmpty())
        ShouHuoRen->setEditText(mainConsignee);
}

void ConsigneeWindow::buildLayout()
{
    auto *grid = new QGridLayout;
    ShouHuoRen = new PickList(this);
    ShouHuoRen->setObjectName(QStringLiteral("ShouHuoRen"));
    ShouHuoRen->setEditable(true);
    ShouHuoRen->setInsertPolicy(QComboBox::NoInsert);
    // No completion while typing: a stored name's start would turn into the
    // whole name and load that consignee instead of starting a new one.
    ShouHuoRen->setCompleter(nullptr);
    ShouHuoRen->setMaxVisibleItems(20);
    ZongJi = new QLabel(this);
    ZongJi->setObjectName(QStringLiteral("ZongJi"));
    grid->addWidget(new QLabel(QStringLiteral("收 货 人"), this), 0, 0);
    grid->addWidget(ShouHuoRen, 0, 1);
    grid->addWidget(ZongJi, 0, 2);

    for (int k = 0; k < kConsigneeFields; ++k) {
        SHR[k] = new QLineEdit(this);
        SHR[k]->setObjectName(QStringLiteral("SHR(%1)").arg(k));
        grid->addWidget(new QLabel(consigneeFieldCaption(k), this), k + 1, 0);
        grid->addWidget(SHR[k], k + 1, 1, 1, k == 1 ? 1 : 2);
    }
    SHR[1]->setMaxLength(10);

    ChaXun = new ClickLabel(QStringLiteral("[网上查询]"), this);
    ChaXun->setObjectName(QStringLiteral("ChaXun"));
    ChaXun->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    ChaXun->setToolTip(QStringLiteral("查询企业登记号"));
    grid->addWidget(ChaXun, 2, 2);

    ZhuangTai = new QLabel(addingText(), this);
    ZhuangTai->setObjectName(QStringLiteral("ZhuangTai"));
    ZhuangTai->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    auto *state = new QHBoxLayout;
    state->addWidget(new QLabel(QStringLiteral("当前操作:"), this));
    state->addWidget(ZhuangTai);
    state->addStretch();

    cmdSave = new QPushButton(QStringLiteral("保 存 (&S)"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdExit = new QPushButton(QStringLiteral("退 出 (&Q)"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    state->addWidget(cmdSave);
    state->addWidget(cmdExit);

    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 320);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addSpacing(6);
    outer->addLayout(state);

    setTabOrder(ShouHuoRen, SHR[0]);
    for (int k = 1; k < kConsigneeFields; ++k)
        setTabOrder(SHR[k - 1], SHR[k]);
    setTabOrder(SHR[kConsigneeFields - 1], cmdSave);
    setTabOrder(cmdSave, cmdExit);
}

bool ConsigneeWindow::adding() const
{
    return adding_;
}

void ConsigneeWindow::setAdding(bool adding)
{
    adding_ = adding;
    ZhuangTai->setText(adding ? addingText() : updatingText());
}

void ConsigneeWindow::showCount()
{
    ZongJi->setText(QStringLiteral("(共%1家)").arg(names_.size()));
}

void ConsigneeWindow::nameChanged()
{
    const QString name = ShouHuoRen->currentText();
    if (consigneeListed(names_, name))
        load();
    else
        setAdding(true);
    if (adding()) {
        for (QLineEdit *field : SHR)
            field->clear();
    }
}

void ConsigneeWindow::load()
{
    const QString name = ShouHuoRen->currentText();
    if (name.isEmpty())
        return;
    setAdding(false);
    const ConsigneeParticulars p = readConsigneeParticulars(ctx_.consigneeIni(), name);
    for (int k = 0; k < kConsigneeFields; ++k)
        SHR[k]->setText(p[k]);
}

void ConsigneeWindow::save()
{
    if (!workDirReachable(ctx_))
        return;
    const QString name = ShouHuoRen->currentText();
    ConsigneeParticulars p;
    for (int k = 0; k < kConsigneeFields; ++k)
        p[k] = SHR[k]->text();
    const ConsigneeSaveResult r = saveConsignee(ctx_.consigneeIni(), name, p, adding());
    if (!r.ok) {
        if (r.writeFailed)
            ctx_.prompts.warn(r.message);
        else
            ctx_.prompts.warn(r.message);
        return;
    }
    if (r.added) {
        if (!names_.contains(r.listedName)) {
            names_ << r.listedName;
            appendKeepingText(ShouHuoRen, {r.listedName});
            emit consigneeAdded(r.listedName);
        }
        showCount();
        setAdding(false);
    }
    ctx_.prompts.inform(QStringLiteral("保存“%1”成功！").arg(name));
}

bool ConsigneeWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ShouHuoRen && event->type() == QEvent::FocusOut)
        nameChanged();
    return QWidget::eventFilter(watched, event);
}

void ConsigneeWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}

} // namespace portdesk
