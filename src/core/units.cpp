#include "core/units.h"

#include "core/numberparse.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFewestDigits = 3;

struct Conversion {
    double factor;
    const char* symbol;
};

Conversion conversion(Metric metric)
{
    switch (metric) {
    case Metric::Litres:
        return { units::kLitresPerCubicFoot, "L" };
    case Metric::Centimetres:
        return { units::kCentimetresPerInch, "cm" };
    case Metric::Millimetres:
        return { 10 * units::kCentimetresPerInch, "mm" };
    case Metric::CubicCentimetres:
        return { units::kCubicCentimetresPerCubicInch, "cm\u00b3" };
    case Metric::None:
        break;
    }
    return { 0, nullptr };
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

} // namespace

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
