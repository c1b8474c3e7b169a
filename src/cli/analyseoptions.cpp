#include "cli/analyseoptions.h"

#include "analysis/boxsettings.h"
#include "analysis/handover.h"
#include "analysis/highpass.h"
#include "cli/windowcommands.h"
#include "cli/windowrun.h"
#include "core/driverrecord.h"
#include "core/numberparse.h"
#include "core/units.h"
#include "design/portlengths.h"

#include <algorithm>
#include <cmath>

using namespace analysis;

const std::vector<AnalyseOption>& analyseOptions()
{
    static const std::vector<AnalyseOption> options {
        { kDriverOption, "NAME", "a driver of the library: its values that the options do not give" },
        { "volts", "V", "the input, volts RMS at the amplifier (2.83)" },
        { "watts", "W", "the input as watts into the drivers' Re, instead of --volts" },
        { "distance", "M", "the distance on axis, metres (1)" },
        { "ql", "Q", "the box losses QL of a vented, passive radiator or bandpass box (7)" },
        { "port", "DIAMETER",
            "the port's diameter, inches: .5, .75, 1, 1.5, 2, 3, 4, 6 or 8, or in mm with --metric (a vented or "
            "bandpass box; the widest that fits)" },
        { "filter", "TYPE,ORDER,FREQ",
            "a high-pass filter ahead of the drivers: butterworth (order 1 to 4) or linkwitz-riley (2 or 4), "
            "its cut-off in Hz" },
        { "drivers", "N", "identical drivers in the one box, 1 to 100 (1)" },
        { "wiring", "parallel|series", "how their voice coils are wired (parallel)" },
        { "radiator-sd", "CM2", "the passive radiator's Sd, cm\u00b2 (the cones' area)" },
        { "radiator-xmax", "MM", "the passive radiator's Xmax, mm (its displacement over its Sd)" },
        { "graph", "CURVE", "the curve a picture of -o shows (spl)" },
        { "box", "TYPE",
            "closed, vented, radiator or bandpass: with no file, the design of that box window from its inputs; "
            "with files, each file's design of that box" },
        { "impedance", "OHMS", "--box bandpass: the window's nominal impedance (the driver's --re)" },
    };
    return options;
}

QStringList driverDataOptions()
{
    QStringList options;
    for (const ::DriverValue& value : kDriverValues)
        if (const DriverDataPart* part = driverDataPart(QString::fromLatin1(value.key)); part && !part->designs)
            options << QString::fromLatin1(value.key);
    return options;
}

QString windowInputOption(const QString& box, const QString& key)
{
    if (box == QLatin1String(BandpassBoxSetup::key) && key == u"re")
        return QStringLiteral("impedance");
    return key;
}

QVector<WindowOption> analyseWindowOptions(const WindowCommand& window)
{
    QVector<WindowOption> options;
    for (const OptionEntry& entry : optionEntries(window))
        if (entry.name != QLatin1String(kDriverOption))
            options.append({ windowInputOption(QString::fromLatin1(window.name), entry.name), entry });
    return options;
}

QVector<OptionEntry> analyseOptionTable(const WindowCommand* window)
{
    QVector<OptionEntry> table;
    const auto add = [&table](const QString& name, bool takesValue) {
        if (std::none_of(table.begin(), table.end(), [&name](const OptionEntry& e) { return e.name == name; }))
            table.append({ name, takesValue });
    };
    for (const QString& option : driverDataOptions())
        add(option, true);
    for (const AnalyseOption& option : analyseOptions())
        add(QString::fromLatin1(option.name), true);
    if (window)
        for (const WindowOption& option : analyseWindowOptions(*window))
            add(option.option, option.window.takesValue);
    return table;
}

