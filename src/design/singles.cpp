#include "design/singles.h"

#include <cmath>
#include <limits>

namespace design {

float toSingle(double value)
{
    // Beyond the largest Single plus half a unit in the last place the value
    // rounds to infinity; the cast alone would leave that undefined.
    constexpr double overflow = 0x1p128 - 0x1p103;
    if (value >= overflow)
        return std::numeric_limits<float>::infinity();
    if (value <= -overflow)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

std::optional<float> toFiniteSingle(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(value);
}

double asShown(float value, QStringView pattern, const Unit& unit) { return asShownIn(value, pattern, true, unit); }

double asShown(double value, QStringView pattern, const Unit& unit) { return asShownIn(value, pattern, false, unit); }

bool allFinite(std::initializer_list<float> values)
{
    for (float v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace design
