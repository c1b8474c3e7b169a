#pragma once
// What the options of `tolvan-cli analyse` add to a design before it is
// analysed: the driver's data (an option for each part of a driver that the
// library keeps and the analysis takes, but the design's own Fs, Qts and
// Vas), a driver of the library, the input and the distance, the box's
// losses and port, a filter ahead of the drivers, several drivers and
// their wiring, a passive radiator's Sd and Xmax, and the curve a chart
// shows. Every number is read by the program's number reader as the
// windows read it (windowrun.h valueProblem); a value the analysis cannot
// take, or an option the design's box has no use for, is a usage error
// that names the option.

#include "analysis/driverparts.h"
#include "analysis/result.h"
#include "cli/arguments.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

struct AnalyseOption {
    const char* name; // without "--"
    const char* value; // what it takes, for the help
    const char* help;
};

// The options besides the driver data's, in the order the help lists them.
const std::vector<AnalyseOption>& analyseOptions();

// The driver data's options: the library's parts (kDriverValues) that the
// analysis takes and the design does not give, in the library's order.
QStringList driverDataOptions();

// A box window's input that holds a part of a driver with a meaning of its
// own: its option when the box is analysed ("impedance" for the bandpass
// window's nominal impedance, whose key "re" is the driver's Re here);
// the key itself for every other input.
QString windowInputOption(const QString& box, const QString& key);

struct WindowCommand;

// A box window's options as analyse names them, --driver left out
// (analyse's own does both).
struct WindowOption {
    QString option; // analyse's name
    OptionEntry window; // the window command's own
};
QVector<WindowOption> analyseWindowOptions(const WindowCommand& window);
// Every option analyse takes; with a box window, its options too.
QVector<OptionEntry> analyseOptionTable(const WindowCommand* window);

struct AnalyseSettings {
    std::optional<QString> driver; // --driver, the library's driver of that name
    std::vector<std::pair<const analysis::DriverDataPart*, double>> driverData;
    std::optional<analysis::DriveUnit> unit;
    std::optional<double> level, distance, ql, radiatorSd, radiatorXmax;
    std::optional<int> port; // which of design::kPorts
    std::optional<analysis::HighPass> filter;
    std::optional<int> drivers;
    std::optional<analysis::Wiring> wiring;
    std::optional<analysis::CurveKind> curve; // --graph
};

// The settings the options give; the usage error ("--volts: ...") when a value is not one.
std::variant<AnalyseSettings, QString> readAnalyseSettings(const ParsedArguments& arguments);

// The settings applied to a design (`driver` the library's driver of
// --driver); the usage error when an option does not fit its box ("--port:
// a Closed Box has no port").
QString applyAnalyseSettings(
    const AnalyseSettings& settings, const std::optional<DriverRecord>& driver, analysis::AnalysisInput& input);
