#include "help/HelpWindow.h"
#include "help/GuideText.h"
#include "support/TestEnv.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace portdesk;

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

// No empty strip at the bottom or right: not when the window first opens,
// not after any resize.
TEST(HelpWindow, TextFillsTheWindowFromTheFirstShowingOn)
{
    test::TestEnv env;
    HelpWindow w(env.ctx);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.Text1->geometry(), w.rect());
    const QSize sizes[] = {{800, 700}, {300, 200}, {1024, 300}, {640, 560}};
    for (const QSize &s : sizes) {
        w.resize(s);
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.size() == s; }));
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.Text1->geometry() == w.rect(); }))
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
