#pragma once
// The driver library's two file forms.
//
// JSON, the library file itself and the full export:
//   {"format": "tolvan-drivers", "version": 1,
//    "drivers": [{"name": "...", "manufacturer": "...", "fs": 30, "qts": 0.4, ...}]}
// Each driver is an object with the keys of kDriverTexts and kDriverValues;
// an unknown value is left out (null reads as unknown too).
//
// CSV, for spreadsheets: a header row naming the columns by the same keys
// (in any order, without regard to case; "Vas (ft3)" reads as "vas"), one
// driver per row, fields with a separator, a quote or a line end quoted with
// '"' and quotes doubled. Reading takes ',' or, when the header row holds
// more of them, ';' or a tab as the separator; with ';' a decimal comma is
// read as a point. An empty cell is an unknown value. A text that a
// spreadsheet would run as a formula (it begins with =, +, -, @, a tab or a
// line end) is written behind an apostrophe, which reading takes off.
//
// Reading never throws away a driver quietly: every driver comes out either
// as a record or as a refusal with its reason, and anything else the file
// holds that is not read (an unknown key or column) comes out as a note. A
// file that is no driver file at all, too large, or written by a newer
// version is refused as a whole.

#include "core/driverrecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

inline constexpr int kDriverFileVersion = 1;
inline constexpr qint64 kMaxDriverFileBytes = 32 * 1024 * 1024;
inline constexpr int kMaxDriverEntries = 100000;

enum class DriverFileKind { Json, Csv };

// Where in a file an entry stands ("line 4", "driver 3") and what became of it.
struct DriverEntry {
    QString where;
    DriverRecord record;
};
struct DriverRefusal {
    QString where;
    QString name; // as far as it could be read
    QString reason;
};

struct DriverFileContents {
    enum class Status { Read, Damaged, Newer };
    Status status = Status::Read;
    QString problem; // Damaged or Newer: why the whole file is refused
    QVector<DriverEntry> drivers; // valid records, in file order, duplicates included
    QVector<DriverRefusal> refused; // invalid records
    QStringList notes; // what was not read: unknown keys or columns
};

// JSON when the first character that is not blank opens an object or array.
DriverFileKind sniffDriverFileKind(const QByteArray& data);
// By the name's suffix: ".csv" is CSV, anything else JSON.
DriverFileKind driverFileKindOf(const QString& fileName);

DriverFileContents readDriverFile(const QByteArray& data, DriverFileKind kind);
DriverFileContents readDriversJson(const QByteArray& data);
DriverFileContents readDriversCsv(const QByteArray& data);

QByteArray writeDriverFile(const QVector<DriverRecord>& drivers, DriverFileKind kind);
QByteArray writeDriversJson(const QVector<DriverRecord>& drivers);
QByteArray writeDriversCsv(const QVector<DriverRecord>& drivers);
