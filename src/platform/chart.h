#pragma once
// Chart operations composed onto a page: logarithmic and linear axes, a
// logarithmic grid, level labels, line graphs and a smooth curve through
// anchor points. All positions are world units of the page.

#include "platform/page.h"

namespace chart {

// Colour of a colour index: 1 blue (woofer), 4 red (tweeter), 9 green
// (mid-range); 0 black. Other indices map to distinct fixed colours.
QColor color(int index);

// The colours of compared curves, one per slot. Each differs from every
// other, and from black and the blue, green, red and magenta of the colour
// indices above, by a CIEDE2000 difference of at least 20, and of at least
// 10 as readers with protanopia or deuteranopia see them; on white each
// stands out. The dash pattern of a slot tells apart what colour alone
// would not (on a grey print, say): no two slots of one pattern are of
// similar lightness.
inline constexpr int kComparedColors = 8;
QColor comparedColor(int slot);
Qt::PenStyle comparedStyle(int slot);

// A horizontal logarithmic axis at height y from x, `length` long, `decades`
// decades, with tick marks at every 1..9 step of each decade.
void logAxis(Page& page, double x, double y, double length, int decades);

// Vertical lines at each 1..9 step of `decades` decades over the rectangle,
// plus its frame.
void logGrid(Page& page, double x, double y, double width, double height, int decades);

// A vertical linear axis from (x, y), `length` long, with `divisions` ticks
// and horizontal grid lines across `gridWidth` (0: no grid lines).
void linearAxis(Page& page, double x, double y, double length, int divisions, double gridWidth = 0);

// The same over an axis from `from` to `to` (both above 0) that need not
// start or end on a decade: its steps are m * 10^k inside the axis, with m
// 1..9 when it spans most of a decade or more, finer steps when it is
// shorter; decades (m = 1) are marked darker.
struct LogStep {
    double value;
    bool decade;
};
QVector<LogStep> logSteps(double from, double to);
// Vertical grid lines over `rect` at the steps of a logarithmic axis from
// `from` at its left edge to `to` at its right edge, and the frame.
void logGridBetween(Page& page, const QRectF& rect, double from, double to);
// A horizontal line at height y across `rect` with tick marks at the steps.
void logAxisBetween(Page& page, const QRectF& rect, double y, double from, double to);
// The values to label on such an axis: the densest of the series 1-1.5-2-3-
// 4-5-7, 1-2-3-5, 1-2-5, 1-5 and 1 (each times 10^k) whose neighbours stand
// at least `gap` (a share of the axis' length) apart.
QVector<double> logLabelValues(double from, double to, double gap);

// A linear axis along the left edge of `rect`, from `from` at its lower edge
// to `to` at its upper edge: ticks and horizontal grid lines at every
// multiple of `step` inside.
void linearGridBetween(Page& page, const QRectF& rect, double from, double to, double step);
// The smallest step of 1, 2 or 5 times 10^k that divides `span` into at
// most `divisions` parts.
double linearStep(double span, int divisions);
// The multiples of `step` from `from` to `to`, both included.
QVector<double> linearSteps(double from, double to, double step);
// A number as the labels show it: whole numbers without a decimal point.
QString labelText(double value);

// `count` labels starting at `first`, `increment` apart, written at x from
// height y0 upwards, `step` units apart, each placed on its point as
// `placement` says.
void labelsY(Page& page, double x, double y0, double step, double first, double increment, int count,
    const TextPlacement& placement = {});

// A line graph of points given relative to `origin`, limited to `clip`
// (absolute world units; empty: not limited).
void lineGraph(Page& page, const QPointF& origin, const QVector<QPointF>& points, const QColor& color,
    Qt::PenStyle style = Qt::SolidLine, double widthPx = 1.5, const QRectF& clip = {});

// The points of a smooth curve through the anchors, taken in order of x: a
// monotone cubic that passes through every anchor and never overshoots them.
QVector<QPointF> smoothPoints(const QVector<QPointF>& anchors);

// The smooth curve of smoothPoints relative to `origin`, limited to `limits`
// (absolute world units).
void smoothCurve(Page& page, const QPointF& origin, const QVector<QPointF>& anchors, const QRectF& limits,
    const QColor& color, double widthPx = 1.5, Qt::PenStyle style = Qt::SolidLine);

} // namespace chart
