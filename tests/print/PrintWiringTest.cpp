// The print command through the real windows: DaYin, the checks, the
// printout window, printing on the printer double, the file in
// Saved/Printed and the states of the main window and the browser.
#include "documents/DocumentCommands.h"
#include "documents/ViewFiles.h"
#include "form/ClickLabel.h"
#include "model/DeclarationFile.h"
#include "model/DocumentState.h"
#include "print/PrintCommand.h"
#include "store/NewFile.h"
#include "support/MainWindowHarness.h"

#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using namespace portdesk;
using namespace portdesk::test;

namespace {

Declaration declaration()
{
    Declaration d;
    d[DeclField::ShouHuoRen] = QStringLiteral("ACME");
    d.setRow(0, {QStringLiteral("模具配件"), QStringLiteral("8480719090"), QStringLiteral("德国"),
                 QStringLiteral("2"), QStringLiteral("台"), QStringLiteral("150"),
                 QStringLiteral("千克"), QStringLiteral("8000"), QStringLiteral("欧元")});
    d[DeclField::JianShu] = QStringLiteral("2");
    d[DeclField::GongJin] = QStringLiteral("180");
    d[DeclField::YunShuGongJu] = QStringLiteral("飞机");
    d[DeclField::QiYunGuoJia] = QStringLiteral("德国");
    d[DeclField::RuJingKouAn] = QStringLiteral("上海");
    d[DeclField::MaoYiFangShi] = QStringLiteral("一般贸易");
    d[DeclField::MaoYiGuoBie] = QStringLiteral("德国");
    d[DeclField::TiYunDanHao] = QStringLiteral("176-12345675");
    return d;
}

class PrintWiring : public ::testing::Test, protected MainWindowHarness {
protected:
    const QString printedPath =
        env.path(QStringLiteral("Saved/Printed/ACME(2026-03-05 10：20：30).dcl"));

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(env.ctx.configDir()));
        ASSERT_TRUE(writeBytes(env.ctx.consigneeIni(),
                               gbk(QStringLiteral("[列表]\nS=1\n1=ACME\n[ACME]\n0=爱克美有限公司\n"
                                                  "1=3205123456\n2=路88号\n3=王\n4=5700\n"))));
        build(fullWiring);
        page->show();
        ViewFiles &browser = page->findChild<DocumentCommands *>()->browser();
        ASSERT_TRUE(waitFor([&] { return browser.isVisible(); }));
        click(browser.Cmd[1]);
        showActive();
    }
    void TearDown() override { destroy(); }

    PrintWindow *printout() const { return page->findChild<PrintCommand *>()->window(); }

    // DaYin with a declaration that passes the checks: the printout opens.
    void openPrintout(const Declaration &d)
    {
        page->document().load(d);
        click(page->DaYin);
        ASSERT_NE(printout(), nullptr) << env.prompts.texts().join('|').toStdString();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(printout()));
    }
};

} // namespace

