// The declaration form: every field's name, kind, limit, list, colour and
// initial state, the frame's texts, and the window's geometry.
#include "MainPageFixture.h"
#include "model/FormSchema.h"
#include "platform/Version.h"

using namespace portdesk;
using namespace portdesk::test;

namespace {

QStringList itemsOf(const QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

} // namespace

TEST_F(MainPageTest, EveryFieldOfTheSchemaIsBuiltAsItsKindWithItsLimitAndList)
{
    ASSERT_EQ(formFields().size(), 109u);
    for (const FormField &f : formFields()) {
        const QString name = f.ref.objectName();
        SCOPED_TRACE(name.toStdString());
        if (f.spec->kind == FieldKind::Text) {
            auto *edit = page->findChild<QLineEdit *>(name);
            ASSERT_NE(edit, nullptr);
            EXPECT_FALSE(qobject_cast<QComboBox *>(edit->parentWidget()));
            EXPECT_EQ(edit->maxLength(), f.spec->maxLength ? f.spec->maxLength : 32767);
            EXPECT_TRUE(edit->text().isEmpty());
        } else {
            auto *combo = page->findChild<QComboBox *>(name);
            ASSERT_NE(combo, nullptr);
            EXPECT_TRUE(combo->isEditable());
            EXPECT_EQ(itemsOf(combo), f.spec->items);
            EXPECT_TRUE(combo->currentText().isEmpty()) << "a list starts empty";
        }
    }
}

TEST_F(MainPageTest, LengthLimitsHoldWhileTyping)
{
    const struct {
        const char *name;
        const char *typed;
        const char *kept;
    } cases[] = {{"BianMa(0)", "123456789012", "1234567890"},
                 {"JZXhm1", "ABCU1234567890", "ABCU1234567"},
                 {"JZXsl2", "123", "12"},
                 {"BZshuliang(1)", "123456", "1234"}};
    for (const auto &c : cases) {
        auto *edit = control<QLineEdit>(c.name);
        edit->setEnabled(true);
        edit->parentWidget()->setEnabled(true);
        QTest::keyClicks(edit, c.typed);
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.kept)) << c.name;
    }
}

TEST_F(MainPageTest, MembersAreTheNamedWidgets)
{
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(page->MingCheng[i], control<QLineEdit>(rowName("MingCheng", i)));
        EXPECT_EQ(page->BiZhi[i], control<QComboBox>(rowName("BiZhi", i)));
    }
    EXPECT_EQ(page->HuoWuMingXi, control<QGroupBox>("HuoWuMingXi"));
    EXPECT_EQ(page->JiZhuangXiang, control<QGroupBox>("JiZhuangXiang"));
    EXPECT_EQ(page->More, control<QCheckBox>("More"));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(page->HeJi[k], control<QLabel>(rowName("HeJi", k)));
    EXPECT_EQ(page->Picture1, control<QLabel>("Picture1"));
}

TEST_F(MainPageTest, CaptionsStandBesideTheFields)
{
    QStringList shown;
    for (QLabel *l : page->findChildren<QLabel *>())
        shown << l->text();
    for (QGroupBox *g : page->findChildren<QGroupBox *>())
        shown << g->title();
    const QStringList expected{"收货人",      "货物名称",   "H.S.编码",
                               "原产国",      "数量",       "重量",
                               "货物总值",    "货物明细",   "包装情况",
                               "包装种类",    "共",         "个",
                               "包装种类2",   "件数",       "件",
                               "公斤",        "运输信息",   "运输工具",
                               "提运单号",    "启运国家",   "入境口岸",
                               "贸易信息",    "许可审批",   "合同号",
                               "贸易方式",    "贸易国别",   "集装箱规格、数量及号码",
                               "20'集装箱 ×", "40'集装箱 ×"};
    for (const QString &c : expected)
        EXPECT_TRUE(shown.contains(c)) << c.toStdString();
}

