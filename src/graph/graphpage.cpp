#include "graph/graphpage.h"

#include "platform/chart.h"

namespace {
const QString kChartFace = QStringLiteral("Roman");
constexpr int kLabelSize = 100;
constexpr int kCaptionSize = 120;
constexpr int kBold = 32;
constexpr int kLegendSize = 85;
constexpr int kNoteSize = 80;

// Line widths, in pixels at 96 dpi.
constexpr double kBoxWidth = 2.2;
constexpr double kBandpassWidth = 2.0;
constexpr double kCrossoverWidth = 1.6;
constexpr double kKeptWidth = 2.0;
} // namespace

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

void drawCurves(Page& page, const ResponseCurves& curves, const QPointF& origin)
{
    if (const auto& band = curves.bandpass; band && band->xRight > band->xLeft) {
        const QRectF limits(origin.x() + band->xLeft, origin.y(), band->xRight - band->xLeft, 800);
        chart::smoothCurve(page, origin, band->anchors, limits, chart::color(kBandpassColor), kBandpassWidth);
    }
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
    const QRectF plot(origin, QSizeF(kPlotArea.width(), kPlotArea.height()));
    if (const auto& box = curves.box)
        chart::lineGraph(page, origin, box->points, chart::color(box->colorIndex), Qt::SolidLine, kBoxWidth, plot);
    for (const Curve& curve : curves.crossovers)
        chart::lineGraph(
            page, origin, curve.points, chart::color(curve.colorIndex), Qt::SolidLine, kCrossoverWidth, plot);
}

void drawKeptCurves(
    Page& page, const KeptCurves& kept, const ChartScale& scale, const QPointF& origin, const QRectF& plot)
{
    for (const KeptCurve& k : kept) {
        if (!k.visible)
            continue;
        const QColor color = chart::comparedColor(k.colorSlot);
        if (const auto band = k.bandpass ? bandpassCurve(*k.bandpass, scale) : std::nullopt;
            band && band->xRight > band->xLeft) {
            const QRectF limits(origin.x() + band->xLeft, plot.y(), band->xRight - band->xLeft, plot.height());
            chart::smoothCurve(page, origin, band->anchors, limits, color, kKeptWidth, Qt::DashLine);
        }
        if (const auto box = k.box ? boxCurve(*k.box, scale) : std::nullopt)
            chart::lineGraph(page, origin, box->points, color, Qt::DashLine, kKeptWidth, plot);
    }
}

QVector<LegendEntry> legendEntries(const ResponseCurves& drawn, const DesignState& state, const KeptCurves& kept)
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
            entries << LegendEntry { k.label, chart::comparedColor(k.colorSlot), Qt::DashLine, kKeptWidth };
    return entries;
}

void drawLegend(Page& page, const ResponseCurves& drawn, const DesignState& state, const KeptCurves& kept,
    double fontSize, const QRectF& plot)
{
    if (!anyShown(kept))
        return;
    // Crossover curves never rise above 0 dB and box curves end at 1 kHz:
    // above 0 dB right of 1 kHz nothing of the designs is drawn.
    const double margin = 8;
    const double bottom = plot.y() + chartY(0.5);
    const QRectF area(plot.x() + margin, bottom, plot.width() - 2 * margin, plot.bottom() - margin - bottom);
    page.loadFont(0, fontSize);
    page.setFontFace(kChartFace);
    page.legend(area, legendEntries(drawn, state, kept));
}

Page composeGraph(const DesignState& state, const KeptCurves& kept)
{
    // The frame is the same on every drawing: composed once, it is the
    // backdrop that the graph window keeps drawn. The kept curves change
    // only when a curve is kept, hidden or removed: they join the backdrop.
    static const Page frame = [] {
        Page page(kGraphWorld);
        page.setFontScale(kGraphFontScale);
        drawGraphFrame(page);
        page.markBackdrop();
        return page;
    }();
    Page page = frame;
    drawKeptCurves(page, kept);
    page.markBackdrop();
    const ResponseCurves curves = computeCurves(state);
    drawCurves(page, curves);
    drawLegend(page, curves, state, kept, kLegendSize);
    return page;
}

std::optional<ChartReading> readingAt(const QPointF& world)
{
    if (!kPlotArea.contains(world))
        return std::nullopt;
    const QPointF chart = world - kPlotOrigin;
    return ChartReading { frequencyAtX(chart.x()), levelAtY(chart.y()) };
}

QString readingText(const ChartReading& reading)
{
    const double f = reading.frequency;
    const QString frequency = f >= 1000 ? QStringLiteral("%1 kHz").arg(f / 1000, 0, 'f', f >= 10000 ? 1 : 2)
                                        : QStringLiteral("%1 Hz").arg(f, 0, 'f', f >= 100 ? 0 : 1);
    return QStringLiteral("%1   %2 dB").arg(frequency).arg(reading.level, 0, 'f', 1);
}
