// The declaration file: the key table, the writer and the reader.
#include "model/DeclarationFile.h"
#include "model/StorableDeclaration.h"
#include "store/Gbk.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

// The key names of the golden file, read straight from its bytes.
QStringList fixtureKeys()
{
    const QString text = fromGbk(fixture("declaration-109-keys.dcl")).value();
    QStringList keys;
    for (const QString &line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (!line.startsWith('['))
            keys << line.section('=', 0, 0);
    }
    return keys;
}

// The record whose 109 WritePrivateProfileString calls made the golden file.
Declaration goldenDeclaration()
{
    Declaration d;
    d[DeclField::ShouHuoRen] = "昆山华安";
    d.setRow(0, {"模具配件", "8480719090", "德国", "2", "台", "150", "千克", "8000", "欧元"});
    d.at(DeclField::BZzhonglei, 0) = "木箱";
    d.at(DeclField::BZshuliang, 0) = "2";
    d[DeclField::JianShu] = "2";
    d[DeclField::GongJin] = "180";
    d[DeclField::YunShuGongJu] = "飞机";
    d[DeclField::TiYunDanHao] = "176-12345675";
    d[DeclField::QiYunGuoJia] = "德国";
    d[DeclField::RuJingKouAn] = "上海";
    d[DeclField::MaoYiFangShi] = "一般贸易";
    d[DeclField::MaoYiGuoBie] = "德国";
    return d;
}

// Every field a different value, so a field stored under another key shows.
Declaration distinctDeclaration()
{
    Declaration d;
    int i = 0;
    for (const FormField &f : formFields())
        d.at(f) = QStringLiteral("值%1").arg(i++);
    return d;
}

} // namespace

// --- the key table ----------------------------------------------------------

TEST(DeclarationKeys, AreThe109KeysOfTheGoldenFileInItsOrder)
{
    QStringList keys;
    for (const FormField &f : formFields())
        keys << f.key;
    EXPECT_EQ(keys.size(), 109);
    EXPECT_EQ(keys, fixtureKeys());
}

TEST(DeclarationKeys, EachKeyHasItsOwnControlAndItsOwnPlaceInTheValue)
{
    QSet<QString> controls;
    for (const FormField &f : formFields())
        controls.insert(f.ref.objectName());
    EXPECT_EQ(controls.size(), 109);

    const Declaration d = distinctDeclaration();
    QSet<QString> values;
    for (const FormField &f : formFields())
        values.insert(d.at(f));
    EXPECT_EQ(values.size(), 109) << "two keys share one member";
    EXPECT_EQ(d.at(DeclField::BiZhi, 9), "值90"); // 1 + 9 rows × 9 + 8
    EXPECT_EQ(d[DeclField::JZXhm2], "值108");
}

TEST(DeclarationKeys, RowDigitsStopAtNine)
{
    for (const FormField &f : formFields())
        EXPECT_FALSE(f.key.endsWith("10")) << f.key.toStdString();
}

// --- writing --------------------------------------------------------------------

TEST(DeclarationWrite, ProducesTheBytesOfTheWindowsFunctions)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    QString error;
    ASSERT_TRUE(writeDeclaration(path, goldenDeclaration(), &error)) << error.toStdString();
    EXPECT_EQ(readBytes(path), fixture("declaration-109-keys.dcl"));
}

TEST(DeclarationWrite, AnEmptyDeclarationWithAConsigneeWrites109Keys)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    Declaration d;
    d[DeclField::ShouHuoRen] = "上海某公司";
    ASSERT_TRUE(writeDeclaration(path, d, nullptr));
    QString expected = "[报检内容]\n收货人=上海某公司\n";
    for (const FormField &f : formFields()) {
        if (f.key != "收货人")
            expected += f.key + "=\n";
    }
    EXPECT_EQ(readBytes(path), gbk(expected));
}

