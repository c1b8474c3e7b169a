#include "graph/analysischart.h"

#include "analysis/analysis.h"
#include "analysis/describe.h"
#include "graph/graphpage.h"
#include "platform/chart.h"

#include <algorithm>
#include <cmath>

using analysis::AnalysisInput;
using analysis::AnalysisResult;
using analysis::Limit;
using analysis::LimitLine;
using ACurve = analysis::Curve;
using Kind = analysis::CurveKind;

namespace {
constexpr int kBold = 32;
constexpr int kPlain = 0;

// Line widths, in pixels at 96 dpi.
constexpr double kCurrentWidth = 2.2;
constexpr double kSecondWidth = 1.6; // the current design's second curve
constexpr double kComparedWidth = 2.0;
constexpr double kThinWidth = 1.0; // a compared design's second curve, its maximum SPL where Pe limits it
constexpr double kLimitWidth = 1.3;
const QColor kLimitColor = chart::color(4); // red
const QColor kSecondColor = chart::color(1); // blue

// A level axis spans at most this many dB below its top; a degree axis
// steps by a divisor of a half turn.
constexpr double kMostDecibels = 60;
constexpr int kMostDivisions = 12;
// An axis with a limit line shows the limit and up to this many times it.
constexpr double kLimitHeadroom = 1.25;
constexpr double kMostTimesTheLimit = 4;

// Where the legend may go: a share of the plot at its upper or lower right.
constexpr double kLegendWidthShare = 0.45;
constexpr double kLegendMostHeightShare = 0.6;

struct Pen {
    QColor color;
    Qt::PenStyle style = Qt::SolidLine;
    double width = 1;
    bool operator==(const Pen&) const = default;
};

bool isCurrent(const ChartedDesign& d) { return d.colorSlot == kCurrentDesign; }

Qt::PenStyle limitStyle(Limit limit)
{
    switch (limit) {
    case Limit::Excursion:
        return Qt::SolidLine;
    case Limit::Thermal:
        return Qt::DashLine;
    case Limit::RadiatorExcursion:
        return Qt::DotLine;
    }
    return Qt::SolidLine;
}

QString limitName(Limit limit)
{
    static const char* const names[] = { "Xmax", "Pe", "the radiator's Xmax" };
    return QString::fromLatin1(names[int(limit)]);
}

// The pen of a design's curve at a point where `limit` rules its maximum SPL.
Pen penOf(const ChartedDesign& d, bool second, Kind kind, std::optional<Limit> limit)
{
    const bool maxSpl = kind == Kind::MaxSpl && limit;
    if (isCurrent(d))
        return { second ? kSecondColor : Qt::black, maxSpl ? limitStyle(*limit) : Qt::SolidLine,
            second ? kSecondWidth : kCurrentWidth };
    const bool thin = second || (maxSpl && *limit == Limit::Thermal);
    return { chart::comparedColor(d.colorSlot), chart::comparedStyle(d.colorSlot), thin ? kThinWidth : kComparedWidth };
}

// The values of `kind` of every design that has it, and its limit lines.
struct Span {
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();
    double limit = 0;
    bool empty() const { return !(lowest <= highest); }
};

Span spanOf(const AnalysisChart& chart, const QVector<Kind>& kinds)
{
    Span span;
    for (const ChartedDesign& d : chart.designs)
        for (Kind kind : kinds) {
            if (const ACurve* curve = d.result.curve(kind))
                for (double v : curve->values) {
                    span.lowest = std::min(span.lowest, v);
                    span.highest = std::max(span.highest, v);
                }
            for (const LimitLine& line : d.result.lines)
                if (line.curve == kind)
                    span.limit = std::max(span.limit, line.value);
        }
    return span;
}

AxisRange degreesAxis(double lowest, double highest)
{
    double step = 15;
    for (double s : { 15.0, 30.0, 45.0, 90.0, 180.0, 360.0, 720.0, 1440.0, 2880.0 }) {
        step = s;
        if ((std::ceil(highest / s) - std::floor(lowest / s)) <= kMostDivisions)
            break;
    }
    if (!((std::ceil(highest / step) - std::floor(lowest / step)) <= kMostDivisions))
        step = chart::linearStep(highest - lowest, kMostDivisions);
    double from = std::floor(lowest / step) * step, to = std::ceil(highest / step) * step;
    if (!(to > from))
        to = from + step;
    return { from, to, step };
}

// No curve of a real design comes near this; beyond it the axis stops, so
// that its span and its steps stay numbers whatever a file holds.
constexpr double kFarthestValue = 1e12;

AxisRange axisFor(Kind kind, Span span)
{
    if (span.empty())
        return analysis::curveUnit(kind) == u"dB" ? AxisRange { 40, 100, 10 } : AxisRange { 0, 1, 0.1 };
    const auto bounded = [](double v) { return std::clamp(v, -kFarthestValue, kFarthestValue); };
    span.limit = bounded(span.limit);
    double lowest = bounded(span.lowest), highest = bounded(span.highest);
    if (analysis::curveUnit(kind) == u"deg")
        return degreesAxis(lowest, highest);
    if (analysis::curveUnit(kind) == u"dB") {
        const double top = std::ceil(highest / 10) * 10;
        lowest = std::max(lowest, top - kMostDecibels);
        const double step = chart::linearStep(top - lowest, kMostDivisions);
        const double from = std::floor(lowest / step) * step;
        return { from, top > from ? top : from + step, step };
    }
    lowest = std::min(lowest, 0.0);
    if (span.limit > 0)
        highest = std::max(span.limit * kLimitHeadroom, std::min(highest, span.limit * kMostTimesTheLimit));
    if (!(highest > lowest))
        highest = lowest + 1;
    const double step = chart::linearStep(highest - lowest, 10);
    return { std::floor(lowest / step) * step, std::ceil(highest / step) * step, step };
}

bool sameAxis(const AnalysisChart& chart)
{
    return !chart.also || analysis::curveUnit(*chart.also) == analysis::curveUnit(chart.curve);
}

double fontUnits(const Page& page, double size) { return size * page.fontScale(); }

// The curve as polylines, one per run of points that share a pen; each run
// ends on the next run's first point, so that the line stays whole.
void drawRuns(Page& page, const QVector<QPointF>& points, const QVector<Pen>& pens, const QRectF& clip)
{
    const int n = points.size();
    int start = 0;
    for (int i = 1; i <= n; ++i) {
        if (i < n && pens[i] == pens[start])
            continue;
        const Pen& pen = pens[start];
        page.polyline(points.mid(start, std::min(i + 1, n) - start), pen.color, pen.style, pen.width, clip);
        start = i;
    }
}

void drawCurve(Page& page, const AnalysisPlot& plot, const ChartedDesign& d, Kind kind, bool second)
{
    const ACurve* curve = d.result.curve(kind);
    if (!curve)
        return;
    const bool onRight = second && plot.right;
    const QRectF& area = plot.plot;
    QVector<QPointF> points;
    QVector<Pen> pens;
    for (int i = 0; i < curve->values.size(); ++i) {
        // Far beyond the plot a point only needs to lie beyond it.
        const double y = std::max(
            area.y() - area.height(), std::min(plot.yOf(curve->values[i], onRight), area.y() + 2 * area.height()));
        points << QPointF(plot.xOf(d.result.frequencies[i]), y);
        const bool limited = kind == Kind::MaxSpl && i < d.result.maxSplLimits.size();
        pens << penOf(d, second, kind, limited ? std::optional(d.result.maxSplLimits[i]) : std::nullopt);
    }
    drawRuns(page, points, pens, area);
}

// "Xmax 6 mm"; a label that states its value already ("17 m/s") as it is.
QString lineText(const LimitLine& line)
{
    const QString value = chart::labelText(line.value) + u' ' + analysis::curveUnit(line.curve);
    return line.label.contains(value) ? line.label : line.label + u' ' + value;
}

void drawLimitLines(Page& page, const AnalysisPlot& plot, const AnalysisChart& chart, const AnalysisChartLook& look)
{
    QVector<std::pair<Kind, double>> drawn;
    page.loadFont(kPlain, look.labelSize);
    page.setFontFace(look.face);
    const QRectF& area = plot.plot;
    for (const ChartedDesign& d : chart.designs)
        for (const LimitLine& line : d.result.lines) {
            const bool second = chart.also && line.curve == *chart.also;
            if ((line.curve != chart.curve && !second) || !d.result.curve(line.curve)
                || drawn.contains(std::pair(line.curve, line.value)))
                continue;
            drawn << std::pair(line.curve, line.value);
            const double y = plot.yOf(line.value, second && plot.right);
            if (y < area.y() || y > area.y() + area.height())
                continue;
            page.polyline(
                { { area.x(), y }, { area.x() + area.width(), y } }, kLimitColor, Qt::DashDotLine, kLimitWidth, area);
            page.text(area.x() + area.width() - fontUnits(page, look.labelSize) * 0.3,
                y + fontUnits(page, look.labelSize) * 0.2, lineText(line), 256, 0,
                { Qt::AlignRight | Qt::AlignBaseline, {} });
        }
}

void drawAxes(Page& page, const AnalysisPlot& plot, const AnalysisChart& chart, const AnalysisChartLook& look)
{
    const QRectF& area = plot.plot;
    const double top = area.y() + area.height();
    page.loadFont(kPlain, look.labelSize);
    page.setFontFace(look.face);
    chart::logGridBetween(page, area, analysis::kLowestFrequency, analysis::kHighestFrequency);
    chart::linearGridBetween(page, area, plot.left.from, plot.left.to, plot.left.step);
    const double label = fontUnits(page, look.labelSize);
    const double gap = 3.2 * label / area.width();
    for (double f : chart::logLabelValues(analysis::kLowestFrequency, analysis::kHighestFrequency, gap))
        page.text(plot.xOf(f), area.y() - 1.2 * label, frequencyLabelText(f), 256, 0,
            { Qt::AlignHCenter | Qt::AlignBaseline, {} });
    for (double v : chart::linearSteps(plot.left.from, plot.left.to, plot.left.step))
        page.text(area.x() - 0.35 * label, plot.yOf(v), chart::labelText(v), 256, 0,
            { Qt::AlignRight | Qt::AlignVCenter, {} });
    if (plot.right) {
        const AxisRange& r = *plot.right;
        const double right = area.x() + area.width();
        for (double v : chart::linearSteps(r.from, r.to, r.step)) {
            const double y = plot.yOf(v, true);
            page.polyline({ { right, y }, { right + 0.3 * label, y } }, kSecondColor);
            page.text(right + 0.45 * label, y, chart::labelText(v), 256, 0, { Qt::AlignLeft | Qt::AlignVCenter, {} });
        }
    }

    page.loadFont(kBold, look.captionSize);
    const double caption = fontUnits(page, look.captionSize);
    page.text(area.center().x(), area.y() - 1.3 * label - 1.1 * caption, QStringLiteral("Frequency (Hz)"), 256, 0,
        { Qt::AlignHCenter | Qt::AlignBaseline, {} });
    QString left = analysis::curveTitle(chart.curve);
    if (chart.also && sameAxis(chart))
        left = QStringLiteral("%1, %2").arg(analysis::curveName(chart.curve), analysis::curveTitle(*chart.also));
    page.text(area.x(), top + 0.5 * caption, left, 256, 0, { Qt::AlignLeft | Qt::AlignBaseline, {} });
    if (plot.right)
        page.text(area.x() + area.width(), top + 0.5 * caption, analysis::curveTitle(*chart.also), 256, 0,
            { Qt::AlignRight | Qt::AlignBaseline, {} });
    if (!chart.title.isEmpty()) {
        page.loadFont(kBold, look.titleSize);
        page.text(area.center().x(), top + 0.5 * caption + 1.4 * fontUnits(page, look.titleSize), chart.title, 256, 0,
            { Qt::AlignHCenter | Qt::AlignBaseline, {} });
    }
}

QVector<LegendEntry> legendEntries(const AnalysisChart& chart)
{
    QVector<LegendEntry> entries;
    const bool compared
        = std::any_of(chart.designs.begin(), chart.designs.end(), [](const ChartedDesign& d) { return !isCurrent(d); });
    bool thinPe = false;
    for (const ChartedDesign& d : chart.designs) {
        const QString name = isCurrent(d) && compared ? d.label + QStringLiteral(" (current)") : d.label;
        for (const bool second : { false, true }) {
            if (second && !chart.also)
                continue;
            const Kind kind = second ? *chart.also : chart.curve;
            const ACurve* curve = d.result.curve(kind);
            if (!curve)
                continue;
            // One design, named by the title, needs only its curves named.
            const QString curveName = analysis::curveName(kind);
            const QString text = chart.designs.size() == 1 ? curveName
                : chart.also                               ? name + QStringLiteral(": ") + curveName
                                                           : name;
            const auto entry = [&](const QString& t, const Pen& pen) {
                entries << LegendEntry { t, pen.color, pen.style, pen.width };
            };
            const QVector<Limit>& limits = d.result.maxSplLimits;
            if (kind != Kind::MaxSpl || !isCurrent(d)) {
                entry(text, penOf(d, second, kind, std::nullopt));
                thinPe = thinPe || (kind == Kind::MaxSpl && !second && limits.contains(Limit::Thermal));
                continue;
            }
            for (Limit limit : { Limit::Excursion, Limit::RadiatorExcursion, Limit::Thermal })
                if (limits.contains(limit))
                    entry(text + QStringLiteral(", limited by ") + limitName(limit), penOf(d, second, kind, limit));
        }
    }
    if (thinPe)
        entries << LegendEntry { QStringLiteral("Thinner: limited by Pe"), Qt::black, Qt::SolidLine, kThinWidth };
    return entries;
}

// The legend at the upper or the lower right of the plot, where fewer
// points of the curves lie.
void drawLegend(Page& page, const AnalysisPlot& plot, const AnalysisChart& chart, const AnalysisChartLook& look)
{
    const QVector<LegendEntry> entries = legendEntries(chart);
    if (entries.isEmpty())
        return;
    const QRectF& area = plot.plot;
    const double margin = 8;
    const double line = 1.35 * fontUnits(page, look.legendSize);
    const double height
        = std::min(area.height() * kLegendMostHeightShare - margin, line * (entries.size() + 1) + 2 * margin);
    const double width = area.width() * kLegendWidthShare;
    const double x = area.x() + area.width() - margin - width;
    const QRectF upper(x, area.y() + area.height() - margin - height, width, height);
    const QRectF lower(x, area.y() + margin, width, height);
    const auto pointsIn = [&](const QRectF& r) {
        int count = 0;
        for (const ChartedDesign& d : chart.designs)
            for (const bool second : { false, true }) {
                const ACurve* curve
                    = second ? (chart.also ? d.result.curve(*chart.also) : nullptr) : d.result.curve(chart.curve);
                if (!curve)
                    continue;
                for (int i = 0; i < curve->values.size(); ++i)
                    count += r.contains(
                        plot.xOf(d.result.frequencies[i]), plot.yOf(curve->values[i], second && plot.right));
            }
        return count;
    };
    page.loadFont(kPlain, look.legendSize);
    page.setFontFace(look.face);
    page.legend(pointsIn(lower) < pointsIn(upper) ? lower : upper, entries, look.legendScreenPoints);
}

} // namespace

