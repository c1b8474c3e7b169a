#include "design/portlengths.h"

#include "core/numberformat.h"
#include "design/singles.h"

namespace design {

PortLengths portLengths(float tuningHz, float volumeCubicFeet)
{
    const double fb = tuningHz;
    const double cubicInches = double(volumeCubicFeet) * 1728;
    PortLengths lengths {};
    for (int i = 0; i < kPortCount; ++i) {
        const double r = kPortDiameters[i] / 2;
        lengths[i] = toSingle(1.463e7 * r * r / (fb * fb * cubicInches) - 1.463 * r);
    }
    return lengths;
}

QString portLengthText(float length)
{
    return length <= 0.5f ? QStringLiteral("N/A") : formatNumber(length, kPattern2);
}

} // namespace design
