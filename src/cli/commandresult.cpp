#include "cli/commandresult.h"

#include "core/numberparse.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>

namespace {

// The number a field shows, read as the program reads numbers once the
// thousands separators are gone ("10,000", ".35", " 1.5E+07", "12."); none
// for a text that is not a number ("N/A", a name, an empty field).
QJsonValue shownNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*-?(\\d[\\d,]*\\.?\\d*|\\.\\d*)(E[+-]\\d+)?\\s*$"));
    if (!number.match(text).hasMatch())
        return QJsonValue();
    return parseNumber(QString(text).remove(u','));
}

} // namespace

void printFields(QTextStream& out, const QVector<FieldReading>& fields)
{
    QStringList sections; // in the order they first appear
    for (const FieldReading& field : fields)
        if (!sections.contains(field.section))
            sections << field.section;
    for (const QString& section : sections) {
        if (!section.isEmpty())
            out << section << '\n';
        for (const FieldReading& field : fields) {
            if (field.section != section)
                continue;
            QStringList parts { field.caption.isEmpty() ? field.name + u':' : field.caption };
            const QString text = field.text.trimmed();
            if (!text.isEmpty())
                parts << text;
            if (!field.unit.isEmpty() && !shownNumber(field.text).isNull())
                parts << field.unit;
            if (!field.note.isEmpty())
                parts << u'(' + field.note + u')';
            out << parts.join(u' ') << '\n';
        }
    }
}

void printJson(QTextStream& out, const CommandResult& result)
{
    QJsonObject fields;
    for (const FieldReading& field : result.fields) {
        QJsonObject entry { { "label", field.caption }, { "text", field.text }, { "unit", field.unit } };
        if (!field.section.isEmpty())
            entry.insert("section", field.section);
        if (!field.note.isEmpty())
            entry.insert("note", field.note);
        entry.insert("value", shownNumber(field.text));
        fields.insert(field.name, entry);
    }
    QJsonArray messages;
    for (const Message& message : result.messages)
        messages.append(QJsonObject { { "title", message.shownTitle() }, { "text", message.prompt } });
    const QJsonObject root { { "fields", fields }, { "messages", messages }, { "beeps", result.beeps } };
    out << QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void printMessages(QTextStream& err, const CommandResult& result, const QString& file)
{
    for (const Message& message : result.messages) {
        if (!file.isEmpty())
            err << "tolvan-cli: " << file << ": ";
        err << message.shownTitle() << ": " << message.prompt << '\n';
    }
    if (result.beeps > 0 && result.messages.isEmpty())
        err << "(beep)\n";
    if (!result.note.isEmpty())
        err << "tolvan-cli: " << result.note << '\n';
}
