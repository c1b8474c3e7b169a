#include "graph/graphpage.h"

#include "platform/chart.h"

namespace {
const QString kChartFace = QStringLiteral("Roman");
constexpr int kLabelSize = 100;
constexpr int kCaptionSize = 120;
constexpr int kBold = 32;
// The legend's text as large as the axis labels.
constexpr int kLegendSize = kLabelSize;
// Above 0.5 dB the legend needs this share of the plot; otherwise it takes
// the upper kLegendShare of it.
constexpr double kLegendLeastShare = 0.25;
constexpr double kLegendShare = 0.35;
// A range's level axis has at most this many divisions; its frequency
// labels are at least this far apart (world units).
constexpr int kMaxLevelDivisions = 15;
constexpr double kFrequencyLabelGap = 110;
constexpr int kNoteSize = 80;

// Line widths, in pixels at 96 dpi.
constexpr double kBoxWidth = 2.2;
constexpr double kBandpassWidth = 2.0;
constexpr double kCrossoverWidth = 1.6;
constexpr double kKeptWidth = 2.0;
constexpr double kMinus3dBWidth = 1.3;

} // namespace

QString frequencyLabelText(double f)
{
    return f >= 1000 ? QString::number(f / 1000, 'g', 3) + u'K' : QString::number(f, 'g', 4);
}

double frequencyLabelX(double frequency) { return chartX(frequency) + kPlotOrigin.x(); }

void drawGraphFrame(Page& page)
{
    page.loadFont(kBold, kLabelSize);
    page.setFontFace(kChartFace);

    chart::logAxis(page, 100, 635, 1850, 4);
    chart::logGrid(page, 100, 100, 1850, 800, 4);
    chart::linearAxis(page, 100, 100, 800, 15, 1850);

    // Each division of the level axis is 2 dB; each label sits centred on its grid line.
    const TextPlacement onLevel { Qt::AlignLeft | Qt::AlignVCenter, {} };
    chart::labelsY(page, 20, kPlotOrigin.y() + chartY(-20), kUnitsPerHalfDb, -20, 2, 10, onLevel);
    chart::labelsY(page, 40, kPlotOrigin.y() + chartY(0), kUnitsPerHalfDb, 0, 2, 6, onLevel);
    for (const FrequencyLabel& label : kFrequencyLabels)
        page.text(frequencyLabelX(label.frequency), 60, QString::fromLatin1(label.text), 256, 0,
            { Qt::AlignHCenter | Qt::AlignBaseline, {} });

    page.loadFont(kBold, kCaptionSize);
    page.text(700, 25, QStringLiteral("Frequency"), 256);
    page.text(40, 920, QStringLiteral("dB"), 256);
    // The dashes end at the frame, whatever the face makes of their width.
    page.text(100, 534, QString(141, u'-'), 256, 9, { Qt::AlignLeft | Qt::AlignBaseline, kPlotArea });
}

PlotMap graphPlot(const GraphRange& range) { return PlotMap(kPlotArea, ChartScale(), range); }

FrameLook graphFrameLook()
{
    FrameLook look;
    look.face = kChartFace;
    look.labelSize = kLabelSize;
    look.captionSize = kCaptionSize;
    // The dashes of the full chart: at 534, below -3 dB.
    look.dashBelow = kPlotOrigin.y() + chartY(-3) - 534;
    return look;
}

