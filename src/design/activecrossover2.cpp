#include "design/activecrossover2.h"

#include "core/numberformat.h"
#include "design/singles.h"

#include <QString>
#include <cmath>

namespace design {

namespace {
// A computed value, kept only when it is a finite Single.
bool keep(double value, float& into)
{
    const std::optional<float> single = toFiniteSingle(value);
    if (!single)
        return false;
    into = *single;
    return true;
}
} // namespace

std::optional<LowPassSection> activeLowPass(double frequency)
{
    if (!(frequency > 0))
        return std::nullopt;
    const double per = frequency * kActiveTwoPi * kActiveLowPassR;
    LowPassSection s;
    if (!keep(0.2024 / per * 1000000, s.c1) || !keep(3.546 / per * 1000000, s.c2) || !keep(1.392 / per * 1000000, s.c3))
        return std::nullopt;
    return s;
}

std::optional<HighPassSection> activeHighPass(double frequency)
{
    if (!(frequency > 0))
        return std::nullopt;
    HighPassSection s;
    // The resistors divide by the stored capacitor: one that underflows to a
    // subnormal or zero Single would make them wrong or infinite.
    if (!keep(1 / (frequency * kActiveTwoPi * kActiveHighPassR) * 1000000, s.c) || !std::isnormal(s.c))
        return std::nullopt;
    s.cHalf = s.c / 2;
    const double per = frequency * kActiveTwoPi * s.c;
    if (!keep(4.941 / per * 1000000, s.r1) || !keep(0.2820 / per * 1000000, s.r2)
        || !keep(0.7184 / per * 1000000, s.r3))
        return std::nullopt;
    return s;
}

QString activeComponentText(const ActiveComponent& component)
{
    return formatNumber(component.value, component.resistor ? kResistorPattern : kCapacitorPattern);
}

QVector<ActiveComponent> ActiveTwoWay::components() const
{
    return { { "szR", r, true }, { "szR1", r1, true }, { "szR2", r2, true }, { "szR3", r3, true }, { "szR4", r4, true },
        { "szC", c, false }, { "szC1", c1, false }, { "szC2", c2, false }, { "szC3", c3, false },
        { "szC4", c4, false } };
}

std::optional<ActiveTwoWay> activeTwoWay(double frequency)
{
    const std::optional<HighPassSection> high = activeHighPass(frequency);
    const std::optional<LowPassSection> low = activeLowPass(frequency);
    if (!high || !low)
        return std::nullopt;
    ActiveTwoWay d;
    d.r = static_cast<float>(kActiveLowPassR);
    d.r4 = static_cast<float>(kActiveHighPassR);
    d.c = high->c;
    d.c1 = high->cHalf;
    d.r1 = high->r1;
    d.r2 = high->r2;
    d.r3 = high->r3;
    d.c2 = low->c1;
    d.c3 = low->c2;
    d.c4 = low->c3;
    return d;
}

} // namespace design