TEST_F(MainPageTest, ColoursMarkTheRequiredAndTheRedFields)
{
    const QColor green(204, 232, 207);
    const QStringList greenFields{"ShouHuoRen",  "MingCheng(0)", "YuanChanGuo(0)", "BiZhi(0)",
                                  "JianShu",     "GongJin",      "YunShuGongJu",   "TiYunDanHao",
                                  "QiYunGuoJia", "RuJingKouAn",  "MaoYiFangShi",   "MaoYiGuoBie"};
    const QStringList redFields{"BianMa(0)", "BiZhi(0)", "BZzhonglei(0)",
                                "XuKeZheng", "JZXhm1",   "JZXhm2"};
    for (const FormField &f : formFields()) {
        const QString name = f.ref.objectName();
        const QPalette pal = control(name)->palette();
        EXPECT_EQ(pal.color(QPalette::Active, QPalette::Base) == green, greenFields.contains(name))
            << name.toStdString();
        EXPECT_EQ(pal.color(QPalette::Active, QPalette::Text) == QColor(Qt::red),
                  redFields.contains(name))
            << name.toStdString();
    }
}

TEST_F(MainPageTest, InputMethodIsOffWhereCodesAreTyped)
{
    QStringList off{"TiYunDanHao", "XuKeZheng", "JZXhm1", "JZXhm2"};
    for (int i = 1; i < 10; ++i)
        off << rowName("BianMa", i) << rowName("ShuLiang", i) << rowName("ZhongLiang", i)
            << rowName("ZongZhi", i);
    for (const FormField &f : formFields()) {
        const QString name = f.ref.objectName();
        EXPECT_EQ(control(name)->testAttribute(Qt::WA_InputMethodEnabled), !off.contains(name))
            << name.toStdString();
    }
}

TEST_F(MainPageTest, FieldsStartEnabledOrDisabledAsTheFormRequires)
{
    QStringList disabled{"BZshuliang(0)", "BZshuliang(1)", "BZzhonglei(1)", "JZXhm1", "JZXhm2",
                         "GuiDang",       "FeiYong",       "DaoChu",        "LingCun"};
    for (int i = 0; i < 10; ++i)
        disabled << rowName("SLdanwei", i) << rowName("ZLdanwei", i);
    for (const QString &name : disabled)
        EXPECT_FALSE(control(name)->isEnabledTo(page.get())) << name.toStdString();
    EXPECT_FALSE(page->JiZhuangXiang->isEnabledTo(page.get()));
    for (const char *name : {"BZzhonglei(0)", "JianShu", "BiZhi(9)", "HouQi", "TuiChu", "XinJian",
                             "DaKai", "CmdQD", "DaYin", "SHRgl", "SheZhi", "GuanYu"})
        EXPECT_TRUE(control(QString::fromLatin1(name))->isEnabledTo(page.get())) << name;
}

TEST_F(MainPageTest, FrameTextsAtStart)
{
    EXPECT_EQ(page->LiuLan->text(), QStringLiteral(" / "));
    EXPECT_EQ(page->Ver->text(), versionText());
    EXPECT_EQ(page->FanYe[0]->text(), QStringLiteral("<"));
    EXPECT_EQ(page->FanYe[1]->text(), QStringLiteral(">"));
    EXPECT_EQ(page->FanYe[0]->toolTip(), QStringLiteral("上一份"));
    EXPECT_EQ(page->FanYe[1]->toolTip(), QStringLiteral("下一份"));
    EXPECT_EQ(page->GengDuo->text(), QStringLiteral("……"));
    EXPECT_EQ(page->GengDuo->toolTip(), QStringLiteral("有内容"));
    EXPECT_EQ(page->ChaXun->text(), QStringLiteral("[网上查询]"));
    EXPECT_EQ(page->Tgdzt->text(), QStringLiteral("[通关单状态查询]"));
    EXPECT_EQ(page->LBclear->text(), QStringLiteral("【清空2~10行内容】"));
    EXPECT_EQ(page->BaoJianXinXi->toolTip(), QStringLiteral("点击复制完整报检号"));
    EXPECT_TRUE(page->TeShuCaiLiao->text().isEmpty());
    EXPECT_EQ(page->TeShuCaiLiao->palette().color(QPalette::WindowText), QColor(192, 64, 0));
    EXPECT_FALSE(page->More->isChecked());
    EXPECT_EQ(page->More->toolTip(), QStringLiteral("点击显示多行"));

    page->show();
    EXPECT_FALSE(page->BaoJianXinXi->isVisible());
    EXPECT_FALSE(page->GengDuo->isVisible());
    EXPECT_FALSE(page->Picture1->isVisible());
    EXPECT_TRUE(page->ChaXun->isVisible());
}

