#include "graph/graphrange.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace {
const NamedRange kNamedRanges[] = {
    { "Full range", GraphRange() },
    { "Box range", GraphRange { 10, 1000, kLowestLevel, kHighestDb } },
    { "Crossover range", GraphRange { 100, 20000, kLowestLevel, kHighestDb } },
};

double finiteOr(double value, double otherwise) { return std::isfinite(value) ? value : otherwise; }

// An interval [from, to] made sound: ordered, at least `narrowest` wide
// about its middle, then moved inside [lowest, highest].
std::pair<double, double> soundInterval(double from, double to, double lowest, double highest, double narrowest)
{
    if (from > to)
        std::swap(from, to);
    from = std::max(from, lowest);
    to = std::min(to, highest);
    if (!(to - from >= narrowest)) {
        const double middle = std::clamp((from + to) / 2, lowest + narrowest / 2, highest - narrowest / 2);
        return { middle - narrowest / 2, middle + narrowest / 2 };
    }
    return { from, to };
}

QString frequencyText(double f)
{
    if (f >= 1000)
        return QString::number(f / 1000, 'g', 3) + QStringLiteral(" kHz");
    return QString::number(f, 'g', 3) + QStringLiteral(" Hz");
}
} // namespace

std::span<const NamedRange> namedRanges() { return kNamedRanges; }

GraphRange boxRange() { return kNamedRanges[1].range; }

GraphRange crossoverRange() { return kNamedRanges[2].range; }

GraphRange soundRange(GraphRange r)
{
    const GraphRange full;
    // Frequencies in decades, where the narrowest span is the same everywhere.
    const double fromHz = finiteOr(r.fromHz, 0) > 0 ? r.fromHz : full.fromHz;
    const double toHz = finiteOr(r.toHz, 0) > 0 ? r.toHz : full.toHz;
    const double from = std::log10(fromHz), to = std::log10(toHz);
    const auto [lowDecade, highDecade]
        = soundInterval(from, to, std::log10(kLowestHz), std::log10(kHighestHz), std::log10(kNarrowestRatio));
    // What needs no change keeps its value exactly, and so do the full range's ends.
    const auto hz = [&](double decade) {
        if (decade == from)
            return fromHz;
        if (decade == to)
            return toHz;
        if (decade <= std::log10(kLowestHz))
            return kLowestHz;
        return decade >= std::log10(kHighestHz) ? kHighestHz : std::pow(10.0, decade);
    };
    r.fromHz = hz(lowDecade);
    r.toHz = hz(highDecade);
    std::tie(r.fromDb, r.toDb) = soundInterval(
        finiteOr(r.fromDb, full.fromDb), finiteOr(r.toDb, full.toDb), kLowestLevel, kHighestDb, kNarrowestDb);
    return r;
}

GraphRange zoomFrequency(const GraphRange& range, double aboutHz, double factor)
{
    if (!(aboutHz > 0 && factor > 0))
        return soundRange(range);
    GraphRange r = range;
    r.fromHz = aboutHz * std::pow(range.fromHz / aboutHz, 1 / factor);
    r.toHz = aboutHz * std::pow(range.toHz / aboutHz, 1 / factor);
    return soundRange(r);
}

GraphRange zoomLevel(const GraphRange& range, double aboutDb, double factor)
{
    if (!(factor > 0))
        return soundRange(range);
    GraphRange r = range;
    r.fromDb = aboutDb + (range.fromDb - aboutDb) / factor;
    r.toDb = aboutDb + (range.toDb - aboutDb) / factor;
    return soundRange(r);
}

GraphRange pan(const GraphRange& range, double decades, double db)
{
    GraphRange r = range;
    // At an end of the full range the span stays as it is.
    decades = std::clamp(decades, std::log10(kLowestHz / range.fromHz), std::log10(kHighestHz / range.toHz));
    db = std::clamp(db, kLowestLevel - range.fromDb, kHighestDb - range.toDb);
    r.fromHz *= std::pow(10.0, decades);
    r.toHz *= std::pow(10.0, decades);
    r.fromDb += db;
    r.toDb += db;
    return soundRange(r);
}

QString rangeText(const GraphRange& r)
{
    QString text = frequencyText(r.fromHz) + QStringLiteral(" - ") + frequencyText(r.toHz);
    if (r.fromDb != kLowestLevel || r.toDb != kHighestDb)
        text += QStringLiteral(", %1 to %2 dB").arg(r.fromDb, 0, 'g', 3).arg(r.toDb, 0, 'g', 3);
    return text;
}

GraphRange& shownGraphRange()
{
    static GraphRange range;
    return range;
}

PlotMap::PlotMap(const QRectF& plot, const ChartScale& scale, const GraphRange& range)
    : m_plot(plot)
    , m_scale(scale)
    , m_range(soundRange(range))
    , m_origin(plot.x() - scale.xOffset, plot.y())
{
    if (m_range.isFull())
        return;
    m_x0 = chartX(m_range.fromHz, scale);
    m_kx = plot.width() / (chartX(m_range.toHz, scale) - m_x0);
    m_y0 = chartY(m_range.fromDb);
    m_ky = plot.height() / (chartY(m_range.toDb) - m_y0);
}

QPointF PlotMap::toWorld(const QPointF& c) const
{
    if (m_range.isFull())
        return m_origin + c;
    return { m_plot.x() + (c.x() - m_x0) * m_kx, m_plot.y() + (c.y() - m_y0) * m_ky };
}

double PlotMap::xOf(double frequency) const { return toWorld({ chartX(frequency, m_scale), 0 }).x(); }

double PlotMap::yOf(double level) const { return toWorld({ 0, chartY(level) }).y(); }

double PlotMap::frequencyAt(double worldX) const
{
    if (m_range.isFull())
        return frequencyAtX(worldX - m_origin.x(), m_scale);
    return frequencyAtX(m_x0 + (worldX - m_plot.x()) / m_kx, m_scale);
}

double PlotMap::levelAt(double worldY) const
{
    if (m_range.isFull())
        return levelAtY(worldY - m_origin.y());
    return levelAtY(m_y0 + (worldY - m_plot.y()) / m_ky);
}
