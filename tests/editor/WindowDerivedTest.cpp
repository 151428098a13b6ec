// Totals, dependent fields, the rows-in-use mark and the papers hint on the
// real window, from typing and from texts set by code alike.
#include "EditorWindow.h"
#include "platform/WebPages.h"

#include "app/MainWiring.h"
#include "form/ClickLabel.h"
#include "form/FieldText.h"
#include "form/Look.h"
#include "model/FormSchema.h"
#include "model/Hints.h"
#include "platform/Prompts.h"
#include "support/MainWindowHarness.h"

#include <random>

using namespace portdesk;
using namespace portdesk::test;

namespace {

struct TotalCase {
    const char *name;
    std::vector<const char *> column; // rows 0.. of one column
    const char *total;
};

class Totals : public EditorWindow, public ::testing::WithParamInterface<TotalCase> {};

TEST_P(Totals, EachColumnSumsItsRows)
{
    const TotalCase c = GetParam();
    const std::array<QLineEdit *, 10> *columns[] = {&page->ShuLiang, &page->ZhongLiang,
                                                    &page->ZongZhi};
    for (int k = 0; k < 3; ++k) {
        for (int row = 0; row < 10; ++row)
            (*columns[k])[row]->clear();
        for (std::size_t row = 0; row < c.column.size(); ++row)
            (*columns[k])[row]->setText(QString::fromUtf8(c.column[row]));
        EXPECT_EQ(page->HeJi[k]->text().toStdString(), c.total) << "column " << k;
        // However narrow the label, pointing at it shows the whole total.
        EXPECT_EQ(page->HeJi[k]->toolTip(), page->HeJi[k]->text()) << "column " << k;
        for (int other = 0; other < 3; ++other) {
            if (other != k) {
                EXPECT_EQ(page->HeJi[other]->text(), QString()) << "column " << other;
            }
        }
        for (int row = 0; row < 10; ++row)
            (*columns[k])[row]->clear();
        EXPECT_EQ(page->HeJi[k]->text(), QString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Columns, Totals,
    ::testing::Values(TotalCase{"HalfAdded", {"3", "4.5"}, "7.5"},
                      TotalCase{"SecondPointEndsTheNumber", {"1.2.3", ".5"}, "1.7"},
                      TotalCase{"BinaryErrorHidden", {"0.1", "0.2"}, "0.3"},
                      TotalCase{"OneDecimal", {"10", "2.5"}, "12.5"},
                      TotalCase{"ZeroIsBlank", {"0", "0.0", ""}, ""},
                      TotalCase{"LettersCountNothing", {"abc", "7"}, "7"},
                      TotalCase{
                          "AllTenRows", {"1", "1", "1", "1", "1", "1", "1", "1", "1", "1"}, "10"},
                      TotalCase{"LastRowOnly", {"", "", "", "", "", "", "", "", "", "0.5"}, "0.5"},
                      TotalCase{"CarryToWhole", {"99999999.99", "0.01"}, "100000000"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(EditorWindow, TypedQuantitiesTotalAndClear)
{
    expand();
    focus(QStringLiteral("ShuLiang(0)"));
    keys("3");
    focus(QStringLiteral("ShuLiang(1)"));
    keys("4.5");
    EXPECT_EQ(page->HeJi[0]->text(), QStringLiteral("7.5"));
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    EXPECT_EQ(page->HeJi[0]->text(), QStringLiteral("3"));
    focus(QStringLiteral("ShuLiang(0)"));
    key(Qt::Key_Backspace); // selected on focus: one key empties it
    EXPECT_EQ(page->ShuLiang[0]->text(), QString());
    EXPECT_EQ(page->HeJi[0]->text(), QString());
}

TEST_F(EditorWindow, ZeroQuantityDisablesAndEmptiesItsUnit)
{
    for (const char *zero : {"0", "0.0", "", "."}) {
        page->ShuLiang[2]->setText(QStringLiteral("5"));
        page->SLdanwei[2]->setEditText(QStringLiteral("台"));
        ASSERT_TRUE(page->SLdanwei[2]->isEnabled());
        page->ShuLiang[2]->setText(QString::fromLatin1(zero));
        EXPECT_FALSE(page->SLdanwei[2]->isEnabled()) << zero;
        EXPECT_EQ(page->SLdanwei[2]->currentText(), QString()) << zero;
    }
    page->ShuLiang[2]->setText(QStringLiteral("2"));
    EXPECT_TRUE(page->SLdanwei[2]->isEnabled());
    EXPECT_EQ(page->SLdanwei[2]->currentText(), QString());
    // Other rows are not touched.
    EXPECT_FALSE(page->SLdanwei[1]->isEnabled());
}

TEST_F(EditorWindow, ZeroWeightDisablesAndEmptiesItsUnit)
{
    page->ZhongLiang[0]->setText(QStringLiteral("1"));
    page->ZLdanwei[0]->setEditText(QStringLiteral("千克"));
    page->ZhongLiang[0]->setText(QStringLiteral("0"));
    EXPECT_FALSE(page->ZLdanwei[0]->isEnabled());
    EXPECT_EQ(page->ZLdanwei[0]->currentText(), QString());
}

TEST_F(EditorWindow, UnitTextEnablesItsListEvenAtZero)
{
    EXPECT_FALSE(page->SLdanwei[4]->isEnabled());
    page->SLdanwei[4]->setEditText(QStringLiteral("个"));
    EXPECT_TRUE(page->SLdanwei[4]->isEnabled());
    page->SLdanwei[4]->setEditText(QString()); // emptied: keeps its state
    EXPECT_TRUE(page->SLdanwei[4]->isEnabled());
    page->ZLdanwei[4]->setEditText(QStringLiteral("吨"));
    EXPECT_TRUE(page->ZLdanwei[4]->isEnabled());
}

TEST_F(EditorWindow, PackingCountsFollowTheirKinds)
{
    EXPECT_FALSE(page->BZshuliang[0]->isEnabled());
    EXPECT_FALSE(page->BZzhonglei[1]->isEnabled());
    page->BZzhonglei[0]->setEditText(QStringLiteral("木箱"));
    EXPECT_TRUE(page->BZshuliang[0]->isEnabled());
    page->BZshuliang[0]->setText(QStringLiteral("3"));
    EXPECT_TRUE(page->BZzhonglei[1]->isEnabled());
    page->BZzhonglei[1]->setEditText(QStringLiteral("纸箱"));
    page->BZshuliang[1]->setText(QStringLiteral("9"));
    // Emptying the first count disables the second kind, keeping its text and count.
    page->BZshuliang[0]->clear();
    EXPECT_FALSE(page->BZzhonglei[1]->isEnabled());
    EXPECT_EQ(page->BZzhonglei[1]->currentText(), QStringLiteral("纸箱"));
    EXPECT_EQ(page->BZshuliang[1]->text(), QStringLiteral("9"));
    // Emptying a kind disables and empties its count.
    page->BZzhonglei[1]->setEditText(QString());
    EXPECT_FALSE(page->BZshuliang[1]->isEnabled());
    EXPECT_EQ(page->BZshuliang[1]->text(), QString());
    page->BZshuliang[0]->setText(QStringLiteral("4"));
    page->BZzhonglei[0]->setEditText(QString());
    EXPECT_EQ(page->BZshuliang[0]->text(), QString());
    EXPECT_FALSE(page->BZzhonglei[1]->isEnabled());
}

TEST_F(EditorWindow, ContainerRuleWhenTransportChangesBackAndForth)
{
    EXPECT_FALSE(page->JiZhuangXiang->isEnabled());
    focus(QStringLiteral("YunShuGongJu"));
    keys("3");
    EXPECT_TRUE(page->JiZhuangXiang->isEnabled());
    EXPECT_FALSE(page->JZXhm1->isEnabled());
    focus(QStringLiteral("JZXsl1"));
    keys("2");
    EXPECT_TRUE(page->JZXhm1->isEnabled());
    focus(QStringLiteral("JZXhm1"));
    keys("ABCU1234567");
    focus(QStringLiteral("JZXsl2"));
    keys("1");
    focus(QStringLiteral("JZXhm2"));
    keys("MSKU7654321");

    focus(QStringLiteral("YunShuGongJu"));
    keys("2"); // 船舶
    EXPECT_FALSE(page->JiZhuangXiang->isEnabled());
    for (QLineEdit *e : {page->JZXsl1, page->JZXhm1, page->JZXsl2, page->JZXhm2})
        EXPECT_EQ(e->text(), QString()) << e->objectName().toStdString();

    focus(QStringLiteral("YunShuGongJu"));
    keys("3");
    EXPECT_TRUE(page->JiZhuangXiang->isEnabled());
    EXPECT_TRUE(page->JZXsl1->isEnabled());
    EXPECT_FALSE(page->JZXhm1->isEnabled());
    EXPECT_FALSE(page->JZXhm2->isEnabled());

    // Typed by hand, and set by code, the same.
    page->YunShuGongJu->setEditText(QStringLiteral("海运"));
    EXPECT_FALSE(page->JiZhuangXiang->isEnabled());
    focus(QStringLiteral("YunShuGongJu"));
    commit(QStringLiteral("集装箱"));
    EXPECT_FALSE(page->JiZhuangXiang->isEnabled()); // "海运集装箱" only when exact
    EXPECT_EQ(page->YunShuGongJu->currentText(), QStringLiteral("集装箱"));
    page->YunShuGongJu->setEditText(QStringLiteral("海运集装箱"));
    EXPECT_TRUE(page->JiZhuangXiang->isEnabled());
    page->YunShuGongJu->setEditText(QString());
    EXPECT_FALSE(page->JiZhuangXiang->isEnabled());
}

TEST_F(EditorWindow, ContainerNumbersFollowTheirCounts)
{
    page->YunShuGongJu->setEditText(QStringLiteral("海运集装箱"));
    page->JZXsl2->setText(QStringLiteral("1"));
    page->JZXhm2->setText(QStringLiteral("MSKU7654321"));
    EXPECT_TRUE(page->JZXhm2->isEnabled());
    EXPECT_FALSE(page->JZXhm1->isEnabled());
    page->JZXsl2->clear();
    EXPECT_FALSE(page->JZXhm2->isEnabled());
    EXPECT_EQ(page->JZXhm2->text(), QString());
}

TEST_F(EditorWindow, MarkShowsForTheChangedRowOnly)
{
    EXPECT_TRUE(page->GengDuo->isHidden());
    page->MingCheng[0]->setText(QStringLiteral("阀门"));
    EXPECT_TRUE(page->GengDuo->isHidden()); // the first row never counts
    page->MingCheng[2]->setText(QStringLiteral("螺栓"));
    EXPECT_FALSE(page->GengDuo->isHidden());
    page->MingCheng[1]->setText(QStringLiteral("垫圈"));
    page->MingCheng[2]->clear();
    EXPECT_TRUE(page->GengDuo->isHidden()); // although row 2 still has a name
    page->MingCheng[9]->setText(QStringLiteral("x"));
    EXPECT_FALSE(page->GengDuo->isHidden());
}

TEST_F(EditorWindow, ClearingRowsTwoToTenUpdatesTheTotals)
{
    expand();
    page->ShuLiang[0]->setText(QStringLiteral("1"));
    page->ShuLiang[5]->setText(QStringLiteral("2"));
    page->SLdanwei[5]->setEditText(QStringLiteral("个"));
    page->MingCheng[5]->setText(QStringLiteral("阀门"));
    ASSERT_EQ(page->HeJi[0]->text(), QStringLiteral("3"));
    env.prompts.answer(MsgAnswer::Yes);
    QTest::mouseClick(page->LBclear, Qt::LeftButton);
    EXPECT_EQ(page->HeJi[0]->text(), QStringLiteral("1"));
    EXPECT_FALSE(page->SLdanwei[5]->isEnabled());
    EXPECT_TRUE(page->GengDuo->isHidden());
}

TEST_F(EditorWindow, TradeModeHintThenPermitHint)
{
    const QString equipment = QStringLiteral("需要：外商投资企业进口设备审核表（复印件）");
    const QString ccc = permitHint(QStringLiteral("x"));
    auto modeColour = [&] {
        return page->MaoYiFangShi->lineEdit()->palette().color(QPalette::Text);
    };
    EXPECT_EQ(page->TeShuCaiLiao->text(), QString());

    focus(QStringLiteral("MaoYiFangShi"));
    keys("4");
    EXPECT_EQ(page->TeShuCaiLiao->text(), equipment);
    EXPECT_EQ(modeColour(), QColor(255, 0, 0));

    focus(QStringLiteral("XuKeZheng"));
    keys("a");
    EXPECT_EQ(page->TeShuCaiLiao->text(), ccc);
    EXPECT_EQ(modeColour(), QColor(255, 0, 0)); // the trade mode stays red
    key(Qt::Key_Backspace);
    EXPECT_EQ(page->TeShuCaiLiao->text(), QString()); // even while 外商投资 stands
    EXPECT_EQ(modeColour(), QColor(255, 0, 0));

    focus(QStringLiteral("MaoYiFangShi"));
    keys("5");
    EXPECT_EQ(page->TeShuCaiLiao->text(),
              QStringLiteral("需要：出口退运货物情况登记表、原出口报关单（复印件）"));
    focus(QStringLiteral("MaoYiFangShi"));
    keys("1");
    EXPECT_EQ(page->TeShuCaiLiao->text(), QString());
    EXPECT_EQ(modeColour(), QColor(Qt::black));
}

TEST_F(EditorWindow, TradeModeTypedByHand)
{
    focus(QStringLiteral("MaoYiFangShi"));
    commit(QStringLiteral("外商"));
    EXPECT_EQ(page->TeShuCaiLiao->text(), QString());
    commit(QStringLiteral("投资"));
    EXPECT_EQ(page->TeShuCaiLiao->text(),
              QStringLiteral("需要：外商投资企业进口设备审核表（复印件）"));
    EXPECT_EQ(page->MaoYiFangShi->lineEdit()->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(focused(), QStringLiteral("MaoYiFangShi")); // typing moves nothing
}

TEST_F(EditorWindow, TradeModeGreysOutWithTheWindow)
{
    // While another window disables the main window, the trade mode must
    // look as disabled as the transport list beside it, red or black.
    auto disabledText = [](QComboBox *list) {
        return list->lineEdit()->palette().color(QPalette::Disabled, QPalette::Text);
    };
    for (const char *digit : {"4", "1"}) {
        focus(QStringLiteral("MaoYiFangShi"));
        keys(digit);
        EXPECT_EQ(disabledText(page->MaoYiFangShi), disabledText(page->YunShuGongJu))
            << "digit " << digit;
    }
    page->setEnabled(false);
    EXPECT_EQ(page->MaoYiFangShi->lineEdit()->palette().color(QPalette::Text),
              page->YunShuGongJu->lineEdit()->palette().color(QPalette::Text));
    page->setEnabled(true);
}

TEST_F(EditorWindow, HintLabelIsDarkOrange)
{
    EXPECT_EQ(page->TeShuCaiLiao->palette().color(QPalette::WindowText), hintColour());
}

TEST_F(EditorWindow, LookUpLinksOpenTheirPagesWithoutAMessage)
{
    QTest::mouseClick(page->ChaXun, Qt::LeftButton);
    QTest::mouseClick(page->Tgdzt, Qt::LeftButton);
    EXPECT_EQ(env.shell.opened, QStringList({hsCodeQueryUrl(), declarationPortalUrl()}));
    env.shell.succeed = false; // no browser, no network: still silent
    QTest::mouseClick(page->ChaXun, Qt::LeftButton);
    EXPECT_EQ(env.shell.opened.size(), 3);
    EXPECT_TRUE(env.prompts.messages.empty());
}

TEST_F(EditorWindow, OpeningADeclarationDrivesTheRulesLikeTyping)
{
    Declaration d;
    d[DeclField::ShouHuoRen] = QStringLiteral("昆山华安");
    d.setRow(0, {QStringLiteral("模具配件"), QStringLiteral("8480719090"), QStringLiteral("德国"),
                 QStringLiteral("2"), QStringLiteral("台"), QStringLiteral("150"),
                 QStringLiteral("千克"), QStringLiteral("8000"), QStringLiteral("欧元")});
    d.at(DeclField::MingCheng, 3) = QStringLiteral("垫圈");
    d.at(DeclField::ShuLiang, 3) = QStringLiteral("1.2.3");
    d.at(DeclField::SLdanwei, 3) = QStringLiteral("个");
    d.at(DeclField::ZongZhi, 3) = QStringLiteral(".5");
    d.at(DeclField::BZzhonglei, 0) = QStringLiteral("木箱");
    d.at(DeclField::BZshuliang, 0) = QStringLiteral("2");
    d.at(DeclField::BZzhonglei, 1) = QStringLiteral("纸箱");
    d.at(DeclField::BZshuliang, 1) = QStringLiteral("5");
    d[DeclField::YunShuGongJu] = QStringLiteral("海运集装箱");
    d[DeclField::JZXsl1] = QStringLiteral("1");
    d[DeclField::JZXhm1] = QStringLiteral("TGHU1234567");
    d[DeclField::MaoYiFangShi] = QStringLiteral("外商投资");
    d[DeclField::XuKeZheng] = QStringLiteral("A123");
    page->document().load(d);

    EXPECT_EQ(page->HeJi[0]->text(), QStringLiteral("3.2"));
    EXPECT_EQ(page->HeJi[1]->text(), QStringLiteral("150"));
    EXPECT_EQ(page->HeJi[2]->text(), QStringLiteral("8000.5"));
    EXPECT_TRUE(page->SLdanwei[0]->isEnabled());
    EXPECT_TRUE(page->SLdanwei[3]->isEnabled());
    EXPECT_TRUE(page->BZshuliang[0]->isEnabled());
    EXPECT_TRUE(page->BZzhonglei[1]->isEnabled());
    EXPECT_TRUE(page->BZshuliang[1]->isEnabled());
    EXPECT_EQ(page->BZshuliang[1]->text(), QStringLiteral("5"));
    EXPECT_TRUE(page->JiZhuangXiang->isEnabled());
    EXPECT_TRUE(page->JZXhm1->isEnabled());
    EXPECT_EQ(page->JZXhm1->text(), QStringLiteral("TGHU1234567"));
    EXPECT_FALSE(page->JZXhm2->isEnabled());
    EXPECT_FALSE(page->GengDuo->isHidden());
    // The trade mode is set before the permit: the permit's hint shows.
    EXPECT_EQ(page->TeShuCaiLiao->text(), permitHint(QStringLiteral("A123")));
    EXPECT_EQ(page->MaoYiFangShi->lineEdit()->palette().color(QPalette::Text), QColor(255, 0, 0));

    // An empty declaration returns every state to the start.
    page->document().load(Declaration{});
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(page->HeJi[k]->text(), QString());
    EXPECT_FALSE(page->SLdanwei[0]->isEnabled());
    EXPECT_FALSE(page->BZshuliang[0]->isEnabled());
    EXPECT_FALSE(page->BZzhonglei[1]->isEnabled());
    EXPECT_FALSE(page->JiZhuangXiang->isEnabled());
    EXPECT_FALSE(page->JZXhm1->isEnabled());
    EXPECT_TRUE(page->GengDuo->isHidden());
    EXPECT_EQ(page->TeShuCaiLiao->text(), QString());
    EXPECT_EQ(page->MaoYiFangShi->lineEdit()->palette().color(QPalette::Text), QColor(Qt::black));
}

// Every field's text and enabled state, and the derived labels.
QStringList windowState(const MainPage &page)
{
    QStringList out;
    for (const FormField &f : formFields()) {
        const QWidget *w = page.field(f.ref);
        out << f.ref.objectName() + '=' + fieldText(w) + (w->isEnabled() ? "" : " (disabled)");
    }
    for (QLabel *total : page.HeJi)
        out << total->text();
    out << page.TeShuCaiLiao->text() << QString::number(page.GengDuo->isHidden())
        << QString::number(page.JiZhuangXiang->isEnabled());
    return out;
}

TEST_F(EditorWindow, ALoadShowsTheWholeValueWhateverTheWindowShowedBefore)
{
    // Dependent texts that a rule of their source would empty when set first.
    Declaration d;
    d.setRow(0, {"阀门", "8481", "德国", "0", "个", "12", "千克", "100", "美元"});
    d.at(DeclField::MingCheng, 2) = QStringLiteral("垫圈");
    d.at(DeclField::BZzhonglei, 0) = QString();
    d.at(DeclField::BZshuliang, 0) = QStringLiteral("3");
    d.at(DeclField::BZzhonglei, 1) = QStringLiteral("纸箱");
    d.at(DeclField::BZshuliang, 1) = QStringLiteral("5");
    d[DeclField::YunShuGongJu] = QStringLiteral("船舶");
    d[DeclField::JZXsl1] = QStringLiteral("2");
    d[DeclField::JZXhm1] = QStringLiteral("TGHU1234567");
    d[DeclField::MaoYiFangShi] = QStringLiteral("退运货物");
    d[DeclField::XuKeZheng] = QStringLiteral("A1");
    page->document().load(d);
    const QStringList loaded = windowState(*page);
    EXPECT_TRUE(loaded.contains(QStringLiteral("SLdanwei(0)=个")));
    EXPECT_EQ(declarationOnScreen(*page), d);

    // A window that showed another declaration, with other fields enabled
    // and the texts the rules would empty, ends up the same.
    MainPage other(env.ctx);
    new EditorRules(other);
    Declaration earlier;
    earlier[DeclField::YunShuGongJu] = containerTransport();
    earlier[DeclField::JZXsl2] = QStringLiteral("1");
    earlier[DeclField::JZXhm2] = QStringLiteral("ABCU1234567");
    earlier.at(DeclField::ShuLiang, 4) = QStringLiteral("7");
    other.document().load(earlier);
    other.document().load(d);
    EXPECT_EQ(windowState(other), loaded);
    EXPECT_EQ(declarationOnScreen(other), d);
}

TEST(EditorWiring, TheMainWindowGetsTheEditorRules)
{
    TestEnv env;
    MainPage page(env.ctx);
    wireMainPage(page);
    ASSERT_NE(page.findChild<EditorRules *>(), nullptr);
    page.ShuLiang[0]->setText(QStringLiteral("4"));
    EXPECT_EQ(page.HeJi[0]->text(), QStringLiteral("4"));
}

} // namespace
