#include "cli/analysecommand.h"

#include "analysis/analysis.h"
#include "analysis/describe.h"
#include "analysis/handover.h"
#include "analysis/inputjson.h"
#include "cli/analyseoptions.h"
#include "cli/cli.h"
#include "cli/commandresult.h"
#include "cli/drivercommands.h"
#include "cli/filecommands.h"
#include "cli/messagelog.h"
#include "cli/windowcommands.h"
#include "cli/windowrun.h"
#include "core/designstate.h"
#include "core/numberparse.h"
#include "design/systemload.h"
#include "graph/analysisoutput.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cmath>

using namespace analysis;
using Kind = analysis::CurveKind;

namespace {

const QString kBoxOption = QStringLiteral("box");

int usage(QTextStream& err, const QString& error)
{
    err << "tolvan-cli: analyse: " << error << "\nTry 'tolvan-cli analyse --help'.\n";
    return kExitUsage;
}

// "FILE: " before what is said about a file's design.
QString about(const QString& file) { return file.isEmpty() ? QString() : file + QStringLiteral(": "); }

// An option's value before the options are read: --box decides which
// window's inputs are options too.
std::optional<QString> valueBeforeReading(const QStringList& arguments, const QString& name)
{
    const QString option = QStringLiteral("--") + name;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == u"--")
            break;
        if (arguments[i] == option)
            return arguments.value(i + 1);
        if (arguments[i].startsWith(option + u'='))
            return arguments[i].mid(option.size() + 1);
    }
    return std::nullopt;
}

bool given(const ParsedArguments& arguments, const QString& option)
{
    return arguments.values.contains(option) || arguments.flags.contains(option);
}

// The arguments the box window takes from analyse's, or the first value it
// cannot take. An input under a name of its own takes the driver's value of
// its key when it is not given (the bandpass window's impedance, --re).
std::variant<ParsedArguments, QString> windowArguments(const WindowCommand& window, const ParsedArguments& given)
{
    ParsedArguments arguments;
    const QString driver = QString::fromLatin1(kDriverOption);
    if (given.values.contains(driver))
        arguments.values.insert(driver, given.values.value(driver));
    for (const FlagOption& flag : window.flags)
        if (given.flags.contains(QString::fromLatin1(flag.option)))
            arguments.flags.insert(QString::fromLatin1(flag.option));
    for (const FieldEntry* input : optionFields(window)) {
        const QString key = QString::fromLatin1(input->key);
        const QString option = windowInputOption(QString::fromLatin1(window.name), key);
        const QString from = given.values.contains(option) ? option
            : option != key && given.values.contains(key)  ? key
                                                           : QString();
        if (from.isEmpty())
            continue;
        const QString value = given.values.value(from);
        if (const QString problem = valueProblem(input->accepts, value, input->unit); !problem.isEmpty())
            return QStringLiteral("--%1: %2").arg(from, problem);
        arguments.values.insert(key, value);
    }
    return arguments;
}

// The design of that box the design state hands over (any: the box design,
// else the bandpass design).
std::optional<AnalysisInput> handedOver(const DesignState& state, const QString& box)
{
    for (const HandedOver which : { HandedOver::Box, HandedOver::Bandpass })
        if (std::optional<AnalysisInput> in = handedOverAnalysis(state, which);
            in && (box.isEmpty() || boxKey(in->box) == box))
            return in;
    return std::nullopt;
}

QString notHeld(const QString& file, const QString& box)
{
    if (box.isEmpty())
        return about(file) + QStringLiteral("the file hands over no box or bandpass design to analyse");
    return about(file) + QStringLiteral("the file holds no %1 design to analyse").arg(boxName(*boxOfKey(box)));
}

struct Analysed {
    QString file; // empty: the box window's design
    AnalysisInput input;
    AnalysisResult result;
};

struct Run {
    const ParsedArguments& arguments;
    const std::optional<DriverRecord>& driver;
    QString box; // --box
    QTextStream& err;
};

