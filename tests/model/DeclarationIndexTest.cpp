// The search over every declaration of a work directory: what it finds and in
// which order, that it follows files changed by other programs, and that its
// cache can be lost or damaged without losing anything.
#include "model/DeclarationIndex.h"

#include "model/DeclarationFile.h"
#include "support/MonthArchive.h"
#include "support/TestEnv.h"
#include "support/TestNames.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <limits>

using namespace portdesk;
using namespace portdesk::test;

namespace {

constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

const char *const kDraft = "Saved/草稿.dcl";
const char *const kPrinted = "Saved/Printed/ACME(2026-11-20 10：00：00).dcl";
const char *const kMarch = "Saved/Archived/2025/03/123456苏州精密(2025-03-05).dcl";
const char *const kJuly = "Saved/Archived/2024/07/654321昆山机械(2024-07-09).dcl";

bool writeAt(const QString &path, const Declaration &d, const QDateTime &modified)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return writeDeclaration(path, d, nullptr) && file.open(QIODevice::ReadWrite) &&
           file.setFileTime(modified, QFileDevice::FileModificationTime);
}

// A draft, a printed declaration and two archived ones, each with its own
// consignee, bill of lading, contract, container, goods and H.S. code.
class Search : public ::testing::Test {
protected:
    void SetUp() override
    {
        Declaration draft;
        draft[DeclField::ShouHuoRen] = QStringLiteral("苏州精密电子有限公司");
        draft[DeclField::TiYunDanHao] = QStringLiteral("COSU6201234");
        ASSERT_TRUE(writeAt(env.path(kDraft), draft, QDateTime(QDate(2026, 12, 1), QTime(9, 0))));
        Declaration printed;
        printed[DeclField::ShouHuoRen] = QStringLiteral("ACME Trading");
        printed[DeclField::TiYunDanHao] = QStringLiteral("MAEU555");
        printed[DeclField::JZXhm1] = QStringLiteral("ABCU7777777");
        ASSERT_TRUE(
            writeAt(env.path(kPrinted), printed, QDateTime(QDate(2026, 11, 20), QTime(10, 0))));
        ReportSources march;
        march.declaration[DeclField::ShouHuoRen] = QStringLiteral("苏州精密电子有限公司");
        march.declaration[DeclField::HeTongHao] = QStringLiteral("HT-2025-77");
        march.declaration.at(DeclField::YuanChanGuo, 1) = QStringLiteral("德国");
        march.declaration.at(DeclField::MingCheng, 1) = QStringLiteral("模具配件");
        march.declaration.at(DeclField::BianMa, 1) = QStringLiteral("8480710090");
        march.number = QStringLiteral("123456");
        march.date = QStringLiteral("2025-03-05");
        ASSERT_FALSE(archiveInMonth(env.ctx.workDir, "2025-03", QFileInfo(kMarch).fileName(), march)
                         .isEmpty());
        ReportSources july;
        july.declaration[DeclField::ShouHuoRen] = QStringLiteral("昆山机械");
        july.declaration[DeclField::JZXhm2] = QStringLiteral("TGHU7654321");
        july.declaration.at(DeclField::MingCheng, 0) = QStringLiteral("轴承");
        july.number = QStringLiteral("654321");
        july.date = QStringLiteral("2024-07-09");
        ASSERT_FALSE(archiveInMonth(env.ctx.workDir, "2024-07", QFileInfo(kJuly).fileName(), july)
                         .isEmpty());
    }

    QStringList find(DeclarationIndex &index, const QString &text, bool refresh = true)
    {
        QString error;
        if (refresh) {
            EXPECT_TRUE(index.refresh([](std::size_t, std::size_t) {}, &error))
                << error.toStdString();
        }
        QStringList paths;
        for (const FoundDeclaration &f : index.find(text, kAll, &error))
            paths << f.relative;
        return paths;
    }

    QString cacheFile() const { return env.root.filePath("cache/search.sqlite"); }

    TestEnv env;
};

struct FindCase {
    const char *query;
    std::vector<const char *> expected; // newest first
};

class SearchFinds : public Search, public ::testing::WithParamInterface<FindCase> {};

