#pragma once
// Loading a system file, the one way the program does it ("Load System",
// a file named on the command line, every command-line command that reads
// a file): the record into the design state, then what a load implies,
// which is the bandpass gain that the file does not hold but the graph and
// the report draw at, and the driver the box design was made with.

#include <QString>

// Asks for the file as "Load System" does. True when a record was loaded.
bool loadSystem();
// Loads the named file with the same messages; Retry asks through the dialog.
bool loadSystemFile(const QString& path);
