// The fee window as the clerk types into it: characters and lengths the
// boxes refuse, the Enter path, storing into the declaration's own file.
#include "registers/FeeWindow.h"
#include "model/DeclarationFile.h"
#include "model/FeeRecord.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace portdesk;
using namespace portdesk::test;

namespace {

struct FeeWindowTest : ::testing::Test {
    TestEnv env;
    QString dcl;
    std::unique_ptr<FeeWindow> w;

    void SetUp() override
    {
        const QString dir = env.path(QStringLiteral("Saved/Archived/2014/03"));
        ASSERT_TRUE(QDir().mkpath(dir));
        dcl = dir + QStringLiteral("/123456ACME(2014-03-05).dcl");
        ASSERT_TRUE(writeDeclaration(dcl, Declaration(), nullptr));
    }
    void open(bool archived)
    {
        w = std::make_unique<FeeWindow>(env.ctx, dcl, archived);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    QString fee(const char *key) const
    {
        return ReadKey(dcl, feeSection(), QString::fromUtf8(key), QString());
    }
};

TEST_F(FeeWindowTest, TypedAmountsAreStoredThroughTheEnterPath)
{
    open(true);
    // Opening adds the four keys empty, as a read of a declaration does.
    EXPECT_TRUE(readBytes(dcl).contains(gbk(QStringLiteral("[费用登记]\n输单费=\n"))));

    w->Text1[0]->setFocus();
    QTest::keyClicks(w->Text1[0], "12a/.5");
    QTest::keyClick(w->Text1[0], Qt::Key_Return);
    ASSERT_TRUE(w->Text1[1]->hasFocus());
    QTest::keyClicks(w->Text1[1], "1234567890123"); // a thirteenth character is refused
    QTest::keyClick(w->Text1[1], Qt::Key_Return);
    QTest::keyClick(w->Text1[2], Qt::Key_Return); // row 3 stays empty
    QTest::keyClicks(w->Text1[3], "30");
    QTest::keyClick(w->Text1[3], Qt::Key_Return);
    ASSERT_TRUE(w->Cmd1->hasFocus());
    EXPECT_EQ(fee("输单费"), QString()); // Enter alone stores nothing

    QTest::mouseClick(w->Cmd1, Qt::LeftButton);
    EXPECT_EQ(env.prompts.texts(), QStringList{QStringLiteral("费用登记成功！")});
    EXPECT_EQ(fee("输单费"), QStringLiteral("12.5"));
    EXPECT_EQ(fee("法检费"), QStringLiteral("123456789012"));
    EXPECT_EQ(fee("卫生费"), QString());
    EXPECT_EQ(fee("除害费"), QStringLiteral("30"));
}

TEST_F(FeeWindowTest, NotArchivedShowsOnlyAndFailedStoreIsReported)
{
    const QByteArray before = readBytes(dcl);
    open(false);
    EXPECT_FALSE(w->Cmd1->isEnabled());
    EXPECT_FALSE(w->Text1[0]->isEnabled());
    EXPECT_EQ(readBytes(dcl), before);
    w.reset();

    open(true);
    QTest::keyClicks(w->Text1[0], "5");
    ASSERT_TRUE(QDir(QFileInfo(dcl).path()).removeRecursively());
    QTest::mouseClick(w->Cmd1, Qt::LeftButton);
    ASSERT_NE(env.prompts.last(), nullptr);
    EXPECT_TRUE(env.prompts.last()->text.startsWith(QStringLiteral("费用登记失败！")));
    EXPECT_TRUE(w->isVisible());
}

} // namespace