TEST_F(MainPageTest, BottomButtonsCarryTheirAccelerators)
{
    const struct {
        QPushButton *button;
        const char *text;
    } cases[] = {{page->GuiDang, "归档处理(&A)"},
                 {page->HouQi, "后期事项(&T)"},
                 {page->FeiYong, "费用登记(&E)"},
                 {page->DaoChu, "复制导出(&C)"},
                 {page->TuiChu, "退出系统(&Q)"}};
    for (const auto &c : cases)
        EXPECT_EQ(c.button->text(), QString::fromUtf8(c.text));
}

TEST_F(MainPageTest, PictureButtonsShowAPictureAndNoCaption)
{
    const struct {
        const char *name, *tooltip;
    } cases[] = {{"CmdQD", "清单报检"},   {"XinJian", "新建报检单"}, {"DaKai", "打开文件..."},
                 {"LingCun", "保存文件"}, {"DaYin", "打印并保存"},   {"SHRgl", "收货人信息管理"},
                 {"SheZhi", "系统设置"}};
    for (const auto &c : cases) {
        auto *b = control<QToolButton>(c.name);
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(c.tooltip)) << c.name;
        EXPECT_TRUE(b->text().isEmpty()) << c.name;
        EXPECT_FALSE(b->icon().isNull()) << c.name;
        // Tab reaches it; a click does not take the focus from the field.
        EXPECT_EQ(b->focusPolicy(), Qt::TabFocus) << c.name;
    }
    EXPECT_FALSE(page->GuanYu->icon().isNull());
    EXPECT_TRUE(page->GuanYu->text().isEmpty());
}

// --- geometry --------------------------------------------------------------

TEST_F(MainPageTest, ClientAreaIsTheFormsSizeAndFixed)
{
    EXPECT_EQ(page->size(), QSize(9285 / 15, 9195 / 15));
    EXPECT_EQ(page->minimumSize(), page->maximumSize());
}

TEST_F(MainPageTest, CollapsedBlockShowsOnlyRowZero)
{
    page->show();
    EXPECT_FALSE(page->goodsExpanded());
    EXPECT_EQ(page->HuoWuMingXi->height(), qRound(1325 / 15.0));
    EXPECT_EQ(page->MingCheng[0]->y(), 600 / 15);
    EXPECT_EQ(page->More->y(), 960 / 15);
    EXPECT_EQ(page->GengDuo->y(), 1005 / 15);
    EXPECT_EQ(page->ChaXun->y(), 1005 / 15);
    for (int i = 1; i < 10; ++i)
        EXPECT_FALSE(page->MingCheng[i]->isVisible()) << i;
    for (QLabel *total : page->HeJi)
        EXPECT_FALSE(total->isVisible());
    EXPECT_FALSE(page->LBclear->isVisible());
    // Row 0 lies inside the collapsed frame.
    EXPECT_LE(page->MingCheng[0]->geometry().bottom(), page->HuoWuMingXi->height());
    EXPECT_LE(page->More->geometry().bottom(), page->HuoWuMingXi->height());
}

TEST_F(MainPageTest, ExpandedBlockShowsTenRowsOverTheSectionsBelow)
{
    page->show();
    page->More->setChecked(true);
    EXPECT_TRUE(page->goodsExpanded());
    EXPECT_EQ(page->HuoWuMingXi->height(), qRound(5900 / 15.0));
    EXPECT_EQ(page->More->y(), qRound(5555 / 15.0));
    EXPECT_EQ(page->MingCheng[1]->y(), 1320 / 15);
    EXPECT_EQ(page->MingCheng[2]->y(), 1800 / 15);
    EXPECT_EQ(page->MingCheng[9]->y(), 5160 / 15);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(page->BiZhi[i]->isVisible()) << i;
    for (QLabel *total : page->HeJi) {
        EXPECT_TRUE(total->isVisible());
        EXPECT_EQ(total->y(), 5595 / 15);
    }
    EXPECT_TRUE(page->LBclear->isVisible());
    EXPECT_EQ(page->HeJi[0]->x(), page->ShuLiang[0]->x());
    EXPECT_EQ(page->HeJi[1]->x(), page->ZhongLiang[0]->x());
    EXPECT_EQ(page->HeJi[2]->x(), page->ZongZhi[0]->x());

    // What the mouse finds over the trade section is the frame's row 9.
    const QPoint overTrade = page->MaoYiFangShi->mapTo(page.get(), QPoint(5, 5));
    QWidget *top = page->childAt(overTrade);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(page->HuoWuMingXi->isAncestorOf(top) || top == page->HuoWuMingXi);
}

