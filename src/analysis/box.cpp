#include "analysis/box.h"

#include "design/boxproportions.h"
#include "design/portlengths.h"

#include <cmath>
#include <type_traits>

namespace analysis {

namespace {

using Complex = std::complex<double>;

double airCompliance(double cubicFeet)
{
    return cubicFeet * kCubicMetresPerCubicFoot / (kAirDensity * kSpeedOfSound * kSpeedOfSound);
}

Vent port(const VentedBoxSetup& box)
{
    const double diameter = design::kPorts[box.port].diameter;
    const double radius = diameter / 2 * kMetresPerInch;
    const double length = design::portLength(diameter, box.fb, box.volume);
    return { kPi * radius * radius, design::portIsBuildable(length) ? length * kMetresPerInch : 0 };
}

struct ModelOf {
    double coneArea;
    QVector<Message>& problems;

    std::optional<BoxModel> operator()(const ClosedBoxSetup& box) const
    {
        if (!given(box.volume))
            return fail(QStringLiteral("Box Volume Must be Greater Than 0"));
        return ClosedBoxModel { airCompliance(box.volume) };
    }

    std::optional<BoxModel> operator()(const VentedBoxSetup& box) const
    {
        if (!tunable(box.volume, box.fb, box.ql))
            return std::nullopt;
        if (box.port < 0 || box.port >= design::kPortCount)
            return fail(QStringLiteral("Choose One of the Nine Port Diameters"));
        const double wb = 2 * kPi * box.fb;
        VentedBoxModel model;
        model.compliance = airCompliance(box.volume);
        model.portMass = 1 / (wb * wb * model.compliance);
        model.leakage = box.ql / (wb * model.compliance);
        model.port = port(box);
        if (model.port.length == 0)
            problems << msg::warning(QStringLiteral("This Port Cannot be Built in This Box: Choose a Wider One"));
        return model;
    }

    std::optional<BoxModel> operator()(const RadiatorBoxSetup& box) const
    {
        if (!tunable(box.volume, box.fb, box.ql))
            return std::nullopt;
        const PassiveRadiator& typed = box.radiator;
        const double wb = 2 * kPi * box.fb;
        RadiatorBoxModel model;
        model.compliance = airCompliance(box.volume);
        model.leakage = box.ql / (wb * model.compliance);
        model.radiatorCompliance = airCompliance(given(typed.vas) ? typed.vas : kDefaultRadiatorVasPerVb * box.volume);
        model.mass = (1 / model.compliance + 1 / model.radiatorCompliance) / (wb * wb);
        const double wp = 1 / std::sqrt(model.mass * model.radiatorCompliance);
        model.radiatorLoss = wp * model.mass / (given(typed.q) ? typed.q : kDefaultRadiatorQ);
        RadiatorCone& cone = model.cone;
        cone.area = given(typed.sd) ? typed.sd * 1e-4 : coneArea;
        if (given(typed.xmax))
            cone.xmax = typed.xmax * 1e-3;
        else if (given(typed.displacement) && given(cone.area))
            cone.xmax = typed.displacement * 1e-4 / cone.area;
        cone.mass = model.mass * cone.area * cone.area;
        cone.resonance = wp / (2 * kPi);
        return model;
    }

    std::optional<BoxModel> operator()(const BandpassBoxSetup& box) const
    {
        if (!given(box.sealedVolume))
            return fail(QStringLiteral("Sealed Section Volume Must be Greater Than 0"));
        if (!given(box.ventedVolume))
            return fail(QStringLiteral("Vented Section Volume Must be Greater Than 0"));
        const auto front = (*this)(VentedBoxSetup { box.ventedVolume, box.fb, box.ql, box.port });
        if (!front)
            return std::nullopt;
        return BandpassBoxModel { airCompliance(box.sealedVolume), std::get<VentedBoxModel>(*front) };
    }

