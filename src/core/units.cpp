#include "core/units.h"

#include "core/numberformat.h"
#include "core/numberparse.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>

namespace {

constexpr int kFewestDigits = 3;

struct Conversion {
    double factor; // metric units per imperial one
    const char* symbol;
    const char* word; // in captions and reports
};

Conversion conversion(Metric metric)
{
    switch (metric) {
    case Metric::Litres:
        return { units::kLitresPerCubicFoot, "L", "Litres" };
    case Metric::Centimetres:
        return { units::kCentimetresPerInch, "cm", "cm" };
    case Metric::Millimetres:
        return { 10 * units::kCentimetresPerInch, "mm", "mm" };
    case Metric::CubicCentimetres:
        return { units::kCubicCentimetresPerCubicInch, "cm\u00b3", "cm\u00b3" };
    case Metric::None:
        break;
    }
    return { 1, nullptr, nullptr };
}

// The digits from the first that is not 0 to the last one shown; none for zero.
// A short text such as "2" or ".65" still gives three.
int significantDigits(QStringView mantissa)
{
    int count = 0;
    for (const QChar c : mantissa) {
        if (!c.isDigit() || (count == 0 && c == u'0'))
            continue;
        ++count;
    }
    return count;
}

UnitSystem g_system = UnitSystem::Imperial;

// The quantities in the order an unexpected unit is looked up in; the
// displacement last, whose words are those of a volume.
constexpr std::array kLookupOrder { Quantity::Volume, Quantity::Length, Quantity::Frequency, Quantity::Resistance,
    Quantity::Inductance, Quantity::Capacitance, Quantity::Level, Quantity::Area, Quantity::Power,
    Quantity::Displacement };

// How many of the quantity's first unit one `word` is.
double inFirst(const UnitWord& word) { return word.times / word.per; }

const UnitWord& ownWord(const Unit& unit)
{
    const std::span<const UnitWord> all = units::words(unit.quantity);
    if (unit.word)
        if (const UnitWord* named = unitWordNamed(all, QString::fromLatin1(unit.word)))
            return *named;
    return all.front();
}

// A value that a Single cannot hold reads as 0, as the number rules say.
double withinSingle(double value) { return std::fabs(value) <= FLT_MAX ? value + 0.0 : 0.0; }

} // namespace

namespace units {

std::span<const UnitWord> words(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Volume:
        return kVolumeWords;
    case Quantity::Length:
        return kLengthWords;
    case Quantity::Frequency:
        return kFrequencyWords;
    case Quantity::Resistance:
        return kResistanceWords;
    case Quantity::Inductance:
        return kInductanceWords;
    case Quantity::Capacitance:
        return kCapacitanceWords;
    case Quantity::Displacement:
        return kDisplacementWords;
    case Quantity::Level:
        return kLevelWords;
    case Quantity::Area:
        return kAreaWords;
    case Quantity::Excursion:
        return kExcursionWords;
    case Quantity::Power:
        return kPowerWords;
    case Quantity::None:
        break;
    }
    return kNoWords;
}

QString quantityName(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Volume:
        return QStringLiteral("volume");
    case Quantity::Length:
        return QStringLiteral("length");
    case Quantity::Frequency:
        return QStringLiteral("frequency");
    case Quantity::Resistance:
        return QStringLiteral("resistance");
    case Quantity::Inductance:
        return QStringLiteral("inductance");
    case Quantity::Capacitance:
        return QStringLiteral("capacitance");
    case Quantity::Displacement:
        return QStringLiteral("volume displacement");
    case Quantity::Level:
        return QStringLiteral("level");
    case Quantity::Area:
        return QStringLiteral("area");
    case Quantity::Excursion:
        return QStringLiteral("length");
    case Quantity::Power:
        return QStringLiteral("power");
    case Quantity::None:
        break;
    }
    return {};
}

} // namespace units

UnitSystem unitSystem() { return g_system; }

void setUnitSystem(UnitSystem system) { g_system = system; }

