#include "design/ventedbox.h"

#include "core/numberformat.h"
#include "design/boxfields.h"
#include "design/singles.h"

#include <cmath>

namespace design {

namespace {

using boxfield::kFar;
using boxfield::kQts;
using boxfield::kVas;
const QString kFb = QStringLiteral("szFb");
const QString kVvb = QStringLiteral("szVvb");

VentedResult refused(const QString& prompt, bool withBeep, const QString& focus)
{
    return { std::nullopt, Outcome::message(msg::error(prompt, withBeep), focus) };
}

// The recomputations read the driver from fields the user may have cleared
// since the design was made; name the first one that no longer holds a value.
std::optional<VentedResult> refuseMissingDriver(const VentedDriver& driver)
{
    if (!(driver.qts > 0))
        return refused(boxmsg::kQtsMissing, true, kQts);
    if (!(driver.vas > 0))
        return refused(boxmsg::kVasMissing, true, kVas);
    if (!(driver.fs > 0))
        return refused(boxmsg::kFsMissing, true, kFar);
    return std::nullopt;
}

HumpDipShown formulaHump(const VentedDriver& driver, double volume)
{
    const double h = humpOrDip(driver, volume);
    return { formatNumber(h, kPattern3), toSingle(asShown(h, kPattern3)) };
}

// The recomputations show a hump or dip that reads back as 0 as "0".
HumpDipShown recomputedHump(const VentedDriver& driver, double volume)
{
    HumpDipShown hump = formulaHump(driver, volume);
    if (hump.value == 0)
        hump.text = QStringLiteral("0");
    return hump;
}

HumpDipShown noHump() { return { QStringLiteral("0"), 0 }; }

bool isFinite(const VentedDesign& d)
{
    if (!allFinite({ d.vb, d.fb, d.f3, toSingle(d.overVolume), d.box.width, d.box.height, d.box.depth }))
        return false;
    for (float length : d.ports)
        if (!std::isfinite(length))
            return false;
    return true;
}

// The quantities every design step derives the same way: ports from the
// volume and tuning, proportions from `boxVolume`, and the warning. A volume
// or tuning that is not a positive Single is refused before any division.
VentedResult completed(
    VentedDesign d, float boxVolume, bool interactive, const QString& outOfRange, const QString& focus)
{
    if (!(d.vb > 0) || !(d.fb > 0) || !allFinite({ d.vb, d.fb }))
        return refused(outOfRange, interactive, focus);
    d.ports = portLengths(d.fb, d.vb);
    d.box = boxProportions(boxVolume);
    if (!isFinite(d))
        return refused(outOfRange, interactive, focus);
    VentedResult result { d, {} };
    if (interactive && d.f3AboveFb())
        result.outcome.messages.append(msg::warning(boxmsg::kF3AboveFb));
    return result;
}

// Calculate and activation: the design as the window first shows it, the
// hump or dip (Calculate only) from the volume as shown.
VentedResult shownFresh(VentedDesign d, bool byButton, const VentedDriver& driver)
{
    if (!allFinite({ d.vb, d.fb, d.f3 }))
        return refused(boxmsg::kDriverOutOfRange, byButton, kQts);
    const double shown = asShown(d.vb, kPattern2);
    // Only Calculate divides by the volume as shown (for the hump or dip);
    // activation shows a design whose volume shows as "." as it is.
    if (byButton && !(shown > 0))
        return refused(boxmsg::kVolumeTooSmall, byButton, kVas);
    d.shownVb = toSingle(shown);
    d.overVolume = double(d.vb) + 0.1 * d.vb;
    if (byButton)
        d.hump = formulaHump(driver, shown);
    VentedResult result = completed(d, d.vb, byButton, boxmsg::kDriverOutOfRange, kQts);
    if (byButton && result.design)
        result.outcome.focusField = kQts;
    return result;
}

} // namespace

VentedAlignment ventedAlignment(const VentedDriver& driver)
{
    return { toSingle(15 * std::pow(driver.qts, 2.87) * driver.effectiveVas()),
        toSingle(0.42 * driver.fs * std::pow(driver.qts, -0.9)),
        toSingle(0.26 * driver.fs * std::pow(driver.qts, -1.4)) };
}

double humpOrDip(const VentedDriver& driver, double volume)
{
    return 20 * std::log(2.6 * driver.qts * std::pow(driver.effectiveVas() / volume, 0.35)) / std::log(10.0);
}

VentedResult ventedCalculate(const VentedDriver& driver)
{
    if (!driver.present())
        return { std::nullopt, Outcome::beepAndFocus(kQts) };
    const VentedAlignment a = ventedAlignment(driver);
    VentedDesign d;
    d.vb = a.vb;
    d.fb = a.fb;
    d.f3 = a.f3;
    return shownFresh(d, true, driver);
}

VentedResult ventedActivation(const VentedDriver& driver, const std::optional<StoredVentedDesign>& stored)
{
    VentedDesign d;
    if (stored) {
        d.vb = stored->vb;
        d.fb = stored->fb;
        d.f3 = stored->f3;
        d.hump = HumpDipShown { numberText(stored->humpDip), stored->humpDip };
    } else {
        if (!driver.present())
            return {};
        const VentedAlignment a = ventedAlignment(driver);
        d.vb = a.vb;
        d.fb = a.fb;
        d.f3 = a.f3;
        d.hump = noHump();
    }
    return shownFresh(d, false, driver);
}

VentedResult ventedForDriver(const VentedDriver& driver, float vb, float fb)
{
    if (!driver.present())
        return {};
    VentedDesign d;
    d.vb = vb;
    d.fb = fb;
    d.showsVb = false;
    d.showsFb = false;
    const double v = asShown(vb, kPattern2);
    if (!(v > 0))
        return {};
    d.f3 = toSingle(driver.fs * std::sqrt(driver.effectiveVas() / v));
    d.hump = recomputedHump(driver, v);
    d.overVolume = v + 0.1 * v;
    return completed(d, vb, false, boxmsg::kDriverOutOfRange, kQts);
}

VentedResult ventedFromTuning(const VentedDriver& driver, double typedFb, double fieldVb, float shownVb)
{
    if (!(fieldVb > 0) || !(typedFb > 0))
        return {};
    if (auto missing = refuseMissingDriver(driver))
        return *missing;
    VentedDesign d;
    d.vb = toSingle(std::exp(std::log(driver.effectiveVas()) - std::log(typedFb / driver.fs) / 0.32));
    d.fb = toSingle(typedFb);
    d.showsFb = false;
    if (!(d.fb > 0) || !std::isfinite(d.vb))
        return refused(boxmsg::kTuningOutOfRange, true, kFb);
    const double v = asShown(d.vb, kPattern2);
    if (!(v > 0))
        return refused(boxmsg::kTunedVolumeTooSmall, true, kFb);
    d.f3 = toSingle(driver.fs * std::sqrt(driver.effectiveVas() / v));
    if (toSingle(v) != shownVb)
        d.hump = recomputedHump(driver, v);
    d.overVolume = v + 0.1 * v;
    return completed(d, d.vb, true, boxmsg::kTuningOutOfRange, kFb);
}

VentedResult ventedFromVolume(const VentedDriver& driver, double typedVb, float shownVb)
{
    if (!(typedVb > 0))
        return {};
    if (auto missing = refuseMissingDriver(driver))
        return *missing;
    const double v = typedVb;
    VentedDesign d;
    d.showsVb = false;
    if (toSingle(v) != shownVb) {
        d.vb = toSingle(v);
        d.fb = toSingle(driver.fs * std::pow(driver.effectiveVas() / v, 0.32));
        d.f3 = toSingle(driver.fs * std::sqrt(driver.effectiveVas() / v));
        d.hump = recomputedHump(driver, v);
    } else {
        const VentedAlignment a = ventedAlignment(driver);
        d.vb = a.vb;
        d.fb = a.fb;
        d.f3 = a.f3;
        d.hump = noHump();
    }
    d.overVolume = v + 0.1 * v;
    return completed(d, toSingle(v), true, boxmsg::kVolumeOutOfRange, kVvb);
}

} // namespace design
