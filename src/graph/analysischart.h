#pragma once
// The analysis chart: a curve of the analysis (analysis/result.h) over its
// frequency grid, 5 Hz to 2 kHz, for the design analysed and the designs
// compared with it, composed as a page of the chart engine. The analysis
// window shows it and saves it as PNG, SVG or PDF as the graph window saves
// its graph; the printed analysis page draws four of them; the command line
// writes one.
//
// The current design is drawn in black, solid, as the graph draws its own;
// each compared design (a kept analysis curve, or one of several files) in
// its slot's colour and dash pattern of the graph's palette
// (chart::comparedColor, chart::comparedStyle). Limit lines are drawn on the
// curves they limit, each value once, and named at their right end: Xmax on
// the excursions, 17 m/s on the port's velocity. The maximum SPL shows what
// limits it: the current design's part limited by the cones' Xmax solid, by
// Pe dashed, by the radiator's Xmax dotted; a compared design's part limited
// by Pe in a thinner line. A second curve may join the first: one of the
// same unit on the same axis (the SPL with the maximum SPL), one of another
// unit on an axis of its own at the right (the impedance with its phase). A
// legend names every line; the title names the design.

#include "analysis/input.h"
#include "analysis/result.h"
#include "graph/keptanalysis.h"
#include "platform/page.h"

#include <QRectF>
#include <QString>
#include <QVector>
#include <optional>

// The colour slot of the current design: black and solid.
inline constexpr int kCurrentDesign = -1;

struct ChartedDesign {
    QString label; // in the legend
    analysis::AnalysisInput input;
    analysis::AnalysisResult result; // of `input`
    int colorSlot = kCurrentDesign;
};

// A design analysed for a chart, labelled with analysis::analysisLabel
// unless a label is given.
ChartedDesign chartedDesign(
    const analysis::AnalysisInput& input, int colorSlot = kCurrentDesign, const QString& label = {});

struct AnalysisChart {
    analysis::CurveKind curve = analysis::CurveKind::Spl;
    // Drawn with it: of the same unit on the same axis, else on an axis at the right.
    std::optional<analysis::CurveKind> also;
    QString title; // above the plot; empty: none
    QVector<ChartedDesign> designs; // a design without the curve is left out
};

// The chart the analysis window shows: the current design (when there is
// one), then the kept analysis curves of `curve` that are shown, in their
// slots; titled with the current design's label.
AnalysisChart analysisChart(const std::optional<analysis::AnalysisInput>& current, analysis::CurveKind curve,
    const KeptAnalysisCurves& kept = {}, std::optional<analysis::CurveKind> also = std::nullopt);

// The curve drawn with `curve` when it is chosen alone (the command line's
// --graph): the SPL with the maximum SPL, the impedance's phase with the
// impedance; none with the others.
std::optional<analysis::CurveKind> drawnWith(analysis::CurveKind curve);

// How a chart looks where it is drawn: its fonts (the page's font size
// numbers) and the room between its frame and its plot (world units).
struct AnalysisChartLook {
    QString face = QStringLiteral("Roman");
    double titleSize = 120;
    double captionSize = 100;
    double labelSize = 90;
    double legendSize = 85;
    double legendScreenPoints = 9; // on a screen the legend's texts are never smaller
    double left = 150, right = 150, bottom = 120, top = 150;
};

// The window's chart: a world of 2000 by 1000 at the graph's font scale.
inline const QRectF kAnalysisWorld(0, 0, 2000, 1000);

// An axis of the chart: from, to and the step of its grid and labels.
struct AxisRange {
    double from = 0, to = 1, step = 1;
    bool operator==(const AxisRange&) const = default;
};

// Where a chart drawn into `frame` puts its frequencies and values.
struct AnalysisPlot {
    QRectF plot; // x, y: its lower-left corner
    AxisRange left;
    std::optional<AxisRange> right; // the second curve's, when it has its own unit
    double xOf(double frequency) const;
    double yOf(double value, bool onRight = false) const;
    double frequencyAt(double x) const;
    double valueAt(double y, bool onRight = false) const;
};
AnalysisPlot analysisPlot(const AnalysisChart& chart, const QRectF& frame, const AnalysisChartLook& look = {});

// Draws the chart into `frame` (world units of the page).
void drawAnalysisChart(Page& page, const QRectF& frame, const AnalysisChart& chart, const AnalysisChartLook& look = {});
// The window's page: the chart over kAnalysisWorld.
Page composeAnalysisChart(const AnalysisChart& chart);