void drawRangeFrame(Page& page, const PlotMap& map, const FrameLook& look)
{
    const QRectF& plot = map.plot();
    const GraphRange& r = map.range();
    page.loadFont(look.labelStyle, look.labelSize);
    page.setFontFace(look.face);
    chart::logGridBetween(page, plot, r.fromHz, r.toHz);
    const double step = chart::linearStep(r.toDb - r.fromDb, kMaxLevelDivisions);
    chart::linearGridBetween(page, plot, r.fromDb, r.toDb, step);
    if (r.fromDb < 0 && 0 < r.toDb)
        chart::logAxisBetween(page, plot, map.yOf(0), r.fromHz, r.toHz);

    const TextPlacement onLevel { Qt::AlignRight | Qt::AlignVCenter, {} };
    for (double level : chart::linearSteps(r.fromDb, r.toDb, step))
        page.text(look.levelLabelRight, map.yOf(level), chart::labelText(level), 256, 0, onLevel);
    const double gap = kFrequencyLabelGap / plot.width();
    for (double f : chart::logLabelValues(r.fromHz, r.toHz, gap))
        page.text(map.xOf(f), look.frequencyLabelY, frequencyLabelText(f), 256, 0,
            { Qt::AlignHCenter | Qt::AlignBaseline, {} });

    page.loadFont(look.captionStyle, look.captionSize);
    page.text(look.frequencyCaption.x(), look.frequencyCaption.y(), QStringLiteral("Frequency"), 256);
    page.text(look.levelCaption.x(), look.levelCaption.y(), QStringLiteral("dB"), 256);
    if (r.fromDb <= -3 && -3 <= r.toDb) {
        page.loadFont(look.dashStyle, look.dashSize);
        page.text(plot.x(), map.yOf(-3) - look.dashBelow, QString(look.dashCount, u'-'), 256, 9,
            { Qt::AlignLeft | Qt::AlignBaseline, plot });
    }
}

namespace {
QVector<QPointF> toWorld(const QVector<QPointF>& chartUnits, const PlotMap& map)
{
    QVector<QPointF> world;
    world.reserve(chartUnits.size());
    for (const QPointF& p : chartUnits)
        world << map.toWorld(p);
    return world;
}

// The bandpass curve through its anchors, limited to its span and the plot.
void drawBandpass(
    Page& page, const BandpassCurve& band, const PlotMap& map, const QColor& color, double width, Qt::PenStyle style)
{
    if (!(band.xRight > band.xLeft))
        return;
    const QRectF& plot = map.plot();
    const double left = map.toWorld({ band.xLeft, 0 }).x(), right = map.toWorld({ band.xRight, 0 }).x();
    const QRectF limits = QRectF(left, plot.y(), right - left, plot.height()) & plot;
    if (limits.isEmpty())
        return;
    chart::smoothCurve(page, {}, toWorld(band.anchors, map), limits, color, width, style);
}
} // namespace

void drawCurves(Page& page, const ResponseCurves& curves, const PlotMap& map)
{
    if (curves.bandpass)
        drawBandpass(page, *curves.bandpass, map, chart::color(kBandpassColor), kBandpassWidth, Qt::SolidLine);
    if (const auto& title = curves.title) {
        page.loadFont(kBold, kCaptionSize);
        page.setFontFace(kChartFace);
        page.text(title->x, 920, title->text, 256);
    }
    // Above the title, in one line: the box is drawn for another driver.
    if (const auto& note = curves.driverNote) {
        page.loadFont(0, kNoteSize);
        page.setFontFace(kChartFace);
        page.text(100, 968, *note, 256);
    }
    // A curve that rises above +10 dB (a closed box of high Q) stays inside
    // the plot instead of running through the title.
    const QRectF& plot = map.plot();
    if (const auto& box = curves.box)
        chart::lineGraph(
            page, {}, toWorld(box->points, map), chart::color(box->colorIndex), Qt::SolidLine, kBoxWidth, plot);
    for (const Curve& curve : curves.crossovers)
        chart::lineGraph(
            page, {}, toWorld(curve.points, map), chart::color(curve.colorIndex), Qt::SolidLine, kCrossoverWidth, plot);
}

void drawKeptCurves(Page& page, const KeptCurves& kept, const PlotMap& map)
{
    for (const KeptCurve& k : kept) {
        if (!k.visible)
            continue;
        const QColor color = chart::comparedColor(k.colorSlot);
        const Qt::PenStyle style = chart::comparedStyle(k.colorSlot);
        if (const auto band = k.bandpass ? bandpassCurve(*k.bandpass, map.scale()) : std::nullopt)
            drawBandpass(page, *band, map, color, kKeptWidth, style);
        if (const auto box = k.box ? boxCurve(*k.box, map.scale()) : std::nullopt)
            chart::lineGraph(page, {}, toWorld(box->points, map), color, style, kKeptWidth, map.plot());
    }
}

