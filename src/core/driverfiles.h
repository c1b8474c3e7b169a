#pragma once
// The driver library's two file forms.
//
// JSON, the library file itself and the full export:
//   {"format": "tolvan-drivers", "version": 1,
//    "units": {"fs": "Hz", "vas": "ft3", "re": "ohm", "le": "mH", "vd": "10^-4 m3",
//              "sd": "cm2", "xmax": "mm", "pe": "W"},
//    "drivers": [{"name": "...", "manufacturer": "...", "fs": 30, "qts": 0.4, ...}]}
// Each driver is an object with the keys of kDriverTexts and kDriverValues;
// an unknown value is left out (null reads as unknown too), so a file
// written before a value joined the list reads as it always did. "units"
// names the unit of each value's numbers; a value it does not name, and
// every value of a file without it, is in the library's own unit. A key
// named twice in one object makes the file damaged.
//
// CSV, for spreadsheets: a header row naming the columns by the same keys
// (in any order, without regard to case), each value's column with its unit
// in brackets ("Vas (L)", "vas [ft3]", "Le (mH)"); a column without a unit
// is in the library's unit, and one in a unit Tolvan does not know is not
// read. One driver per row, fields with a separator, a quote or a line end
// quoted with '"' and quotes doubled. Reading takes ',' or, when the header
// row holds more of them, ';' or a tab as the separator; with ';' a decimal
// comma is read as a point. An empty cell is an unknown value. A file that
// is not UTF-8 is read as Windows-1252. A text that a spreadsheet would run
// as a formula (it begins with =, +, -, @, a tab or a line end) is written
// behind an apostrophe, which reading takes off. Writing names the
// library's unit in every value's header.
//
// Numbers are read by the program's number reader (core/numberparse.h),
// each as a whole, and converted into the library's units.
//
// Reading never throws away a driver quietly: every driver comes out either
// as a record or as a refusal with its reason, and anything else the file
// holds that is not read (an unknown key, column or unit) comes out as a
// note. A file that is no driver file at all, too large, or written by a
// newer version is refused as a whole.

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
    QStringList notes; // what was not read: unknown keys, columns or units
    QStringList readAs; // how it was read, where not as the library writes: units converted, a code page
};

// JSON when the first character that is not blank opens an object or array.
DriverFileKind sniffDriverFileKind(const QByteArray& data);
// By the name's suffix: ".csv" is CSV, anything else JSON.
DriverFileKind driverFileKindOf(const QString& fileName);

DriverFileContents readDriverFile(const QByteArray& data, DriverFileKind kind);
DriverFileContents readDriversJson(const QByteArray& data);
DriverFileContents readDriversCsv(const QByteArray& data);

// Indented reads best; compact is what keeps a library within its size.
enum class JsonLayout { Indented, Compact };

QByteArray writeDriverFile(const QVector<DriverRecord>& drivers, DriverFileKind kind);
QByteArray writeDriversJson(const QVector<DriverRecord>& drivers, JsonLayout layout = JsonLayout::Indented);
QByteArray writeDriversCsv(const QVector<DriverRecord>& drivers);
// A value's column in the header CSV files are written with: "vas (ft3)".
QString csvHeader(const DriverValue& value);
