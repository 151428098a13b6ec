// MainPage's widgets and where they stand, in twips. The fields come from
// the form schema; this file adds the frames, captions and buttons around them.
#include "form/ClickLabel.h"
#include "form/Look.h"
#include "form/MainPage.h"
#include "model/FormSchema.h"

#include "form/FieldBinding.h"
#include "form/PickList.h"
#include "form/SchemaEdits.h"
#include "form/Twips.h"
#include "form/WholeItems.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace portdesk {

namespace {

constexpr int kFieldH = 330;   // a text field or drop-down list
constexpr int kCaptionH = 300; // a caption beside or above a field

void place(QWidget *w, int x, int y, int width, int height = kFieldH)
{
    w->setGeometry(twipsToPixels(x), twipsToPixels(y), twipsToPixels(width), twipsToPixels(height));
}

QLabel *caption(QWidget *parent, const QString &text, int x, int y, int width,
                Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(align);
    // Captions sit a little lower than their field so the baselines meet.
    place(label, x, y + 15, width, kCaptionH);
    return label;
}

QString arrayName(const char *name, int index)
{
    return QString::fromLatin1(name) + '(' + QString::number(index) + ')';
}

// The picture of a top-row button: a coloured tile with one white character.
QIcon tileIcon(const QString &glyph, const QColor &colour)
{
    const int side = 22;
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0.5, 0.5, side - 1, side - 1), 4, 4);
    QFont f = p.font();
    f.setPixelSize(14);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, side, side), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

QPixmap badgePixmap()
{
    const int side = 16;
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(220, 30, 30));
    p.drawEllipse(QRectF(1, 1, side - 2, side - 2));
    QFont f = p.font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, side, side), Qt::AlignCenter, QStringLiteral("!"));
    return pixmap;
}

struct PictureButton {
    QToolButton *MainPage::*member;
    const char *name;
    const char *hover;
    const char *tooltip;
    const char *glyph;
    QColor colour;
};

const PictureButton kPictureButtons[] = {
    {&MainPage::CmdQD, "CmdQD", "清单", "清单报检", "单", QColor(70, 130, 180)},
    {&MainPage::XinJian, "XinJian", "新建", "新建报检单", "新", QColor(46, 139, 87)},
    {&MainPage::DaKai, "DaKai", "浏览", "打开文件...", "览", QColor(205, 133, 0)},
    {&MainPage::LingCun, "LingCun", "保存", "保存文件", "存", QColor(65, 105, 225)},
    {&MainPage::DaYin, "DaYin", "打印", "打印并保存", "印", QColor(112, 128, 144)},
    {&MainPage::SHRgl, "SHRgl", "收货人", "收货人信息管理", "人", QColor(178, 34, 34)},
    {&MainPage::SheZhi, "SheZhi", "设置", "系统设置", "设", QColor(105, 105, 105)},
    {&MainPage::GuanYu, "GuanYu", "关于", nullptr, "关", QColor(0, 128, 128)},
};

struct ColumnCaption {
    const char *text;
    int x, width;
};
const ColumnCaption kGoodsCaptions[] = {
    {"货物名称", 90, 2040}, {"H.S.编码", 2190, 1110}, {"原产国", 3360, 690},
    {"数量", 4110, 1395},   {"重量", 5565, 1515},     {"货物总值", 7140, 1875},
};

constexpr int kSectionX = 90, kSectionW = 9105, kSectionH = 1350;
constexpr int kLine1 = kSectionLine1, kLine2 = kSectionLine2;
// The two columns of a section: caption box, then field.
constexpr int kCapA = 150, kCapAW = 780, kFieldA = kSectionFieldA;
constexpr int kCapB = 4350, kCapBW = 900, kFieldB = kSectionFieldB;

QGroupBox *section(QWidget *parent, const QString &title, int y, int height = kSectionH)
{
    auto *box = new QGroupBox(title, parent);
    place(box, kSectionX, y, kSectionW, height);
    return box;
}

