#pragma once
// Runs a design window as a user would: the window opens and activates on
// a fresh design (the main window's start values), the driver named by
// --driver is picked from the library, each given option is typed into its
// field and the field left, the button is pressed, the options for after it
// are typed and left, and the window's declared results are read. The window
// is closed again afterwards.

#include "cli/arguments.h"
#include "cli/commandresult.h"
#include "cli/windowcommands.h"

struct WindowRun {
    CommandResult result;
    bool designed = false; // false: the window refused the inputs
};

QVector<OptionEntry> optionEntries(const WindowCommand& command);
// What is wrong with an option's value, as "--qts: ..." (the first such
// option); empty when every value is one the window takes.
QString optionValueProblem(const WindowCommand& command, const ParsedArguments& arguments);
// What the windows would make of `value` in a field that takes `accepts`,
// shown in `unit`: "must be a number, not ...", a unit of another kind and
// the like; empty when it takes it. Every number an option gives is read so.
QString valueProblem(Accepts accepts, const QString& value, const Unit& unit = {});
// With `handOver`, a design the window made is handed over into the design
// state as Save System takes it from an open window.
WindowRun runWindowCommand(const WindowCommand& command, const ParsedArguments& arguments, bool handOver = false);

// "a, b and c" ("a, b or c"); "--a, --b and --c".
QString listed(const QStringList& items, const char* last = "and");
QString optionList(const QStringList& options);

// A caption or unit as plain text: rich text's superscripts as "^3", a
// caption on two lines on one.
QString plainText(const char* text);
QString plainText(QString text);
