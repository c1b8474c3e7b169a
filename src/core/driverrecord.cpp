#include "core/driverrecord.h"

#include "core/numberformat.h"
#include "core/numberparse.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

const DriverValue* driverValue(QStringView key)
{
    for (const DriverValue& value : kDriverValues)
        if (key.compare(QLatin1String(value.key), Qt::CaseInsensitive) == 0)
            return &value;
    return nullptr;
}

const DriverText* driverText(QStringView key)
{
    for (const DriverText& text : kDriverTexts)
        if (key.compare(QLatin1String(text.key), Qt::CaseInsensitive) == 0)
            return &text;
    return nullptr;
}

DriverRecord normalizedDriver(DriverRecord record)
{
    record.name = record.name.trimmed();
    record.manufacturer = record.manufacturer.trimmed();
    record.model = record.model.trimmed();
    return record;
}

QString driverValueProblem(const DriverValue& value, double number)
{
    const QString label = QString::fromLatin1(value.label);
    if (!std::isfinite(number))
        return QStringLiteral("%1 is not a finite number").arg(label);
    if (number <= 0)
        return QStringLiteral("%1 must be above 0").arg(label);
    // Windows and the system file keep Singles: nothing may turn into 0 or infinity there.
    if (number < FLT_MIN || number > FLT_MAX)
        return QStringLiteral("%1 is out of range").arg(label);
    return {};
}

QString driverProblem(const DriverRecord& record)
{
    for (const DriverText& text : kDriverTexts) {
        const QString& content = record.*text.member;
        const QString label = QString::fromLatin1(text.label);
        if (content.size() > text.maxLength)
            return QStringLiteral("%1 is longer than %2 characters").arg(label).arg(text.maxLength);
        if (!QStringView(content).isValidUtf16())
            return QStringLiteral("%1 holds a broken character").arg(label);
        for (const QChar c : content)
            if (c.category() == QChar::Other_Control
                && !(text.member == &DriverRecord::note && (c == u'\n' || c == u'\t')))
                return QStringLiteral("%1 holds a control character").arg(label);
    }
    if (record.name.trimmed().isEmpty())
        return QStringLiteral("the name is missing");
    for (const DriverValue& value : kDriverValues) {
        const std::optional<double>& number = record.*value.member;
        if (!number) {
            if (value.required)
                return QStringLiteral("%1 is missing").arg(QString::fromLatin1(value.label));
            continue;
        }
        const QString problem = driverValueProblem(value, *number);
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

QString driverKey(const QString& name) { return name.trimmed().toCaseFolded(); }

DriverNumber readDriverNumber(QString text, bool decimalComma)
{
    if (text.trimmed().isEmpty())
        return {};
    if (decimalComma && text.count(u',') == 1 && !text.contains(u'.'))
        text.replace(u',', u'.');
    // "1,000" is no number here: the reader stops at the comma, which is a
    // separator or a decimal comma, never grouping.
    const NumberReading reading = readNumber(text);
    if (!reading.digits || !reading.whole)
        return { false, std::nullopt };
    const double largest = std::numeric_limits<double>::max();
    return { true, std::clamp(reading.written, -largest, largest) };
}

const DriverUnit* driverUnit(const DriverValue& value, QStringView text) { return unitWordNamed(value.units(), text); }

QString driverUnitNames(const DriverValue& value)
{
    QStringList names;
    for (const DriverUnit& unit : value.units())
        names << QString::fromUtf8(unit.name);
    return names.join(QStringLiteral(", "));
}

QString visibleText(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\n')
            shown += QStringLiteral("\\n");
        else if (c == u'\t')
            shown += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control)
            shown += QStringLiteral("\\x") + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            shown += c;
    }
    return shown;
}

QString driverNumberText(double value) { return numberText(value).trimmed(); }

QString driverValueText(const DriverValue& value, double number)
{
    if (!showsMetric(value.unit))
        return driverNumberText(number);
    return std::fabs(number) <= FLT_MAX ? shownNumberText(float(number), value.unit).trimmed()
                                        : driverNumberText(toShown(number, value.unit));
}

QString driverUnitShown(const DriverValue& value) { return value.unit.text ? unitSymbol(value.unit) : QString(); }

DriverInput readDriverInput(const DriverValue& value, const QString& text, UnitSystem shownIn)
{
    if (text.trimmed().isEmpty())
        return {};
    const UnitReading reading = readInUnit(text, value.unit, shownIn);
    if (reading.typed == UnitReading::Typed::WrongKind)
        return { false, std::nullopt, wrongUnitProblem(reading, value.unit, shownIn) };
    if (!reading.digits || !reading.complete)
        return { false, std::nullopt, {} };
    // Beyond the Single range it is kept as it was written, so that
    // driverValueProblem calls it out of range.
    if (reading.beyondRange)
        return { true, std::numeric_limits<double>::max(), {} };
    return { true, reading.value, {} };
}

QString driverSummary(const DriverRecord& record)
{
    QString summary = record.name;
    const QString maker = QStringList { record.manufacturer, record.model }.join(u' ').trimmed();
    if (!maker.isEmpty())
        summary += QStringLiteral(" (%1)").arg(maker);
    QStringList values;
    for (const DriverValue& value : kDriverValues) {
        const std::optional<double>& number = record.*value.member;
        if (!value.required || !number)
            continue;
        QString text = QString::fromLatin1(value.label) + u' ' + driverValueText(value, *number);
        const QString unit = driverUnitShown(value);
        if (!unit.isEmpty())
            text += u' ' + unit;
        values << text;
    }
    if (!values.isEmpty())
        summary += QStringLiteral(" \u2014 ") + values.join(QStringLiteral(", "));
    return summary;
}

QStringList filterWords(QStringView filter)
{
    QStringList words;
    for (const QStringView word : filter.split(u' ', Qt::SkipEmptyParts))
        words << word.toString();
    return words;
}

bool driverMatches(const DriverRecord& record, const QStringList& words)
{
    for (const QString& word : words) {
        if (!record.name.contains(word, Qt::CaseInsensitive) && !record.manufacturer.contains(word, Qt::CaseInsensitive)
            && !record.model.contains(word, Qt::CaseInsensitive) && !record.note.contains(word, Qt::CaseInsensitive))
            return false;
    }
    return true;
}
