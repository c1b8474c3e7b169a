#pragma once
// A loudspeaker driver as the driver library keeps it: its name, optionally
// its manufacturer, model and a note, and those Thiele/Small values that are
// known. A value nobody knows stays empty, never 0.
//
// kDriverValues and kDriverTexts name every member once: the key it has in
// the library's JSON and CSV files and on the command line, its label and
// unit. Everything that lists a driver's values loops over them.
//
// A record is valid with a name and Fs, Qts and Vas; every value given is a
// finite number above 0 that a Single can hold (the design state keeps
// Singles). Two names are the same driver when they agree without regard to
// case and to blanks around them.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

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
    QString note;

    bool operator==(const DriverRecord&) const = default;
};

struct DriverValue {
    const char* key; // in files and on the command line: "fs"
    const char* label; // "Fs"
    const char* unit; // "Hz"; empty for none
    std::optional<double> DriverRecord::*member;
    bool required;
};

inline constexpr DriverValue kDriverValues[] = {
    { "fs", "Fs", "Hz", &DriverRecord::fs, true },
    { "qts", "Qts", "", &DriverRecord::qts, true },
    { "vas", "Vas", "ft\u00b3", &DriverRecord::vas, true },
    { "qes", "Qes", "", &DriverRecord::qes, false },
    { "qms", "Qms", "", &DriverRecord::qms, false },
    { "re", "Re", "ohms", &DriverRecord::re, false },
    { "le", "Le", "mH", &DriverRecord::le, false },
    { "vd", "Vd", "10\u207b\u2074 m\u00b3", &DriverRecord::vd, false },
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
// anything else must be a number as a whole ("30", ".4", "1e-3"); with
// `decimalComma` a single comma may stand for the point. `ok` is false for
// any other text. Whether the number may be kept is driverValueProblem's.
struct DriverNumber {
    bool ok = true;
    std::optional<double> value;
};
DriverNumber readDriverNumber(QString text, bool decimalComma = false);

// A value as fields and lists show it (".4", "30", "2.5").
QString driverNumberText(double value);
// "Name — Fs 30 Hz, Qts .4, Vas 2 ft³", as lists and completion show a driver.
QString driverSummary(const DriverRecord& record);

// Filtering a list as the user types: the words of the filter text, and
// whether every one of them occurs (without regard to case) in the name,
// manufacturer, model or note. No words match every driver.
QStringList filterWords(QStringView filter);
bool driverMatches(const DriverRecord& record, const QStringList& words);
