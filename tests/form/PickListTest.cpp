// The pick-list mechanism on its own: which of the clerk's actions on a list
// are picks, and which change nothing at all.
#include "form/PickList.h"
#include "support/ListActions.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace portdesk;
using namespace portdesk::test;

namespace {

// A field, the list and another field, as on every window. The list's item
// and text disagree on purpose: the item is AIR, the typed text names BOX,
// which is where Qt's own activation goes wrong.
class PickListTest : public ::testing::Test {
public:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        before = new QLineEdit(window.get());
        before->setObjectName(QStringLiteral("before"));
        list = new PickList(window.get());
        list->setObjectName(QStringLiteral("list"));
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setCompleter(nullptr);
        list->addItems({QStringLiteral("AIR"), QStringLiteral("SEA"), QStringLiteral("BOX"),
                        QStringLiteral("CAR")});
        after = new QLineEdit(window.get());
        after->setObjectName(QStringLiteral("after"));
        for (QWidget *w : {static_cast<QWidget *>(before), static_cast<QWidget *>(list),
                           static_cast<QWidget *>(after)})
            layout->addWidget(w);
        list->setCurrentIndex(0);
        list->setEditText(QStringLiteral("BOX"));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        picks = std::make_unique<QSignalSpy>(list, &PickList::picked);
    }

    static QString focused()
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w->objectName() : QStringLiteral("<none>");
    }

    std::unique_ptr<QWidget> window;
    QLineEdit *before = nullptr;
    QLineEdit *after = nullptr;
    PickList *list = nullptr;
    std::unique_ptr<QSignalSpy> picks;
};

struct NoPick {
    const char *what;
    const char *startFocus;
    std::function<void(PickListTest &)> act;
    const char *endFocus;
};

const std::vector<NoPick> &noPicks()
{
    static const std::vector<NoPick> cases = {
        {"wheel over the list from another field", "before",
         [](PickListTest &t) { turnWheel(t.list); }, "before"},
        {"wheel over the focused closed list", "list", [](PickListTest &t) { turnWheel(t.list); },
         "list"},
        {"Tab out", "list",
         [](PickListTest &) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); },
         "after"},
        {"Shift+Tab out", "list",
         [](PickListTest &) {
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
         },
         "before"},
        {"click on another field", "list",
         [](PickListTest &t) { QTest::mouseClick(t.after, Qt::LeftButton); }, "after"},
        {"window switch", "list", [](PickListTest &t) { switchWindowAndBack(t.window.get()); },
         "list"},
        {"Escape from the opened list", "list",
         [](PickListTest &t) { ASSERT_TRUE(openAndEscape(t.list, 3)); }, "list"},
        {"Escape, then Tab", "list",
         [](PickListTest &t) {
             ASSERT_TRUE(openAndEscape(t.list, 1));
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
         },
         "after"},
        {"stepping keys on the closed list", "list",
         [](PickListTest &) {
             for (Qt::Key k : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp})
                 QTest::keyClick(QApplication::focusWidget(), k);
         },
         "list"},
        {"Enter on the closed list", "list",
         [](PickListTest &) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); },
         "list"},
    };
    return cases;
}

TEST_F(PickListTest, NoneOfTheseIsAPickNorChangesTheList)
{
    for (const NoPick &c : noPicks()) {
        SCOPED_TRACE(c.what);
        list->setCurrentIndex(0);
        list->setEditText(QStringLiteral("BOX"));
        QWidget *start = window->findChild<QWidget *>(QLatin1String(c.startFocus));
        start->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([&] { return start->hasFocus(); }));
        picks->clear();

        c.act(*this);
        QApplication::processEvents();

        EXPECT_EQ(picks->count(), 0);
        EXPECT_EQ(list->currentText(), QStringLiteral("BOX"));
        EXPECT_EQ(focused().toStdString(), c.endFocus);
    }
}

TEST_F(PickListTest, ChoicesFromTheOpenedListAndDigitPicksArePicks)
{
    struct Pick {
        const char *what;
        std::function<bool(PickList *, int)> act;
        int row;
    };
    const std::vector<Pick> cases = {
        {"click", pickWithMouse, 3},
        {"arrow keys and Enter", pickWithKeys, 1},
        {"click on the item the text already names", pickWithMouse, 2},
        {"quick-pick digit",
         [](PickList *l, int row) {
             l->pick(row);
             return true;
         },
         0},
    };
    for (const Pick &c : cases) {
        SCOPED_TRACE(c.what);
        list->setCurrentIndex(0);
        list->setEditText(QStringLiteral("BOX"));
        list->setFocus(Qt::TabFocusReason);
        picks->clear();
        ASSERT_TRUE(c.act(list, c.row));
        ASSERT_EQ(picks->count(), 1);
        EXPECT_EQ(picks->at(0).at(0).toInt(), c.row);
        EXPECT_EQ(list->currentText(), list->itemText(c.row));
        // The next focus move after a pick is no second pick.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(picks->count(), 1);
    }
}

TEST_F(PickListTest, ALockedListIsNeitherOpenedNorPickedNorTyped)
{
    list->setLocked(true);
    list->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(openList(list, 300));
    list->pick(1);
    QTest::keyClicks(list, "X");
    QTest::keyClick(list, Qt::Key_F4);
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
    turnWheel(list);
    EXPECT_FALSE(list->view()->isVisible());
    EXPECT_EQ(picks->count(), 0);
    EXPECT_EQ(list->currentText(), QStringLiteral("BOX"));
    EXPECT_TRUE(list->hasFocus()); // clicks on the text still focus it

    list->setLocked(false);
    ASSERT_TRUE(pickWithMouse(list, 3));
    EXPECT_EQ(picks->count(), 1);
}

} // namespace
