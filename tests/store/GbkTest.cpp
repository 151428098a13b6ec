// Code page 936 as Windows maps it, with failures reported instead of '?'.
#include "store/Gbk.h"

#include <gtest/gtest.h>

using namespace portdesk;

namespace {

struct Mapping {
    const char *name;
    QString text;
    QByteArray bytes;
};

std::vector<Mapping> mappings()
{
    return {
        {"Ascii", "Key1=one [x]", "Key1=one [x]"},
        {"Chinese", "报检内容", "\xb1\xa8\xbc\xec\xc4\xda\xc8\xdd"},
        {"Euro", "€", "\x80"},
        {"FullWidthPunctuation", "！（）", "\xa3\xa1\xa3\xa8\xa3\xa9"},
        {"IdeographicSpace", "\u3000", "\xa1\xa1"},
        {"GbkBeyondGb2312", "丂", "\x81\x40"},
        {"Mixed", "176-昆山", "176-\xc0\xa5\xc9\xbd"},
        {"Empty", "", ""},
    };
}

class GbkMapping : public ::testing::TestWithParam<Mapping> {};

TEST_P(GbkMapping, EncodesAndDecodes)
{
    EXPECT_EQ(toGbk(GetParam().text), std::optional<QByteArray>(GetParam().bytes));
    EXPECT_EQ(fromGbk(GetParam().bytes), std::optional<QString>(GetParam().text));
    EXPECT_EQ(fromGbkLossy(GetParam().bytes), GetParam().text);
    EXPECT_TRUE(isGbkEncodable(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cp936, GbkMapping, ::testing::ValuesIn(mappings()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Gbk, CharactersWithoutCodeAreRefusedNotReplaced)
{
    for (const QString &text :
         {QString("ก"), QString("苏州😀"), QString("한국"), QString("a\u0301")}) {
        EXPECT_FALSE(toGbk(text).has_value()) << text.toStdString();
        EXPECT_FALSE(isGbkEncodable(text)) << text.toStdString();
    }
}

TEST(Gbk, InvalidBytesAreRefusedByTheStrictDecoder)
{
    for (const QByteArray &bytes : {QByteArray("ab\xb1"), QByteArray("\xb1"),
                                    QByteArray("x\x81\x7f"), QByteArray("x\x81\x30y")}) {
        EXPECT_FALSE(fromGbk(bytes).has_value()) << bytes.toHex().toStdString();
    }
}

TEST(Gbk, LossyDecoderKeepsTheGoodParts)
{
    const QString text = fromGbkLossy(QByteArray("\xcb\xd5\x81\x30\xd6\xdd"));
    EXPECT_EQ(text, QStringLiteral("苏\uFFFD0州"));
}

TEST(Gbk, EveryWindowsByteAbove7FIsMapped)
{
    // Windows maps 0xFF and the user-defined areas; a reader must not call
    // them invalid.
    EXPECT_EQ(fromGbk(QByteArray("\xff")), std::optional<QString>(QString(QChar(0xF8F5))));
    EXPECT_EQ(fromGbk(QByteArray("\xfe\xfe")), std::optional<QString>(QString(QChar(0xE4C5))));
    EXPECT_EQ(toGbk(QString(QChar(0xE4C5))), std::optional<QByteArray>("\xfe\xfe"));
}

TEST(Gbk, RepeatedUseAfterAFailureStillConverts)
{
    // A failed conversion must not leave state behind for the next one.
    EXPECT_FALSE(fromGbk(QByteArray("\xb1")).has_value());
    EXPECT_EQ(fromGbk(QByteArray("\xb1\xa8")), std::optional<QString>("报"));
    EXPECT_FALSE(toGbk("ก").has_value());
    EXPECT_EQ(toGbk("报"), std::optional<QByteArray>("\xb1\xa8"));
}

} // namespace
