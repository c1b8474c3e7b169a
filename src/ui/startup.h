#pragma once
// What `tolvan [FILE.TLV]` does: the main window opens and shows, then a
// system file named on the command line (as the file manager passes it on a
// double click) is loaded exactly as "Load System" would load it, with the
// same messages when it is missing or not a system file.

#include <QStringList>

class FrmTlv;

// `arguments` as QCoreApplication::arguments() gives them (program name
// first, Qt's own options already taken out).
FrmTlv* startTolvan(const QStringList& arguments);

// The file to load: the first argument after the program name; "--" ends
// the options, so a file whose name begins with '-' can be named after it.
QString startFileArgument(const QStringList& arguments);
