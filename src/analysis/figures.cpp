#include "analysis/figures.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

const QVector<double>* valuesOf(const AnalysisResult& r, CurveKind kind)
{
    const Curve* curve = r.curve(kind);
    return curve ? &curve->values : nullptr;
}

// The lowest power into Re at which an excursion curve reaches `xmax` (m),
// at or above `from` Hz; the input's own excursion scales with its voltage.
std::optional<AtFrequency> xmaxPower(
    const SystemModel& m, const AnalysisResult& r, CurveKind kind, double xmax, double from)
{
    const QVector<double>& excursion = *valuesOf(r, kind);
    std::optional<AtFrequency> lowest;
    for (int i = 0; i < r.frequencies.size(); ++i) {
        if (r.frequencies[i] < from || !(excursion[i] > 0))
            continue;
        const double watts = wattsForVolts(m, m.volts * xmax * 1000 / excursion[i]);
        if (!lowest || watts < lowest->value)
            lowest = AtFrequency { watts, r.frequencies[i] };
    }
    return lowest;
}

AtFrequency highest(const QVector<double>& frequencies, const QVector<double>& values)
{
    const auto i = std::max_element(values.begin(), values.end()) - values.begin();
    return { values[i], frequencies[i] };
}

// The impedance's minimum above its lowest peak, where the amplifier sees it.
AtFrequency impedanceMinimum(const QVector<double>& frequencies, const QVector<double>& z)
{
    int from = 0;
    for (int i = 1; i + 1 < z.size(); ++i) {
        if (z[i] >= z[i - 1] && z[i] > z[i + 1]) {
            from = i;
            break;
        }
    }
    const auto lowest = std::min_element(z.begin() + from, z.end());
    const auto i = lowest - z.begin();
    return { *lowest, frequencies[i] };
}

} // namespace

std::optional<double> cutOff(const QVector<double>& f, const QVector<double>& normalised, double drop, Side side)
{
    if (normalised.isEmpty())
        return std::nullopt;
    const auto top = std::max_element(normalised.begin(), normalised.end()) - normalised.begin();
    if (normalised[top] < -drop)
        return std::nullopt;
    const int step = side == Side::Below ? -1 : 1;
    for (auto i = top + step; i >= 0 && i < normalised.size(); i += step) {
        if (normalised[i] < -drop) {
            const auto above = i - step;
            const double t = (-drop - normalised[i]) / (normalised[above] - normalised[i]);
            return f[i] * std::pow(f[above] / f[i], t);
        }
    }
    return std::nullopt;
}

Figures figuresOf(const SystemModel& m, const DerivedDriver& driver, const AnalysisResult& r)
{
    Figures fig;
    const Lumped& all = m.all;
    SystemModel reference = m;
    reference.volts = kSensitivityVolts;
    reference.distance = kSensitivityDistance;
    fig.sensitivity = soundPressureLevel(passbandPressure(reference));
    fig.passband = soundPressureLevel(passbandPressure(m));
    fig.efficiency = 100 * kAirDensity * all.bl * all.bl * all.sd * all.sd
        / (2 * kPi * kSpeedOfSound * all.re * all.mms * all.mms);

    QVector<double> normalised = *valuesOf(r, CurveKind::Spl);
    for (double& level : normalised)
        level -= fig.passband;
    fig.f3 = cutOff(r.frequencies, normalised, 3);
    fig.f6 = cutOff(r.frequencies, normalised, 6);
    fig.f10 = cutOff(r.frequencies, normalised, 10);
    fig.upperF3 = cutOff(r.frequencies, normalised, 3, Side::Above);

    // Below F10 a vented cone unloads; a filter ahead is there to guard it.
    const double from = m.filter.active() ? 0 : fig.f10.value_or(0);
    if (m.xmax > 0)
        fig.xmaxPower = xmaxPower(m, r, CurveKind::Excursion, m.xmax, from);

    if (const QVector<double>* velocity = valuesOf(r, CurveKind::PortVelocity)) {
        fig.peakPortVelocity = highest(r.frequencies, *velocity);
        fig.peakPortMach = machNumber(fig.peakPortVelocity->value);
    }
    if (const auto cone = boxRadiator(m.box)) {
        RadiatorFigures radiator { cone->mass * 1000, cone->resonance, cone->area * 1e4, {}, {} };
        if (cone->xmax > 0) {
            radiator.xmax = cone->xmax * 1000;
            radiator.xmaxPower = xmaxPower(m, r, CurveKind::RadiatorExcursion, cone->xmax, from);
        }
        fig.radiator = radiator;
    }
    fig.impedanceMinimum = impedanceMinimum(r.frequencies, *valuesOf(r, CurveKind::Impedance));
    fig.maximumCurrent = highest(r.frequencies, *valuesOf(r, CurveKind::Current));
    fig.maximumApparentPower = highest(r.frequencies, *valuesOf(r, CurveKind::ApparentPower));
    if (const auto vent = boxVent(m.box); vent && vent->length > 0)
        fig.pipeResonance = kSpeedOfSound / (2 * vent->length);

    fig.bl = m.one.bl;
    fig.mms = m.one.mms * 1000;
    fig.qes = driver.qes;
    fig.qms = driver.qms;
    return fig;
}

} // namespace analysis
