// The register window driven as the clerk drives it: typing names, picking,
// filling particulars and saving, with the messages it shows.
#include "registers/ConsigneeWindow.h"
#include "model/ConsigneeRegister.h"
#include "store/SettingsStore.h"
#include "support/ListActions.h"
#include "support/TestEnv.h"

#include "form/ClickLabel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace portdesk;
using namespace portdesk::test;

namespace {

// Types into the widget with the keyboard focus: ASCII as key clicks,
// everything else as the input method would deliver it.
void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void clearAndType(QWidget *w, const QString &text)
{
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Backspace);
    typeText(w, text);
}

const ConsigneeParticulars kStored = {"无锡华润万家有限公司",
                                      "3202000123",
                                      "无锡市人民路1号",
                                      "李四",
                                      "0510-88889999",
                                      "外资",
                                      "百货"};

struct ConsigneeWindowTest : ::testing::Test {
    TestEnv env;
    std::unique_ptr<ConsigneeWindow> w;

    void SetUp() override { QDir().mkpath(env.ctx.configDir()); }
    QString file() const { return env.ctx.consigneeIni(); }

    // A register written key by key, as the Windows functions would.
    void storeByHand()
    {
        ASSERT_TRUE(WriteKey(file(), "列表", "S", "2"));
        ASSERT_TRUE(WriteKey(file(), "列表", "1", "无锡华润"));
        ASSERT_TRUE(WriteKey(file(), "列表", "2", "ABC贸易"));
        for (int k = 0; k < kConsigneeFields; ++k) {
            ASSERT_TRUE(WriteKey(file(), "无锡华润", QString::number(k), kStored[k]));
            ASSERT_TRUE(
                WriteKey(file(), "ABC贸易", QString::number(k), "ABC-" + QString::number(k)));
        }
    }
    void open(const QString &mainConsignee = QString())
    {
        w = std::make_unique<ConsigneeWindow>(env.ctx, mainConsignee);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    void typeName(const QString &name) { clearAndType(w->ShouHuoRen, name); }
    void fill(const ConsigneeParticulars &p)
    {
        for (int k = 0; k < kConsigneeFields; ++k)
            clearAndType(w->SHR[k], p[k]);
    }
    QStringList items() const
    {
        QStringList l;
        for (int i = 0; i < w->ShouHuoRen->count(); ++i)
            l << w->ShouHuoRen->itemText(i);
        return l;
    }
    ConsigneeParticulars shown() const
    {
        ConsigneeParticulars p;
        for (int k = 0; k < kConsigneeFields; ++k)
            p[k] = w->SHR[k]->text();
        return p;
    }
    void clickSave() { QTest::mouseClick(w->cmdSave, Qt::LeftButton); }
};

ConsigneeParticulars newOne()
{
    return {"常州物流股份有限公司", "3204000001", "常州市中山路8号", "王五", "0519-1234", "", ""};
}

} // namespace

TEST_F(ConsigneeWindowTest, EmptyRegisterStartsAddingWithNoneCounted)
{
    open();
    EXPECT_EQ(w->objectName(), "Consignee");
    EXPECT_EQ(w->windowTitle(), "收货人管理");
    EXPECT_EQ(w->ZongJi->text(), "(共0家)");
    EXPECT_EQ(w->ZhuangTai->text(), "新增");
    EXPECT_EQ(w->ShouHuoRen->currentText(), "");
}

TEST_F(ConsigneeWindowTest, AddingToAnEmptyRegisterWritesAndListsIt)
{
    open();
    QSignalSpy added(w.get(), &ConsigneeWindow::consigneeAdded);
    typeName("常州物流");
    EXPECT_EQ(w->ZhuangTai->text(), "新增");
    fill(newOne());
    clickSave();

    ASSERT_EQ(env.prompts.texts(), QStringList{"保存“常州物流”成功！"});
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Information);
    EXPECT_EQ(ReadKey(file(), "列表", "S", ""), "1");
    EXPECT_EQ(ReadKey(file(), "列表", "1", ""), "常州物流");
    EXPECT_EQ(readConsigneeParticulars(file(), "常州物流"), newOne());
    EXPECT_EQ(items(), QStringList{"常州物流"});
    EXPECT_EQ(w->ZongJi->text(), "(共1家)");
    EXPECT_EQ(w->ZhuangTai->text(), "修改");
    ASSERT_EQ(added.count(), 1);
    EXPECT_EQ(added.at(0).at(0).toString(), "常州物流");
    EXPECT_EQ(w->ShouHuoRen->currentText(), "常州物流");
}

