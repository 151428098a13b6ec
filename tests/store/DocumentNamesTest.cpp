// File names desks using the Windows ANSI file functions can open, and that
// cannot pass for another name.
#include "store/DocumentNames.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace portdesk;

namespace {

TEST(DocumentNames, RefusedCharactersAreNamed)
{
    struct Row {
        QString name;
        const char *named;
    };
    const Row rows[] = {
        {QStringLiteral("😀名.dcl"), "😀"},
        {QStringLiteral("ก.dcl"), "ก"},
        {QStringLiteral("苏州\u202E公司.dcl"), "U+202E"},
        {QStringLiteral("苏州\u200B公司.dcl"), "U+200B"},
        {QStringLiteral("苏州\u200F.dcl"), "U+200F"},
        {QStringLiteral("\uFEFF苏州.dcl"), "U+FEFF"},
        {QStringLiteral("苏\u00AD州.dcl"), "U+00AD"},
        {QStringLiteral("苏州\u2066.dcl"), "U+2066"},
        {QStringLiteral("苏州\uFE0F.dcl"), "U+FE0F"},
    };
    for (const Row &r : rows) {
        const QString problem = fileNameProblem(r.name);
        EXPECT_TRUE(problem.contains(QString::fromUtf8(r.named))) << problem.toStdString();
    }
    EXPECT_TRUE(fileNameProblem(QStringLiteral("苏州€公司（一）.dcl")).isEmpty());
}

TEST(DocumentNames, TheLongestNameThatPassesCanBeSaved)
{
    test::TestEnv env;
    // Names of exactly the limit, in one-byte and three-byte characters.
    const QString names[] = {
        QString(maxNameBytes - 4, 'a') + dclSuffix(),
        QString((maxNameBytes - 5) / 3, QChar(0x4E2D)) + QString((maxNameBytes - 5) % 3 + 1, 'a') +
            dclSuffix(),
    };
    for (const QString &name : names) {
        ASSERT_EQ(nameBytes(name), maxNameBytes);
        EXPECT_TRUE(fileNameProblem(name).isEmpty());
        EXPECT_FALSE(fileNameProblem(QLatin1Char('b') + name).isEmpty());
        QString error;
        EXPECT_TRUE(WriteKey(env.path(name), "报检内容", "收货人", "甲", &error))
            << error.toStdString();
    }
}

} // namespace
