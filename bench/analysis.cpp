// All curves and figures of one design, as the analysis redraws them on every
// keystroke: the benchmarks' vented box and the same driver in a closed box,
// with a full datasheet and a voice-coil inductance. Aim at 0.5 ms a design.
#include "analysis/analysis.h"
#include "analysis/handover.h"
#include "benchdesign.h"

#include <benchmark/benchmark.h>

namespace {
analysis::AnalysisInput benchInput(BoxType type)
{
    DesignState design = fullDesign();
    design.boxType = type;
    design.qes = 0.4348f, design.qms = 5, design.re = 6;
    analysis::AnalysisInput in = analysis::handedOverAnalysis(design).value();
    in.driver.sd = 220, in.driver.xmax = 6, in.driver.pe = 100, in.driver.le = 0.8;
    return in;
}

void analyseDesign(benchmark::State& state, BoxType type)
{
    const analysis::AnalysisInput in = benchInput(type);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::analyse(in));
}
} // namespace

static void BM_AnalyseVentedBox(benchmark::State& state) { analyseDesign(state, BoxType::Vented); }
BENCHMARK(BM_AnalyseVentedBox)->Unit(benchmark::kMicrosecond);

static void BM_AnalyseClosedBox(benchmark::State& state) { analyseDesign(state, BoxType::Closed); }
BENCHMARK(BM_AnalyseClosedBox)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
