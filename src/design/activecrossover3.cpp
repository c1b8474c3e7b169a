#include "design/activecrossover3.h"

namespace design {

QVector<ActiveComponent> ActiveThreeWay::components() const
{
    return { { "szR", r, true }, { "szR1", r1, true }, { "szR2", r2, true }, { "szR3", r3, true }, { "szR4", r4, true },
        { "szC", c, false }, { "szC1", c1, false }, { "szC2", c2, false }, { "szC3", c3, false }, { "szC4", c4, false },
        { "szRm", rm, true }, { "szR5", r5, true }, { "szR6", r6, true }, { "szR7", r7, true }, { "szR8", r8, true },
        { "szCm", cm, false }, { "szC5", c5, false }, { "szC6", c6, false }, { "szC7", c7, false },
        { "szC8", c8, false } };
}

std::optional<ActiveThreeWay> activeThreeWay(double highFrequency, double lowFrequency)
{
    const std::optional<HighPassSection> highAtFh = activeHighPass(highFrequency);
    const std::optional<LowPassSection> lowAtFh = activeLowPass(highFrequency);
    const std::optional<HighPassSection> highAtFl = activeHighPass(lowFrequency);
    const std::optional<LowPassSection> lowAtFl = activeLowPass(lowFrequency);
    if (!highAtFh || !lowAtFh || !highAtFl || !lowAtFl)
        return std::nullopt;
    ActiveThreeWay d;
    d.r = d.rm = static_cast<float>(kActiveLowPassR);
    d.r4 = d.r8 = static_cast<float>(kActiveHighPassR);
    d.c = highAtFh->c;
    d.c1 = highAtFh->cHalf;
    d.r1 = highAtFh->r1;
    d.r2 = highAtFh->r2;
    d.r3 = highAtFh->r3;
    d.c2 = lowAtFl->c1;
    d.c3 = lowAtFl->c2;
    d.c4 = lowAtFl->c3;
    d.cm = highAtFl->c;
    d.c5 = highAtFl->cHalf;
    d.r5 = highAtFl->r1;
    d.r6 = highAtFl->r2;
    d.r7 = highAtFl->r3;
    d.c6 = lowAtFh->c1;
    d.c7 = lowAtFh->c2;
    d.c8 = lowAtFh->c3;
    return d;
}

} // namespace design
