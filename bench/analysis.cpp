// All curves and figures of one design, as the analysis redraws them on every
// keystroke: the benchmarks' vented box, the same driver in a closed and a
// passive radiator box, and their bandpass design, each with a full datasheet
// and a voice-coil inductance. Aim at 0.5 ms a design.
#include "analysis/analysis.h"
#include "analysis/handover.h"
#include "benchdesign.h"

#include <benchmark/benchmark.h>

namespace {
analysis::AnalysisInput benchInput(BoxType type, analysis::HandedOver which = analysis::HandedOver::Box)
{
    DesignState design = fullDesign();
    design.boxType = type;
    design.qes = 0.4348f, design.qms = 5, design.re = 6;
    analysis::AnalysisInput in = analysis::handedOverAnalysis(design, which).value();
    in.driver.sd = 220, in.driver.xmax = 6, in.driver.pe = 100, in.driver.le = 0.8;
    in.driver.qms = 5, in.driver.re = 6; // the bandpass's driver was not the one measured
    return in;
}

void analyseDesign(benchmark::State& state, const analysis::AnalysisInput& in)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::analyse(in));
}
} // namespace

static void BM_AnalyseVentedBox(benchmark::State& state) { analyseDesign(state, benchInput(BoxType::Vented)); }
BENCHMARK(BM_AnalyseVentedBox)->Unit(benchmark::kMicrosecond);

static void BM_AnalyseClosedBox(benchmark::State& state) { analyseDesign(state, benchInput(BoxType::Closed)); }
BENCHMARK(BM_AnalyseClosedBox)->Unit(benchmark::kMicrosecond);

static void BM_AnalyseRadiatorBox(benchmark::State& state) { analyseDesign(state, benchInput(BoxType::Radiator)); }
BENCHMARK(BM_AnalyseRadiatorBox)->Unit(benchmark::kMicrosecond);

static void BM_AnalyseBandpassBox(benchmark::State& state)
{
    analyseDesign(state, benchInput(BoxType::Vented, analysis::HandedOver::Bandpass));
}
BENCHMARK(BM_AnalyseBandpassBox)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