ChartedDesign chartedDesign(const AnalysisInput& input, int colorSlot, const QString& label)
{
    return { label.isEmpty() ? analysis::analysisLabel(input) : label, input, analysis::analyse(input), colorSlot };
}

std::optional<Kind> drawnWith(Kind curve)
{
    if (curve == Kind::MaxSpl)
        return Kind::Spl;
    if (curve == Kind::Impedance)
        return Kind::ImpedancePhase;
    return std::nullopt;
}

AnalysisChart analysisChart(
    const std::optional<AnalysisInput>& current, Kind curve, const KeptAnalysisCurves& kept, std::optional<Kind> also)
{
    AnalysisChart chart { curve, also, {}, {} };
    if (current) {
        chart.designs << chartedDesign(*current);
        chart.title = chart.designs.first().label;
    }
    for (const KeptAnalysisCurve& k : kept)
        if (k.visible && k.curve == curve)
            chart.designs << chartedDesign(k.input, k.colorSlot, k.label);
    return chart;
}

double AnalysisPlot::xOf(double f) const
{
    return plot.x()
        + plot.width() * std::log(f / analysis::kLowestFrequency)
        / std::log(analysis::kHighestFrequency / analysis::kLowestFrequency);
}

double AnalysisPlot::yOf(double value, bool onRight) const
{
    const AxisRange& r = onRight && right ? *right : left;
    return plot.y() + plot.height() * (value - r.from) / (r.to - r.from);
}