// The design the box window makes from its options, handed over; the exit status when there is none.
std::variant<AnalysisInput, int> windowDesign(const WindowCommand& window, const Run& run)
{
    const auto arguments = windowArguments(window, run.arguments);
    if (const auto* problem = std::get_if<QString>(&arguments))
        return usage(run.err, *problem);
    const WindowRun made = runWindowCommand(window, std::get<ParsedArguments>(arguments), true);
    printMessages(run.err, made.result);
    if (!made.designed)
        return kExitRefused;
    if (std::optional<AnalysisInput> in = handedOver(designState(), run.box))
        return *in;
    run.err << "tolvan-cli: analyse: the " << window.name << " window handed over no design\n";
    return kExitRefused;
}

// Each file's design, as "Load System" loads one and "Add from File..."
// reads others; the exit status when one has none.
std::variant<QVector<AnalysisInput>, int> fileDesigns(const QStringList& files, const Run& run)
{
    QVector<AnalysisInput> designs;
    for (const QString& file : files) {
        std::optional<AnalysisInput> in;
        if (files.size() == 1) {
            if (!loadDesign(file, run.err))
                return kExitRefused;
            in = handedOver(designState(), run.box);
        } else {
            MessageLog log;
            const std::optional<OtherSystem> other = readOtherSystemFile(file);
            CommandResult said;
            said.messages = log.shown;
            printMessages(run.err, said, file);
            if (!other)
                return kExitRefused;
            in = handedOver(other->design, run.box);
        }
        if (!in) {
            run.err << "tolvan-cli: analyse: " << notHeld(file, run.box) << '\n';
            return kExitRefused;
        }
        designs << *in;
    }
    return designs;
}

// A library driver whose Fs, Qts or Vas are not the design's: the design's are analysed.
void noteOtherDriver(const Analysed& a, const DriverRecord& driver, QTextStream& err)
{
    for (const ::DriverValue& value : kDriverValues) {
        const DriverDataPart* part = driverDataPart(QString::fromLatin1(value.key));
        if (!part || !part->designs || !(driver.*value.member))
            continue;
        const double theirs = *(driver.*value.member), ours = a.input.driver.*part->member;
        if (std::abs(theirs - ours) > 1e-3 * std::abs(ours)) {
            err << "tolvan-cli: analyse: " << about(a.file) << "the driver \"" << visibleText(driver.name)
                << "\" has another Fs, Qts or Vas than the design, whose own are analysed\n";
            return;
        }
    }
}

// Why a design has no analysis, and the exit status: driver data the
// options can give is a usage error; anything else is the design's.
int refused(const Analysed& a, const Run& run)
{
    QStringList needs, lacked;
    for (const analysis::DriverValue value : a.result.missing) {
        const QStringList keys = driverValueKeys(value);
        if (!driverDataOptions().contains(keys.first()))
            return kExitRefused;
        QStringList options;
        for (const QString& key : keys)
            options << QStringLiteral("--") + key;
        needs << listed(options, "or");
        lacked << driverValueName(value);
    }
    if (needs.isEmpty())
        return kExitRefused;
    run.err << "tolvan-cli: analyse: " << about(a.file) << "needs " << listed(needs)
            << (run.driver ? QStringLiteral("; the driver \"%1\" has no %2")
                                 .arg(visibleText(run.driver->name), lacked.join(QStringLiteral(" and no ")))
                           : QStringLiteral(" (or --driver NAME)"))
            << '\n';
    return kExitUsage;
}

// The curve a picture shows, when the design has it; else the usage error.
QString curveProblem(const Analysed& a, Kind curve)
{
    if (a.result.curve(curve))
        return {};
    if (curve == Kind::MaxSpl) {
        QStringList keys;
        for (const analysis::DriverValue value : a.result.missingForLimits)
            keys << driverValueKeys(value);
        return QStringLiteral("--graph maxspl needs ") + optionList(keys);
    }
    return QStringLiteral("--graph %1: a %2 has no %3")
        .arg(curveKey(curve), boxName(a.input.box), curveName(curve).toLower());
}

