#include "analysis/system.h"

#include "analysis/highpass.h"

#include <cmath>

namespace analysis {

namespace {
using Complex = std::complex<double>;
}

SystemBuild buildSystem(const AnalysisInput& in)
{
    SystemBuild out;
    out.driver = deriveDriver(in.driver);
    out.messages = out.driver.messages;
    QVector<Message>& problems = out.messages;
    const auto box = boxModel(in.box, problems);
    const bool countValid = in.drivers.count >= 1 && in.drivers.count <= kMostDrivers;
    if (!countValid)
        problems << msg::error(QStringLiteral("Number of Drivers Must be 1 to %1").arg(kMostDrivers));
    if (!given(in.drive.level))
        problems << msg::error(QStringLiteral("Input Must be Greater Than 0"));
    if (!given(in.drive.distance))
        problems << msg::error(QStringLiteral("Distance Must be Greater Than 0"));
    const bool filterValid = highPassValid(in.filter, problems);
    if (!out.driver.lumped || !box || !countValid || !given(in.drive.level) || !given(in.drive.distance)
        || !filterValid)
        return out;

    SystemModel m;
    m.one = *out.driver.lumped;
    m.all = combined(m.one, in.drivers);
    m.box = *box;
    m.filter = in.filter;
    m.distance = in.drive.distance;
    m.xmax = given(in.driver.xmax) ? in.driver.xmax * 1e-3 : 0;
    m.pe = given(in.driver.pe) ? in.driver.pe * in.drivers.coils() : 0;
    m.volts = in.drive.unit == DriveUnit::Watts ? voltsForWatts(m, in.drive.level) : in.drive.level;
    out.model = m;
    return out;
}

PointResponse responseAt(const SystemModel& m, double frequency)
{
    const double omega = 2 * kPi * frequency;
    const Complex jw(0, omega);
    const Lumped& d = m.all;
    const BoxLoad box = boxLoad(m.box, omega);
    const Complex mechanical = d.rms + jw * d.mms + 1.0 / (jw * d.cms) + d.sd * d.sd * box.impedance;
    PointResponse r;
    r.impedance = d.re + jw * d.le + d.bl * d.bl / mechanical;
    const Complex current = m.volts * highPassGain(m.filter, frequency) / r.impedance;
    r.coneVelocity = d.bl * current / mechanical;
    const Complex coneFlow = d.sd * r.coneVelocity;
    r.pressure = jw * kAirDensity * coneFlow * box.output / (2 * kPi * m.distance);
    r.ventFlow = coneFlow * box.vent;
    return r;
}

double passbandPressure(const SystemModel& m)
{
    const Lumped& d = m.all;
    return kAirDensity * d.sd * d.bl * m.volts / (2 * kPi * m.distance * d.re * d.mms);
}

double voltsForWatts(const SystemModel& m, double watts) { return std::sqrt(watts * m.all.re); }

double wattsForVolts(const SystemModel& m, double volts) { return volts * volts / m.all.re; }

double soundPressureLevel(double pressure) { return 20 * std::log10(pressure / kReferencePressure); }

} // namespace analysis
