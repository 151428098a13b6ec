// How stored text is found and handed back: line ends, section headers,
// key lines, letter case, duplicates, quotes, blanks and long values.
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace portdesk;
using portdesk::test::readBytes;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

const QString kAbsent = QStringLiteral("<absent>");

struct ReadCase {
    const char *name;
    QByteArray file;
    QString section;
    QString key;
    QString expected; // kAbsent: the key must not be found
};

QByteArray bytes(const char *s, qsizetype n = -1)
{
    return n < 0 ? QByteArray(s) : QByteArray(s, n);
}

std::vector<ReadCase> readCases()
{
    return {
        {"CrLf", bytes("[S]\r\nk=v\r\n"), "S", "k", "v"},
        {"LfOnly", bytes("[S]\nk=v\nj=w\n"), "S", "j", "w"},
        {"CrOnly", bytes("[S]\rk=v\rj=w\r"), "S", "j", "w"},
        {"MixedLineEnds", bytes("[T]\r\na=1\n[S]\rk=v\r\n"), "S", "k", "v"},
        {"NoTrailingNewline", bytes("[S]\r\nk=v"), "S", "k", "v"},
        {"HeaderTrimmed", bytes("  [  S  ]  \r\nk=v\r\n"), "S", "k", "v"},
        {"HeaderEndsAtLastBracket", bytes("[a]b]\r\nk=v\r\n"), "a]b", "k", "v"},
        {"TextAfterLastBracketIgnored", bytes("[S] ; note\r\nk=v\r\n"), "S", "k", "v"},
        {"BracketLineWithoutCloseIsNoHeader", bytes("[S]\r\n[broken\r\nk=v\r\n"), "S", "k", "v"},
        {"SplitAtFirstEquals", bytes("[S]\r\nk=a=b\r\n"), "S", "k", "a=b"},
        {"NameTrimmedOfBlanks", bytes("[S]\r\n \t\v\f\x1a k \t=v\r\n"), "S", "k", "v"},
        {"ValueTrimmedOfBlanks", bytes("[S]\r\nk=\t\v\f\x1a v \t\v\f\x1a\r\n"), "S", "k", "v"},
        {"LineWithoutEqualsIsNoKey", bytes("[S]\r\nk\r\nk=2\r\n"), "S", "k", "2"},
        {"LineWithoutEqualsAlone", bytes("[S]\r\nk\r\n"), "S", "k", kAbsent},
        {"SectionCaseIgnored", bytes("[Setting]\r\nWorkDir=D:\\Work\r\n"), "setting", "WORKDIR",
         "D:\\Work"},
        {"FirstSectionWins", bytes("[S]\r\na=1\r\n[s]\r\na=2\r\n"), "S", "a", "1"},
        {"LaterSameSectionUnseen", bytes("[S]\r\na=1\r\n[s]\r\nb=2\r\n"), "S", "b", kAbsent},
        {"FirstKeyWins", bytes("[S]\r\na=1\r\nA=2\r\n"), "S", "a", "1"},
        {"KeyOfAnotherSectionUnseen", bytes("[S]\r\n[T]\r\nk=1\r\n"), "S", "k", kAbsent},
        {"KeysBeforeAnySectionBelongToNone", bytes("k=0\r\n[S]\r\nk=1\r\n"), "S", "k", "1"},
        {"KeyBeforeAnySectionOnly", bytes("k=0\r\n[S]\r\n"), "S", "k", kAbsent},
        {"ArgumentsTrimmed", bytes("[S]\r\nk=v\r\n"), " \tS ", "\tk ", "v"},
        {"DoubleQuotesRemoved", bytes("[S]\r\nk=\"v\"\r\n"), "S", "k", "v"},
        {"SingleQuotesRemoved", bytes("[S]\r\nk='v'\r\n"), "S", "k", "v"},
        {"OnlyOnePairRemoved", bytes("[S]\r\nk=\"\"v\"\"\r\n"), "S", "k", "\"v\""},
        {"OuterPairAroundInnerQuote", bytes("[S]\r\nk=\"a\"b\"\r\n"), "S", "k", "a\"b"},
        {"UnmatchedQuotesKept", bytes("[S]\r\nk=\"v'\r\n"), "S", "k", "\"v'"},
        {"LoneQuoteKept", bytes("[S]\r\nk=\"\r\n"), "S", "k", "\""},
        {"SpacesInsideQuotesTrimmedOnReturn", bytes("[S]\r\nk=\"  v  \"\r\n"), "S", "k", "v"},
        {"TabInsideQuotesKept", bytes("[S]\r\nk=\"\tv\"\r\n"), "S", "k", "\tv"},
        {"IdeographicSpaceKept", QByteArray("[S]\r\nk=\xa1\xa1v\r\n"), "S", "k", "\u3000v"},
        {"NulDropped", bytes("[S]\r\nk=a\0b\r\n", 12), "S", "k", "ab"},
        {"GbkNames",
         QByteArray("[\xb1\xa8\xbc\xec\xc4\xda\xc8\xdd]\r\n\xca\xd5\xbb\xf5\xc8\xcb="
                    "\xcb\xd5\xd6\xdd\r\n"),
         "报检内容", "收货人", "苏州"},
        {"EuroIsByte80",
         QByteArray("[S]\r\nk=\x80"
                    "5\r\n"),
         "S", "k", "€5"},
    };
}

