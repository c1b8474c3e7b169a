#include "design/passivecrossover2.h"

namespace design {

std::optional<double> twoWayFormula(XoverPart part, const TwoWayInputs& in)
{
    const double f = in.f;
    if (in.is12dB) {
        switch (part) {
        case XoverPart::L1:
            return in.rl * 0.3183 / f * 1000;
        case XoverPart::C1:
            return 0.079577 / (in.rh * f) * 1000000;
        case XoverPart::L2:
            return in.rh * 0.3183 / f * 1000;
        case XoverPart::C2:
            return 0.079577 / (in.rl * f) * 1000000;
        default:
            return std::nullopt;
        }
    }
    switch (part) {
    case XoverPart::L1:
        return in.rl / (f * 6.28) * 1000;
    case XoverPart::C1:
        return 0.159 / (in.rh * f) * 1000000;
    default:
        return std::nullopt;
    }
}

XoverRecalc twoWayChange(TwoWayField changed, const TwoWayInputs& in)
{
    const bool tweeterNeeded = changed != TwoWayField::Rl; // the woofer rule ignores the tweeter
    if (!isPositive(in.f) || !isPositive(in.rl) || (tweeterNeeded && !isPositive(in.rh)))
        return {};
    auto part = [&in](XoverPart p) { return PartFormula { p, twoWayFormula(p, in) }; };
    switch (changed) {
    case TwoWayField::Frq:
        return computedParts({ part(XoverPart::L1), part(XoverPart::L2), part(XoverPart::C1), part(XoverPart::C2) });
    case TwoWayField::Rh:
        return in.is12dB ? computedParts({ part(XoverPart::L2), part(XoverPart::C1) })
                         : computedParts({ part(XoverPart::C1), part(XoverPart::C2) });
    case TwoWayField::Rl:
        return in.is12dB ? computedParts({ part(XoverPart::L1), part(XoverPart::C2) })
                         : computedParts({ part(XoverPart::L1), part(XoverPart::L2) });
    }
    return {};
}

} // namespace design
