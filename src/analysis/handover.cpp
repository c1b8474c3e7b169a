#include "analysis/handover.h"

#include "analysis/box.h"

#include <array>
#include <cmath>
#include <utility>

namespace analysis {

namespace {

std::optional<BoxSetup> handedOverBox(const DesignState& s)
{
    if (s.boxValid != 1)
        return std::nullopt;
    switch (s.boxType) {
    case BoxType::Closed:
        return ClosedBoxSetup { s.closedVb };
    case BoxType::Vented:
        return VentedBoxSetup { s.closedVb, s.ventedFb, kDefaultQl, defaultPort(s.ventedFb, s.closedVb) };
    case BoxType::Radiator: {
        RadiatorBoxSetup box;
        box.volume = s.closedVb;
        box.fb = s.ventedFb;
        box.radiator.displacement = s.radiatorVpr;
        return box;
    }
    default:
        return std::nullopt;
    }
}

std::optional<BoxSetup> handedOverBandpass(const DesignState& s)
{
    if (s.bandValid != 1)
        return std::nullopt;
    return BandpassBoxSetup { s.bandSealedVb, s.bandVentedVb, s.bandFb, kDefaultQl,
        defaultPort(s.bandFb, s.bandVentedVb) };
}

// The box windows share Qts with the measurement window; the bandpass window
// keeps its own. The measured driver is the bandpass's when its Qes and Qms
// give the bandpass design's Qts.
bool measuredForBandpass(const DesignState& s)
{
    if (!given(s.qes) || !given(s.qms))
        return false;
    const double qts = 1 / (1 / double(s.qes) + 1 / double(s.qms));
    return std::abs(qts - s.bandQts) <= kQtsTolerance * s.bandQts;
}

} // namespace

std::optional<AnalysisInput> handedOverAnalysis(const DesignState& s, HandedOver which)
{
    const bool box = which == HandedOver::Box;
    const std::optional<BoxSetup> setup = box ? handedOverBox(s) : handedOverBandpass(s);
    if (!setup)
        return std::nullopt;
    AnalysisInput in;
    in.box = *setup;
    in.driver.fs = box ? s.fs : s.bandFs;
    in.driver.qts = box ? s.qts : s.bandQts;
    in.driver.vas = box ? s.vas : s.bandVas;
    if (box || measuredForBandpass(s)) {
        in.driver.qes = s.qes;
        in.driver.qms = s.qms;
        in.driver.re = s.re;
    }
    in.drivers.isobaric = !((box ? s.isoFactor : s.bandIsoFactor) >= 1);
    in.driverName = (box ? s.driverName : s.bandWooferName).trimmed();
    return in;
}

QString boxName(const BoxSetup& box)
{
    return std::visit([](const auto& setup) { return QString::fromLatin1(setup.name); }, box);
}

QString boxKey(const BoxSetup& box)
{
    return std::visit([](const auto& setup) { return QString::fromLatin1(setup.key); }, box);
}

namespace {
// Every alternative of BoxSetup, as it is before its window designs it.
std::array<BoxSetup, std::variant_size_v<BoxSetup>> everyBox()
{
    return []<std::size_t... I>(std::index_sequence<I...>)
    {
        return std::array<BoxSetup, sizeof...(I)> { BoxSetup(std::in_place_index<I>)... };
    }
    (std::make_index_sequence<std::variant_size_v<BoxSetup>>());
}
} // namespace

QStringList boxKeys()
{
    QStringList keys;
    for (const BoxSetup& box : everyBox())
        keys << boxKey(box);
    return keys;
}

std::optional<BoxSetup> boxOfKey(QStringView key)
{
    for (const BoxSetup& box : everyBox())
        if (key == boxKey(box))
            return box;
    return std::nullopt;
}

} // namespace analysis