QPalette withColour(QWidget *w, QPalette::ColorRole role, const QColor &colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Active, role, colour);
    pal.setColor(QPalette::Inactive, role, colour);
    if (role == QPalette::Base)
        pal.setColor(QPalette::Disabled, role, colour);
    return pal;
}

} // namespace

QString MainPage::hoverCaption(int index)
{
    if (index < 0 || index >= int(std::size(kPictureButtons)))
        return {};
    return QString::fromUtf8(kPictureButtons[index].hover);
}

QList<QToolButton *> MainPage::pictureButtons() const
{
    QList<QToolButton *> out;
    for (const PictureButton &b : kPictureButtons)
        out << this->*b.member;
    return out;
}

void MainPage::buildTopRow()
{
    int i = 0;
    for (const PictureButton &b : kPictureButtons) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setIcon(tileIcon(QString::fromUtf8(b.glyph), b.colour));
        button->setIconSize(QSize(22, 22));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        // Reached by Tab after the fields, but a click leaves the focus where
        // the command puts it.
        button->setFocusPolicy(Qt::TabFocus);
        button->setMouseTracking(true);
        if (b.tooltip)
            button->setToolTip(QString::fromUtf8(b.tooltip));
        place(button, 60 + 675 * i, 30, 660, 660);
        button->installEventFilter(this);
        this->*b.member = button;
        ++i;
    }
    LingCun->setEnabled(false);

    WenJianJia = new ClickLabel(QString(), this);
    WenJianJia->setObjectName(QStringLiteral("WenJianJia"));
    WenJianJia->setAlignment(Qt::AlignCenter);
    place(WenJianJia, 5580, 210, 1200, kCaptionH);

    LiuLan = new QLabel(QStringLiteral(" / "), this);
    LiuLan->setObjectName(QStringLiteral("LiuLan"));
    LiuLan->setAlignment(Qt::AlignCenter);
    place(LiuLan, 6840, 210, 960, kCaptionH);

    const char *arrows[2] = {"<", ">"};
    const char *tips[2] = {"上一份", "下一份"};
    for (int k = 0; k < 2; ++k) {
        FanYe[k] = new QPushButton(QString::fromLatin1(arrows[k]), this);
        FanYe[k]->setObjectName(arrayName("FanYe", k));
        FanYe[k]->setToolTip(QString::fromUtf8(tips[k]));
        FanYe[k]->setFocusPolicy(Qt::TabFocus);
        FanYe[k]->setEnabled(false); // a new declaration has no neighbours
        place(FanYe[k], 7860 + 660 * k, 150, 600, 390);
    }
}

void MainPage::buildConsigneeLine()
{

    BaoJianXinXi = new ClickLabel(QString(), this);
    BaoJianXinXi->setObjectName(QStringLiteral("BaoJianXinXi"));
    BaoJianXinXi->setToolTip(QStringLiteral("点击复制完整报检号"));
    BaoJianXinXi->setAlignment(Qt::AlignCenter);
    place(BaoJianXinXi, 4170, 765, 3420, kCaptionH);
    BaoJianXinXi->hide();

    Tgdzt = new ClickLabel(QStringLiteral("[通关单状态查询]"), this);
    Tgdzt->setObjectName(QStringLiteral("Tgdzt"));
    Tgdzt->setAlignment(Qt::AlignCenter);
    place(Tgdzt, 7650, 765, 1560, kCaptionH);
}

