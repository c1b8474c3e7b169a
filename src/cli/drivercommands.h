#pragma once
// `tolvan-cli drivers ACTION ...`: the driver library from the command line.
//   list [WORDS]        the drivers (those matching every word), one a line
//   show NAME           one driver, value by value
//   add --name N --fs X --qts X --vas X [--qes --qms --re --le --vd
//       --manufacturer --model --note] [--replace]
//   remove NAME
//   import FILE         a JSON or CSV file; says what was added, skipped, refused
//   export FILE         JSON, or CSV for a name ending in .csv
// Every action takes --json. The library is the program's own file
// (driverLibraryPath(): drivers.json under $XDG_DATA_HOME/Tolvan), and its
// messages are printed on stderr. Exit status 0 done, 1 refused or nothing
// done (an import that added no driver), 2 usage. "--" ends the options, so
// a name beginning with "-" can be shown and removed. Names are printed
// with their control characters made visible (visibleText).
//
// The window commands' --driver NAME comes here for its driver.

#include "core/driverrecord.h"

#include <QStringList>
#include <optional>

class QTextStream;

int runDriverCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
void printDriverCommandHelp(QTextStream& out);

// The library's driver of that name; empty with `problem` set when there is
// none (or the library cannot be used: its message is shown first).
std::optional<DriverRecord> libraryDriver(const QString& name, QString& problem);
