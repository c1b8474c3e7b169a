#include "core/driverfiles.h"

#include "core/jsonkeys.h"
#include "core/text30.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const QString kFormat = QStringLiteral("tolvan-drivers");
constexpr int kShownCellLength = 24;
constexpr int kLargestVersion = 1000000;

DriverFileContents refusedWhole(DriverFileContents::Status status, const QString& problem)
{
    DriverFileContents contents;
    contents.status = status;
    contents.problem = problem;
    return contents;
}

DriverFileContents damaged(const QString& problem)
{
    return refusedWhole(DriverFileContents::Status::Damaged, problem);
}

// A cell or value as a reason quotes it: short, on one line.
QString quoted(QString text)
{
    text.replace(u'\n', u' ').replace(u'\r', u' ');
    if (text.size() > kShownCellLength)
        text = text.left(kShownCellLength) + QStringLiteral("...");
    return u'"' + visibleText(text) + u'"';
}

// The unit each value of a file is given in, by the value's place in kDriverValues.
using FileUnits = std::array<const DriverUnit*, std::size(kDriverValues)>;

FileUnits libraryUnits()
{
    FileUnits units {};
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = &kDriverValues[i].units().front();
    return units;
}

// A number in `unit` as the library keeps it.
double inLibraryUnit(double number, const DriverUnit& unit) { return number * unit.times / unit.per; }

// What the reader says of a value given in a unit other than the library's.
QString convertedNote(const DriverValue& value, const DriverUnit& unit)
{
    return QStringLiteral("%1 read in %2 and kept in %3")
        .arg(QString::fromLatin1(value.label), QString::fromUtf8(unit.name),
            unitSymbol(value.unit, UnitSystem::Imperial));
}

QString unknownUnitNote(const QString& where, const DriverValue& value, const QString& unit)
{
    return QStringLiteral("%1 not read: Tolvan does not know the unit %2 (%3 is read in %4)")
        .arg(where, quoted(unit), QString::fromLatin1(value.label), driverUnitNames(value));
}

// A record read: valid, or refused with its reason.
void take(DriverFileContents& contents, const QString& where, const DriverRecord& read, QString problem)
{
    const DriverRecord record = normalizedDriver(read);
    if (problem.isEmpty())
        problem = driverProblem(record);
    if (problem.isEmpty())
        contents.drivers.append({ where, record });
    else
        contents.refused.append({ where, record.name, problem });
}

void noteIgnored(DriverFileContents& contents, const QString& what, QStringList names)
{
    if (names.isEmpty())
        return;
    names.sort();
    contents.notes << QStringLiteral("%1 not read: %2").arg(what, names.join(QStringLiteral(", ")));
}

// ---- JSON

// JSON keys are exact: "Name" is not "name".
bool isDriverKey(const QString& key)
{
    const auto is = [&key](const char* known) { return key == QLatin1String(known); };
    return std::any_of(std::begin(kDriverTexts), std::end(kDriverTexts), [&](const DriverText& t) { return is(t.key); })
        || std::any_of(
            std::begin(kDriverValues), std::end(kDriverValues), [&](const DriverValue& v) { return is(v.key); });
}

QString readJsonDriver(
    const QJsonObject& object, const FileUnits& units, DriverRecord& record, QSet<QString>& unknownKeys)
{
    QString problem;
    qsizetype known = 0;
    for (const DriverText& text : kDriverTexts) {
        const QJsonValue entry = object.value(QLatin1String(text.key));
        known += entry.isUndefined() ? 0 : 1;
        if (entry.isString())
            record.*text.member = entry.toString();
        else if (!entry.isNull() && !entry.isUndefined() && problem.isEmpty())
            problem = QStringLiteral("%1 is not a text").arg(QString::fromLatin1(text.label));
    }
    for (std::size_t i = 0; i < std::size(kDriverValues); ++i) {
        const DriverValue& value = kDriverValues[i];
        const QJsonValue entry = object.value(QLatin1String(value.key));
        known += entry.isUndefined() ? 0 : 1;
        if (entry.isDouble() && units[i])
            record.*value.member = inLibraryUnit(entry.toDouble(), *units[i]);
        else if (entry.isDouble())
            continue; // its unit is unknown: said once for the file
        else if (!entry.isNull() && !entry.isUndefined() && problem.isEmpty())
            problem = QStringLiteral("%1 is not a number").arg(QString::fromLatin1(value.label));
    }
    if (known < object.size()) {
        for (const QString& key : object.keys())
            if (!isDriverKey(key))
                unknownKeys.insert(key);
    }
    return problem;
}

