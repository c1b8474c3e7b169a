#include "core/driverlibrary.h"

#include "core/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <memory>

namespace {

using KeyedDrivers = QVector<std::pair<QString, DriverRecord>>;

const QString kLibraryTitle = QStringLiteral("Driver Library");
constexpr int kLockWaitMs = 5000;

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

DriverChange failed(const QString& error) { return { DriverChange::Status::Failed, error, QString() }; }

// Reads a whole file of at most kMaxDriverFileBytes; empty text when it was read.
QString readWhole(const QString& path, QByteArray& data)
{
    if (QFileInfo(path).isDir())
        return QStringLiteral("it is a folder");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("it cannot be read (%1)").arg(file.errorString());
    const QString tooLarge = QStringLiteral("it is larger than %1 MB").arg(kMaxDriverFileBytes / (1024 * 1024));
    if (file.size() > kMaxDriverFileBytes)
        return tooLarge;
    // A file that tells no size (a pipe, a file under /proc) is read in pieces up to the limit.
    data.clear();
    while (data.size() <= kMaxDriverFileBytes) {
        const QByteArray piece = file.read(64 * 1024);
        if (piece.isEmpty())
            break;
        data += piece;
    }
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("it cannot be read (%1)").arg(file.errorString());
    if (data.size() > kMaxDriverFileBytes)
        return tooLarge;
    return {};
}

QString named(const DriverRefusal& entry)
{
    return entry.name.isEmpty() ? entry.where : QStringLiteral("%1 \"%2\"").arg(entry.where, entry.name);
}

// The drivers sorted by name, each with its key.
KeyedDrivers sortedByName(QVector<DriverRecord> drivers)
{
    KeyedDrivers keyed;
    keyed.reserve(drivers.size());
    for (DriverRecord& record : drivers)
        keyed.append({ driverKey(record.name), std::move(record) });
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return keyed;
}

// The library's own file must be read whole: anything it holds that this
// version cannot keep would be lost by the next write.
QString readLibraryFile(const QString& path, KeyedDrivers& keyed)
{
    if (path.isEmpty())
        return QStringLiteral("there is no data folder for this user");
    if (!QFileInfo::exists(path))
        return {};
    QByteArray data;
    const QString unreadable = readWhole(path, data);
    if (!unreadable.isEmpty())
        return unreadable;
    const DriverFileContents contents = readDriversJson(data);
    if (contents.status != DriverFileContents::Status::Read)
        return contents.problem;
    if (!contents.refused.isEmpty())
        return QStringLiteral("its %1 is not valid: %2")
            .arg(named(contents.refused.first()), contents.refused.first().reason);
    if (!contents.notes.isEmpty())
        return QStringLiteral("it holds what this version cannot keep (%1)").arg(contents.notes.first());
    QVector<DriverRecord> drivers;
    drivers.reserve(contents.drivers.size());
    for (const DriverEntry& entry : contents.drivers)
        drivers.append(entry.record);
    keyed = sortedByName(std::move(drivers));
    for (qsizetype i = 1; i < keyed.size(); ++i)
        if (keyed[i].first == keyed[i - 1].first)
            return QStringLiteral("it names the driver \"%1\" twice").arg(keyed[i].second.name);
    return {};
}

bool writeFile(const QString& path, const QByteArray& data, QString& error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    error = file.errorString();
    return false;
}

} // namespace

QString DriverImport::report(int maxLines) const
{
    if (!error.isEmpty())
        return error;
    QStringList lines { QStringLiteral("%1 added, %2 skipped as duplicates, %3 refused as invalid.")
                            .arg(added)
                            .arg(skipped.size())
                            .arg(refused.size()) };
    QStringList details;
    for (const DriverRefusal& entry : skipped)
        details << QStringLiteral("Skipped %1: %2.").arg(named(entry), entry.reason);
    for (const DriverRefusal& entry : refused)
        details << QStringLiteral("Refused %1: %2.").arg(named(entry), entry.reason);
    details << notes;
    if (maxLines >= 0 && details.size() > maxLines) {
        const qsizetype more = details.size() - maxLines;
        details = details.mid(0, maxLines);
        details << QStringLiteral("... and %1 more.").arg(more);
    }
    return (lines + details).join(u'\n');
}

