#include "app/Startup.h"
#include "store/SettingsStore.h"
#include "store/WorkDirectory.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

struct StartupTest : ::testing::Test {
    TestEnv env;
    QString ini() const { return portdeskIniPath(env.ctx.programDir); }
};

TEST_F(StartupTest, NoIniMeansProgramFolderAndNoFileCreated)
{
    const WorkDirChoice c = resolveWorkDir(env.ctx.programDir);
    EXPECT_EQ(c.workDir, env.ctx.programDir);
    EXPECT_FALSE(c.unreachable);
    EXPECT_FALSE(QFile::exists(ini()));
}

TEST_F(StartupTest, IniWithoutKeyGetsEmptyKeyAndProgramFolder)
{
    ASSERT_TRUE(writeBytes(ini(), "[Other]\r\nx=1\r\n"));
    const WorkDirChoice c = resolveWorkDir(env.ctx.programDir);
    EXPECT_EQ(c.workDir, env.ctx.programDir);
    EXPECT_EQ(readBytes(ini()), QByteArray("[Other]\r\nx=1\r\n[Setting]\r\nWorkDir=\r\n"));
}

TEST_F(StartupTest, ConfiguredExistingFolderIsUsedWithOneTrailingSeparatorDropped)
{
    const QString data = env.root.path() + "/data";
    ASSERT_TRUE(QDir().mkpath(data));
    for (const QString &stored : {data, data + "/", data + "\\"}) {
        ASSERT_TRUE(WriteKey(ini(), "Setting", "WorkDir", stored));
        const WorkDirChoice c = resolveWorkDir(env.ctx.programDir);
        EXPECT_EQ(c.workDir, data) << stored.toStdString();
        EXPECT_FALSE(c.unreachable);
    }
}

TEST_F(StartupTest, MissingConfiguredFolderSilentlyFallsBackAndKeepsIni)
{
    const QString missing = env.root.path() + "/nowhere/data";
    ASSERT_TRUE(WriteKey(ini(), "Setting", "WorkDir", missing));
    const QByteArray before = readBytes(ini());
    const WorkDirChoice c = resolveWorkDir(env.ctx.programDir);
    EXPECT_EQ(c.workDir, env.ctx.programDir);
    EXPECT_FALSE(c.unreachable);
    EXPECT_EQ(readBytes(ini()), before);
}

TEST_F(StartupTest, KeyNamesMatchWhateverTheirCase)
{
    const QString data = env.root.path() + "/d2";
    ASSERT_TRUE(QDir().mkpath(data));
    ASSERT_TRUE(writeBytes(ini(), ("[setting]\r\nworkdir = " + data + "\r\n").toUtf8()));
    EXPECT_EQ(resolveWorkDir(env.ctx.programDir).workDir, data);
}

TEST(StartupText, ErrorMessageNamesTheConfiguredPathOnItsOwnLine)
{
    EXPECT_EQ(startupErrorText(QStringLiteral("\\\\server\\share\\Portdesk")),
              QStringLiteral("无法打开设定的工作目录：\n\\\\server\\share\\Portdesk\n"
                             "这可能是其它电脑上的共享盘，暂时无法连接上，请修复后再试。\n"
                             "如果需要，请修改本程序目录中的Portdesk.ini中的路径。"));
}

TEST(StartupText, OnlyOneTrailingSeparatorIsDropped)
{
    EXPECT_EQ(withoutTrailingSeparator("D:\\Data\\"), "D:\\Data");
    EXPECT_EQ(withoutTrailingSeparator("D:\\Data\\\\"), "D:\\Data\\");
    EXPECT_EQ(withoutTrailingSeparator("/srv/data/"), "/srv/data");
    EXPECT_EQ(withoutTrailingSeparator("/"), "/");
    EXPECT_EQ(withoutTrailingSeparator(""), "");
}

} // namespace

// Messages such as the work-directory question tell the clerk to choose
// “取消” or “确认”: the buttons must carry those words.
TEST(StartupText, MessageBoxButtonsSpeakChinese)
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm"))
        GTEST_SKIP() << "Qt's Chinese translations are not installed";
    QTranslator *translator = installChineseQtTexts(*qApp);
    ASSERT_NE(translator, nullptr);
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes |
                           QMessageBox::No);
    const struct {
        QMessageBox::StandardButton button;
        const char *word;
    } cases[] = {{QMessageBox::Ok, "确定"},
                 {QMessageBox::Cancel, "取消"},
                 {QMessageBox::Yes, "是"},
                 {QMessageBox::No, "否"}};
    for (const auto &c : cases)
        EXPECT_TRUE(box.button(c.button)->text().contains(QString::fromUtf8(c.word)))
            << box.button(c.button)->text().toStdString();
    QCoreApplication::removeTranslator(translator);
    delete translator;
}
