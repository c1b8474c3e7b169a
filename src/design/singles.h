#pragma once
// Calculations run in double and store Singles. These helpers do the two
// conversions the box windows depend on: rounding a result to a Single (an
// overflow becomes an infinity, never undefined behaviour) and reading a value
// back as its field shows it, since several formulas continue with the shown
// value (a volume of 0.6493 continues as .65). A field in an imperial unit
// shows its number in the units chosen (core/units.h), so a volume goes on
// as the litres shown, converted back, in Metric.

#include "core/units.h"

#include <QStringView>
#include <optional>

namespace design {

// The display patterns of the box windows.
inline constexpr QStringView kPattern2 = u"###.##"; // volumes, frequencies, lengths
inline constexpr QStringView kPattern3 = u"##.###"; // hump or dip

float toSingle(double value);

// A result that is kept only when it is a finite number within the Single range.
std::optional<float> toFiniteSingle(double value);

// The number a field in `unit` holds after showing `value` with `pattern`.
double asShown(float value, QStringView pattern, const Unit& unit = {});
double asShown(double value, QStringView pattern, const Unit& unit = {});

bool allFinite(std::initializer_list<float> values);

} // namespace design
