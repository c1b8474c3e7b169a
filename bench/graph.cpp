// Draw Graph as the graph window does it: the chart composed for a box, a
// bandpass and a 3-way 12 dB crossover handed over, and painted over the
// frame the window keeps drawn; aim at 1 ms a drawing. The first drawing at a
// new size draws the frame as well (BM_DrawGraphAtNewSize). Comparing, the
// most kept curves and their legend are drawn too (BM_DrawGraphComparing).
// The analysis chart as its window redraws it on a keystroke: the design
// analysed, its chart composed and painted, alone and beside the most kept
// analysis curves; aim well within 16 ms (BM_DrawAnalysisChart).
#include "analysis/handover.h"
#include "benchdesign.h"
#include "graph/analysischart.h"
#include "graph/graphpage.h"
#include "platform/pageoutput.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {
// The size of the chart control in the graph window.
const QSize kChartPixels(633, 377);
} // namespace

namespace {
void drawGraph(const DesignState& design, ScreenPageRenderer& renderer, QImage& image, const KeptCurves& kept = {})
{
    const Page page = composeGraph(design, kept);
    QPainter painter(&image);
    renderer.render(page, painter, image.rect());
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
}
} // namespace

static void BM_DrawGraph(benchmark::State& state)
{
    const DesignState design = fullDesign();
    QImage image(kChartPixels, QImage::Format_ARGB32_Premultiplied);
    ScreenPageRenderer renderer;
    for (auto _ : state)
        drawGraph(design, renderer, image);
}
BENCHMARK(BM_DrawGraph)->Unit(benchmark::kMillisecond);

static void BM_DrawGraphComparing(benchmark::State& state)
{
    const DesignState design = fullDesign();
    KeptCurves kept;
    for (int i = 0; i < kMaxKeptCurves; ++i) {
        DesignState other = design;
        other.closedVb = 1.0f + 0.25f * float(i);
        keepCurve(kept, curveToKeep(other));
    }
    QImage image(kChartPixels, QImage::Format_ARGB32_Premultiplied);
    ScreenPageRenderer renderer;
    for (auto _ : state)
        drawGraph(design, renderer, image, kept);
}
BENCHMARK(BM_DrawGraphComparing)->Unit(benchmark::kMillisecond);

static void BM_DrawGraphAtNewSize(benchmark::State& state)
{
    const DesignState design = fullDesign();
    QImage images[] = { QImage(kChartPixels, QImage::Format_ARGB32_Premultiplied),
        QImage(kChartPixels + QSize(1, 1), QImage::Format_ARGB32_Premultiplied) };
    ScreenPageRenderer renderer;
    int next = 0;
    for (auto _ : state) {
        drawGraph(design, renderer, images[next]);
        next = 1 - next;
    }
}
BENCHMARK(BM_DrawGraphAtNewSize)->Unit(benchmark::kMillisecond);

static void BM_ComputeCurves(benchmark::State& state)
{
    const DesignState design = fullDesign();
    for (auto _ : state)
        benchmark::DoNotOptimize(computeCurves(design));
}
BENCHMARK(BM_ComputeCurves)->Unit(benchmark::kMicrosecond);

namespace {
analysis::AnalysisInput analysedDesign()
{
    DesignState design = fullDesign();
    design.qes = 0.4348f, design.qms = 5, design.re = 6;
    analysis::AnalysisInput in = analysis::handedOverAnalysis(design).value();
    in.driver.sd = 220, in.driver.xmax = 6, in.driver.pe = 100, in.driver.le = 0.8;
    return in;
}
} // namespace

static void BM_DrawAnalysisChart(benchmark::State& state)
{
    const analysis::AnalysisInput in = analysedDesign();
    KeptAnalysisCurves kept;
    for (int i = 0; i < state.range(0); ++i) {
        analysis::AnalysisInput other = in;
        std::get<analysis::VentedBoxSetup>(other.box).volume = 1 + 0.25 * i;
        keepAnalysisCurve(kept, analysisCurveToKeep(other, analysis::CurveKind::MaxSpl));
    }
    QImage image(kChartPixels, QImage::Format_ARGB32_Premultiplied);
    ScreenPageRenderer renderer;
    for (auto _ : state) {
        const Page page = composeAnalysisChart(analysisChart(in, analysis::CurveKind::MaxSpl, kept));
        QPainter painter(&image);
        renderer.render(page, painter, image.rect());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawAnalysisChart)->Arg(0)->Arg(kMaxKeptCurves)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // Fonts need a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
