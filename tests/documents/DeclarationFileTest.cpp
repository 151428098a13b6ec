// The declaration file: the key table, the writer and the reader.
#include "documents/DeclarationFile.h"
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
    d.ShouHuoRen = "昆山华安";
    GoodsRow &r = d.rows[0];
    r.MingCheng = "模具配件";
    r.BianMa = "8480719090";
    r.YuanChanGuo = "德国";
    r.ShuLiang = "2";
    r.SLdanwei = "台";
    r.ZhongLiang = "150";
    r.ZLdanwei = "千克";
    r.ZongZhi = "8000";
    r.BiZhi = "欧元";
    d.packing[0].BZzhonglei = "木箱";
    d.packing[0].BZshuliang = "2";
    d.JianShu = "2";
    d.GongJin = "180";
    d.YunShuGongJu = "飞机";
    d.TiYunDanHao = "176-12345675";
    d.QiYunGuoJia = "德国";
    d.RuJingKouAn = "上海";
    d.MaoYiFangShi = "一般贸易";
    d.MaoYiGuoBie = "德国";
    return d;
}

// Every field a different value, so a field stored under another key shows.
Declaration distinctDeclaration()
{
    Declaration d;
    int i = 0;
    for (const DeclarationField &f : declarationFields())
        f.in(d) = QStringLiteral("值%1").arg(i++);
    return d;
}

} // namespace

// --- the key table ----------------------------------------------------------

TEST(DeclarationKeys, AreThe109KeysOfTheGoldenFileInItsOrder)
{
    QStringList keys;
    for (const DeclarationField &f : declarationFields())
        keys << f.key;
    EXPECT_EQ(keys.size(), 109);
    EXPECT_EQ(keys, fixtureKeys());
}

TEST(DeclarationKeys, NameTheControlThatShowsThem)
{
    const std::pair<const char *, const char *> expected[] = {
        {"收货人", "ShouHuoRen"},
        {"货物名称0", "MingCheng(0)"},
        {"编码0", "BianMa(0)"},
        {"原产国4", "YuanChanGuo(4)"},
        {"数量5", "ShuLiang(5)"},
        {"数量单位6", "SLdanwei(6)"},
        {"重量7", "ZhongLiang(7)"},
        {"重量单位8", "ZLdanwei(8)"},
        {"总值9", "ZongZhi(9)"},
        {"币制9", "BiZhi(9)"},
        {"包装种类1", "BZzhonglei(0)"},
        {"包装数量1", "BZshuliang(0)"},
        {"包装种类2", "BZzhonglei(1)"},
        {"包装数量2", "BZshuliang(1)"},
        {"件数", "JianShu"},
        {"公斤", "GongJin"},
        {"运输工具", "YunShuGongJu"},
        {"提运单号", "TiYunDanHao"},
        {"启运国家", "QiYunGuoJia"},
        {"入境口岸", "RuJingKouAn"},
        {"合同号", "HeTongHao"},
        {"贸易方式", "MaoYiFangShi"},
        {"贸易国别", "MaoYiGuoBie"},
        {"许可审批", "XuKeZheng"},
        {"集装箱数量1", "JZXsl1"},
        {"集装箱号码1", "JZXhm1"},
        {"集装箱数量2", "JZXsl2"},
        {"集装箱号码2", "JZXhm2"},
    };
    for (const auto &[key, control] : expected) {
        const auto &fields = declarationFields();
        auto it = std::find_if(fields.begin(), fields.end(),
                               [&](const DeclarationField &f) { return f.key == key; });
        ASSERT_NE(it, fields.end()) << key;
        EXPECT_EQ(it->control, QString::fromUtf8(control)) << key;
    }
}

TEST(DeclarationKeys, EachKeyHasItsOwnControlAndItsOwnPlaceInTheValue)
{
    QSet<QString> controls;
    for (const DeclarationField &f : declarationFields())
        controls.insert(f.control);
    EXPECT_EQ(controls.size(), 109);

    const Declaration d = distinctDeclaration();
    QSet<QString> values;
    for (const DeclarationField &f : declarationFields())
        values.insert(f.in(d));
    EXPECT_EQ(values.size(), 109) << "two keys share one member";
    EXPECT_EQ(d.rows[9].BiZhi, "值90"); // 1 + 9 rows × 9 + 8
    EXPECT_EQ(d.JZXhm2, "值108");
}

TEST(DeclarationKeys, RowDigitsStopAtNine)
{
    for (const DeclarationField &f : declarationFields())
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
    d.ShouHuoRen = "上海某公司";
    ASSERT_TRUE(writeDeclaration(path, d, nullptr));
    QString expected = "[报检内容]\n收货人=上海某公司\n";
    for (const DeclarationField &f : declarationFields()) {
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
    d.rows[3].MingCheng = QString::fromUtf8("零件\xF0\x9F\x98\x80"); // an emoji
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
    for (const DeclarationField &f : declarationFields())
        EXPECT_EQ(f.in(loaded.content), f.in(d)) << f.key.toStdString();
}

TEST(DeclarationRead, ValuesInQuotesComeBackAsTyped)
{
    TestEnv env;
    const QString path = env.path("a.dcl");
    Declaration d;
    d.ShouHuoRen = "\"ABC\"";
    d.HeTongHao = "'HT1'";
    d.rows[0].MingCheng = "\"阀门\"";
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
    EXPECT_EQ(loaded.content.ShouHuoRen, "甲公司");
    EXPECT_EQ(loaded.content.JianShu, "3");
    EXPECT_TRUE(loaded.content.rows[0].MingCheng.isEmpty());

    // The missing keys go after the last key of their section, in table order.
    QString expected = "[报检内容]\n收货人=甲公司\n件数=3\n";
    for (const DeclarationField &f : declarationFields()) {
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
    loaded.content.ShouHuoRen = "unchanged";
    QString error;
    EXPECT_FALSE(readDeclaration(path, loaded, &error));
    EXPECT_EQ(error, "文件不存在！");
    EXPECT_EQ(loaded.content.ShouHuoRen, "unchanged");
    EXPECT_FALSE(QFile::exists(path));
}
