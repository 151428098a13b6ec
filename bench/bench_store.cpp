// Settings store speed on a declaration-sized file (109 keys in 报检内容):
// key by key, where every call reads and replaces the whole file, against
// one batch that reads it once and writes it once; and the cost of the lock
// that every save of a shared file takes.
// The program's main() comes from another file of this folder.
#include "model/FormSchema.h"
#include "store/Gbk.h"
#include "store/ProfileFile.h"
#include "store/ProfileLock.h"
#include "store/SettingsStore.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <optional>
#include <utility>
#include <vector>

using namespace portdesk;

namespace {

const QString kSection = QStringLiteral("报检内容");

std::vector<std::pair<QString, QString>> declarationPairs(int round)
{
    QStringList keys;
    for (const FormField &f : formFields())
        keys << f.key;
    std::vector<std::pair<QString, QString>> pairs;
    int i = 0;
    for (const QString &k : keys)
        pairs.emplace_back(k, QStringLiteral("苏州精密电子零件%1-%2").arg(i++).arg(round));
    return pairs;
}

// Writing over an existing declaration, as a save does: every value changes.
void BM_Store_Write109_KeyByKey(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.dcl"));
    int round = 0;
    for (auto _ : state) {
        for (const auto &[key, value] : declarationPairs(round++)) {
            if (!WriteKey(file, kSection, key, value))
                state.SkipWithError("write failed");
        }
    }
    state.SetItemsProcessed(state.iterations() * 109);
}
BENCHMARK(BM_Store_Write109_KeyByKey)->Unit(benchmark::kMillisecond);

void BM_Store_Write109_Batch(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.dcl"));
    int round = 0;
    for (auto _ : state) {
        ProfileBatch batch(file);
        for (const auto &[key, value] : declarationPairs(round++)) {
            if (!batch.WriteKey(kSection, key, value))
                state.SkipWithError("write failed");
        }
        if (!batch.save())
            state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * 109);
}
BENCHMARK(BM_Store_Write109_Batch)->Unit(benchmark::kMillisecond);

// Reading a stored declaration: nothing is missing, so nothing is written.
void BM_Store_Read109_KeyByKey(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.dcl"));
    const auto pairs = declarationPairs(0);
    {
        ProfileBatch batch(file);
        for (const auto &[key, value] : pairs)
            batch.WriteKey(kSection, key, value);
        batch.save();
    }
    for (auto _ : state) {
        for (const auto &[key, value] : pairs) {
            const QString v = ReadKey(file, kSection, key, QString());
            if (v != value)
                state.SkipWithError("wrong value");
            benchmark::DoNotOptimize(v);
        }
    }
    state.SetItemsProcessed(state.iterations() * 109);
}
BENCHMARK(BM_Store_Read109_KeyByKey)->Unit(benchmark::kMillisecond);

void BM_Store_Read109_Batch(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.dcl"));
    const auto pairs = declarationPairs(0);
    {
        ProfileBatch batch(file);
        for (const auto &[key, value] : pairs)
            batch.WriteKey(kSection, key, value);
        batch.save();
    }
    for (auto _ : state) {
        ProfileBatch batch(file);
        for (const auto &[key, value] : pairs) {
            const QString v = batch.ReadKey(kSection, key, QString());
            if (v != value)
                state.SkipWithError("wrong value");
            benchmark::DoNotOptimize(v);
        }
    }
    state.SetItemsProcessed(state.iterations() * 109);
}
BENCHMARK(BM_Store_Read109_Batch)->Unit(benchmark::kMillisecond);

// One save of a changed declaration as the store makes it under the lock (read
// the file again, make the changes, replace it), against the same without
// the lock. Values are GBK already: only the save itself is measured.
template <bool Locked> void saveDeclaration(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.dcl"));
    // Neighbours: a save must cost the same in a folder of thousands.
    for (int i = 0; i < state.range(0); ++i) {
        QFile other(dir.filePath(QStringLiteral("b%1.dcl").arg(i)));
        if (!other.open(QIODevice::WriteOnly))
            state.SkipWithError("folder");
    }
    const QByteArray section = *toGbk(kSection);
    std::vector<std::vector<std::pair<QByteArray, QByteArray>>> rounds;
    for (int r = 0; r < 2; ++r) {
        rounds.emplace_back();
        for (const auto &[key, value] : declarationPairs(r))
            rounds.back().emplace_back(*toGbk(key), *toGbk(value));
    }
    int round = 0;
    for (auto _ : state) {
        std::optional<ProfileLock> lock;
        if constexpr (Locked) {
            lock.emplace(file);
            if (!lock->acquire(nullptr))
                state.SkipWithError("lock failed");
        }
        LoadedProfile l = loadProfile(file);
        for (const auto &[key, value] : rounds[size_t(round++ % 2)])
            l.doc.setValue(section, key, value);
        if (!replaceProfile(file, l.doc.serialize(), nullptr))
            state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Store_Save109_Unlocked(benchmark::State &state)
{
    saveDeclaration<false>(state);
}
BENCHMARK(BM_Store_Save109_Unlocked)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Store_Save109_Locked(benchmark::State &state)
{
    saveDeclaration<true>(state);
}
BENCHMARK(BM_Store_Save109_Locked)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
