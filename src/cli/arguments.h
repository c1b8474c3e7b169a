#pragma once
// The options of one subcommand: "--name value", "--name=value" or a bare
// "--flag", besides the options every subcommand knows: --json, --help (-h)
// and --output (-o) FILE. "--" ends the options: what follows is plain
// arguments, even when it begins with "-". Anything else is a usage error,
// reported as text.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

struct OptionEntry {
    QString name; // without the leading "--"
    bool takesValue = true;
};

struct ParsedArguments {
    QHash<QString, QString> values;
    QSet<QString> flags;
    QStringList positional;
    QString output;
    bool json = false;
    bool help = false;
    QString error; // not empty: a usage error
};

// `arguments` are those after the subcommand's name. At most `maxPositional`
// plain arguments are taken.
ParsedArguments parseArguments(const QStringList& arguments, const QVector<OptionEntry>& options, int maxPositional);