TEST_F(ConsigneeWindowTest, HandWrittenRegisterIsListedInOrderAndCounted)
{
    storeByHand();
    open();
    EXPECT_EQ(items(), QStringList({"无锡华润", "ABC贸易"}));
    EXPECT_EQ(w->ZongJi->text(), "(共2家)");
    EXPECT_EQ(w->ShouHuoRen->currentText(), "");
}

TEST_F(ConsigneeWindowTest, TheExactNameLoadsAndOneMoreCharacterStartsANewOne)
{
    storeByHand();
    open();
    typeName("无锡华润");
    EXPECT_EQ(w->ZhuangTai->text(), "修改");
    EXPECT_EQ(shown(), kStored);

    typeText(w->ShouHuoRen, "2");
    EXPECT_EQ(w->ZhuangTai->text(), "新增");
    EXPECT_EQ(shown(), ConsigneeParticulars{});

    QTest::keyClick(w->ShouHuoRen, Qt::Key_Backspace);
    EXPECT_EQ(w->ZhuangTai->text(), "修改");
    EXPECT_EQ(shown(), kStored);
}

TEST_F(ConsigneeWindowTest, NamesMatchOnlyWithTheSameCase)
{
    storeByHand();
    open();
    typeName("abc贸易");
    EXPECT_EQ(w->ZhuangTai->text(), "新增");
    typeName("ABC贸易");
    EXPECT_EQ(w->ZhuangTai->text(), "修改");
    EXPECT_EQ(w->SHR[6]->text(), "ABC-6");
}

TEST_F(ConsigneeWindowTest, PickingFromTheListLoads)
{
    storeByHand();
    open();
    w->ShouHuoRen->setFocus();
    ASSERT_TRUE(pickWithKeys(w->ShouHuoRen, 0));
    EXPECT_EQ(w->ShouHuoRen->currentText(), "无锡华润");
    EXPECT_EQ(w->ZhuangTai->text(), "修改");
    EXPECT_EQ(shown(), kStored);
    ASSERT_TRUE(pickWithMouse(w->ShouHuoRen, 1));
    EXPECT_EQ(w->SHR[0]->text(), "ABC-0");
}

TEST_F(ConsigneeWindowTest, TheNameListChangesOnlyByAPick)
{
    storeByHand();
    open();
    typeName("新公司");
    // The wheel over the list, stepping keys and leaving an opened list.
    turnWheel(w->ShouHuoRen);
    w->ShouHuoRen->setFocus();
    QTest::keyClick(w->ShouHuoRen, Qt::Key_Down);
    QTest::keyClick(w->ShouHuoRen, Qt::Key_PageDown);
    ASSERT_TRUE(openAndEscape(w->ShouHuoRen, 1));
    EXPECT_EQ(w->ShouHuoRen->currentText(), "新公司");
    EXPECT_EQ(w->ZhuangTai->text(), "新增");
    EXPECT_EQ(shown(), ConsigneeParticulars{});
}

TEST_F(ConsigneeWindowTest, TheMainWindowsConsigneeIsShownAtOnce)
{
    storeByHand();
    open("无锡华润");
    EXPECT_EQ(w->ShouHuoRen->currentText(), "无锡华润");
    EXPECT_EQ(w->ZhuangTai->text(), "修改");
    EXPECT_EQ(shown(), kStored);
}

TEST_F(ConsigneeWindowTest, AnUnlistedMainConsigneeIsOfferedAsNew)
{
    storeByHand();
    open("新客户");
    EXPECT_EQ(w->ShouHuoRen->currentText(), "新客户");
    EXPECT_EQ(w->ZhuangTai->text(), "新增");
    EXPECT_EQ(shown(), ConsigneeParticulars{});
}

// A save adds or updates by the window's own list: neither the state label
// nor another desk's entry in the file decides it.
TEST_F(ConsigneeWindowTest, AddingIsDecidedByTheWindowsOwnList)
{
    storeByHand();
    open();
    ASSERT_TRUE(WriteKey(file(), "列表", "S", "3") && WriteKey(file(), "列表", "3", "常州物流"));
    typeName("常州物流");
    fill(newOne());
    w->ZhuangTai->setText("修改");
    clickSave();
    EXPECT_EQ(readConsigneeNames(file()), items()); // listed once, and here too
    EXPECT_EQ(w->ZongJi->text(), "(共3家)");
}

