#pragma once
// The units numbers are shown, typed and filed in.
//
// The design state, the system file and every calculation keep the units
// the windows were made for (cubic feet, inches, Hz, ohms, mH, uF). The user
// chooses how the windows, the printed pages and the command line show them:
// Imperial, those units as they are, or Metric, where every imperial unit
// is replaced by its metric one (cubic feet by litres, inches by cm or mm,
// cubic inches by cm³). A field's number is converted on the way in and out
// (toShown, fromShown); the digit patterns apply to the number shown.
//
// A Unit is the word a window writes for a number ("Cubic Feet", "Hz"),
// the quantity it measures, and for an imperial unit its metric unit. The
// quantity's words (kVolumeWords, ...) are what a number may be typed with
// ("61 L"), and what a driver file may name in its header: one vocabulary.
//
// In Imperial, a field shown in an imperial unit also gives its metric
// value as a tooltip (metricText): 2.16 cubic feet shows "61.2 L".

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <span>

// The metric unit an imperial value is turned into; each implies its source.
enum class Metric : std::uint8_t {
    None,
    Litres, // from cubic feet
    Centimetres, // from inches
    Millimetres, // from inches (the small lengths of a coil, port diameters)
    CubicCentimetres, // from cubic inches
};

// What a number measures; its words are those of units::words().
enum class Quantity : std::uint8_t {
    None, // a plain number (Qts, a ratio)
    Volume,
    Length,
    Frequency,
    Resistance,
    Inductance,
    Capacitance,
    Displacement, // a radiator's volume displacement, in 10^-4 m³
    Level,
    // A driver's datasheet values, kept in the metric units datasheets give.
    Area, // cm²
    Excursion, // a length kept in mm: a cone's Xmax
    Power,
};

// A unit a number may be typed or filed with, and how a number in it becomes
// one in the first unit of its list: number * times / per.
struct UnitWord {
    const char* name; // as files write it and messages name it: "L"
    // Other ways to write it, as they read after normalizedUnit(), separated
    // by blanks: "liter litre liters litres dm3".
    const char* spellings = "";
    double times = 1;
    double per = 1;
};

struct Unit {
    const char* text = nullptr; // nullptr: a number without a unit
    Metric metric = Metric::None;
    Quantity quantity = Quantity::None;
    const char* symbol = nullptr; // the short form lists and labels write: "ft³"
    const char* word = nullptr; // its name among the quantity's words; nullptr: the first
};

enum class UnitSystem : std::uint8_t { Imperial, Metric };

