#include "cli/cli.h"

#include "cli/analysecommand.h"
#include "cli/drivercommands.h"
#include "cli/filecommands.h"
#include "cli/windowcommands.h"
#include "cli/windowrun.h"
#include "core/driverrecord.h"
#include "core/units.h"

#include <QTextStream>

namespace {

void printOverview(QTextStream& out)
{
    out << "Usage: tolvan-cli COMMAND [OPTIONS]\n\n"
           "Runs a Tolvan design window without showing it and prints what the window shows:\n"
           "each result field with its caption, text and unit, by section; each message on stderr.\n\n"
           "Commands:\n";
    for (const WindowCommand& command : windowCommands())
        out << "  " << QString::fromLatin1(command.name).leftJustified(10) << command.summary << '\n';
    for (const FileCommand& command : fileCommands())
        out << "  " << QString::fromLatin1(command.name).leftJustified(10) << command.summary << '\n';
    out << "  " << QStringLiteral("analyse").leftJustified(10) << kAnalyseSummary << '\n';
    out << "  " << QStringLiteral("drivers").leftJustified(10)
        << "The driver library: list, show, add, remove, import and export drivers.\n";
    out << "\nEvery command takes --json (the same as JSON) and --help; --version shows the version.\n"
           "--metric shows and takes volumes in litres, box sizes and port lengths in cm, port diameters\n"
           "and coil sizes in mm (as does TOLVAN_UNITS=metric); --imperial in the windows' own units, the\n"
           "default. A number may carry its unit in either: --vas \"56.6 L\", --fs \"0.03 kHz\".\n"
           "Exit status: 0 a design, 1 the window refused the inputs or a file failed, 2 a usage error\n"
           "(a bad option, or an option value the window cannot take).\n\n"
           "Example:\n  tolvan-cli vented --qts .4 --vas 2 --fs 30\n";
}

void printOption(QTextStream& out, const QString& option, const QString& help)
{
    out << "  " << option.leftJustified(16) << help << '\n';
}

// An input described in the window's words: caption, unit, note.
QString optionHelp(const WindowCommand& command, const FieldEntry& input)
{
    QString help = plainText(input.caption);
    if (help.endsWith(u':') || help.endsWith(u'='))
        help.chop(1);
    help = help.trimmed();
    if (input.section)
        help.prepend(QString::fromLatin1(input.section) + u' ');
    const QString unit = plainText(shownUnit(input));
    if (!unit.isEmpty() && !help.endsWith(unit))
        help += QStringLiteral(", ") + unit;
    if (input.note)
        help += QStringLiteral(" (%1)").arg(QString::fromLatin1(input.note));
    if (const OptionRule* rule = ruleFor(command, input.key))
        help += QStringLiteral("; ") + QString::fromLatin1(rule->help);
    return help;
}

void printHelp(QTextStream& out, const WindowCommand& command)
{
    out << "Usage: tolvan-cli " << command.name << " [OPTIONS] [--json]\n\n" << command.summary << "\n\nOptions:\n";
    if (command.takesDriver)
        printOption(out, QStringLiteral("--%1 NAME").arg(QString::fromLatin1(kDriverOption)),
            QStringLiteral("a driver of the library: its values, the options given override them"));
    for (const FieldEntry* input : optionFields(command))
        printOption(out,
            QStringLiteral("--%1 %2").arg(QString::fromLatin1(input->key),
                input->accepts == Accepts::Text ? QStringLiteral("TEXT") : QStringLiteral("X")),
            optionHelp(command, *input));
    for (const FlagOption& flag : command.flags)
        printOption(out, QStringLiteral("--") + QString::fromLatin1(flag.option), QString::fromLatin1(flag.help));
    if (command.choice.option)
        printOption(out, QStringLiteral("--%1 X").arg(QString::fromLatin1(command.choice.option)),
            QString::fromLatin1(command.choice.help));
    printOption(out, QStringLiteral("--json"), QStringLiteral("print the result fields and messages as JSON"));
    out << "\nNumbers are read as the window reads them, in the units chosen (--metric), or with a unit of\n"
           "their own (--vas \"56.6 L\"); an option not given leaves the field as the window shows it on\n"
           "opening. A value the window cannot take is a usage error.\n\nExample:\n  "
        << command.example << '\n';
}

void printHelp(QTextStream& out, const FileCommand& command)
{
    out << "Usage: " << command.usage << "\n\n"
        << command.summary << "\n\n"
        << (command.optionHelp[0] ? "Options:\n" : "") << command.optionHelp << "\nExample:\n  " << command.example
        << '\n';
}

int usageError(QTextStream& err, const QString& command, const QString& error)
{
    err << "tolvan-cli: " << (command.isEmpty() ? QString() : command + QStringLiteral(": ")) << error << '\n'
        << "Try 'tolvan-cli " << (command.isEmpty() ? QString() : command + u' ') << "--help'.\n";
    return kExitUsage;
}

int runWindow(const WindowCommand& command, const QStringList& rest, QTextStream& out, QTextStream& err)
{
    const ParsedArguments arguments = parseArguments(rest, optionEntries(command), 0);
    const QString name = QString::fromLatin1(command.name);
    if (!arguments.error.isEmpty())
        return usageError(err, name, arguments.error);
    if (arguments.help) {
        printHelp(out, command);
        return kExitDesign;
    }
    if (!arguments.output.isEmpty())
        return usageError(err, name, QStringLiteral("-o is for report and graph"));
    if (const QString problem = optionValueProblem(command, arguments); !problem.isEmpty())
        return usageError(err, name, problem);
    if (const char* option = command.choice.option) {
        const QString chosen = arguments.values.value(QString::fromLatin1(option));
        QStringList values;
        for (const auto& [value, button] : command.choice.buttons)
            values << QString::fromLatin1(value);
        if (arguments.values.contains(QString::fromLatin1(option)) && !values.contains(chosen))
            return usageError(
                err, name, QStringLiteral("--%1 is %2").arg(QString::fromLatin1(option), values.join(" or ")));
    }
    const WindowRun run = runWindowCommand(command, arguments);
    if (arguments.json)
        printJson(out, run.result);
    else
        printFields(out, run.result.fields);
    printMessages(err, run.result);
    return run.designed ? kExitDesign : kExitRefused;
}

int runFile(const FileCommand& command, const QStringList& rest, QTextStream& out, QTextStream& err)
{
    const ParsedArguments arguments = parseArguments(rest, command.options, command.maxFiles);
    const QString name = QString::fromLatin1(command.name);
    if (!arguments.error.isEmpty())
        return usageError(err, name, arguments.error);
    if (arguments.help) {
        printHelp(out, command);
        return kExitDesign;
    }
    if (arguments.positional.isEmpty())
        return usageError(err, name,
            command.maxFiles == 1 ? QStringLiteral("name one system file")
                                  : QStringLiteral("name one to %1 system files").arg(command.maxFiles));
    if (arguments.output.isEmpty() == command.writesFile)
        return usageError(err, name,
            command.writesFile ? QStringLiteral("-o names the file to write")
                               : QStringLiteral("-o is for report and graph"));
    return command.run(arguments, out, err);
}

} // namespace

