// Typed file names, the document-state table, the browser's texts and the
// folder listing.
#include "model/DocumentSession.h"
#include "model/DocumentState.h"
#include "store/DocumentNames.h"
#include "store/FileNameFilter.h"
#include "store/FolderListing.h"
#include "support/TestEnv.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

// --- names ----------------------------------------------------------------------

TEST(SaveAsName, PromptAndTitle)
{
    EXPECT_EQ(saveAsTitle(), "保存文件");
    EXPECT_EQ(saveAsPrompt(), "请输入文件的名称：\n\n  （这些字符将被过滤： \\ / : * ? \" < > |）");
}

TEST(SaveAsName, ProposalIsConsigneeAndTimeStampWithFullWidthColons)
{
    const QDateTime t(QDate(2014, 3, 5), QTime(14, 20, 30));
    EXPECT_EQ(saveAsProposal("上海某公司", t), "上海某公司(2014-03-05 14：20：30).dcl");
    const QDateTime morning(QDate(2026, 12, 7), QTime(4, 5, 9));
    EXPECT_EQ(saveAsProposal("ABC", morning), "ABC(2026-12-07 04：05：09).dcl");
}

TEST(RenameName, PromptAndTitle)
{
    EXPECT_EQ(renameTitle(), "重命名文件");
    EXPECT_EQ(renamePrompt(), "请输入新名称：\r\n\r\n  （这些字符将被过滤： \\ / : * ? \" < > |）");
}

TEST(TypedName, FilterThenDclSuffixCaseSensitively)
{
    const std::pair<const char *, const char *> cases[] = {
        {"a:b", "ab.dcl"},
        {"x.dcl", "x.dcl"},
        {"x.DCL", "x.DCL.dcl"},
        {"b", "b.dcl"},
        {"a:b*c?.dcl", "abc.dcl"},
        {"报检 单", "报检 单.dcl"},
        {"x.dcl.bak", "x.dcl.bak.dcl"},
        {"<d>|.dcl", "d.dcl"},
    };
    for (const auto &[typed, stored] : cases)
        EXPECT_EQ(withDclSuffix(GuoLv(QString::fromUtf8(typed))), QString::fromUtf8(stored))
            << typed;
}

TEST(TypedName, ReservedDeviceNamesAreRecognised)
{
    const char *reserved[] = {"CON",      "con.dcl", "PRN.dcl",  "Aux",       "NUL .dcl",
                              "COM1.dcl", "com9",    "LPT1.dcl", "lpt9.x.dcl"};
    for (const char *name : reserved)
        EXPECT_TRUE(isReservedDeviceName(name)) << name;
    const char *ordinary[] = {"CONSOLE.dcl", "COM0.dcl",    "COM10.dcl", "LPT.dcl",
                              "ACON.dcl",    "上海CON.dcl", "NULL.dcl",  "x.CON"};
    for (const char *name : ordinary)
        EXPECT_FALSE(isReservedDeviceName(name)) << name;
}

TEST(TypedName, ProblemsTheFileSystemCannotHold)
{
    EXPECT_EQ(fileNameProblem(""), "文件名为空（只有被过滤的字符）！请重新输入。");
    EXPECT_EQ(fileNameProblem(".dcl"), "文件名为空（只有被过滤的字符）！请重新输入。");
    EXPECT_EQ(fileNameProblem("NUL.dcl"), "“NUL”是系统保留的设备名，不能用作文件名！请重新输入。");
    EXPECT_EQ(fileNameProblem("a\tb.dcl"), "文件名中含有控制字符！请重新输入。");
    EXPECT_TRUE(fileNameProblem("上海某公司(2014-03-05 14：20：30).dcl").isEmpty());
}

TEST(TypedName, LengthLimitInBytes)
{
    const QString tooLong =
        QStringLiteral("文件名太长（最多235个字节，一个汉字占3个字节）！请重新输入。");
    // 231 + ".dcl" = 235 ASCII bytes fits; one more does not.
    EXPECT_TRUE(fileNameProblem(QString(231, 'a') + ".dcl").isEmpty());
    EXPECT_EQ(fileNameProblem(QString(232, 'a') + ".dcl"), tooLong);
    // 77 Chinese characters are 231 UTF-8 bytes: + ".dcl" is 235 bytes and fits;
    // 78 are 234 + 4 = 238 bytes and do not, though only 82 characters.
    EXPECT_TRUE(fileNameProblem(QString(77, QChar(0x4E2D)) + ".dcl").isEmpty());
    EXPECT_EQ(fileNameProblem(QString(78, QChar(0x4E2D)) + ".dcl"), tooLong);
}

// --- document states ----------------------------------------------------------------

