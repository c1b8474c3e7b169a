#include "graph/graphpage.h"

#include "platform/chart.h"

namespace {
const QString kChartFace = QStringLiteral("Roman");
constexpr int kLabelSize = 100;
constexpr int kCaptionSize = 120;
constexpr int kBold = 32;
} // namespace

double frequencyLabelX(double frequency) { return chartX(frequency) + kPlotOrigin.x(); }

void drawGraphFrame(Page& page)
{
    page.loadFont(kBold, kLabelSize);
    page.setFontFace(kChartFace);

    chart::logAxis(page, 100, 635, 1850, 4);
    chart::logGrid(page, 100, 100, 1850, 800, 4);
    chart::linearAxis(page, 100, 100, 800, 15, 1850);

    // Each division of the level axis is 2 dB.
    chart::labelsY(page, 20, 79, 53.333, -20, 2, 10);
    chart::labelsY(page, 40, 615, 53.333, 0, 2, 6);
    for (const FrequencyLabel& label : kFrequencyLabels)
        page.text(frequencyLabelX(label.frequency), 60, QString::fromLatin1(label.text), 256);

    page.loadFont(kBold, kCaptionSize);
    page.text(700, 25, QStringLiteral("Frequency"), 256);
    page.text(40, 920, QStringLiteral("dB"), 256);
    page.text(100, 534, QString(141, u'-'), 256, 9);
}

void drawCurves(Page& page, const ResponseCurves& curves, const QPointF& origin)
{
    if (const auto& band = curves.bandpass; band && band->xRight > band->xLeft) {
        const QRectF limits(origin.x() + band->xLeft, origin.y(), band->xRight - band->xLeft, 800);
        chart::smoothCurve(page, origin, band->anchors, limits, chart::color(kBandpassColor), 2.0);
    }
    if (const auto& title = curves.title) {
        page.loadFont(kBold, kCaptionSize);
        page.setFontFace(kChartFace);
        page.text(title->x, 920, title->text, 256);
    }
    // A curve that rises above +10 dB (a closed box of high Q) stays inside
    // the plot instead of running through the title.
    const QRectF plot(origin, QSizeF(kPlotArea.width(), kPlotArea.height()));
    if (const auto& box = curves.box)
        chart::lineGraph(page, origin, box->points, chart::color(box->colorIndex), Qt::SolidLine, 2.2, plot);
    for (const Curve& curve : curves.crossovers)
        chart::lineGraph(page, origin, curve.points, chart::color(curve.colorIndex), Qt::SolidLine, 1.6, plot);
}

Page composeGraph(const DesignState& state)
{
    // The frame is the same on every drawing: composed once, it is the
    // backdrop that the graph window keeps drawn.
    static const Page frame = [] {
        Page page(kGraphWorld);
        page.setFontScale(kGraphFontScale);
        drawGraphFrame(page);
        page.markBackdrop();
        return page;
    }();
    Page page = frame;
    drawCurves(page, computeCurves(state));
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
