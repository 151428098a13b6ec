// The consignee register file: reading the list and particulars, the save's
// checks and the exact bytes it leaves behind.
#include "model/ConsigneeRegister.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

struct Register : ::testing::Test {
    TestEnv env;
    QString file;
    void SetUp() override
    {
        QDir().mkpath(env.ctx.configDir());
        file = env.ctx.consigneeIni();
    }
    // The register as the Windows functions leave it: one key at a time.
    void writeByHand(const QStringList &names)
    {
        ASSERT_TRUE(WriteKey(file, "列表", "S", QString::number(names.size())));
        for (int i = 0; i < names.size(); ++i) {
            ASSERT_TRUE(WriteKey(file, "列表", QString::number(i + 1), names[i]));
            for (int k = 0; k < kConsigneeFields; ++k)
                ASSERT_TRUE(WriteKey(file, names[i], QString::number(k),
                                     names[i] + "-" + QString::number(k)));
        }
    }
};

ConsigneeParticulars full(const QString &tag = "甲")
{
    return {tag + "有限公司", "3202000001", tag + "路1号", "张三", "0510-1234567", "", ""};
}

} // namespace

// --- reading -----------------------------------------------------------------

TEST_F(Register, MissingFileReadsEmptyAndGainsAnEmptyCount)
{
    EXPECT_TRUE(readConsigneeNames(file).isEmpty());
    EXPECT_EQ(readBytes(file), gbk("[列表]\nS=\n"));
}

TEST_F(Register, NamesComeInRegisterOrderNotSorted)
{
    writeByHand({"无锡华润", "ABC贸易", "常州物流"});
    EXPECT_EQ(readConsigneeNames(file), QStringList({"无锡华润", "ABC贸易", "常州物流"}));
}

TEST_F(Register, CountIsReadAsItsLeadingNumber)
{
    struct Case {
        QByteArray count;
        int listed;
    } cases[] = {{"", 0}, {"abc", 0}, {"2", 2}, {"2x", 2}, {" 1", 1}, {"-1", 0}};
    for (const Case &c : cases) {
        writeBytes(file, gbk("[列表]\nS=") + c.count + gbk("\n1=甲\n2=乙\n3=丙\n"));
        EXPECT_EQ(readConsigneeNames(file).size(), c.listed) << c.count.constData();
    }
}

TEST_F(Register, AMissingEntryListsEmptyAndIsWrittenBack)
{
    writeBytes(file, gbk("[列表]\nS=2\n1=甲\n"));
    EXPECT_EQ(readConsigneeNames(file), QStringList({"甲", ""}));
    EXPECT_EQ(readBytes(file), gbk("[列表]\nS=2\n1=甲\n2=\n"));
}

TEST_F(Register, AnOversizedCountReadsNoMoreThanTheCapacity)
{
    writeBytes(file, gbk("[列表]\nS=99999\n1=甲\n"));
    EXPECT_EQ(readConsigneeNames(file).size(), kMaxConsignees);
}

TEST_F(Register, ParticularsComeFromTheSectionOfThatExactName)
{
    writeByHand({"无锡华润", "ABC贸易"});
    const ConsigneeParticulars p = readConsigneeParticulars(file, "ABC贸易");
    for (int k = 0; k < kConsigneeFields; ++k)
        EXPECT_EQ(p[k], "ABC贸易-" + QString::number(k));
}

TEST_F(Register, MissingParticularsComeBackEmptyAndAreWrittenBackEmpty)
{
    writeBytes(file, gbk("[列表]\nS=1\n1=甲\n[甲]\n0=甲公司\n"));
    const ConsigneeParticulars p = readConsigneeParticulars(file, "甲");
    EXPECT_EQ(p[0], "甲公司");
    EXPECT_EQ(p[6], "");
    EXPECT_EQ(readBytes(file), gbk("[列表]\nS=1\n1=甲\n[甲]\n0=甲公司\n1=\n2=\n3=\n4=\n5=\n6=\n"));
}

