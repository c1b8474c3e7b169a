#pragma once
// The analysis chart: a curve of the analysis (analysis/result.h) over its
// frequency grid, 5 Hz to 2 kHz, composed as a page of the chart engine, so
// that the analysis window shows it and saves it as PNG, SVG or PDF as the
// graph window saves its graph.
//
// The design is drawn in black, solid, as the graph draws its own. Limit
// lines are drawn on the curves they limit and named at their right end:
// Xmax on the excursions, 17 m/s on the port's velocity. The maximum SPL
// shows what limits it: solid where the cones' Xmax does, dashed where Pe
// does, dotted where the radiator's Xmax does. A second curve may join the
// first: one of the same unit on the same axis (the SPL with the maximum
// SPL), one of another unit on an axis of its own at the right (the
// impedance with its phase). The title names the design.

#include "analysis/input.h"
#include "analysis/result.h"
#include "platform/page.h"

#include <QRectF>
#include <QString>
#include <QVector>
#include <optional>

// The colour slot of the current design: black and solid.
inline constexpr int kCurrentDesign = -1;

struct ChartedDesign {
    QString label;
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

// How a chart looks: its fonts (the page's font size numbers) and the room
// between its frame and its plot (world units).
struct AnalysisChartLook {
    QString face = QStringLiteral("Roman");
    double titleSize = 120;
    double captionSize = 100;
    double labelSize = 90;
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