TEST_F(PrintWiring, CheckThenPrintStoresThePrintedFileAndShowsThePrintedState)
{
    Declaration d = declaration();
    d[DeclField::TiYunDanHao].clear();
    for (const DeclField column : goodsFamilies())
        d.at(column, 1) = d.at(column, 0);
    d.at(DeclField::BiZhi, 1).clear();
    page->document().load(d);
    ASSERT_FALSE(page->goodsExpanded());
    // A field of a hidden row is shown before it takes the cursor.
    click(page->DaYin);
    ASSERT_NE(env.prompts.last(), nullptr);
    EXPECT_EQ(env.prompts.last()->text, QStringLiteral("币制不能为空！"));
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Warning);
    EXPECT_EQ(focusedName(), QStringLiteral("BiZhi(1)"));
    EXPECT_TRUE(page->goodsExpanded());
    commit(QStringLiteral("欧元"));

    click(page->DaYin);
    EXPECT_EQ(env.prompts.last()->text, QStringLiteral("提运单号不能为空！"));
    EXPECT_EQ(focusedName(), QStringLiteral("TiYunDanHao"));
    EXPECT_EQ(printout(), nullptr);

    keys("176-12345675");
    env.prompts.clearRecord();
    click(page->DaYin);
    QPointer<PrintWindow> window = printout();
    ASSERT_NE(window, nullptr) << env.prompts.texts().join('|').toStdString();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(page->isVisible());
    EXPECT_TRUE(QFileInfo(env.path(QStringLiteral("Saved/Printed"))).isDir());
    EXPECT_EQ(window->sheet().find(QStringLiteral("ShouHuoRen"))->text,
              QStringLiteral("爱克美有限公司"));

    env.prompts.answer(MsgAnswer::Yes); // the certificate note
    click(window->cmdPrint);
    ASSERT_EQ(env.printer.pages.size(), 1u);
    const ShownMessage &question = env.prompts.messages.front();
    EXPECT_EQ(question.buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(question.defaultButton, MsgAnswer::Cancel);
    // The note sits on the first free goods line; the buttons are not printed.
    const QImage &paper = env.printer.pages.front();
    EXPECT_LT(qGray(paper.pixel(3585 / 15 + 4, goodsRowTops()[2] / 15 + 4)), 100);
    for (const QPoint at : {QPoint(3120 + 700, 9000 + 250), QPoint(6240 + 700, 9000 + 250)})
        EXPECT_EQ(paper.pixel(at / 15), qRgb(255, 255, 255));

    LoadedDeclaration stored;
    ASSERT_TRUE(readDeclaration(printedPath, stored, nullptr));
    EXPECT_EQ(stored.content, declarationOnScreen(*page));
    EXPECT_TRUE(env.prompts.texts().contains(
        QStringLiteral("保存“") + QFileInfo(printedPath).fileName() + QStringLiteral("”成功！")));

    ASSERT_TRUE(waitFor([&] { return window.isNull(); }));
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->DangQianWenJian, printedPath);
    EXPECT_EQ(page->Tip->text(), statusPrinted());
    EXPECT_EQ(page->WenJianJia->text(), QStringLiteral("已打印文件"));
    EXPECT_TRUE(page->BaoJianXinXi->isHidden());
    EXPECT_TRUE(page->GuiDang->isEnabled());
    EXPECT_FALSE(page->FeiYong->isEnabled());
    EXPECT_FALSE(page->DaoChu->isEnabled());
    EXPECT_EQ(page->LiuLan->text(), QStringLiteral("1/1"));
    EXPECT_TRUE(page->FanYe[0]->isEnabled() && page->FanYe[1]->isEnabled());
    ViewFiles &browser = page->findChild<DocumentCommands *>()->browser();
    EXPECT_TRUE(browser.Option1[1]->isChecked());
    EXPECT_EQ(browser.count(), 1);
    EXPECT_EQ(browser.selected(), 0);
    EXPECT_EQ(browser.pathOf(0), printedPath);
}

TEST_F(PrintWiring, AnotherDesksFileOfTheSameSecondIsKept)
{
    openPrintout(declaration());
    ASSERT_TRUE(writeBytes(printedPath, "another desk's declaration"));
    env.prompts.answer(MsgAnswer::Yes);
    click(printout()->cmdPrint);
    const QString ours = numberedFileName(printedPath, 2);
    EXPECT_EQ(readBytes(printedPath), "another desk's declaration");
    LoadedDeclaration stored;
    ASSERT_TRUE(readDeclaration(ours, stored, nullptr))
        << env.prompts.texts().join('|').toStdString();
    EXPECT_EQ(stored.content, declarationOnScreen(*page));
    EXPECT_EQ(page->DangQianWenJian, ours);
    EXPECT_EQ(page->Tip->text(), statusPrinted());
    EXPECT_FALSE(QFileInfo::exists(ours + ".lock"));
}

