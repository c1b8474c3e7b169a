#pragma once
// The response chart as a page of the chart engine: the frame of the graph
// window (axes, grid, labels, the -3 dB line), the curves of curves.h, the
// kept curves of keptcurves.h and, while kept curves are shown, a legend
// that names every curve drawn. The graph window shows the composed page;
// the printed report draws its own frame and reuses drawCurves,
// drawKeptCurves and drawLegend with the report's chart scale.

#include "graph/curves.h"
#include "graph/keptcurves.h"
#include "platform/page.h"

#include <QPointF>
#include <QRectF>
#include <optional>

// The chart's world: the plot spans x 100..1950 and y 100..900, its origin
// (10 Hz, -20 dB) at (100, 100); captions and labels lie around it.
inline const QRectF kGraphWorld(0, 0, 2000, 1000);
inline const QPointF kPlotOrigin(100, 100);
inline const QRectF kPlotArea(100, 100, 1850, 800);
// World units per font size on the chart: the -3 dB line of 141 minus signs
// in the caption font spans about the plot's width.
inline constexpr double kGraphFontScale = 0.33;

inline constexpr int kBandpassColor = 5;

// The labels of the frequency axis, on the screen and in the printed report.
struct FrequencyLabel {
    double frequency;
    const char* text;
};
inline constexpr FrequencyLabel kFrequencyLabels[]
    = { { 20, "20" }, { 50, "50" }, { 100, "100" }, { 500, "500" }, { 1000, "1K" }, { 5000, "5K" }, { 10000, "10K" } };

// The x of a frequency label: its grid line, on which the label is centred.
double frequencyLabelX(double frequency);

void drawGraphFrame(Page& page);
// Bandpass, title, box curve, crossover curves, in that order; `origin` is
// where the curves' chart units start.
void drawCurves(Page& page, const ResponseCurves& curves, const QPointF& origin = kPlotOrigin);

// The shown kept curves, each in its colour, dashed; `plot` is the plot's
// world rectangle, which the curves stay inside.
void drawKeptCurves(Page& page, const KeptCurves& kept, const ChartScale& scale = {},
    const QPointF& origin = kPlotOrigin, const QRectF& plot = kPlotArea);

// The legend entries for `drawn` (computed from `state`) and the shown kept
// curves: current box, bandpass, crossover curves, then the kept ones.
QVector<LegendEntry> legendEntries(const ResponseCurves& drawn, const DesignState& state, const KeptCurves& kept);
// The legend in the upper right corner of `plot`, above 0 dB, where no curve
// of the designs runs; only while kept curves are shown. `fontSize` in the
// page's font size numbers.
void drawLegend(Page& page, const ResponseCurves& drawn, const DesignState& state, const KeptCurves& kept,
    double fontSize, const QRectF& plot = kPlotArea);

// The whole chart of the graph window for the designs handed over and the
// kept curves.
Page composeGraph(const DesignState& state, const KeptCurves& kept = {});

// What the chart shows under a world position of the graph page; empty
// outside the plot.
struct ChartReading {
    double frequency = 0; // Hz
    double level = 0; // dB
};
std::optional<ChartReading> readingAt(const QPointF& world);
QString readingText(const ChartReading& reading);
