#include "analysis/describe.h"

#include "analysis/box.h"
#include "analysis/handover.h"
#include "design/portlengths.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

// A typed value as typed: up to six significant digits, no trailing zeros.
QString typed(double value) { return QString::number(value, 'g', 6); }

// A computed value to `digits` significant digits, never in exponent form
// (and never with more decimals than a figure of a real design needs).
constexpr int kMostDecimals = 9;
QString significant(double value, int digits = 3)
{
    if (value == 0 || !std::isfinite(value))
        return QString::number(value, 'f', 0);
    const int magnitude = int(std::floor(std::log10(std::abs(value))));
    return QString::number(value, 'f', std::clamp(digits - 1 - magnitude, 0, kMostDecimals));
}

QString hz(double f) { return significant(f) + QStringLiteral(" Hz"); }

// In Imperial with its litres beside it; in Metric in litres alone.
QString volumeText(double cubicFeet, UnitSystem system)
{
    const Unit& unit = units::kCubicFeet;
    if (showsMetric(unit, system))
        return typed(toShown(cubicFeet, unit, system)) + u' ' + unitSymbol(unit, system);
    return QStringLiteral("%1 %2 (%3 %4)")
        .arg(typed(cubicFeet), unitSymbol(unit, system), significant(toShown(cubicFeet, unit, UnitSystem::Metric)),
            unitSymbol(unit, UnitSystem::Metric));
}

QString valueOrNot(double value, const QString& unit)
{
    if (!given(value))
        return QStringLiteral("not given");
    return unit.isEmpty() ? typed(value) : typed(value) + u' ' + unit;
}

QString filterText(const HighPass& f)
{
    if (!f.active())
        return QStringLiteral("none");
    return QStringLiteral("%1, %2 order, %3 Hz").arg(filterKindName(f.kind), ordinal(f.order), typed(f.frequency));
}

QString driversText(const Drivers& d)
{
    const QString unit = d.isobaric
        ? (d.count == 1 ? QStringLiteral(" isobaric pair") : QStringLiteral(" isobaric pairs"))
        : QString();
    if (d.coils() == 1)
        return QStringLiteral("1");
    return QString::number(d.count) + unit
        + (d.wiring == Wiring::Parallel ? QStringLiteral(" in parallel") : QStringLiteral(" in series"));
}

QString inputText(const Drive& d)
{
    const QString level = d.unit == DriveUnit::Volts ? typed(d.level) + QStringLiteral(" V")
                                                     : typed(d.level) + QStringLiteral(" W into Re");
    return QStringLiteral("%1 at %2 m").arg(level, typed(d.distance));
}

QString portText(int port, UnitSystem system)
{
    if (port < 0 || port >= design::kPortCount)
        return QStringLiteral("none");
    const Unit& unit = units::kSmallInches;
    const QString size = shownCaptionNumber(design::kPorts[port].caption, unit, system);
    return size + (showsMetric(unit, system) ? u' ' + unitSymbol(unit, system) : QString())
        + QStringLiteral(" in diameter");
}

struct BoxRows {
    QVector<TextRow>& rows;
    UnitSystem system;
    QString volumeText(double cubicFeet) const { return ::analysis::volumeText(cubicFeet, system); }
    void add(const QString& caption, const QString& value)
    {
        rows << TextRow { QStringLiteral("Box"), caption, value };
    }
    void tuning(double fb, double ql)
    {
        add(QStringLiteral("Tuning"), valueOrNot(fb, QStringLiteral("Hz")));
        add(QStringLiteral("QL"), typed(ql));
    }