QVector<FieldReading> readings(const QVector<TextRow>& rows)
{
    QVector<FieldReading> fields;
    for (const TextRow& row : rows)
        fields.append({ row.caption, row.caption + u':', row.value, {}, row.section });
    return fields;
}

// The rows as JSON; a figure's "value" is the number its text begins with.
QJsonArray rowsJson(const QVector<TextRow>& rows, bool values)
{
    QJsonArray array;
    for (const TextRow& row : rows) {
        QJsonObject entry { { "section", row.section }, { "caption", row.caption }, { "text", row.value } };
        if (values) {
            const NumberReading first = readNumber(row.value.section(u' ', 0, 0));
            entry.insert("value", first.digits && first.whole ? QJsonValue(first.value) : QJsonValue());
        }
        array.append(entry);
    }
    return array;
}

QJsonObject designJson(const Analysed& a)
{
    QJsonArray messages;
    for (const Message& message : a.result.messages)
        messages.append(QJsonObject { { "title", message.shownTitle() }, { "text", message.prompt } });
    QJsonObject object { { "label", analysisLabel(a.input) }, { "input", inputJson(a.input) },
        { "design", rowsJson(designRows(a.input), false) }, { "figures", rowsJson(figureRows(a.result), true) },
        { "messages", messages } };
    if (!a.file.isEmpty())
        object.insert("file", a.file);
    return object;
}

void printAnalysed(const QVector<Analysed>& designs, const ParsedArguments& arguments, QTextStream& out)
{
    if (arguments.json) {
        QJsonObject root;
        if (designs.size() == 1) {
            root = designJson(designs.first());
        } else {
            QJsonArray all;
            for (const Analysed& a : designs)
                all.append(designJson(a));
            root.insert("designs", all);
        }
        if (!arguments.output.isEmpty())
            root.insert("output", arguments.output);
        out << QJsonDocument(root).toJson(QJsonDocument::Indented);
        return;
    }
    if (!arguments.output.isEmpty()) {
        out << arguments.output << '\n';
        return;
    }
    for (const Analysed& a : designs) {
        if (designs.size() > 1)
            out << (&a == &designs.first() ? "" : "\n") << a.file << ":\n";
        printFields(out, readings(designRows(a.input) + figureRows(a.result)));
    }
}

// The chart -o draws: one design with the analysis curves kept beside its
// file, or several files' designs, each labelled with its file.
AnalysisChart chartOf(const QVector<Analysed>& designs, Kind curve, bool fromFile)
{
    if (designs.size() == 1)
        return analysisChart(
            designs.first().input, curve, fromFile ? keptAnalysisCurves() : KeptAnalysisCurves {}, drawnWith(curve));
    KeptAnalysisCurves compared;
    for (const Analysed& a : designs)
        keepAnalysisCurve(compared,
            KeptAnalysisCurve {
                keptLabel(QFileInfo(a.file).completeBaseName() + QStringLiteral(": ") + analysisLabel(a.input)), 0,
                true, curve, a.input });
    return analysisChart(std::nullopt, curve, compared, drawnWith(curve));
}

bool isPicture(AnalysisOutput kind)
{
    return kind == AnalysisOutput::Png || kind == AnalysisOutput::Svg || kind == AnalysisOutput::Pdf;
}