    // A box tuned by the air in it: its volume, its tuning and its losses.
    bool tunable(double volume, double fb, double ql) const
    {
        if (!given(volume))
            fail(QStringLiteral("Box Volume Must be Greater Than 0"));
        else if (!given(fb))
            fail(QStringLiteral("Tuning Frequency Must be Greater Than 0"));
        else if (!given(ql))
            fail(QStringLiteral("QL Must be Greater Than 0"));
        else
            return true;
        return false;
    }

    std::optional<BoxModel> fail(const QString& prompt) const
    {
        problems << msg::error(prompt);
        return std::nullopt;
    }
};

// The box's air, its vent (a port or a radiator) and its leak side by side:
// what flows through the air is what the cone, the vent and the leak radiate together.
BoxLoad behindTheCone(Complex air, Complex vent, double leakage)
{
    const Complex impedance = 1.0 / (air + vent + 1.0 / leakage);
    return { impedance, impedance * air, -impedance * vent };
}

struct LoadAt {
    double omega;

    BoxLoad operator()(const ClosedBoxModel& box) const
    {
        return { 1.0 / Complex(0, omega * box.compliance), 1.0, 0.0 };
    }

    BoxLoad operator()(const VentedBoxModel& box) const
    {
        const Complex port = 1.0 / Complex(0, omega * box.portMass);
        return behindTheCone(Complex(0, omega * box.compliance), port, box.leakage);
    }

    BoxLoad operator()(const RadiatorBoxModel& box) const
    {
        const Complex radiator
            = 1.0 / Complex(box.radiatorLoss, omega * box.mass - 1 / (omega * box.radiatorCompliance));
        return behindTheCone(Complex(0, omega * box.compliance), radiator, box.leakage);
    }

    BoxLoad operator()(const BandpassBoxModel& box) const
    {
        // In front of the cone the flows turn round: the cone fills the vented section.
        const BoxLoad front = (*this)(box.front);
        return { (*this)(ClosedBoxModel { box.sealedCompliance }).impedance + front.impedance, -front.vent,
            -front.vent };
    }
};

} // namespace

std::optional<BoxModel> boxModel(const BoxSetup& setup, double coneArea, QVector<Message>& problems)
{
    return std::visit(ModelOf { coneArea, problems }, setup);
}

BoxLoad boxLoad(const BoxModel& box, double omega) { return std::visit(LoadAt { omega }, box); }

std::optional<Vent> boxVent(const BoxModel& box)
{
    if (const auto* vented = std::get_if<VentedBoxModel>(&box))
        return vented->port;
    if (const auto* bandpass = std::get_if<BandpassBoxModel>(&box))
        return bandpass->front.port;
    return std::nullopt;
}

std::optional<RadiatorCone> boxRadiator(const BoxModel& box)
{
    if (const auto* radiator = std::get_if<RadiatorBoxModel>(&box))
        return radiator->cone;
    return std::nullopt;
}

double netVolume(const BoxSetup& setup)
{
    return std::visit(
        [](const auto& box) {
            if constexpr (std::is_same_v<std::decay_t<decltype(box)>, BandpassBoxSetup>)
                return box.sealedVolume + box.ventedVolume;
            else
                return box.volume;
        },
        setup);
}

int defaultPort(double fb, double volume)
{
    if (!given(fb) || !given(volume))
        return design::kPortCount - 1;
    const double height = design::boxProportions(float(volume)).height;
    int narrowestBuildable = -1;
    int widestThatFits = -1;
    for (int i = 0; i < design::kPortCount; ++i) {
        const double length = design::portLength(design::kPorts[i].diameter, fb, volume);
        if (!design::portIsBuildable(length))
            continue;
        if (narrowestBuildable < 0)
            narrowestBuildable = i;
        if (length <= height)
            widestThatFits = i;
    }
    if (widestThatFits >= 0)
        return widestThatFits;
    return narrowestBuildable >= 0 ? narrowestBuildable : design::kPortCount - 1;
}

} // namespace analysis
