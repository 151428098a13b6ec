// portdesk --find: the matching declarations' paths for scripts, newest
// first, without a display and without writing into the work directory.
#include "support/CommandRun.h"
#include "support/MonthArchive.h"
#include "support/TestEnv.h"

#include <QDirIterator>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

// The index goes to the test's own cache folder, never the user's.
Outcome find(const TestEnv &env, const QStringList &args)
{
    QProcessEnvironment cache;
    cache.insert(QStringLiteral("XDG_CACHE_HOME"), env.root.filePath(QStringLiteral("cache")));
    return runWithoutDisplay(QStringLiteral(PORTDESK_BINARY),
                             QStringList{QStringLiteral("--find")} + args, cache);
}

QStringList workFiles(const TestEnv &env)
{
    QStringList files;
    for (QDirIterator it(env.ctx.workDir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();)
        files << it.next();
    return files;
}

TEST(FindCommand, PrintsMatchesNewestFirstAndFailsWithNone)
{
    TestEnv env;
    for (const char *month : {"2014-03", "2015-06"}) {
        ReportSources s;
        s.declaration[DeclField::ShouHuoRen] = QStringLiteral("昆山华安");
        s.number = QStringLiteral("000001");
        s.date = QString::fromLatin1(month) + QStringLiteral("-05");
        ASSERT_FALSE(
            archiveInMonth(env.ctx.workDir, QString::fromLatin1(month), QStringLiteral("a.dcl"), s)
                .isEmpty());
    }
    const QStringList before = workFiles(env);
    const QString wd = env.ctx.workDir;

    const Outcome found = find(env, {QStringLiteral("华安"), QStringLiteral("--workdir"), wd});
    EXPECT_EQ(found.code, 0) << found.err.toStdString();
    EXPECT_EQ(found.out, "Saved/Archived/2015/06/a.dcl\nSaved/Archived/2014/03/a.dcl\n");
    EXPECT_EQ(found.err, "");
    EXPECT_EQ(workFiles(env), before);

    struct Failing {
        QStringList args;
        int code;
    };
    for (const Failing &f : {Failing{{QStringLiteral("苏州"), QStringLiteral("--workdir"), wd}, 1},
                             Failing{{QStringLiteral("--workdir"), wd}, 2},
                             Failing{{QStringLiteral("a"), QStringLiteral("b")}, 2},
                             Failing{{QStringLiteral(" "), QStringLiteral("--workdir"), wd}, 2}}) {
        const Outcome o = find(env, f.args);
        EXPECT_EQ(o.code, f.code) << f.args.join(u' ').toStdString();
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
    }
}

} // namespace