void MainPage::buildGoods()
{
    HuoWuMingXi = new QGroupBox(QStringLiteral("货物明细"), this);
    HuoWuMingXi->setObjectName(frameName(FormBox::Goods));
    // When expanded the frame lies over the sections below it and must hide them.
    HuoWuMingXi->setAutoFillBackground(true);

    for (const ColumnCaption &c : kGoodsCaptions)
        caption(HuoWuMingXi, QString::fromUtf8(c.text), c.x, 270, c.width, Qt::AlignCenter);

    More = new QCheckBox(HuoWuMingXi);
    More->setObjectName(QStringLiteral("More"));

    GengDuo = new ClickLabel(QStringLiteral("……"), HuoWuMingXi);
    GengDuo->setObjectName(QStringLiteral("GengDuo"));
    GengDuo->setToolTip(QStringLiteral("有内容"));
    place(GengDuo, 450, 1005, 600, 270);
    GengDuo->hide();

    ChaXun = new ClickLabel(QStringLiteral("[网上查询]"), HuoWuMingXi);
    ChaXun->setObjectName(QStringLiteral("ChaXun"));
    place(ChaXun, 2190, 1005, 1110, 270);

    LBclear = new ClickLabel(QStringLiteral("【清空2~10行内容】"), HuoWuMingXi);
    LBclear->setObjectName(QStringLiteral("LBclear"));
    place(LBclear, 450, 5595, 2400, 270);

    // Under the columns they total, as wide as the column with its unit.
    const int totalsW[3] = {1395, 1515, 1875};
    for (const FieldSpec &s : formSchema()) {
        if (s.total < 0)
            continue;
        QLabel *&label = HeJi[std::size_t(s.total)];
        label = new QLabel(HuoWuMingXi);
        label->setObjectName(arrayName("HeJi", s.total));
        label->setIndent(3);
        place(label, s.x, 5595, totalsW[s.total], 270);
    }

    // Links look like links.
    for (ClickLabel *link : {ChaXun, Tgdzt}) {
        QFont f = link->font();
        f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                       QStringLiteral("WenQuanYi Micro Hei")});
        f.setPointSize(9);
        f.setUnderline(true);
        link->setFont(f);
        link->setPalette(withColour(link, QPalette::WindowText, Qt::blue));
    }
    LBclear->setPalette(withColour(LBclear, QPalette::WindowText, QColor(0, 0, 160)));
}

void MainPage::placeGoodsBlock(bool expanded)
{
    const int height = expanded ? kGoodsExpandedHeight : goodsHeightTwips_;
    place(HuoWuMingXi, 90, 1140, 9105, height);
    place(More, 135, expanded ? 5555 : 960, 300, 300);
    for (const FormField &f : formFields())
        if (f.spec->box == FormBox::Goods && f.ref.index > 0)
            field(f.ref)->setVisible(expanded);
    for (QLabel *total : HeJi)
        total->setVisible(expanded);
    LBclear->setVisible(expanded);
    if (expanded)
        HuoWuMingXi->raise();
}

void MainPage::buildSections()
{
    QGroupBox *packing = section(this, QStringLiteral("包装情况"), 2520);
    for (int k = 0; k < 2; ++k) {

        const int x = k == 0 ? kFieldA : kFieldB;
        caption(packing, QStringLiteral("共"), x + 1380, kLine1, 240, Qt::AlignCenter);
        caption(packing, QStringLiteral("个"), x + 2340, kLine1, 240,
                Qt::AlignLeft | Qt::AlignVCenter);
    }
    caption(packing, QStringLiteral("件"), kFieldA + 930, kLine2, 300,
            Qt::AlignLeft | Qt::AlignVCenter);
    caption(packing, QStringLiteral("公斤"), kFieldB + 1380, kLine2, 450,
            Qt::AlignLeft | Qt::AlignVCenter);

    QGroupBox *transport = section(this, QStringLiteral("运输信息"), 3930);

    QGroupBox *trade = section(this, QStringLiteral("贸易信息"), 5340);

    TeShuCaiLiao = new QLabel(this);
    TeShuCaiLiao->setObjectName(QStringLiteral("TeShuCaiLiao"));
    // Orange even while the window is disabled behind the file browser.
    QPalette hint = TeShuCaiLiao->palette();
    hint.setColor(QPalette::WindowText, hintColour());
    TeShuCaiLiao->setPalette(hint);
    place(TeShuCaiLiao, 120, 7095, 9045, kCaptionH);

    JiZhuangXiang = section(this, QStringLiteral("集装箱规格、数量及号码"), 7410, 810);
    JiZhuangXiang->setObjectName(frameName(FormBox::Containers));
    constexpr int line = 360;
    caption(JiZhuangXiang, QStringLiteral("20'集装箱 ×"), 30, line, 1020);
    caption(JiZhuangXiang, QStringLiteral("40'集装箱 ×"), kFieldB - 1200, line, 1170);

    boxes_ = {this, HuoWuMingXi, packing, transport, trade, JiZhuangXiang};
}

