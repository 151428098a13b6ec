// The list file and the stash: content and order, the day's numbering, two
// desks archiving at once, loading that completes a short file once, the
// stash's 90 keys, and failures that are reported instead of hidden.
#include "model/ListFile.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"
#include "support/TestNames.h"

#include <QDir>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

const QDate kDay(2014, 3, 7);

// A row whose texts name its desk and row, so that each file tells who made it.
ListRow ticket(const QString &tag, int row)
{
    ListRow r;
    for (int f = 0; f < kListFields; ++f)
        r[std::size_t(f)] = QStringLiteral("%1%2-%3").arg(tag).arg(row).arg(f);
    r[std::size_t(ListField::BaoZhuang)] = QStringLiteral("纸箱");
    r[std::size_t(ListField::YunShuFangShi)] = QStringLiteral("空运");
    return r;
}

ListRecord listOf(int tickets, const QString &tag = QStringLiteral("x"))
{
    ListRecord list;
    list.date = QStringLiteral("2014-03-05");
    for (int r = 0; r < tickets; ++r)
        list.rows[std::size_t(r)] = ticket(tag, r);
    return list;
}

QString folder(const TestEnv &env)
{
    return env.path(QStringLiteral("Saved/QingDan/2014/03"));
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

int keysInSection(const QByteArray &bytes, const QString &section)
{
    const QList<QByteArray> lines = bytes.split('\n');
    const QByteArray header = gbk(QStringLiteral("[") + section + QStringLiteral("]")).trimmed();
    int keys = 0;
    bool inside = false;
    for (const QByteArray &line : lines) {
        const QByteArray l = line.trimmed();
        if (l.startsWith('['))
            inside = l == header;
        else if (inside && l.contains('='))
            ++keys;
    }
    return keys;
}

} // namespace

TEST(ListFile, HoldsDateThenCountThenTheLeadingTicketsOnly)
{
    TestEnv env;
    ListRecord list = listOf(3);
    list.rows[4] = ticket(QStringLiteral("after"), 4); // after the gap: not a ticket
    list.at(1, ListField::PinMing) = QStringLiteral("\"引号\"");
    QString error;
    const std::optional<SavedList> saved = saveListFile(env.ctx.workDir, list, kDay, &error);
    ASSERT_TRUE(saved) << error.toStdString();
    EXPECT_EQ(saved->path, folder(env) + QStringLiteral("/2014.03.07(1).dcq"));
    EXPECT_EQ(saved->count, 3);

    QString expected = QStringLiteral("[申报信息]\n日期=2014-03-05\n票数=3\n[清单报检]\n");
    for (int r = 0; r < 3; ++r) {
        for (int f = 0; f < kListFields; ++f) {
            const QString value = r == 1 && ListField(f) == ListField::PinMing
                                      ? QStringLiteral("\"\"引号\"\"")
                                      : list.at(r, ListField(f));
            expected += listKey(ListField(f), r) + u'=' + value + u'\n';
        }
    }
    EXPECT_EQ(readBytes(saved->path), gbk(expected));

    ListRecord back;
    ASSERT_EQ(loadListFile(saved->path, back, &error), ListLoad::Loaded) << error.toStdString();
    ListRecord stored = listOf(3);
    stored.at(1, ListField::PinMing) = QStringLiteral("\"引号\"");
    stored.count = QStringLiteral("3");
    EXPECT_EQ(back, stored);
}

namespace {

struct NumberingCase {
    const char *name;
    std::vector<int> taken; // numbers of the day already stored
    int expected;
    const char *root = "QingDan";
};

class ListNumbering : public ::testing::TestWithParam<NumberingCase> {};

} // namespace

