// Numeric reading of a field and the format of the column totals.
#include "model/NumberFormat.h"

#include <gtest/gtest.h>

using namespace portdesk;

namespace {

struct ReadCase {
    const char *name;
    const char16_t *text;
    double value;
};

class ReadNumber : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumber, LeadingNumberWithOnePoint)
{
    const ReadCase c = GetParam();
    EXPECT_DOUBLE_EQ(readNumber(QString::fromUtf16(c.text)), c.value)
        << QString::fromUtf16(c.text).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumber,
    ::testing::Values(ReadCase{"Empty", u"", 0}, ReadCase{"Letters", u"abc", 0},
                      ReadCase{"PointAlone", u".", 0}, ReadCase{"SecondPointEnds", u"1.2.3", 1.2},
                      ReadCase{"LeadingPoint", u".5", 0.5}, ReadCase{"Whole", u"7", 7},
                      ReadCase{"TrailingZero", u"12.50", 12.5}, ReadCase{"UnitAfter", u"3kg", 3},
                      ReadCase{"SpacesSkipped", u" 4 5", 45}, ReadCase{"ZeroPointZero", u"0.0", 0},
                      ReadCase{"LeadingZeros", u"00012", 12}, ReadCase{"DoublePoint", u"1..2", 1},
                      ReadCase{"TrailingPoint", u"5.", 5}, ReadCase{"ChineseFirst", u"中3", 0},
                      ReadCase{"Minus", u"-3", 0}, ReadCase{"FullWidthDigits", u"１２", 0}),
    [](const auto &info) { return std::string(info.param.name); });

struct FormatCase {
    const char *name;
    double value;
    const char *text;
};

class FormatTotal : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTotal, GeneralFormFifteenDigits)
{
    const FormatCase c = GetParam();
    EXPECT_EQ(formatTotal(c.value).toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatTotal,
    ::testing::Values(
        FormatCase{"ZeroIsBlank", 0.0, ""}, FormatCase{"BinaryErrorHidden", 0.1 + 0.2, "0.3"},
        FormatCase{"OneDecimal", 10 + 2.5, "12.5"}, FormatCase{"Whole", 7, "7"},
        FormatCase{"HalfAdded", 3 + 4.5, "7.5"}, FormatCase{"LeadingZeroKept", 0.5, "0.5"},
        FormatCase{"NineDigits", 1234567.89, "1234567.89"},
        FormatCase{"WholeWithZeros", 100, "100"},
        FormatCase{"SixteenDigitWhole", 1e15, "1000000000000000"},
        FormatCase{"PastFifteenDigitsAsZeros", 123456789012345678.0, "123456789012346000"},
        FormatCase{"SmallWithoutExponent", 0.000012, "0.000012"},
        FormatCase{"ThirdCut", 1.0 / 3, "0.333333333333333"},
        FormatCase{"TwoThirdsRounded", 2.0 / 3, "0.666666666666667"},
        FormatCase{"RoundsUpToPowerOfTen", 99999999999999.95, "100000000000000"},
        FormatCase{"RoundsDownBelowPowerOfTen", 99999999999999.94, "99999999999999.9"},
        FormatCase{"FifteenSignificantDigits", 123456789012.345678, "123456789012.346"},
        FormatCase{"RoundsUpToSixteenDigits", 999999999999999.9, "1000000000000000"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Totals, SumOfMixedRowsInRowOrder)
{
    // Rows as typed: 1.2.3 counts as 1.2, .5 as 0.5, text as 0.
    const QString rows[] = {QStringLiteral("1.2.3"), QStringLiteral(".5"),
                            QStringLiteral("abc"),   QString(),
                            QStringLiteral("0.1"),   QStringLiteral("0.2")};
    double sum = 0;
    for (const QString &r : rows)
        sum += readNumber(r);
    EXPECT_EQ(formatTotal(sum), QStringLiteral("2"));
}

} // namespace
