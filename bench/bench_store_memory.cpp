// The store's memory against the size of the file it works on, for a large
// declaration-like file (20 MB of short key lines, 12 bytes each on
// average): the most it holds at once during one read and one write,
// reported per byte of the file.
#include "store/SettingsStore.h"
#include "support/HeapCounter.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace portdesk;

namespace {

constexpr qsizetype kFileBytes = 20 * 1024 * 1024;
constexpr int kKeysPerSection = 100;

// Sections of a hundred "K0012345=v" lines with CRLF.
QByteArray declarationLike()
{
    QByteArray bytes;
    bytes.reserve(kFileBytes + 64);
    for (int i = 0; bytes.size() < kFileBytes; ++i) {
        if (i % kKeysPerSection == 0)
            bytes += "[S" + QByteArray::number(i / kKeysPerSection) + "]\r\n";
        bytes += 'K' + QByteArray::number(i).rightJustified(7, '0') + "=v\r\n";
    }
    return bytes;
}

struct LargeFile {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("large.dcl"));
    qsizetype size = 0;

    LargeFile()
    {
        const QByteArray bytes = declarationLike();
        size = bytes.size();
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            size = 0;
    }
};

// Runs `op` once per iteration and reports the highest heap it held above
// what was in use before, per byte of the file.
template <typename Op> void perFileByte(benchmark::State &state, const LargeFile &file, Op op)
{
    if (file.size == 0) {
        state.SkipWithError("could not write the file");
        return;
    }
    double worst = 0;
    for (auto _ : state) {
        const std::size_t before = test::heapInUse();
        test::resetHeapPeak();
        if (!op())
            state.SkipWithError("the store failed");
        worst = std::max(worst, double(test::heapPeak() - before) / double(file.size));
    }
    state.counters["peak_bytes_per_file_byte"] = worst;
    state.SetBytesProcessed(state.iterations() * file.size);
}

void BM_StoreMemory_Read20MB(benchmark::State &state)
{
    const LargeFile file;
    // A key of the middle section, present: nothing is written back.
    perFileByte(state, file, [&] {
        return ReadKey(file.path, QStringLiteral("S8000"), QStringLiteral("K0800050"), QString()) ==
               QLatin1String("v");
    });
}
BENCHMARK(BM_StoreMemory_Read20MB)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_StoreMemory_Write20MB(benchmark::State &state)
{
    const LargeFile file;
    int round = 0;
    perFileByte(state, file, [&] {
        return WriteKey(file.path, QStringLiteral("S8000"), QStringLiteral("K0800050"),
                        QString::number(round++));
    });
}
BENCHMARK(BM_StoreMemory_Write20MB)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
