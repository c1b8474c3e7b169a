#pragma once
// Turning numbers into the texts that fields, reports and messages show.
//
// formatNumber(value, pattern): digit patterns such as "###.##".
//   '#' a digit shown only when needed, '0' a digit always shown, '.' the
//   decimal point (always shown, even with nothing around it), ',' between
//   digit places asks for thousands grouping, a blank is copied unchanged.
//   The value is rounded half away from zero to the pattern's decimals, on
//   its decimal form: 7 significant digits for a Single (float overload),
//   15 for a Double. The integer part is never cut.
//   So 12 -> "12.", 0.25 -> ".25", 0 -> ".", -3 -> "-3.", 0.645f -> ".65".
//
// numberText(value): a stored value shown without a pattern, and numbers in
//   messages: a leading blank for zero and positive values, '-' for negative
//   ones, up to 7 (Single) or 15 (Double) significant digits, no trailing
//   zeros, no zero before the point (" .35"); magnitudes below 1E-04 or with
//   more integer digits than that use the exponent form " 1.5E+07".
//
// Neither ever produces digits for a NaN or an infinity: both give
// kOverflowText or kUndefinedText, which read back as 0.

#include <QString>
#include <QStringView>

enum class Precision { Single, Double };

inline const QString kOverflowText = QStringLiteral("Overflow");
inline const QString kUndefinedText = QStringLiteral("Undefined");

QString formatNumber(double value, QStringView pattern, Precision precision);
inline QString formatNumber(float value, QStringView pattern)
{
    return formatNumber(static_cast<double>(value), pattern, Precision::Single);
}
inline QString formatNumber(double value, QStringView pattern)
{
    return formatNumber(value, pattern, Precision::Double);
}

QString numberText(double value, Precision precision);
// The same with `significantDigits` digits at most (7 for a Single, 15 for a Double).
QString numberText(double value, int significantDigits);
inline QString numberText(float value) { return numberText(static_cast<double>(value), Precision::Single); }
inline QString numberText(double value) { return numberText(value, Precision::Double); }

// The text pattern ">" shows a text in upper case; any other pattern leaves it.
QString formatText(const QString& text, QStringView pattern);
