// File names desks using the Windows ANSI file functions can open, and that
// cannot pass for another name.
#include "store/DocumentNames.h"

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

} // namespace