DriverLibrary::DriverLibrary(QString path)
    : m_path(std::move(path))
{
}

DriverLibrary::Stamp DriverLibrary::currentStamp() const
{
    const QFileInfo info(m_path);
    if (m_path.isEmpty() || !info.exists())
        return {};
    return { true, info.size(), info.lastModified() };
}

bool DriverLibrary::read()
{
    m_read = true;
    m_stamp = currentStamp();
    KeyedDrivers keyed;
    m_problem = readLibraryFile(m_path, keyed);
    take(m_problem.isEmpty() ? std::move(keyed) : KeyedDrivers());
    return m_problem.isEmpty();
}

void DriverLibrary::take(QVector<std::pair<QString, DriverRecord>> keyed)
{
    static int generations = 0;
    m_generation = ++generations;
    m_drivers.clear();
    m_drivers.reserve(keyed.size());
    m_index.clear();
    m_index.reserve(keyed.size());
    for (auto& [key, record] : keyed) {
        m_index.insert(key, int(m_drivers.size()));
        m_drivers.append(std::move(record));
    }
}

QString DriverLibrary::unusableText() const
{
    return QStringLiteral("The driver library %1 cannot be used: %2.\n\nTolvan leaves the file as it is and works with "
                          "an empty library. No driver can be saved until the file is repaired or moved away.")
        .arg(native(m_path), m_problem);
}

void DriverLibrary::reportOnce()
{
    if (m_reported)
        return;
    m_reported = true;
    showMessage({ unusableText(), kLibraryTitle, MsgButtons::Ok, MsgIcon::Exclamation, false });
}

bool DriverLibrary::refresh()
{
    if (!m_read || currentStamp() != m_stamp)
        read();
    if (!m_problem.isEmpty())
        reportOnce();
    return m_problem.isEmpty();
}

std::optional<DriverRecord> DriverLibrary::find(const QString& name) const
{
    const int at = m_index.value(driverKey(name), -1);
    if (at < 0)
        return std::nullopt;
    return m_drivers[at];
}

QVector<int> DriverLibrary::filter(QStringView text) const
{
    const QStringList words = filterWords(text);
    QVector<int> matches;
    matches.reserve(m_drivers.size());
    for (int i = 0; i < m_drivers.size(); ++i)
        if (driverMatches(m_drivers[i], words))
            matches.append(i);
    return matches;
}

DriverChange DriverLibrary::change(const std::function<DriverChange(QVector<DriverRecord>&)>& apply)
{
    if (m_path.isEmpty())
        return failed(QStringLiteral("The driver library cannot be saved: there is no data folder for this user."));
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        return failed(
            QStringLiteral("The driver library cannot be saved: the folder %1 cannot be made.").arg(native(folder)));
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs)) {
        if (lock.error() == QLockFile::LockFailedError)
            return failed(QStringLiteral("The driver library %1 is being changed by another copy of Tolvan. Try again.")
                              .arg(native(m_path)));
        return failed(QStringLiteral("The driver library cannot be saved: the folder %1 cannot be written to.")
                          .arg(native(folder)));
    }
    if (!read()) {
        // The refusal says all the report would.
        m_reported = true;
        return failed(unusableText());
    }
    QVector<DriverRecord> drivers = m_drivers;
    DriverChange result = apply(drivers);
    if (!result.done())
        return result;
    KeyedDrivers keyed = sortedByName(std::move(drivers));
    drivers.clear();
    for (const auto& [key, record] : keyed)
        drivers.append(record);
    QString error;
    if (!writeFile(m_path, writeDriversJson(drivers), error))
        return failed(QStringLiteral("The driver library %1 cannot be written: %2.").arg(native(m_path), error));
    take(std::move(keyed));
    m_stamp = currentStamp();
    return result;
}

