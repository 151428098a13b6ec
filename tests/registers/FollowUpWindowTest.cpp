// The follow-up window opened from the main window: ticking items, entering
// and leaving the register, the badge, declarations that cannot take items,
// the list's entries, and writes that fail.
#include "registers/FollowUpWindow.h"
#include "documents/DocumentCommands.h"
#include "documents/ViewFiles.h"
#include "form/ClickLabel.h"
#include "model/DeclarationFile.h"
#include "model/FollowUpCount.h"
#include "store/SettingsStore.h"
#include "support/MainWindowHarness.h"
#include "support/ProbeFaults.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <cerrno>

using namespace portdesk;
using namespace portdesk::test;

namespace {

const QString kEntry = QStringLiteral("ACME(123456,2014-03-05)");

class FollowUpWindowTest : public ::testing::Test, protected MainWindowHarness {
protected:
    QString dcl = env.path(QStringLiteral("Saved/Archived/2014/03/123456ACME(2014-03-05).dcl"));
    QStringList opened; // what the window asked the main window to open

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(env.ctx.configDir()));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(dcl).path()));
        writeArchived(dcl, QStringLiteral("ACME"));
        build([this](MainPage &p) {
            attachFollowUpWindow(p, [this](const QString &path) {
                opened << path;
                return true;
            });
        });
        page->DangQianWenJian = dcl;
        showActive();
    }
    void TearDown() override
    {
        setProbeFault({});
        destroy();
    }

    // The whole program on the main window, the browser closed again.
    void rebuildFullyWired()
    {
        destroy();
        build(fullWiring);
        page->show();
        ViewFiles &browser = page->findChild<DocumentCommands *>()->browser();
        ASSERT_TRUE(waitFor([&] { return browser.isVisible(); }));
        click(browser.Cmd[1]);
        showActive();
    }
    static void writeArchived(const QString &path, const QString &consignee)
    {
        Declaration d;
        d[DeclField::ShouHuoRen] = consignee;
        ASSERT_TRUE(writeDeclaration(path, d, nullptr));
        ASSERT_TRUE(
            WriteKey(path, infoSection(), QStringLiteral("报检号"), QStringLiteral("123456")));
        ASSERT_TRUE(WriteKey(path, infoSection(), QStringLiteral("报检日期"),
                             QStringLiteral("2014-03-05")));
    }

    FollowUpWindow *window() const
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *f = qobject_cast<FollowUpWindow *>(w); f && f->isVisible())
                return f;
        return nullptr;
    }
    FollowUpWindow *open(QWidget *by = nullptr)
    {
        QTest::mouseClick(by ? by : page->HouQi, Qt::LeftButton);
        EXPECT_TRUE(waitFor([&] { return window() != nullptr; }));
        return window();
    }
    // Closed and gone, so that the next click makes a fresh window.
    static void shut(FollowUpWindow *w)
    {
        QPointer<FollowUpWindow> alive(w);
        QTest::mouseClick(w->Cmd2, Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return alive.isNull(); }));
    }
    // On the indicator: a box stretched by its layout takes clicks only there.
    static void tick(QCheckBox *box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    static void registerBoxes(FollowUpWindow *w)
    {
        ASSERT_TRUE(w->Cmd1->isEnabled());
        QTest::mouseClick(w->Cmd1, Qt::LeftButton);
    }
    QString status(const char *key) const
    {
        return ReadKey(dcl, followUpItemSection(), QString::fromUtf8(key), QString());
    }
    QStringList listed(FollowUpWindow *w) const
    {
        QStringList texts;
        for (int i = 0; i < w->List1->count(); ++i)
            texts << w->List1->item(i)->text();
        return texts;
    }
};

