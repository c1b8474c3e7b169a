#include "design/inductor.h"

#include "core/numberformat.h"
#include "design/singles.h"

#include <cmath>

namespace design {

namespace {

float single(double value) { return toSingle(value); }

// `denominator` is R x 5590, or Rd x 279.5 for 5 % of a driver's impedance.
std::optional<CoilDesign> coilFor(float milliHenry, float denominator)
{
    CoilDesign coil;
    const float scaled = single(double(milliHenry) * 1000);
    coil.height = single(std::sqrt(double(single(double(scaled) / double(denominator)))));
    if (!(coil.height > 0))
        return std::nullopt;
    coil.turns = single(std::sqrt(double(single(double(scaled) / double(coil.height)))) * 3.94);
    coil.wire = single(double(coil.height) * 0.841 / std::sqrt(double(coil.turns)));
    coil.diameter = single(2.0 * double(coil.height));
    if (!allFinite({ coil.height, coil.turns, coil.wire, coil.diameter }))
        return std::nullopt;
    coil.gauge = wireGaugeFor(coil.wire);
    return coil;
}

} // namespace

std::int16_t wireGaugeFor(float diameter)
{
    for (const WireGauge& wire : kWireTable)
        if (wire.diameter >= diameter)
            return wire.awg;
    return 0;
}

std::optional<CoilDesign> coilForResistance(double milliHenry, double ohms)
{
    const float l = single(milliHenry);
    const float r = single(ohms);
    if (!(l > 0) || !(r > 0))
        return std::nullopt;
    return coilFor(l, single(double(r) * 5590));
}

std::optional<CoilDesign> coilForDriver(double milliHenry, double driverOhms)
{
    const float l = single(milliHenry);
    const float rd = single(driverOhms);
    if (!(l > 0) || !(rd > 0))
        return std::nullopt;
    return coilFor(l, single(double(rd) * 279.5));
}

float allowedResistance(float driverOhms) { return single(double(driverOhms) * 0.05); }

QString gaugeText(std::int16_t gauge) { return gauge == 0 ? QStringLiteral(" ****") : numberText(double(gauge)); }

std::vector<CoilTakeOver> coilsToTakeOver(CoilSource source, const DesignState& state)
{
    const int coilSource = static_cast<int>(source);
    std::vector<CoilTakeOver> rows;
    if (coilSource <= 6)
        rows.push_back({ 1, state.xoverL1, state.xoverRl });
    if (coilSource >= 2 && coilSource <= 6)
        rows.push_back({ 2, state.xoverL2, state.xoverRh });
    if (coilSource == 3 || coilSource == 4)
        rows.push_back({ 3, state.xoverL3, state.xoverRm });
    if (coilSource == 4)
        rows.push_back({ 4, state.xoverL4, state.xoverRm });
    return rows;
}

} // namespace design