DriverChange DriverLibrary::store(const DriverRecord& record, Existing existing, const QString& previousName)
{
    const DriverRecord driver = normalizedDriver(record);
    const QString problem = driverProblem(driver);
    if (!problem.isEmpty())
        return failed(QStringLiteral("The driver cannot be saved: %1.").arg(problem));
    const QString key = driverKey(driver.name);
    const QString previous = previousName.isEmpty() ? QString() : driverKey(previousName);
    return change([&](QVector<DriverRecord>& drivers) -> DriverChange {
        const bool taken = std::any_of(drivers.begin(), drivers.end(), [&](const DriverRecord& other) {
            const QString otherKey = driverKey(other.name);
            return otherKey == key && otherKey != previous;
        });
        if (taken && existing == Existing::Refuse)
            return { DriverChange::Status::Exists,
                QStringLiteral("A driver named \"%1\" is in the library already.").arg(driver.name), QString() };
        drivers.removeIf([&](const DriverRecord& other) {
            const QString otherKey = driverKey(other.name);
            return otherKey == key || (!previous.isEmpty() && otherKey == previous);
        });
        drivers.append(driver);
        return {};
    });
}

DriverChange DriverLibrary::remove(const QString& name)
{
    const QString key = driverKey(name);
    return change([&](QVector<DriverRecord>& drivers) -> DriverChange {
        if (drivers.removeIf([&](const DriverRecord& other) { return driverKey(other.name) == key; }) == 0)
            return failed(QStringLiteral("No driver named \"%1\" is in the library.").arg(name.trimmed()));
        return {};
    });
}

DriverImport DriverLibrary::importFile(const QString& fileName)
{
    DriverImport result;
    QByteArray data;
    const QString unreadable = readWhole(fileName, data);
    if (!unreadable.isEmpty()) {
        result.error = QStringLiteral("%1 cannot be imported: %2.").arg(native(fileName), unreadable);
        return result;
    }
    const DriverFileContents contents = readDriverFile(data, sniffDriverFileKind(data));
    if (contents.status != DriverFileContents::Status::Read) {
        result.error = QStringLiteral("%1 cannot be imported: %2.").arg(native(fileName), contents.problem);
        return result;
    }
    const DriverChange changed = change([&](QVector<DriverRecord>& drivers) -> DriverChange {
        result.added = 0;
        result.skipped.clear();
        QHash<QString, QString> seen; // key -> where it stands, library or file
        for (const DriverRecord& record : drivers)
            seen.insert(driverKey(record.name), QString());
        for (const DriverEntry& entry : contents.drivers) {
            const QString key = driverKey(entry.record.name);
            const auto earlier = seen.constFind(key);
            if (earlier != seen.constEnd()) {
                result.skipped.append({ entry.where, entry.record.name,
                    earlier->isEmpty() ? QStringLiteral("a driver of this name is in the library already")
                                       : QStringLiteral("the file names this driver already at %1").arg(*earlier) });
                continue;
            }
            seen.insert(key, entry.where);
            drivers.append(entry.record);
            ++result.added;
        }
        return {};
    });
    if (!changed.done()) {
        result = DriverImport();
        result.error = changed.error;
        return result;
    }
    result.refused = contents.refused;
    result.notes = contents.notes;
    return result;
}

DriverChange DriverLibrary::exportFile(const QString& fileName)
{
    if (!refresh())
        return failed(unusableText());
    QString error;
    if (!writeFile(fileName, writeDriverFile(m_drivers, driverFileKindOf(fileName)), error))
        return failed(QStringLiteral("%1 cannot be written: %2.").arg(native(fileName), error));
    const qsizetype count = m_drivers.size();
    return { DriverChange::Status::Done, QString(),
        QStringLiteral("%1 %2 written to %3.")
            .arg(count)
            .arg(count == 1 ? QStringLiteral("driver") : QStringLiteral("drivers"), native(fileName)) };
}

namespace {
QString g_path;
std::unique_ptr<DriverLibrary> g_library;
} // namespace

QString driverLibraryPath()
{
    if (!g_path.isEmpty())
        return g_path;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/drivers.json");
}

void setDriverLibraryPath(const QString& path)
{
    g_path = path;
    g_library.reset();
}

DriverLibrary& driverLibrary()
{
    const QString path = driverLibraryPath();
    if (!g_library || g_library->path() != path)
        g_library = std::make_unique<DriverLibrary>(path);
    return *g_library;
}
