#include "cli/filecommands.h"

#include "cli/commandresult.h"
#include "cli/messagelog.h"
#include "cli/statevariables.h"
#include "core/designstate.h"
#include "design/systemload.h"
#include "graph/graphpage.h"
#include "graph/keptcurvefile.h"
#include "platform/pageoutput.h"
#include "print/boxreport.h"

#include <QFileInfo>
#include <cmath>
#include <optional>
#include <variant>

bool loadDesign(const QString& file, QTextStream& err)
{
    keepCurvesWithSystemFiles();
    DesignState& state = designState();
    state = DesignState();
    applyStartValues(state);
    keptCurves().clear();
    keptAnalysisCurves().clear();
    MessageLog log;
    const bool loaded = loadSystemFile(file);
    CommandResult result;
    result.messages = log.shown;
    printMessages(err, result, file);
    return loaded;
}

namespace {

constexpr int kUsageError = 2;

bool loadDesign(const ParsedArguments& arguments, QTextStream& err)
{
    return loadDesign(arguments.positional.value(0), err);
}

// The designs of several files as kept curves, each named by its file and
// its design, read as "Add from File..." reads them; empty (after saying
// why) when a file cannot be compared.
std::optional<KeptCurves> compareFiles(const QStringList& files, QTextStream& err)
{
    KeptCurves compared;
    for (const QString& file : files) {
        MessageLog log;
        const std::optional<OtherSystem> other = readOtherSystemFile(file);
        CommandResult result;
        result.messages = log.shown;
        printMessages(err, result, file);
        if (!other)
            return std::nullopt;
        const std::optional<KeptCurve> curve = curveToKeep(other->design, file);
        if (!curve) {
            err << "tolvan-cli: graph: " << file << " hands over no box or bandpass design to draw\n";
            return std::nullopt;
        }
        keepCurve(compared, curve);
    }
    return compared;
}

// A frequency of --from or --to: a number of Hz, or of kHz with "k" after it.
std::optional<double> frequencyOption(QString text)
{
    double unit = 1;
    if (text.endsWith(u'k', Qt::CaseInsensitive)) {
        text.chop(1);
        unit = 1000;
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok) * unit;
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

// The range of --from, --to, --from-db and --to-db over the full range; the
// usage error when they do not make one.
std::variant<GraphRange, QString> rangeOptions(const ParsedArguments& arguments)
{
    GraphRange range;
    const auto option = [&](const char* name, double* into, bool frequency) {
        const QString key = QString::fromLatin1(name);
        if (!arguments.values.contains(key))
            return true;
        bool ok = false;
        const QString text = arguments.values.value(key);
        const std::optional<double> value = frequency ? frequencyOption(text) : std::optional(text.toDouble(&ok));
        if (!value || (!frequency && !ok))
            return false;
        *into = *value;
        return true;
    };
    if (!option("from", &range.fromHz, true) || !option("to", &range.toHz, true)
        || !option("from-db", &range.fromDb, false) || !option("to-db", &range.toDb, false))
        return QStringLiteral("--from, --to, --from-db and --to-db take numbers");
    if (!(range.fromHz >= kLowestHz && range.toHz <= kHighestHz && range.toHz >= kNarrowestRatio * range.fromHz))
        return QStringLiteral("--from and --to: %1 Hz to %2 kHz, --to at least %3 times --from")
            .arg(kLowestHz)
            .arg(kHighestHz / 1000)
            .arg(kNarrowestRatio);
    if (!(range.fromDb >= kLowestLevel && range.toDb <= kHighestDb && range.toDb - range.fromDb >= kNarrowestDb))
        return QStringLiteral("--from-db and --to-db: %1 to %2 dB, at least %3 dB apart")
            .arg(kLowestLevel)
            .arg(kHighestDb)
            .arg(kNarrowestDb);
    return soundRange(range);
}

} // namespace

int outputFailed(QTextStream& err, const QString& file, const QVector<Message>& messages, const QString& reason)
{
    CommandResult result;
    result.messages = messages;
    printMessages(err, result, file);
    err << "tolvan-cli: " << file << ": could not be written" << (reason.isEmpty() ? QString() : ": " + reason) << '\n';
    return 1;
}

namespace {

int show(const ParsedArguments& arguments, QTextStream& out, QTextStream& err)
{
    if (!loadDesign(arguments, err))
        return 1;
    CommandResult result;
    result.fields = savedVariableReadings(designState());
    if (arguments.json)
        printJson(out, result);
    else
        printFields(out, result.fields);
    return 0;
}

int graph(const ParsedArguments& arguments, QTextStream& out, QTextStream& err)
{
    const QString kind = QFileInfo(arguments.output).suffix().toLower();
    if (kind != u"png" && kind != u"svg" && kind != u"pdf") {
        err << "tolvan-cli: graph: -o names a .png, .svg or .pdf file\n";
        return kUsageError;
    }
    const QSize size(arguments.values.value(QStringLiteral("width"), QStringLiteral("1600")).toInt(),
        arguments.values.value(QStringLiteral("height"), QStringLiteral("800")).toInt());
    if (size.width() < 100 || size.height() < 50 || size.width() > 20000 || size.height() > 20000) {
        err << "tolvan-cli: graph: --width 100 to 20000 and --height 50 to 20000 pixels\n";
        return kUsageError;
    }
    const std::variant<GraphRange, QString> range = rangeOptions(arguments);
    if (const auto* problem = std::get_if<QString>(&range)) {
        err << "tolvan-cli: graph: " << *problem << '\n';
        return kUsageError;
    }
    Page page;
    if (arguments.positional.size() == 1) {
        if (!loadDesign(arguments, err))
            return 1;
        page = composeGraph(designState(), keptCurves(), std::get<GraphRange>(range));
    } else {
        const std::optional<KeptCurves> compared = compareFiles(arguments.positional, err);
        if (!compared)
            return 1;
        DesignState none;
        applyStartValues(none);
        page = composeGraph(none, *compared, std::get<GraphRange>(range));
    }
    QString problem;
    if (!savePageFile(page, arguments.output, size, size, &problem))
        return outputFailed(err, arguments.output, {}, problem);
    out << arguments.output << '\n';
    return 0;
}

int report(const ParsedArguments& arguments, QTextStream& out, QTextStream& err)
{
    if (QFileInfo(arguments.output).suffix().toLower() != u"pdf") {
        err << "tolvan-cli: report: -o names a .pdf file\n";
        return kUsageError;
    }
    if (!loadDesign(arguments, err))
        return 1;
    if (boxReportPages(designState()).isEmpty()) {
        err << "tolvan-cli: report: the design hands over no box design to report\n";
        return 1;
    }
    // The report as "Print Box Data" prints it, into the PDF file; nobody
    // watches its progress window.
    MessageLog log;
    const int printed = runBoxDataReport(PrintTarget::pdfFile(arguments.output), nullptr, ReportProgress::Unseen);
    if (printed == 0)
        return outputFailed(err, arguments.output, log.shown);
    CommandResult result;
    result.messages = log.shown;
    printMessages(err, result);
    out << arguments.output << '\n';
    return 0;
}

} // namespace

const QVector<FileCommand>& fileCommands()
{
    static const QVector<FileCommand> commands {
        { "show", "Print the design a system file holds: every saved variable with its value.",
            "tolvan-cli show FILE.TLV [--json]", "tolvan-cli show mydesign.TLV --json", {},
            "  --json         the variables as JSON: name, text and number\n", false, show },
        { "graph",
            "Write the response graph of a system file's design (PNG, SVG or PDF by the name's suffix); "
            "with several files, their designs on one chart.",
            "tolvan-cli graph FILE.TLV [FILE.TLV ...] -o OUT.png|OUT.svg|OUT.pdf [--width PX] [--height PX]\n"
            "                 [--from HZ] [--to HZ] [--from-db DB] [--to-db DB]",
            "tolvan-cli graph closed.TLV vented.TLV -o compare.png --width 800 --height 400 --from 10 --to 1k",
            { { QStringLiteral("width"), true }, { QStringLiteral("height"), true }, { QStringLiteral("from"), true },
                { QStringLiteral("to"), true }, { QStringLiteral("from-db"), true },
                { QStringLiteral("to-db"), true } },
            "  -o FILE        the file to write: .png, .svg or .pdf\n"
            "  --width PX     width of a PNG or SVG, pixels (1600)\n"
            "  --height PX    height of a PNG or SVG, pixels (800)\n"
            "  --from HZ      the lowest frequency shown (10; 1k is 1000)\n"
            "  --to HZ        the highest frequency shown (100k), at least twice --from\n"
            "  --from-db DB   the lowest level shown (-20)\n"
            "  --to-db DB     the highest level shown (10), at least 3 dB above --from-db\n"
            "With up to 8 files, each file's box (and bandpass) design is drawn in a colour and dash pattern\n"
            "of its own, with a legend that names the file and its design. One file draws as the graph window\n"
            "does, curves kept beside it included. The box range is --from 10 --to 1k, the crossover range\n"
            "--from 100 --to 20k.\n",
            true, graph, kMaxGraphFiles },
        { "report", "Write the box data report of a system file's design into a PDF file.",
            "tolvan-cli report FILE.TLV -o OUT.pdf", "tolvan-cli report mydesign.TLV -o boxdata.pdf", {},
            "  -o FILE        the PDF file to write\n", true, report },
    };
    return commands;
}

const FileCommand* findFileCommand(const QString& name)
{
    for (const FileCommand& command : fileCommands())
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}