TEST_F(FollowUpWindowTest, EntersOnceWhileOpenAndLeavesWhenEveryItemIsDone)
{
    FollowUpWindow *w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(page->isEnabled());
    EXPECT_FALSE(w->Cmd1->isEnabled());
    tick(w->box[1][0]); // 熏蒸
    tick(w->box[4][0]); // 下厂
    for (int again = 0; again < 2; ++again) {
        registerBoxes(w);
        EXPECT_EQ(listed(w), QStringList{kEntry});
        EXPECT_EQ(page->Picture1->toolTip(), QStringLiteral("有1条事项尚未完成"));
        EXPECT_TRUE(page->Picture1->isVisibleTo(page.get()));
        EXPECT_FALSE(w->Cmd1->isEnabled());
        tick(w->box[3][0]); // changed and changed back: the same boxes again
        tick(w->box[3][0]);
    }
    EXPECT_EQ(status("熏蒸"), QStringLiteral("0"));
    EXPECT_EQ(status("改单"), QString());
    EXPECT_EQ(registeredPath(env.ctx.tobedoneIni(), kEntry),
              QStringLiteral("\\Saved\\Archived\\2014\\03\\123456ACME(2014-03-05).dcl"));
    shut(w);
    EXPECT_TRUE(page->isEnabled());

    // Opened again by the badge: the statuses come back from the file.
    w = open(page->Picture1);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->box[1][0]->isChecked());
    EXPECT_TRUE(w->box[1][1]->isEnabled());
    EXPECT_FALSE(w->box[2][1]->isEnabled());
    tick(w->box[1][1]);
    tick(w->box[4][1]);
    registerBoxes(w);
    EXPECT_EQ(status("熏蒸"), QStringLiteral("1"));
    EXPECT_TRUE(listed(w).isEmpty());
    EXPECT_EQ(ReadKey(env.ctx.tobedoneIni(), followUpListSection(), QStringLiteral("X"), QString()),
              QStringLiteral("0"));
    EXPECT_FALSE(page->Picture1->isVisibleTo(page.get()));
    EXPECT_FALSE(w->Frame1->isEnabled());
    EXPECT_FALSE(w->box[1][0]->isChecked());
    EXPECT_TRUE(env.prompts.texts().isEmpty());
}

TEST_F(FollowUpWindowTest, UntickingAnItemClearsAndDisablesItsDoneBox)
{
    FollowUpWindow *w = open();
    ASSERT_NE(w, nullptr);
    for (auto &pair : w->box) {
        SCOPED_TRACE(pair[0]->objectName().toStdString());
        EXPECT_FALSE(pair[1]->isEnabled());
        tick(pair[0]);
        ASSERT_TRUE(pair[1]->isEnabled());
        tick(pair[1]);
        ASSERT_TRUE(pair[1]->isChecked());
        tick(pair[0]);
        EXPECT_FALSE(pair[1]->isChecked());
        EXPECT_FALSE(pair[1]->isEnabled());
    }
    EXPECT_TRUE(w->Cmd1->isEnabled());
}

TEST_F(FollowUpWindowTest, DeclarationsNotArchivedCannotTakeItems)
{
    for (const QString &file : {QString(), env.path(QStringLiteral("Saved/x.dcl")),
                                env.path(QStringLiteral("Saved/Printed/x.dcl"))}) {
        SCOPED_TRACE(file.toStdString());
        page->DangQianWenJian = file;
        FollowUpWindow *w = open();
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->Frame1->isEnabled());
        EXPECT_FALSE(w->Cmd1->isEnabled());
        shut(w);
    }
    EXPECT_TRUE(env.prompts.texts().isEmpty());
}

TEST_F(FollowUpWindowTest, ListedEntriesWhoseFileIsGoneAreReportedAndOthersOpen)
{
    const QString gone = env.path(QStringLiteral("Saved/Archived/2014/03/gone.dcl"));
    for (const QString &path : {gone, dcl})
        ASSERT_TRUE(enterFollowUp(env.ctx.tobedoneIni(), QFileInfo(path).fileName(),
                                  registerRelativePath(env.ctx.workDir, path), nullptr));
    FollowUpWindow *w = open();
    ASSERT_NE(w, nullptr);
    const auto clickRow = [&](int row, bool twice) {
        const QPoint at = w->List1->visualItemRect(w->List1->item(row)).center();
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton, {}, at);
    };

    clickRow(0, false);
    EXPECT_EQ(env.prompts.texts(), QStringList{QStringLiteral("该文件不存在！")});
    EXPECT_FALSE(w->Cmd1->isEnabled());
    env.prompts.clearRecord();
    clickRow(0, true);
    EXPECT_TRUE(env.prompts.texts().contains(QStringLiteral("该单不存在！")));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_NE(window(), nullptr);

    clickRow(1, false);
    EXPECT_EQ(w->Frame1->title(), QFileInfo(dcl).fileName());
    clickRow(1, true);
    EXPECT_EQ(opened, QStringList{dcl});
    EXPECT_TRUE(waitFor([&] { return window() == nullptr && page->isEnabled(); }));
}

