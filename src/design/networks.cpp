#include "design/networks.h"

#include "design/singles.h"

namespace design {

std::optional<ImpedanceEqualisation> impedanceEqualisation(double re, double leMilliHenry)
{
    if (!(re > 0) || !(leMilliHenry > 0))
        return std::nullopt;
    const double r = 1.25 * re;
    const auto shownR = toFiniteSingle(r);
    const auto shownC = toFiniteSingle(1e3 * leMilliHenry / (r * r));
    if (!shownR || !shownC)
        return std::nullopt;
    return ImpedanceEqualisation { *shownR, *shownC };
}

std::optional<NotchFilter> seriesNotch(double fs, double re, double qes, double qms)
{
    if (!(fs > 0) || !(re > 0))
        return std::nullopt;
    const bool full = qes > 0 && qms > 0;
    std::optional<float> r, c, l;
    if (full) {
        c = toFiniteSingle(1.592e5 / (qes * re * fs));
        l = toFiniteSingle(qes * 159.2 * re / fs);
        r = toFiniteSingle(re + re * qes / qms);
    } else {
        r = toFiniteSingle(re);
        c = toFiniteSingle(30030 / fs);
        // The inductance continues from the capacitor as it is kept.
        if (c)
            l = toFiniteSingle(22.52 / (fs * fs * 1e-6 * *c));
    }
    if (!r || !c || !l)
        return std::nullopt;
    return NotchFilter { *r, *c, *l, full };
}

} // namespace design
