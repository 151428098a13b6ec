// Character classes, judged through the real GBK mapping.
#include "model/CharFilters.h"
#include "store/Gbk.h"
#include "support/TestNames.h"

#include <QList>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {

// The character that code page 936 stores as the two given bytes.
QString fromCode(int code)
{
    QByteArray bytes;
    bytes += char(code >> 8);
    bytes += char(code & 0xFF);
    const auto text = fromGbk(bytes);
    return text ? *text : QString();
}

char32_t first(const QString &s)
{
    return s.toUcs4().value(0);
}

struct CodeCase {
    int code;
    bool chinese;
    const char *why;
};

class Gb2312Boundary : public ::testing::TestWithParam<CodeCase> {};

TEST_P(Gb2312Boundary, ChineseFilterFollowsTheNationalCode)
{
    const CodeCase c = GetParam();
    const QString ch = fromCode(c.code);
    ASSERT_EQ(ch.size(), 1) << c.why;
    EXPECT_EQ(accepts(CharClass::Chinese, first(ch)), c.chinese) << c.why;
    // Whatever the Chinese filter says, a GBK character is storable anywhere.
    EXPECT_TRUE(accepts(CharClass::Any, first(ch))) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, Gb2312Boundary,
    ::testing::Values(CodeCase{0xB0A1, true, "first level-one character"},
                      CodeCase{0xF1BC, true, "last accepted level-two character"},
                      CodeCase{0xD6D0, true, "a common character inside"},
                      CodeCase{0xD7F9, true, "last level-one character"},
                      CodeCase{0xD8A1, true, "first level-two character"},
                      CodeCase{0xF1BD, false, "level-two character just after the range"},
                      CodeCase{0xF7FE, false, "last GB2312 character"},
                      CodeCase{0xAFA1, false, "user-defined code just before the range"},
                      CodeCase{0xA3AC, false, "full-width comma"},
                      CodeCase{0xA1A1, false, "ideographic space"},
                      CodeCase{0xA3C1, false, "full-width capital A"},
                      CodeCase{0xB0A0, false, "GBK addition sharing the lead byte"},
                      CodeCase{0xB040, false, "GBK addition numerically inside the range"},
                      CodeCase{0x8140, false, "GBK addition below the range"},
                      CodeCase{0xD7FA, false, "empty GB2312 slot mapped to private use"}),
    [](const auto &info) { return portdesk::test::testName(info.param.why); });

TEST(ChineseFilter, RefusesSingleByteAndNonGbkCharacters)
{
    for (char32_t ch : {U'1', U'a', U'Z', U' ', U'.', U',', U'/', U'\x80', U'€'})
        EXPECT_FALSE(accepts(CharClass::Chinese, ch)) << unsigned(ch);
    EXPECT_FALSE(accepts(CharClass::Chinese, U'😀'));
    EXPECT_FALSE(accepts(CharClass::Chinese, U'鿏')); // newer than GBK
}

TEST(ChineseFilter, CodeIsLeadByteFirst)
{
    EXPECT_EQ(gb2312Code(first(QStringLiteral("啊"))), 0xB0A1);
    EXPECT_EQ(gb2312Code(first(QStringLiteral("中"))), 0xD6D0);
    EXPECT_EQ(gb2312Code(U'A'), 0);
    EXPECT_EQ(gb2312Code(U'😀'), 0);
}

struct ClassCase {
    const char *name;
    CharClass cls;
    const char16_t *accepted;
    const char16_t *refused;
};

class ClassTable : public ::testing::TestWithParam<ClassCase> {};

TEST_P(ClassTable, AcceptsExactlyItsCharacters)
{
    const ClassCase c = GetParam();
    for (uint ch : QString::fromUtf16(c.accepted).toUcs4())
        EXPECT_TRUE(accepts(c.cls, ch)) << ch;
    for (uint ch : QString::fromUtf16(c.refused).toUcs4())
        EXPECT_FALSE(accepts(c.cls, ch)) << ch;
}

INSTANTIATE_TEST_SUITE_P(
    Classes, ClassTable,
    ::testing::Values(
        // The slash lies between the point and 0 and is still refused.
        ClassCase{"Digit", CharClass::Digit, u"0123456789", u"./-+ a中１\t\r\n\x16"},
        ClassCase{"Decimal", CharClass::Decimal, u"0123456789.", u"/,-+ eE中．１\x03"},
        ClassCase{"Chinese", CharClass::Chinese, u"中国美元海运集装箱啊", u"1a .，。ＡＢ\x08"},
        // Any: storable text only. Control characters would break a key line.
        ClassCase{"Any", CharClass::Any, u"aZ09 -/#中€，ａ", u"\r\n\t\x01😀鿏"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AnyFilter, EmojiIsOneRefusedCharacterNotTwoHalves)
{
    EXPECT_EQ(filtered(CharClass::Any, QStringLiteral("A😀B")), QStringLiteral("AB"));
    EXPECT_FALSE(acceptsAll(CharClass::Any, QStringLiteral("A😀B")));
    EXPECT_TRUE(acceptsAll(CharClass::Any, QStringLiteral("AB中")));
}

TEST(Filtered, KeepsAcceptedCharactersInOrder)
{
    EXPECT_EQ(filtered(CharClass::Chinese, QStringLiteral("中a国1，人")), QStringLiteral("中国人"));
    EXPECT_EQ(filtered(CharClass::Decimal, QStringLiteral("1a2.b3")), QStringLiteral("12.3"));
    EXPECT_EQ(filtered(CharClass::Digit, QString()), QString());
    // A lone surrogate half is no character at all.
    EXPECT_EQ(filtered(CharClass::Any, QString(QChar(0xD83D))), QString());
}

TEST(PastedLine, TakesTheFirstLineWithoutControlCharacters)
{
    const struct {
        const char16_t *clipboard, *kept;
    } cases[] = {
        {u"ABC\r\n", u"ABC"},         // one spreadsheet cell
        {u"A\tB", u"AB"},             // two cells of a row
        {u"A\tB\r\nC\tD\r\n", u"AB"}, // two rows
        {u"\r\nABC", u""},            // the first line is empty
        {u"阀门\nDN50", u"阀门"},
        {u"X\rY", u"X"},
        {u"P\u2028Q", u"P"},
        {u"a\x01"
         u"b\x7F"
         u"c",
         u"abc"},
        {u"阀门 DN50", u"阀门 DN50"}, // nothing to take away
    };
    for (const auto &c : cases)
        EXPECT_EQ(pastedLine(QString::fromUtf16(c.clipboard)), QString::fromUtf16(c.kept))
            << QString::fromUtf16(c.clipboard).toStdString();
}

} // namespace
