#pragma once
// The driver library: the drivers the user saved by name, kept in one JSON
// file (driverfiles.h) in the user's data folder, shared by every window,
// the command line and every running copy of the program.
//
// In: changes (store, remove, import) and the file as other copies left it.
// Out: the drivers sorted by name, and for every change whether it was made,
// with the reason in words when not.
//
// The file is the truth. Every change takes a lock beside the real file (a
// symbolic link is followed to it), reads the file again, changes what it
// read and, when that changed anything, writes it back whole or not at all
// (core/wholefile.h), so that two copies never lose each other's drivers.
// A change that would make the file more than its reader takes (drivers or
// bytes) is refused and says how many more fit. A lock another copy holds
// is waited for briefly, then the change is refused as "in use, try again".
// A file that cannot be read, is damaged or comes from a newer version is
// never written: the library says so once, through the message service,
// naming the file, and is empty until the file is repaired or moved away;
// every change is refused meanwhile with the same reason.

#include "core/driverfiles.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

// What a change did. `error` says why it was not made, in a sentence for
// the user. Exists (a driver of the name is there) and Changed (the driver
// an edit started from is no longer as it was) are the refusals the caller
// may answer by asking the user.
struct DriverChange {
    enum class Status { Done, Exists, Changed, Failed };
    Status status = Status::Done;
    QString error;
    QString note; // done: what was done, where the user wants to hear it ("2 drivers written to ...")
    bool written = false; // done: the file changed (a change that changes nothing leaves it)
    std::optional<DriverRecord> current = {}; // Changed: the driver as the library holds it now; none when deleted
    bool done() const { return status == Status::Done; }
};

struct DriverImport {
    QString error; // not empty: nothing was imported, and why
    int added = 0;
    QVector<DriverRefusal> skipped; // duplicates of the library or of an earlier entry
    QVector<DriverRefusal> refused; // invalid records
    QStringList notes; // how the file was read (units converted) and what it held that was not read
    // "12 added, 1 skipped as duplicates, 2 refused as invalid." and a line
    // per skipped and refused driver with its reason, at most `maxLines` of them.
    QString report(int maxLines = -1) const;
};

class DriverLibrary final {
public:
    enum class Existing { Refuse, Replace };

    explicit DriverLibrary(QString path);

    const QString& path() const { return m_path; }

    // Reads the file again when it changed since it was last read (or was
    // never read). False while the file cannot be used; the first time it
    // is found so, the user is told.
    bool refresh();
    // Why the file cannot be used; empty when it can.
    const QString& problem() const { return m_problem; }

    // Changes whenever drivers() does (in any library of the program), so
    // that lists know when to fill again.
    int generation() const { return m_generation; }

    // As last read, sorted by name without regard to case.
    const QVector<DriverRecord>& drivers() const { return m_drivers; }
    std::optional<DriverRecord> find(const QString& name) const;
    // The positions in drivers() that match the filter's words.
    QVector<int> filter(QStringView text) const;

    // Stores a valid record. A record of the same name is replaced only with
    // Existing::Replace; `previousName` names the record an edit started from
    // (it goes, even when renamed).
    DriverChange store(const DriverRecord& record, Existing existing, const QString& previousName = {});
    // An edit of `startedFrom`: refused as Changed when the library no longer
    // holds that driver exactly so (another copy changed or deleted it).
    DriverChange storeEdit(const DriverRecord& record, const DriverRecord& startedFrom, Existing existing);
    // Stores what `merge` makes of the driver of that name as the file holds
    // it under the lock (none when it holds none), so that values another
    // copy saved meanwhile are merged, not overwritten with older ones.
    using DriverMerge = std::function<DriverRecord(const std::optional<DriverRecord>& stored)>;
    DriverChange storeMerged(const QString& name, const DriverMerge& merge, Existing existing,
        const QString& previousName = {},
        const std::function<std::optional<DriverChange>(const QVector<DriverRecord>&)>& check = {});
    DriverChange remove(const QString& name);
    // Adds the drivers of a JSON or CSV file; names already in the library
    // are skipped, never replaced. Nothing added: the file stays as it was.
    DriverImport importFile(const QString& fileName);
    // Writes every driver into a JSON or CSV file (by its suffix).
    DriverChange exportFile(const QString& fileName);

private:
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    Stamp currentStamp() const;
    // Reads the file; false (with m_problem set) when it cannot be used.
    bool read();
    // The drivers, sorted by name, each with its driverKey.
    void take(QVector<std::pair<QString, DriverRecord>> keyed);
    // Under the lock: the file read afresh, `apply` run on its drivers and,
    // when it says Done, the result written back.
    DriverChange change(const std::function<DriverChange(QVector<DriverRecord>&)>& apply);
    void reportOnce();
    QString unusableText() const;

    QString m_path;
    bool m_read = false;
    bool m_reported = false;
    Stamp m_stamp;
    QString m_problem;
    QVector<DriverRecord> m_drivers;
    QHash<QString, int> m_index; // driverKey -> position
    int m_generation = 0;
};

// The program's library, at driverLibraryPath().
DriverLibrary& driverLibrary();
// drivers.json in the application's data folder (QStandardPaths::AppDataLocation,
// which follows XDG_DATA_HOME), unless another path was set.
QString driverLibraryPath();
// Tests and tools: another file for driverLibrary(); empty: the default again.
void setDriverLibraryPath(const QString& path);
