// Values with matching outer quotes: what is written, and that the store's
// reader hands back exactly the typed value.
#include "store/QuotedValue.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

const struct {
    const char *typed, *written;
    const char *readBack = nullptr; // when it differs from typed
} kCases[] = {
    {R"("ABC")", R"(""ABC"")"},
    {"'HT1'", "''HT1''"},
    {R"("")", R"("""")"},
    {R"("A"B")", R"(""A"B"")"},
    {R"("ABC')", R"("ABC')"}, // the quotes differ: read as it stands
    {R"("ABC)", R"("ABC)"},
    {R"(A"B")", R"(A"B")"},
    {R"(")", R"(")"},
    {"ABC", "ABC"},
    {"", ""},
    // Blanks outside the quotes: the reader strips them first, then the pair.
    {"\"a\" ", "\"\"a\" \"", "\"a\""},
    {"\"a\"\t", "\"\"a\"\t\""},
    {" \t'b' ", "' \t'b' '", "\t'b'"},
    // Blanks just inside the quotes are the value's own.
    {"\"\tHT-1\"", "\"\"\tHT-1\"\""},
    {"\" HT-1 \"", "\"\" HT-1 \"\""},
    {" \" ", " \" ", "\""},
};

TEST(QuotedValue, OnlyAMatchingOuterPairIsWrappedOnceMore)
{
    for (const auto &c : kCases)
        EXPECT_EQ(quotedForWriting(QString::fromUtf8(c.typed)), QString::fromUtf8(c.written))
            << c.typed;
}

TEST(QuotedValue, ReadsBackAsTypedWhileOldFilesReadAsBefore)
{
    TestEnv env;
    const QString file = env.path("q.ini");
    for (const auto &c : kCases) {
        const QString typed = QString::fromUtf8(c.typed);
        ASSERT_TRUE(WriteKey(file, "S", "k", quotedForWriting(typed)));
        const QString expected = c.readBack ? QString::fromUtf8(c.readBack) : typed;
        EXPECT_EQ(ReadKey(file, "S", "k", "default"), typed.isEmpty() ? "default" : expected)
            << c.typed;
    }
    // Written before, without the extra pair: one pair is still removed.
    ASSERT_TRUE(writeBytes(file, "[S]\r\nk=\"ABC\"\r\nm=''HT1''\r\n"));
    EXPECT_EQ(ReadKey(file, "S", "k", QString()), "ABC");
    EXPECT_EQ(ReadKey(file, "S", "m", QString()), "'HT1'");
}

} // namespace