TEST(DeclarationWrite, KeepsTheOtherSectionsByteForByte)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    const QByteArray before = gbk("[报检信息]\n报检号=123456\n报检日期 = 2014-03-05\n\n"
                                  "[费用登记]\n检验费=12.5\n; note\n[后期事项]\n熏蒸=1\n");
    ASSERT_TRUE(writeBytes(path, before));
    ASSERT_TRUE(writeDeclaration(path, goldenDeclaration(), nullptr));
    const QByteArray after = readBytes(path);
    ASSERT_TRUE(after.startsWith(before)) << after.toStdString();
    EXPECT_EQ(after.mid(before.size()), fixture("declaration-109-keys.dcl"));
}

TEST(DeclarationWrite, OverwritesKeysInPlace)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    ASSERT_TRUE(writeDeclaration(path, distinctDeclaration(), nullptr));
    ASSERT_TRUE(writeDeclaration(path, goldenDeclaration(), nullptr));
    EXPECT_EQ(readBytes(path), fixture("declaration-109-keys.dcl"));
}

TEST(DeclarationWrite, FailsWithAReasonWhenTheFileCannotBeWritten)
{
    TestEnv env;
    QString error;
    // The target is a folder.
    const QString blocked = env.path("blocked.dcl");
    ASSERT_TRUE(QDir().mkpath(blocked));
    EXPECT_FALSE(writeDeclaration(blocked, goldenDeclaration(), &error));
    EXPECT_FALSE(error.isEmpty());
    // The folder is gone.
    error.clear();
    EXPECT_FALSE(writeDeclaration(env.path("gone/a.dcl"), goldenDeclaration(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(env.path("gone")));
}

TEST(DeclarationWrite, RefusesTextGbkCannotHoldAndKeepsTheOldFile)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    ASSERT_TRUE(writeDeclaration(path, goldenDeclaration(), nullptr));
    Declaration d = goldenDeclaration();
    d.at(DeclField::MingCheng, 3) = QString::fromUtf8("零件\xF0\x9F\x98\x80"); // an emoji
    QString error;
    EXPECT_FALSE(writeDeclaration(path, d, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(path), fixture("declaration-109-keys.dcl"));
}

// --- reading --------------------------------------------------------------------

TEST(DeclarationRead, ReadsAFileWrittenByTheWindowsFunctions)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    ASSERT_TRUE(writeBytes(path, fixture("declaration-109-keys.dcl")));
    LoadedDeclaration loaded;
    ASSERT_TRUE(readDeclaration(path, loaded, nullptr));
    EXPECT_TRUE(loaded.content == goldenDeclaration());
    EXPECT_TRUE(loaded.number.isEmpty());
}

TEST(DeclarationRead, RoundTripsEveryField)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    const Declaration d = distinctDeclaration();
    ASSERT_TRUE(writeDeclaration(path, d, nullptr));
    LoadedDeclaration loaded;
    ASSERT_TRUE(readDeclaration(path, loaded, nullptr));
    for (const FormField &f : formFields())
        EXPECT_EQ(loaded.content.at(f), d.at(f)) << f.key.toStdString();
}

TEST(DeclarationRead, ValuesInQuotesComeBackAsTyped)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    Declaration d;
    d[DeclField::ShouHuoRen] = "\"ABC\"";
    d[DeclField::HeTongHao] = "'HT1'";
    d.at(DeclField::MingCheng, 0) = "\"阀门\"";
    ASSERT_TRUE(writeDeclaration(path, d, nullptr));
    LoadedDeclaration loaded;
    ASSERT_TRUE(readDeclaration(path, loaded, nullptr));
    EXPECT_TRUE(loaded.content == d);
}

