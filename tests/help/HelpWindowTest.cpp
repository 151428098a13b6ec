#include "help/HelpWindow.h"
#include "help/GuideText.h"
#include "help/HelpLayout.h"
#include "support/TestEnv.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace portdesk;

TEST(HelpLayout, MarginsAreGivenInTwipsAtFifteenAPixel)
{
    EXPECT_EQ(helpTextSize(QSize(640, 560)), QSize(633, 527));
    EXPECT_EQ(helpTextSize(QSize(107, 533)), QSize(100, 500));
}

TEST(HelpLayout, MarginsAreTakenFromTheOuterWindowAndTheFieldStaysInside)
{
    const struct {
        QSize outer, inner, field;
    } cases[] = {
        {{640, 560}, {640, 560}, {633, 527}}, // no border or title bar
        {{642, 591}, {640, 560}, {635, 558}}, // thin border, 30-pixel title bar
        {{660, 600}, {640, 560}, {640, 560}}, // decorations wider than the margins
    };
    for (const auto &c : cases)
        EXPECT_EQ(helpTextSize(c.outer, c.inner), c.field)
            << c.outer.width() << "x" << c.outer.height();
}

TEST(HelpLayout, AWindowSmallerThanTheMarginsGivesAnEmptyFieldNotANegativeOne)
{
    EXPECT_EQ(helpTextSize(QSize(5, 20)), QSize(0, 0));
    EXPECT_EQ(helpTextSize(QSize(7, 33)), QSize(0, 0));
    EXPECT_EQ(helpTextSize(QSize(8, 34)), QSize(1, 1));
}

TEST(HelpWindow, NamesTitleAndTheWholeGuide)
{
    test::TestEnv env;
    HelpWindow w(env.ctx);
    EXPECT_EQ(w.objectName(), QStringLiteral("Help"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("帮助文档"));
    auto *text = w.findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(), guideText());
    EXPECT_TRUE(w.isWindow());
}

TEST(HelpWindow, TextFollowsEveryResize)
{
    test::TestEnv env;
    HelpWindow w(env.ctx);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QSize sizes[] = {{800, 700}, {300, 200}, {1024, 300}, {640, 560}};
    for (const QSize &s : sizes) {
        w.resize(s);
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.size() == s; }));
        // 105 and 495 twips less than the outer window, inside the inner area.
        const QSize outer = w.frameGeometry().size();
        const QSize field(std::min(outer.width() - 7, s.width()),
                          std::min(outer.height() - 33, s.height()));
        EXPECT_EQ(w.Text1->geometry(), QRect(QPoint(0, 0), field))
            << s.width() << "x" << s.height();
    }
}

TEST(HelpWindow, TextIsReadOnlyWithAVerticalScrollBar)
{
    test::TestEnv env;
    HelpWindow w(env.ctx);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.Text1->setFocus();
    QTest::keyClicks(w.Text1, "abc");
    QTest::keyClick(w.Text1, Qt::Key_Delete);
    QTest::keyClick(w.Text1, Qt::Key_Backspace);
    EXPECT_EQ(w.Text1->toPlainText(), guideText());
    EXPECT_TRUE(w.Text1->verticalScrollBar()->isVisible());
    EXPECT_GT(w.Text1->verticalScrollBar()->maximum(), 0); // the guide is longer than the window
}
