#include "design/passivecrossover3.h"

#include "design/singles.h"

#include <cmath>

namespace design {

MidBand midBand(double fh, double fl)
{
    MidBand band;
    band.fm = std::sqrt(fh * fl);
    band.fa = std::sqrt(fh * fl / (fh / fl - 1));
    band.fb = fh * fl / band.fa;
    return band;
}

std::optional<double> threeWayFormula(XoverPart part, const ThreeWayInputs& in, const MidBand& band)
{
    const double fh = in.fh, fl = in.fl, rh = in.rh, rm = in.rm, rl = in.rl, fm = band.fm;
    if (in.is12dB) {
        switch (part) {
        case XoverPart::L1:
            return rl * 0.3202 / fl * 1000;
        case XoverPart::C1:
            return 0.0791 / (rh * fh) * 1000000;
        case XoverPart::L2:
            return rh * 0.3202 / fh * 1000;
        case XoverPart::C2:
            return 0.0791 / (rl * fl) * 1000000;
        case XoverPart::L3:
            return rm * 0.0837 / fm * 1000;
        case XoverPart::C3:
            return 0.3236 / (fm * rm) * 1000000;
        case XoverPart::L4:
            return rm * 1.0291 / fm * 1000;
        case XoverPart::C4:
            return 0.0227 / (fm * rm) * 1000000;
        }
        return std::nullopt;
    }
    switch (part) {
    case XoverPart::L1:
        return rl * 0.1592 / fl * 1000;
    case XoverPart::C1:
        return 0.159 / (rh * fh) * 1000000;
    case XoverPart::L2:
        return rm * 0.159 / band.fb * 1000;
    case XoverPart::C2:
        return 0.159 / (band.fa * rm) * 1000000;
    default:
        return std::nullopt;
    }
}

XoverRecalc threeWayChange(ThreeWayField changed, const ThreeWayInputs& in)
{
    const bool frequencyField = changed == ThreeWayField::Frqh || changed == ThreeWayField::Frql;
    const bool rhNeeded = frequencyField || changed == ThreeWayField::Rh;
    const bool rmNeeded = frequencyField || changed == ThreeWayField::Rm;
    const bool rlNeeded = frequencyField || changed == ThreeWayField::Rl;
    if (!isPositive(in.fh) || !isPositive(in.fl) || (rhNeeded && !isPositive(in.rh)) || (rmNeeded && !isPositive(in.rm))
        || (rlNeeded && !isPositive(in.rl)))
        return {};
    // The order is tested before the square roots and the division by fh / fl - 1.
    if (in.fl >= in.fh) {
        XoverRecalc refused;
        refused.status = XoverRecalc::Status::OrderRefused;
        if (!frequencyField)
            refused.outcome = Outcome::message(crossoverOrderMessage(), QStringLiteral("szFrqh"));
        return refused;
    }
    const MidBand band = midBand(in.fh, in.fl);
    auto part = [&](XoverPart p) { return PartFormula { p, threeWayFormula(p, in, band) }; };
    const PartFormula l3 = part(XoverPart::L3), c3 = part(XoverPart::C3), l4 = part(XoverPart::L4),
                      c4 = part(XoverPart::C4);
    if (in.is12dB) {
        switch (changed) {
        case ThreeWayField::Frqh:
        case ThreeWayField::Frql:
            return computedParts(
                { part(XoverPart::L1), part(XoverPart::C1), part(XoverPart::L2), part(XoverPart::C2), l3, c3, l4, c4 });
        case ThreeWayField::Rh:
            return computedParts({ part(XoverPart::C1), part(XoverPart::L2) });
        case ThreeWayField::Rl:
            return computedParts({ part(XoverPart::L1), part(XoverPart::C2) });
        case ThreeWayField::Rm:
            return computedParts({ l4, c3, l3, c4 });
        }
        return {};
    }
    // At 6 dB every rule also marks the four parts the slope lacks.
    switch (changed) {
    case ThreeWayField::Frqh:
    case ThreeWayField::Frql:
        return computedParts(
            { part(XoverPart::L1), part(XoverPart::C1), part(XoverPart::L2), part(XoverPart::C2), l3, c3, l4, c4 });
    case ThreeWayField::Rh:
        return computedParts({ part(XoverPart::C1), l3, c3, l4, c4 });
    case ThreeWayField::Rl:
        return computedParts({ part(XoverPart::L1), l3, c3, l4, c4 });
    case ThreeWayField::Rm:
        return computedParts({ part(XoverPart::L2), part(XoverPart::C2), l3, c3, l4, c4 });
    }
    return {};
}

Message crossoverOrderMessage()
{
    Message message;
    message.prompt = QStringLiteral("High Crossover must be greater then Low Crossover");
    message.title = QStringLiteral("Error");
    message.icon = MsgIcon::Stop;
    return message;
}

std::optional<ResponseModel> threeWayResponseModel(double fh, double fl, double rm)
{
    const auto l4 = toFiniteSingle(rm / (fl * 6.2832) * 1000);
    const auto c4 = toFiniteSingle(1 / (fh * 6.2832 * rm) * 1000000);
    const auto l3 = toFiniteSingle(rm * 1.88 / (fh * 6.2832) * 1000);
    const auto c3 = toFiniteSingle(1 / (rm * 1.88 * fl * 6.2832) * 1000000);
    if (!l4 || !c4 || !l3 || !c3)
        return std::nullopt;
    return ResponseModel { *l3, *c3, *l4, *c4 };
}

} // namespace design