TEST(DeclarationRead, CompletesMissingKeysAndAnEmptyNumber)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    ASSERT_TRUE(writeBytes(path, gbk("[报检内容]\n收货人=甲公司\n件数=3\n")));
    LoadedDeclaration loaded;
    ASSERT_TRUE(readDeclaration(path, loaded, nullptr));
    EXPECT_EQ(loaded.content[DeclField::ShouHuoRen], "甲公司");
    EXPECT_EQ(loaded.content[DeclField::JianShu], "3");
    EXPECT_TRUE(loaded.content.at(DeclField::MingCheng, 0).isEmpty());

    // The missing keys go after the last key of their section, in table order.
    QString expected = "[报检内容]\n收货人=甲公司\n件数=3\n";
    for (const FormField &f : formFields()) {
        if (f.key != "收货人" && f.key != "件数")
            expected += f.key + "=\n";
    }
    expected += "[报检信息]\n报检号=\n";
    EXPECT_EQ(readBytes(path), gbk(expected));
}

TEST(DeclarationRead, ACompleteFileIsNotRewritten)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    ASSERT_TRUE(
        writeBytes(path, fixture("declaration-109-keys.dcl") + gbk("[报检信息]\n报检号=\n")));
    const QByteArray before = readBytes(path);
    LoadedDeclaration loaded;
    ASSERT_TRUE(readDeclaration(path, loaded, nullptr));
    EXPECT_EQ(readBytes(path), before);
}

TEST(DeclarationRead, AnArchivedFileGivesNumberAndDate)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    ASSERT_TRUE(writeBytes(path, fixture("declaration-109-keys.dcl") +
                                     gbk("[报检信息]\n报检号=123456\n报检日期=2014-03-05\n")));
    LoadedDeclaration loaded;
    ASSERT_TRUE(readDeclaration(path, loaded, nullptr));
    EXPECT_EQ(loaded.number, "123456");
    EXPECT_EQ(loaded.date, "2014-03-05");
    EXPECT_EQ(archiveParticulars(loaded.date, loaded.number),
              "报检日期：2014-03-05  报检号：123456");
}

TEST(DeclarationRead, AnUnarchivedFileGetsNoDateKey)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    ASSERT_TRUE(writeBytes(path, fixture("declaration-109-keys.dcl")));
    LoadedDeclaration loaded;
    ASSERT_TRUE(readDeclaration(path, loaded, nullptr));
    EXPECT_EQ(readBytes(path), fixture("declaration-109-keys.dcl") + gbk("[报检信息]\n报检号=\n"));
}

TEST(DeclarationRead, AMissingFileIsRefusedAndNotCreated)
{
    TestEnv env;
    const QString path = env.path("none.dcl");
    LoadedDeclaration loaded;
    loaded.content[DeclField::ShouHuoRen] = "unchanged";
    QString error;
    EXPECT_FALSE(readDeclaration(path, loaded, &error));
    EXPECT_EQ(error, "文件不存在！");
    EXPECT_EQ(loaded.content[DeclField::ShouHuoRen], "unchanged");
    EXPECT_FALSE(QFile::exists(path));
}

// Files that are no declaration open as nothing and stay as they were: read
// as one, they would show an empty form and gain a second 报检内容 on saving.
struct Foreign {
    const char *name;
    QByteArray bytes;
    const char *reason; // part of the message the clerk reads
};

class NotADeclaration : public ::testing::TestWithParam<Foreign> {};

