#pragma once
// `tolvan-cli analyse`: what a driver does in its box (analysis/analysis.h)
// for the design a system file holds, or the design a box window makes from
// its inputs (--box TYPE with the options of `tolvan-cli TYPE`, the window
// run unseen and its design handed over as Save System takes it), with the
// driver data and the rest that the options give (analyseoptions.h).
//
// Without -o it prints the design and the figures in words, section by
// section (analysis/describe.h), or as JSON; with -o it writes the file
// that the name's suffix asks for through the analysis' one writer
// (graph/analysisoutput.h): the chart of --graph as PNG, SVG or PDF, or the
// curves as CSV, FRD or ZMA. Up to kMaxGraphFiles files are analysed alike
// and drawn on one chart, each labelled with its file as `graph` labels them.
//
// Exit status: 0 analysed (and written), 1 a file or a window gave no
// design, the analysis refused it or the output could not be written, 2 a
// usage error: a bad option or value, an option the box has no use for, and
// driver data missing (named with the options that give it).

#include <QStringList>

class QTextStream;

int runAnalyseCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
void printAnalyseHelp(QTextStream& out);

inline constexpr const char* kAnalyseSummary
    = "The analysis of a design: SPL, maximum SPL, excursion, port velocity, impedance and figures.";