std::optional<UnitSystem> unitSystemNamed(QStringView name)
{
    const QStringView trimmed = name.trimmed();
    if (trimmed.compare(u"metric", Qt::CaseInsensitive) == 0)
        return UnitSystem::Metric;
    if (trimmed.compare(u"imperial", Qt::CaseInsensitive) == 0)
        return UnitSystem::Imperial;
    return std::nullopt;
}

QString unitSystemName(UnitSystem system)
{
    return system == UnitSystem::Metric ? QStringLiteral("Metric") : QStringLiteral("Imperial");
}

bool showsMetric(const Unit& unit, UnitSystem system)
{
    return system == UnitSystem::Metric && unit.metric != Metric::None;
}

double toShown(double value, const Unit& unit, UnitSystem system)
{
    return showsMetric(unit, system) ? value * conversion(unit.metric).factor : value;
}

double fromShown(double shown, const Unit& unit, UnitSystem system)
{
    return showsMetric(unit, system) ? shown / conversion(unit.metric).factor : shown;
}

QString unitText(const Unit& unit, UnitSystem system)
{
    if (showsMetric(unit, system))
        return QString::fromUtf8(conversion(unit.metric).word);
    return unit.text ? QString::fromUtf8(unit.text) : QString();
}

QString unitSymbol(const Unit& unit, UnitSystem system)
{
    if (showsMetric(unit, system))
        return QString::fromUtf8(conversion(unit.metric).symbol);
    return QString::fromUtf8(unit.symbol ? unit.symbol : unit.text ? unit.text : "");
}

QString shownNumberText(float value, const Unit& unit, UnitSystem system)
{
    if (!showsMetric(unit, system) || !std::isfinite(value))
        return numberText(value);
    const double shown = toShown(value, unit, system);
    // Nine digits always read back as the Single they came from.
    for (int digits = 7; digits < 9; ++digits) {
        const QString text = numberText(shown, digits);
        if (float(fromShown(parseNumber(text), unit, system)) == value)
            return text;
    }
    return numberText(shown, 9);
}

QString shownPatternText(double value, QStringView pattern, bool single, const Unit& unit, UnitSystem system)
{
    return formatNumber(toShown(value, unit, system), pattern, single ? Precision::Single : Precision::Double);
}

double asShownIn(double value, QStringView pattern, bool single, const Unit& unit, UnitSystem system)
{
    return fromShown(parseNumber(shownPatternText(value, pattern, single, unit, system)), unit, system);
}

QString shownCaptionNumber(const char* caption, const Unit& unit, UnitSystem system)
{
    const QString text = QString::fromLatin1(caption);
    if (!showsMetric(unit, system))
        return text;
    // To a tenth, by the number rules: 0.75 inch is 19.1 mm, 1 inch 25.4, and a whole number has no point.
    QString shown = formatNumber(toShown(parseNumber(text), unit, system), u"####.#");
    if (shown.endsWith(u'.'))
        shown.chop(1);
    return shown;
}

UnitReading readInUnit(QStringView text, const Unit& unit, UnitSystem system)
{
    const NumberReading number = readNumber(text);
    UnitReading reading;
    reading.digits = number.digits;
    reading.complete = number.digits && number.whole;
    reading.beyondRange = number.beyondRange;
    const QStringView after = text.mid(number.end).trimmed();
    if (number.digits && !after.isEmpty()) {
        if (const UnitWord* word = unitWordNamed(units::words(unit.quantity), after); word && word->name[0]) {
            reading.word = word;
            reading.typedQuantity = unit.quantity;
        } else {
            for (const Quantity other : kLookupOrder)
                if (const UnitWord* found = unitWordNamed(units::words(other), after);
                    found && other != unit.quantity) {
                    reading.word = found;
                    reading.typedQuantity = other;
                    break;
                }
        }
    }
    if (reading.word && reading.typedQuantity == unit.quantity && unit.quantity != Quantity::None) {
        // The number as written, converted: "1e39 mm" is a length a Single holds.
        reading.typed = UnitReading::Typed::Converted;
        reading.complete = true;
        const double value = number.written * inFirst(*reading.word) / inFirst(ownWord(unit));
        reading.beyondRange = !(std::fabs(value) <= FLT_MAX);
        reading.value = withinSingle(value);
        return reading;
    }
    if (reading.word)
        reading.typed = UnitReading::Typed::WrongKind;
    reading.value = withinSingle(fromShown(number.value, unit, system));
    return reading;
}

