#include "cli/drivercommands.h"

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/commandresult.h"
#include "cli/messagelog.h"
#include "core/driverlibrary.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

struct DriverAction {
    const char* name;
    const char* usage;
    int positional; // how many plain arguments it takes (list: at most this many words)
    int (*run)(const ParsedArguments& arguments, QTextStream& out, QTextStream& err);
};

QJsonObject driverJson(const DriverRecord& driver)
{
    // The library's own form of one driver.
    return QJsonDocument::fromJson(writeDriversJson({ driver }))
        .object()
        .value(QStringLiteral("drivers"))
        .toArray()
        .first()
        .toObject();
}

void printJson(QTextStream& out, const QJsonObject& object)
{
    out << QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QJsonArray refusalsJson(const QVector<DriverRefusal>& entries)
{
    QJsonArray list;
    for (const DriverRefusal& entry : entries)
        list.append(QJsonObject { { "where", entry.where }, { "name", entry.name }, { "reason", entry.reason } });
    return list;
}

// The library read for an action; false (its message printed) when it cannot be used.
bool usableLibrary(QTextStream& err)
{
    MessageLog log;
    const bool usable = driverLibrary().refresh();
    CommandResult result;
    result.messages = log.shown;
    printMessages(err, result);
    return usable;
}

int refused(QTextStream& err, const QString& error)
{
    err << "tolvan-cli: drivers: " << error << '\n';
    return kExitRefused;
}

int list(const ParsedArguments& arguments, QTextStream& out, QTextStream& err)
{
    if (!usableLibrary(err))
        return kExitRefused;
    const DriverLibrary& library = driverLibrary();
    const QVector<int> rows = library.filter(arguments.positional.join(u' '));
    if (arguments.json) {
        QJsonArray drivers;
        for (const int row : rows)
            drivers.append(driverJson(library.drivers()[row]));
        printJson(out, { { "file", library.path() }, { "drivers", drivers } });
    } else {
        for (const int row : rows)
            out << visibleText(driverSummary(library.drivers()[row])) << '\n';
        // An empty answer is never left to be taken for a failure.
        if (library.drivers().isEmpty())
            err << "tolvan-cli: drivers: the driver library " << QDir::toNativeSeparators(library.path())
                << " holds no drivers\n";
        else if (rows.isEmpty())
            err << "tolvan-cli: drivers: no driver matches \"" << visibleText(arguments.positional.join(u' '))
                << "\"\n";
    }
    return kExitDesign;
}

int show(const ParsedArguments& arguments, QTextStream& out, QTextStream& err)
{
    QString problem;
    const std::optional<DriverRecord> driver = libraryDriver(arguments.positional.value(0), problem);
    if (!driver)
        return refused(err, problem);
    if (arguments.json) {
        printJson(out, driverJson(*driver));
        return kExitDesign;
    }
    for (const DriverText& text : kDriverTexts)
        if (!((*driver).*text.member).isEmpty())
            out << text.label << ": "
                << (text.member == &DriverRecord::note ? (*driver).*text.member : visibleText((*driver).*text.member))
                << '\n';
    for (const DriverValue& value : kDriverValues)
        if (const std::optional<double>& number = (*driver).*value.member)
            out << value.label << ": " << driverValueText(value, *number)
                << (value.unit.text ? QStringLiteral(" ") + driverUnitShown(value) : QString()) << '\n';
    return kExitDesign;
}

int add(const ParsedArguments& arguments, QTextStream& out, QTextStream& err)
{
    DriverRecord driver;
    for (const DriverText& text : kDriverTexts)
        driver.*text.member = arguments.values.value(QString::fromLatin1(text.key));
    for (const DriverValue& value : kDriverValues) {
        // In the units chosen, or with a unit of its own ("56.6 L").
        const QString given = arguments.values.value(QString::fromLatin1(value.key));
        const DriverInput number = readDriverInput(value, given);
        if (!number.ok)
            return refused(err,
                number.wrongUnit.isEmpty() ? QStringLiteral("--%1 is not a number: \"%2\"").arg(value.key, given)
                                           : QStringLiteral("--%1: %2").arg(value.key, number.wrongUnit));
        driver.*value.member = number.value;
    }
    if (!usableLibrary(err))
        return kExitRefused;
    const bool replace = arguments.flags.contains(QStringLiteral("replace"));
    const DriverChange stored
        = driverLibrary().store(driver, replace ? DriverLibrary::Existing::Replace : DriverLibrary::Existing::Refuse);
    if (stored.status == DriverChange::Status::Exists)
        return refused(err, stored.error + QStringLiteral(" --replace replaces it."));
    if (!stored.done())
        return refused(err, stored.error);
    const DriverRecord added = *driverLibrary().find(driver.name);
    if (arguments.json)
        printJson(out, driverJson(added));
    else
        out << (stored.written ? "Saved: " : "Saved already, unchanged: ") << visibleText(driverSummary(added)) << '\n';
    return kExitDesign;
}

int remove(const ParsedArguments& arguments, QTextStream& out, QTextStream& err)
{
    if (!usableLibrary(err))
        return kExitRefused;
    const QString name = arguments.positional.value(0);
    const DriverChange removed = driverLibrary().remove(name);
    if (!removed.done())
        return refused(err, removed.error);
    if (arguments.json)
        printJson(out, { { "removed", name } });
    else
        out << "Removed: " << visibleText(name) << '\n';
    return kExitDesign;
}

int import(const ParsedArguments& arguments, QTextStream& out, QTextStream& err)
{
    if (!usableLibrary(err))
        return kExitRefused;
    const DriverImport imported = driverLibrary().importFile(arguments.positional.value(0));
    if (!imported.error.isEmpty())
        return refused(err, imported.error);
    // Nothing added is nothing done: the library file is as it was.
    const int status = imported.added > 0 ? kExitDesign : kExitRefused;
    if (arguments.json)
        printJson(out,
            { { "added", imported.added }, { "skipped", refusalsJson(imported.skipped) },
                { "refused", refusalsJson(imported.refused) },
                { "notes", QJsonArray::fromStringList(imported.notes) } });
    else
        (status == kExitDesign ? out : err) << imported.report() << '\n';
    if (arguments.json && status != kExitDesign)
        err << "tolvan-cli: drivers: no driver was added\n";
    return status;
}

int exportTo(const ParsedArguments& arguments, QTextStream& out, QTextStream& err)
{
    if (!usableLibrary(err))
        return kExitRefused;
    const QString file = arguments.positional.value(0);
    const DriverChange exported = driverLibrary().exportFile(file);
    if (!exported.done())
        return refused(err, exported.error);
    if (arguments.json)
        printJson(out, { { "file", file }, { "drivers", driverLibrary().drivers().size() } });
    else
        out << exported.note << '\n';
    return kExitDesign;
}

const DriverAction kActions[] = {
    { "list", "drivers list [WORDS] [--json]", 100, list },
    { "show", "drivers show NAME [--json]", 1, show },
    { "add", "drivers add --name NAME --fs X --qts X --vas X [more values] [--replace] [--json]", 0, add },
    { "remove", "drivers remove NAME [--json]", 1, remove },
    { "import", "drivers import FILE.json|FILE.csv [--json]", 1, import },
    { "export", "drivers export FILE.json|FILE.csv [--json]", 1, exportTo },
};

QVector<OptionEntry> addOptions()
{
    QVector<OptionEntry> options;
    for (const DriverText& text : kDriverTexts)
        options.append({ QString::fromLatin1(text.key), true });
    for (const DriverValue& value : kDriverValues)
        options.append({ QString::fromLatin1(value.key), true });
    options.append({ QStringLiteral("replace"), false });
    return options;
}

int usage(QTextStream& err, const QString& error)
{
    err << "tolvan-cli: drivers: " << error << "\nTry 'tolvan-cli drivers --help'.\n";
    return kExitUsage;
}

} // namespace