// The units a file names by key ({"vas": "L"}); the library's own for a key
// it does not name. A value in a unit Tolvan does not know is not read.
FileUnits jsonUnits(const QJsonObject& named, DriverFileContents& contents)
{
    FileUnits units = libraryUnits();
    QStringList unknownKeys;
    for (auto it = named.begin(); it != named.end(); ++it) {
        const auto value = std::find_if(std::begin(kDriverValues), std::end(kDriverValues),
            [&](const DriverValue& v) { return it.key() == QLatin1String(v.key); });
        if (value == std::end(kDriverValues)) {
            unknownKeys << it.key();
            continue;
        }
        const QString text = it.value().toString();
        const DriverUnit* unit = it.value().isString() ? driverUnit(*value, text) : nullptr;
        units[std::size_t(value - std::begin(kDriverValues))] = unit;
        if (!unit)
            contents.notes << unknownUnitNote(
                QStringLiteral("%1 values").arg(QString::fromLatin1(value->label)), *value, text);
        else if (unit != &value->units().front())
            contents.readAs << convertedNote(*value, *unit);
    }
    noteIgnored(contents, QStringLiteral("Units"), unknownKeys);
    return units;
}

// ---- CSV

struct CsvRow {
    int line;
    QStringList cells;
};

// The text of a CSV file: UTF-8, with or without its byte order mark; a
// file that is not (a sheet saved in a Windows code page) is read as
// Windows-1252, and the reader says so.
QString csvText(const QByteArray& data, QStringList& readAs)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (utf8.hasError()) {
        text.clear();
        text.reserve(data.size());
        for (const char byte : data)
            text += cp1252::toUnicode(std::uint8_t(byte));
        readAs << QStringLiteral("The file is not UTF-8: it was read as Windows-1252");
    }
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);
    return text;
}

QChar csvSeparator(QStringView text)
{
    const QStringView firstLine = text.left(text.indexOf(u'\n'));
    const QChar candidates[] = { u',', u';', u'\t' };
    QChar best = u',';
    qsizetype most = 0;
    for (const QChar c : candidates) {
        const qsizetype count = firstLine.count(c);
        if (count > most) {
            most = count;
            best = c;
        }
    }
    return best;
}

// Splits the text into rows of cells; an empty string when it is well formed,
// otherwise why not.
QString splitCsv(QStringView text, QChar separator, QVector<CsvRow>& rows)
{
    QStringList cells;
    QString cell;
    bool inQuotes = false;
    bool rowHasContent = false;
    int line = 1;
    int rowLine = 1;
    int quoteLine = 1;
    const auto endRow = [&] {
        cells << cell;
        if (rowHasContent || cells.size() > 1)
            rows.append({ rowLine, cells });
        cells.clear();
        cell.clear();
        rowHasContent = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool lineEnd = c == u'\n' || c == u'\r';
        const bool crlf = c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        if (inQuotes) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                // A line end inside quotes belongs to the cell, as one '\n' for CR LF.
                cell += crlf ? QChar(u'\n') : c;
                i += crlf ? 1 : 0;
                line += lineEnd ? 1 : 0;
            }
        } else if (c == u'"' && cell.isEmpty()) {
            inQuotes = true;
            rowHasContent = true;
            quoteLine = line;
        } else if (c == separator) {
            cells << cell;
            cell.clear();
        } else if (lineEnd) {
            if (crlf)
                ++i;
            endRow();
            // The header row and at most the limit of drivers.
            if (rows.size() > kMaxDriverEntries + 1)
                return QStringLiteral("it holds more than %1 drivers").arg(kMaxDriverEntries);
            rowLine = ++line;
        } else {
            cell += c;
            rowHasContent = true;
        }
    }
    if (inQuotes)
        return QStringLiteral("the quote opened on line %1 is never closed").arg(quoteLine);
    endRow();
    if (rows.size() > kMaxDriverEntries + 1)
        return QStringLiteral("it holds more than %1 drivers").arg(kMaxDriverEntries);
    return {};
}

