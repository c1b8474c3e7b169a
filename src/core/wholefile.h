#pragma once
// The one way the program writes a file and the one way it reads one, for
// every file it keeps or makes: the driver library and its exports, the kept
// curves beside a system file, graphs and PDF reports. (The system file's
// record keeps its own rule, core/recordfile.h.)
//
// Writing puts the whole content into a new file beside the target, checks
// every write, brings it to the disk and only then puts it in the target's
// place, in one step: the target holds its earlier content or the new one,
// never a part of either. A symbolic link is followed once, to the real
// file, which is written (the link stays as it is). A pipe, a device or a
// folder is never written to. A failure says why in the system's own terms
// ("the disk is full", "permission denied", "the file would be larger than
// this system allows").
//
// Reading refuses anything but a regular file before opening it, never
// waits for a file, and reads no more than the reader's limit: a larger
// file is refused, not read.

#include <QByteArray>
#include <QString>
#include <optional>

struct WholeFile {
    QByteArray data;
    QString problem; // empty: read; otherwise why not ("it is a pipe (FIFO), not a file")
    bool missing = false; // no file of that name
};
WholeFile readWholeFile(const QString& path, qint64 limit);

// Why the content could not be written; nullopt when it was.
std::optional<QString> writeWholeFile(const QString& path, const QByteArray& data);

// Why nothing could be written at `path` at all, asked before anything is
// made: a folder that does not exist, or a name that is a pipe, device or
// folder. nullopt when writing may be tried.
std::optional<QString> unwritableTarget(const QString& path);

// The file a path leads to: symbolic links followed (to a file that need
// not exist yet), the folder in its canonical form. Two paths of one file
// give one real path.
QString realFilePath(const QString& path);

// An operating-system failure (errno) as the reason in a sentence: "the disk is full".
QString fileFailureText(int osError);
// "32 MB", "64 KB": a limit as messages name it.
QString fileSizeText(qint64 bytes);

// A write beyond the file-size limit of the process then fails with "the
// file would be larger than this system allows" instead of ending the
// program (the system's default for that signal). Both programs call it
// first thing.
void reportFileSizeLimitAsFailure();