QString wrongUnitProblem(const UnitReading& reading, const Unit& unit, UnitSystem system)
{
    if (reading.typed != UnitReading::Typed::WrongKind || !reading.word)
        return {};
    const QString typed = QString::fromUtf8(reading.word->name);
    const QString of = units::quantityName(reading.typedQuantity);
    if (unit.quantity == Quantity::None)
        return QStringLiteral("%1 is a unit of %2: give a plain number, without a unit.").arg(typed, of);
    QStringList names;
    for (const UnitWord& word : units::words(unit.quantity))
        names << QString::fromUtf8(word.name);
    const QString wanted = units::quantityName(unit.quantity);
    const QString word = unitText(unit, system);
    return QStringLiteral("%1 is a unit of %2, not of %3: give the %3 in %4, or with a unit of %3 (%5).")
        .arg(typed, of, wanted, word.contains(u'<') ? unitSymbol(unit, system) : word, names.join(u", "));
}

QString normalizedUnit(QStringView unit)
{
    QString out;
    for (const QChar c : unit) {
        switch (c.unicode()) {
        case u' ':
        case u'.':
        case u'^':
        case u'_':
            break;
        case u'\u00b2': // ²
            out += u'2';
            break;
        case u'\u00b3': // ³
            out += u'3';
            break;
        case u'\u207b': // superscript minus
            out += u'-';
            break;
        case u'\u2074': // superscript four
            out += u'4';
            break;
        case u'\u00b5': // micro sign
        case u'\u03bc': // Greek mu
            out += u'u';
            break;
        case u'\u03a9': // Greek omega
        case u'\u2126': // ohm sign
            out += QStringLiteral("ohm");
            break;
        default:
            out += c.toLower();
        }
    }
    return out;
}

const UnitWord* unitWordNamed(std::span<const UnitWord> words, QStringView text)
{
    const QString wanted = normalizedUnit(text);
    if (wanted.isEmpty())
        return &words.front();
    for (const UnitWord& word : words) {
        if (normalizedUnit(QString::fromUtf8(word.name)) == wanted)
            return &word;
        const QStringList spellings = QString::fromUtf8(word.spellings).split(u' ', Qt::SkipEmptyParts);
        if (spellings.contains(wanted))
            return &word;
    }
    return nullptr;
}

QString metricText(QStringView shown, Metric metric)
{
    const Conversion to = conversion(metric);
    // The texts number fields show: "12.", ".65", "-3.5", " 1.5E+07", "." (zero).
    const NumberReading reading = readNumber(shown);
    if (!to.symbol || !reading.whole || shown.trimmed().isEmpty())
        return {};
    const QString unit = QString::fromUtf8(to.symbol);
    const qsizetype exponent = shown.indexOf(u'E', 0, Qt::CaseInsensitive);
    const int shownDigits = significantDigits(exponent < 0 ? shown : shown.left(exponent));
    const int digits = std::max(shownDigits, kFewestDigits);
    const double value = reading.value * to.factor;
    if (shownDigits == 0 || value == 0 || !std::isfinite(value))
        return QStringLiteral("0 ") + unit;
    // Rounded to the digits first: 9.96 with two digits is 10, not 10.0.
    const auto decimalsFor = [digits](double v) { return digits - 1 - int(std::floor(std::log10(std::abs(v)))); };
    const double scale = std::pow(10.0, decimalsFor(value));
    const double rounded = std::round(value * scale) / scale;
    return QString::number(rounded, 'f', std::max(0, decimalsFor(rounded))) + u' ' + unit;
}
