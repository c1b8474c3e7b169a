// One page of the box data report, composed from a vented design with a
// bandpass and a 3-way crossover handed over (about 60 texts and four
// curves) and rendered into a PDF file: aim at 5 ms a page. Most of it is
// Qt's embedding of the page's three font faces into the file.
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
    // Each page goes to a file of its own: writing one file over and over
    // would measure the file system besides the page, as ext4 flushes a file
    // that was truncated and written again when it is closed (about 5 ms a
    // page here).
    int printed = 0;
    for (auto _ : state) {
        if (!printOnePage(design, dir.filePath(QStringLiteral("report%1.pdf").arg(printed++))))
            state.SkipWithError("the PDF file could not be written");
    }
}
BENCHMARK(BM_BoxReportPageToPdf)->Unit(benchmark::kMillisecond);

static void BM_ComposeBoxReportPage(benchmark::State& state)
{
    const DesignState design = fullDesign();
    for (auto _ : state)
        benchmark::DoNotOptimize(composeBoxReportPage(design, BoxType::Vented));
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