    void operator()(const ClosedBoxSetup& b) { add(QStringLiteral("Volume"), volumeText(b.volume)); }
    void operator()(const VentedBoxSetup& b)
    {
        add(QStringLiteral("Volume"), volumeText(b.volume));
        tuning(b.fb, b.ql);
        add(QStringLiteral("Port"), portText(b.port, system));
    }
    void operator()(const RadiatorBoxSetup& b)
    {
        add(QStringLiteral("Volume"), volumeText(b.volume));
        tuning(b.fb, b.ql);
        // What stands in for a value not typed, as box.h takes it.
        const PassiveRadiator& r = b.radiator;
        add(QStringLiteral("Radiator Sd"),
            given(r.sd) ? typed(r.sd) + QStringLiteral(" cm\u00b2") : QStringLiteral("the cones' area"));
        add(QStringLiteral("Radiator Xmax"),
            given(r.xmax)               ? typed(r.xmax) + QStringLiteral(" mm")
                : given(r.displacement) ? QStringLiteral("its displacement over its Sd")
                                        : QStringLiteral("none"));
        add(QStringLiteral("Radiator Vas"),
            given(r.vas) ? volumeText(r.vas) : volumeText(kDefaultRadiatorVasPerVb * b.volume));
        add(QStringLiteral("Radiator Q"), typed(given(r.q) ? r.q : kDefaultRadiatorQ));
    }
    void operator()(const BandpassBoxSetup& b)
    {
        add(QStringLiteral("Sealed section"), volumeText(b.sealedVolume));
        add(QStringLiteral("Vented section"), volumeText(b.ventedVolume));
        tuning(b.fb, b.ql);
        add(QStringLiteral("Port"), portText(b.port, system));
    }
};

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

