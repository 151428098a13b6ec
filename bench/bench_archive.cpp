// Archiving into a month folder that already holds 10,000 declarations: the
// move must not cost more because the folder is full.
#include "model/ArchiveFile.h"
#include "model/DeclarationFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace portdesk;

namespace {

void BM_Archive_IntoAFullMonth(benchmark::State &state)
{
    QTemporaryDir root;
    const QString printed = root.filePath(QStringLiteral("Printed"));
    const QString month = root.filePath(QStringLiteral("Archived/2014/03"));
    QDir().mkpath(printed);
    QDir().mkpath(month);
    Declaration d;
    d[DeclField::ShouHuoRen] = QStringLiteral("苏州精密电子有限公司");
    const QString first = printed + QStringLiteral("/first.dcl");
    writeDeclaration(first, d, nullptr);
    const QByteArray bytes = [&] {
        QFile f(first);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    for (int n = 0; n < state.range(0); ++n) {
        QFile f(
            month +
            QStringLiteral("/%1苏州精密电子有限公司(2014-03-05).dcl").arg(n, 6, 10, QChar('0')));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    int number = 900000;
    for (auto _ : state) {
        state.PauseTiming();
        const QString from = printed + QStringLiteral("/a.dcl");
        QFile::copy(first, from);
        state.ResumeTiming();
        const QString no = QString::number(number++);
        archiveDeclarationFile(
            from, month + u'/' + no + QStringLiteral("苏州精密电子有限公司(2014-03-05).dcl"), no,
            QStringLiteral("2014-03-05"), nullptr);
    }
}
BENCHMARK(BM_Archive_IntoAFullMonth)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
