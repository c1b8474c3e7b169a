#include "cli/arguments.h"

#include "core/driverrecord.h"

#include <algorithm>

ParsedArguments parseArguments(const QStringList& arguments, const QVector<OptionEntry>& options, int maxPositional)
{
    ParsedArguments parsed;
    auto fail = [&parsed](const QString& error) {
        parsed.error = error;
        return parsed;
    };
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument.size() == 1) {
            if (parsed.positional.size() >= maxPositional)
                return fail(QStringLiteral("unexpected argument \"%1\"").arg(visibleText(argument)));
            parsed.positional.append(argument);
        } else if (argument == u"--") {
            optionsEnded = true;
        } else if (argument == u"--json") {
            parsed.json = true;
        } else if (argument == u"--help" || argument == u"-h") {
            parsed.help = true;
        } else if (argument == u"-o" || argument == u"--output" || argument.startsWith(u"--output=")) {
            if (argument.startsWith(u"--output="))
                parsed.output = argument.mid(9);
            else if (++i < arguments.size())
                parsed.output = arguments[i];
            else
                return fail(QStringLiteral("option %1 needs a file name").arg(argument));
        } else if (argument.startsWith(u"--") && argument.size() > 2) {
            const qsizetype equals = argument.indexOf(u'=');
            const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
            const auto option = std::find_if(
                options.begin(), options.end(), [&name](const OptionEntry& o) { return o.name == name; });
            if (option == options.end())
                return fail(QStringLiteral("unknown option --%1").arg(visibleText(name)));
            if (!option->takesValue) {
                if (equals >= 0)
                    return fail(QStringLiteral("option --%1 takes no value").arg(name));
                parsed.flags.insert(name);
            } else if (equals >= 0) {
                parsed.values.insert(name, argument.mid(equals + 1));
            } else if (++i < arguments.size()) {
                parsed.values.insert(name, arguments[i]);
            } else {
                return fail(QStringLiteral("option --%1 needs a value").arg(name));
            }
        } else {
            return fail(QStringLiteral("unknown option %1 (a name beginning with \"-\" goes after --)")
                            .arg(visibleText(argument)));
        }
    }
    return parsed;
}