TEST(DocumentStates, TableOfWhatEachCommandLeavesBehind)
{
    struct Row {
        DocEvent event;
        bool newCaption;
        const char *status; // "" = left to the reading step
        const char *folder;
        bool guiDang, feiYong, daoChu, locked;
    };
    const Row rows[] = {
        {DocEvent::New, true, "本单状态: 预录入（未打印）", "新建文件", false, false, false, false},
        {DocEvent::SaveAs, false, "本单状态: 预录入（未打印）", "保存的文件", false, false, false,
         true},
        {DocEvent::Print, false, "本单状态: 未归档（请进行归档处理）", "已打印文件", true, false,
         false, true},
        {DocEvent::OpenSaved, false, "本单状态: 预录入（未打印）", "保存的文件", false, false,
         false, true},
        {DocEvent::OpenPrinted, false, "本单状态: 未归档（请进行归档处理）", "已打印文件", true,
         false, false, true},
        {DocEvent::OpenArchived, false, "", "已归档文件", true, true, true, true},
    };
    for (const Row &r : rows) {
        const DocumentState s = stateAfter(r.event);
        SCOPED_TRACE(r.folder);
        EXPECT_EQ(s.newCaption, r.newCaption);
        EXPECT_EQ(s.status, QString::fromUtf8(r.status));
        EXPECT_EQ(s.folder, QString::fromUtf8(r.folder));
        EXPECT_EQ(s.guiDang, r.guiDang);
        EXPECT_EQ(s.feiYong, r.feiYong);
        EXPECT_EQ(s.daoChu, r.daoChu);
        EXPECT_EQ(s.consigneeLocked, r.locked);
    }
    EXPECT_EQ(newCaption(), "新建报检单");
    EXPECT_EQ(statusArchived(), "本单状态: 已归档");
}

TEST(DocumentStates, SessionCaptionAndWhetherAFileIsOpen)
{
    DocumentSession s = startSession();
    EXPECT_EQ(s.caption(), "新建报检单");
    EXPECT_FALSE(s.hasFile());
    s.file = "/w/Saved/甲.dcl";
    EXPECT_EQ(s.caption(), "甲.dcl");
    EXPECT_TRUE(s.hasFile());
    s.file = "/w/Saved/乙.DCL"; // listed by the browser, but no overwrite offered
    EXPECT_FALSE(s.hasFile());
    s.apply(stateAfter(DocEvent::OpenArchived)); // leaves the status to the reading step
    EXPECT_EQ(s.status, statusPreEntry());
    EXPECT_TRUE(s.consigneeLocked && s.daoChu);
}

TEST(DocumentStates, OpeningFromEachFolder)
{
    EXPECT_EQ(openEvent(DocFolder::Saved), DocEvent::OpenSaved);
    EXPECT_EQ(openEvent(DocFolder::Printed), DocEvent::OpenPrinted);
    EXPECT_EQ(openEvent(DocFolder::Archived), DocEvent::OpenArchived);
}

TEST(DocumentStates, FolderLabelChoosesTheBrowserOption)
{
    EXPECT_EQ(optionForFolderLabel("新建文件"), 0);
    EXPECT_EQ(optionForFolderLabel("保存的文件"), 0);
    EXPECT_EQ(optionForFolderLabel("已打印文件"), 1);
    EXPECT_EQ(optionForFolderLabel("已归档文件"), 2);
    EXPECT_EQ(optionForFolderLabel(""), -1);
    EXPECT_EQ(optionForFolderLabel("已归档"), -1);
}

TEST(DocumentStates, PositionLabel)
{
    EXPECT_EQ(positionText(-1, 0), " / ");
    EXPECT_EQ(positionText(0, 1), "1/1");
    EXPECT_EQ(positionText(-1, 1), "1/1");
    EXPECT_EQ(positionText(2, 12), "3/12");
    EXPECT_EQ(positionText(11, 12), "12/12");
    EXPECT_FALSE(steppingEnabled(0));
    EXPECT_FALSE(steppingEnabled(1));
    EXPECT_TRUE(steppingEnabled(2));
}

TEST(BrowserTexts, CountLinesAndOptions)
{
    EXPECT_EQ(totalCountLine(0), "当前文件夹总计 0 个文件");
    EXPECT_EQ(totalCountLine(12), "当前文件夹总计 12 个文件");
    EXPECT_EQ(selectedCountLine(0, 12), "当前选中第 1/12 个文件");
    const auto &o = browserOptions();
    EXPECT_EQ(o[0].caption, "保存的文件");
    EXPECT_EQ(o[0].description, "用户手动保存的文件，可用作模板或草稿。");
    EXPECT_EQ(o[1].caption, "已打印文件");
    EXPECT_EQ(o[1].description, "已打印未归档的文件，打印后会自动保存至此。");
    EXPECT_EQ(o[2].caption, "已归档文件");
}

// --- listing ------------------------------------------------------------------------

TEST(FolderListing, DeclarationFilesInNameOrder)
{
    TestEnv env;
    const QString dir = env.path("Saved");
    QDir().mkpath(dir + "/sub.dcl");
    for (const char *name :
         {"b.dcl", "A.dcl", "c.txt", "a2.dcl", "x.dcl.bak", "上海.dcl", "d.DCL", "B.dcl"})
        ASSERT_TRUE(writeBytes(dir + '/' + QString::fromUtf8(name), "x"));
    EXPECT_EQ(listDeclarationFiles(dir),
              QStringList({"A.dcl", "a2.dcl", "B.dcl", "b.dcl", "d.DCL", "上海.dcl"}));
    EXPECT_TRUE(listDeclarationFiles(env.path("missing")).isEmpty());
}

TEST(FolderListing, SubfoldersOnly)
{
    TestEnv env;
    const QString dir = env.path("Saved/Archived");
    for (const char *y : {"2026", "2014", "2025"})
        QDir().mkpath(dir + '/' + y);
    ASSERT_TRUE(writeBytes(dir + "/2013", "not a folder"));
    EXPECT_EQ(listSubfolders(dir), QStringList({"2014", "2025", "2026"}));
    EXPECT_TRUE(listSubfolders(env.path("missing")).isEmpty());
}
