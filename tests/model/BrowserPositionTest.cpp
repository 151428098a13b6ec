// The file browser's position: which folder a choice lists, re-reading,
// the selection's commands and count line, stepping; on folders given as a
// table.
#include "model/BrowserPosition.h"

#include <QMap>
#include <QSet>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {

const BrowserDirs dirs{"/w/Saved", "/w/Saved/Printed", "/w/Saved/Archived"};
const QDate today(2026, 3, 5);

struct TableFolders final : FolderReader {
    QSet<QString> folders;
    QMap<QString, QStringList> filesIn, subfoldersIn;
    QMap<QString, QDateTime> modifiedAt;
    mutable int reads = 0;
    QStringList files(const QString &f) const override
    {
        ++reads;
        return filesIn.value(f);
    }
    QDateTime modified(const QString &f) const override { return modifiedAt.value(f); }
    QStringList subfolders(const QString &f) const override { return subfoldersIn.value(f); }
    bool exists(const QString &f) const override { return folders.contains(f); }
};

struct ArchiveCase {
    const char *name;
    QStringList monthsOf2026;
    bool marchExists;
    const char *listed;
};

class ChoosingTheArchive : public ::testing::TestWithParam<ArchiveCase> {};

TEST_P(ChoosingTheArchive, ShowsThisMonthAndListsItsFolderWhenThereIsOne)
{
    const ArchiveCase c = GetParam();
    TableFolders disk;
    disk.subfoldersIn[dirs.archived + "/2026"] = c.monthsOf2026;
    if (c.marchExists)
        disk.folders << dirs.archived + "/2026/03";
    BrowserPosition p;
    p.chooseOption(DocFolder::Archived, dirs, disk, today);
    EXPECT_EQ(p.year, "2026");
    EXPECT_EQ(p.month, "03");
    EXPECT_EQ(p.months, c.monthsOf2026);
    EXPECT_EQ(p.folder, QString::fromLatin1(c.listed));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ChoosingTheArchive,
    ::testing::Values(ArchiveCase{"MonthFolder", {"01", "03"}, true, "/w/Saved/Archived/2026/03"},
                      ArchiveCase{
                          "NoMonthFolderListsTheArchive", {"01"}, false, "/w/Saved/Archived"},
                      ArchiveCase{"NoYearFolderListsTheArchive", {}, false, "/w/Saved/Archived"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BrowserPosition, PickingAYearListsItsFolderUntilAMonthIsPicked)
{
    TableFolders disk;
    disk.subfoldersIn[dirs.archived] = {"2025"};
    disk.subfoldersIn[dirs.archived + "/2025"] = {"11", "12"};
    disk.filesIn[dirs.archived + "/2025/12"] = {"a.dcl", "b.dcl"};
    BrowserPosition p;
    p.prepare(dirs, disk, today);
    EXPECT_EQ(p.option, DocFolder::Printed);
    p.chooseOption(DocFolder::Archived, dirs, disk, today);
    p.pickYear(0, dirs, disk);
    EXPECT_EQ(p.month, "");
    EXPECT_EQ(p.months, QStringList({"11", "12"}));
    EXPECT_EQ(p.folder, dirs.archived + "/2025");
    p.pickMonth(1, dirs, disk);
    EXPECT_EQ(p.folder, dirs.archived + "/2025/12");
    EXPECT_EQ(p.pathOf(1), dirs.archived + "/2025/12/b.dcl");
    p.select(1);
    EXPECT_FALSE(p.canRename()); // only a manually saved file
    const BrowserPosition before = p;
    p.pickYear(1, dirs, disk);
    p.pickMonth(-1, dirs, disk);
    EXPECT_EQ(p, before);
}

TEST(BrowserPosition, RereadingKeepsTheSelectedFileByNameChoosingAgainDoesNot)
{
    TableFolders disk;
    disk.filesIn[dirs.saved] = {"b.dcl", "c.dcl"};
    BrowserPosition p;
    p.chooseOption(DocFolder::Saved, dirs, disk, today);
    EXPECT_EQ(p.countLine(), "当前文件夹总计 2 个文件");
    p.select(1);
    EXPECT_EQ(p.countLine(), "当前选中第 2/2 个文件");
    EXPECT_TRUE(p.canRename());
    disk.filesIn[dirs.saved] = {"a.dcl", "b.dcl", "c.dcl"};
    p.reread(disk);
    EXPECT_EQ(p.fileName(p.selected), "c.dcl");
    disk.filesIn[dirs.saved] = {"a.dcl", "b.dcl"};
    p.reread(disk);
    EXPECT_EQ(p.selected, -1);
    p.select(0);
    p.chooseOption(DocFolder::Saved, dirs, disk, today);
    EXPECT_EQ(p.selected, -1);
}

struct StepCase {
    const char *name;
    int selected, count, direction, target;
};

class StepTarget : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepTarget, WrapsAroundAndStartsFromTheEnds)
{
    const StepCase c = GetParam();
    EXPECT_EQ(stepTarget(c.selected, c.count, c.direction), c.target);
}

INSTANTIATE_TEST_SUITE_P(Steps, StepTarget,
                         ::testing::Values(StepCase{"NextMovesOn", 0, 3, +1, 1},
                                           StepCase{"NextFromLastIsFirst", 2, 3, +1, 0},
                                           StepCase{"PreviousMovesBack", 2, 3, -1, 1},
                                           StepCase{"PreviousFromFirstIsLast", 0, 3, -1, 2},
                                           StepCase{"NextFromNoneIsFirst", -1, 3, +1, 0},
                                           StepCase{"PreviousFromNoneIsLast", -1, 3, -1, 2},
                                           StepCase{"OnlyFileStays", 0, 1, +1, 0},
                                           StepCase{"EmptyFolderHasNone", -1, 0, -1, -1}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace

// --- stepping on a kept listing ---------------------------------------------------------

// A folder listed at 0 ms with change time t0; then, for each step, the
// folder's change time (0: t0, 1: a newer one, -1: none, the folder gone)
// and this desk's clock; whether each step read the folder again.
struct KeptListingCase {
    const char *name;
    std::vector<std::pair<int, qint64>> steps;
    std::vector<bool> reads;
};

class SteppingOnAKeptListing : public ::testing::TestWithParam<KeptListingCase> {};

TEST_P(SteppingOnAKeptListing, ReadsTheFolderOnlyWhenItMayHaveChanged)
{
    const KeptListingCase c = GetParam();
    const QDateTime t0(QDate(2026, 3, 5), QTime(10, 0));
    TableFolders disk;
    disk.filesIn[dirs.printed] = {"a.dcl", "b.dcl"};
    disk.modifiedAt[dirs.printed] = t0;
    BrowserPosition p;
    p.chooseOption(DocFolder::Printed, dirs, disk, today);
    p.select(1);
    std::vector<bool> reads;
    for (const auto &[change, now] : c.steps) {
        if (change < 0)
            disk.modifiedAt.remove(dirs.printed);
        else
            disk.modifiedAt[dirs.printed] = t0.addSecs(change);
        // What another desk added shows only when the folder is read.
        disk.filesIn[dirs.printed] << QStringLiteral("n%1.dcl").arg(now);
        const int before = disk.reads;
        const bool read = p.rereadIfChanged(disk, now);
        EXPECT_EQ(read, disk.reads > before);
        reads.push_back(disk.reads > before);
        EXPECT_EQ(p.files.contains(QStringLiteral("n%1.dcl").arg(now)), reads.back());
        EXPECT_EQ(p.fileName(p.selected), "b.dcl");
    }
    EXPECT_EQ(reads, c.reads);
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, SteppingOnAKeptListing,
    ::testing::Values(
        // Until the change time has stood a whole tick, a change in that
        // tick could hide behind it.
        KeptListingCase{"UnchangedTimeIsTrustedAfterATick",
                        {{0, 100}, {0, 900}, {0, 2100}, {0, 2200}, {0, 60000}},
                        {true, true, true, false, false}},
        KeptListingCase{"NewerTimeReadsAndWaitsATickAgain",
                        {{0, 100}, {0, 2100}, {1, 3000}, {1, 4000}, {1, 5000}, {1, 5100}},
                        {true, true, true, true, true, false}},
        KeptListingCase{
            "NoTimeAlwaysReads", {{-1, 100}, {-1, 5000}, {-1, 9000}}, {true, true, true}}),
    [](const auto &info) { return std::string(info.param.name); });
