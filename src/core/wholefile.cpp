#include "core/wholefile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMostLinks = 40; // as many as the system follows itself
constexpr qint64 kReadPiece = 64 * 1024;
constexpr int kLongestTempBase = 160; // leaves room in a file name for the temporary's additions

// A name the file system cannot even be asked about (empty, or with a NUL
// that would silently cut it).
std::optional<QByteArray> nativeName(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return std::nullopt;
    return QFile::encodeName(path);
}

// Why a file of this kind is not read or written; empty for a regular file.
QString kindProblem(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a pipe (FIFO), not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a file");
    if (S_ISLNK(mode))
        return fileFailureText(ELOOP);
    return QStringLiteral("it is not a regular file");
}

QString tooLarge(qint64 limit) { return QStringLiteral("it is larger than %1").arg(fileSizeText(limit)); }

// Writes everything or sets errno; a write that takes nothing counts as a full disk.
bool writeAll(int fd, const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t written = ::write(fd, data.constData() + done, std::size_t(data.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        done += written;
    }
    return true;
}

// A new file beside `target`, hidden, under a name nobody else uses; -1 with errno set.
int createBeside(const QString& target, mode_t mode, QByteArray& name)
{
    const QFileInfo info(target);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    const QByteArray base = QFile::encodeName(info.fileName()).left(kLongestTempBase);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/." + base + ".tolvan-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

QString fileFailureText(int osError)
{
    switch (osError) {
    case ENOSPC:
        return QStringLiteral("the disk is full");
    case EDQUOT:
        return QStringLiteral("the disk quota is used up");
    case EFBIG:
        return QStringLiteral("the file would be larger than this system allows");
    case EACCES:
    case EPERM:
        return QStringLiteral("permission denied");
    case EROFS:
        return QStringLiteral("the disk is read-only");
    case ENOENT:
        return QStringLiteral("the folder does not exist");
    case ENOTDIR:
        return QStringLiteral("a part of its path is not a folder");
    case EISDIR:
        return QStringLiteral("it is a folder, not a file");
    case ENAMETOOLONG:
        return QStringLiteral("the name is too long");
    case ELOOP:
        return QStringLiteral("its symbolic links lead in a circle");
    case EIO:
        return QStringLiteral("the disk reported an input/output error");
    case EINVAL:
        return QStringLiteral("the name is not a file name");
    default:
        break;
    }
    // The system's own words, in the sentence's case.
    QString text = QString::fromLocal8Bit(std::strerror(osError));
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

QString fileSizeText(qint64 bytes)
{
    constexpr qint64 kB = 1024, MB = 1024 * 1024;
    if (bytes >= MB && bytes % MB == 0)
        return QStringLiteral("%1 MB").arg(bytes / MB);
    if (bytes >= kB && bytes % kB == 0)
        return QStringLiteral("%1 KB").arg(bytes / kB);
    return QStringLiteral("%1 bytes").arg(bytes);
}

QString realFilePath(const QString& path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hop = 0; hop < kMostLinks; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            break;
        current = info.symLinkTarget();
    }
    const QFileInfo info(current);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? current : folder + u'/' + info.fileName();
}

std::optional<QString> unwritableTarget(const QString& path)
{
    const auto name = nativeName(path);
    if (!name)
        return fileFailureText(EINVAL);
    const QString real = realFilePath(path);
    struct stat info { };
    if (::stat(QFile::encodeName(real).constData(), &info) == 0) {
        if (const QString kind = kindProblem(info.st_mode); !kind.isEmpty())
            return kind;
        return std::nullopt;
    }
    if (errno != ENOENT)
        return fileFailureText(errno);
    const QFileInfo folder(QFileInfo(real).absolutePath());
    if (!folder.exists())
        return fileFailureText(ENOENT);
    if (!folder.isDir())
        return fileFailureText(ENOTDIR);
    return std::nullopt;
}

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& data)
{
    if (!nativeName(path))
        return fileFailureText(EINVAL);
    const QString real = realFilePath(path);
    const QByteArray target = QFile::encodeName(real);
    // The new file takes the earlier one's permissions; a new one those the user's mask allows.
    mode_t mode = 0666;
    bool existed = false;
    struct stat info { };
    if (::lstat(target.constData(), &info) == 0) {
        if (const QString kind = kindProblem(info.st_mode); !kind.isEmpty())
            return kind;
        mode = info.st_mode & 0777;
        existed = true;
    } else if (errno != ENOENT) {
        return fileFailureText(errno);
    }

    QByteArray temp;
    const int fd = createBeside(real, mode, temp);
    if (fd < 0)
        return fileFailureText(errno);
    const auto fail = [&temp](int osError, int open) {
        if (open >= 0)
            ::close(open);
        ::unlink(temp.constData());
        return std::optional<QString>(fileFailureText(osError));
    };
    if (existed)
        ::fchmod(fd, mode); // the umask may have taken bits the earlier file had
    // A full or failing disk may only say so when the data reaches it.
    if (!writeAll(fd, data) || ::fsync(fd) != 0)
        return fail(errno, fd);
    if (::close(fd) != 0 && errno != EINTR)
        return fail(errno, -1);
    if (::rename(temp.constData(), target.constData()) != 0)
        return fail(errno, -1);
    // The new name itself reaches the disk with its folder.
    const int folder
        = ::open(QFile::encodeName(QFileInfo(real).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return std::nullopt;
}

WholeFile readWholeFile(const QString& path, qint64 limit)
{
    WholeFile file;
    const auto name = nativeName(path);
    if (!name) {
        file.problem = fileFailureText(EINVAL);
        return file;
    }
    const auto failed = [&file](int osError) {
        file.missing = osError == ENOENT || osError == ENOTDIR; // no such file, nor can there be
        file.problem = file.missing ? QStringLiteral("it does not exist") : fileFailureText(osError);
        return file;
    };
    struct stat info { };
    if (::stat(name->constData(), &info) != 0)
        return failed(errno);
    file.problem = kindProblem(info.st_mode);
    if (!file.problem.isEmpty())
        return file;
    if (info.st_size > limit) {
        file.problem = tooLarge(limit);
        return file;
    }
    // Non-blocking: should the name have become a pipe meanwhile, nothing waits.
    const int fd = ::open(name->constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failed(errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int osError = errno;
        ::close(fd);
        file.problem = S_ISREG(info.st_mode) ? fileFailureText(osError) : kindProblem(info.st_mode);
        return file;
    }
    // Files that tell no size (those under /proc) are read in pieces up to the limit.
    while (file.data.size() <= limit) {
        const qsizetype at = file.data.size();
        const qint64 piece = std::min(kReadPiece, limit + 1 - at);
        file.data.resize(at + piece);
        const ssize_t got = ::read(fd, file.data.data() + at, std::size_t(piece));
        file.data.resize(at + std::max<ssize_t>(got, 0));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int osError = errno;
            ::close(fd);
            file.data.clear();
            return failed(osError);
        }
        if (got == 0)
            break;
    }
    ::close(fd);
    if (file.data.size() > limit) {
        file.data.clear();
        file.problem = tooLarge(limit);
    }
    return file;
}

void reportFileSizeLimitAsFailure() { std::signal(SIGXFSZ, SIG_IGN); }
