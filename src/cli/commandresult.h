#pragma once
// What a subcommand shows: the fields a window declared with their texts,
// or named values (the design state of a system file), and the messages and
// beeps on the way. Printed as text lines or as one JSON object.

#include "core/messages.h"

#include <QString>
#include <QVector>

class QTextStream;

struct FieldReading {
    QString name; // the control name
    QString caption;
    QString text;
    QString unit;
    QString section; // empty: none
    QString note = {}; // a range or a hint, apart from the unit
};

struct CommandResult {
    QVector<FieldReading> fields;
    QVector<Message> messages;
    int beeps = 0;
    QString note; // our own word on stderr when the window said nothing
};

// "caption text unit (note)" per line, the fields of a section together
// under its title; a unit only after a number ("N/A" stands alone).
void printFields(QTextStream& out, const QVector<FieldReading>& fields);
// {"fields": {name: {"label", "text", "unit", "value", "section", "note"}}, "messages": [{"title", "text"}], "beeps":
// n} "value" is the number the program reads from the text (null for a text field such as a name); "section" and "note"
// only where there is one.
void printJson(QTextStream& out, const CommandResult& result);
// Each message as "title: text" (after "tolvan-cli: FILE: " when the messages
// are about a file), a beep as "(beep)", then the note.
void printMessages(QTextStream& err, const CommandResult& result, const QString& file = {});
