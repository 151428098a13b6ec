// Character filters on the real window: key presses, input-method commits,
// pastes and drops.
#include "EditorWindow.h"

#include "model/FieldRules.h"
#include "store/Gbk.h"
#include "support/TestNames.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>

using namespace portdesk;
using namespace portdesk::test;

namespace {

QString gbkChar(int code)
{
    QByteArray b;
    b += char(code >> 8);
    b += char(code & 0xFF);
    return fromGbk(b).value_or(QString());
}

struct TypedCase {
    const char *field;
    const char *keys; // ASCII key presses
    const char *expect;
};

class TypedKeys : public EditorWindow, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedKeys, FieldKeepsWhatItsFilterAccepts)
{
    const TypedCase c = GetParam();
    focus(QString::fromLatin1(c.field));
    keys(c.keys);
    EXPECT_EQ(text(QString::fromLatin1(c.field)).toStdString(), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TypedKeys,
    ::testing::Values(
        TypedCase{"ShuLiang(0)", "12a.5", "12.5"}, TypedCase{"ShuLiang(0)", "1.2.3", "1.2.3"},
        TypedCase{"ZhongLiang(0)", "3/4,5 -e", "345"}, TypedCase{"ZongZhi(0)", "100.25x", "100.25"},
        TypedCase{"ZongZhi(0)", "123456789012345678901234", "12345678901234567890"},
        TypedCase{"GongJin", "1.5kg", "1.5"}, TypedCase{"BianMa(0)", "84.71/30a", "847130"},
        TypedCase{"BianMa(0)", "123456789012", "1234567890"},
        TypedCase{"JianShu", "12a3456", "12345"}, TypedCase{"YuanChanGuo(0)", "USA 1,.", ""},
        TypedCase{"QiYunGuoJia", "de", ""}, TypedCase{"MaoYiGuoBie", "x9", ""},
        TypedCase{"MingCheng(0)", "Pump 3/4\"", "Pump 3/4\""},
        TypedCase{"TiYunDanHao", "cosu 123", "cosu 123"},
        TypedCase{"XuKeZheng", "1234567890123", "123456789012"},
        TypedCase{"HeTongHao", "ab-12", "ab-12"}),
    [](const auto &info) { return testName(info.param.field) + '_' + testName(info.param.keys); });

TEST_F(EditorWindow, ContainerCountsAndNumbersStopAtTheirLimits)
{
    page->YunShuGongJu->setEditText(QStringLiteral("海运集装箱"));
    focus(QStringLiteral("JZXsl1"));
    keys("1a23");
    EXPECT_EQ(text(QStringLiteral("JZXsl1")), QStringLiteral("12"));
    focus(QStringLiteral("JZXhm1"));
    keys("abcu12345678");
    EXPECT_EQ(text(QStringLiteral("JZXhm1")), QStringLiteral("abcu1234567"));
}

TEST_F(EditorWindow, BackspaceWorksInFilteredFields)
{
    focus(QStringLiteral("ShuLiang(0)"));
    keys("12");
    key(Qt::Key_Backspace);
    EXPECT_EQ(text(QStringLiteral("ShuLiang(0)")), QStringLiteral("1"));
    focus(QStringLiteral("YuanChanGuo(0)"));
    commit(QStringLiteral("美国"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(text(QStringLiteral("YuanChanGuo(0)")), QStringLiteral("美"));
}

struct ChineseCase {
    const char *name; // what the committed text holds
    const char *field;
    const char16_t *committed;
    const char16_t *expect;
};

class CommittedText : public EditorWindow, public ::testing::WithParamInterface<ChineseCase> {};

TEST_P(CommittedText, InputMethodCommitsAreFilteredCharacterByCharacter)
{
    const ChineseCase c = GetParam();
    focus(QString::fromLatin1(c.field));
    commit(QString::fromUtf16(c.committed));
    EXPECT_EQ(text(QString::fromLatin1(c.field)), QString::fromUtf16(c.expect));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CommittedText,
    ::testing::Values(ChineseCase{"Chinese", "YuanChanGuo(0)", u"美国", u"美国"},
                      ChineseCase{"FullWidthComma", "YuanChanGuo(0)", u"美，国", u"美国"},
                      ChineseCase{"LatinAndDigit", "YuanChanGuo(0)", u"德a国 1", u"德国"},
                      ChineseCase{"TooLong", "YuanChanGuo(0)", u"中华人民共和国", u"中华人民共"},
                      ChineseCase{"FullWidthLatin", "QiYunGuoJia", u"ＵＳＡ日本", u"日本"},
                      ChineseCase{"Emoji", "MaoYiGuoBie", u"😀韩国", u"韩国"},
                      ChineseCase{"FullWidthDigits", "ShuLiang(0)", u"１２3", u"3"},
                      ChineseCase{"ChineseNumeral", "BianMa(0)", u"八4", u"4"},
                      ChineseCase{"Emoji", "MingCheng(0)", u"货😀物", u"货物"},
                      ChineseCase{"BeyondGbk", "MingCheng(0)", u"鿏阀门", u"阀门"},
                      ChineseCase{"GbkSymbols", "MingCheng(0)", u"€ ＡＢ，", u"€ ＡＢ，"},
                      ChineseCase{"Emoji", "ShouHuoRen", u"上海😀甲公司", u"上海甲公司"},
                      ChineseCase{"LineBreak", "XuKeZheng", u"ab\ncd", u"abcd"},
                      ChineseCase{"Chinese", "BiZhi(0)", u"港币", u"港币"},
                      ChineseCase{"LatinFirst", "BiZhi(0)", u"HK港币", u"港币"}),
    [](const auto &info) { return testName(info.param.field) + '_' + info.param.name; });

TEST_F(EditorWindow, Gb2312BoundaryCodesThroughTheWindow)
{
    focus(QStringLiteral("YuanChanGuo(0)"));
    for (int code : {0xB0A1, 0xF1BC, 0xB0A0, 0xF1BD, 0xAFFE, 0xA3A1})
        commit(gbkChar(code));
    EXPECT_EQ(text(QStringLiteral("YuanChanGuo(0)")), gbkChar(0xB0A1) + gbkChar(0xF1BC));
}

TEST_F(EditorWindow, CharactersSentAsKeyEventsAreFilteredToo)
{
    focus(QStringLiteral("YuanChanGuo(0)"));
    keyText(QStringLiteral("李"));
    keyText(QStringLiteral("，"));
    keyText(QStringLiteral("a"));
    EXPECT_EQ(text(QStringLiteral("YuanChanGuo(0)")), QStringLiteral("李"));
    focus(QStringLiteral("MingCheng(0)"));
    keyText(QStringLiteral("😀"));
    keyText(QStringLiteral("鿏"));
    keyText(QStringLiteral("李"));
    EXPECT_EQ(text(QStringLiteral("MingCheng(0)")), QStringLiteral("李"));
}

class Clipboard : public EditorWindow {
protected:
    void paste(const QString &content)
    {
        QGuiApplication::clipboard()->setText(content);
        ASSERT_EQ(QGuiApplication::clipboard()->text(), content);
        key(Qt::Key_V, Qt::ControlModifier);
    }
};

TEST_F(Clipboard, PastingIntoAFilteredFieldDoesNothing)
{
    for (const char *name : {"BianMa(0)", "ShuLiang(0)", "YuanChanGuo(0)", "JianShu"}) {
        focus(QString::fromLatin1(name));
        paste(QStringLiteral("12"));
        EXPECT_EQ(text(QString::fromLatin1(name)), QString()) << name;
        key(Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(text(QString::fromLatin1(name)), QString()) << name;
    }
    focus(QStringLiteral("BiZhi(0)"));
    paste(QStringLiteral("美元"));
    EXPECT_EQ(text(QStringLiteral("BiZhi(0)")), QString());
}

TEST_F(Clipboard, CutAndCopyDoNothingInAFilteredField)
{
    focus(QStringLiteral("ShuLiang(0)"));
    keys("42");
    page->ShuLiang[0]->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    key(Qt::Key_C, Qt::ControlModifier);
    key(Qt::Key_X, Qt::ControlModifier);
    key(Qt::Key_Delete, Qt::ShiftModifier);
    key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_EQ(text(QStringLiteral("ShuLiang(0)")), QStringLiteral("42"));
}

TEST_F(Clipboard, FreeTextTakesStorablePastesOnly)
{
    focus(QStringLiteral("MingCheng(0)"));
    paste(QStringLiteral("阀门 DN50"));
    EXPECT_EQ(text(QStringLiteral("MingCheng(0)")), QStringLiteral("阀门 DN50"));
    page->MingCheng[0]->clear();
    paste(QStringLiteral("阀门😀"));
    EXPECT_EQ(text(QStringLiteral("MingCheng(0)")), QString());
}

TEST_F(Clipboard, ASpreadsheetCellPastesAsItsText)
{
    const struct {
        const char *field;
        const char16_t *clipboard;
        const char16_t *expect;
    } cases[] = {
        {"MingCheng(0)", u"ABC\r\n", u"ABC"},
        {"TiYunDanHao", u"A\tB", u"AB"},
        {"ShouHuoRen", u"苏州公司\r\n", u"苏州公司"},
        {"ShuLiang(0)", u"12\r\n", u""}, // filtered fields take no pastes at all
    };
    for (const auto &c : cases) {
        const QString name = QString::fromLatin1(c.field);
        focus(name);
        paste(QString::fromUtf16(c.clipboard));
        EXPECT_EQ(text(name), QString::fromUtf16(c.expect)) << c.field;
    }
    // Into the middle of a value, by the context menu's entry too.
    page->HeTongHao->setText(QStringLiteral("HT-"));
    focus(QStringLiteral("HeTongHao"));
    page->HeTongHao->setCursorPosition(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("01\r\n"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                page->HeTongHao->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(page->HeTongHao, &menuEvent);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QString shortcut = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction *a : menu->actions()) {
        if (a->text().section(QLatin1Char('\t'), 1) == shortcut)
            a->trigger();
    }
    menu->close();
    EXPECT_EQ(page->HeTongHao->text(), QStringLiteral("HT01-"));
}

TEST_F(EditorWindow, DropsAreRefusedInFilteredFieldsAndCheckedInFreeText)
{
    auto drop = [](QLineEdit *target, const QString &content) {
        QMimeData data;
        data.setText(content);
        const QPoint at = target->rect().center();
        QDragEnterEvent enterEvent(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enterEvent);
        QDropEvent dropEvent(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropEvent);
    };
    drop(page->BianMa[0], QStringLiteral("1234"));
    EXPECT_EQ(page->BianMa[0]->text(), QString());
    drop(page->MingCheng[0], QStringLiteral("螺栓😀"));
    EXPECT_EQ(page->MingCheng[0]->text(), QString());
    drop(page->MingCheng[0], QStringLiteral("螺栓"));
    EXPECT_EQ(page->MingCheng[0]->text(), QStringLiteral("螺栓"));
}

TEST_F(EditorWindow, ContextMenuOfAFilteredFieldOffersNoPaste)
{
    QLineEdit *target = page->ShuLiang[0];
    QGuiApplication::clipboard()->setText(QStringLiteral("5"));
    QContextMenuEvent e(QContextMenuEvent::Mouse, target->rect().center(),
                        target->mapToGlobal(target->rect().center()));
    QApplication::sendEvent(target, &e);
    QMenu *menu = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *m = qobject_cast<QMenu *>(w); m && m->isVisible())
            menu = m;
    }
    ASSERT_NE(menu, nullptr);
    bool sawPaste = false;
    for (QAction *a : menu->actions()) {
        const QString paste = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        if (a->text().section(QLatin1Char('\t'), 1) == paste) {
            sawPaste = true;
            EXPECT_FALSE(a->isEnabled());
        }
    }
    EXPECT_TRUE(sawPaste);
    menu->close();
}

TEST_F(EditorWindow, TextSetByCodeIsNotFiltered)
{
    // Opening a file sets texts as stored; filters judge typing only.
    page->YuanChanGuo[0]->setText(QStringLiteral("USA"));
    EXPECT_EQ(page->YuanChanGuo[0]->text(), QStringLiteral("USA"));
}

} // namespace
