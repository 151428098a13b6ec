#include "help/AboutWindow.h"
#include "form/ClickLabel.h"
#include "help/HelpWindow.h"
#include "platform/WebPages.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {

int helpWindowsOnScreen()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<HelpWindow *>(w) && w->isVisible())
            ++n;
    return n;
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

} // namespace

TEST(AboutWindow, NamesCaptionsAndVersionLine)
{
    test::TestEnv env;
    AboutWindow about(env.ctx);
    EXPECT_EQ(about.objectName(), QStringLiteral("About"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于本软件"));
    const QString version = QStringLiteral("Ver %1.%2.%3")
                                .arg(PORTDESK_VERSION_MAJOR)
                                .arg(PORTDESK_VERSION_MINOR)
                                .arg(PORTDESK_VERSION_PATCH);
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("Ver"))->text(), version);
    EXPECT_EQ(about.findChild<ClickLabel *>(QStringLiteral("ReadMe"))->text(),
              QStringLiteral("帮助文档"));
    EXPECT_EQ(about.findChild<ClickLabel *>(QStringLiteral("JianChaGengXin"))->text(),
              QStringLiteral("检查更新"));
    EXPECT_EQ(about.findChild<QPushButton *>(QStringLiteral("GuanBi"))->text(),
              QStringLiteral("关 闭 (&Q)"));
}

TEST(AboutWindow, StartUpAndMenuUseAreToldApart)
{
    test::TestEnv env;
    EXPECT_FALSE(AboutWindow(env.ctx, false).DKabout);
    EXPECT_TRUE(AboutWindow(env.ctx, true).DKabout);
}

TEST(AboutOpening, CreatesTheConfigFolderWhenMissing)
{
    test::TestEnv env;
    ASSERT_FALSE(QDir(env.ctx.configDir()).exists());
    AboutWindow about(env.ctx);
    about.show();
    EXPECT_TRUE(QDir(env.ctx.configDir()).exists());
    EXPECT_TRUE(env.prompts.messages.empty());
}

TEST(AboutOpening, KeepsAnExistingConfigFolderAndItsFiles)
{
    test::TestEnv env;
    ASSERT_TRUE(QDir().mkpath(env.ctx.configDir()));
    ASSERT_TRUE(test::writeBytes(env.ctx.configIni(), "[a]\r\nb=1\r\n"));
    AboutWindow about(env.ctx);
    about.show();
    EXPECT_EQ(test::readBytes(env.ctx.configIni()), QByteArray("[a]\r\nb=1\r\n"));
    EXPECT_TRUE(env.prompts.messages.empty());
}

TEST(AboutOpening, SaysSoWhenTheConfigFolderCannotBeMade)
{
    test::TestEnv env;
    Context ctx = env.ctx;
    ctx.workDir = env.root.path() + QStringLiteral("/gone/work"); // parent missing: one level only
    AboutWindow about(ctx);
    about.show();
    ASSERT_EQ(env.prompts.messages.size(), 1u);
    const ShownMessage &m = env.prompts.messages[0];
    EXPECT_EQ(m.text,
              QStringLiteral("无法创建配置文件夹：\n") + QDir::toNativeSeparators(ctx.configDir()));
    EXPECT_EQ(m.icon, MsgIcon::Warning);
    EXPECT_FALSE(QDir(ctx.configDir()).exists());
}

TEST(AboutUpdate, InformsThenOpensTheUpdatePage)
{
    test::TestEnv env;
    AboutWindow about(env.ctx);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    QStringList openedWhenInformed{QStringLiteral("not called")};
    env.prompts.onMessage = [&](const ShownMessage &) { openedWhenInformed = env.shell.opened; };

    click(about.JianChaGengXin);

    ASSERT_EQ(env.prompts.messages.size(), 1u);
    const ShownMessage &m = env.prompts.messages[0];
    EXPECT_EQ(m.text, QStringLiteral("宝贝介绍中有版本信息和下载地址！"));
    EXPECT_EQ(m.title, QStringLiteral("检查更新"));
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_TRUE(openedWhenInformed.isEmpty()); // the browser comes after the box
    EXPECT_EQ(env.shell.opened, QStringList{updatePageUrl()});
    EXPECT_TRUE(updatePageUrl().startsWith(QStringLiteral("https://")));
}