TEST_F(PrintWiring, FailuresSayPrintErrorAndKeepTheWindowAndTheState)
{
    openPrintout(declaration());
    QPointer<PrintWindow> window = printout();

    // Dragged by its surface.
    const QPoint before = window->pos();
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
    QMouseEvent drag(QEvent::MouseMove, QPointF(70, 90), window->mapToGlobal(QPointF(70, 90)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drag);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(70, 90));
    EXPECT_EQ(window->pos(), before + QPoint(30, 50));

    env.prompts.answer(MsgAnswer::Cancel);
    click(window->cmdPrint);
    EXPECT_TRUE(env.printer.jobs.isEmpty());

    // The printer's reason on the second line; the job is named after the file.
    env.printer.succeed = false;
    env.prompts.answer(MsgAnswer::Yes);
    click(window->cmdPrint);
    ASSERT_NE(env.prompts.last(), nullptr);
    EXPECT_EQ(env.prompts.last()->text, QStringLiteral("打印错误！\nprinter offline"));
    EXPECT_EQ(env.printer.jobs, QStringList{QFileInfo(printedPath).fileName()});
    EXPECT_TRUE(window->cmdPrint->isVisible() && window->cmdExit->isVisible());

    // The printed file cannot be made (every numbered name taken): the
    // save's reason, no printed state. The retry answered No prints no
    // note, whatever the try before.
    env.printer.succeed = true;
    for (int n = 1; n <= maxFileNumber; ++n)
        ASSERT_TRUE(QDir().mkpath(env.ctx.printedDir() + '/' +
                                  numberedFileName(QFileInfo(printedPath).fileName(), n)));
    env.prompts.clearRecord();
    env.prompts.answer(MsgAnswer::No);
    click(window->cmdPrint);
    ASSERT_EQ(env.printer.pages.size(), 1u);
    const QImage &paper = env.printer.pages.front();
    EXPECT_EQ(paper.pixel(3585 / 15 + 4, goodsRowTops()[1] / 15 + 4), qRgb(255, 255, 255));
    EXPECT_FALSE(window->sheet().find(QStringLiteral("Label2"))->visible);
    ASSERT_EQ(env.prompts.messages.size(), 2u) << env.prompts.texts().join('|').toStdString();
    const QStringList lines = env.prompts.messages[1].text.split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("打印错误！"));
    EXPECT_TRUE(lines[1].contains(QFileInfo(printedPath).fileName())) << lines[1].toStdString();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->cmdPrint->isVisible() && window->cmdExit->isVisible());
    EXPECT_TRUE(page->DangQianWenJian.isEmpty());
    EXPECT_EQ(page->Tip->text(), statusPreEntry());
    EXPECT_FALSE(page->GuiDang->isEnabled());

    click(window->cmdExit);
    ASSERT_TRUE(waitFor([&] { return window.isNull(); }));
    EXPECT_TRUE(page->isVisible());
}

// The consignee check asks the register file when printing, not the list
// filled at start-up: another desk has rewritten it to list BETA only.
TEST_F(PrintWiring, TheConsigneeCheckAsksTheRegisterAsItIsNow)
{
    const QByteArray rewritten = gbk(QStringLiteral("[列表]\nS=1\n1=BETA\n"));
    ASSERT_TRUE(writeBytes(env.ctx.consigneeIni(), rewritten));
    page->document().load(declaration()); // ACME, still on the main list
    click(page->DaYin);
    ASSERT_NE(env.prompts.last(), nullptr);
    EXPECT_EQ(env.prompts.last()->text, QStringLiteral("收货人不存在！"));
    EXPECT_EQ(readBytes(env.ctx.consigneeIni()), rewritten);
    Declaration d = declaration();
    d[DeclField::ShouHuoRen] = QStringLiteral("BETA");
    openPrintout(d);
    click(printout()->cmdExit);
}

// A declaration its printed file could not hold is refused before the
// printout opens, the cursor on the field that holds the text.
TEST_F(PrintWiring, AnUnstorableDeclarationIsNotPrinted)
{
    Declaration d = declaration();
    d[DeclField::HeTongHao] = QStringLiteral("HT😀");
    page->document().load(d);
    click(page->DaYin);
    EXPECT_EQ(printout(), nullptr);
    ASSERT_NE(env.prompts.last(), nullptr);
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Warning);
    EXPECT_TRUE(env.prompts.last()->text.contains(QStringLiteral("😀")))
        << env.prompts.last()->text.toStdString();
    EXPECT_EQ(focusedName(), QStringLiteral("HeTongHao"));
    EXPECT_TRUE(env.printer.jobs.isEmpty());
}

// The printout makes the printed file's folder before any question or paper.
TEST_F(PrintWiring, AFolderThePrintoutCannotMakeIsReportedBeforeThePaper)
{
    openPrintout(declaration());
    QPointer<PrintWindow> window = printout();
    ASSERT_TRUE(QDir(env.ctx.printedDir()).removeRecursively());
    ASSERT_TRUE(writeBytes(env.ctx.printedDir(), "not a folder"));
    env.prompts.clearRecord();
    click(window->cmdPrint);
    ASSERT_EQ(env.prompts.messages.size(), 1u) << env.prompts.texts().join('|').toStdString();
    EXPECT_EQ(env.prompts.messages[0].text, QStringLiteral("打印错误！\n无法创建文件夹“") +
                                                QDir::toNativeSeparators(env.ctx.printedDir()) +
                                                QStringLiteral("”！"));
    EXPECT_TRUE(env.printer.jobs.isEmpty());
    click(window->cmdExit);
}