QString analysisLabel(const AnalysisInput& in, UnitSystem system)
{
    const Unit& unit = units::kCubicFeet;
    const auto volume = [&](double cubicFeet) {
        // Litres to a tenth, as cubic feet to a hundredth.
        return QString::number(toShown(cubicFeet, unit, system), 'f', showsMetric(unit, system) ? 1 : 2);
    };
    QString what;
    if (const auto* band = std::get_if<BandpassBoxSetup>(&in.box))
        what = QStringLiteral("bandpass %1 + %2 %3")
                   .arg(volume(band->sealedVolume), volume(band->ventedVolume), unitSymbol(unit, system));
    else {
        static const char* const kinds[] = { "closed", "vented", "passive radiator" };
        what
            = QStringLiteral("%1 %2 %3")
                  .arg(QString::fromLatin1(kinds[in.box.index()]), volume(netVolume(in.box)), unitSymbol(unit, system));
    }
    if (in.drivers.isobaric)
        what += QStringLiteral(", isobaric");
    if (in.drivers.count > 1)
        what += QStringLiteral(", %1 in %2")
                    .arg(in.drivers.count)
                    .arg(in.drivers.wiring == Wiring::Parallel ? QStringLiteral("parallel") : QStringLiteral("series"));
    if (in.filter.active())
        what += QStringLiteral(", ") + filterText(in.filter).remove(u',');
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

QVector<TextRow> designRows(const AnalysisInput& in, UnitSystem system)
{
    QVector<TextRow> rows;
    rows << TextRow { QStringLiteral("Box"), QStringLiteral("Type"), boxName(in.box) };
    std::visit(BoxRows { rows, system }, in.box);

    const auto driver = [&](const char* caption, const QString& value) {
        rows << TextRow { QStringLiteral("Driver"), QString::fromLatin1(caption), value };
    };
    const DriverData& d = in.driver;
    if (!in.driverName.trimmed().isEmpty())
        driver("Name", in.driverName.trimmed());
    driver("Fs", valueOrNot(d.fs, QStringLiteral("Hz")));
    driver("Qts", valueOrNot(d.qts, {}));
    driver("Vas", given(d.vas) ? volumeText(d.vas, system) : valueOrNot(d.vas, {}));
    driver("Qes", valueOrNot(d.qes, {}));
    driver("Qms", valueOrNot(d.qms, {}));
    driver("Re", valueOrNot(d.re, QStringLiteral("ohm")));
    driver("Sd", valueOrNot(d.sd, QStringLiteral("cm\u00b2")));
    driver("Xmax", valueOrNot(d.xmax, QStringLiteral("mm")));
    driver("Pe", valueOrNot(d.pe, QStringLiteral("W")));
    driver("Le", given(d.le) ? typed(d.le) + QStringLiteral(" mH") : QStringLiteral("none"));

    rows << TextRow { QStringLiteral("Drivers"), QStringLiteral("Count"), driversText(in.drivers) };
    rows << TextRow { QStringLiteral("Input"), QStringLiteral("Level"), inputText(in.drive) };
    rows << TextRow { QStringLiteral("Filter"), QStringLiteral("High-pass"), filterText(in.filter) };
    return rows;
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
    if (g.radiator) {
        const RadiatorFigures& radiator = *g.radiator;
        add(QStringLiteral("Radiator Xmax reached at"),
            radiator.xmaxPower  ? atFrequency(*radiator.xmaxPower, QStringLiteral("W"))
                : radiator.xmax ? QStringLiteral("never")
                                : QStringLiteral("needs the radiator's Xmax"));
    }
    if (g.peakPortVelocity)
        add(QStringLiteral("Peak port velocity"),
            QStringLiteral("%1 (Mach %2)")
                .arg(atFrequency(*g.peakPortVelocity, QStringLiteral("m/s")),
                    significant(g.peakPortMach.value_or(0), 2)));
    if (g.pipeResonance)
        add(QStringLiteral("Port pipe resonance"), hz(*g.pipeResonance));

    section = QStringLiteral("Amplifier load");
    add(QStringLiteral("Minimum impedance"), atFrequency(g.impedanceMinimum, QStringLiteral("ohm")));
    add(QStringLiteral("Maximum current"), atFrequency(g.maximumCurrent, QStringLiteral("A")));
    add(QStringLiteral("Maximum apparent power"), atFrequency(g.maximumApparentPower, QStringLiteral("VA")));

    section = QStringLiteral("Driver as modelled");
    add(QStringLiteral("Bl"), significant(g.bl) + QStringLiteral(" T m"));
    add(QStringLiteral("Mms"), significant(g.mms) + QStringLiteral(" g"));
    add(QStringLiteral("Qes"), significant(g.qes));
    add(QStringLiteral("Qms"), significant(g.qms));

    if (g.radiator) {
        section = QStringLiteral("Passive radiator");
        const RadiatorFigures& radiator = *g.radiator;
        add(QStringLiteral("Moving mass"), significant(radiator.mass) + QStringLiteral(" g"));
        add(QStringLiteral("Own resonance"), hz(radiator.resonance));
        add(QStringLiteral("Sd"), significant(radiator.sd) + QStringLiteral(" cm\u00b2"));
        add(QStringLiteral("Xmax"),
            radiator.xmax ? significant(*radiator.xmax) + QStringLiteral(" mm") : QStringLiteral("none"));
    }
    return rows;
}

QStringList sectionLines(const QVector<TextRow>& rows)
{
    QStringList lines;
    QString section;
    for (const TextRow& row : rows) {
        const QString item = row.caption + u' ' + row.value;
        if (row.section != section || lines.isEmpty()) {
            section = row.section;
            lines << section + QStringLiteral(": ") + item;
        } else {
            lines.last() += QStringLiteral("; ") + item;
        }
    }
    return lines;
}

QString filterKindName(FilterKind kind)
{
    static const char* const names[] = { "None", "Butterworth", "Linkwitz-Riley" };
    return QString::fromLatin1(names[std::min<std::size_t>(std::size_t(kind), std::size(names) - 1)]);
}

QString ordinal(int n)
{
    static const char* const suffixes[] = { "th", "st", "nd", "rd" };
    return QString::number(n) + QString::fromLatin1(suffixes[n >= 1 && n <= 3 ? n : 0]);
}

} // namespace analysis
