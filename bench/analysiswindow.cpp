// A keystroke in the analysis window to the repainted chart: the key typed
// into a field of the driver's data, the analysis of the vented box handed
// over, the chart composed and the chart control painted, as the user sees
// each key; aim at 16 ms (one frame). The keys alternate between adding a
// digit to Sd and taking it off again, so every keystroke changes the design.
#include "benchdesign.h"
#include "platform/pageview.h"
#include "ui/frmAnalysis.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {
// A key pressed and let go in the field, as the keyboard sends it.
void typeKey(QWidget* field, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
    QApplication::sendEvent(field, &release);
}

// The design handed over with a full datasheet, the chart shown as chosen.
frmAnalysis* openWithDatasheet(const char* curve)
{
    DesignState& s = designState();
    s = fullDesign();
    s.qes = 0.4348f, s.re = 6;
    s.analysisLe = 0.8f, s.analysisSd = 220, s.analysisXmax = 6, s.analysisPe = 100;
    frmAnalysis* window = openAnalysis();
    QCoreApplication::processEvents();
    auto* chooser = window->findChild<QComboBox*>(QStringLiteral("cboCurve"));
    chooser->setCurrentIndex(chooser->findText(QString::fromLatin1(curve)));
    emit chooser->activated(chooser->currentIndex());
    return window;
}

void keystrokeToChart(benchmark::State& state, const char* curve)
{
    frmAnalysis* window = openWithDatasheet(curve);
    auto* sd = window->findChild<QLineEdit*>(QStringLiteral("szSd"));
    auto* chart = window->findChild<PageView*>(QStringLiteral("Graph1"));
    sd->setFocus();
    sd->end(false);
    bool added = false;
    for (auto _ : state) {
        typeKey(sd, added ? Qt::Key_Backspace : Qt::Key_5, added ? QString() : QStringLiteral("5"));
        added = !added;
        chart->repaint();
    }
    if (const QString shown = sd->text().trimmed(); shown != QStringLiteral("220") && shown != QStringLiteral("2205"))
        state.SkipWithError("the keys did not reach Sd");
    delete window;
}
} // namespace

static void BM_KeystrokeToExcursionChart(benchmark::State& state) { keystrokeToChart(state, "Cone Excursion"); }
BENCHMARK(BM_KeystrokeToExcursionChart)->Unit(benchmark::kMillisecond);

static void BM_KeystrokeToMaximumSplChart(benchmark::State& state) { keystrokeToChart(state, "Maximum SPL"); }
BENCHMARK(BM_KeystrokeToMaximumSplChart)->Unit(benchmark::kMillisecond);

static void BM_KeystrokeToImpedanceChart(benchmark::State& state) { keystrokeToChart(state, "Impedance and Phase"); }
BENCHMARK(BM_KeystrokeToImpedanceChart)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // A window needs a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
