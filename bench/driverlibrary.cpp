// A library of 10,000 drivers must load, filter and fill the pick list
// without a pause the user can see.
#include "core/driverlibrary.h"
#include "ui/driverdialogs.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kDrivers = 10000;

QVector<DriverRecord> manyDrivers()
{
    QVector<DriverRecord> drivers;
    for (int i = 0; i < kDrivers; ++i) {
        DriverRecord record;
        record.name = QStringLiteral("Woofer %1").arg(i, 5, 10, QLatin1Char('0'));
        record.manufacturer = QStringLiteral("Maker %1").arg(i % 97);
        record.model = QStringLiteral("M-%1").arg(i);
        record.fs = 20 + i % 40;
        record.qts = 0.2 + (i % 30) / 100.0;
        record.vas = 0.5 + (i % 50) / 10.0;
        record.qes = 0.4;
        record.qms = 4.5;
        record.re = 6.2;
        record.le = 0.8;
        record.vd = 1.6;
        record.note = QStringLiteral("measured in a closed test box");
        drivers.append(record);
    }
    return drivers;
}

// A folder with the library file and a CSV export of the same drivers.
struct LibraryFiles {
    QTemporaryDir folder;
    QString library = folder.filePath(QStringLiteral("drivers.json"));
    QString csv = folder.filePath(QStringLiteral("drivers.csv"));
    LibraryFiles()
    {
        const QVector<DriverRecord> drivers = manyDrivers();
        QFile json(library), table(csv);
        if (!json.open(QIODevice::WriteOnly) || !table.open(QIODevice::WriteOnly))
            std::abort();
        json.write(writeDriversJson(drivers));
        table.write(writeDriversCsv(drivers));
    }
};

const LibraryFiles& files()
{
    static const LibraryFiles files;
    return files;
}

} // namespace

static void BM_LoadLibrary10000(benchmark::State& state)
{
    for (auto _ : state) {
        DriverLibrary library(files().library);
        if (!library.refresh() || library.drivers().size() != kDrivers)
            state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(library.drivers().data());
    }
}
BENCHMARK(BM_LoadLibrary10000)->Unit(benchmark::kMillisecond);

static void BM_FilterLibrary10000(benchmark::State& state)
{
    DriverLibrary library(files().library);
    library.refresh();
    const QString filters[] = { QStringLiteral("w"), QStringLiteral("maker 42"), QStringLiteral("no such driver") };
    for (auto _ : state)
        for (const QString& filter : filters)
            benchmark::DoNotOptimize(library.filter(filter));
}
BENCHMARK(BM_FilterLibrary10000)->Unit(benchmark::kMillisecond);

static void BM_ReadCsv10000(benchmark::State& state)
{
    QFile file(files().csv);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    const QByteArray data = file.readAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(readDriversCsv(data).drivers.size());
}
BENCHMARK(BM_ReadCsv10000)->Unit(benchmark::kMillisecond);

static void BM_StoreIntoLibrary10000(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("drivers.json"));
    QFile::copy(files().library, path);
    DriverLibrary library(path);
    library.refresh();
    DriverRecord record = manyDrivers().first();
    for (auto _ : state) {
        record.fs = *record.fs + 1;
        if (!library.store(record, DriverLibrary::Existing::Replace).done())
            state.SkipWithError("not stored");
    }
}
BENCHMARK(BM_StoreIntoLibrary10000)->Unit(benchmark::kMillisecond);

// What the pick list does as the user types: the rows that match, through the table's filter.
static void BM_PickListFilter10000(benchmark::State& state)
{
    setDriverLibraryPath(files().library);
    DriverListModel drivers(DriverListModel::Shape::Table);
    DriverFilterModel rows(&drivers);
    drivers.reload();
    const QString typed[] = { QStringLiteral("w"), QStringLiteral("wo"), QStringLiteral("woofer 4"), QString() };
    for (auto _ : state)
        for (const QString& text : typed) {
            rows.setFilterText(text);
            benchmark::DoNotOptimize(rows.rowCount());
        }
    setDriverLibraryPath(QString());
}
BENCHMARK(BM_PickListFilter10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