QVector<LegendEntry> legendEntries(
    const ResponseCurves& drawn, const DesignState& state, const KeptCurves& kept, bool minus3dB)
{
    const QString current = QStringLiteral(" (current)");
    QVector<LegendEntry> entries;
    if (drawn.box)
        entries << LegendEntry { boxLabel(state) + current, chart::color(drawn.box->colorIndex), Qt::SolidLine,
            kBoxWidth };
    if (drawn.bandpass)
        entries << LegendEntry { bandpassLabel(state) + current, chart::color(kBandpassColor), Qt::SolidLine,
            kBandpassWidth };
    for (const Curve& curve : drawn.crossovers) {
        static const char* const names[] = { "", "Woofer crossover", "Mid-range crossover", "Tweeter crossover" };
        entries << LegendEntry { QString::fromLatin1(names[int(curve.kind)]), chart::color(curve.colorIndex),
            Qt::SolidLine, kCrossoverWidth };
    }
    for (const KeptCurve& k : kept)
        if (k.visible)
            entries << LegendEntry { k.label, chart::comparedColor(k.colorSlot), chart::comparedStyle(k.colorSlot),
                kKeptWidth };
    // The line of minus signs, as a legend draws a line.
    if (minus3dB)
        entries << LegendEntry { QStringLiteral("-3 dB"), Qt::black, Qt::DashLine, kMinus3dBWidth };
    return entries;
}

void drawLegend(Page& page, const ResponseCurves& drawn, const DesignState& state, const KeptCurves& kept,
    double fontSize, const PlotMap& map)
{
    if (!anyShown(kept))
        return;
    // On the full range crossover curves never rise above 0 dB and box
    // curves end at 1 kHz: above 0 dB right of 1 kHz nothing of the designs
    // is drawn. A range with little room above 0 dB gives the legend the
    // upper part of the plot.
    const QRectF& plot = map.plot();
    const double margin = 8;
    double bottom = map.yOf(0.5);
    if (!(bottom >= plot.y() && plot.bottom() - bottom >= kLegendLeastShare * plot.height()))
        bottom = plot.bottom() - kLegendShare * plot.height();
    const QRectF area(plot.x() + margin, bottom, plot.width() - 2 * margin, plot.bottom() - margin - bottom);
    page.loadFont(0, fontSize);
    page.setFontFace(kChartFace);
    const GraphRange& r = map.range();
    page.legend(area, legendEntries(drawn, state, kept, r.fromDb <= -3 && -3 <= r.toDb), kLegendPointsOnScreen);
}

Page composeGraph(const DesignState& state, const KeptCurves& kept, const GraphRange& range)
{
    // The frame of the full range is the same on every drawing: composed
    // once, it is the backdrop that the graph window keeps drawn. The kept
    // curves change only when a curve is kept, hidden or removed: they join
    // the backdrop.
    static const Page frame = [] {
        Page page(kGraphWorld);
        page.setFontScale(kGraphFontScale);
        drawGraphFrame(page);
        page.markBackdrop();
        return page;
    }();
    const PlotMap map = graphPlot(range);
    Page page = frame;
    if (!map.range().isFull()) {
        page.clear();
        drawRangeFrame(page, map, graphFrameLook());
        page.markBackdrop();
    }
    drawKeptCurves(page, kept, map);
    page.markBackdrop();
    const ResponseCurves curves = computeCurves(state);
    drawCurves(page, curves, map);
    drawLegend(page, curves, state, kept, kLegendSize, map);
    return page;
}

std::optional<ChartReading> readingAt(const QPointF& world, const GraphRange& range)
{
    if (!kPlotArea.contains(world))
        return std::nullopt;
    const PlotMap map = graphPlot(range);
    return ChartReading { map.frequencyAt(world.x()), map.levelAt(world.y()) };
}

QString readingText(const ChartReading& reading)
{
    const double f = reading.frequency;
    const QString frequency = f >= 1000 ? QStringLiteral("%1 kHz").arg(f / 1000, 0, 'f', f >= 10000 ? 1 : 2)
                                        : QStringLiteral("%1 Hz").arg(f, 0, 'f', f >= 100 ? 0 : 1);
    return QStringLiteral("%1   %2 dB").arg(frequency).arg(reading.level, 0, 'f', 1);
}
