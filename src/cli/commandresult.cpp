#include "cli/commandresult.h"

#include "core/numberparse.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>

namespace {

// A text that shows a number: what a field or the design state displays
// with a pattern or as a stored value (".35", " 1.5E+07", "12.").
bool showsNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*-?(\\d+\\.?\\d*|\\.\\d*)(E[+-]\\d+)?\\s*$"));
    return number.match(text).hasMatch();
}

} // namespace

void printFields(QTextStream& out, const QVector<FieldReading>& fields)
{
    for (const FieldReading& field : fields) {
        QStringList parts { field.caption.isEmpty() ? field.name + u':' : field.caption };
        for (const QString& part : { field.text.trimmed(), field.unit })
            if (!part.isEmpty())
                parts << part;
        out << parts.join(u' ') << '\n';
    }
}

void printJson(QTextStream& out, const CommandResult& result)
{
    QJsonObject fields;
    for (const FieldReading& field : result.fields) {
        QJsonObject entry { { "label", field.caption }, { "text", field.text }, { "unit", field.unit } };
        entry.insert("value", showsNumber(field.text) ? QJsonValue(parseNumber(field.text)) : QJsonValue());
        fields.insert(field.name, entry);
    }
    QJsonArray messages;
    for (const Message& message : result.messages)
        messages.append(QJsonObject { { "title", message.shownTitle() }, { "text", message.prompt } });
    const QJsonObject root { { "fields", fields }, { "messages", messages }, { "beeps", result.beeps } };
    out << QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void printMessages(QTextStream& err, const CommandResult& result)
{
    for (const Message& message : result.messages)
        err << message.shownTitle() << ": " << message.prompt << '\n';
    if (result.beeps > 0 && result.messages.isEmpty())
        err << "(beep)\n";
    if (!result.note.isEmpty())
        err << "tolvan-cli: " << result.note << '\n';
}
