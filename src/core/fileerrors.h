#pragma once
// What the system file procedures tell the user when a file operation fails.
//
// An operating-system failure (the errno of open, read, write, fsync or
// close) is mapped to one row of the error table; the row gives the prompt,
// the title and the buttons, which differ between Save and Load only for
// "Permission Denied". Retry/Cancel rows let the user choose another name;
// OK rows end the procedure.
//
// Two refusals of Load are not operating-system failures: a file shorter than
// a system record, and a record holding a NaN or an infinity.

#include "core/messages.h"

enum class FileProcedure { Save, Load };
enum class FileStep { Open, Transfer, Close }; // Transfer: read, write or fsync

enum class FileErrorRow {
    BadFileName,
    FileNotFound,
    FileAlreadyOpen,
    DeviceIo,
    FileAlreadyExists,
    DiskFull,
    TooManyFiles,
    DeviceUnavailable,
    PermissionDenied,
    DiskNotReady,
    PathFileAccess,
    PathNotFound,
    Other,
};

// The row of an errno. A missing file whose folder is missing too is
// "Path Not Found"; an invalid argument to open means a name the file system
// refuses ("Bad File Name").
FileErrorRow fileErrorRow(int osError, FileStep step, bool folderExists);

// The message of a row; `osError` is named in the prompt of FileErrorRow::Other.
Message fileErrorMessage(FileErrorRow row, FileProcedure procedure, int osError);
// Both steps at once.
Message fileErrorMessage(int osError, FileStep step, bool folderExists, FileProcedure procedure);

// Load's refusals of a file that holds no system record.
Message shortFileMessage();
Message nonFiniteRecordMessage();