double AnalysisPlot::frequencyAt(double x) const
{
    return analysis::kLowestFrequency
        * std::pow(analysis::kHighestFrequency / analysis::kLowestFrequency, (x - plot.x()) / plot.width());
}

double AnalysisPlot::valueAt(double y, bool onRight) const
{
    const AxisRange& r = onRight && right ? *right : left;
    return r.from + (y - plot.y()) / plot.height() * (r.to - r.from);
}

AnalysisPlot analysisPlot(const AnalysisChart& chart, const QRectF& frame, const AnalysisChartLook& look)
{
    AnalysisPlot p;
    p.plot = QRectF(frame.x() + look.left, frame.y() + look.bottom, frame.width() - look.left - look.right,
        frame.height() - look.bottom - look.top);
    const bool same = sameAxis(chart);
    QVector<Kind> left { chart.curve };
    if (chart.also && same)
        left << *chart.also;
    p.left = axisFor(chart.curve, spanOf(chart, left));
    if (!same)
        p.right = axisFor(*chart.also, spanOf(chart, { *chart.also }));
    return p;
}

void drawAnalysisChart(Page& page, const QRectF& frame, const AnalysisChart& chart, const AnalysisChartLook& look)
{
    const AnalysisPlot plot = analysisPlot(chart, frame, look);
    drawAxes(page, plot, chart, look);
    // The compared designs first, so that the current one lies on top.
    for (int pass = 0; pass < 2; ++pass)
        for (const ChartedDesign& d : chart.designs) {
            if (isCurrent(d) != (pass == 1))
                continue;
            if (chart.also)
                drawCurve(page, plot, d, *chart.also, true);
            drawCurve(page, plot, d, chart.curve, false);
        }
    drawLimitLines(page, plot, chart, look);
    drawLegend(page, plot, chart, look);
}

Page composeAnalysisChart(const AnalysisChart& chart)
{
    Page page(kAnalysisWorld);
    page.setFontScale(kGraphFontScale);
    drawAnalysisChart(page, kAnalysisWorld, chart);
    return page;
}
