#include "design/radiatorbox.h"

#include "design/boxfields.h"
#include "design/singles.h"

namespace design {

namespace {

Message rangeMessage()
{
    Message message = msg::error(boxmsg::kRadiatorQtsRange);
    message.icon = MsgIcon::Stop;
    return message;
}

RadiatorResult refused(const Message& message, const QString& focus)
{
    RadiatorResult result;
    result.outcome = Outcome::message(message, focus);
    return result;
}

} // namespace

std::optional<RadiatorRow> radiatorRow(double qts)
{
    for (const RadiatorRow& row : kRadiatorTable)
        if (row.qtsFrom <= qts && qts < row.qtsBelow)
            return row;
    return std::nullopt;
}

RadiatorResult radiatorDesign(const RadiatorInputs& in, Trigger trigger)
{
    const bool byButton = trigger == Trigger::Calculate;
    const QString focus = byButton ? boxfield::kQts : QString();
    if (in.qts < kRadiatorQtsMin || in.qts > kRadiatorQtsMax)
        return refused(rangeMessage(), focus);
    if (!(in.vas > 0 && in.qts > 0 && in.fs > 0)) {
        RadiatorResult result;
        if (byButton)
            result.outcome = Outcome::beepAndFocus(boxfield::kQts);
        return result;
    }
    const RadiatorRow row = *radiatorRow(in.qts);

    RadiatorDesign d;
    if (in.vd > 0)
        d.vpr = toSingle(in.vd * row.vprPerVd);
    d.fb = toSingle(in.fs * row.fbPerFs);
    d.f3 = toSingle(in.fs * row.f3PerFs);
    d.vb = toSingle(in.isoFactor * in.vas / row.vasPerVb);
    d.overVolume = double(d.vb) + 0.1 * double(d.vb);
    d.box = boxProportions(d.vb);
    if (!allFinite(
            { d.vpr.value_or(0), d.fb, d.f3, d.vb, toSingle(d.overVolume), d.box.width, d.box.height, d.box.depth }))
        return refused(msg::error(boxmsg::kRadiatorOutOfRange, byButton), focus);

    RadiatorResult result;
    result.design = d;
    if (byButton) {
        if (d.f3AboveFb())
            result.outcome.messages.append(msg::warning(boxmsg::kF3AboveFb));
        result.outcome.focusField = boxfield::kQts;
    }
    return result;
}

} // namespace design