TEST_F(MainPageTest, SectionsStandInTheOrderOfTheForm)
{
    auto top = [&](QWidget *w) { return w->mapTo(page.get(), QPoint(0, 0)).y(); };
    const QList<QWidget *> order{
        page->XinJian,      page->ShouHuoRen, page->MingCheng[0], page->BZzhonglei[0],
        page->YunShuGongJu, page->HeTongHao,  page->TeShuCaiLiao, page->JZXsl1,
        page->GuiDang,      page->Tip};
    for (qsizetype i = 1; i < order.size(); ++i)
        EXPECT_LT(top(order[i - 1]), top(order[i])) << order[i]->objectName().toStdString();
    EXPECT_EQ(top(page->Tip), top(page->Ver));
    EXPECT_GT(page->Ver->x(), page->Tip->geometry().right());
    // Origin folder, position and the step buttons at the right end of the top row.
    EXPECT_LT(page->GuanYu->geometry().right(), page->WenJianJia->x());
    EXPECT_LT(page->WenJianJia->geometry().right(), page->LiuLan->x());
    EXPECT_LT(page->LiuLan->geometry().right(), page->FanYe[0]->x());
    EXPECT_LT(page->FanYe[0]->geometry().right(), page->FanYe[1]->x());
}

TEST_F(MainPageTest, NothingIsCutOffOrOutsideItsParent)
{
    page->show();
    page->More->setChecked(true);
    page->Ver->setText(QStringLiteral("Ver 10.10.100"));
    page->BaoJianXinXi->setText(QStringLiteral("报检日期：2026-12-31  报检号：999999"));
    page->WenJianJia->setText(QStringLiteral("已归档文件"));
    for (QWidget *p : page->findChildren<QWidget *>()) {
        if (!p->isVisibleTo(page.get()) || !p->parentWidget())
            continue;
        if (qobject_cast<QComboBox *>(p->parentWidget()))
            continue; // a list's own editor
        const QRect inParent = p->parentWidget()->rect();
        EXPECT_TRUE(inParent.contains(p->geometry())) << p->objectName().toStdString();
    }
    for (QLabel *l : page->findChildren<QLabel *>()) {
        if (l == page->TeShuCaiLiao || l->text().isEmpty() || !l->isVisibleTo(page.get()))
            continue;
        EXPECT_LE(l->sizeHint().width(), l->width()) << l->text().toStdString();
        EXPECT_LE(l->fontMetrics().height(), l->height()) << l->text().toStdString();
    }
    // A list's items show whole in its edit field, which keeps two pixels a
    // side and one for the cursor.
    for (QComboBox *c : page->findChildren<QComboBox *>()) {
        if (!c->lineEdit())
            continue;
        for (int i = 0; i < c->count(); ++i)
            EXPECT_LE(c->fontMetrics().horizontalAdvance(c->itemText(i)) + 5,
                      c->lineEdit()->contentsRect().width())
                << c->objectName().toStdString() << ' ' << c->itemText(i).toStdString();
    }
    for (QPushButton *b : page->findChildren<QPushButton *>()) {
        const QString shown = QString(b->text()).remove('&');
        EXPECT_LE(b->fontMetrics().horizontalAdvance(shown) + 8, b->width())
            << b->objectName().toStdString();
    }
    // A picture button's caption fits under its picture.
    for (QToolButton *b : page->pictureButtons()) {
        b->setText(QStringLiteral("收货人"));
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 4, b->width())
            << b->objectName().toStdString();
        EXPECT_LE(b->iconSize().height() + b->fontMetrics().height() + 4, b->height())
            << b->objectName().toStdString();
    }
}