// A header cell as its key and the unit it names: "Vas (L)", "vas[L]" and
// "VAS L" are "vas" in "L"; " FS " is "fs" without a unit.
struct Header {
    QString key;
    QString unit;
};

Header splitHeader(const QString& cell)
{
    const QString text = cell.trimmed();
    const auto cut
        = std::find_if(text.begin(), text.end(), [](QChar c) { return c == u' ' || c == u'(' || c == u'['; });
    Header header { text.left(cut - text.begin()).toLower(), text.mid(cut - text.begin()).trimmed() };
    const QString& unit = header.unit;
    if ((unit.startsWith(u'(') && unit.endsWith(u')')) || (unit.startsWith(u'[') && unit.endsWith(u']')))
        header.unit = unit.mid(1, unit.size() - 2).trimmed();
    return header;
}

struct CsvColumn {
    const DriverText* text = nullptr;
    const DriverValue* value = nullptr;
    const DriverUnit* unit = nullptr; // of a value; null: its unit is unknown and the column not read
};

QString readCsvNumber(const CsvColumn& column, const QString& cell, bool decimalComma, DriverRecord& record)
{
    const DriverNumber number = readDriverNumber(cell, decimalComma);
    if (!number.ok)
        return QStringLiteral("%1 is not a number: %2")
            .arg(QString::fromLatin1(column.value->label), quoted(cell.trimmed()));
    if (number.value)
        record.*column.value->member = inLibraryUnit(*number.value, *column.unit);
    return {};
}

// A spreadsheet runs a cell that begins with one of these as a formula, so
// such a text is written behind an apostrophe, and a text that begins with an
// apostrophe gets one more: reading takes exactly one off again.
bool startsLikeAFormula(QStringView text)
{
    return !text.isEmpty() && QStringView(u"=+-@\t\r'").contains(text.front());
}

QString csvCellText(const QString& cell)
{
    return cell.startsWith(u'\'') && startsLikeAFormula(QStringView(cell).mid(1)) ? cell.mid(1) : cell;
}

QString csvField(QString text)
{
    if (startsLikeAFormula(text))
        text.prepend(u'\'');
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString escaped = text;
    escaped.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

QString numberField(const std::optional<double>& number)
{
    return number ? QString::number(*number, 'g', QLocale::FloatingPointShortest) : QString();
}

} // namespace

DriverFileKind sniffDriverFileKind(const QByteArray& data)
{
    for (const char c : data) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        return c == '{' || c == '[' ? DriverFileKind::Json : DriverFileKind::Csv;
    }
    return DriverFileKind::Csv;
}

DriverFileKind driverFileKindOf(const QString& fileName)
{
    return fileName.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? DriverFileKind::Csv : DriverFileKind::Json;
}

DriverFileContents readDriverFile(const QByteArray& data, DriverFileKind kind)
{
    return kind == DriverFileKind::Json ? readDriversJson(data) : readDriversCsv(data);
}

