// The crash copy of the form: what it keeps, what it refuses to read back,
// and which program's copy is whose.
#include "model/RecoveryFile.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace portdesk;

namespace {

struct RoundTrip {
    const char *name;
    Recovery recovery;
};

Recovery sample(const QString &consignee, const QString &file = {})
{
    Recovery r;
    r.content[DeclField::ShouHuoRen] = consignee;
    r.time = QDateTime(QDate(2026, 3, 5), QTime(10, 20, 30, 456));
    r.file = file;
    return r;
}

std::vector<RoundTrip> roundTrips()
{
    Recovery rows = sample(QStringLiteral("上海某公司"), QStringLiteral("/w/Saved/甲.dcl"));
    rows.content.setRow(9, {QStringLiteral("棉布"), QStringLiteral("5208"), QStringLiteral("1.5")});
    rows.content[DeclField::HeTongHao] = QStringLiteral("  \"quoted\" =x\r\n;");
    Recovery kept = sample(QStringLiteral("乙"));
    const FormField &field = formFields()[std::size_t(fieldSlot(DeclField::MingCheng, 2))];
    kept.content.at(field) = QStringLiteral("ab\uFFFD");
    kept.kept[field.slot] = KeptBytes{QStringLiteral("ab\uFFFD"), QByteArray("ab\xB0", 3)};
    return {{"Empty", sample({})}, {"RowsAndOddTexts", rows}, {"KeptBytes", kept}};
}

class RecoveryRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RecoveryRoundTrip, ReadsBackWhatWasKept)
{
    const Recovery &in = GetParam().recovery;
    QString error;
    const std::optional<Recovery> out = parseRecovery(recoveryBytes(in), &error);
    ASSERT_TRUE(out) << error.toStdString();
    EXPECT_EQ(out->content, in.content);
    EXPECT_EQ(out->time, in.time);
    EXPECT_EQ(out->file, in.file);
    ASSERT_EQ(out->kept.size(), in.kept.size());
    for (const auto &[slot, k] : in.kept) {
        EXPECT_EQ(out->kept.at(slot).shown, k.shown);
        EXPECT_EQ(out->kept.at(slot).bytes, k.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Recovery, RecoveryRoundTrip, ::testing::ValuesIn(roundTrips()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(RecoveryFile, RefusesWhatIsNotAWholeCopy)
{
    const QByteArray whole = recoveryBytes(sample(QStringLiteral("甲")));
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"cut short", whole.left(whole.size() / 2)},
        {"another file", QByteArray("[报检内容]\r\nShouHuoRen=甲\r\n")},
        {"no time", QByteArray(R"({"content":{}})")},
        {"no content", QByteArray(R"({"time":"2026-03-05T10:20:30"})")},
    };
    for (const auto &c : cases) {
        QString error;
        EXPECT_FALSE(parseRecovery(c.bytes, &error)) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
    }
}

TEST(RecoveryFile, NamesItsOwnCopiesOnly)
{
    const QString own = recoveryFileName(4321, QStringLiteral("k3x9"));
    EXPECT_EQ(own, "declaration-4321-k3x9.recovery");
    EXPECT_TRUE(isRecoveryFileName(own));
    for (const char *other : {"declaration-4321-k3x9.recovery.lock", "甲.dcl",
                              "declaration-4321-k3x9.recovery.portdesk-AbC123.tmp",
                              "declaration--k3x9.recovery", "x-declaration-1-a.recovery"})
        EXPECT_FALSE(isRecoveryFileName(QString::fromUtf8(other))) << other;
    EXPECT_NE(recoveryFileName(4321, QStringLiteral("a")),
              recoveryFileName(4321, QStringLiteral("b")));
}

TEST(RecoveryFile, QuestionNamesTimeConsigneeAndFile)
{
    const QString named = recoveryQuestion(sample(QStringLiteral("上海某公司"), "/w/Saved/甲.dcl"));
    EXPECT_TRUE(named.contains(QStringLiteral("2026-03-05 10:20:30"))) << named.toStdString();
    EXPECT_TRUE(named.contains(QStringLiteral("收货人：上海某公司")));
    EXPECT_TRUE(named.contains(QStringLiteral("甲.dcl")));
    EXPECT_TRUE(recoveryQuestion(sample({})).contains(QStringLiteral("收货人：（未填写）")));
}

class RecoverySlots : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder() const { return dir.path() + "/Recovery"; }
    static QString tag(int i) { return QStringLiteral("t") + QString::number(i); }
    // A copy whose program died: its lock names a process that is gone.
    void leaveCrashedCopy(const QString &name, const Recovery &r)
    {
        QDir().mkpath(folder());
        QFile copy(folder() + '/' + name);
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write(recoveryBytes(r));
        copy.close();
        QFile lock(copy.fileName() + ".lock");
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write("2147483000\nportdesk\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
};

TEST_F(RecoverySlots, RunningProgramsKeepTheirOwnCopies)
{
    RecoverySlot first(folder(), 100, tag(1));
    RecoverySlot second(folder(), 100, tag(2));
    ASSERT_NE(first.path(), second.path());
    QString error;
    ASSERT_TRUE(first.write(sample(QStringLiteral("甲")), &error)) << error.toStdString();
    ASSERT_TRUE(second.write(sample(QStringLiteral("乙")), &error)) << error.toStdString();
    // A live program's copy is never offered to another.
    EXPECT_TRUE(first.leftovers(nullptr).empty());
    EXPECT_TRUE(second.leftovers(nullptr).empty());
    // Rewriting replaces the copy whole; no temporary is left beside it.
    ASSERT_TRUE(first.write(sample(QStringLiteral("丙")), &error));
    EXPECT_EQ(QDir(folder()).entryList({"*.tmp"}, QDir::Files).size(), 0);
    QFile f(first.path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(parseRecovery(f.readAll(), nullptr)->content[DeclField::ShouHuoRen], "丙");

    ASSERT_TRUE(first.remove(&error));
    EXPECT_FALSE(QFile::exists(first.path()));
    EXPECT_TRUE(QFile::exists(second.path()));
    EXPECT_TRUE(first.remove(&error)); // nothing left to remove is no failure
}

TEST_F(RecoverySlots, CrashedCopiesAreOfferedNewestFirstAndOnlyOnce)
{
    Recovery older = sample(QStringLiteral("旧"));
    older.time = older.time.addDays(-1);
    leaveCrashedCopy(recoveryFileName(7, "old"), older);
    leaveCrashedCopy(recoveryFileName(8, "new"), sample(QStringLiteral("新")));
    {
        // A program closed without a normal exit leaves its copy unlocked.
        RecoverySlot gone(folder(), 9, "gone");
        Recovery r = older;
        r.time = older.time.addSecs(-60);
        ASSERT_TRUE(gone.write(r, nullptr));
    }
    // Files of the clerk's or of other programs are none of ours.
    QFile stray(folder() + "/notes.recovery");
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();

    RecoverySlot me(folder(), 10, "me");
    std::vector<Leftover> offered = me.leftovers(nullptr);
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[0].recovery.content[DeclField::ShouHuoRen], "新");
    EXPECT_EQ(offered[1].recovery.content[DeclField::ShouHuoRen], "旧");
    EXPECT_TRUE(offered[2].path.endsWith(recoveryFileName(9, "gone")));

    // Another program starting meanwhile does not get them too.
    RecoverySlot other(folder(), 11, "other");
    EXPECT_TRUE(other.leftovers(nullptr).empty());

    QString error;
    ASSERT_TRUE(RecoverySlot::discard(offered[0], &error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(offered[0].path));
    offered.clear(); // the rest are released, not removed
    EXPECT_EQ(other.leftovers(nullptr).size(), 2u);
    EXPECT_TRUE(QFile::exists(folder() + "/notes.recovery"));
}

TEST_F(RecoverySlots, UnreadableCopyIsNamedAndLeftAlone)
{
    QDir().mkpath(folder());
    const QString broken = folder() + '/' + recoveryFileName(5, "cut");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"time\":");
    f.close();
    RecoverySlot me(folder(), 6, "me");
    QStringList problems;
    EXPECT_TRUE(me.leftovers(&problems).empty());
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(recoveryFileName(5, "cut")));
    EXPECT_TRUE(QFile::exists(broken));
}

TEST_F(RecoverySlots, FolderThatCannotBeMadeIsReported)
{
    QFile blocker(dir.path() + "/Recovery");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    RecoverySlot me(folder(), 1, "x");
    QString error;
    EXPECT_FALSE(me.write(sample(QStringLiteral("甲")), &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
