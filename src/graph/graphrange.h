#pragma once
// The part of the chart that is shown: a frequency range (logarithmic) and a
// level range. The full range, 10 Hz to 100 kHz and -20 to +10 dB, is the
// chart as the graph window and the box data report draw it unless the user
// chose another; a narrower one zooms in (the box range, the crossover range,
// or what the wheel and a drag chose). Zooming never goes beyond the full
// range: the curves hold no points outside it.
//
// The curves stay computed in the chart units of curves.h; a PlotMap puts
// those units onto a page's plot for the range shown. On the full range it
// adds the plot origin and nothing else, so the chart is exactly the one
// drawn without a range.

#include "graph/curves.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <span>

inline constexpr double kLowestHz = 10;
inline constexpr double kHighestHz = 100000;
inline constexpr double kHighestDb = 10;
// The narrowest range: an octave, and 3 dB.
inline constexpr double kNarrowestRatio = 2;
inline constexpr double kNarrowestDb = 3;

struct GraphRange {
    double fromHz = kLowestHz, toHz = kHighestHz;
    double fromDb = kLowestLevel, toDb = kHighestDb;
    bool isFull() const { return *this == GraphRange(); }
    bool operator==(const GraphRange&) const = default;
};

// The ranges the graph window offers by name, the full range first.
struct NamedRange {
    const char* name;
    GraphRange range;
};
std::span<const NamedRange> namedRanges();
GraphRange boxRange(); // 10 Hz to 1 kHz
GraphRange crossoverRange(); // 100 Hz to 20 kHz

// The range as it can be shown: ordered, inside the full range and no
// narrower than the narrowest, keeping its middle where it can. Numbers
// that are not finite give the full range's.
GraphRange soundRange(GraphRange range);

// Zooms by `factor` (2: half the span) about a frequency or a level that
// stays where it is; pans by decades and decibels. Each gives a sound range.
GraphRange zoomFrequency(const GraphRange& range, double aboutHz, double factor);
GraphRange zoomLevel(const GraphRange& range, double aboutDb, double factor);
GraphRange pan(const GraphRange& range, double decades, double db);

// "23.5 Hz - 1.2 kHz, -12 to 6 dB" (the levels only when not the full ones).
QString rangeText(const GraphRange& range);

// The range the graph window shows, for the session: the window opens with
// it and the box data report prints it.
GraphRange& shownGraphRange();

// Where the chart units of one chart scale land on a page for a range.
class PlotMap {
public:
    // `plot`: the plot's world rectangle (x, y = its lower left corner);
    // `scale`: the chart units the curves were computed in for it.
    PlotMap(const QRectF& plot, const ChartScale& scale, const GraphRange& range);

    const QRectF& plot() const { return m_plot; }
    const GraphRange& range() const { return m_range; }
    const ChartScale& scale() const { return m_scale; }

    QPointF toWorld(const QPointF& chartUnits) const;
    double xOf(double frequency) const;
    double yOf(double level) const;
    double frequencyAt(double worldX) const;
    double levelAt(double worldY) const;

private:
    QRectF m_plot;
    ChartScale m_scale;
    GraphRange m_range;
    QPointF m_origin; // of the chart units on the full range
    double m_x0 = 0, m_y0 = 0, m_kx = 1, m_ky = 1;
};