DriverFileContents readDriversJson(const QByteArray& data)
{
    if (data.size() > kMaxDriverFileBytes)
        return damaged(QStringLiteral("it is larger than %1 MB").arg(kMaxDriverFileBytes / (1024 * 1024)));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError)
        return damaged(QStringLiteral("it is not JSON (%1 at byte %2)").arg(error.errorString()).arg(error.offset));
    if (const std::optional<QString> twice = duplicateJsonKey(data))
        return damaged(QStringLiteral("it names %1 twice in one entry").arg(quoted(*twice)));
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QStringLiteral("format")).toString() != kFormat)
        return damaged(QStringLiteral("it is not a Tolvan driver file"));
    // Checked before it is taken as a whole number: 1e300 is none.
    const QJsonValue version = root.value(QStringLiteral("version"));
    const double number = version.toDouble();
    if (!version.isDouble() || !(number >= 1 && number <= kLargestVersion) || number != std::floor(number))
        return damaged(QStringLiteral("its version is not a whole number from 1 to %1").arg(kLargestVersion));
    if (number > kDriverFileVersion)
        return refusedWhole(DriverFileContents::Status::Newer,
            QStringLiteral("it was written by a newer version of Tolvan (format %1; this version reads format %2)")
                .arg(qint64(number))
                .arg(kDriverFileVersion));
    const QJsonValue list = root.value(QStringLiteral("drivers"));
    if (!list.isArray())
        return damaged(QStringLiteral("it holds no list of drivers"));
    const QJsonArray drivers = list.toArray();
    if (drivers.size() > kMaxDriverEntries)
        return damaged(QStringLiteral("it holds more than %1 drivers").arg(kMaxDriverEntries));
    const QJsonValue unitList = root.value(QStringLiteral("units"));
    if (!unitList.isUndefined() && !unitList.isObject())
        return damaged(QStringLiteral("its units are not named by key"));

    DriverFileContents contents;
    QStringList unknownRoot;
    for (const QString& key : root.keys())
        if (key != u"format" && key != u"version" && key != u"drivers" && key != u"units")
            unknownRoot << key;
    noteIgnored(contents, QStringLiteral("Entries"), unknownRoot);
    const FileUnits units = jsonUnits(unitList.toObject(), contents);
    QSet<QString> unknownKeys;
    for (qsizetype i = 0; i < drivers.size(); ++i) {
        const QString where = QStringLiteral("driver %1").arg(i + 1);
        if (!drivers[i].isObject()) {
            contents.refused.append({ where, QString(), QStringLiteral("it is not a driver record") });
            continue;
        }
        DriverRecord record;
        const QString problem = readJsonDriver(drivers[i].toObject(), units, record, unknownKeys);
        take(contents, where, record, problem);
    }
    noteIgnored(contents, QStringLiteral("Driver entries"), unknownKeys.values());
    return contents;
}

DriverFileContents readDriversCsv(const QByteArray& data)
{
    if (data.size() > kMaxDriverFileBytes)
        return damaged(QStringLiteral("it is larger than %1 MB").arg(kMaxDriverFileBytes / (1024 * 1024)));
    QStringList readAs;
    QString text = csvText(data, readAs);
    const QChar separator = csvSeparator(text);
    QVector<CsvRow> rows;
    const QString problem = splitCsv(text, separator, rows);
    if (!problem.isEmpty())
        return damaged(problem);
    if (rows.isEmpty())
        return damaged(QStringLiteral("it is empty"));

    QVector<CsvColumn> columns;
    QStringList unknownColumns;
    QStringList unitNotes;
    QSet<QString> seen;
    bool hasName = false;
    for (const QString& cell : rows.first().cells) {
        const Header header = splitHeader(cell);
        CsvColumn column { driverText(header.key), driverValue(header.key) };
        if (column.text || column.value) {
            if (seen.contains(header.key))
                return damaged(QStringLiteral("its header row names the column %1 twice").arg(quoted(header.key)));
            seen.insert(header.key);
            hasName = hasName || column.text == driverText(u"name");
        } else if (!cell.trimmed().isEmpty()) {
            unknownColumns << quoted(cell.trimmed());
        }
        if (column.value) {
            column.unit = driverUnit(*column.value, header.unit);
            if (!column.unit)
                unitNotes << unknownUnitNote(
                    QStringLiteral("Column %1").arg(quoted(cell.trimmed())), *column.value, header.unit);
            else if (column.unit != &column.value->units().front())
                readAs << convertedNote(*column.value, *column.unit);
        }
        columns.append(column);
    }
    if (!hasName)
        return damaged(QStringLiteral("its first row is no header with a name column"));

    DriverFileContents contents;
    noteIgnored(contents, QStringLiteral("Columns"), unknownColumns);
    contents.notes << unitNotes;
    contents.readAs = readAs;
    const bool decimalComma = separator == u';';
    for (qsizetype r = 1; r < rows.size(); ++r) {
        const CsvRow& row = rows[r];
        if (std::all_of(row.cells.begin(), row.cells.end(), [](const QString& c) { return c.trimmed().isEmpty(); }))
            continue;
        const QString where = QStringLiteral("line %1").arg(row.line);
        DriverRecord record;
        QString problem;
        for (qsizetype c = 0; c < row.cells.size(); ++c) {
            const QString& cell = row.cells[c];
            if (c >= columns.size()) {
                if (!cell.trimmed().isEmpty() && problem.isEmpty())
                    problem = QStringLiteral("it has more cells than the header row names");
                continue;
            }
            const CsvColumn& column = columns[c];
            if (column.text)
                record.*column.text->member = csvCellText(cell);
            else if (column.value && column.unit) {
                const QString wrong = readCsvNumber(column, cell, decimalComma, record);
                if (problem.isEmpty())
                    problem = wrong;
            }
        }
        take(contents, where, record, problem);
    }
    return contents;
}

