#include "design/bandpassbox.h"

#include "core/numberformat.h"
#include "design/boxmessages.h"
#include "design/boxproportions.h"
#include "design/singles.h"

#include <cmath>

namespace design {

namespace {

const QString kQtsb = QStringLiteral("szQtsb");
const QString kFarb = QStringLiteral("szFarb");

BandpassResult refused(const Message& message, const QString& focus, bool withdraws)
{
    BandpassResult result;
    result.outcome = Outcome::message(message, focus);
    result.withdrawsDesign = withdraws;
    return result;
}

// The warning for a low cut-off outside the design tables, with the cut-offs
// that keep inside them (Fs / Qts = `ratio`) rounded inwards to one decimal,
// or to more when the range is narrower than that.
Message outsideTables(double ratio)
{
    const double lowest = kBandFittedLowestX * ratio, highest = kBandFittedHighestX * ratio;
    const auto warning = [](double low, double high) {
        return msg::warning(boxmsg::bandOutsideTables(numberText(low), numberText(high)));
    };
    for (double scale = 10; scale <= 1e6; scale *= 10)
        if (const double low = std::ceil(lowest * scale) / scale, high = std::floor(highest * scale) / scale;
            low < high)
            return warning(low, high);
    return warning(lowest, highest);
}

bool allFinite(const BandpassDesign& d)
{
    if (!std::isfinite(d.pa) || !design::allFinite({ d.ventedVb, d.fh3, d.sealedVb, d.fb, d.coil.value_or(0) }))
        return false;
    for (float length : d.ports)
        if (!std::isfinite(length))
            return false;
    return true;
}

} // namespace

double evaluatePolynomial(const Polynomial& c, double x)
{
    double y = 0;
    for (int k = 0; k < int(c.size()); ++k)
        y += c[k] * std::pow(x, k);
    return y;
}

BandpassResult bandpassDesign(const BandpassInputs& in, Trigger trigger)
{
    const bool byButton = trigger == Trigger::Calculate;
    BandpassResult result;
    if (!(in.qts > 0 && in.vas > 0 && in.fl3 > 0)) {
        if (byButton)
            result.outcome.focusField = kQtsb;
        return result;
    }
    // Fs divides everything that follows.
    if (!(in.fs > 0))
        return refused(msg::error(boxmsg::kBandFsMissing, byButton), byButton ? kFarb : QString(), true);
    if (in.fs == in.qts)
        return refused(msg::error(boxmsg::kBandFsEqualsQts, byButton), byButton ? kQtsb : QString(), false);

    BandpassDesign d;
    const double vasEffective = double(in.isoFactor) * in.vas;
    const double twoSQts = 2 * in.s * in.qts;
    d.ventedVb = toSingle(twoSQts * twoSQts * vasEffective);
    const double ratio = in.fs / in.qts;
    const double x = in.fl3 / ratio;
    const double fh3 = (x + 0.7206) * ratio;
    d.fh3 = toSingle(fh3);
    const double qtc = evaluatePolynomial(kSealedQtcPolynomial, x);
    if (!std::isfinite(qtc))
        return refused(msg::error(boxmsg::kBandOutOfRange, byButton), byButton ? kQtsb : QString(), true);
    if (in.qts >= qtc) {
        // On opening the stored inputs stay without results and without a message.
        result.clearsResults = true;
        if (byButton)
            result.outcome = Outcome::message(msg::error(boxmsg::kDriverQtsTooHigh, true), kQtsb);
        return result;
    }
    const double qtcPerQts = qtc / in.qts;
    d.sealedVb = toSingle(vasEffective / (qtcPerQts * qtcPerQts - 1));
    const double fb = ratio * qtc;
    d.fb = toSingle(fb);
    d.pa = evaluatePolynomial(kPassbandGainPolynomial, x);
    d.fsQtsText = formatNumber(roundHalfEven(ratio), u"####");
    if (in.re > 0)
        d.coil = toSingle(in.re * in.isoFactor / (fh3 * 6.28) * 1000);
    d.ports = portLengths(d.fb, d.ventedVb);
    // A section that rounds to no volume at all would leave the ports undefined.
    if (!allFinite(d) || !(d.ventedVb > 0) || !(d.sealedVb > 0) || !(d.fb > 0))
        return refused(msg::error(boxmsg::kBandOutOfRange, byButton), byButton ? kQtsb : QString(), true);

    result.design = d;
    if (byButton) {
        if (!(x >= kBandFittedLowestX && x <= kBandFittedHighestX))
            result.outcome.messages.append(outsideTables(ratio));
        if (d.fb < float(in.fl3))
            result.outcome.messages.append(msg::warning(boxmsg::kF3AboveFb));
        if (d.fb > d.fh3)
            result.outcome.messages.append(msg::warning(boxmsg::kBandFbAboveFh3));
        result.outcome.focusField = kQtsb;
    }
    return result;
}

std::optional<double> passbandGain(double qts, double fs, double fl3)
{
    if (!(qts > 0 && fs > 0 && fl3 > 0))
        return std::nullopt;
    const double pa = evaluatePolynomial(kPassbandGainPolynomial, fl3 / (fs / qts));
    if (!std::isfinite(pa))
        return std::nullopt;
    return pa;
}

void recomputeBandPaAfterLoad(DesignState& state)
{
    if (const std::optional<double> pa = passbandGain(state.bandQts, state.bandFs, state.bandFl3))
        state.bandPa = *pa;
}

} // namespace design
