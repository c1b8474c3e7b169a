#include "graph/analysischart.h"

#include "analysis/analysis.h"
#include "analysis/describe.h"
#include "graph/graphpage.h"
#include "platform/chart.h"

#include <algorithm>
#include <cmath>
#include <limits>

using Kind = analysis::CurveKind;
using analysis::Limit;

namespace {
constexpr int kBold = 32;
constexpr int kPlain = 0;
constexpr double kCurveWidth = 2.2;
constexpr double kSecondWidth = 1.6;
constexpr double kLimitWidth = 1.3;
const QColor kLimitColor = chart::color(4); // red
const QColor kSecondColor = chart::color(1); // blue
// A level axis spans at most this many dB below its top; an axis with a
// limit line shows the limit with some room above it.
constexpr double kMostDecibels = 60;
constexpr int kMostDivisions = 12;
constexpr double kLimitHeadroom = 1.25;
constexpr double kMostTimesTheLimit = 4;

QString unitOf(Kind kind) { return QString::fromUtf8(analysis::kCurveInfo[int(kind)].unit); }
QString nameOf(Kind kind) { return QString::fromUtf8(analysis::kCurveInfo[int(kind)].name); }
double fontUnits(const Page& page, double size) { return size * page.fontScale(); }

bool sameAxis(const AnalysisChart& chart) { return !chart.also || unitOf(*chart.also) == unitOf(chart.curve); }

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
            if (const analysis::Curve* curve = d.result.curve(kind))
                for (double v : curve->values) {
                    span.lowest = std::min(span.lowest, v);
                    span.highest = std::max(span.highest, v);
                }
            for (const analysis::LimitLine& line : d.result.lines)
                if (line.curve == kind)
                    span.limit = std::max(span.limit, line.value);
        }
    return span;
}

AxisRange axisFor(Kind kind, const Span& span)
{
    const QString unit = unitOf(kind);
    if (span.empty())
        return unit == u"dB" ? AxisRange { 40, 100, 10 } : AxisRange { 0, 1, 0.1 };
    double lowest = span.lowest, highest = span.highest;
    if (unit == u"dB") {
        const double top = std::ceil(highest / 10) * 10;
        lowest = std::max(lowest, top - kMostDecibels);
        highest = top;
    } else if (unit != u"deg") {
        lowest = std::min(lowest, 0.0);
        if (span.limit > 0)
            highest = std::max(span.limit * kLimitHeadroom, std::min(highest, span.limit * kMostTimesTheLimit));
    }
    if (!(highest > lowest))
        highest = lowest + 1;
    const double step = chart::linearStep(highest - lowest, kMostDivisions);
    return { std::floor(lowest / step) * step, std::ceil(highest / step) * step, step };
}

Qt::PenStyle limitStyle(Limit limit)
{
    return limit == Limit::Thermal ? Qt::DashLine : limit == Limit::RadiatorExcursion ? Qt::DotLine : Qt::SolidLine;
}

void drawCurve(Page& page, const AnalysisPlot& plot, const ChartedDesign& d, Kind kind, bool second)
{
    const analysis::Curve* curve = d.result.curve(kind);
    if (!curve)
        return;
    const QRectF& area = plot.plot;
    const QColor color = second ? kSecondColor : Qt::black;
    const double width = second ? kSecondWidth : kCurveWidth;
    const QVector<Limit>& limits = d.result.maxSplLimits;
    const auto styleAt
        = [&](int i) { return kind == Kind::MaxSpl && i < limits.size() ? limitStyle(limits[i]) : Qt::SolidLine; };
    // One polyline per run of one line style, each ending on the next run's first point.
    QVector<QPointF> run;
    for (int i = 0; i < curve->values.size(); ++i) {
        const double y = std::clamp(
            plot.yOf(curve->values[i], second && plot.right), area.y() - area.height(), area.y() + 2 * area.height());
        run << QPointF(plot.xOf(d.result.frequencies[i]), y);
        if (i + 1 == curve->values.size() || styleAt(i + 1) != styleAt(i)) {
            if (i + 1 < curve->values.size())
                run << QPointF(plot.xOf(d.result.frequencies[i + 1]),
                    std::clamp(plot.yOf(curve->values[i + 1], second && plot.right), area.y() - area.height(),
                        area.y() + 2 * area.height()));
            page.polyline(run, color, styleAt(i), width, area);
            run.clear();
        }
    }
}

