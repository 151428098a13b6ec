#include "platform/Version.h"
#include "support/TestNames.h"

#include <gtest/gtest.h>

using portdesk::versionText;

struct VersionCase {
    const char *major, *minor, *patch, *expected;
};

class VersionText : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionText, JoinsPartsWithoutLeadingZeros)
{
    const VersionCase &c = GetParam();
    EXPECT_EQ(versionText(c.major, c.minor, c.patch), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Parts, VersionText,
                         ::testing::Values(VersionCase{"1", "05", "0005", "Ver 1.5.5"},
                                           VersionCase{"1", "0", "0", "Ver 1.0.0"},
                                           VersionCase{"2", "10", "0100", "Ver 2.10.100"},
                                           VersionCase{"0008", "09", "0", "Ver 8.9.0"},
                                           VersionCase{"3", "", "x", "Ver 3.0.0"}),
                         [](const auto &info) {
                             return portdesk::test::testName(info.param.expected);
                         });

TEST(VersionTextBuilt, ComesFromTheBuildVersion)
{
#define STR_(x) #x
#define STR(x) STR_(x)
    const QString expected = QStringLiteral("Ver ") +
                             QString::number(QString(STR(PORTDESK_VERSION_MAJOR)).toInt()) + '.' +
                             QString::number(QString(STR(PORTDESK_VERSION_MINOR)).toInt()) + '.' +
                             QString::number(QString(STR(PORTDESK_VERSION_PATCH)).toInt());
    EXPECT_EQ(versionText(), expected);
    EXPECT_TRUE(versionText().startsWith("Ver "));
    EXPECT_EQ(versionText().count('.'), 2);
}
