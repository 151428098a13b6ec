// Every list of the main window changes only by typing or a real pick: the
// wheel, leaving the list (click, Tab, Shift+Tab, window switch) with an
// item's text typed, and Escape from the opened list are no picks.
#include "EditorWindow.h"

#include "support/ListActions.h"

using namespace portdesk;
using namespace portdesk::test;

namespace {

struct ListRow {
    const char *field;
    const char *itemText; // typed, equal to an item
    const char *movesTo;  // where a pick leads
    std::vector<std::pair<const char *, const char *>> setup;
};

const std::vector<ListRow> &lists()
{
    static const std::vector<ListRow> rows = {
        {"SLdanwei(0)", "台", "ZhongLiang(0)", {{"ShuLiang(0)", "1"}}},
        {"ZLdanwei(0)", "千克", "ZongZhi(0)", {{"ZhongLiang(0)", "1"}}},
        {"BiZhi(0)", "欧元", "BZzhonglei(0)", {}},
        {"BZzhonglei(0)", "木箱", "BZshuliang(0)", {}},
        {"YunShuGongJu", "汽车", "TiYunDanHao", {}},
        {"RuJingKouAn", "深圳", "HeTongHao", {}},
        {"MaoYiFangShi", "外商投资", "MaoYiGuoBie", {}},
        {"ShouHuoRen", "ABC", "MingCheng(0)", {}},
    };
    return rows;
}

void press(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), k, mods);
}

struct Leave {
    const char *what;
    std::function<void(EditorWindow &, QWidget *)> act;
};

class MainWindowPicks : public EditorWindow {
protected:
    void SetUp() override
    {
        EditorWindow::SetUp();
        page->ShouHuoRen->addItems({QStringLiteral("XYZ"), QStringLiteral("ABC")});
        page->ShouHuoRen->setCurrentIndex(-1);
        page->ShouHuoRen->clearEditText();
    }
    void prepare(const ListRow &r)
    {
        for (const auto &[name, value] : r.setup)
            edit(QString::fromLatin1(name))->setText(QString::fromLatin1(value));
        list(QString::fromLatin1(r.field))->setEditText(QString());
    }
    void leaveBy(const Leave &way)
    {
        way.act(*this, page.get());
        QApplication::processEvents();
    }
};

const std::vector<Leave> &leaves()
{
    static const std::vector<Leave> ways = {
        {"click on another field",
         [](EditorWindow &, QWidget *) {
             auto *w = QApplication::focusWidget()->window()->findChild<QWidget *>(
                 QStringLiteral("JianShu"));
             QTest::mouseClick(w, Qt::LeftButton);
         }},
        {"Tab", [](EditorWindow &, QWidget *) { press(Qt::Key_Tab); }},
        {"Shift+Tab", [](EditorWindow &, QWidget *) { press(Qt::Key_Tab, Qt::ShiftModifier); }},
        {"Up", [](EditorWindow &, QWidget *) { press(Qt::Key_Up); }},
        {"window switch", [](EditorWindow &, QWidget *w) { switchWindowAndBack(w); }},
    };
    return ways;
}

TEST_F(MainWindowPicks, LeavingAListWithAnItemsTextIsNoPick)
{
    for (const ListRow &r : lists()) {
        const QString name = QString::fromLatin1(r.field);
        const QString item = QString::fromUtf8(r.itemText);
        for (const Leave &way : leaves()) {
            SCOPED_TRACE(std::string(r.field) + ", " + way.what);
            prepare(r);
            // Where the way leads from a list holding a text that is no item.
            focus(name);
            commit(item + QStringLiteral("甲"));
            leaveBy(way);
            const QString expected = focused();

            focus(name);
            list(name)->setEditText(QString());
            commit(item);
            ASSERT_EQ(text(name), item);
            leaveBy(way);
            EXPECT_EQ(focused(), expected);
            EXPECT_EQ(text(name), item);
        }
    }
}

TEST_F(MainWindowPicks, WheelAndEscapeChangeNothing)
{
    for (const ListRow &r : lists()) {
        SCOPED_TRACE(r.field);
        const QString name = QString::fromLatin1(r.field);
        prepare(r);
        focus(QStringLiteral("JianShu"));
        turnWheel(list(name));
        EXPECT_EQ(focused(), QStringLiteral("JianShu"));
        EXPECT_EQ(text(name), QString());

        focus(name);
        turnWheel(list(name));
        ASSERT_TRUE(openAndEscape(list(name), 0));
        EXPECT_EQ(focused(), name);
        EXPECT_EQ(text(name), QString());
    }
}

TEST_F(MainWindowPicks, APickFromTheOpenedListLeadsOn)
{
    for (const ListRow &r : lists()) {
        SCOPED_TRACE(r.field);
        const QString name = QString::fromLatin1(r.field);
        prepare(r);
        focus(name);
        const int row = list(name)->findText(QString::fromUtf8(r.itemText));
        ASSERT_TRUE(pickWithKeys(list(name), row));
        EXPECT_EQ(text(name), QString::fromUtf8(r.itemText));
        EXPECT_EQ(focused().toStdString(), r.movesTo);
    }
}

// A wheel notch over the transport while the clerk types the contract
// number: the containers stay as they are.
TEST_F(MainWindowPicks, TheWheelOverTheTransportKeepsTheContainers)
{
    focus(QStringLiteral("YunShuGongJu"));
    keys("3");
    ASSERT_TRUE(page->JiZhuangXiang->isEnabled());
    page->JZXsl1->setText(QStringLiteral("2"));
    page->JZXhm1->setText(QStringLiteral("ABCU1234567"));
    focus(QStringLiteral("HeTongHao"));
    turnWheel(page->YunShuGongJu);
    EXPECT_EQ(text(QStringLiteral("YunShuGongJu")), QStringLiteral("海运集装箱"));
    EXPECT_TRUE(page->JiZhuangXiang->isEnabled());
    EXPECT_EQ(page->JZXhm1->text(), QStringLiteral("ABCU1234567"));
    EXPECT_EQ(focused(), QStringLiteral("HeTongHao"));
}

} // namespace