TEST_P(NotADeclaration, IsRefusedAndLeftUntouched)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    ASSERT_TRUE(writeBytes(path, GetParam().bytes));
    LoadedDeclaration loaded;
    loaded.content[DeclField::ShouHuoRen] = "unchanged";
    QString error;
    EXPECT_FALSE(readDeclaration(path, loaded, &error));
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().reason))) << error.toStdString();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
    EXPECT_EQ(loaded.content[DeclField::ShouHuoRen], "unchanged");
    EXPECT_EQ(readBytes(path), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, NotADeclaration,
    ::testing::Values(
        Foreign{"Utf8",
                QByteArray("[\xE6\x8A\xA5\xE6\xA3\x80\xE5\x86\x85\xE5\xAE\xB9]\r\n"
                           "\xE6\x94\xB6\xE8\xB4\xA7\xE4\xBA\xBA=A\r\n"),
                "不是报检单"},
        Foreign{"Utf8WithBom",
                QByteArray("\xEF\xBB\xBF[\xE6\x8A\xA5\xE6\xA3\x80\xE5\x86\x85\xE5\xAE\xB9]\r\n"
                           "\xE6\x94\xB6\xE8\xB4\xA7\xE4\xBA\xBA=A\r\n"),
                "UTF-8"},
        Foreign{"AnotherSettingsFile", gbk("[列表]\nS=1\n1=苏州公司\n"), "不是报检单"},
        Foreign{"Empty", QByteArray(), "不是报检单"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- bytes that are not GBK --------------------------------------------------

TEST(DeclarationFile, BytesThatAreNotGbkAreWrittenBackWhileTheFieldIsLeftAlone)
{
    TestEnv env;
    const QString path = env.path("cut.dcl");
    Declaration d;
    d[DeclField::ShouHuoRen] = "甲";
    d.at(DeclField::MingCheng, 3) = "乙";
    ASSERT_TRUE(writeDeclaration(path, d, nullptr));
    // The consignee ends in half a character; in row 4's goods name a lead
    // byte is followed by a blank instead of its second byte.
    const QByteArray cutConsignee = gbk("收货人=上海") + "\xC9";
    const QByteArray badName = gbk("货物名称3=A") + "\x81 B";
    QByteArray bytes = readBytes(path);
    bytes.replace(gbk("收货人=甲"), cutConsignee).replace(gbk("货物名称3=乙"), badName);
    ASSERT_TRUE(writeBytes(path, bytes));

    LoadedDeclaration loaded;
    QString error;
    ASSERT_TRUE(readDeclaration(path, loaded, &error)) << error.toStdString();
    ASSERT_EQ(loaded.kept.size(), 2u);
    const QString notice = keptFieldsNotice(loaded.kept);
    EXPECT_TRUE(notice.contains("“收货人”") && notice.contains("“第4行货物名称”"))
        << notice.toStdString();
    const QString printedName = QStringLiteral("x(2026-03-05 10：20：30).dcl");
    EXPECT_FALSE(storeProblem(loaded.content, loaded.kept, printedName));
    EXPECT_TRUE(storeProblem(loaded.content, printedName)) << "the text alone cannot be stored";

    const struct {
        const char *what;
        DeclField family;
        QString text;              // empty: left as loaded
        const char *refusedNaming; // nullptr: stored
    } cases[] = {
        {"left alone", DeclField::HeTongHao, {}, nullptr},
        {"another field edited", DeclField::HeTongHao, "HT1", nullptr},
        {"edited, still not GBK", DeclField::ShouHuoRen,
         loaded.content[DeclField::ShouHuoRen] + "X", "“收货人”"},
        {"replaced by GBK", DeclField::ShouHuoRen, "上海港", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Declaration edited = loaded.content;
        if (!c.text.isEmpty())
            edited[c.family] = c.text;
        const QString copy = env.path(QString::fromUtf8(c.what) + ".dcl");
        const bool written = writeDeclaration(copy, edited, loaded.kept, &error);
        if (c.refusedNaming) {
            EXPECT_FALSE(written);
            EXPECT_TRUE(error.contains(QString::fromUtf8(c.refusedNaming))) << error.toStdString();
            EXPECT_FALSE(QFile::exists(copy));
            continue;
        }
        ASSERT_TRUE(written) << error.toStdString();
        const QByteArray out = readBytes(copy);
        EXPECT_TRUE(out.contains("\r\n" + badName + "\r\n"));
        EXPECT_EQ(out.contains("\r\n" + cutConsignee + "\r\n"), c.family != DeclField::ShouHuoRen);
    }
}
