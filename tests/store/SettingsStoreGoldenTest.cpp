// Files the Windows profile functions wrote for known calls: the store must
// write the same bytes for the same calls, one by one and in a batch, and
// read those files back to the values written.
#include "store/SettingsStore.h"
#include "support/TestEnv.h"
#include "support/TestNames.h"

#include <QFile>
#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace portdesk;
using portdesk::test::fixture;
using portdesk::test::readBytes;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

struct Call {
    bool write; // false: delete the key
    QString section;
    QString key;
    QString value;
};

Call W(const char *s, const char *k, const char *v)
{
    return {true, QString::fromUtf8(s), QString::fromUtf8(k), QString::fromUtf8(v)};
}
Call D(const char *s, const char *k)
{
    return {false, QString::fromUtf8(s), QString::fromUtf8(k), {}};
}

std::vector<Call> declarationCalls()
{
    const std::map<QString, QString> filled = {
        {"收货人", "昆山华安"},
        {"货物名称0", "模具配件"},
        {"编码0", "8480719090"},
        {"原产国0", "德国"},
        {"数量0", "2"},
        {"数量单位0", "台"},
        {"重量0", "150"},
        {"重量单位0", "千克"},
        {"总值0", "8000"},
        {"币制0", "欧元"},
        {"包装种类1", "木箱"},
        {"包装数量1", "2"},
        {"件数", "2"},
        {"公斤", "180"},
        {"运输工具", "飞机"},
        {"提运单号", "176-12345675"},
        {"启运国家", "德国"},
        {"入境口岸", "上海"},
        {"贸易方式", "一般贸易"},
        {"贸易国别", "德国"},
    };
    QStringList keys{"收货人"};
    const QStringList row{"货物名称", "编码",     "原产国", "数量", "数量单位",
                          "重量",     "重量单位", "总值",   "币制"};
    for (int i = 0; i < 10; ++i) {
        for (const QString &k : row)
            keys << k + QString::number(i);
    }
    keys += QStringList{"包装种类1",   "包装数量1",   "包装种类2",  "包装数量2", "件数",
                        "公斤",        "运输工具",    "提运单号",   "启运国家",  "入境口岸",
                        "合同号",      "贸易方式",    "贸易国别",   "许可审批",  "集装箱数量1",
                        "集装箱号码1", "集装箱数量2", "集装箱号码2"};
    std::vector<Call> calls;
    for (const QString &k : keys) {
        auto it = filled.find(k);
        calls.push_back({true, "报检内容", k, it == filled.end() ? QString() : it->second});
    }
    return calls;
}

struct Golden {
    const char *file;
    std::vector<Call> calls;
};

std::vector<Golden> goldens()
{
    return {
        {"three-keys.ini",
         {W("Main", "Key1", "one"), W("Main", "Key2", "two"), W("Main", "Key3", "three")}},
        {"second-section.ini",
         {W("Main", "Key1", "one"), W("Main", "Key2", "two"), W("Second", "K1", "s1")}},
        {"key-into-first-section.ini",
         {W("Main", "Key1", "one"), W("Second", "K1", "s1"), W("main", "Key2", "two")}},
        {"overwrite-keeps-spelling.ini",
         {W("Main", "Key1", "one"), W("Main", "Key2", "two"), W("MAIN", "KEY2", "TWO")}},
        {"delete-last-key-keeps-header.ini", {W("A", "k", "1"), W("B", "k", "2"), D("B", "k")}},
        {"gbk-names-and-empty-value.ini",
         {W("报检内容", "收货人", "苏州精密电子"), W("报检内容", "货物名称0", ""),
          W("报检信息", "报检号", "123456"), W("报检内容", "编码0", "8708999990")}},
        {"leading-blanks-dropped.ini", {W("S", "a", "  lead"), W("S", "b", "trail  ")}},
        {"declaration-109-keys.dcl", declarationCalls()},
    };
}

class GoldenFiles : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenFiles, CallsOneByOneWriteTheSameBytes)
{
    TestEnv env;
    const QString file = env.path("out.ini");
    for (const Call &c : GetParam().calls) {
        QString error;
        const bool ok = c.write ? WriteKey(file, c.section, c.key, c.value, &error)
                                : DeleteKey(file, c.section, c.key, &error);
        ASSERT_TRUE(ok) << error.toStdString();
    }
    EXPECT_EQ(readBytes(file), fixture(GetParam().file));
}

TEST_P(GoldenFiles, OneBatchWritesTheSameBytes)
{
    TestEnv env;
    const QString file = env.path("out.ini");
    ProfileBatch batch(file);
    for (const Call &c : GetParam().calls) {
        ASSERT_TRUE(c.write ? batch.WriteKey(c.section, c.key, c.value)
                            : batch.DeleteKey(c.section, c.key));
    }
    EXPECT_FALSE(QFile::exists(file)) << "a batch writes only when saved";
    ASSERT_TRUE(batch.save());
    EXPECT_EQ(readBytes(file), fixture(GetParam().file));
}

TEST_P(GoldenFiles, ReadsBackTheValuesWrittenAndLeavesTheFileAlone)
{
    TestEnv env;
    const QString file = env.path("in.ini");
    const QByteArray original = fixture(GetParam().file);
    ASSERT_FALSE(original.isEmpty());
    ASSERT_TRUE(writeBytes(file, original));

    // The last call on each key decides what it holds.
    std::map<std::pair<QString, QString>, std::optional<QString>> last;
    for (const Call &c : GetParam().calls) {
        last[{c.section.toLower(), c.key.toLower()}] =
            c.write ? std::optional<QString>(c.value.trimmed()) : std::nullopt;
    }
    for (const auto &[names, value] : last) {
        if (!value)
            continue;
        EXPECT_EQ(ReadKey(file, names.first, names.second, ""), *value)
            << names.first.toStdString() << "/" << names.second.toStdString();
    }
    EXPECT_EQ(readBytes(file), original) << "reading present keys must not write";
}

INSTANTIATE_TEST_SUITE_P(Windows, GoldenFiles, ::testing::ValuesIn(goldens()),
                         [](const auto &info) {
                             return portdesk::test::testName(info.param.file);
                         });

TEST(GoldenFiles, DeletedKeyIsGoneButItsSectionStays)
{
    TestEnv env;
    const QString file = env.path("in.ini");
    ASSERT_TRUE(writeBytes(file, fixture("delete-last-key-keeps-header.ini")));
    ProfileBatch batch(file);
    EXPECT_EQ(batch.ReadKey("B", "k", "gone"), "gone");
    EXPECT_EQ(batch.ReadKey("A", "k", "gone"), "1");
}

} // namespace