TEST_P(ListNumbering, TakesTheFirstFreeNumberAndReplacesNothing)
{
    TestEnv env;
    const NumberingCase &c = GetParam();
    const QString dir = env.path(QStringLiteral("Saved/%1/2014/03").arg(QLatin1String(c.root)));
    ASSERT_TRUE(QDir().mkpath(dir));
    for (int n : c.taken)
        ASSERT_TRUE(writeBytes(dir + u'/' + listFileName(kDay, n), QByteArray::number(n)));
    QString error;
    const std::optional<SavedList> saved = saveListFile(env.ctx.workDir, listOf(1), kDay, &error);
    ASSERT_TRUE(saved) << error.toStdString();
    EXPECT_EQ(saved->path, dir + u'/' + listFileName(kDay, c.expected));
    for (int n : c.taken)
        EXPECT_EQ(readBytes(dir + u'/' + listFileName(kDay, n)), QByteArray::number(n));
    EXPECT_EQ(filesIn(dir).size(), qsizetype(c.taken.size() + 1));
}

INSTANTIATE_TEST_SUITE_P(
    List, ListNumbering,
    ::testing::Values(NumberingCase{"first", {}, 1}, NumberingCase{"second", {1}, 2},
                      NumberingCase{"third", {1, 2}, 3}, NumberingCase{"gap", {1, 3}, 2},
                      NumberingCase{"tenth", {1, 2, 3, 4, 5, 6, 7, 8, 9}, 10},
                      NumberingCase{"eleventh", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 11},
                      NumberingCase{"lowerCaseRoot", {1}, 2, "qingdan"}),
    [](const auto &info) { return testName(info.param.name); });

TEST(ListFile, TwoDesksArchivingAtOnceNeverShareAName)
{
    TestEnv env;
    constexpr int perDesk = 12;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    const QString desk = child == 0 ? QStringLiteral("child") : QStringLiteral("parent");
    bool ok = true;
    for (int n = 0; n < perDesk; ++n)
        ok = saveListFile(env.ctx.workDir, listOf(2, desk), kDay, nullptr).has_value() && ok;
    if (child == 0)
        ::_exit(ok ? 0 : 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const QStringList files = filesIn(folder(env));
    ASSERT_EQ(files.size(), 2 * perDesk);
    QMap<QString, int> byDesk;
    for (const QString &name : files) {
        ListRecord list;
        ASSERT_EQ(loadListFile(folder(env) + u'/' + name, list, nullptr), ListLoad::Loaded);
        ++byDesk[list.at(0, ListField::BianHao).section(u'0', 0, 0)];
    }
    EXPECT_EQ(byDesk.value(QStringLiteral("child")), perDesk);
    EXPECT_EQ(byDesk.value(QStringLiteral("parent")), perDesk);
}

TEST(ListFile, RefusalsWriteNothingAndSayWhy)
{
    struct Case {
        const char *name;
        std::function<void(ListRecord &, TestEnv &)> spoil;
        const char *message; // part of the reason
    };
    const std::vector<Case> cases{
        {"empty", [](ListRecord &l, TestEnv &) { l = ListRecord{}; }, "无内容！"},
        {"lineBreak",
         [](ListRecord &l, TestEnv &) { l.at(1, ListField::HuoZhu) = QStringLiteral("a\nb"); },
         "货主"},
        {"notGbk",
         [](ListRecord &l, TestEnv &) {
             l.at(0, ListField::PinMing) = QStringLiteral("\U0001F600");
         },
         "品名"},
        {"savedIsAFile",
         [](ListRecord &, TestEnv &env) { writeBytes(env.path(QStringLiteral("Saved")), "x"); },
         "Saved"},
    };
    for (const Case &c : cases) {
        TestEnv env;
        ListRecord list = listOf(2);
        c.spoil(list, env);
        QString error;
        EXPECT_FALSE(saveListFile(env.ctx.workDir, list, kDay, &error)) << c.name;
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message))) << c.name << error.toStdString();
        EXPECT_TRUE(filesIn(folder(env)).isEmpty()) << c.name;
    }
}

