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

// A unit a driver file may give a value in: the words of its quantity
// (core/units.h), which are also the words a number may be typed with.
using DriverUnit = UnitWord;

// The library keeps each value in its unit's own unit (the design's), and
// shows it in the units chosen (unitSymbol, toShown).
struct DriverValue {
    const char* key; // in files and on the command line: "fs"
    const char* label; // "Fs"
    Unit unit; // the library's unit; a file may give the value in any word of its quantity
    std::optional<double> DriverRecord::*member;
    bool required;
    // What a file may give it in, the library's own unit first.
    std::span<const DriverUnit> units() const { return units::words(unit.quantity); }
};

inline constexpr DriverValue kDriverValues[] = {
    { "fs", "Fs", units::kHz, &DriverRecord::fs, true },
    { "qts", "Qts", {}, &DriverRecord::qts, true },
    { "vas", "Vas", units::kCubicFeet, &DriverRecord::vas, true },
    { "qes", "Qes", {}, &DriverRecord::qes, false },
    { "qms", "Qms", {}, &DriverRecord::qms, false },
    { "re", "Re", units::kOhms, &DriverRecord::re, false },
    { "le", "Le", units::kMilliHenry, &DriverRecord::le, false },
    { "vd", "Vd", units::kDisplacement, &DriverRecord::vd, false },
    { "sd", "Sd", units::kSquareCentimetres, &DriverRecord::sd, false },
    { "xmax", "Xmax", units::kMillimetres, &DriverRecord::xmax, false },
    { "pe", "Pe", units::kWatts, &DriverRecord::pe, false },
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
// A driver's value as lists and forms show it, in the units chosen ("56.63369"
// for 2 cubic feet in Metric), and its unit there ("L"; empty for none).
QString driverValueText(const DriverValue& value, double number);
QString driverUnitShown(const DriverValue& value);
// A value as the user types it into a form, in the units chosen: blank is
// unknown, a number may carry a unit of its quantity ("56.6 L"); `ok` is
// false for any other text.
struct DriverInput {
    bool ok = true;
    std::optional<double> value; // in the library's unit
    QString wrongUnit; // why a unit typed with it is not taken; empty: the text is no number
};
DriverInput readDriverInput(const DriverValue& value, const QString& text, UnitSystem shownIn = unitSystem());
// "Name — Fs 30 Hz, Qts .4, Vas 2 ft³", as lists and completion show a driver.
QString driverSummary(const DriverRecord& record);

// Filtering a list as the user types: the words of the filter text, and
// whether every one of them occurs (without regard to case) in the name,
// manufacturer, model or note. No words match every driver.
QStringList filterWords(QStringView filter);
bool driverMatches(const DriverRecord& record, const QStringList& words);
