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

// The lowest power into Re at which the excursion reaches Xmax, at or above
// `from` Hz; the input's own excursion scales with its voltage.
std::optional<AtFrequency> xmaxPower(const SystemModel& m, const AnalysisResult& r, double from)
{
    const QVector<double>& excursion = *valuesOf(r, CurveKind::Excursion);
    std::optional<AtFrequency> lowest;
    for (int i = 0; i < r.frequencies.size(); ++i) {
        if (r.frequencies[i] < from || !(excursion[i] > 0))
            continue;
        const double watts = wattsForVolts(m, m.volts * m.xmax * 1000 / excursion[i]);
        if (!lowest || watts < lowest->value)
            lowest = AtFrequency { watts, r.frequencies[i] };
    }
    return lowest;
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

std::optional<double> cutOff(const QVector<double>& f, const QVector<double>& normalised, double drop)
{
    if (normalised.isEmpty())
        return std::nullopt;
    const auto top = std::max_element(normalised.begin(), normalised.end()) - normalised.begin();
    if (normalised[top] < -drop)
        return std::nullopt;
    for (auto i = top - 1; i >= 0; --i) {
        if (normalised[i] < -drop) {
            const double t = (-drop - normalised[i]) / (normalised[i + 1] - normalised[i]);
            return f[i] * std::pow(f[i + 1] / f[i], t);
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

    // Below F10 a vented cone unloads; a filter ahead is there to guard it.
    if (m.xmax > 0)
        fig.xmaxPower = xmaxPower(m, r, m.filter.active() ? 0 : fig.f10.value_or(0));

    if (const QVector<double>* velocity = valuesOf(r, CurveKind::PortVelocity)) {
        const auto peak = std::max_element(velocity->begin(), velocity->end()) - velocity->begin();
        fig.peakPortVelocity = AtFrequency { (*velocity)[peak], r.frequencies[peak] };
        fig.peakPortMach = machNumber((*velocity)[peak]);
    }
    fig.impedanceMinimum = impedanceMinimum(r.frequencies, *valuesOf(r, CurveKind::Impedance));
    if (const auto vent = boxVent(m.box); vent && vent->length > 0)
        fig.pipeResonance = kSpeedOfSound / (2 * vent->length);

    fig.bl = m.one.bl;
    fig.mms = m.one.mms * 1000;
    fig.qes = driver.qes;
    fig.qms = driver.qms;
    return fig;
}

} // namespace analysis