// Print checks look at the register and leave no trace in it.
TEST_F(Register, PeekingAtTheNamesWritesNothing)
{
    EXPECT_TRUE(peekConsigneeNames(file).isEmpty());
    EXPECT_FALSE(QFile::exists(file));
    const QByteArray gap = gbk("[列表]\nS=2\n2=乙\n");
    writeBytes(file, gap);
    EXPECT_EQ(peekConsigneeNames(file), QStringList({"", "乙"}));
    EXPECT_EQ(readBytes(file), gap);
    EXPECT_FALSE(consigneeListed(peekConsigneeNames(file), "")); // the gap names no one
}

// --- required entries ----------------------------------------------------------

TEST(ConsigneeRequired, TheFirstEmptyEntryIsNamedInOrder)
{
    const ConsigneeParticulars all = full();
    EXPECT_EQ(missingConsigneeEntry("甲", all), "");
    EXPECT_EQ(missingConsigneeEntry("", ConsigneeParticulars{}), "收货人不能为空！");
    const char16_t *messages[] = {u"全称不能为空！", u"注册号不能为空！", u"地址不能为空！",
                                  u"联系人不能为空！", u"电话不能为空！"};
    // Emptying field k and every later one names field k.
    for (int k = 0; k < 5; ++k) {
        ConsigneeParticulars p = all;
        for (int j = k; j < kConsigneeFields; ++j)
            p[j].clear();
        EXPECT_EQ(missingConsigneeEntry("甲", p), QString::fromUtf16(messages[k])) << k;
    }
}

TEST(ConsigneeRequired, BlanksCountAsEnteredAndTheLastTwoAreOptional)
{
    ConsigneeParticulars p = {" ", " ", " ", " ", " ", "", ""};
    EXPECT_EQ(missingConsigneeEntry(" x", p), "");
}

// --- names that cannot be stored ---------------------------------------------

