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
    QStringList files(const QString &f) const override { return filesIn.value(f); }
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
