#pragma once
// Loading a system file, the one way the program does it ("Load System",
// a file named on the command line, every command-line command that reads
// a file): the record into the design state, then what a load implies,
// which is the bandpass gain that the file does not hold but the graph and
// the report draw at, and the driver the box design was made with. Another
// file's design is read the same way into a design of its own, for comparing
// ("Add from File...").

#include "core/designstate.h"

#include <QString>
#include <optional>

// Asks for the file as "Load System" does. True when a record was loaded.
bool loadSystem();
// Loads the named file with the same messages; Retry asks through the dialog.
bool loadSystemFile(const QString& path);

// Another system file's design, beside the one loaded: asked for (with the
// dialog titled `title`) and read as "Load System" reads a file, with the
// same messages, into a design state of its own that starts from the start
// values. The design state, its file, the count of loads and the kept curves
// stay as they are. Empty when nothing was read.
struct OtherSystem {
    DesignState design;
    QString file;
};
std::optional<OtherSystem> readOtherSystem(const QString& title);
std::optional<OtherSystem> readOtherSystemFile(const QString& path);
