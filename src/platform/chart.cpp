#include "platform/chart.h"

#include <QLineF>
#include <algorithm>
#include <cmath>

namespace chart {

namespace {
const QColor kGridMinor(215, 215, 215);
const QColor kGridDecade(160, 160, 160);
constexpr double kTickMinor = 6;
constexpr double kTickMajor = 12;
constexpr int kCurveStepsPerSpan = 12;

void line(Page& page, QPointF a, QPointF b, const QColor& color, double widthPx = 1.0)
{
    page.polyline({ a, b }, color, Qt::SolidLine, widthPx);
}

// Offsets of the 1..9 steps within one decade, as fractions of the decade.
double decadeFraction(int step) { return std::log10(double(step)); }

// The multipliers of a decade for the steps of a logarithmic axis: 1..9,
// or finer for an axis shorter than most of a decade.
QVector<double> stepMultipliers(double decades)
{
    QVector<double> m;
    if (decades >= 0.8) {
        for (int i = 1; i <= 9; ++i)
            m << i;
        return m;
    }
    for (int i = 10; i < 20; ++i)
        m << i / 10.0;
    for (int i = 20; i < 50; i += 2)
        m << i / 10.0;
    for (int i = 50; i < 100; i += 5)
        m << i / 10.0;
    return m;
}

// Where a value lies on a logarithmic axis from `from` to `to`, as a share of its length.
double logShare(double value, double from, double to) { return std::log10(value / from) / std::log10(to / from); }

// The values m * 10^k inside [from, to] for the multipliers, ascending.
QVector<double> logValues(double from, double to, const QVector<double>& multipliers)
{
    QVector<double> values;
    if (!(from > 0 && to > from && std::isfinite(to)))
        return values;
    const double slack = 1e-9;
    for (int k = int(std::floor(std::log10(from))); k <= int(std::ceil(std::log10(to))); ++k)
        for (double m : multipliers) {
            // m tenths of 10^(k+1), rounded once, as the value is written.
            const double tenths = std::round(m * 10);
            const double v = k >= 1 ? tenths * std::pow(10.0, k - 1) : tenths / std::pow(10.0, 1 - k);
            if (v >= from * (1 - slack) && v <= to * (1 + slack))
                values << v;
        }
    return values;
}

// Tangents of a monotone cubic through the points (Fritsch-Butland): the
// curve never swings beyond its neighbouring anchors, so a flat passband
// stays flat.
QVector<double> monotoneTangents(const QVector<QPointF>& p)
{
    const int n = p.size();
    QVector<double> secant(n - 1), tangent(n);
    for (int i = 0; i + 1 < n; ++i)
        secant[i] = (p[i + 1].y() - p[i].y()) / (p[i + 1].x() - p[i].x());
    tangent[0] = secant[0];
    tangent[n - 1] = secant[n - 2];
    for (int i = 1; i + 1 < n; ++i) {
        const double d0 = secant[i - 1], d1 = secant[i];
        if (d0 * d1 <= 0) {
            tangent[i] = 0;
            continue;
        }
        const double h0 = p[i].x() - p[i - 1].x(), h1 = p[i + 1].x() - p[i].x();
        tangent[i] = 3 * (h0 + h1) / ((2 * h1 + h0) / d0 + (h1 + 2 * h0) / d1);
    }
    return tangent;
}
} // namespace

QColor color(int index)
{
    switch (index) {
    case 0:
        return QColor(0, 0, 0);
    case 1:
        return QColor(0, 70, 220); // blue
    case 2:
        return QColor(128, 128, 0); // olive
    case 3:
        return QColor(0, 170, 190); // cyan
    case 4:
        return QColor(220, 20, 20); // red
    case 5:
        return QColor(170, 0, 170); // magenta
    case 6:
        return QColor(230, 120, 0); // orange
    case 7:
        return QColor(128, 128, 128);
    case 8:
        return QColor(64, 64, 64);
    case 9:
        return QColor(0, 150, 0); // green
    default:
        return QColor::fromHsv((index * 47) % 360, 220, 200);
    }
}

namespace {
int paletteIndex(int slot) { return ((slot % kComparedColors) + kComparedColors) % kComparedColors; }
} // namespace

QColor comparedColor(int slot)
{
    static const QColor palette[kComparedColors] = {
        QColor(255, 160, 0), // orange
        QColor(0, 176, 255), // sky blue
        QColor(144, 0, 48), // wine
        QColor(0, 192, 160), // aqua
        QColor(176, 128, 192), // lilac
        QColor(0, 128, 128), // teal
        QColor(240, 128, 144), // pink
        QColor(160, 128, 96), // tan
    };
    return palette[paletteIndex(slot)];
}

// Slot i and slot i + 4 share a pattern: orange and lilac, sky blue and
// teal, wine and pink, aqua and tan. The colours that colour-blind readers
// see least apart (sky blue and lilac; pink and aqua, tan or teal) differ in
// pattern.
Qt::PenStyle comparedStyle(int slot)
{
    static const Qt::PenStyle patterns[] = { Qt::DashLine, Qt::DashDotLine, Qt::DotLine, Qt::DashDotDotLine };
    return patterns[paletteIndex(slot) % 4];
}

QString labelText(double value)
{
    const double rounded = std::round(value);
    if (std::abs(value - rounded) < 1e-9)
        return QString::number(qint64(rounded));
    return QString::number(value, 'g', 6);
}

QVector<LogStep> logSteps(double from, double to)
{
    QVector<LogStep> steps;
    if (!(from > 0 && to > from))
        return steps;
    for (double v : logValues(from, to, stepMultipliers(std::log10(to / from)))) {
        const double mantissa = v / std::pow(10.0, std::floor(std::log10(v) + 1e-9));
        steps << LogStep { v, std::abs(mantissa - 1) < 1e-9 };
    }
    return steps;
}

void logGridBetween(Page& page, const QRectF& rect, double from, double to)
{
    if (rect.isEmpty())
        return;
    for (const LogStep& step : logSteps(from, to)) {
        const double gx = rect.x() + rect.width() * logShare(step.value, from, to);
        if (gx > rect.x() + 0.5 && gx < rect.right() - 0.5)
            line(page, { gx, rect.y() }, { gx, rect.bottom() }, step.decade ? kGridDecade : kGridMinor);
    }
    page.polyline(
        { rect.topLeft(), rect.topRight(), rect.bottomRight(), rect.bottomLeft(), rect.topLeft() }, Qt::black);
}

void logAxisBetween(Page& page, const QRectF& rect, double y, double from, double to)
{
    if (rect.isEmpty())
        return;
    line(page, { rect.x(), y }, { rect.right(), y }, Qt::black);
    for (const LogStep& step : logSteps(from, to)) {
        const double tx = rect.x() + rect.width() * logShare(step.value, from, to);
        const double tick = step.decade ? kTickMajor : kTickMinor;
        line(page, { tx, y - tick }, { tx, y + tick }, Qt::black);
    }
}

QVector<double> logLabelValues(double from, double to, double gap)
{
    static const QVector<QVector<double>> series
        = { { 1, 1.5, 2, 3, 4, 5, 7 }, { 1, 2, 3, 5 }, { 1, 2, 5 }, { 1, 5 }, { 1 } };
    QVector<double> values;
    for (const QVector<double>& multipliers : series) {
        values = logValues(from, to, multipliers);
        bool roomy = true;
        for (int i = 1; i < values.size() && roomy; ++i)
            roomy = logShare(values[i], from, to) - logShare(values[i - 1], from, to) >= gap;
        if (roomy)
            return values;
    }
    return values;
}

double linearStep(double span, int divisions)
{
    if (!(span > 0) || divisions <= 0)
        return 1;
    for (double decade = std::pow(10.0, std::floor(std::log10(span / divisions)));; decade *= 10)
        for (double m : { 1.0, 2.0, 5.0 })
            if (span / (m * decade) <= divisions + 1e-9)
                return m * decade;
}

QVector<double> linearSteps(double from, double to, double step)
{
    QVector<double> values;
    if (!(step > 0) || !(to >= from))
        return values;
    for (double i = std::ceil(from / step - 1e-9); i * step <= to + 1e-9 * step; ++i)
        values << (std::abs(i * step) < 1e-12 ? 0.0 : i * step);
    return values;
}

void linearGridBetween(Page& page, const QRectF& rect, double from, double to, double step)
{
    if (rect.isEmpty() || !(to > from))
        return;
    for (double v : linearSteps(from, to, step)) {
        const double ty = rect.y() + rect.height() * (v - from) / (to - from);
        if (ty > rect.y() + 0.5 && ty < rect.bottom() - 0.5)
            line(page, { rect.x(), ty }, { rect.right(), ty }, kGridMinor);
        line(page, { rect.x() - kTickMinor, ty }, { rect.x() + kTickMinor, ty }, Qt::black);
    }
}

void logAxis(Page& page, double x, double y, double length, int decades)
{
    if (decades <= 0 || length <= 0)
        return;
    line(page, { x, y }, { x + length, y }, Qt::black);
    const double decade = length / decades;
    for (int d = 0; d < decades; ++d) {
        for (int step = 1; step <= 9; ++step) {
            const double tx = x + decade * (d + decadeFraction(step));
            const double tick = step == 1 ? kTickMajor : kTickMinor;
            line(page, { tx, y - tick }, { tx, y + tick }, Qt::black);
        }
    }
    line(page, { x + length, y - kTickMajor }, { x + length, y + kTickMajor }, Qt::black);
}

void logGrid(Page& page, double x, double y, double width, double height, int decades)
{
    if (decades <= 0 || width <= 0 || height <= 0)
        return;
    const double decade = width / decades;
    for (int d = 0; d < decades; ++d) {
        for (int step = 2; step <= 9; ++step) {
            const double gx = x + decade * (d + decadeFraction(step));
            line(page, { gx, y }, { gx, y + height }, kGridMinor);
        }
        if (d > 0)
            line(page, { x + decade * d, y }, { x + decade * d, y + height }, kGridDecade);
    }
    page.polyline({ { x, y }, { x + width, y }, { x + width, y + height }, { x, y + height }, { x, y } }, Qt::black);
}

void linearAxis(Page& page, double x, double y, double length, int divisions, double gridWidth)
{
    if (divisions <= 0 || length <= 0)
        return;
    line(page, { x, y }, { x, y + length }, Qt::black);
    const double step = length / divisions;
    for (int i = 0; i <= divisions; ++i) {
        const double ty = y + step * i;
        if (gridWidth > 0 && i > 0 && i < divisions)
            line(page, { x, ty }, { x + gridWidth, ty }, kGridMinor);
        line(page, { x - kTickMinor, ty }, { x + kTickMinor, ty }, Qt::black);
    }
}

void labelsY(Page& page, double x, double y0, double step, double first, double increment, int count,
    const TextPlacement& placement)
{
    for (int i = 0; i < count; ++i)
        page.text(x, y0 + step * i, labelText(first + increment * i), 256, 0, placement);
}

void lineGraph(Page& page, const QPointF& origin, const QVector<QPointF>& points, const QColor& color,
    Qt::PenStyle style, double widthPx, const QRectF& clip)
{
    if (points.size() < 2)
        return;
    QVector<QPointF> world;
    world.reserve(points.size());
    for (const QPointF& p : points)
        world << origin + p;
    page.polyline(world, color, style, widthPx, clip);
}

QVector<QPointF> smoothPoints(const QVector<QPointF>& anchors)
{
    QVector<QPointF> sorted = anchors;
    std::stable_sort(sorted.begin(), sorted.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
    // Anchors at the same x would need a vertical step; the first one stands.
    sorted.erase(
        std::unique(sorted.begin(), sorted.end(), [](QPointF a, QPointF b) { return a.x() == b.x(); }), sorted.end());
    if (sorted.size() < 3)
        return sorted;
    const QVector<double> m = monotoneTangents(sorted);
    QVector<QPointF> out;
    out.reserve((sorted.size() - 1) * kCurveStepsPerSpan + 1);
    for (int i = 0; i + 1 < sorted.size(); ++i) {
        const QPointF a = sorted[i], b = sorted[i + 1];
        const double h = b.x() - a.x();
        for (int s = 0; s < kCurveStepsPerSpan; ++s) {
            const double t = double(s) / kCurveStepsPerSpan;
            const double t2 = t * t, t3 = t2 * t;
            const double y = (2 * t3 - 3 * t2 + 1) * a.y() + (t3 - 2 * t2 + t) * h * m[i] + (-2 * t3 + 3 * t2) * b.y()
                + (t3 - t2) * h * m[i + 1];
            out << QPointF(a.x() + t * h, y);
        }
    }
    out << sorted.constLast();
    return out;
}

void smoothCurve(Page& page, const QPointF& origin, const QVector<QPointF>& anchors, const QRectF& limits,
    const QColor& color, double widthPx, Qt::PenStyle style)
{
    const QVector<QPointF> curve = smoothPoints(anchors);
    if (curve.size() < 2)
        return;
    QVector<QPointF> world;
    world.reserve(curve.size());
    for (const QPointF& p : curve)
        world << origin + p;
    page.polyline(world, color, style, widthPx, limits);
}

} // namespace chart
