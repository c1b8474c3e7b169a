#pragma once
// The driver library: the drivers the user saved by name, kept in one JSON
// file (driverfiles.h) in the user's data folder, shared by every window,
// the command line and every running copy of the program.
//
// In: changes (store, remove, import) and the file as other copies left it.
// Out: the drivers sorted by name, and for every change whether it was made,
// with the reason in words when not.
//
// The file is the truth. Every change takes a lock beside the file, reads
// the file again, changes what it read and writes it back atomically
// (QSaveFile), so that two copies never lose each other's drivers. A file
// that cannot be read, is damaged or comes from a newer version is never
// written: the library says so once, through the message service, naming
// the file, and is empty until the file is repaired or moved away; every
// change is refused meanwhile with the same reason.

#include "core/driverfiles.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

// What a change did. `error` says why it was not made, in a sentence for
// the user; Exists is the one refusal the caller may answer by replacing.
struct DriverChange {
    enum class Status { Done, Exists, Failed };
    Status status = Status::Done;
    QString error;
    QString note; // done: what was done, where the user wants to hear it ("2 drivers written to ...")
    bool done() const { return status == Status::Done; }
};

struct DriverImport {
    QString error; // not empty: nothing was imported, and why
    int added = 0;
    QVector<DriverRefusal> skipped; // duplicates of the library or of an earlier entry
    QVector<DriverRefusal> refused; // invalid records
    QStringList notes; // what the file held that was not read
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
    DriverChange remove(const QString& name);
    // Adds the drivers of a JSON or CSV file; names already in the library
    // are skipped, never replaced.
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