TEST_F(ConsigneeWindowTest, RequiredEntriesAreAskedForInOrderAndNothingIsWritten)
{
    storeByHand();
    const QByteArray before = readBytes(file());
    open();
    const char16_t *messages[] = {u"全称不能为空！", u"注册号不能为空！", u"地址不能为空！",
                                  u"联系人不能为空！", u"电话不能为空！"};
    // With particular k and every later one empty, k is the one asked for.
    for (int k = 0; k < 5; ++k) {
        typeName("新客户");
        ConsigneeParticulars p = newOne();
        for (int j = k; j < kConsigneeFields; ++j)
            p[j].clear();
        fill(p);
        env.prompts.clearRecord();
        clickSave();
        ASSERT_EQ(env.prompts.messages.size(), 1u) << k;
        EXPECT_EQ(env.prompts.last()->text, QString::fromUtf16(messages[k]));
        EXPECT_EQ(env.prompts.last()->title, "Portdesk");
        EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Warning);
    }
    typeName("");
    fill(newOne());
    env.prompts.clearRecord();
    clickSave();
    EXPECT_EQ(env.prompts.texts(), QStringList{"收货人不能为空！"});
    EXPECT_EQ(readBytes(file()), before);
    EXPECT_EQ(items().size(), 2);
}

TEST_F(ConsigneeWindowTest, OnlyTheTelephoneMissingNamesTheTelephone)
{
    open();
    typeName("新客户");
    ConsigneeParticulars p = newOne();
    p[4].clear();
    fill(p);
    clickSave();
    EXPECT_EQ(env.prompts.texts(), QStringList{"电话不能为空！"});
    EXPECT_FALSE(QFile::exists(file()) && ReadKey(file(), "新客户", "0", "") != "");
}

TEST_F(ConsigneeWindowTest, SavingAStoredOneOverwritesItAndKeepsTheList)
{
    storeByHand();
    open();
    typeName("ABC贸易");
    clearAndType(w->SHR[3], "赵六");
    clickSave();
    EXPECT_EQ(env.prompts.texts(), QStringList{"保存“ABC贸易”成功！"});
    EXPECT_EQ(ReadKey(file(), "ABC贸易", "3", ""), "赵六");
    EXPECT_EQ(ReadKey(file(), "列表", "S", ""), "2");
    EXPECT_EQ(items().size(), 2);
    EXPECT_EQ(w->ZongJi->text(), "(共2家)");
}

TEST_F(ConsigneeWindowTest, AddingToAHandWrittenRegisterGrowsTheListAndCount)
{
    storeByHand();
    open();
    typeName("常州物流");
    fill(newOne());
    clickSave();
    EXPECT_EQ(items(), QStringList({"无锡华润", "ABC贸易", "常州物流"}));
    EXPECT_EQ(w->ZongJi->text(), "(共3家)");
    EXPECT_EQ(readConsigneeNames(file()), items());
}

TEST_F(ConsigneeWindowTest, UnsafeNamesAreRefusedAndNothingIsWritten)
{
    storeByHand();
    const QByteArray before = readBytes(file());
    open();
    const struct {
        QString name;
        QString message;
    } cases[] = {
        {"A[1]", "收货人名称不能含有字符“[”！"},        {"A=B", "收货人名称不能含有字符“=”！"},
        {"A:B", "收货人名称不能含有字符“:”！"},         {"A*B", "收货人名称不能含有字符“*”！"},
        {"A B ", "收货人名称的开头和结尾不能是空格！"},
    };
    for (const auto &c : cases) {
        typeName(c.name);
        fill(newOne());
        env.prompts.clearRecord();
        clickSave();
        EXPECT_EQ(env.prompts.texts(), QStringList{c.message}) << c.name.toStdString();
    }
    EXPECT_EQ(readBytes(file()), before);
    EXPECT_EQ(items().size(), 2);
}

TEST_F(ConsigneeWindowTest, TextGbkCannotHoldIsRefusedWithAClearMessage)
{
    open();
    typeName("新客户");
    ConsigneeParticulars p = newOne();
    fill(p);
    clearAndType(w->SHR[2], QString::fromUtf16(u"서울"));
    clickSave();
    EXPECT_EQ(env.prompts.texts(),
              QStringList{QString::fromUtf16(u"地址含有无法保存的字符“서”！")});
    EXPECT_EQ(ReadKey(file(), "新客户", "0", "x"), "x");
}

TEST_F(ConsigneeWindowTest, AFailedWriteIsAnErrorNotASuccess)
{
    open();
    // A folder where the register file belongs: it cannot be replaced.
    QFile::remove(file());
    ASSERT_TRUE(QDir().mkpath(file()));
    typeName("常州物流");
    fill(newOne());
    clickSave();
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    EXPECT_TRUE(env.prompts.last()->text.startsWith("保存“常州物流”失败！"));
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Warning);
    EXPECT_TRUE(items().isEmpty());
    EXPECT_EQ(w->ZhuangTai->text(), "新增");
    EXPECT_EQ(w->SHR[0]->text(), newOne()[0]); // the clerk's typing is kept
}

