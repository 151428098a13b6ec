// The real boxes: where they open and how wide the input box is. Each box is
// answered from inside its own event loop.
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {

// Runs `look` on the next modal box once it is up, then closes it.
void whenBoxOpens(std::function<void(QDialog *)> look)
{
    QTimer::singleShot(0, [look] {
        QDialog *box = nullptr;
        (void)QTest::qWaitFor([&] {
            box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            return box != nullptr;
        });
        ASSERT_NE(box, nullptr);
        look(box);
        box->reject();
    });
}

TEST(QtPrompts, TheInputBoxShowsTheWholeProposal)
{
    QWidget main;
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    const QString proposal = QStringLiteral("苏州某某国际贸易有限公司2026-12-08 10-30-15.dcl");
    QtPrompts prompts;
    int editWidth = 0, textWidth = 0;
    whenBoxOpens([&](QDialog *box) {
        auto *edit = box->findChild<QLineEdit *>();
        ASSERT_NE(edit, nullptr);
        editWidth = edit->width();
        textWidth = edit->fontMetrics().horizontalAdvance(proposal);
        EXPECT_EQ(edit->text(), proposal);
        EXPECT_EQ(box->parentWidget(), &main);
    });
    EXPECT_EQ(prompts.input(QStringLiteral("另存为"), QStringLiteral("请输入文件名："), proposal),
              std::nullopt);
    EXPECT_GT(editWidth, textWidth);
}

TEST(QtPrompts, AMessageWrapsALongNameInsteadOfGrowing)
{
    QtPrompts prompts;
    const QString text = QStringLiteral("保存“") + QString(240, 'a') +
                         QStringLiteral(".dcl”失败！\n无法写入文件：文件名太长");
    int boxWidth = 0, screenWidth = 0;
    QString shown;
    whenBoxOpens([&](QDialog *box) {
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        shown = label->text();
        boxWidth = box->width();
        screenWidth = box->screen()->availableGeometry().width();
    });
    prompts.message(text, QStringLiteral("Portdesk"), MsgIcon::Warning, MsgButtons::Ok,
                    MsgAnswer::Ok);
    EXPECT_EQ(shown.remove(QChar(0x200B)), text);
    // Unbroken, the name would widen the box to the whole screen.
    EXPECT_LT(boxWidth, screenWidth * 3 / 4);
}

TEST(QtPrompts, ABoxThatFollowsAnotherOpensOverTheSameWindow)
{
    QWidget main;
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QtPrompts prompts;
    QWidget *parents[2] = {};
    whenBoxOpens([&](QDialog *box) { parents[0] = box->parentWidget(); });
    prompts.message(QStringLiteral("问题"), QStringLiteral("Portdesk"), MsgIcon::Warning,
                    MsgButtons::YesNoCancel, MsgAnswer::Cancel);
    // The closed box was the active window: none is active now.
    QApplication::setActiveWindow(nullptr);
    whenBoxOpens([&](QDialog *box) { parents[1] = box->parentWidget(); });
    prompts.input(QStringLiteral("另存为"), QStringLiteral("请输入文件名："), QStringLiteral("a"));
    EXPECT_EQ(parents[0], &main);
    EXPECT_EQ(parents[1], &main);
}

} // namespace