std::optional<DriverRecord> libraryDriver(const QString& name, QString& problem)
{
    DriverLibrary& library = driverLibrary();
    if (!library.refresh()) {
        problem = QStringLiteral("the driver library %1 cannot be used").arg(QDir::toNativeSeparators(library.path()));
        return std::nullopt;
    }
    const std::optional<DriverRecord> driver = library.find(name);
    if (!driver)
        problem = QStringLiteral("no driver named \"%1\" is in the driver library %2%3")
                      .arg(visibleText(name.trimmed()), QDir::toNativeSeparators(library.path()),
                          library.drivers().isEmpty() ? QStringLiteral(", which holds no drivers") : QString());
    return driver;
}

void printDriverCommandHelp(QTextStream& out)
{
    out << "Usage:\n";
    for (const DriverAction& action : kActions)
        out << "  tolvan-cli " << action.usage << '\n';
    out << "\nThe driver library: drivers saved once by name, for every window that needs one.\n"
           "Values for add (empty or left out: not known; Fs, Qts and Vas are needed):\n";
    for (const DriverText& text : kDriverTexts)
        out << "  "
            << (QStringLiteral("--") + QString::fromLatin1(text.key) + QStringLiteral(" TEXT")).leftJustified(22)
            << text.label << '\n';
    for (const DriverValue& value : kDriverValues)
        out << "  " << (QStringLiteral("--") + QString::fromLatin1(value.key) + QStringLiteral(" X")).leftJustified(22)
            << value.label << (value.unit.text ? QStringLiteral(", ") + driverUnitShown(value) : QString()) << '\n';
    out << "  " << QStringLiteral("--replace").leftJustified(22) << "replace a driver of the same name\n"
        << "\nNumbers are read as the windows read them, in the units chosen (--metric: Vas in litres), or\n"
           "with a unit of their own (--vas \"56.6 L\"); a value that is no number as a whole is refused.\n"
           "list and show write the values in the units chosen; the library file keeps its own units.\n"
           "A name that begins with \"-\" goes after --: tolvan-cli drivers show -- -W1.\n"
        << "\nFiles: JSON as the library keeps it, or CSV with a header row naming the columns\n"
           "(name, manufacturer, model, the values' keys, note). A value's column may name its unit in\n"
           "brackets, converted on import; a column without a unit is in the library's unit, and one\n"
           "in a unit Tolvan does not know is not read. Export names the library's unit in every column:\n";
    for (const DriverValue& value : kDriverValues) {
        if (!value.units().front().name[0])
            continue;
        const QString others = driverUnitNames(value).section(u',', 1).trimmed();
        out << "  " << (others.isEmpty() ? csvHeader(value) : csvHeader(value).leftJustified(22) + "or in " + others)
            << '\n';
    }
    out << "import exits 1 when it added no driver; the library file is written only when it changes.\n"
        << "\nThe library is " << QDir::toNativeSeparators(driverLibraryPath())
        << "\n(drivers.json under $XDG_DATA_HOME/Tolvan, by default ~/.local/share/Tolvan).\n"
           "closed, vented, radiator, bandpass and networks take --driver NAME: the driver fills the\n"
           "window's driver fields it has values for, and the options given override them.\n\nExample:\n"
           "  tolvan-cli drivers add --name \"Example W10\" --fs 30 --qts .4 --vas 2\n"
           "  tolvan-cli vented --driver \"Example W10\"\n"
           "  tolvan-cli drivers import datasheets.csv   (header: Name,Fs (Hz),Qts,Vas (L),Le (mH))\n";
}

int runDriverCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString name = arguments.value(0);
    if (name.isEmpty() || name == u"--help" || name == u"-h") {
        printDriverCommandHelp(name.isEmpty() ? err : out);
        return name.isEmpty() ? kExitUsage : kExitDesign;
    }
    for (const DriverAction& action : kActions) {
        if (name != QLatin1String(action.name))
            continue;
        const bool isAdd = action.run == add;
        const ParsedArguments parsed
            = parseArguments(arguments.mid(1), isAdd ? addOptions() : QVector<OptionEntry>(), action.positional);
        if (!parsed.error.isEmpty())
            return usage(err, parsed.error);
        if (parsed.help) {
            printDriverCommandHelp(out);
            return kExitDesign;
        }
        if (!parsed.output.isEmpty())
            return usage(err, QStringLiteral("-o is for report and graph"));
        if (action.run != list && parsed.positional.size() != action.positional)
            return usage(err, QStringLiteral("%1 takes %2").arg(action.name, action.usage));
        return action.run(parsed, out, err);
    }
    return usage(err, QStringLiteral("unknown action \"%1\"").arg(name));
}
