#include "design/boxproportions.h"

#include "design/singles.h"

#include <cmath>

namespace design {

double roundHalfEven(double value)
{
    const double down = std::floor(value);
    const double rest = value - down;
    if (rest > 0.5)
        return down + 1;
    if (rest < 0.5)
        return down;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

BoxProportions boxProportions(float volumeCubicFeet)
{
    BoxProportions box;
    box.cubicInches = roundHalfEven(toSingle(double(volumeCubicFeet) * 1728));
    box.width = toSingle(std::pow(box.cubicInches, 0.3333));
    box.height = toSingle(1.62 * box.width);
    box.depth = toSingle(0.62 * box.width);
    return box;
}

} // namespace design
