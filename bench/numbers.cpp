// Parsing and formatting run on every field write and read; they must stay cheap.
#include "core/numberformat.h"
#include "core/numberparse.h"

#include <benchmark/benchmark.h>

static void BM_ParseTypical(benchmark::State& state)
{
    const QString text = QStringLiteral(" 12.345 Hz");
    for (auto _ : state)
        benchmark::DoNotOptimize(parseNumber(text));
}
BENCHMARK(BM_ParseTypical);

static void BM_ParseLongGarbage(benchmark::State& state)
{
    const QString text(10000, u'9');
    for (auto _ : state)
        benchmark::DoNotOptimize(parseNumber(text));
}
BENCHMARK(BM_ParseLongGarbage);

static void BM_FormatSingle(benchmark::State& state)
{
    float value = 2.16289f;
    for (auto _ : state)
        benchmark::DoNotOptimize(formatNumber(value, u"###.##"));
}
BENCHMARK(BM_FormatSingle);

static void BM_FormatGrouped(benchmark::State& state)
{
    double value = 12345.6;
    for (auto _ : state)
        benchmark::DoNotOptimize(formatNumber(value, u"###,###"));
}
BENCHMARK(BM_FormatGrouped);

static void BM_NumberText(benchmark::State& state)
{
    float value = 0.35f;
    for (auto _ : state)
        benchmark::DoNotOptimize(numberText(value));
}
BENCHMARK(BM_NumberText);

BENCHMARK_MAIN();