// What the options ask for, checked before any design is made.
QString argumentsProblem(const ParsedArguments& arguments, const AnalyseSettings& settings, const WindowCommand* window)
{
    const QStringList& files = arguments.positional;
    if (files.isEmpty() && !window)
        return QStringLiteral("name one to %1 system files, or a box with --box").arg(kMaxGraphFiles);
    if (window && !files.isEmpty())
        for (const WindowOption& input : analyseWindowOptions(*window))
            if (const QString& option = input.option; given(arguments, option))
                return QStringLiteral("--%1 is an input of the %2 window: it goes with --box and no file; a file's "
                                      "design is analysed as it was saved")
                    .arg(option, QString::fromLatin1(window->name));
    if (!window && given(arguments, QStringLiteral("impedance")))
        return QStringLiteral("--impedance is the bandpass window's input: it goes with --box bandpass and no file");
    const std::optional<AnalysisOutput> kind = analysisOutputOf(arguments.output);
    if (!arguments.output.isEmpty() && !kind)
        return QStringLiteral("-o names a .png, .svg, .pdf, .csv, .frd or .zma file");
    if (settings.curve && !(kind && isPicture(*kind)))
        return QStringLiteral("--graph chooses the curve of a picture: -o OUT.png, OUT.svg or OUT.pdf");
    if (kind && !isPicture(*kind) && files.size() > 1)
        return QStringLiteral("-o %1 holds the curves of one design: name one file, or write a picture")
            .arg(QFileInfo(arguments.output).fileName());
    return {};
}

} // namespace

int runAnalyseCommand(const QStringList& rest, QTextStream& out, QTextStream& err)
{
    const std::optional<QString> box = valueBeforeReading(rest, kBoxOption);
    if (box && !boxKeys().contains(*box))
        return usage(err, QStringLiteral("--box is %1, not \"%2\"").arg(listed(boxKeys(), "or"), visibleText(*box)));
    const WindowCommand* window = box ? findWindowCommand(*box) : nullptr;
    const ParsedArguments arguments = parseArguments(rest, analyseOptionTable(window), kMaxGraphFiles);
    if (!arguments.error.isEmpty())
        return usage(err, arguments.error);
    if (arguments.help) {
        printAnalyseHelp(out);
        return kExitDesign;
    }
    const auto read = readAnalyseSettings(arguments);
    if (const auto* problem = std::get_if<QString>(&read))
        return usage(err, *problem);
    const AnalyseSettings& settings = std::get<AnalyseSettings>(read);
    if (const QString problem = argumentsProblem(arguments, settings, window); !problem.isEmpty())
        return usage(err, problem);

    std::optional<DriverRecord> driver;
    if (settings.driver) {
        MessageLog log;
        QString problem;
        driver = libraryDriver(*settings.driver, problem);
        CommandResult said;
        said.messages = log.shown;
        printMessages(err, said);
        if (!driver) {
            err << "tolvan-cli: analyse: " << problem << '\n';
            return kExitRefused;
        }
    }

    const Run run { arguments, driver, box.value_or(QString()), err };
    QVector<AnalysisInput> inputs;
    if (arguments.positional.isEmpty()) {
        const auto made = windowDesign(*window, run);
        if (const int* status = std::get_if<int>(&made))
            return *status;
        inputs << std::get<AnalysisInput>(made);
    } else {
        const auto read = fileDesigns(arguments.positional, run);
        if (const int* status = std::get_if<int>(&read))
            return *status;
        inputs = std::get<QVector<AnalysisInput>>(read);
    }

    const std::optional<AnalysisOutput> kind = analysisOutputOf(arguments.output);
    const Kind curve = settings.curve.value_or(Kind::Spl);
    QVector<Analysed> designs;
    for (int i = 0; i < inputs.size(); ++i) {
        Analysed a { arguments.positional.value(i), inputs[i], {} };
        if (const QString problem = applyAnalyseSettings(settings, driver, a.input); !problem.isEmpty())
            return usage(err, about(a.file) + problem);
        if (driver && !a.file.isEmpty())
            noteOtherDriver(a, *driver, err);
        a.result = analyse(a.input);
        CommandResult said;
        said.messages = a.result.messages;
        printMessages(err, said, a.file);
        if (!a.result.valid())
            return refused(a, run);
        if (kind && isPicture(*kind))
            if (const QString problem = curveProblem(a, curve); !problem.isEmpty())
                return usage(err, about(a.file) + problem);
        designs << a;
    }

    if (kind) {
        const AnalysisChart chart = chartOf(designs, curve, !arguments.positional.isEmpty());
        if (const std::optional<QString> problem = saveAnalysisOutput(arguments.output, chart))
            return outputFailed(err, arguments.output, {}, *problem);
    }
    printAnalysed(designs, arguments, out);
    return kExitDesign;
}

