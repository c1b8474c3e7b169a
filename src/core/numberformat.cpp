#include "core/numberformat.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

int significantDigits(Precision precision) { return precision == Precision::Single ? 7 : 15; }

// A finite value as its decimal digits: value = 0.d1d2d3... * 10^pointPos,
// i.e. the first pointPos digits stand before the decimal point.
struct DecimalForm {
    bool negative = false;
    std::string digits; // no leading zero unless the value is 0
    int pointPos = 0;
};

DecimalForm decimalForm(double value, Precision precision)
{
    const int p = significantDigits(precision);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", p - 1, value);
    DecimalForm d;
    const char* c = buf;
    if (*c == '-') {
        d.negative = true;
        ++c;
    }
    for (; *c && *c != 'e'; ++c)
        if (*c >= '0' && *c <= '9')
            d.digits.push_back(*c);
    const int exponent = *c == 'e' ? std::atoi(c + 1) : 0;
    d.pointPos = exponent + 1;
    if (d.digits.find_first_not_of('0') == std::string::npos) {
        d.digits.assign(1, '0'); // not from a literal: GCC 12 misreads that as an overlapping copy
        d.pointPos = 1;
        d.negative = false;
    }
    return d;
}

// Integer and fraction digit strings of a decimal form, rounded half away from
// zero to `decimals` places. The integer string has no leading zeros ("" for 0).
struct FixedDigits {
    std::string integer;
    std::string fraction;
    bool isZero() const { return integer.empty() && fraction.find_first_not_of('0') == std::string::npos; }
};

FixedDigits roundToDecimals(const DecimalForm& d, int decimals)
{
    // Write all digits with the point at pointPos, padding with zeros.
    std::string integer, fraction;
    if (d.pointPos <= 0) {
        fraction = std::string(static_cast<std::size_t>(-d.pointPos), '0') + d.digits;
    } else if (d.pointPos >= static_cast<int>(d.digits.size())) {
        integer = d.digits + std::string(d.pointPos - d.digits.size(), '0');
    } else {
        integer = d.digits.substr(0, d.pointPos);
        fraction = d.digits.substr(d.pointPos);
    }
    const bool roundUp = static_cast<int>(fraction.size()) > decimals && fraction[decimals] >= '5';
    fraction.resize(decimals, '0');
    if (roundUp) {
        std::string all = integer + fraction;
        int i = static_cast<int>(all.size()) - 1;
        for (; i >= 0; --i) {
            if (all[i] == '9') {
                all[i] = '0';
            } else {
                ++all[i];
                break;
            }
        }
        if (i < 0)
            all.insert(all.begin(), '1');
        integer = all.substr(0, all.size() - decimals);
        fraction = all.substr(all.size() - decimals);
    }
    const auto firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
    return { integer, fraction };
}

std::string groupThousands(const std::string& digits)
{
    std::string out;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

bool isDigitPlace(QChar c) { return c == u'#' || c == u'0'; }

// The integer section of a pattern filled with the integer digits: digits fill
// the digit places from the right, literal characters stay where they stand,
// digits beyond the places go before the leftmost place (or just before the
// point when the section has no digit place).
QString fillInteger(QStringView section, std::string digits, bool grouping)
{
    if (grouping)
        digits = groupThousands(digits);
    QString out;
    int next = static_cast<int>(digits.size()) - 1;
    int leftmostPlace = -1;
    for (int i = static_cast<int>(section.size()) - 1; i >= 0; --i) {
        const QChar c = section[i];
        if (c == u',')
            continue; // grouping is done on the digits themselves
        if (isDigitPlace(c)) {
            if (next >= 0)
                out.prepend(QChar(digits[next--]));
            else if (c == u'0')
                out.prepend(u'0');
            leftmostPlace = out.size();
        } else {
            out.prepend(c);
        }
    }
    if (next >= 0) {
        const QString rest = QString::fromLatin1(digits.data(), next + 1);
        const int at = leftmostPlace >= 0 ? out.size() - leftmostPlace : out.size();
        out.insert(at, rest);
    }
    return out;
}

QString fillFraction(QStringView section, const std::string& digits)
{
    // Digit places beyond the last needed digit vanish for '#', stay for '0'.
    int keep = 0;
    int place = 0;
    for (QChar c : section) {
        if (!isDigitPlace(c))
            continue;
        if (c == u'0' || digits[place] != '0')
            keep = place + 1;
        ++place;
    }
    // A '#' followed later by a kept digit must be shown as well.
    QString out;
    place = 0;
    for (QChar c : section) {
        if (isDigitPlace(c)) {
            if (place < keep)
                out.append(QChar(digits[place]));
            ++place;
        } else {
            out.append(c);
        }
    }
    return out;
}

QString nonFiniteText(double value) { return std::isnan(value) ? kUndefinedText : kOverflowText; }

} // namespace

QString formatNumber(double value, QStringView pattern, Precision precision)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);

    const qsizetype point = pattern.indexOf(u'.');
    const QStringView intSection = point < 0 ? pattern : pattern.left(point);
    const QStringView fracSection = point < 0 ? QStringView() : pattern.mid(point + 1);
    int decimals = 0;
    for (QChar c : fracSection)
        decimals += isDigitPlace(c) ? 1 : 0;
    bool grouping = false;
    for (qsizetype i = 1; i + 1 < intSection.size(); ++i)
        if (intSection[i] == u',' && isDigitPlace(intSection[i - 1]) && isDigitPlace(intSection[i + 1]))
            grouping = true;

    const DecimalForm d = decimalForm(value, precision);
    const FixedDigits fixed = roundToDecimals(d, decimals);

    QString text;
    if (d.negative && !fixed.isZero())
        text.append(u'-');
    text += fillInteger(intSection, fixed.integer, grouping);
    if (point >= 0) {
        text.append(u'.');
        text += fillFraction(fracSection, fixed.fraction);
    }
    return text;
}

QString numberText(double value, Precision precision)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const int p = significantDigits(precision);
    DecimalForm d = decimalForm(value, precision);
    const QString sign = d.negative ? QStringLiteral("-") : QStringLiteral(" ");
    if (d.digits == "0")
        return QStringLiteral(" 0");
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();

    const int exponent = d.pointPos - 1;
    if (exponent < -4 || exponent >= p) {
        QString mantissa = QChar(d.digits[0]);
        if (d.digits.size() > 1)
            mantissa += u'.' + QString::fromLatin1(d.digits.c_str() + 1);
        const QString digits = QString::number(std::abs(exponent)).rightJustified(2, u'0');
        return sign + mantissa + (exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) + digits;
    }
    const FixedDigits fixed = roundToDecimals(d, std::max(0, static_cast<int>(d.digits.size()) - d.pointPos));
    QString text = sign + QString::fromStdString(fixed.integer);
    if (!fixed.fraction.empty())
        text += u'.' + QString::fromStdString(fixed.fraction);
    return text;
}

QString formatText(const QString& text, QStringView pattern) { return pattern == u">" ? text.toUpper() : text; }
