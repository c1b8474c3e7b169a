#include "core/fileerrors.h"

#include "core/numberformat.h"

#include <cerrno>

namespace {

const QString kFileError = QStringLiteral("File Error");
const QString kDiskError = QStringLiteral("Disk Error");

struct ErrnoRow {
    int osError;
    FileErrorRow row;
};

// The failures the operating system reports, grouped by what the user can do
// about them. ENOENT and EINVAL depend on the step and are decided in code.
constexpr ErrnoRow kErrnoRows[] = {
    { ENAMETOOLONG, FileErrorRow::BadFileName },
    { EILSEQ, FileErrorRow::BadFileName },
    { ETXTBSY, FileErrorRow::FileAlreadyOpen },
    { EBUSY, FileErrorRow::FileAlreadyOpen },
    { EIO, FileErrorRow::DeviceIo },
    { EEXIST, FileErrorRow::FileAlreadyExists },
    { ENOSPC, FileErrorRow::DiskFull },
    { EDQUOT, FileErrorRow::DiskFull },
    { EFBIG, FileErrorRow::DiskFull },
    { EMFILE, FileErrorRow::TooManyFiles },
    { ENFILE, FileErrorRow::TooManyFiles },
    { ENXIO, FileErrorRow::DeviceUnavailable },
    { ENODEV, FileErrorRow::DeviceUnavailable },
    { EACCES, FileErrorRow::PermissionDenied },
    { EPERM, FileErrorRow::PermissionDenied },
    { EROFS, FileErrorRow::PermissionDenied },
    { ENOMEDIUM, FileErrorRow::DiskNotReady },
    { EAGAIN, FileErrorRow::DiskNotReady },
    { EISDIR, FileErrorRow::PathFileAccess },
    { ELOOP, FileErrorRow::PathFileAccess },
    { ESPIPE, FileErrorRow::PathFileAccess },
    { ENOTDIR, FileErrorRow::PathNotFound },
};

struct RowText {
    FileErrorRow row;
    const QString& title;
    const char* savePrompt;
    MsgButtons saveButtons;
    const char* loadPrompt;
    MsgButtons loadButtons;
};

constexpr MsgButtons OK = MsgButtons::Ok;
constexpr MsgButtons RC = MsgButtons::RetryCancel;

const RowText kRowTexts[] = {
    { FileErrorRow::BadFileName, kFileError, "Bad File Name", OK, "Bad File Name", OK },
    { FileErrorRow::FileNotFound, kFileError, "File Not Found", RC, "File Not Found", RC },
    { FileErrorRow::FileAlreadyOpen, kFileError, "File Already Opened", OK, "File Already Opened", OK },
    { FileErrorRow::DeviceIo, kDiskError, "Device I/O Error", RC, "Device I/O Error", RC },
    { FileErrorRow::FileAlreadyExists, kFileError, "File Already Exists", RC, "File Already Exists", RC },
    { FileErrorRow::DiskFull, kDiskError, "Disk Full", RC, "Disk Full", RC },
    { FileErrorRow::TooManyFiles, kFileError, "Too Many Files", OK, "Too Many Files", OK },
    { FileErrorRow::DeviceUnavailable, kDiskError, "Device Unavailable Check Write Protect Tab", RC,
        "Device Unavailable Check Write Protect Tab", RC },
    { FileErrorRow::PermissionDenied, kDiskError, "Permission Denied...Check Write Protect Tab", RC,
        "Permission Denied", OK },
    { FileErrorRow::DiskNotReady, kDiskError, "Disk Not Ready", RC, "Disk Not Ready", RC },
    { FileErrorRow::PathFileAccess, kFileError, "Path/File Access Error", RC, "Path/File Access Error", RC },
    { FileErrorRow::PathNotFound, kFileError, "Path Not Found", RC, "Path Not Found", RC },
};

} // namespace

FileErrorRow fileErrorRow(int osError, FileStep step, bool folderExists)
{
    if (osError == ENOENT)
        return folderExists ? FileErrorRow::FileNotFound : FileErrorRow::PathNotFound;
    if (osError == EINVAL)
        return step == FileStep::Open ? FileErrorRow::BadFileName : FileErrorRow::PathFileAccess;
    for (const ErrnoRow& entry : kErrnoRows)
        if (entry.osError == osError)
            return entry.row;
    return FileErrorRow::Other;
}

Message fileErrorMessage(FileErrorRow row, FileProcedure procedure, int osError)
{
    for (const RowText& text : kRowTexts) {
        if (text.row != row)
            continue;
        const bool save = procedure == FileProcedure::Save;
        return { QString::fromLatin1(save ? text.savePrompt : text.loadPrompt), text.title,
            save ? text.saveButtons : text.loadButtons, MsgIcon::None, false };
    }
    return { QStringLiteral("Device Error ") + numberText(double(osError)) + QStringLiteral(" Has Occured"),
        QStringLiteral("Device Error"), MsgButtons::Ok, MsgIcon::None, false };
}

Message fileErrorMessage(int osError, FileStep step, bool folderExists, FileProcedure procedure)
{
    return fileErrorMessage(fileErrorRow(osError, step, folderExists), procedure, osError);
}

Message shortFileMessage()
{
    return { QStringLiteral("Not A System File: Shorter Than 374 Bytes"), kFileError, MsgButtons::RetryCancel,
        MsgIcon::None, false };
}

Message nonFiniteRecordMessage()
{
    return { QStringLiteral("Not A System File: It Holds An Invalid Number"), kFileError, MsgButtons::RetryCancel,
        MsgIcon::None, false };
}