TEST_F(ConsigneeWindowTest, AMissingWorkDirectoryIsReportedAndNothingWritten)
{
    open();
    typeName("常州物流");
    fill(newOne());
    QDir(env.ctx.workDir).removeRecursively();
    clickSave();
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    EXPECT_EQ(env.prompts.last()->text, "无法连接到工作目录！");
    EXPECT_EQ(env.prompts.last()->title, "连接异常");
    EXPECT_FALSE(QFile::exists(file()));
}

TEST_F(ConsigneeWindowTest, RegistrationNumberTakesTenCharacters)
{
    open();
    clearAndType(w->SHR[1], "320200012345");
    EXPECT_EQ(w->SHR[1]->text(), "3202000123");
}

TEST_F(ConsigneeWindowTest, TabWalksTheNameThenTheSevenParticulars)
{
    open();
    w->ShouHuoRen->setFocus();
    for (int k = 0; k < kConsigneeFields; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), w->SHR[k]) << k;
    }
    const QStringList captions = {"全  称", "注册号",   "地  址",  "联系人",
                                  "电  话", "单位性质", "经营范围"};
    for (int k = 0; k < kConsigneeFields; ++k)
        EXPECT_EQ(consigneeFieldCaption(k), captions[k]);
}

TEST_F(ConsigneeWindowTest, TheLinkOpensTheEnterpriseCodePage)
{
    open();
    QTest::mouseClick(w->ChaXun, Qt::LeftButton);
    ASSERT_EQ(env.shell.opened.size(), 1);
    EXPECT_TRUE(env.shell.opened[0].endsWith("/xhquery/code-query.jsp"));
    EXPECT_TRUE(env.shell.opened[0].startsWith("http"));
    EXPECT_EQ(w->ChaXun->text(), "[网上查询]");
}

TEST_F(ConsigneeWindowTest, ExitClosesAndSaysSo)
{
    open();
    QSignalSpy closed(w.get(), &ConsigneeWindow::closed);
    QTest::mouseClick(w->cmdExit, Qt::LeftButton);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->cmdSave->text(), "保 存 (&S)");
    EXPECT_EQ(w->cmdExit->text(), "退 出 (&Q)");
}

TEST_F(ConsigneeWindowTest, LeavingTheNameFieldRunsTheNameRule)
{
    storeByHand();
    open("无锡华润");
    // Particulars typed while the name is still in the field are kept by
    // typing, but a name no longer listed empties them when the field is left.
    w->ShouHuoRen->setFocus();
    w->ShouHuoRen->lineEdit()->blockSignals(true);
    w->ShouHuoRen->setEditText("无锡华润X");
    w->ShouHuoRen->lineEdit()->blockSignals(false);
    EXPECT_EQ(w->ZhuangTai->text(), "修改");
    QTest::keyClick(w->ShouHuoRen, Qt::Key_Tab);
    EXPECT_EQ(w->ZhuangTai->text(), "新增");
    EXPECT_EQ(shown(), ConsigneeParticulars{});
}

TEST_F(ConsigneeWindowTest, TypingTheStartOfAStoredNameIsANewName)
{
    storeByHand();
    open();
    typeName("ABC");
    EXPECT_EQ(w->ShouHuoRen->currentText(), "ABC");
    EXPECT_EQ(w->ZhuangTai->text(), "新增");
    EXPECT_EQ(shown(), ConsigneeParticulars{});
    typeName("无锡");
    EXPECT_EQ(w->ShouHuoRen->currentText(), "无锡");
    EXPECT_EQ(w->ZhuangTai->text(), "新增");
}

TEST_F(ConsigneeWindowTest, EnterKeepsTheNameAsTyped)
{
    storeByHand();
    open();
    typeName("abc贸易");
    QTest::keyClick(w->ShouHuoRen, Qt::Key_Return);
    EXPECT_EQ(w->ShouHuoRen->currentText(), "abc贸易");
    EXPECT_EQ(w->ZhuangTai->text(), "新增");
    typeName("ABC贸易");
    QTest::keyClick(w->ShouHuoRen, Qt::Key_Return);
    EXPECT_EQ(w->ShouHuoRen->currentText(), "ABC贸易");
    EXPECT_EQ(w->ZhuangTai->text(), "修改");
    EXPECT_EQ(w->SHR[0]->text(), "ABC-0");
}
