#pragma once
// Reading and writing the system record at the start of a file, with the
// operating system's own error numbers, so that the procedures can tell the
// user exactly what went wrong. The file is open only inside one call.
//
// Writing opens without truncating: a longer file keeps its bytes after the
// record, and a new file is exactly one record long; a new file that could
// not be written whole is removed again. Every write is checked and brought
// to the disk. Reading never creates a file. Neither touches a folder, a
// pipe or a device: such a name fails at once, as a file that cannot be
// accessed (EISDIR for a folder, ESPIPE for the others).

#include "core/fileerrors.h"
#include "core/systemrecord.h"

#include <QString>
#include <optional>

struct FileFailure {
    int osError = 0; // errno
    FileStep step = FileStep::Open;
};

std::optional<FileFailure> writeRecordFile(const QString& path, const SystemRecord& record);

struct RecordRead {
    SystemRecord record {};
    int bytesRead = 0; // fewer than kSystemRecordSize: the file ended first
    std::optional<FileFailure> failure;
};
RecordRead readRecordFile(const QString& path);
