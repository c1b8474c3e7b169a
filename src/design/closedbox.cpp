#include "design/closedbox.h"

#include "design/boxfields.h"
#include "design/singles.h"

#include <cmath>

namespace design {

float closedBoxF3(float fc, float qtc)
{
    const double q = qtc;
    const double a = 1 / (q * q) - 2;
    return toSingle(fc * std::sqrt((a + std::sqrt(a * a + 4)) / 2));
}

namespace {

using boxfield::kQts;
using boxfield::kVas;
const QString kQd = QStringLiteral("szQd");
const QString kVcb = QStringLiteral("szVcb");

bool driverPresent(const ClosedBoxInputs& in) { return in.qts > 0 && in.vas > 0 && in.fs > 0; }

ClosedBoxResult refused(const QString& prompt, bool withBeep, const QString& focus)
{
    ClosedBoxResult result;
    result.outcome = Outcome::message(msg::error(prompt, withBeep), focus);
    return result;
}

// Everything that follows from a box volume. Fc continues from the volume as
// szVcb shows it; empty when that shows as "." and Fc would be undefined.
std::optional<ClosedBoxDesign> quantitiesFromVolume(float vbCalc, const ClosedBoxInputs& in)
{
    const double vbShown = asShown(vbCalc, kPattern2, units::kCubicFeet);
    if (!(vbShown > 0))
        return std::nullopt;
    ClosedBoxDesign d;
    d.vbCalc = vbCalc;
    d.box = boxProportions(vbCalc);
    d.vbOver = double(vbCalc) + double(vbCalc) * 0.1;
    d.fc = toSingle(in.fs * std::sqrt(in.vas * in.isoFactor / vbShown + 1));
    d.qtcCalc = toSingle(d.fc * in.qts / in.fs);
    d.f3 = closedBoxF3(d.fc, d.qtcCalc);
    return d;
}

bool isFinite(const ClosedBoxDesign& d)
{
    return allFinite(
        { d.vbCalc, toSingle(d.vbOver), d.fc, d.qtcCalc, d.f3, d.qtc, d.box.width, d.box.height, d.box.depth });
}

void warnWhenF3AboveFc(ClosedBoxResult& result)
{
    if (result.design->f3AboveFc())
        result.outcome.messages.append(msg::warning(boxmsg::kF3AboveFb));
}

} // namespace

bool desiredQtcInRange(double qtc) { return qtc >= kQtcMin && qtc <= kQtcMax; }

Outcome desiredQtcOnEntry(double qtc)
{
    if (desiredQtcInRange(qtc))
        return {};
    return Outcome::message(msg::error(boxmsg::kQtcRange, true), kQd);
}

ClosedBoxResult closedBoxForVolume(const ClosedBoxInputs& in, Trigger trigger)
{
    const bool byButton = trigger == Trigger::Calculate;
    if (!desiredQtcInRange(in.qtc))
        return refused(boxmsg::kQtcRange, byButton, byButton ? kQd : QString());
    if (!driverPresent(in)) {
        ClosedBoxResult result;
        if (byButton)
            result.outcome = Outcome::beepAndFocus(kQts);
        return result;
    }
    if (!(in.qtc > in.qts)) {
        ClosedBoxResult result = refused(boxmsg::kQtsBelowQtc, byButton, byButton ? kQd : QString());
        result.clearsBoxValid = true;
        return result;
    }

    const double ratio = in.qtc / in.qts;
    const float vbCalc = toSingle(in.vas * in.isoFactor / (ratio * ratio - 1));
    if (!std::isfinite(vbCalc))
        return refused(boxmsg::kDriverOutOfRange, byButton, kQts);
    ClosedBoxResult result;
    result.design = quantitiesFromVolume(vbCalc, in);
    if (!result.design)
        return refused(boxmsg::kVolumeTooSmall, byButton, kVas);
    result.design->qtc = toSingle(in.qtc);
    if (!isFinite(*result.design))
        return refused(boxmsg::kDriverOutOfRange, byButton, kQts);
    if (byButton) {
        warnWhenF3AboveFc(result);
        result.outcome.focusField = kQts;
    }
    return result;
}

ClosedBoxResult closedBoxForQtc(const ClosedBoxInputs& in)
{
    if (!driverPresent(in) || !(in.typedVb > 0)) {
        ClosedBoxResult result;
        result.outcome = Outcome::beepAndFocus(kQts);
        return result;
    }
    const float vbCalc = toSingle(in.typedVb);
    if (!(vbCalc > 0)) // too small even for a Single
        return refused(boxmsg::kTypedVolumeTooSmall, false, kVcb);
    const float qtc = toSingle(in.qts * std::sqrt(in.vas * in.isoFactor / vbCalc + 1));
    if (qtc < float(kQtcMin))
        return refused(boxmsg::kBoxSmaller, false, kQd);
    if (qtc > float(kQtcMax))
        return refused(boxmsg::kBoxLarger, false, kQd);

    ClosedBoxResult result;
    result.design = quantitiesFromVolume(vbCalc, in);
    if (!result.design)
        return refused(boxmsg::kTypedVolumeTooSmall, false, kVcb);
    result.design->qtc = qtc;
    if (!isFinite(*result.design))
        return refused(boxmsg::kVolumeOutOfRange, false, kVcb);
    warnWhenF3AboveFc(result);
    result.outcome.focusField = kQts;
    return result;
}

} // namespace design
