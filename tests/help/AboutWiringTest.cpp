// The main window's about button and version label open the one about box.
#include "app/MainWiring.h"
#include "form/ClickLabel.h"
#include "form/MainPage.h"
#include "help/AboutWindow.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

// The file browser comes up just after the main window is shown and keeps it
// disabled; wait for it, then close it.
bool closeFileBrowser()
{
    QWidget *browser = nullptr;
    const bool shown = QTest::qWaitFor([&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("ViewFiles") && w->isVisible())
                browser = w;
        return browser != nullptr;
    });
    if (shown)
        browser->close();
    return shown;
}

} // namespace

TEST(AboutFromMainPage, AboutButtonAndVersionLabelShowTheSameWindow)
{
    test::TestEnv env;
    QPointer<AboutWindow> about;
    {
        MainPage page(env.ctx);
        wireMainPage(page);
        page.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
        ASSERT_TRUE(closeFileBrowser());
        ASSERT_TRUE(page.isEnabled());
        EXPECT_EQ(page.findChild<AboutWindowHolder *>()->window(), nullptr);

        click(page.GuanYu);
        about = page.findChild<AboutWindowHolder *>()->window();
        ASSERT_NE(about, nullptr);
        EXPECT_TRUE(about->isVisible());
        EXPECT_FALSE(about->isModal());
        EXPECT_TRUE(about->DKabout);
        EXPECT_TRUE(page.isEnabled());

        // The browser disables the main window; the about window stays usable.
        click(page.DaKai);
        ASSERT_FALSE(page.isEnabled());
        EXPECT_TRUE(about->isEnabled());
        EXPECT_TRUE(about->GuanBi->isEnabled());
        ASSERT_TRUE(closeFileBrowser());
        ASSERT_TRUE(page.isEnabled());

        click(about->GuanBi);
        EXPECT_FALSE(about->isVisible());
        click(page.Ver);
        EXPECT_TRUE(about->isVisible());
        EXPECT_EQ(page.findChild<AboutWindowHolder *>()->window(), about);
    }
    EXPECT_EQ(about, nullptr); // closes with the main window
}
