#pragma once
// The subcommands on a system file: `show` prints the design it holds,
// `graph` writes its response graph as PNG, SVG or PDF (or compares the
// designs of several files on one chart), `report` its box data report as
// PDF. The file is loaded as "Load System" loads it, with the same messages
// when it cannot be, kept curves beside it included.

#include "cli/arguments.h"

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

const QVector<FileCommand>& fileCommands();
const FileCommand* findFileCommand(const QString& name);
