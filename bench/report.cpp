// One page of the box data report, composed from a vented design with a
// bandpass and a 3-way crossover handed over (about 60 texts and four
// curves) and rendered into a PDF file: aim under 20 ms a page.
// With an argument, the page is also left in that file to look at.
#include "benchdesign.h"
#include "platform/pageoutput.h"
#include "print/boxreport.h"
#include "print/printjob.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
bool printOnePage(const DesignState& design, const QString& file)
{
    PrintJob job(PrintTarget::pdfFile(file), QStringLiteral("Box Data"));
    if (!job.open())
        return false;
    job.drawPage(composeBoxReportPage(design, design.boxType), 0.9);
    return job.finish();
}
} // namespace

static void BM_BoxReportPageToPdf(benchmark::State& state)
{
    const DesignState design = fullDesign();
    QTemporaryDir dir;
    const QString file = dir.filePath("report.pdf");
    for (auto _ : state) {
        if (!printOnePage(design, file))
            state.SkipWithError("the PDF file could not be written");
    }
}
BENCHMARK(BM_BoxReportPageToPdf)->Unit(benchmark::kMillisecond);

static void BM_ComposeBoxReportPage(benchmark::State& state)
{
    const DesignState design = fullDesign();
    for (auto _ : state)
        benchmark::DoNotOptimize(composeBoxReportPage(design, 1));
}
BENCHMARK(BM_ComposeBoxReportPage)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    // Fonts need a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc > 1)
        printOnePage(fullDesign(), QString::fromLocal8Bit(argv[1]));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
