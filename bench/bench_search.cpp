// The search over a work directory of 100,000 archived declarations, 17
// years of a busy office: indexing them the first time, then each search
// with and without the look for files changed since.
#include "model/ArchivePlan.h"
#include "model/DeclarationFile.h"
#include "model/DeclarationIndex.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

using namespace portdesk;

namespace {

constexpr int kDeclarations = 100000;

const QStringList &consignees()
{
    static const QStringList names = {
        QStringLiteral("苏州精密电子有限公司"),   QStringLiteral("昆山华安机械有限公司"),
        QStringLiteral("无锡新材料科技有限公司"), QStringLiteral("ACME Trading Co., Ltd."),
        QStringLiteral("常州恒通化工有限公司"),   QStringLiteral("南通远洋食品有限公司")};
    return names;
}

// Built once for every benchmark of this file: writing and indexing
// 100,000 files takes minutes.
struct Archive {
    QTemporaryDir root;
    QString workDir, cacheFile;
    double indexSeconds = 0;

    Archive()
    {
        workDir = root.filePath(QStringLiteral("work"));
        cacheFile = root.filePath(QStringLiteral("cache/search.sqlite"));
        Declaration d;
        d[DeclField::ShouHuoRen] = QStringLiteral("@CONSIGNEE@");
        d[DeclField::TiYunDanHao] = QStringLiteral("@BILL@");
        d[DeclField::HeTongHao] = QStringLiteral("@CONTRACT@");
        d[DeclField::JZXsl1] = QStringLiteral("2");
        d[DeclField::JZXhm1] = QStringLiteral("@BOX@");
        for (int row = 0; row < 3; ++row) {
            d.at(DeclField::MingCheng, row) = QStringLiteral("模具配件%1").arg(row);
            d.at(DeclField::BianMa, row) = QStringLiteral("848071009%1").arg(row);
            d.at(DeclField::ZongZhi, row) = QStringLiteral("1200.5");
            d.at(DeclField::BiZhi, row) = QStringLiteral("美元");
        }
        QDir().mkpath(workDir);
        const QString first = workDir + QStringLiteral("/template");
        writeDeclaration(first, d, nullptr);
        const QByteArray bytes = test::readBytes(first);
        QFile::remove(first);
        for (int n = 0; n < kDeclarations; ++n) {
            const QDate day = QDate(2009, 1, 1).addDays(n * 6200 / kDeclarations);
            const QString number = QStringLiteral("%1").arg(n, 6, 10, QChar(u'0'));
            const QString date = declarationDateText(day);
            const QString consignee = consignees()[n % consignees().size()];
            QByteArray file = bytes;
            file.replace("@CONSIGNEE@", test::gbk(consignee).chopped(2))
                .replace("@BILL@", QStringLiteral("COSU%1")
                                       .arg(n * 7919 % 10000000, 7, 10, QChar(u'0'))
                                       .toLatin1())
                .replace("@CONTRACT@", QStringLiteral("HT-%1").arg(n).toLatin1())
                .replace(
                    "@BOX@",
                    QStringLiteral("TGHU%1").arg(n * 31 % 10000000, 7, 10, QChar(u'0')).toLatin1());
            file +=
                test::gbk(QStringLiteral("[报检信息]\n报检号=%1\n报检日期=%2\n").arg(number, date));
            const QString folder = archiveFolder(workDir, day);
            if (n == 0 || day.day() == 1 || day.month() != day.addDays(-1).month())
                QDir().mkpath(folder);
            test::writeBytes(folder + u'/' + archiveFileName(number, consignee, day), file);
        }
        QElapsedTimer timer;
        timer.start();
        DeclarationIndex index(workDir, cacheFile);
        QString error;
        if (!index.open(&error) || !index.refresh([](std::size_t, std::size_t) {}, &error))
            qFatal("indexing failed: %s", qPrintable(error));
        indexSeconds = double(timer.elapsed()) / 1000;
    }
};

Archive &archive()
{
    static Archive a;
    return a;
}

void BM_Search_FirstIndexing(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(archive().indexSeconds);
    state.counters["files"] = kDeclarations;
}
BENCHMARK(BM_Search_FirstIndexing)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

// What a search shows at once: the index's matches, each file looked at.
void BM_Search_Find(benchmark::State &state, const char *query)
{
    DeclarationIndex index(archive().workDir, archive().cacheFile);
    QString error;
    index.open(&error);
    std::size_t found = 0;
    for (auto _ : state)
        found = index.find(QString::fromUtf8(query), 500, &error).size();
    state.counters["found"] = double(found);
}
BENCHMARK_CAPTURE(BM_Search_Find, BillOfLading, "cosu00791")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_Find, Number, "012345")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_Find, TwoChineseCharacters, "华安")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_Find, Nothing, "ZZZZ999")->Unit(benchmark::kMillisecond);

// The look at every file for ones added, changed or deleted since, then
// the search: what --find does each time.
void BM_Search_CheckAndFind(benchmark::State &state)
{
    DeclarationIndex index(archive().workDir, archive().cacheFile);
    QString error;
    index.open(&error);
    for (auto _ : state) {
        index.refresh([](std::size_t, std::size_t) {}, &error);
        benchmark::DoNotOptimize(index.find(QStringLiteral("cosu00791"), 500, &error));
    }
}
BENCHMARK(BM_Search_CheckAndFind)->Unit(benchmark::kMillisecond);

// Opening the cache: what a new program (or --find) pays before its first search.
void BM_Search_Open(benchmark::State &state)
{
    archive();
    QString error;
    for (auto _ : state) {
        DeclarationIndex index(archive().workDir, archive().cacheFile);
        index.open(&error);
    }
}
BENCHMARK(BM_Search_Open)->Unit(benchmark::kMillisecond);

} // namespace
