#pragma once
// tolvan-cli: one subcommand per design window, taking the window's declared
// inputs as named options and printing its declared results (each with its
// caption, text and unit, by section; each message on stderr), and the
// subcommands on system files. Exit status 0 for a design, 1 when the window
// refuses the inputs (or a file cannot be loaded or written), 2 for a usage
// error, an option value the window cannot take included. Needs a
// QApplication (the offscreen platform will do).

#include <QStringList>

class QTextStream;

inline constexpr int kExitDesign = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// `arguments` as the program got them, its name first.
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err);
