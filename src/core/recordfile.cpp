#include "core/recordfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A name the file system cannot even be asked about (empty, or with a NUL
// that would silently cut it) fails like a name open() refuses.
std::optional<QByteArray> nativeName(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return std::nullopt;
    return QFile::encodeName(path);
}

FileFailure lastError(FileStep step) { return { errno, step }; }

// Closes and reports a close failure; the descriptor is released either way.
std::optional<FileFailure> closeFile(int fd)
{
    if (::close(fd) != 0 && errno != EINTR)
        return lastError(FileStep::Close);
    return std::nullopt;
}

} // namespace

// A name that is no regular file (a folder, a pipe, a device) is refused
// before it is opened: nothing waits on it and nothing is sent to it.
std::optional<FileFailure> refusedKind(const QByteArray& name)
{
    struct stat info { };
    if (::stat(name.constData(), &info) != 0 || S_ISREG(info.st_mode))
        return std::nullopt; // the open reports what there is to report
    return FileFailure { S_ISDIR(info.st_mode) ? EISDIR : ESPIPE, FileStep::Open };
}

std::optional<FileFailure> writeRecordFile(const QString& path, const SystemRecord& record)
{
    const auto name = nativeName(path);
    if (!name)
        return FileFailure { EINVAL, FileStep::Open };
    if (const auto refused = refusedKind(*name))
        return refused;
    // An existing file is opened, not truncated; a missing one is made, and
    // removed again when it cannot be written whole: a failed save leaves
    // no empty or cut-off file of its own behind.
    bool made = false;
    int fd = ::open(name->constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC, 0666);
        made = fd >= 0;
        if (fd < 0 && errno == EEXIST) // a symbolic link to a file yet to be made
            fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    }
    if (fd < 0)
        return lastError(FileStep::Open);
    const auto failedWith = [&](FileFailure failure) {
        ::close(fd);
        if (made)
            ::unlink(name->constData());
        return std::optional<FileFailure>(failure);
    };

    std::size_t done = 0;
    while (done < record.size()) {
        const ssize_t written = ::write(fd, record.data() + done, record.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return failedWith(written < 0 ? lastError(FileStep::Transfer) : FileFailure { ENOSPC, FileStep::Transfer });
        done += std::size_t(written);
    }
    // A full or failing disk may only say so when the data reaches it.
    if (::fsync(fd) != 0)
        return failedWith(lastError(FileStep::Transfer));
    const std::optional<FileFailure> closed = closeFile(fd);
    if (closed && made)
        ::unlink(name->constData());
    return closed;
}

RecordRead readRecordFile(const QString& path)
{
    RecordRead result;
    const auto name = nativeName(path);
    if (!name) {
        result.failure = FileFailure { EINVAL, FileStep::Open };
        return result;
    }
    if ((result.failure = refusedKind(*name)))
        return result;
    const int fd = ::open(name->constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.failure = lastError(FileStep::Open);
        return result;
    }
    while (result.bytesRead < kSystemRecordSize) {
        const ssize_t got
            = ::read(fd, result.record.data() + result.bytesRead, std::size_t(kSystemRecordSize - result.bytesRead));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.failure = lastError(FileStep::Transfer);
            ::close(fd);
            return result;
        }
        if (got == 0)
            break;
        result.bytesRead += int(got);
    }
    result.failure = closeFile(fd);
    return result;
}
