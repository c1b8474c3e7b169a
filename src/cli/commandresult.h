#pragma once
// What a subcommand shows: the fields it read with their captions and units,
// or named values (the design state of a system file), and the messages and
// beeps on the way. Printed as text lines or as one JSON object.

#include "cli/fieldreading.h"
#include "core/messages.h"

#include <QVector>

class QTextStream;

struct CommandResult {
    QVector<FieldReading> fields;
    QVector<Message> messages;
    int beeps = 0;
    QString note; // our own word on stderr when the window said nothing
};

// "caption text unit" per line; a section's title on a line before its first field.
void printFields(QTextStream& out, const QVector<FieldReading>& fields);
// {"fields": {name: {"label", "text", "unit", "value", "section"}}, "messages": [{"title", "text"}], "beeps": n}
// "value" is the number the program reads from the text (null for a text
// field such as a name).
void printJson(QTextStream& out, const CommandResult& result);
// Each message as "title: text", a beep as "(beep)", then the note.
void printMessages(QTextStream& err, const CommandResult& result);