TEST(ListFile, LoadingAShortFileCompletesItOnce)
{
    TestEnv env;
    const std::optional<SavedList> saved = saveListFile(env.ctx.workDir, listOf(2), kDay, nullptr);
    ASSERT_TRUE(saved);
    // Without its count too, as a hand-edited file may be.
    ASSERT_TRUE(DeleteKey(saved->path, listInfoSection(), QStringLiteral("票数")));
    ListRecord list;
    QString error;
    ASSERT_EQ(loadListFile(saved->path, list, &error), ListLoad::Loaded) << error.toStdString();
    EXPECT_EQ(list.filledRows(), 2);
    EXPECT_EQ(list.count, QString());
    const QByteArray completed = readBytes(saved->path);
    EXPECT_EQ(keysInSection(completed, listRowsSection()), kListRows * kListFields);
    EXPECT_EQ(keysInSection(completed, listInfoSection()), 2);

    ListRecord again;
    ASSERT_EQ(loadListFile(saved->path, again, &error), ListLoad::Loaded);
    EXPECT_EQ(again, list);
    EXPECT_EQ(readBytes(saved->path), completed);

    EXPECT_EQ(loadListFile(saved->path + QStringLiteral("x"), list, &error), ListLoad::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(again, list); // a failed load leaves the list alone
}

TEST(ListStash, HoldsAllNinetyKeysAndComesBack)
{
    TestEnv env;
    ASSERT_TRUE(QDir().mkpath(env.ctx.configDir()));
    const QString ini = env.ctx.configIni();
    ASSERT_TRUE(
        WriteKey(ini, QStringLiteral("Office"), QStringLiteral("Name"), QStringLiteral("A")));
    ListRecord typed = listOf(2);
    typed.at(5, ListField::HuoZhu) = QStringLiteral("未完"); // typed beyond the tickets
    QString error;
    ASSERT_TRUE(stashRows(ini, typed, &error)) << error.toStdString();
    EXPECT_EQ(keysInSection(readBytes(ini), listRowsSection()), kListRows * kListFields);
    EXPECT_EQ(keysInSection(readBytes(ini), listInfoSection()), 0);

    ListRecord restored;
    restored.date = QStringLiteral("2026-12-08");
    ASSERT_EQ(restoreStash(ini, restored, &error), ListLoad::Loaded);
    EXPECT_EQ(restored.rows, typed.rows);
    EXPECT_EQ(restored.date, QStringLiteral("2026-12-08"));

    ASSERT_TRUE(clearStash(ini, &error)) << error.toStdString();
    EXPECT_EQ(keysInSection(readBytes(ini), listRowsSection()), 0);
    EXPECT_EQ(ReadKey(ini, QStringLiteral("Office"), QStringLiteral("Name"), QString()),
              QStringLiteral("A"));

    // The next opening puts the 90 keys back, empty.
    ASSERT_EQ(restoreStash(ini, restored, &error), ListLoad::Loaded);
    EXPECT_EQ(restored.rows, ListRecord{}.rows);
    EXPECT_EQ(keysInSection(readBytes(ini), listRowsSection()), kListRows * kListFields);
}

TEST(ListStash, FailuresAreReported)
{
    TestEnv env; // no Config folder: nothing can be written there
    const QString ini = env.ctx.configIni();
    QString error;
    EXPECT_FALSE(stashRows(ini, listOf(1), &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    ListRecord list = listOf(1);
    EXPECT_EQ(restoreStash(ini, list, &error), ListLoad::Incomplete);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(list.rows, ListRecord{}.rows);

    ASSERT_TRUE(QDir().mkpath(env.ctx.configDir()));
    ListRecord bad = listOf(1);
    bad.at(3, ListField::TiDanHao) = QStringLiteral("a\rb");
    error.clear();
    EXPECT_FALSE(stashRows(ini, bad, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("提运分单号"))) << error.toStdString();
    EXPECT_TRUE(readBytes(ini).isEmpty());
}
