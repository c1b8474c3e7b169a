#pragma once
// A loudspeaker driver as the driver library keeps it: its name, optionally
// its manufacturer, model and a note, and those Thiele/Small values that are
// known. A value nobody knows stays empty, never 0.
//
// kDriverValues and kDriverTexts are the one list of a driver's parts: the
// key each has in the library's JSON and CSV files and on the command line,
// its label, its unit and the units a file may give it in. Everything that
// lists a driver's parts loops over them; a part added to the record is a
// row here.
//
// A record is valid with a name and Fs, Qts and Vas; every value given is a
// finite number above 0 that a Single can hold (the design state keeps
// Singles). Two names are the same driver when they agree without regard to
// case and to blanks around them.

#include "core/units.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <span>

struct DriverRecord {
    QString name;
    QString manufacturer;
    QString model;
    std::optional<double> fs; // free-air resonance, Hz
    std::optional<double> qts;
    std::optional<double> qes;
    std::optional<double> qms;
    std::optional<double> vas; // cubic feet
    std::optional<double> re; // dc resistance, ohms
    std::optional<double> le; // voice-coil inductance, mH
    std::optional<double> vd; // volume displacement, 10^-4 m^3
    std::optional<double> sd; // cone area, cm^2
    std::optional<double> xmax; // one-way linear excursion, mm, peak
    std::optional<double> pe; // thermal power rating, W
    QString note;

    bool operator==(const DriverRecord&) const = default;
};

// A unit a driver file may give a value in, and how a number in it becomes
// one in the library's own unit: number * times / per.
struct DriverUnit {
    const char* name; // as files write it and messages name it: "L"
    // Other ways a header may write it, as they read after normalizedUnit(),
    // separated by blanks: "liter litre liters litres dm3".
    const char* spellings = "";
    double times = 1;
    double per = 1;
};

// The first unit of each list is the library's own.
inline constexpr DriverUnit kNoUnits[] = { { "", "-" } };
inline constexpr DriverUnit kFrequencyUnits[] = { { "Hz", "hertz" }, { "kHz", "", 1000 } };
inline constexpr DriverUnit kResistanceUnits[] = { { "ohm", "ohms" } };
inline constexpr DriverUnit kInductanceUnits[] = { { "mH", "" }, { "H", "henry", 1000 }, { "uH", "", 1, 1000 } };
inline constexpr DriverUnit kVolumeUnits[] = {
    // to cubic feet
    { "ft3", "cuft cubicfeet cubicfoot" },
    { "L", "liter litre liters litres dm3", 1, units::kLitresPerCubicFoot },
    { "m3", "", 1000, units::kLitresPerCubicFoot },
    { "in3", "cuin cubicinches cubicinch", 1, 1728 },
    { "cm3", "cc ml", 1, 1000 * units::kLitresPerCubicFoot },
};
inline constexpr DriverUnit kDisplacementUnits[] = {
    // to 10^-4 m³, as the radiator window takes it
    { "10^-4 m3", "1e-4m3 m3x10-4 x10-4m3" },
    { "cm3", "cc ml", 1, 100 },
    { "L", "liter litre liters litres dm3", 10 },
    { "m3", "", 10000 },
    { "in3", "cuin cubicinches cubicinch", units::kCubicCentimetresPerCubicInch, 100 },
    { "ft3", "cuft cubicfeet cubicfoot", 10 * units::kLitresPerCubicFoot },
};
// Datasheets give these in metric units, and so does the library.
inline constexpr DriverUnit kAreaUnits[] = {
    // to cm²
    { "cm2", "sqcm" },
    { "m2", "sqm", 10000 },
    { "mm2", "sqmm", 1, 100 },
    { "in2", "sqin squareinch squareinches", units::kCentimetresPerInch* units::kCentimetresPerInch },
};
inline constexpr DriverUnit kExcursionUnits[] = {
    // to mm
    { "mm", "" },
    { "cm", "", 10 },
    { "m", "", 1000 },
    { "in", "inch inches", 10 * units::kCentimetresPerInch },
};
inline constexpr DriverUnit kPowerUnits[] = { { "W", "watt watts" }, { "kW", "", 1000 } };

