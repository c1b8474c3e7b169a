#pragma once
// The subcommands on a system file: `show` prints the design it holds,
// `graph` writes its response graph as PNG, SVG or PDF (or compares the
// designs of several files on one chart), `report` its box data report as
// PDF. The file is loaded as "Load System" loads it, with the same messages
// when it cannot be, kept curves beside it included.

#include "cli/arguments.h"
#include "core/messages.h"

#include <QTextStream>

struct FileCommand {
    const char* name;
    const char* summary;
    const char* usage;
    const char* example;
    QVector<OptionEntry> options;
    const char* optionHelp;
    bool writesFile; // -o names the file to write
    int (*run)(const ParsedArguments& arguments, QTextStream& out, QTextStream& err);
    int maxFiles = 1; // system files named (at least one)
};

// The most files `graph` compares on one chart.
inline constexpr int kMaxGraphFiles = 8;

// Loads a system file into a fresh design, with the kept curves beside it;
// false when the design could not be loaded. The messages are printed
// either way, after the file's name (kept curves that cannot be read leave
// the design loaded).
bool loadDesign(const QString& file, QTextStream& err);

// The one wording for an output file that could not be written, with what
// the printing said on the way, and why when it is known; the exit status.
int outputFailed(
    QTextStream& err, const QString& file, const QVector<Message>& messages = {}, const QString& reason = {});

const QVector<FileCommand>& fileCommands();
const FileCommand* findFileCommand(const QString& name);
