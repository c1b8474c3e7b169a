#include "analysis/analysis.h"

#include "analysis/figures.h"
#include "analysis/system.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr double kDegreesPerRadian = 180 / kPi;
constexpr double kTurn = 2 * kPi;

// Continuous across the grid, then whole turns taken off so that the
// passband's end (the highest frequency) lies within +-180 degrees.
void unwrap(QVector<double>& radians)
{
    double turns = 0;
    for (int i = 1; i < radians.size(); ++i) {
        const double step = radians[i] + turns - radians[i - 1];
        turns -= kTurn * std::round(step / kTurn);
        radians[i] += turns;
    }
    const double offset = kTurn * std::round(radians.back() / kTurn);
    for (double& r : radians)
        r -= offset;
}

// -d(phase)/d(omega) in ms: central differences, one-sided at the ends.
QVector<double> groupDelay(const QVector<double>& radians, const QVector<double>& f)
{
    const int n = radians.size();
    QVector<double> delay(n);
    for (int i = 0; i < n; ++i) {
        const int lo = std::max(i - 1, 0), hi = std::min(i + 1, n - 1);
        delay[i] = -(radians[hi] - radians[lo]) / (kTurn * (f[hi] - f[lo])) * 1000;
    }
    return delay;
}

bool finite(const QVector<double>& values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool finite(const AnalysisResult& r)
{
    for (const Curve& c : r.curves) {
        if (!finite(c.values))
            return false;
    }
    const Figures& g = r.figures;
    QVector<double> figures { g.sensitivity, g.efficiency, g.passband, g.impedanceMinimum.value, g.bl, g.mms, g.qes,
        g.qms, g.f3.value_or(0), g.f6.value_or(0), g.f10.value_or(0), g.peakPortMach.value_or(0),
        g.pipeResonance.value_or(0) };
    for (const auto& at : { g.xmaxPower, g.peakPortVelocity })
        figures << at.value_or(AtFrequency {}).value << at.value_or(AtFrequency {}).frequency;
    return finite(figures);
}

} // namespace

QVector<double> analysisFrequencies()
{
    QVector<double> f(kPointCount);
    const double span = std::log(kHighestFrequency / kLowestFrequency);
    for (int i = 0; i < kPointCount; ++i)
        f[i] = kLowestFrequency * std::exp(span * i / (kPointCount - 1));
    return f;
}

AnalysisResult analyse(const AnalysisInput& input)
{
    AnalysisResult r;
    const SystemBuild build = buildSystem(input);
    r.messages = build.messages;
    r.missing = build.driver.missing;
    r.missingForLimits = build.driver.missingForLimits;
    if (!build.model)
        return r;
    const SystemModel& m = *build.model;
    const std::optional<Vent> vent = boxVent(m.box);
    const bool limited = m.xmax > 0 && m.pe > 0;
    const double thermalVolts = limited ? voltsForWatts(m, m.pe) : 0;

    r.frequencies = analysisFrequencies();
    const int n = r.frequencies.size();
    QVector<double> spl(n), maxSpl(limited ? n : 0), excursion(n), velocity(vent ? n : 0);
    QVector<double> impedance(n), impedancePhase(n), phase(n);
    r.maxSplLimits.resize(maxSpl.size());
    for (int i = 0; i < n; ++i) {
        const double f = r.frequencies[i];
        const PointResponse p = responseAt(m, f);
        spl[i] = soundPressureLevel(std::abs(p.pressure));
        excursion[i] = std::numbers::sqrt2 * std::abs(p.coneVelocity) / (kTurn * f) * 1000;
        impedance[i] = std::abs(p.impedance);
        impedancePhase[i] = std::arg(p.impedance) * kDegreesPerRadian;
        phase[i] = std::arg(p.pressure);
        if (vent)
            velocity[i] = std::numbers::sqrt2 * std::abs(p.ventFlow) / vent->area;
        if (limited) {
            const double excursionVolts = m.volts * m.xmax * 1000 / excursion[i];
            const bool byExcursion = excursionVolts < thermalVolts;
            r.maxSplLimits[i] = byExcursion ? Limit::Excursion : Limit::Thermal;
            maxSpl[i] = spl[i] + 20 * std::log10((byExcursion ? excursionVolts : thermalVolts) / m.volts);
        }
    }
    unwrap(phase);
    const QVector<double> delay = groupDelay(phase, r.frequencies);
    for (double& p : phase)
        p *= kDegreesPerRadian;

    r.curves << Curve { CurveKind::Spl, spl };
    if (limited)
        r.curves << Curve { CurveKind::MaxSpl, maxSpl };
    r.curves << Curve { CurveKind::Excursion, excursion };
    if (vent)
        r.curves << Curve { CurveKind::PortVelocity, velocity };
    r.curves << Curve { CurveKind::Impedance, impedance } << Curve { CurveKind::ImpedancePhase, impedancePhase }
             << Curve { CurveKind::Phase, phase } << Curve { CurveKind::GroupDelay, delay };
    if (m.xmax > 0)
        r.lines << LimitLine { CurveKind::Excursion, m.xmax * 1000, QStringLiteral("Xmax") };
    if (vent)
        r.lines << LimitLine { CurveKind::PortVelocity, kPortVelocityLimit,
            QStringLiteral("%1 m/s").arg(kPortVelocityLimit) };
    r.figures = figuresOf(m, build.driver, r);

    if (!finite(r)) {
        AnalysisResult refused;
        refused.messages = r.messages;
        refused.missingForLimits = r.missingForLimits;
        refused.messages << msg::error(QStringLiteral("Result Out of Range: Check the Driver Data and the Box"));
        return refused;
    }
    return r;
}

} // namespace analysis
