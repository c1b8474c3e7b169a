#include "analysis/driver.h"

#include "core/numberformat.h"

#include <QStringList>
#include <cmath>

namespace analysis {

namespace {

const char* const kValueNames[] = { "Fs", "Qts", "Vas", "Qes or Qms", "Re", "Sd", "Xmax", "Pe" };

QString shownQ(double q) { return formatNumber(q, u"###.###"); }

} // namespace

QString driverValueName(DriverValue value) { return QString::fromLatin1(kValueNames[int(value)]); }

QString missingDataText(const QVector<DriverValue>& missing)
{
    QStringList names;
    for (DriverValue value : missing)
        names << driverValueName(value);
    return QStringLiteral("Missing Driver Data: ") + names.join(QStringLiteral(", "));
}

DerivedDriver deriveDriver(const DriverData& d)
{
    DerivedDriver out;
    const std::pair<double, DriverValue> required[] = { { d.fs, DriverValue::Fs }, { d.qts, DriverValue::Qts },
        { d.vas, DriverValue::Vas }, { given(d.qes) ? d.qes : d.qms, DriverValue::QesOrQms }, { d.re, DriverValue::Re },
        { d.sd, DriverValue::Sd } };
    for (const auto& [value, name] : required) {
        if (!given(value))
            out.missing << name;
    }
    if (!given(d.xmax))
        out.missingForLimits << DriverValue::Xmax;
    if (!given(d.pe))
        out.missingForLimits << DriverValue::Pe;
    if (!out.missing.isEmpty()) {
        out.messages << msg::error(missingDataText(out.missing));
        return out;
    }

    // The electrical and the mechanical share of the losses, as 1/Qes and 1/Qms.
    double electrical = 0, mechanical = 0;
    if (given(d.qes)) {
        electrical = 1 / d.qes;
        mechanical = 1 / d.qts - electrical;
        if (!(mechanical > 0)) {
            out.messages << msg::error(QStringLiteral("Qes Must be Greater Than Qts"));
            return out;
        }
        if (given(d.qms)) {
            const double qtsOfBoth = 1 / (electrical + 1 / d.qms);
            if (std::abs(qtsOfBoth - d.qts) > kQtsTolerance * d.qts)
                out.messages << msg::warning(QStringLiteral("Qes and Qms give a Qts of %1, the design has %2: "
                                                            "the analysis keeps Qts and Qes, Qms is %3")
                                                 .arg(shownQ(qtsOfBoth), shownQ(d.qts), shownQ(1 / mechanical)));
        }
    } else {
        mechanical = 1 / d.qms;
        electrical = 1 / d.qts - mechanical;
        if (!(electrical > 0)) {
            out.messages << msg::error(QStringLiteral("Qms Must be Greater Than Qts"));
            return out;
        }
    }
    out.qes = 1 / electrical;
    out.qms = 1 / mechanical;

    const double ws = 2 * kPi * d.fs;
    Lumped one;
    one.re = d.re;
    one.le = given(d.le) ? d.le * 1e-3 : 0;
    one.sd = d.sd * 1e-4;
    one.cms = d.vas * kCubicMetresPerCubicFoot / (kAirDensity * kSpeedOfSound * kSpeedOfSound * one.sd * one.sd);
    one.mms = 1 / (ws * ws * one.cms);
    one.bl = std::sqrt(ws * one.mms * one.re * electrical);
    one.rms = ws * one.mms * mechanical;
    // Values beyond the range of a double (an Sd of 1E+200, say) leave no model.
    const bool inRange = std::isfinite(one.le) && given(one.cms) && given(one.mms) && given(one.bl) && given(one.rms)
        && given(out.qes) && given(out.qms);
    if (!inRange) {
        out.messages << msg::error(QStringLiteral("Result Out of Range: Check the Driver Data"));
        return out;
    }
    out.lumped = one;
    return out;
}

Lumped combined(const Lumped& one, const Drivers& drivers)
{
    const double coils = drivers.coils();
    const bool series = drivers.wiring == Wiring::Series;
    Lumped all = one;
    all.mms = one.mms * coils;
    all.rms = one.rms * coils;
    all.cms = one.cms / coils;
    all.sd = one.sd * drivers.count; // an isobaric pair shows one cone
    all.re = series ? one.re * coils : one.re / coils;
    all.le = series ? one.le * coils : one.le / coils;
    all.bl = series ? one.bl * coils : one.bl;
    return all;
}

} // namespace analysis