TEST(AboutUpdate, WithoutABrowserShowsTheAddressToType)
{
    test::TestEnv env;
    env.shell.succeed = false;
    AboutWindow about(env.ctx);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));

    click(about.JianChaGengXin);

    ASSERT_EQ(env.prompts.messages.size(), 2u);
    EXPECT_EQ(env.prompts.messages[0].title, QStringLiteral("检查更新"));
    const ShownMessage &m = env.prompts.messages[1];
    EXPECT_EQ(m.text, QStringLiteral("请在浏览器中手动输入地址：\r\n\r\n") + updatePageUrl());
    EXPECT_EQ(m.title, QStringLiteral("调用浏览器错误！"));
    EXPECT_EQ(m.icon, MsgIcon::Warning);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_EQ(env.shell.opened, QStringList{updatePageUrl()});
}

TEST(AboutHelp, ReadMeOpensTheHelpWindowAndReusesIt)
{
    test::TestEnv env;
    AboutWindow about(env.ctx);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    ASSERT_EQ(about.helpWindow(), nullptr);

    click(about.ReadMe);
    QPointer<HelpWindow> first = about.helpWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_TRUE(about.isVisible()); // not modal: the about window stays usable

    click(about.ReadMe);
    EXPECT_EQ(about.helpWindow(), first.data());
    EXPECT_EQ(helpWindowsOnScreen(), 1);

    first->close();
    click(about.ReadMe);
    EXPECT_EQ(about.helpWindow(), first.data());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(helpWindowsOnScreen(), 1);
}

TEST(AboutHelp, ReadMeShowsAPressedLookOnlyWhileHeld)
{
    test::TestEnv env;
    AboutWindow about(env.ctx);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    const QPoint p = about.ReadMe->rect().center();
    QTest::mousePress(about.ReadMe, Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_NE(about.ReadMe->frameStyle(), int(QFrame::NoFrame));
    QTest::mouseRelease(about.ReadMe, Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_EQ(about.ReadMe->frameStyle(), int(QFrame::NoFrame));
}

TEST(AboutHelp, HelpStaysOpenWhenTheAboutWindowClosesAndGoesWithIt)
{
    test::TestEnv env;
    QPointer<HelpWindow> help;
    {
        AboutWindow about(env.ctx);
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
        click(about.ReadMe);
        help = about.helpWindow();
        click(about.GuanBi);
        EXPECT_FALSE(about.isVisible());
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible());
    }
    EXPECT_EQ(help, nullptr);
}

TEST(AboutClose, CloseButtonClosesTheWindow)
{
    test::TestEnv env;
    AboutWindow about(env.ctx);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    click(about.GuanBi);
    EXPECT_FALSE(about.isVisible());
}

TEST(AboutClose, AltQClosesTheWindow)
{
    test::TestEnv env;
    AboutWindow about(env.ctx);
    about.show();
    about.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &about;
    QTest::keyClick(target, Qt::Key_Q, Qt::AltModifier);
    // A mnemonic animates the button press before it clicks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !about.isVisible(); }));
}

TEST(AboutFromMenu, OneNonModalWindowOwnedByTheMainWindow)
{
    test::TestEnv env;
    auto *owner = new QWidget;
    owner->show();
    auto *holder = new AboutWindowHolder(env.ctx, *owner);
    AboutWindow *first = holder->show();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->isWindow());
    EXPECT_FALSE(first->isModal());
    EXPECT_TRUE(first->DKabout);
    EXPECT_TRUE(owner->isEnabled()); // the main window is left alone

    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_EQ(holder->window(), first);

    first->close();
    EXPECT_EQ(holder->show(), first);
    EXPECT_TRUE(first->isVisible());

    // A window that disables the owner leaves the about window usable.
    owner->setEnabled(false);
    EXPECT_TRUE(first->isEnabled());
    EXPECT_TRUE(first->GuanBi->isEnabled());

    QPointer<AboutWindow> watch = first;
    delete owner;
    EXPECT_EQ(watch, nullptr);
}