class ReadRules : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadRules, FindsTheValue)
{
    TestEnv env;
    const QString file = env.path("read.ini");
    ASSERT_TRUE(writeBytes(file, GetParam().file));
    ProfileBatch batch(file);
    EXPECT_EQ(batch.ReadKey(GetParam().section, GetParam().key, kAbsent), GetParam().expected);
    EXPECT_EQ(ReadKey(file, GetParam().section, GetParam().key, kAbsent), GetParam().expected);
    if (GetParam().expected != kAbsent) {
        EXPECT_EQ(readBytes(file), GetParam().file) << "a found value must not be written back";
    }
}

INSTANTIATE_TEST_SUITE_P(Profile, ReadRules, ::testing::ValuesIn(readCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ReadValues, LongerThan143BytesComeBackWhole)
{
    TestEnv env;
    const QString file = env.path("long.ini");
    const QString ascii = QString(300, 'x') + "end";
    QString chinese;
    for (int i = 0; i < 100; ++i)
        chinese += QStringLiteral("货物名称");
    ASSERT_TRUE(WriteKey(file, "S", "ascii", ascii));
    ASSERT_TRUE(WriteKey(file, "S", "chinese", chinese));
    EXPECT_EQ(ReadKey(file, "S", "ascii", ""), ascii);
    EXPECT_EQ(ReadKey(file, "S", "chinese", ""), chinese);
    EXPECT_EQ(ReadKey(file, "S", "chinese", "").toStdU16String().size(), 400u);
}

TEST(ReadValues, InvalidGbkBytesDoNotHideTheRestOfTheValue)
{
    TestEnv env;
    const QString file = env.path("bad.ini");
    const QByteArray before("[S]\r\nk=ab\x81\x30"
                            "cd\r\n");
    ASSERT_TRUE(writeBytes(file, before));
    EXPECT_EQ(ReadKey(file, "S", "k", ""), QStringLiteral("ab\uFFFD0cd"));
    EXPECT_EQ(readBytes(file), before);
}

TEST(ReadValues, UppercaseGreekNamesMatchLowercase)
{
    // GBK holds Greek letters; case is ignored for them as for Latin ones.
    TestEnv env;
    const QString file = env.path("greek.ini");
    ASSERT_TRUE(WriteKey(file, "S", "Σ", "sigma"));
    EXPECT_EQ(ReadKey(file, "s", "σ", kAbsent), "sigma");
}

} // namespace