namespace units {
// The conversions, each stated once: the fields, the analysis and the driver files use them.
inline constexpr double kLitresPerCubicFoot = 28.316846592;
inline constexpr double kCentimetresPerInch = 2.54;
inline constexpr double kCubicCentimetresPerCubicInch = kCentimetresPerInch * kCentimetresPerInch * kCentimetresPerInch;

// The words of each quantity; the first is the unit the program keeps it in.
inline constexpr UnitWord kNoWords[] = { { "", "-" } };
inline constexpr UnitWord kFrequencyWords[] = { { "Hz", "hertz" }, { "kHz", "", 1000 } };
inline constexpr UnitWord kResistanceWords[] = { { "ohm", "ohms" } };
inline constexpr UnitWord kInductanceWords[] = { { "mH", "" }, { "H", "henry", 1000 }, { "uH", "", 1, 1000 } };
inline constexpr UnitWord kCapacitanceWords[] = { { "uF", "" }, { "nF", "", 1, 1000 }, { "pF", "", 1, 1000000 } };
inline constexpr UnitWord kVolumeWords[] = {
    // to cubic feet
    { "ft3", "cuft cubicfeet cubicfoot" },
    { "L", "liter litre liters litres dm3", 1, kLitresPerCubicFoot },
    { "m3", "", 1000, kLitresPerCubicFoot },
    { "in3", "cuin cubicinches cubicinch", 1, 1728 },
    { "cm3", "cc ml", 1, 1000 * kLitresPerCubicFoot },
};
inline constexpr UnitWord kLengthWords[] = {
    // to inches
    { "in", "\" inch inches" },
    { "cm", "", 1, kCentimetresPerInch },
    { "mm", "", 1, 10 * kCentimetresPerInch },
    { "m", "", 100, kCentimetresPerInch },
    { "ft", "feet foot", 12 },
};
inline constexpr UnitWord kDisplacementWords[] = {
    // to 10^-4 m³, as the radiator window takes it
    { "10^-4 m3", "1e-4m3 m3x10-4 x10-4m3" },
    { "cm3", "cc ml", 1, 100 },
    { "L", "liter litre liters litres dm3", 10 },
    { "m3", "", 10000 },
    { "in3", "cuin cubicinches cubicinch", kCubicCentimetresPerCubicInch, 100 },
    { "ft3", "cuft cubicfeet cubicfoot", 10 * kLitresPerCubicFoot },
};
inline constexpr UnitWord kLevelWords[] = { { "dB", "" } };
inline constexpr UnitWord kAreaWords[] = {
    // to cm²
    { "cm2", "sqcm" },
    { "m2", "sqm", 10000 },
    { "mm2", "sqmm", 1, 100 },
    { "in2", "sqin squareinch squareinches", kCentimetresPerInch* kCentimetresPerInch },
};
inline constexpr UnitWord kExcursionWords[] = {
    // to mm
    { "mm", "" },
    { "cm", "", 10 },
    { "m", "", 1000 },
    { "in", "\" inch inches", 10 * kCentimetresPerInch },
};
inline constexpr UnitWord kPowerWords[] = { { "W", "watt watts" }, { "kW", "", 1000 } };

std::span<const UnitWord> words(Quantity quantity);
// "volume", "length": as messages name what a unit measures.
QString quantityName(Quantity quantity);

inline constexpr Unit kCubicFeet { "Cubic Feet", Metric::Litres, Quantity::Volume, "ft\u00b3" };
inline constexpr Unit kCubicInches { "Cubic Inches", Metric::CubicCentimetres, Quantity::Volume, "in\u00b3", "in3" };
inline constexpr Unit kInches { "Inches", Metric::Centimetres, Quantity::Length, "in" };
// Lengths shown in mm in Metric: a coil's size, a port's diameter.
inline constexpr Unit kSmallInches { "Inches", Metric::Millimetres, Quantity::Length, "in" };
inline constexpr Unit kHz { "Hz", Metric::None, Quantity::Frequency, "Hz" };
inline constexpr Unit kOhms { "Ohms", Metric::None, Quantity::Resistance, "ohms" };
inline constexpr Unit kDecibel { "dB", Metric::None, Quantity::Level, "dB" };
inline constexpr Unit kMilliHenry { "mH", Metric::None, Quantity::Inductance, "mH" };
inline constexpr Unit kMicroFarad { "uF", Metric::None, Quantity::Capacitance, "uF" };
inline constexpr Unit kAwg { "AWG" };
// A driver's datasheet values and the analysis' signal, metric as datasheets give them (rich text).
inline constexpr Unit kSquareCentimetres { "cm<sup>2</sup>", Metric::None, Quantity::Area, "cm\u00b2" };
inline constexpr Unit kMillimetres { "mm", Metric::None, Quantity::Excursion, "mm" };
inline constexpr Unit kWatts { "W", Metric::None, Quantity::Power, "W" };
inline constexpr Unit kMetres { "m", Metric::None, Quantity::Length, "m", "m" };
// m³ × 10⁻⁴, the radiator's displacement volumes (rich text).
inline constexpr Unit kDisplacement { "m<sup>3</sup> X 10<sup>-4</sup>", Metric::None, Quantity::Displacement,
    "10\u207b\u2074 m\u00b3" };
} // namespace units

// ---- The units chosen

