#pragma once
// Chart operations composed onto a page: logarithmic and linear axes, a
// logarithmic grid, level labels, line graphs and a smooth curve through
// anchor points. All positions are world units of the page.

#include "platform/page.h"

namespace chart {

// Colour of a colour index: 1 blue (woofer), 4 red (tweeter), 9 green
// (mid-range); 0 black. Other indices map to distinct fixed colours.
QColor color(int index);

// The colours of compared curves, one per slot: orange, sky blue, indigo,
// olive, rose, teal, wine and grey, a palette that colour-blind readers
// tell apart (the first two most of all) and that stays clear of black and
// of the blue, green, red and magenta of the colour indices above.
inline constexpr int kComparedColors = 8;
QColor comparedColor(int slot);

// A horizontal logarithmic axis at height y from x, `length` long, `decades`
// decades, with tick marks at every 1..9 step of each decade.
void logAxis(Page& page, double x, double y, double length, int decades);

// Vertical lines at each 1..9 step of `decades` decades over the rectangle,
// plus its frame.
void logGrid(Page& page, double x, double y, double width, double height, int decades);

// A vertical linear axis from (x, y), `length` long, with `divisions` ticks
// and horizontal grid lines across `gridWidth` (0: no grid lines).
void linearAxis(Page& page, double x, double y, double length, int divisions, double gridWidth = 0);

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