// Each write that fails, the register's or the declaration's own, is
// reported with its reason, and nothing shows success.
class FollowUpWriteFails : public FollowUpWindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FollowUpWriteFails, IsReportedAndListsNothing)
{
    FollowUpWindow *w = open();
    ASSERT_NE(w, nullptr);
    tick(w->box[2][0]);
    const QString failing = GetParam() ? env.ctx.tobedoneIni() : dcl;
    setProbeFault([failing](const QString &path) { return path == failing ? EIO : 0; });
    QTest::mouseClick(w->Cmd1, Qt::LeftButton);
    setProbeFault({});

    ASSERT_EQ(env.prompts.messages.size(), 1u);
    EXPECT_EQ(env.prompts.last()->icon, MsgIcon::Warning);
    EXPECT_TRUE(env.prompts.last()->text.startsWith(QStringLiteral("后期事项登记失败！\n")));
    EXPECT_TRUE(env.prompts.last()->text.contains(QFileInfo(failing).fileName()));
    EXPECT_TRUE(listed(w).isEmpty());
    EXPECT_FALSE(page->Picture1->isVisibleTo(page.get()));
    EXPECT_TRUE(w->Cmd1->isEnabled()) << "the clerk can try again";
}

INSTANTIATE_TEST_SUITE_P(Writes, FollowUpWriteFails, ::testing::Bool(), [](const auto &info) {
    return std::string(info.param ? "Register" : "Statuses");
});

TEST_F(FollowUpWindowTest, AFullRegisterRefusesAnotherDeclaration)
{
    QByteArray full = gbk(QStringLiteral("[待处理列表]\nX=255\n"));
    for (int slot = 1; slot <= kFollowUpSlots; ++slot)
        full += gbk(QString::number(slot) + QStringLiteral("=D") + QString::number(slot) + u'\n');
    ASSERT_TRUE(writeBytes(env.ctx.tobedoneIni(), full));
    FollowUpWindow *w = open();
    ASSERT_NE(w, nullptr);
    tick(w->box[0][0]);
    QTest::mouseClick(w->Cmd1, Qt::LeftButton);
    QString error;
    EXPECT_FALSE(enterFollowUp(env.ctx.tobedoneIni(), kEntry, QStringLiteral("\\x"), &error));
    ASSERT_NE(env.prompts.last(), nullptr);
    EXPECT_TRUE(env.prompts.last()->text.endsWith(error));
    EXPECT_EQ(readBytes(env.ctx.tobedoneIni()), full);
}

TEST_F(FollowUpWindowTest, ADoubleClickedEntryOpensInTheMainWindowAsArchived)
{
    ASSERT_TRUE(enterFollowUp(env.ctx.tobedoneIni(), kEntry,
                              registerRelativePath(env.ctx.workDir, dcl), nullptr));
    rebuildFullyWired();
    EXPECT_EQ(page->Picture1->toolTip(), QStringLiteral("有1条事项尚未完成"));
    FollowUpWindow *w = open(page->Picture1);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->Frame1->isEnabled()) << "a new declaration takes no items";

    const QPoint at = w->List1->visualItemRect(w->List1->item(0)).center();
    QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(waitFor([&] { return window() == nullptr && page->isEnabled(); }));
    EXPECT_EQ(page->DangQianWenJian, dcl);
    EXPECT_EQ(page->document().value()[DeclField::ShouHuoRen], QStringLiteral("ACME"));
    EXPECT_FALSE(page->FanYe[0]->isEnabled());
    EXPECT_FALSE(page->FanYe[1]->isEnabled());
    EXPECT_EQ(page->LiuLan->text(), QStringLiteral(" / "));
    EXPECT_EQ(page->WenJianJia->text(), QStringLiteral("已归档文件"));
    EXPECT_TRUE(page->FeiYong->isEnabled());
    EXPECT_TRUE(page->DaoChu->isEnabled());
    EXPECT_TRUE(env.prompts.texts().isEmpty());
}

} // namespace