TEST(ConsigneeName, RefusesWhatTheFileOrAFileNameCannotHold)
{
    struct Case {
        const char16_t *name;
        const char16_t *message;
    } cases[] = {
        {u"无锡[华润]", u"收货人名称不能含有字符“[”！"},
        {u"华润]", u"收货人名称不能含有字符“]”！"},
        {u"A=B", u"收货人名称不能含有字符“=”！"},
        {u"A\\B", u"收货人名称不能含有字符“\\”！"},
        {u"A/B", u"收货人名称不能含有字符“/”！"},
        {u"A:B", u"收货人名称不能含有字符“:”！"},
        {u"A*B", u"收货人名称不能含有字符“*”！"},
        {u"A?B", u"收货人名称不能含有字符“?”！"},
        {u"A\"B", u"收货人名称不能含有字符“\"”！"},
        {u"A<B", u"收货人名称不能含有字符“<”！"},
        {u"A>B", u"收货人名称不能含有字符“>”！"},
        {u"A|B", u"收货人名称不能含有字符“|”！"},
        {u" 华润", u"收货人名称的开头和结尾不能是空格！"},
        {u"华润 ", u"收货人名称的开头和结尾不能是空格！"},
        {u"华润\t", u"收货人名称的开头和结尾不能是空格！"},
        {u"华\u0001润", u"收货人名称不能含有控制字符！"},
        {u"'华润'", u"收货人名称不能以单引号开头并以单引号结尾！"},
        {u"列表", u"“列表”是收货人清单自身的名称，不能用作收货人名称！"},
        {u"华润\u20A9", u"收货人名称含有无法保存的字符“\u20A9”！"},
        {u"华润\U0001F600", u"收货人名称含有无法保存的字符“\U0001F600”！"},
        {u"苏州\u200B公司", u"收货人名称含有无法保存的字符U+200B！"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(consigneeNameProblem(QString::fromUtf16(c.name)), QString::fromUtf16(c.message))
            << QString::fromUtf16(c.name).toStdString();
}

TEST(ConsigneeName, AcceptsOrdinaryNames)
{
    for (const char16_t *name :
         {u"无锡华润", u"ABC 贸易", u"O'Neil", u"华润(无锡)", u"A.B-C", u"甲　乙"})
        EXPECT_EQ(consigneeNameProblem(QString::fromUtf16(name)), "")
            << QString::fromUtf16(name).toStdString();
}

TEST(ConsigneeName, ParticularsGbkLacksAreNamedByField)
{
    ConsigneeParticulars p = full();
    p[3] = QString::fromUtf16(u"张\u20A9");
    EXPECT_EQ(consigneeParticularsProblem(p),
              QString::fromUtf16(u"联系人含有无法保存的字符“\u20A9”！"));
    p = full();
    p[2] = "a\nb";
    EXPECT_EQ(consigneeParticularsProblem(p), "地址不能含有换行！");
}

// --- save --------------------------------------------------------------------------

TEST_F(Register, AddingToAMissingRegisterWritesParticularsThenTheList)
{
    const ConsigneeSaveResult r = saveConsignee(file, "无锡华润", full("华润"), true);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_TRUE(r.added);
    EXPECT_EQ(r.listedName, "无锡华润");
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(readBytes(file), gbk("[无锡华润]\n0=华润有限公司\n1=3202000001\n2=华润路1号\n"
                                   "3=张三\n4=0510-1234567\n5=\n6=\n[列表]\nS=1\n1=无锡华润\n"));
}

TEST_F(Register, AddingToAnEmptyCountFillsIt)
{
    readConsigneeNames(file); // leaves [列表] S=
    ASSERT_TRUE(saveConsignee(file, "甲", full(), true).ok);
    EXPECT_EQ(readBytes(file), gbk("[列表]\nS=1\n1=甲\n[甲]\n0=甲有限公司\n1=3202000001\n"
                                   "2=甲路1号\n3=张三\n4=0510-1234567\n5=\n6=\n"));
}

TEST_F(Register, AddingToAHandWrittenRegisterAppends)
{
    writeByHand({"无锡华润", "ABC贸易"});
    const ConsigneeSaveResult r = saveConsignee(file, "常州物流", full("常州"), true);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(readConsigneeNames(file), QStringList({"无锡华润", "ABC贸易", "常州物流"}));
    EXPECT_EQ(readConsigneeParticulars(file, "常州物流"), full("常州"));
    EXPECT_EQ(readConsigneeParticulars(file, "ABC贸易")[0], "ABC贸易-0");
}

TEST_F(Register, UpdatingOverwritesTheSevenKeysAndLeavesTheList)
{
    writeByHand({"无锡华润", "ABC贸易"});
    const QByteArray before = readBytes(file);
    ConsigneeParticulars p = full("新");
    p[6] = "进出口";
    const ConsigneeSaveResult r = saveConsignee(file, "ABC贸易", p, false);
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.added);
    EXPECT_EQ(readConsigneeNames(file), QStringList({"无锡华润", "ABC贸易"}));
    EXPECT_EQ(readConsigneeParticulars(file, "ABC贸易"), p);
    EXPECT_EQ(readConsigneeParticulars(file, "无锡华润")[0], "无锡华润-0");
    EXPECT_TRUE(readBytes(file).startsWith(before.left(before.indexOf("[", 1))));
}

TEST_F(Register, ANameAnotherDeskListedMeanwhileIsNotListedTwice)
{
    writeByHand({"甲"});
    const ConsigneeSaveResult r = saveConsignee(file, "甲", full(), true);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.added);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(readConsigneeNames(file), QStringList({"甲"}));
}

TEST_F(Register, ANameDifferingOnlyInCaseIsRefusedAndNothingWritten)
{
    writeByHand({"ABC贸易"});
    const QByteArray before = readBytes(file);
    const ConsigneeSaveResult r = saveConsignee(file, "abc贸易", full(), true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message,
              "收货人“abc贸易”与已有的收货人“ABC贸易”只有大小写不同，请直接使用“ABC贸易”！");
    EXPECT_EQ(readBytes(file), before);
}

