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

std::optional<FileFailure> writeRecordFile(const QString& path, const SystemRecord& record)
{
    const auto name = nativeName(path);
    if (!name)
        return FileFailure { EINVAL, FileStep::Open };
    const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return lastError(FileStep::Open);

    std::size_t done = 0;
    while (done < record.size()) {
        const ssize_t written = ::write(fd, record.data() + done, record.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const FileFailure failure
                = written < 0 ? lastError(FileStep::Transfer) : FileFailure { ENOSPC, FileStep::Transfer };
            ::close(fd);
            return failure;
        }
        done += std::size_t(written);
    }
    // A full or failing disk may only say so when the data reaches it.
    struct stat info { };
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::fsync(fd) != 0) {
        const FileFailure failure = lastError(FileStep::Transfer);
        ::close(fd);
        return failure;
    }
    return closeFile(fd);
}

RecordRead readRecordFile(const QString& path)
{
    RecordRead result;
    const auto name = nativeName(path);
    if (!name) {
        result.failure = FileFailure { EINVAL, FileStep::Open };
        return result;
    }
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
