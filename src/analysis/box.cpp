#include "analysis/box.h"

#include "design/boxproportions.h"
#include "design/portlengths.h"

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
    QVector<Message>& problems;

    std::optional<BoxModel> operator()(const ClosedBoxSetup& box) const
    {
        if (!given(box.volume))
            return fail(QStringLiteral("Box Volume Must be Greater Than 0"));
        return ClosedBoxModel { airCompliance(box.volume) };
    }

    std::optional<BoxModel> operator()(const VentedBoxSetup& box) const
    {
        if (!given(box.volume))
            return fail(QStringLiteral("Box Volume Must be Greater Than 0"));
        if (!given(box.fb))
            return fail(QStringLiteral("Tuning Frequency Must be Greater Than 0"));
        if (!given(box.ql))
            return fail(QStringLiteral("QL Must be Greater Than 0"));
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

    std::optional<BoxModel> fail(const QString& prompt) const
    {
        problems << msg::error(prompt);
        return std::nullopt;
    }
};

struct LoadAt {
    double omega;

    BoxLoad operator()(const ClosedBoxModel& box) const
    {
        return { 1.0 / Complex(0, omega * box.compliance), 1.0, 0.0 };
    }

    BoxLoad operator()(const VentedBoxModel& box) const
    {
        const Complex air(0, omega * box.compliance); // admittances
        const Complex port = 1.0 / Complex(0, omega * box.portMass);
        const Complex impedance = 1.0 / (air + port + 1.0 / box.leakage);
        // What flows through the box's air is what the cone, the port and the leak radiate together.
        return { impedance, impedance * air, -impedance * port };
    }
};

} // namespace

std::optional<BoxModel> boxModel(const BoxSetup& setup, QVector<Message>& problems)
{
    return std::visit(ModelOf { problems }, setup);
}

BoxLoad boxLoad(const BoxModel& box, double omega) { return std::visit(LoadAt { omega }, box); }

std::optional<Vent> boxVent(const BoxModel& box)
{
    if (const auto* vented = std::get_if<VentedBoxModel>(&box))
        return vented->port;
    return std::nullopt;
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
