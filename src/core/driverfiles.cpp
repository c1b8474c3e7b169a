#include "core/driverfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSet>

#include <algorithm>

namespace {

const QString kFormat = QStringLiteral("tolvan-drivers");
constexpr int kShownCellLength = 24;

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
    return u'"' + text + u'"';
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

QString readJsonDriver(const QJsonObject& object, DriverRecord& record, QSet<QString>& unknownKeys)
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
    for (const DriverValue& value : kDriverValues) {
        const QJsonValue entry = object.value(QLatin1String(value.key));
        known += entry.isUndefined() ? 0 : 1;
        if (entry.isDouble())
            record.*value.member = entry.toDouble();
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

// ---- CSV

struct CsvRow {
    int line;
    QStringList cells;
};

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
            if (rows.size() > kMaxDriverEntries)
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

// "Vas (ft3)", " FS " and "vas[ft³]" all name the column "vas".
QString columnKey(const QString& header)
{
    const QString key = header.trimmed().toLower();
    const auto cut = std::find_if(key.begin(), key.end(), [](QChar c) { return c == u' ' || c == u'(' || c == u'['; });
    return key.left(cut - key.begin());
}

struct CsvColumn {
    const DriverText* text = nullptr;
    const DriverValue* value = nullptr;
};

QString readCsvNumber(const CsvColumn& column, const QString& cell, bool decimalComma, DriverRecord& record)
{
    const DriverNumber number = readDriverNumber(cell, decimalComma);
    if (!number.ok)
        return QStringLiteral("%1 is not a number: %2")
            .arg(QString::fromLatin1(column.value->label), quoted(cell.trimmed()));
    record.*column.value->member = number.value;
    return {};
}

// A spreadsheet runs a cell that begins with one of these as a formula, so
// such a text is written behind an apostrophe, and a text that begins with an
// apostrophe gets one more: reading takes exactly one off again.
bool startsLikeAFormula(QStringView text)
{
    return !text.isEmpty() && QStringView(u"=+-@\t\r'").contains(text.front());
}

QString csvText(const QString& cell)
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
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QStringLiteral("format")).toString() != kFormat)
        return damaged(QStringLiteral("it is not a Tolvan driver file"));
    const QJsonValue version = root.value(QStringLiteral("version"));
    const double number = version.toDouble();
    if (!version.isDouble() || number < 1 || number != double(qint64(number)))
        return damaged(QStringLiteral("its version is not a whole number"));
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

    DriverFileContents contents;
    QStringList unknownRoot;
    for (const QString& key : root.keys())
        if (key != u"format" && key != u"version" && key != u"drivers")
            unknownRoot << key;
    noteIgnored(contents, QStringLiteral("Entries"), unknownRoot);
    QSet<QString> unknownKeys;
    for (qsizetype i = 0; i < drivers.size(); ++i) {
        const QString where = QStringLiteral("driver %1").arg(i + 1);
        if (!drivers[i].isObject()) {
            contents.refused.append({ where, QString(), QStringLiteral("it is not a driver record") });
            continue;
        }
        DriverRecord record;
        const QString problem = readJsonDriver(drivers[i].toObject(), record, unknownKeys);
        take(contents, where, record, problem);
    }
    noteIgnored(contents, QStringLiteral("Driver entries"), unknownKeys.values());
    return contents;
}

DriverFileContents readDriversCsv(const QByteArray& data)
{
    if (data.size() > kMaxDriverFileBytes)
        return damaged(QStringLiteral("it is larger than %1 MB").arg(kMaxDriverFileBytes / (1024 * 1024)));
    QString text = QString::fromUtf8(data);
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);
    const QChar separator = csvSeparator(text);
    QVector<CsvRow> rows;
    const QString problem = splitCsv(text, separator, rows);
    if (!problem.isEmpty())
        return damaged(problem);
    if (rows.isEmpty())
        return damaged(QStringLiteral("it is empty"));

    QVector<CsvColumn> columns;
    QStringList unknownColumns;
    QSet<QString> seen;
    bool hasName = false;
    for (const QString& header : rows.first().cells) {
        const QString key = columnKey(header);
        CsvColumn column { driverText(key), driverValue(key) };
        if (column.text || column.value) {
            if (seen.contains(key))
                return damaged(QStringLiteral("its header row names the column %1 twice").arg(quoted(key)));
            seen.insert(key);
            hasName = hasName || column.text == driverText(u"name");
        } else if (!header.trimmed().isEmpty()) {
            unknownColumns << quoted(header.trimmed());
        }
        columns.append(column);
    }
    if (!hasName)
        return damaged(QStringLiteral("its first row is no header with a name column"));

    DriverFileContents contents;
    noteIgnored(contents, QStringLiteral("Columns"), unknownColumns);
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
                record.*column.text->member = csvText(cell);
            else if (column.value) {
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

QByteArray writeDriversJson(const QVector<DriverRecord>& drivers)
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
    QJsonObject root;
    root.insert(QStringLiteral("format"), kFormat);
    root.insert(QStringLiteral("version"), kDriverFileVersion);
    root.insert(QStringLiteral("drivers"), list);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
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
        header << QString::fromLatin1(value.key);
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