TEST_F(Register, RefusalsWriteNothing)
{
    writeByHand({"甲"});
    const QByteArray before = readBytes(file);
    ConsigneeParticulars noPhone = full();
    noPhone[4].clear();
    ConsigneeParticulars badChar = full();
    badChar[6] = QString::fromUtf16(u"\u20A9");
    struct Case {
        QString name;
        ConsigneeParticulars p;
        QString message;
    } cases[] = {
        {"乙", noPhone, "电话不能为空！"},
        {"", full(), "收货人不能为空！"},
        {"乙[1]", full(), "收货人名称不能含有字符“[”！"},
        {"乙", badChar, QString::fromUtf16(u"经营范围含有无法保存的字符“\u20A9”！")},
    };
    for (const Case &c : cases) {
        const ConsigneeSaveResult r = saveConsignee(file, c.name, c.p, true);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(readBytes(file), before);
    }
}

TEST_F(Register, The255thConsigneeIsRefused)
{
    ProfileBatch batch(file);
    batch.WriteKey("列表", "S", QString::number(kMaxConsignees));
    for (int i = 1; i <= kMaxConsignees; ++i)
        batch.WriteKey("列表", QString::number(i), "客户" + QString::number(i));
    ASSERT_TRUE(batch.save());
    const QByteArray before = readBytes(file);

    const ConsigneeSaveResult r = saveConsignee(file, "客户255", full(), true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "收货人已达254家，不能再新增！");
    EXPECT_EQ(readBytes(file), before);
    // Updating one that is listed still works.
    EXPECT_TRUE(saveConsignee(file, "客户254", full(), false).ok);
}

TEST_F(Register, The254thConsigneeIsAccepted)
{
    ProfileBatch batch(file);
    batch.WriteKey("列表", "S", QString::number(kMaxConsignees - 1));
    ASSERT_TRUE(batch.save());
    const ConsigneeSaveResult r = saveConsignee(file, "最后一家", full(), true);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.count, kMaxConsignees);
    EXPECT_EQ(ReadKey(file, "列表", "254", ""), "最后一家");
}

TEST_F(Register, AFailedReplaceIsReportedAndNotCalledASuccess)
{
    // A folder where the register should be: the file cannot be replaced.
    QDir().mkpath(file);
    const ConsigneeSaveResult r = saveConsignee(file, "甲", full(), true);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith("保存“甲”失败！\n")) << r.message.toStdString();
    EXPECT_GT(r.message.size(), QString("保存“甲”失败！\n").size());
}

TEST_F(Register, AMissingConfigFolderIsReportedAsAFailure)
{
    QDir(env.ctx.configDir()).removeRecursively();
    const ConsigneeSaveResult r = saveConsignee(file, "甲", full(), true);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(QFile::exists(file));
}

TEST(LeadingCount, TakesTheLeadingDigits)
{
    EXPECT_EQ(leadingCount(""), 0);
    EXPECT_EQ(leadingCount("12"), 12);
    EXPECT_EQ(leadingCount("12 家"), 12);
    EXPECT_EQ(leadingCount("x12"), 0);
}

TEST_F(Register, ANameListedBeforeTheNameRulesCanStillBeUpdated)
{
    writeByHand({"A/B公司"});
    const ConsigneeSaveResult r = saveConsignee(file, "A/B公司", full(), false);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(readConsigneeParticulars(file, "A/B公司"), full());
    // but not added a second time under a new spelling
    EXPECT_FALSE(saveConsignee(file, "A/B公司2", full(), true).ok);
}

TEST_F(Register, ParticularsInQuotesComeBackAsTyped)
{
    const QString name = QStringLiteral("ABC");
    ConsigneeParticulars p = full();
    p[0] = QStringLiteral("\"ABC有限公司\"");
    p[6] = QStringLiteral("'进口'");
    const ConsigneeSaveResult r = saveConsignee(file, name, p, true);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(readConsigneeNames(file), QStringList{name});
    EXPECT_EQ(readConsigneeParticulars(file, name), p);
}
