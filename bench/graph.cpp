// Draw Graph composes the whole chart and the window paints it; with a box, a
// bandpass and a 3-way 12 dB crossover handed over this should stay well
// under 5 ms a drawing.
#include "benchdesign.h"
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

static void BM_DrawGraph(benchmark::State& state)
{
    const DesignState design = fullDesign();
    QImage image(kChartPixels, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const Page page = composeGraph(design);
        image.fill(Qt::white);
        QPainter painter(&image);
        renderPage(page, painter, QRectF(QPointF(0, 0), QSizeF(kChartPixels)));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawGraph)->Unit(benchmark::kMillisecond);

static void BM_ComputeCurves(benchmark::State& state)
{
    const DesignState design = fullDesign();
    for (auto _ : state)
        benchmark::DoNotOptimize(computeCurves(design));
}
BENCHMARK(BM_ComputeCurves)->Unit(benchmark::kMicrosecond);

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