// Imperial until chosen otherwise; the program's one choice, for every window,
// page and command.
UnitSystem unitSystem();
void setUnitSystem(UnitSystem system);
// "metric" or "imperial", without regard to case; nothing for another text.
std::optional<UnitSystem> unitSystemNamed(QStringView name);
QString unitSystemName(UnitSystem system); // "Metric", "Imperial"

// Whether numbers in `unit` are shown in its metric unit.
bool showsMetric(const Unit& unit, UnitSystem system = unitSystem());
// A number in `unit` as it is shown, and back.
double toShown(double value, const Unit& unit, UnitSystem system = unitSystem());
double fromShown(double shown, const Unit& unit, UnitSystem system = unitSystem());
// The unit's word as captions, reports and the command line write it:
// "Cubic Feet" or "Litres", "Inches" or "cm"; empty for none.
QString unitText(const Unit& unit, UnitSystem system = unitSystem());
// Its short form: "ft³" or "L", "in" or "mm".
QString unitSymbol(const Unit& unit, UnitSystem system = unitSystem());

// A stored Single as a field shows it without a pattern (numberText, with
// its leading blank). Shown in a metric unit, the text has as many digits as
// it needs, at least 7, to read back as the very same Single: a design
// loaded and saved without edits keeps every bit.
QString shownNumberText(float value, const Unit& unit, UnitSystem system = unitSystem());
// A value as a field shows it with a digit pattern, converted first; the
// value's precision is that of its type.
QString shownPatternText(
    double value, QStringView pattern, bool single, const Unit& unit, UnitSystem system = unitSystem());
// What a field that shows `value` with `pattern` reads back as, in `unit`:
// several formulas continue with the shown value (.65 for 0.6493).
double asShownIn(double value, QStringView pattern, bool single, const Unit& unit, UnitSystem system = unitSystem());
// A caption that is a number in `unit` (a port's diameter ".5") as shown:
// "12.7" in mm; the caption itself when it is not converted.
QString shownCaptionNumber(const char* caption, const Unit& unit, UnitSystem system = unitSystem());

// ---- Numbers typed with a unit

// A field's text read as a number in `unit`, shown in `system`. A number
// followed by a word of the unit's quantity ("61 L" in a volume) is
// converted from that word; followed by a word of another quantity ("61 L"
// in a length) or by anything else ("4 xyz", "1,5"), the number is read by
// the number rules alone (numberparse.h). A result beyond the Single range
// reads as 0, as a number beyond it does.
struct UnitReading {
    enum class Typed { None, Converted, WrongKind };
    double value = 0; // in the unit itself (the design's unit)
    Typed typed = Typed::None;
    const UnitWord* word = nullptr; // the unit typed, when it is a known one
    Quantity typedQuantity = Quantity::None;
    bool digits = false; // a number was there at all
    bool complete = false; // nothing follows the number but blanks and a word of its quantity
    bool beyondRange = false;
};
UnitReading readInUnit(QStringView text, const Unit& unit, UnitSystem system = unitSystem());
// Why a typed unit cannot be taken: "L is a unit of volume, not of length:
// give the length in cm, or with a unit of length (in, cm, mm, m, ft)."
// Empty unless the reading is WrongKind.
QString wrongUnitProblem(const UnitReading& reading, const Unit& unit, UnitSystem system = unitSystem());

// A unit as a file's header or a typed text writes it, in one form for
// comparing: lower case, without blanks, dots and carets, "³" as "3", "µ" as
// "u", "Ω" as "ohm" ("cu. ft." is "cuft", "10⁻⁴ m³" is "10-4m3").
QString normalizedUnit(QStringView unit);
// The word of `words` that `text` names; null when there is none. An empty
// text names the first.
const UnitWord* unitWordNamed(std::span<const UnitWord> words, QStringView text);

// The metric value of a number shown as `shown` ("61.2 L"); empty when the
// unit is not imperial or the text shows no plain number ("N/A", "").
QString metricText(QStringView shown, Metric metric);