void drawLimitLines(Page& page, const AnalysisPlot& plot, const AnalysisChart& chart, const AnalysisChartLook& look)
{
    page.loadFont(kPlain, look.labelSize);
    page.setFontFace(look.face);
    const QRectF& area = plot.plot;
    for (const ChartedDesign& d : chart.designs)
        for (const analysis::LimitLine& line : d.result.lines) {
            const bool second = chart.also && line.curve == *chart.also;
            if (line.curve != chart.curve && !second)
                continue;
            const double y = plot.yOf(line.value, second && plot.right);
            if (y < area.y() || y > area.y() + area.height())
                continue;
            page.polyline({ { area.x(), y }, { area.right(), y } }, kLimitColor, Qt::DashDotLine, kLimitWidth, area);
            const QString value = chart::labelText(line.value) + u' ' + unitOf(line.curve);
            const QString text = line.label.contains(value) ? line.label : line.label + u' ' + value;
            page.text(area.right() - fontUnits(page, look.labelSize) * 0.3, y + fontUnits(page, look.labelSize) * 0.2,
                text, 256, 0, { Qt::AlignRight | Qt::AlignBaseline, {} });
        }
}

QString frequencyText(double f) { return f >= 1000 ? chart::labelText(f / 1000) + u'K' : chart::labelText(f); }

void drawAxes(Page& page, const AnalysisPlot& plot, const AnalysisChart& chart, const AnalysisChartLook& look)
{
    const QRectF& area = plot.plot;
    page.loadFont(kPlain, look.labelSize);
    page.setFontFace(look.face);
    chart::logGridBetween(page, area, analysis::kLowestFrequency, analysis::kHighestFrequency);
    chart::linearGridBetween(page, area, plot.left.from, plot.left.to, plot.left.step);
    const double label = fontUnits(page, look.labelSize);
    for (double f :
        chart::logLabelValues(analysis::kLowestFrequency, analysis::kHighestFrequency, 3.2 * label / area.width()))
        page.text(plot.xOf(f), area.y() - 1.2 * label, frequencyText(f), 256, 0,
            { Qt::AlignHCenter | Qt::AlignBaseline, {} });
    for (double v : chart::linearSteps(plot.left.from, plot.left.to, plot.left.step))
        page.text(area.x() - 0.35 * label, plot.yOf(v), chart::labelText(v), 256, 0,
            { Qt::AlignRight | Qt::AlignVCenter, {} });
    if (plot.right)
        for (double v : chart::linearSteps(plot.right->from, plot.right->to, plot.right->step)) {
            const double y = plot.yOf(v, true);
            page.polyline({ { area.right(), y }, { area.right() + 0.3 * label, y } }, kSecondColor);
            page.text(
                area.right() + 0.45 * label, y, chart::labelText(v), 256, 0, { Qt::AlignLeft | Qt::AlignVCenter, {} });
        }

    page.loadFont(kBold, look.captionSize);
    const double caption = fontUnits(page, look.captionSize);
    const double top = area.y() + area.height();
    page.text(area.center().x(), area.y() - 1.3 * label - 1.1 * caption, QStringLiteral("Frequency (Hz)"), 256, 0,
        { Qt::AlignHCenter | Qt::AlignBaseline, {} });
    QString left = analysis::curveTitle(chart.curve);
    if (chart.also && sameAxis(chart))
        left = QStringLiteral("%1, %2").arg(nameOf(chart.curve), analysis::curveTitle(*chart.also));
    page.text(area.x(), top + 0.5 * caption, left, 256, 0, { Qt::AlignLeft | Qt::AlignBaseline, {} });
    if (plot.right)
        page.text(area.right(), top + 0.5 * caption, analysis::curveTitle(*chart.also), 256, 0,
            { Qt::AlignRight | Qt::AlignBaseline, {} });
    if (!chart.title.isEmpty()) {
        page.loadFont(kBold, look.titleSize);
        page.text(area.center().x(), top + 0.5 * caption + 1.4 * fontUnits(page, look.titleSize), chart.title, 256, 0,
            { Qt::AlignHCenter | Qt::AlignBaseline, {} });
    }
}

} // namespace

ChartedDesign chartedDesign(const analysis::AnalysisInput& input, int colorSlot, const QString& label)
{
    return { label.isEmpty() ? analysis::analysisLabel(input) : label, input, analysis::analyse(input), colorSlot };
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
    for (const ChartedDesign& d : chart.designs) {
        if (chart.also)
            drawCurve(page, plot, d, *chart.also, true);
        drawCurve(page, plot, d, chart.curve, false);
    }
    drawLimitLines(page, plot, chart, look);
}

Page composeAnalysisChart(const AnalysisChart& chart)
{
    Page page(kAnalysisWorld);
    page.setFontScale(kGraphFontScale);
    drawAnalysisChart(page, kAnalysisWorld, chart);
    return page;
}