QByteArray writeDriverFile(const QVector<DriverRecord>& drivers, DriverFileKind kind)
{
    return kind == DriverFileKind::Json ? writeDriversJson(drivers) : writeDriversCsv(drivers);
}

QByteArray writeDriversJson(const QVector<DriverRecord>& drivers, JsonLayout layout)
{
    QJsonArray list;
    for (const DriverRecord& record : drivers) {
        QJsonObject object;
        for (const DriverText& text : kDriverTexts)
            if (!(record.*text.member).isEmpty())
                object.insert(QString::fromLatin1(text.key), record.*text.member);
        for (const DriverValue& value : kDriverValues)
            if (const std::optional<double>& number = record.*value.member)
                object.insert(QString::fromLatin1(value.key), *number);
        list.append(object);
    }
    QJsonObject units;
    for (const DriverValue& value : kDriverValues)
        if (const char* unit = value.units().front().name; unit[0])
            units.insert(QString::fromLatin1(value.key), QString::fromUtf8(unit));
    QJsonObject root;
    root.insert(QStringLiteral("format"), kFormat);
    root.insert(QStringLiteral("version"), kDriverFileVersion);
    root.insert(QStringLiteral("units"), units);
    root.insert(QStringLiteral("drivers"), list);
    return QJsonDocument(root).toJson(layout == JsonLayout::Compact ? QJsonDocument::Compact : QJsonDocument::Indented);
}

QString csvHeader(const DriverValue& value)
{
    const QString key = QString::fromLatin1(value.key);
    const QString unit = QString::fromUtf8(value.units().front().name);
    return unit.isEmpty() ? key : QStringLiteral("%1 (%2)").arg(key, unit);
}

QByteArray writeDriversCsv(const QVector<DriverRecord>& drivers)
{
    // The texts first, the values, the note last: what reads best in a sheet.
    const DriverText& note = kDriverTexts[std::size(kDriverTexts) - 1];
    QStringList header;
    for (const DriverText& text : kDriverTexts)
        if (&text != &note)
            header << QString::fromLatin1(text.key);
    for (const DriverValue& value : kDriverValues)
        header << csvHeader(value);
    header << QString::fromLatin1(note.key);

    // With a byte order mark, spreadsheets read the names as UTF-8.
    QString out = QChar(0xfeff) + header.join(u',') + QStringLiteral("\r\n");
    for (const DriverRecord& record : drivers) {
        QStringList cells;
        for (const DriverText& text : kDriverTexts)
            if (&text != &note)
                cells << csvField(record.*text.member);
        for (const DriverValue& value : kDriverValues)
            cells << numberField(record.*value.member);
        cells << csvField(record.*note.member);
        out += cells.join(u',') + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}