namespace {

using Problem = QString;

// A number as the windows read it, in `unit` as the units chosen show it
// or with a unit typed; above 0, or 0 for a value not given where `zeroIsNone`.
std::variant<double, Problem> number(
    const QString& option, const QString& text, bool zeroIsNone = false, const Unit& unit = {})
{
    if (const QString problem = valueProblem(Accepts::Number, text, unit); !problem.isEmpty())
        return QStringLiteral("--%1: %2").arg(option, problem);
    const double value = readInUnit(text, unit).value;
    if (value < 0 || (value == 0 && !zeroIsNone))
        return QStringLiteral("--%1: %2 is not above 0").arg(option, text.trimmed());
    return value;
}

// A whole number from `lowest` to `highest`.
std::optional<int> whole(const QString& text, int lowest, int highest)
{
    if (!valueProblem(Accepts::Number, text).isEmpty())
        return std::nullopt;
    const double value = parseNumber(text);
    if (value != std::floor(value) || value < lowest || value > highest)
        return std::nullopt;
    return int(value);
}

template <class Enum, std::size_t N> std::optional<Enum> keyed(const QString& text, const char* const (&keys)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        if (text.trimmed().compare(QLatin1String(keys[i]), Qt::CaseInsensitive) == 0)
            return Enum(i);
    return std::nullopt;
}

std::variant<HighPass, Problem> filterOption(const QString& text)
{
    const QStringList parts = text.split(u',');
    const Problem usage = QStringLiteral(
        "--filter: TYPE,ORDER,FREQ: butterworth,1 to 4 or linkwitz-riley,2 or 4, and the cut-off in Hz, not \"%1\"")
                              .arg(visibleText(text));
    if (parts.size() != 3)
        return usage;
    HighPass filter;
    const std::optional<FilterKind> kind = keyed<FilterKind>(parts[0], kFilterKeys);
    const std::optional<int> order = whole(parts[1], 1, 4);
    if (!kind || !order)
        return usage;
    std::tie(filter.kind, filter.order) = std::tuple(*kind, *order);
    if (filter.active()) {
        const auto frequency = number(QStringLiteral("filter"), parts[2]);
        if (const auto* problem = std::get_if<Problem>(&frequency))
            return *problem;
        filter.frequency = std::get<double>(frequency);
    }
    QVector<Message> problems;
    if (!highPassValid(filter, problems))
        return QStringLiteral("--filter: ") + problems.first().prompt;
    return filter;
}

std::variant<int, Problem> portOption(const QString& text)
{
    const Unit& unit = units::kSmallInches;
    const auto diameter = number(QStringLiteral("port"), text, false, unit);
    if (const auto* problem = std::get_if<Problem>(&diameter))
        return *problem;
    // In mm, a diameter as its caption shows it, to a tenth (19.1 for .75 inch,
    // 19.05 mm): within half a tenth, and a little more for that rounding.
    const double tolerance = showsMetric(unit) ? fromShown(0.051, unit) : 1e-9;
    QStringList captions;
    for (int i = 0; i < design::kPortCount; ++i) {
        if (std::abs(design::kPorts[i].diameter - std::get<double>(diameter)) < tolerance)
            return i;
        captions << shownCaptionNumber(design::kPorts[i].caption, unit);
    }
    const QString word = showsMetric(unit) ? unitSymbol(unit) : QStringLiteral("inches");
    return QStringLiteral("--port: %1 %3 is not a port diameter: %2 %3")
        .arg(text.trimmed(), listed(captions, "or"), word);
}

} // namespace