void MainPage::buildFields()
{
    const QColor green(204, 232, 207);
    for (const FormField &f : formFields()) {
        const FieldSpec &s = *f.spec;
        const int index = f.ref.index;
        QWidget *parent = boxes_[std::size_t(s.box)];
        QWidget *w = nullptr;
        if (s.kind == FieldKind::List) {
            w = typingList(parent, f.ref.objectName(), s.items);
        } else {
            auto *edit = new QLineEdit(parent);
            edit->setObjectName(f.ref.objectName());
            if (s.maxLength > 0)
                edit->setMaxLength(s.maxLength);
            w = edit;
        }
        const int x = s.x + std::max(index, 0) * s.slotStepX;
        place(w, x, s.y == kGoodsRow ? goodsRowTop(index) : s.y, s.width);
        if (auto *combo = qobject_cast<QComboBox *>(w))
            showItemsWhole(combo);
        if (s.caption) {
            // Beside its field: in a section, the caption box of the field's column.
            QString text = QString::fromUtf8(s.caption);
            if (index > 0)
                text += QString::number(index + 1);
            if (s.box == FormBox::Page)
                caption(parent, text, x - 660, s.y, 600);
            else if (x == kFieldA)
                caption(parent, text, kCapA, s.y, kCapAW);
            else
                caption(parent, text, kCapB, s.y, kCapBW);
        }
        if (s.marks(s.lightGreen, index))
            w->setPalette(withColour(w, QPalette::Base, green));
        if (s.marks(s.redText, index))
            w->setPalette(withColour(w, QPalette::Text, Qt::red));
        applyFieldMarks(w, f);
        binding_->bind(f.ref, w);
    }
    // Every source starts empty, so every dependent starts disabled.
    for (const Dependency &d : dependencies()) {
        const QString name = QLatin1String(d.dependent);
        if (d.dependentIndex == Dependency::EachIndex) {
            for (int i = 0; i < fieldSpec(name)->count; ++i)
                field({name, i})->setEnabled(false);
        } else if (QWidget *w = field({name, d.dependentIndex})) {
            w->setEnabled(false);
        } else if (name == JiZhuangXiang->objectName()) {
            JiZhuangXiang->setEnabled(false);
        }
    }
}

namespace {

template <typename T> void bindMember(const MainPage &page, T *&member, const char *name)
{
    member = qobject_cast<T *>(page.field({QLatin1String(name), -1}));
    Q_ASSERT_X(member, "MainPage", name);
}

template <typename T, std::size_t N>
void bindMember(const MainPage &page, std::array<T *, N> &members, const char *name)
{
    for (std::size_t i = 0; i < N; ++i) {
        members[i] = qobject_cast<T *>(page.field({QLatin1String(name), int(i)}));
        Q_ASSERT_X(members[i], "MainPage", name);
    }
}

} // namespace

