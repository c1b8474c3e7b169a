#include "core/driverlibrary.h"

#include "core/messages.h"
#include "core/wholefile.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

namespace {

using KeyedDrivers = QVector<std::pair<QString, DriverRecord>>;

const QString kLibraryTitle = QStringLiteral("Driver Library");
// Another copy holds the lock only while it reads and writes the file: a
// short wait, then "in use", never a window that stops answering.
constexpr int kLockWaitMs = 1500;

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

DriverChange failed(const QString& error) { return { DriverChange::Status::Failed, error, QString() }; }

DriverChange unsaveable(const QString& problem)
{
    return failed(QStringLiteral("The driver cannot be saved: %1.").arg(problem));
}

QString named(const DriverRefusal& entry)
{
    return entry.name.isEmpty() ? entry.where : QStringLiteral("%1 \"%2\"").arg(entry.where, visibleText(entry.name));
}

// The drivers sorted by name, each with its key.
KeyedDrivers sortedByName(QVector<DriverRecord> drivers)
{
    QStringList keys;
    keys.reserve(drivers.size());
    for (const DriverRecord& record : drivers)
        keys.append(driverKey(record.name));
    // Positions are sorted, not the records: a library of 100000 moves little.
    std::vector<qsizetype> order(std::size_t(drivers.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) { return keys[a] < keys[b]; });
    KeyedDrivers keyed;
    keyed.reserve(drivers.size());
    for (const qsizetype at : order)
        keyed.append({ std::move(keys[at]), std::move(drivers[at]) });
    return keyed;
}

// The library's own file must be read whole: anything it holds that this
// version cannot keep would be lost by the next write.
QString readLibraryFile(const QString& path, KeyedDrivers& keyed)
{
    if (path.isEmpty())
        return QStringLiteral("there is no data folder for this user");
    const WholeFile file = readWholeFile(path, kMaxDriverFileBytes);
    if (file.missing)
        return {};
    if (!file.problem.isEmpty())
        return file.problem;
    const DriverFileContents contents = readDriversJson(file.data);
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
            return QStringLiteral("it names the driver \"%1\" twice").arg(visibleText(keyed[i].second.name));
    return {};
}

// The library's file as the reader takes it back: indented while that fits
// in the size it reads, compact when only that does; empty when neither.
QByteArray libraryJson(const QVector<DriverRecord>& drivers)
{
    for (const JsonLayout layout : { JsonLayout::Indented, JsonLayout::Compact }) {
        QByteArray json = writeDriversJson(drivers, layout);
        if (json.size() <= kMaxDriverFileBytes)
            return json;
    }
    return {};
}

// Why a change that would leave `after` drivers, from `before`, is more than
// the library can hold (more drivers, or more bytes than its reader takes),
// and how many more fit.
QString limitProblem(const QVector<DriverRecord>& before, const QVector<DriverRecord>& after)
{
    if (after.size() > kMaxDriverEntries)
        return QStringLiteral("The driver library would hold %1 drivers, more than the %2 it can hold: %3 more fit.")
            .arg(after.size())
            .arg(kMaxDriverEntries)
            .arg(std::max<qsizetype>(0, kMaxDriverEntries - before.size()));
    const qint64 bytesBefore = writeDriversJson(before, JsonLayout::Compact).size();
    const qint64 bytesAfter = writeDriversJson(after, JsonLayout::Compact).size();
    const qint64 added = std::max<qint64>(1, after.size() - before.size());
    const qint64 perDriver = std::max<qint64>(1, (bytesAfter - bytesBefore) / added);
    return QStringLiteral("The driver library would be larger than %1, the most it can hold: about %2 more drivers "
                          "like these fit.")
        .arg(fileSizeText(kMaxDriverFileBytes))
        .arg(std::max<qint64>(0, (kMaxDriverFileBytes - bytesBefore) / perDriver));
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
    // The lock and the write are the real file's, so that every path to it
    // (a symbolic link from another data folder) takes the same lock.
    const QString real = realFilePath(m_path);
    const QString folder = QFileInfo(real).absolutePath();
    if (!QDir().mkpath(folder))
        return failed(
            QStringLiteral("The driver library cannot be saved: the folder %1 cannot be made.").arg(native(folder)));
    QLockFile lock(real + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs)) {
        if (lock.error() == QLockFile::LockFailedError)
            return failed(QStringLiteral("The driver library %1 is in use, try again: another copy of Tolvan is "
                                         "changing it.")
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
    // A change that changes nothing leaves the file as it is (or unmade).
    if (drivers == m_drivers)
        return result;
    const QByteArray json = drivers.size() > kMaxDriverEntries ? QByteArray() : libraryJson(drivers);
    if (json.isEmpty())
        return failed(limitProblem(m_drivers, drivers));
    if (const auto error = writeWholeFile(real, json))
        return failed(QStringLiteral("The driver library %1 cannot be written: %2.").arg(native(m_path), *error));
    take(std::move(keyed));
    m_stamp = currentStamp();
    result.written = true;
    return result;
}

DriverChange DriverLibrary::store(const DriverRecord& record, Existing existing, const QString& previousName)
{
    // Refused at once, before the library is locked and read.
    if (const QString problem = driverProblem(normalizedDriver(record)); !problem.isEmpty())
        return unsaveable(problem);
    return storeMerged(
        record.name, [&record](const std::optional<DriverRecord>&) { return record; }, existing, previousName);
}

DriverChange DriverLibrary::storeEdit(const DriverRecord& record, const DriverRecord& startedFrom, Existing existing)
{
    const QString from = driverKey(startedFrom.name);
    return storeMerged(
        record.name, [&record](const std::optional<DriverRecord>&) { return record; }, existing, startedFrom.name,
        [&](const QVector<DriverRecord>& drivers) -> std::optional<DriverChange> {
            const auto stored = std::find_if(drivers.begin(), drivers.end(),
                [&](const DriverRecord& other) { return driverKey(other.name) == from; });
            if (stored != drivers.end() && *stored == startedFrom)
                return std::nullopt;
            DriverChange changed { DriverChange::Status::Changed,
                stored == drivers.end()
                    ? QStringLiteral("Another copy of Tolvan deleted \"%1\" from the library since this form "
                                     "opened it.")
                          .arg(visibleText(startedFrom.name))
                    : QStringLiteral("Another copy of Tolvan changed \"%1\" in the library since this form opened "
                                     "it.")
                          .arg(visibleText(startedFrom.name)),
                QString() };
            if (stored != drivers.end())
                changed.current = *stored;
            return changed;
        });
}

DriverChange DriverLibrary::storeMerged(const QString& name, const DriverMerge& merge, Existing existing,
    const QString& previousName, const std::function<std::optional<DriverChange>(const QVector<DriverRecord>&)>& check)
{
    const QString key = driverKey(name);
    const QString previous = previousName.isEmpty() ? QString() : driverKey(previousName);
    return change([&](QVector<DriverRecord>& drivers) -> DriverChange {
        if (check)
            if (std::optional<DriverChange> refused = check(drivers))
                return *refused;
        const auto stored = std::find_if(
            drivers.begin(), drivers.end(), [&](const DriverRecord& other) { return driverKey(other.name) == key; });
        const bool taken = stored != drivers.end() && key != previous;
        if (taken && existing == Existing::Refuse)
            return { DriverChange::Status::Exists,
                QStringLiteral("A driver named \"%1\" is in the library already.").arg(visibleText(stored->name)),
                QString() };
        // What is merged is the record as it stands now, under the lock.
        const DriverRecord driver
            = normalizedDriver(merge(stored == drivers.end() ? std::nullopt : std::optional<DriverRecord>(*stored)));
        if (const QString problem = driverProblem(driver); !problem.isEmpty())
            return unsaveable(problem);
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
            return failed(QStringLiteral("No driver named \"%1\" is in the library.").arg(visibleText(name.trimmed())));
        return {};
    });
}

DriverImport DriverLibrary::importFile(const QString& fileName)
{
    DriverImport result;
    const WholeFile file = readWholeFile(fileName, kMaxDriverFileBytes);
    if (!file.problem.isEmpty()) {
        result.error = QStringLiteral("%1 cannot be imported: %2.").arg(native(fileName), file.problem);
        return result;
    }
    const DriverFileContents contents = readDriverFile(file.data, sniffDriverFileKind(file.data));
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
        result.error = QStringLiteral("%1 cannot be imported. %2").arg(native(fileName), changed.error);
        return result;
    }
    result.refused = contents.refused;
    result.notes = contents.readAs + contents.notes;
    return result;
}

DriverChange DriverLibrary::exportFile(const QString& fileName)
{
    if (!refresh())
        return failed(unusableText());
    // A JSON export is read back by the library's own reader, within its size.
    const DriverFileKind kind = driverFileKindOf(fileName);
    const QByteArray data = kind == DriverFileKind::Json ? libraryJson(m_drivers) : writeDriversCsv(m_drivers);
    if (const auto error = writeWholeFile(fileName, data))
        return failed(QStringLiteral("%1 cannot be written: %2.").arg(native(fileName), *error));
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