struct DriverValue {
    const char* key; // in files and on the command line: "fs"
    const char* label; // "Fs"
    const char* unit; // the library's unit as shown: "ft³"; empty for none
    std::optional<double> DriverRecord::*member;
    bool required;
    std::span<const DriverUnit> units; // what a file may give it in, the library's own unit first
};

inline constexpr DriverValue kDriverValues[] = {
    { "fs", "Fs", "Hz", &DriverRecord::fs, true, kFrequencyUnits },
    { "qts", "Qts", "", &DriverRecord::qts, true, kNoUnits },
    { "vas", "Vas", "ft\u00b3", &DriverRecord::vas, true, kVolumeUnits },
    { "qes", "Qes", "", &DriverRecord::qes, false, kNoUnits },
    { "qms", "Qms", "", &DriverRecord::qms, false, kNoUnits },
    { "re", "Re", "ohms", &DriverRecord::re, false, kResistanceUnits },
    { "le", "Le", "mH", &DriverRecord::le, false, kInductanceUnits },
    { "vd", "Vd", "10\u207b\u2074 m\u00b3", &DriverRecord::vd, false, kDisplacementUnits },
    { "sd", "Sd", "cm\u00b2", &DriverRecord::sd, false, kAreaUnits },
    { "xmax", "Xmax", "mm", &DriverRecord::xmax, false, kExcursionUnits },
    { "pe", "Pe", "W", &DriverRecord::pe, false, kPowerUnits },
};

struct DriverText {
    const char* key;
    const char* label;
    QString DriverRecord::*member;
    int maxLength;
};

inline constexpr DriverText kDriverTexts[] = {
    { "name", "Name", &DriverRecord::name, 100 },
    { "manufacturer", "Manufacturer", &DriverRecord::manufacturer, 100 },
    { "model", "Model", &DriverRecord::model, 100 },
    { "note", "Note", &DriverRecord::note, 2000 },
};

// The member of a key ("fs", "name"); null when there is none.
const DriverValue* driverValue(QStringView key);
const DriverText* driverText(QStringView key);

// Blanks around the name, manufacturer and model removed.
DriverRecord normalizedDriver(DriverRecord record);

// Why the record cannot be kept ("Fs is missing"); empty when it is valid.
QString driverProblem(const DriverRecord& record);
// Why a value cannot be kept; empty when it can.
QString driverValueProblem(const DriverValue& value, double number);

// The key under which a library files a name: the same for every spelling
// of one driver.
QString driverKey(const QString& name);

// A value as the user types it or a file's cell holds it: blank is unknown,
// anything else must be a number as a whole, read by the program's number
// reader ("30", ".4", "1e-3", "4 .5"); with `decimalComma` a single comma may
// stand for the point. `ok` is false for any other text. A number beyond
// the Double range is kept as the largest Double, so that
// driverValueProblem calls it out of range.
struct DriverNumber {
    bool ok = true;
    std::optional<double> value;
};
DriverNumber readDriverNumber(QString text, bool decimalComma = false);

// A unit as a file's header writes it, in one form for comparing: lower
// case, without blanks, dots and carets, "³" as "3", "µ" as "u", "Ω" as
// "ohm" ("cu. ft." is "cuft", "10⁻⁴ m³" is "10-4m3").
QString normalizedUnit(QStringView unit);
// The unit of `value` that a file's text names; null when there is none.
// An empty text names the library's own unit.
const DriverUnit* driverUnit(const DriverValue& value, QStringView text);
// "ft3, L, m3, in3, cm3": the units a file may give the value in.
QString driverUnitNames(const DriverValue& value);

// A text as messages and the command line show it: every control character
// (a line end, a tab, an escape that would drive a terminal) written as
// \n, \t or \x1B, so a name never reaches a terminal or a message raw.
QString visibleText(const QString& text);

// A value as fields and lists show it (".4", "30", "2.5").
QString driverNumberText(double value);
// "Name — Fs 30 Hz, Qts .4, Vas 2 ft³", as lists and completion show a driver.
QString driverSummary(const DriverRecord& record);

// Filtering a list as the user types: the words of the filter text, and
// whether every one of them occurs (without regard to case) in the name,
// manufacturer, model or note. No words match every driver.
QStringList filterWords(QStringView filter);
bool driverMatches(const DriverRecord& record, const QStringList& words);
