#pragma once
// The response chart as a page of the chart engine: the frame of the graph
// window (axes, grid, labels, the -3 dB line), the curves of curves.h, the
// kept curves of keptcurves.h and, while kept curves are shown, a legend
// that names every line drawn. The graph window shows the composed page;
// the printed report draws its own frame and reuses drawCurves,
// drawKeptCurves and drawLegend with the report's plot.
//
// A range other than the full one (graphrange.h) zooms in: the curves are
// placed by its PlotMap, and drawRangeFrame draws the grid and labels that
// follow it, for the window and the report alike. The full range draws the
// frame of 10 Hz to 100 kHz exactly as before.

#include "graph/curves.h"
#include "graph/graphrange.h"
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

// "20", "1K", "2.5K": a frequency as the axis labels write it.
QString frequencyLabelText(double frequency);

// The x of a frequency label: its grid line, on which the label is centred.
double frequencyLabelX(double frequency);

// The graph window's plot for a range.
PlotMap graphPlot(const GraphRange& range = {});

// The frame of the full range.
void drawGraphFrame(Page& page);

// How a frame drawn for a range looks on its page: the fonts (style, size),
// the labels' places and the -3 dB line of minus signs.
struct FrameLook {
    QString face;
    int labelStyle = 32;
    double labelSize = 100;
    int captionStyle = 32;
    double captionSize = 120;
    double frequencyLabelY = 60; // baseline of the frequency labels
    double levelLabelRight = 85; // right end of the level labels
    QPointF frequencyCaption { 700, 25 };
    QPointF levelCaption { 40, 920 };
    int dashStyle = 32;
    double dashSize = 120;
    int dashCount = 141;
    double dashBelow = 0; // how far the dashes' baseline lies below -3 dB
};
FrameLook graphFrameLook();
// Grid, axes and labels for the range of `map`: the frequency labels at the
// steps of 1, 2 and 5 (or finer) that have room, the level labels on the
// grid lines, the -3 dB line when -3 dB is shown.
void drawRangeFrame(Page& page, const PlotMap& map, const FrameLook& look);

// Bandpass, title, box curve, crossover curves, in that order, each limited
// to the plot of `map`.
void drawCurves(Page& page, const ResponseCurves& curves, const PlotMap& map = graphPlot());

// The shown kept curves, each in its colour and dash pattern, limited to the
// plot of `map`; the curves are computed at its chart scale.
void drawKeptCurves(Page& page, const KeptCurves& kept, const PlotMap& map = graphPlot());

// The legend entries for `drawn` (computed from `state`) and the shown kept
// curves: current box, bandpass, crossover curves, the kept ones, then the
// -3 dB line when it is drawn.
QVector<LegendEntry> legendEntries(
    const ResponseCurves& drawn, const DesignState& state, const KeptCurves& kept, bool minus3dB = true);
// The legend in the upper right corner of the plot, above 0 dB where the
// range has room there (on the full range no curve of the designs runs
// there); only while kept curves are shown. `fontSize` in the page's font
// size numbers; on a screen it is never smaller than kLegendPointsOnScreen.
inline constexpr double kLegendPointsOnScreen = 9;
void drawLegend(Page& page, const ResponseCurves& drawn, const DesignState& state, const KeptCurves& kept,
    double fontSize, const PlotMap& map = graphPlot());

// The whole chart of the graph window for the designs handed over and the
// kept curves, over the range given.
Page composeGraph(const DesignState& state, const KeptCurves& kept = {}, const GraphRange& range = {});

// What the chart shows under a world position of the graph page; empty
// outside the plot.
struct ChartReading {
    double frequency = 0; // Hz
    double level = 0; // dB
};
std::optional<ChartReading> readingAt(const QPointF& world, const GraphRange& range = {});
QString readingText(const ChartReading& reading);