void printAnalyseHelp(QTextStream& out)
{
    // The option, then its help in lines of at most kHelpWidth, beside it
    // or under it when the option is long.
    constexpr int kColumn = 24, kHelpWidth = 72;
    const auto option = [&out](const QString& name, const QString& help) {
        QStringList lines { QString() };
        for (const QString& word : help.split(u' ')) {
            if (!lines.last().isEmpty() && lines.last().size() + 1 + word.size() > kHelpWidth)
                lines << QString();
            lines.last() += (lines.last().isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        const QString indent(kColumn + 2, u' ');
        out << "  " << name;
        if (name.size() >= kColumn)
            out << '\n' << indent;
        else
            out << QString(kColumn - name.size(), u' ');
        out << lines.join(u'\n' + indent) << '\n';
    };
    out << "Usage: tolvan-cli analyse FILE.TLV [FILE.TLV ...] [OPTIONS] [-o OUT] [--json]\n"
           "       tolvan-cli analyse --box TYPE [the box window's options] [OPTIONS] [-o OUT] [--json]\n\n"
        << kAnalyseSummary
        << "\n\nWithout -o, the design and its figures are printed by section; -o writes the file its suffix\n"
           "names: the chart of --graph as .png, .svg or .pdf, or every curve as .csv, the SPL and its phase\n"
           "as .frd, the impedance and its phase as .zma (for crossover simulators).\n\n"
           "The driver's data (the design's own Fs, Qts and Vas rule):\n";
    for (const QString& key : driverDataOptions()) {
        const ::DriverValue* value = driverValue(key);
        const QString unit = unitSymbol(value->unit);
        option(QStringLiteral("--%1 X").arg(key),
            QString::fromLatin1(value->label) + (unit.isEmpty() ? QString() : QStringLiteral(", ") + unit));
    }
    out << "\nOptions:\n";
    for (const AnalyseOption& o : analyseOptions())
        option(QStringLiteral("--%1 %2").arg(QString::fromLatin1(o.name), QString::fromLatin1(o.value)),
            QString::fromUtf8(o.help));
    option(QStringLiteral("-o FILE"), QStringLiteral("the file to write: .png, .svg, .pdf, .csv, .frd or .zma"));
    option(QStringLiteral("--json"), QStringLiteral("the design, the figures and the messages as JSON"));
    QStringList curves;
    for (const CurveInfo& info : kCurveInfo)
        curves << QString::fromLatin1(info.key);
    out << "\nCurves of --graph:\n  " << curves.mid(0, 6).join(QStringLiteral(", ")) << ",\n  "
        << curves.mid(6).join(QStringLiteral(", "))
        << ".\n\nThe box windows' options with --box and no file (as tolvan-cli TYPE takes them):\n";
    for (const QString& key : boxKeys()) {
        QStringList names;
        for (const WindowOption& input : analyseWindowOptions(*findWindowCommand(key)))
            names << QStringLiteral("--") + input.option;
        out << "  " << key.leftJustified(10) << names.join(u' ') << '\n';
    }
    out << "\nWith several files (up to " << kMaxGraphFiles
        << "), each file's design is analysed with the same options and drawn on one\n"
           "chart, labelled with its file. A file's box design is analysed, or its bandpass design when it\n"
           "has no box design; --box TYPE picks the design of that box. Missing driver data is named with the\n"
           "options that give it (exit status 2).\n\nExample:\n"
           "  tolvan-cli analyse vented.TLV --qes .5 --re 6 --sd 220 --xmax 6 --pe 100 -o vented.frd\n"
           "  tolvan-cli analyse --box closed --qts .35 --vas 2 --fs 30 --qtc .707 --driver \"Example W10\"\n";
}
