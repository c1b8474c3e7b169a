#pragma once
// The units the windows show their numbers in, and the metric value of a
// number shown in an imperial one (a field's tooltip: 2.16 cubic feet shows
// "61.2 L").
//
// A Unit is the word a window writes for a number ("Cubic Feet", "Hz") and,
// for an imperial unit, the metric unit its value is also given in. The
// metric value keeps the significant digits of the text it comes from, and
// at least three: "2.16" gives 61.2 L, "14.37" 36.50 cm, "2" 56.6 L.

#include <QString>
#include <QStringView>
#include <cstdint>

// The metric unit an imperial value is turned into; each implies its source.
enum class Metric : std::uint8_t {
    None,
    Litres, // from cubic feet
    Centimetres, // from inches
    Millimetres, // from inches (the small lengths of a coil)
    CubicCentimetres, // from cubic inches
};

struct Unit {
    const char* text = nullptr; // nullptr: a number without a unit
    Metric metric = Metric::None;
};

namespace units {
// The conversions, each stated once: the tooltips, the analysis and the driver files use them.
inline constexpr double kLitresPerCubicFoot = 28.316846592;
inline constexpr double kCentimetresPerInch = 2.54;
inline constexpr double kCubicCentimetresPerCubicInch = kCentimetresPerInch * kCentimetresPerInch * kCentimetresPerInch;

inline constexpr Unit kCubicFeet { "Cubic Feet", Metric::Litres };
inline constexpr Unit kCubicInches { "Cubic Inches", Metric::CubicCentimetres };
inline constexpr Unit kInches { "Inches", Metric::Centimetres };
inline constexpr Unit kCoilInches { "Inches", Metric::Millimetres };
inline constexpr Unit kHz { "Hz" };
inline constexpr Unit kOhms { "Ohms" };
inline constexpr Unit kDecibel { "dB" };
inline constexpr Unit kMilliHenry { "mH" };
inline constexpr Unit kMicroFarad { "uF" };
inline constexpr Unit kAwg { "AWG" };
// A driver's datasheet values and the analysis' signal, metric as datasheets give them (rich text).
inline constexpr Unit kSquareCentimetres { "cm<sup>2</sup>" };
inline constexpr Unit kMillimetres { "mm" };
inline constexpr Unit kWatts { "W" };
inline constexpr Unit kMetres { "m" };
// m³ × 10⁻⁴, the radiator's displacement volumes (rich text).
inline constexpr Unit kDisplacement { "m<sup>3</sup> X 10<sup>-4</sup>" };
} // namespace units

// The metric value of a number shown as `shown` ("61.2 L"); empty when the
// unit is not imperial or the text shows no plain number ("N/A", "").
QString metricText(QStringView shown, Metric metric);
