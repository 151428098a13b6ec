// The file a printed declaration is stored in: named by consignee and time,
// and always one file inside Saved/Printed, whatever the consignee's name.
#include "model/PrintedFileName.h"
#include "store/DocumentNames.h"
#include "store/NewFile.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {
const QDateTime printedAt(QDate(2026, 12, 7), QTime(14, 5, 9));
const QString stamp = QStringLiteral("(2026-12-07 14：05：09).dcl");
} // namespace

TEST(PrintedFileName, ConsigneeThenTimeStamp)
{
    const struct {
        QString consignee, name;
    } cases[] = {
        {QStringLiteral("ABC"), QStringLiteral("ABC")},
        {QStringLiteral("昆山 华安"), QStringLiteral("昆山 华安")},
        {QStringLiteral("a/b\\c:d*e?f\"g<h>i|j"), QStringLiteral("abcdefghij")},
        {QStringLiteral("../../Config/x"), QStringLiteral("....Configx")},
        {QStringLiteral("tab\there\r\n"), QStringLiteral("tabhere")},
        {QStringLiteral("CON."), QStringLiteral("_CON.")},
        {QString(), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.consignee.toStdString());
        EXPECT_EQ(printedFileName(c.consignee, printedAt).toStdString(),
                  (c.name + stamp).toStdString());
    }
}

TEST(PrintedFileName, LongNamesAreShortenedAndCanBeWritten)
{
    test::TestEnv env;
    const QString folder = env.path(QStringLiteral("Saved/Printed"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString names[] = {QString(300, QChar(u'华')), QString(400, QLatin1Char('A')),
                             QString(120, QChar(u'华')) + QStringLiteral("😀😀😀😀😀😀😀😀")};
    for (const QString &consignee : names) {
        const QString name = printedFileName(consignee, printedAt);
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(name.endsWith(stamp));
        EXPECT_TRUE(consignee.startsWith(name.chopped(stamp.size())));
        EXPECT_TRUE(fileNameProblem(name).isEmpty());
        EXPECT_FALSE(name.chopped(stamp.size()).back().isHighSurrogate());
        // Numbered too, as when another desk took the name the same second.
        for (const QString &taken : {name, numberedFileName(name, maxFileNumber)}) {
            QFile file(folder + '/' + taken);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
            file.close();
            EXPECT_EQ(QFileInfo(file).absolutePath(), QFileInfo(folder).absoluteFilePath());
        }
    }
}