void MainPage::bindMembers()
{
    bindMember(*this, ShouHuoRen, "ShouHuoRen");
    bindMember(*this, MingCheng, "MingCheng");
    bindMember(*this, BianMa, "BianMa");
    bindMember(*this, YuanChanGuo, "YuanChanGuo");
    bindMember(*this, ShuLiang, "ShuLiang");
    bindMember(*this, SLdanwei, "SLdanwei");
    bindMember(*this, ZhongLiang, "ZhongLiang");
    bindMember(*this, ZLdanwei, "ZLdanwei");
    bindMember(*this, ZongZhi, "ZongZhi");
    bindMember(*this, BiZhi, "BiZhi");
    bindMember(*this, BZzhonglei, "BZzhonglei");
    bindMember(*this, BZshuliang, "BZshuliang");
    bindMember(*this, JianShu, "JianShu");
    bindMember(*this, GongJin, "GongJin");
    bindMember(*this, YunShuGongJu, "YunShuGongJu");
    bindMember(*this, TiYunDanHao, "TiYunDanHao");
    bindMember(*this, QiYunGuoJia, "QiYunGuoJia");
    bindMember(*this, RuJingKouAn, "RuJingKouAn");
    bindMember(*this, HeTongHao, "HeTongHao");
    bindMember(*this, MaoYiFangShi, "MaoYiFangShi");
    bindMember(*this, MaoYiGuoBie, "MaoYiGuoBie");
    bindMember(*this, XuKeZheng, "XuKeZheng");
    bindMember(*this, JZXsl1, "JZXsl1");
    bindMember(*this, JZXhm1, "JZXhm1");
    bindMember(*this, JZXsl2, "JZXsl2");
    bindMember(*this, JZXhm2, "JZXhm2");
}

QWidget *MainPage::field(const FieldRef &ref) const
{
    return binding_->field(ref);
}

void MainPage::buildBottom()
{
    struct Bottom {
        QPushButton *MainPage::*member;
        const char *name, *text;
        bool enabled;
    };
    const Bottom buttons[] = {
        {&MainPage::GuiDang, "GuiDang", "归档处理(&A)", false},
        {&MainPage::HouQi, "HouQi", "后期事项(&T)", true},
        {&MainPage::FeiYong, "FeiYong", "费用登记(&E)", false},
        {&MainPage::DaoChu, "DaoChu", "复制导出(&C)", false},
        {&MainPage::TuiChu, "TuiChu", "退出系统(&Q)", true},
    };
    int i = 0;
    for (const Bottom &b : buttons) {
        auto *button = new QPushButton(QString::fromUtf8(b.text), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setEnabled(b.enabled);
        // Reached by Tab, but a click leaves the focus where the command puts it.
        button->setFocusPolicy(Qt::TabFocus);
        button->setAutoDefault(false);
        place(button, 300 + 1800 * i, 8310, 1500, 420);
        this->*b.member = button;
        ++i;
    }

    Tip = new QLabel(this);
    Tip->setObjectName(QStringLiteral("Tip"));
    place(Tip, 120, 8850, 5400, kCaptionH);

    Ver = new ClickLabel(QString(), this);
    Ver->setObjectName(QStringLiteral("Ver"));
    Ver->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(Ver, 7500, 8850, 1665, kCaptionH);

    Picture1 = new ClickLabel(QString(), this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(badgePixmap());
    Picture1->setAlignment(Qt::AlignCenter);
    place(Picture1, 3420, 8190, 270, 270);
    Picture1->hide();
}

void MainPage::buildTabChain()
{
    QList<QWidget *> &chain = tabChain_;
    for (const FormField &f : formFields()) {
        // More stands between the first goods row and the others.
        if (f.spec->box == FormBox::Goods && f.ref.index == 1 && !chain.contains(More))
            chain << More;
        chain << field(f.ref);
    }
    // The command buttons after the fields: the top row, the step buttons,
    // then the bottom row, so that every command is reachable without a mouse.
    for (QToolButton *b : pictureButtons())
        chain << b;
    chain << FanYe[0] << FanYe[1] << GuiDang << HouQi << FeiYong << DaoChu << TuiChu;
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

} // namespace portdesk