std::variant<AnalyseSettings, QString> readAnalyseSettings(const ParsedArguments& arguments)
{
    AnalyseSettings s;
    const auto given = [&](const QString& option) { return arguments.values.contains(option); };
    const auto text = [&](const QString& option) { return arguments.values.value(option); };
    Problem problem;
    // The positive number of `option` into `into`, when given.
    const auto read
        = [&](const QString& option, std::optional<double>& into, bool zeroIsNone = false, const Unit& unit = {}) {
              if (!given(option) || !problem.isEmpty())
                  return;
              const auto value = number(option, text(option), zeroIsNone, unit);
              if (const auto* p = std::get_if<Problem>(&value))
                  problem = *p;
              else
                  into = std::get<double>(value);
          };

    if (given(QString::fromLatin1(kDriverOption)))
        s.driver = text(QString::fromLatin1(kDriverOption));
    for (const QString& option : driverDataOptions()) {
        std::optional<double> value;
        read(option, value, true, ::driverValue(option)->unit);
        if (value)
            s.driverData.emplace_back(driverDataPart(option), *value);
    }
    if (given(QStringLiteral("volts")) && given(QStringLiteral("watts")))
        return QStringLiteral("--volts and --watts: the input is one or the other");
    read(QStringLiteral("volts"), s.level);
    if (s.level)
        s.unit = DriveUnit::Volts;
    read(QStringLiteral("watts"), s.level);
    if (s.level && !s.unit)
        s.unit = DriveUnit::Watts;
    read(QStringLiteral("distance"), s.distance, false, units::kMetres);
    read(QStringLiteral("ql"), s.ql);
    read(QStringLiteral("radiator-sd"), s.radiatorSd, false, units::kSquareCentimetres);
    read(QStringLiteral("radiator-xmax"), s.radiatorXmax, false, units::kMillimetres);
    if (!problem.isEmpty())
        return problem;

    if (given(QStringLiteral("port"))) {
        const auto port = portOption(text(QStringLiteral("port")));
        if (const auto* p = std::get_if<Problem>(&port))
            return *p;
        s.port = std::get<int>(port);
    }
    if (given(QStringLiteral("filter"))) {
        const auto filter = filterOption(text(QStringLiteral("filter")));
        if (const auto* p = std::get_if<Problem>(&filter))
            return *p;
        s.filter = std::get<HighPass>(filter);
    }
    if (given(QStringLiteral("drivers"))) {
        s.drivers = whole(text(QStringLiteral("drivers")), 1, kMostDrivers);
        if (!s.drivers)
            return QStringLiteral("--drivers: a whole number from 1 to %1, not \"%2\"")
                .arg(kMostDrivers)
                .arg(visibleText(text(QStringLiteral("drivers"))));
    }
    if (given(QStringLiteral("wiring"))) {
        s.wiring = keyed<Wiring>(text(QStringLiteral("wiring")), kWiringKeys);
        if (!s.wiring)
            return QStringLiteral("--wiring: parallel or series, not \"%1\"")
                .arg(visibleText(text(QStringLiteral("wiring"))));
    }
    if (given(QStringLiteral("graph"))) {
        s.curve = curveOfKey(text(QStringLiteral("graph")).trimmed().toLower());
        if (!s.curve) {
            QStringList keys;
            for (const CurveInfo& info : kCurveInfo)
                keys << QString::fromLatin1(info.key);
            return QStringLiteral("--graph: one of %1, not \"%2\"")
                .arg(keys.join(QStringLiteral(", ")), visibleText(text(QStringLiteral("graph"))));
        }
    }
    return s;
}

QString applyAnalyseSettings(const AnalyseSettings& s, const std::optional<DriverRecord>& driver, AnalysisInput& in)
{
    if (driver) {
        takeDriverData(in.driver, *driver);
        in.driverName = driver->name;
    }
    for (const auto& [part, value] : s.driverData)
        in.driver.*part->member = value;
    if (s.level) {
        in.drive.unit = *s.unit;
        in.drive.level = *s.level;
    }
    if (s.distance)
        in.drive.distance = *s.distance;
    if (s.filter)
        in.filter = *s.filter;
    if (s.drivers)
        in.drivers.count = *s.drivers;
    if (s.wiring)
        in.drivers.wiring = *s.wiring;

    // What only some boxes have: each box that has it takes it.
    const QString box = boxName(in.box);
    if (s.ql && !setBoxLosses(in.box, *s.ql))
        return QStringLiteral("--ql: a %1 has no box losses").arg(box);
    if (s.port && !setBoxPort(in.box, *s.port))
        return QStringLiteral("--port: a %1 has no port").arg(box);
    if ((s.radiatorSd || s.radiatorXmax) && !setRadiatorCone(in.box, s.radiatorSd, s.radiatorXmax))
        return QStringLiteral("--%1: a %2 has no passive radiator")
            .arg(s.radiatorSd ? QStringLiteral("radiator-sd") : QStringLiteral("radiator-xmax"), box);
    return {};
}