namespace {

// The units chosen for this run: TOLVAN_UNITS, then --metric or --imperial
// anywhere before "--" (the last one counts), which are taken out of the
// arguments. Empty with `error` set for a TOLVAN_UNITS it does not know.
std::optional<UnitSystem> chosenUnits(QStringList& arguments, QString& error)
{
    UnitSystem units = UnitSystem::Imperial;
    const QString named = qEnvironmentVariable("TOLVAN_UNITS");
    if (!named.trimmed().isEmpty()) {
        const std::optional<UnitSystem> fromEnvironment = unitSystemNamed(named);
        if (!fromEnvironment) {
            error = QStringLiteral("TOLVAN_UNITS is metric or imperial, not \"%1\"").arg(visibleText(named));
            return std::nullopt;
        }
        units = *fromEnvironment;
    }
    for (qsizetype i = 1; i < arguments.size() && arguments[i] != u"--";) {
        if (arguments[i] == u"--metric" || arguments[i] == u"--imperial") {
            units = arguments[i] == u"--metric" ? UnitSystem::Metric : UnitSystem::Imperial;
            arguments.removeAt(i);
        } else {
            ++i;
        }
    }
    return units;
}

} // namespace

int runCli(const QStringList& given, QTextStream& out, QTextStream& err)
{
    QStringList arguments = given;
    QString unitsError;
    const std::optional<UnitSystem> units = chosenUnits(arguments, unitsError);
    if (!units) {
        const int status = usageError(err, QString(), unitsError);
        err.flush();
        return status;
    }
    setUnitSystem(*units);
    const QString command = arguments.value(1);
    const QStringList rest = arguments.mid(2);
    int status = kExitUsage;
    if (command.isEmpty()) {
        printOverview(err);
    } else if (command == u"--help" || command == u"-h" || command == u"help") {
        printOverview(out);
        status = kExitDesign;
    } else if (command == u"--version") {
        out << "tolvan-cli " << TOLVAN_VERSION << '\n';
        status = kExitDesign;
    } else if (const WindowCommand* window = findWindowCommand(command)) {
        status = runWindow(*window, rest, out, err);
    } else if (const FileCommand* file = findFileCommand(command)) {
        status = runFile(*file, rest, out, err);
    } else if (command == u"analyse") {
        status = runAnalyseCommand(rest, out, err);
    } else if (command == u"drivers") {
        status = runDriverCommand(rest, out, err);
    } else {
        status = usageError(err, QString(), QStringLiteral("unknown command \"%1\"").arg(command));
    }
    out.flush();
    err.flush();
    return status;
}
