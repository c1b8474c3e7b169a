#include "design/portlengths.h"

#include "core/numberformat.h"
#include "design/singles.h"

namespace design {

double portLength(double diameter, double tuningHz, double volumeCubicFeet)
{
    const double r = diameter / 2;
    const double cubicInches = volumeCubicFeet * 1728;
    return 1.463e7 * r * r / (tuningHz * tuningHz * cubicInches) - 1.463 * r;
}

bool portIsBuildable(double length) { return length > 0.5; }

PortLengths portLengths(float tuningHz, float volumeCubicFeet)
{
    PortLengths lengths {};
    for (int i = 0; i < kPortCount; ++i)
        lengths[i] = toSingle(portLength(kPorts[i].diameter, tuningHz, volumeCubicFeet));
    return lengths;
}

QString portLengthText(float length)
{
    return portIsBuildable(length) ? formatNumber(length, kPattern2) : QStringLiteral("N/A");
}

} // namespace design
