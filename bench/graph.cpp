// Draw Graph composes the whole chart and the window paints it; with a box, a
// bandpass and a 3-way 12 dB crossover handed over this should stay well
// under 5 ms a drawing.
#include "graph/graphpage.h"
#include "platform/pageoutput.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {
DesignState fullDesign()
{
    DesignState s;
    applyStartValues(s);
    s.boxValid = 1;
    s.boxType = 1;
    s.fs = 30, s.qts = 0.4f, s.vas = 2, s.closedVb = 2, s.isoFactor = 1, s.ventedFb = 30;
    s.bandValid = 1;
    s.bandPa = 1.5517, s.bandFl3 = 25, s.bandFb = 39.06f, s.bandFh3 = 61.03f;
    s.xoverType = 4;
    s.xoverFreqLow = 400, s.xoverFreq = 4000;
    s.xoverL1 = 4.5f, s.xoverC2 = 44, s.xoverRl = 8;
    s.xoverC3 = 30, s.xoverL4 = 3, s.xoverL3 = 0.4f, s.xoverC4 = 10, s.xoverRm = 8;
    s.xoverC1 = 5.6f, s.xoverL2 = 0.36f, s.xoverRh = 8;
    return s;
}

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
