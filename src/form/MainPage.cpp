#include "form/MainPage.h"

#include "form/Twips.h"
#include "form/WindowPlacement.h"
#include "model/FormSchema.h"

#include "form/ClickLabel.h"
#include "form/FieldBinding.h"
#include "platform/Prompts.h"
#include "platform/Version.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace portdesk {

namespace {

constexpr int kClientWidthTwips = 9285;
constexpr int kClientHeightTwips = 9195;

const QString kExitQuestion = QStringLiteral("本程序其它窗口也将关闭！确定要退出吗？");
const QString kClearQuestion = QStringLiteral("清空2~10行表格中所有数据，是否继续？");

bool isOrdinaryWindow(const QWidget *w)
{
    if (!w->isWindow())
        return false;
    const Qt::WindowType type = w->windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Sheet || type == Qt::Tool;
}

} // namespace

MainPage::MainPage(Context &ctx, QWidget *parent) : QWidget(parent), ctx_(ctx)
{
    QFont f = font();
    f.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Microsoft YaHei"),
                   QStringLiteral("SimSun")});
    f.setPointSize(9);
    setFont(f);
    setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    setMouseTracking(true);

    buildTopRow();
    buildConsigneeLine();
    buildGoods();
    buildSections();
    binding_ = new FieldBinding(
        [this](const FieldRef &ref, const QString &text) { document_.take(ref, text); }, this);
    buildFields();
    bindMembers();
    connect(&document_, &DeclarationDocument::loaded, this, &MainPage::showLoaded);
    connect(&document_, &DeclarationDocument::edited, this, &MainPage::showEdited);
    buildBottom();
    buildTabChain();

    // Must be the first connections: other handlers attach later and have to
    // find the field being edited already left.
    routeCommandsThroughConsignee();

    connect(GuanYu, &QToolButton::clicked, this, &MainPage::aboutRequested);
    connect(Ver, &ClickLabel::clicked, this, &MainPage::aboutRequested);
    connect(TuiChu, &QPushButton::clicked, this, &QWidget::close);
    connect(More, &QCheckBox::toggled, this, &MainPage::toggleGoods);
    connect(GengDuo, &ClickLabel::clicked, More, &QCheckBox::toggle);
    connect(LBclear, &ClickLabel::clicked, this, &MainPage::clearRows2To10);
    qApp->installEventFilter(this);

    // Load: only the first goods row and the version.
    goodsHeightTwips_ = kGoodsStartHeight;
    placeGoodsBlock(false);
    More->setToolTip(QStringLiteral("点击显示多行"));
    Ver->setText(versionText());

    centreOnScreen(*this);
}

MainPage::~MainPage() = default;

void MainPage::showLoaded()
{
    for (const FormField &f : formFields())
        binding_->show(f.ref, document_.value().at(f));
}

void MainPage::showEdited(const Declaration &before)
{
    for (const FormField &f : formFields()) {
        if (document_.value().at(f) != before.at(f))
            binding_->show(f.ref, document_.value().at(f));
    }
}

void MainPage::routeCommandsThroughConsignee()
{
    auto toConsignee = [this] { ShouHuoRen->setFocus(Qt::OtherFocusReason); };
    for (QToolButton *b : pictureButtons())
        connect(b, &QToolButton::clicked, this, toConsignee);
    for (QPushButton *b : {FanYe[0], FanYe[1], GuiDang, HouQi, FeiYong, DaoChu, TuiChu})
        connect(b, &QPushButton::clicked, this, toConsignee);
    for (ClickLabel *l : {WenJianJia, Ver, Picture1})
        connect(l, &ClickLabel::clicked, this, toConsignee);
}

void MainPage::toggleGoods(bool expanded)
{
    goodsExpanded_ = expanded;
    if (!expanded) {
        goodsHeightTwips_ = kGoodsCollapsedHeight;
        placeGoodsBlock(false);
        More->setToolTip(QStringLiteral("点击显示多行"));
        BZzhonglei[0]->setFocus(Qt::OtherFocusReason);
    } else {
        placeGoodsBlock(true);
        More->setToolTip(QStringLiteral("点击隐藏多行"));
        MingCheng[1]->setFocus(Qt::OtherFocusReason);
    }
}

void MainPage::clearRows2To10()
{
    if (!ctx_.prompts.askYesNo(kClearQuestion))
        return;
    for (const FormField &f : formFields()) {
        if (f.spec->box != FormBox::Goods || f.ref.index < 1)
            continue;
        if (auto *combo = qobject_cast<QComboBox *>(field(f.ref))) {
            combo->setCurrentIndex(-1);
            combo->clearEditText();
        } else if (auto *edit = qobject_cast<QLineEdit *>(field(f.ref))) {
            edit->clear();
        }
    }
    MingCheng[1]->setFocus(Qt::OtherFocusReason);
}

void MainPage::showBadge(const QString &tip)
{
    Picture1->setToolTip(tip);
    Picture1->setVisible(!tip.isEmpty());
    if (!tip.isEmpty())
        Picture1->raise();
}

bool MainPage::handleArrowKey(QWidget *target, QKeyEvent *event)
{
    if (event->key() != Qt::Key_Down && event->key() != Qt::Key_Up)
        return false;
    // Alt+Down is how a drop-down list is opened from the keyboard.
    if (event->modifiers() & Qt::AltModifier)
        return false;
    if (target->window() != this)
        return false;
    focusNextPrevChild(event->key() == Qt::Key_Down);
    return true;
}

bool MainPage::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);

    switch (event->type()) {
    case QEvent::KeyPress:
        if (handleArrowKey(widget, static_cast<QKeyEvent *>(event)))
            return true;
        break;
    case QEvent::MouseMove: {
        // A picture button shows its caption once the mouse is over it.
        auto *button = qobject_cast<QToolButton *>(widget);
        const qsizetype index = button ? pictureButtons().indexOf(button) : -1;
        if (index >= 0) {
            if (button->text().isEmpty())
                button->setText(hoverCaption(int(index)));
            // Not passed on to the window, which would empty it again.
            if (static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
                return true;
        }
        break;
    }
    case QEvent::Show:
        if (widget != this && isOrdinaryWindow(widget)) {
            shownWindows_.removeAll(widget);
            shownWindows_.append(widget);
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void MainPage::mouseMoveEvent(QMouseEvent *event)
{
    for (QToolButton *b : pictureButtons())
        if (!b->text().isEmpty())
            b->setText(QString());
    QWidget::mouseMoveEvent(event);
}

void MainPage::closeOtherWindows()
{
    QList<QPointer<QWidget>> order(shownWindows_.rbegin(), shownWindows_.rend());
    // Windows that were never shown while this one watched come last.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && isOrdinaryWindow(w) && !order.contains(w))
            order.append(w);
    for (const QPointer<QWidget> &w : order)
        if (w && w != this)
            w->close(); // a window that refuses is left; the program ends anyway
}

void MainPage::closeEvent(QCloseEvent *event)
{
    if (!closingConfirmed_) {
        if (!ctx_.prompts.askOkCancel(kExitQuestion)) {
            event->ignore();
            return;
        }
        closingConfirmed_ = true;
        closeOtherWindows();
    }
    event->accept();
    QCoreApplication::quit();
}

} // namespace portdesk
