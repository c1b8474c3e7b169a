#include "analysis/describe.h"

#include "analysis/box.h"

#include <QStringList>
#include <cmath>

namespace analysis {

namespace {

// A typed value as typed: up to six significant digits, no trailing zeros.
QString typed(double value) { return QString::number(value, 'g', 6); }

// A computed value to `digits` significant digits, never in exponent form.
QString significant(double value, int digits = 3)
{
    if (value == 0 || !std::isfinite(value))
        return QString::number(value, 'f', 0);
    const int magnitude = int(std::floor(std::log10(std::abs(value))));
    return QString::number(value, 'f', std::max(0, digits - 1 - magnitude));
}

QString hz(double f) { return significant(f) + QStringLiteral(" Hz"); }

QString atFrequency(const AtFrequency& at, const QString& unit)
{
    return QStringLiteral("%1 %2 at %3").arg(significant(at.value), unit, hz(at.frequency));
}

QString cutOffText(const std::optional<double>& f)
{
    return f ? hz(*f) : QStringLiteral("not within %1 - %2").arg(hz(kLowestFrequency), hz(kHighestFrequency));
}

// "needs Xmax, Pe" when any of `values` is missing for the limits.
std::optional<QString> needs(const AnalysisResult& r, std::initializer_list<DriverValue> values)
{
    QStringList names;
    for (DriverValue v : values)
        if (r.missingForLimits.contains(v))
            names << driverValueName(v);
    if (names.isEmpty())
        return std::nullopt;
    return QStringLiteral("needs ") + names.join(QStringLiteral(", "));
}

} // namespace

QString analysisLabel(const AnalysisInput& in)
{
    QString what;
    if (const auto* band = std::get_if<BandpassBoxSetup>(&in.box))
        what = QStringLiteral("bandpass %1 + %2 ft\u00b3")
                   .arg(QString::number(band->sealedVolume, 'f', 2), QString::number(band->ventedVolume, 'f', 2));
    else {
        static const char* const kinds[] = { "closed", "vented", "passive radiator" };
        what = QStringLiteral("%1 %2 ft\u00b3")
                   .arg(QString::fromLatin1(kinds[in.box.index()]), QString::number(netVolume(in.box), 'f', 2));
    }
    if (in.drivers.isobaric)
        what += QStringLiteral(", isobaric");
    if (in.drive != Drive {}) {
        const Drive& d = in.drive;
        what += QStringLiteral(", ") + typed(d.level)
            + (d.unit == DriveUnit::Volts ? QStringLiteral(" V") : QStringLiteral(" W"));
        if (d.distance != kSensitivityDistance)
            what += QStringLiteral(" at %1 m").arg(typed(d.distance));
    }
    const QString name = in.driverName.trimmed();
    return name.isEmpty() ? what : name + QStringLiteral(", ") + what;
}

QVector<TextRow> figureRows(const AnalysisResult& r)
{
    QVector<TextRow> rows;
    if (!r.valid())
        return rows;
    const Figures& g = r.figures;
    QString section = QStringLiteral("Response");
    const auto add = [&](const QString& caption, const QString& value) { rows << TextRow { section, caption, value }; };
    add(QStringLiteral("Sensitivity"),
        QStringLiteral("%1 dB at %2 V, %3 m")
            .arg(QString::number(g.sensitivity, 'f', 1), typed(kSensitivityVolts), typed(kSensitivityDistance)));
    add(QStringLiteral("Reference efficiency"), significant(g.efficiency) + QStringLiteral(" %"));
    add(QStringLiteral("Passband level"), QString::number(g.passband, 'f', 1) + QStringLiteral(" dB at the input"));
    add(QStringLiteral("F3"), cutOffText(g.f3));
    add(QStringLiteral("F6"), cutOffText(g.f6));
    add(QStringLiteral("F10"), cutOffText(g.f10));
    if (g.upperF3)
        add(QStringLiteral("Upper F3"), hz(*g.upperF3));

    section = QStringLiteral("Limits");
    if (const auto missing = needs(r, { DriverValue::Xmax, DriverValue::Pe }))
        add(QStringLiteral("Maximum SPL"), *missing);
    if (g.xmaxPower)
        add(QStringLiteral("Xmax reached at"), atFrequency(*g.xmaxPower, QStringLiteral("W")));
    else
        add(QStringLiteral("Xmax reached at"), needs(r, { DriverValue::Xmax }).value_or(QStringLiteral("never")));
    if (g.peakPortVelocity)
        add(QStringLiteral("Peak port velocity"),
            QStringLiteral("%1 (Mach %2)")
                .arg(atFrequency(*g.peakPortVelocity, QStringLiteral("m/s")),
                    significant(g.peakPortMach.value_or(0), 2)));
    if (g.pipeResonance)
        add(QStringLiteral("Port pipe resonance"), hz(*g.pipeResonance));

    section = QStringLiteral("Amplifier load");
    add(QStringLiteral("Minimum impedance"), atFrequency(g.impedanceMinimum, QStringLiteral("ohm")));

    section = QStringLiteral("Driver as modelled");
    add(QStringLiteral("Bl"), significant(g.bl) + QStringLiteral(" T m"));
    add(QStringLiteral("Mms"), significant(g.mms) + QStringLiteral(" g"));
    add(QStringLiteral("Qes"), significant(g.qes));
    add(QStringLiteral("Qms"), significant(g.qms));
    return rows;
}

} // namespace analysis