TEST_P(SearchFinds, TheDeclarationsHoldingTheTextNewestFirst)
{
    DeclarationIndex index(env.ctx.workDir, cacheFile());
    QString error;
    ASSERT_TRUE(index.open(&error)) << error.toStdString();
    QStringList expected;
    for (const char *path : GetParam().expected)
        expected << QString::fromUtf8(path);
    EXPECT_EQ(find(index, QString::fromUtf8(GetParam().query)), expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, SearchFinds,
                         ::testing::Values(FindCase{"123456", {kMarch}},      // the number
                                           FindCase{"25123456000", {kMarch}}, // the full number
                                           FindCase{"精密电子",
                                                    {kDraft, kMarch}},   // consignee, two folders
                                           FindCase{"maeu", {kPrinted}}, // bill of lading, any case
                                           FindCase{"ＡＣＭＥ", {kPrinted}}, // full-width letters
                                           FindCase{"ht-2025", {kMarch}},    // contract
                                           FindCase{"tghu765", {kJuly}},     // second container
                                           FindCase{"轴承", {kJuly}}, // two characters: no trigram
                                           FindCase{"84807100", {kMarch}},           // H.S. code
                                           FindCase{"u", {kDraft, kPrinted, kJuly}}, // one letter
                                           FindCase{"德国", {}},     // origin is not searched
                                           FindCase{"公司模具", {}}, // never across two fields
                                           FindCase{"  ", {}}),
                         [](const auto &info) { return testName(info.param.query); });

TEST_F(Search, FollowsFilesOtherProgramsAddChangeAndDelete)
{
    DeclarationIndex index(env.ctx.workDir, cacheFile());
    QString error;
    ASSERT_TRUE(index.open(&error)) << error.toStdString();
    ASSERT_EQ(find(index, "u").size(), 3);

    // Without a new look at the folders, a shown result is still checked:
    // the gone draft and the printed file that no longer holds "MAEU" go.
    ASSERT_TRUE(QFile::remove(env.path(kDraft)));
    Declaration printed;
    printed[DeclField::TiYunDanHao] = QStringLiteral("ZIMU999");
    ASSERT_TRUE(writeBytes(env.path(kPrinted), {}));
    ASSERT_TRUE(writeDeclaration(env.path(kPrinted), printed, nullptr));
    EXPECT_EQ(find(index, "精密电子", false), QStringList{kMarch});
    EXPECT_EQ(find(index, "maeu", false), QStringList{});

    // A second program on this desk, with the same cache.
    DeclarationIndex other(env.ctx.workDir, cacheFile());
    ASSERT_TRUE(other.open(&error)) << error.toStdString();

    // A new look finds what changed into a match and what was added.
    ReportSources added;
    added.declaration[DeclField::HeTongHao] = QStringLiteral("ZIMU999-1");
    added.number = QStringLiteral("000777");
    added.date = QStringLiteral("2026-01-02");
    const QString addedName = QStringLiteral("000777(2026-01-02).dcl");
    ASSERT_FALSE(archiveInMonth(env.ctx.workDir, "2026-01", addedName, added).isEmpty());
    EXPECT_EQ(find(index, "zimu999"),
              (QStringList{kPrinted, QStringLiteral("Saved/Archived/2026/01/") + addedName}));

    // The other program stores the same files again over the first one's.
    EXPECT_EQ(find(other, "zimu999").size(), 2);
    EXPECT_EQ(find(index, "zimu999").size(), 2);

    // A share gone offline is no reason to forget what it holds.
    const QString away = env.ctx.workDir + "-offline";
    ASSERT_TRUE(QDir().rename(env.ctx.workDir, away));
    EXPECT_FALSE(index.scan(&error));
    EXPECT_TRUE(index.find("zimu999", kAll, &error).empty());
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(QDir().rename(away, env.ctx.workDir));
    EXPECT_EQ(find(index, "zimu999", false).size(), 2);
}

TEST_F(Search, ALostOrDamagedCacheIsMadeAgainFromTheFiles)
{
    QString error;
    {
        DeclarationIndex index(env.ctx.workDir, cacheFile());
        ASSERT_TRUE(index.open(&error)) << error.toStdString();
        ASSERT_EQ(find(index, "123456"), QStringList{kMarch});
    }
    for (const QByteArray &bytes : {QByteArray("not a database, a page of garbage"),
                                    readBytes(cacheFile()).left(3000) + QByteArray(5000, 'x')}) {
        ASSERT_TRUE(writeBytes(cacheFile(), bytes));
        QFile::remove(cacheFile() + "-wal");
        DeclarationIndex index(env.ctx.workDir, cacheFile());
        ASSERT_TRUE(index.open(&error)) << error.toStdString();
        EXPECT_EQ(find(index, "123456"), QStringList{kMarch});
        EXPECT_EQ(find(index, "精密电子"), (QStringList{kDraft, kMarch}));
    }

    // The full numbers depend on the office's prefix: a new prefix, new numbers.
    ASSERT_TRUE(QDir().mkpath(env.ctx.configDir()));
    ASSERT_TRUE(writeBytes(env.ctx.configIni(), gbk("[报检设置]\n报检号前缀=3100000\n")));
    DeclarationIndex index(env.ctx.workDir, cacheFile());
    ASSERT_TRUE(index.open(&error)) << error.toStdString();
    EXPECT_EQ(find(index, "310000025123456"), QStringList{kMarch});
    EXPECT_EQ(find(index, "320200125123456"), QStringList{});
}

} // namespace
