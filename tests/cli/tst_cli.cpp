// tolvan-cli: its texts are the windows' texts (each worked example typed
// into the real window here and run through the command line, compared in
// one test), its exit statuses, and the subcommands on system files, graph
// comparing several of them included. Every file the program writes, under a
// file-size limit, at a pipe and through a symbolic link; every file it
// reads, when it is a pipe, a device or a folder.
#include "analysis/analysis.h"
#include "analysis/describe.h"
#include "analysis/export.h"
#include "analysis/handover.h"
#include "analysis/inputjson.h"
#include "cli/analyseoptions.h"
#include "cli/cli.h"
#include "cli/windowcommands.h"
#include "cli/windowrun.h"
#include "core/designstate.h"
#include "core/driverlibrary.h"
#include "core/recordfile.h"
#include "core/systemrecord.h"
#include "core/units.h"
#include "core/wholefile.h"
#include "graph/CBGRAPH1.h"
#include "graph/handedover.h"
#include "graph/keptcurvefile.h"
#include "platform/chart.h"
#include "platform/designwindow.h"
#include "support/printerrecorder.h"
#include "support/windowtest.h"
#include "ui/FrmTlv.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

struct Run {
    int status = -1;
    QString out, err;
};

Run cli(const QStringList& arguments)
{
    Run run;
    QTextStream out(&run.out), err(&run.err);
    run.status = runCli(QStringList { "tolvan-cli" } + arguments, out, err);
    return run;
}

using Typing = QList<QPair<QString, QString>>; // field, text

// The program itself, as a user runs it, with its own data folder; a
// file-size limit (0: none) in its process, whose signal it meets with the
// system's default, so that the program's own handling is what counts.
Run program(const QStringList& arguments, const QString& dataHome, rlim_t fileSizeLimit = 0)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dataHome);
    process.setProcessEnvironment(env);
    if (fileSizeLimit)
        process.setChildProcessModifier([fileSizeLimit] {
            struct rlimit limit { };
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = fileSizeLimit;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_DFL);
        });
    process.start(TOLVAN_CLI, arguments);
    Run run;
    // Nothing may wait on a pipe: a run that does not end is the fault.
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isPipe(const QString& path)
{
    struct stat info { };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// What is there in place of a file: a pipe, a link to endless zeros, a folder.
bool makeSpecial(const QString& path, const QString& kind)
{
    QFile::remove(path);
    if (kind == "pipe")
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    if (kind == "endless zeros")
        return QFile::link("/dev/zero", path);
    return QDir().mkpath(path);
}

bool isSpecial(const QString& path, const QString& kind)
{
    if (kind == "pipe")
        return isPipe(path);
    if (kind == "endless zeros")
        return QFileInfo(path).isSymLink() && QFileInfo(path).symLinkTarget() == "/dev/zero";
    return QFileInfo(path).isDir();
}

// Three kept curves of closed boxes, a file of about a kilobyte.
KeptCurves threeKeptCurves()
{
    KeptCurves kept;
    DesignState s;
    applyStartValues(s);
    std::tie(s.fs, s.qts, s.vas, s.boxValid, s.boxType, s.closedFc, s.closedQtcCalc)
        = std::tuple(30.0f, 0.4f, 2.0f, 1, BoxType::Closed, 53.06f, 0.707f);
    for (const float volume : { 0.9f, 1.2f, 1.5f }) {
        s.closedVb = volume;
        keepCurve(kept, curveToKeep(s));
    }
    return kept;
}

const QString kReference = QStringLiteral(TOLVAN_TEST_DATA "/reference_system.TLV");

// The pages of a PDF file (or the PNG file itself) as images.
QList<QImage> pageImages(const QString& file)
{
    if (file.endsWith(".png"))
        return { QImage(file) };
    QProcess render;
    render.start("pdftoppm", { "-r", "40", "-png", file, file });
    if (!render.waitForFinished(30000))
        return {};
    QList<QImage> pages;
    for (int page = 1; QFile::exists(QString("%1-%2.png").arg(file).arg(page)); ++page)
        pages << QImage(QString("%1-%2.png").arg(file).arg(page));
    return pages;
}

// A closed and a vented box of the same driver, and a file without a box,
// as system files in `dir`.
void writeComparedFiles(const QTemporaryDir& dir)
{
    DesignState s = handedover::comparedClosedBox();
    QVERIFY(!writeRecordFile(dir.filePath("closed.TLV"), encodeSystemRecord(s)));
    std::tie(s.boxType, s.closedVb, s.ventedFb) = std::tuple(BoxType::Vented, 2.16f, 28.74f);
    QVERIFY(!writeRecordFile(dir.filePath("vented.TLV"), encodeSystemRecord(s)));
    s.boxValid = 0;
    QVERIFY(!writeRecordFile(dir.filePath("nothing.TLV"), encodeSystemRecord(s)));
}

// The drawn lines of an SVG file of a colour with at least `points` points.
int svgLines(const QString& svg, const QColor& color, int points)
{
    const QRegularExpression group(
        QStringLiteral("<g [^>]*stroke=\"%1\"[^>]*>\\s*<polyline[^>]*points=\"([^\"]*)\"").arg(color.name()));
    int n = 0;
    for (const QRegularExpressionMatch& m : group.globalMatch(svg))
        n += m.captured(1).split(u' ', Qt::SkipEmptyParts).size() >= points;
    return n;
}

// Driver data beside the box design's Fs, Qts and Vas: Qms 5, Re 6 ohm, Sd 220 cm², Xmax 6 mm, Pe 100 W.
const QStringList kDriverData { "--qms", "5", "--re", "6", "--sd", "220", "--xmax", "6", "--pe", "100" };
void withDriverData(analysis::DriverData& d)
{
    std::tie(d.qms, d.re, d.sd, d.xmax, d.pe) = std::tuple(5, 6, 220, 6, 100);
}

// `changes` written over `into`, object by object.
void overlay(QJsonObject& into, const QJsonObject& changes)
{
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        if (it.value().isObject()) {
            QJsonObject inner = into.value(it.key()).toObject();
            overlay(inner, it.value().toObject());
            into.insert(it.key(), inner);
        } else {
            into.insert(it.key(), it.value());
        }
    }
}

// Rows of the analysis in words as "section | caption | text", from the library and from the JSON.
QStringList rowTexts(const QVector<analysis::TextRow>& rows)
{
    QStringList texts;
    for (const analysis::TextRow& row : rows)
        texts << row.section + " | " + row.caption + " | " + row.value;
    return texts;
}

QStringList rowTexts(const QJsonArray& rows)
{
    QStringList texts;
    for (const QJsonValue& row : rows)
        texts << row["section"].toString() + " | " + row["caption"].toString() + " | " + row["text"].toString();
    return texts;
}

} // namespace

class TestCli : public WindowTest {
    Q_OBJECT
private slots:
    void initTestCase();

    void optionsAndFieldsAreTheWindowsControls();
    void referenceOutputs_data();
    void referenceOutputs();
    void textsAreTheWindowsTexts_data();
    void textsAreTheWindowsTexts();
    void exitStatus_data();
    void exitStatus();
    void showPrintsTheReferenceSystem();
    void graphWritesTheChosenFile_data();
    void graphWritesTheChosenFile();
    void reportWritesThePdf();
    void graphComparesSeveralFiles();
    void graphShowsTheRangeChosen_data();
    void graphShowsTheRangeChosen();
    void programAndCommandLineGiveTheSamePage_data();
    void programAndCommandLineGiveTheSamePage();
    void runsWithoutADisplay();
    void analyseIsTheWindowsDesign_data();
    void analyseIsTheWindowsDesign();
    void analyseComparesSeveralFilesOnOneChart();
    void analyseDrawsTheCurveChosen_data();
    void analyseDrawsTheCurveChosen();
    void driversCommands_data();
    void driversCommands();
    void datasheetInLitresGivesTheBoxOfCubicFeet();
    void emptyLibrarySaysSo();
    void writersLeaveTheEarlierFileAsItWas_data();
    void writersLeaveTheEarlierFileAsItWas();
    void readersRefuseWhatIsNoFile_data();
    void readersRefuseWhatIsNoFile();

private:
    QTemporaryDir m_data;
};

// The driver library of these tests, with the vented box's worked example.
void TestCli::initTestCase()
{
    reportFileSizeLimitAsFailure(); // as the program does, for the writers run here
    setDriverLibraryPath(m_data.filePath("drivers.json"));
    QCOMPARE(cli({ "drivers", "add", "--name", "Example W10", "--fs", "30", "--qts", ".4", "--vas", "2", "--qes", ".5",
                     "--re", "6.2" })
                 .status,
        0);
    writeComparedFiles(m_data);
}

// Every option and every printed field of a command is a control of its
// window, read from the table the window itself builds from.
void TestCli::optionsAndFieldsAreTheWindowsControls()
{
    for (const WindowCommand& command : windowCommands()) {
        designState() = DesignState();
        applyStartValues(designState());
        const char* choice = command.choice.option ? command.choice.buttons.front().second : nullptr;
        auto* window = qobject_cast<DesignWindow*>(command.open(choice));
        QVERIFY2(window, command.name);
        QCOMPARE(window->fields().data(), command.fields().data());
        const auto field = [window](const char* name) { return window->findChild<QLineEdit*>(name); };
        const auto button = [window](const char* name) { return window->findChild<QPushButton*>(name); };
        for (const FieldEntry& entry : command.fields())
            QVERIFY2(field(entry.name), entry.name);
        for (const FlagOption& flag : command.flags)
            QVERIFY2(field(flag.field), flag.option);
        for (const OptionRule& rule : command.rules) {
            const auto keyed = [&rule](const FieldEntry* input) { return qstrcmp(input->key, rule.option) == 0; };
            const auto inputs = optionFields(command);
            QVERIFY2(std::any_of(inputs.begin(), inputs.end(), keyed), rule.option);
            QVERIFY(!rule.button || button(rule.button));
        }
        QVERIFY(!command.button || button(command.button));
        QVERIFY(!command.filledWhenDesigned || field(command.filledWhenDesigned));
        QStringList options;
        for (const OptionEntry& option : optionEntries(command))
            options << option.name;
        QVERIFY2(options.removeDuplicates() == 0, qPrintable(options.join(' ')));
        delete window;
    }

    // analyse takes the driver library's parts, and each box window's
    // options under names that are not its own (--driver does both).
    QCOMPARE(driverDataOptions(), QStringList({ "qes", "qms", "re", "le", "sd", "xmax", "pe" }));
    QStringList own = driverDataOptions();
    for (const AnalyseOption& option : analyseOptions())
        own << option.name;
    for (const QString& box : analysis::boxKeys()) {
        const WindowCommand* window = findWindowCommand(box);
        QVERIFY2(window && window->takesDriver, qPrintable(box));
        for (const WindowOption& input : analyseWindowOptions(*window))
            QVERIFY2(!own.contains(input.option) || input.option == "impedance", qPrintable(box + ": " + input.option));
    }
}

// Each command's example, as text and as JSON (kept on one line), against its
// reference file. TOLVAN_WRITE_REFERENCE=1 writes the files anew.
// With --metric, against its own reference file; a window without an
// imperial unit prints in Metric what it prints in Imperial.
void TestCli::referenceOutputs_data()
{
    QTest::addColumn<QString>("reference"); // the file in tests/data/cli
    QTest::addColumn<QStringList>("example");
    QTest::addColumn<bool>("metric");
    // The volumes in litres, converted by hand: 2 and 1 cubic feet.
    const auto inMetric = [](QStringList example) {
        for (qsizetype i = 1; i + 1 < example.size(); ++i)
            if (example[i] == "--vas" || example[i] == "--vt")
                example[i + 1] = example[i + 1] == "2" ? "56.63" : "28.32";
        example.insert(1, "--metric");
        return example;
    };
    for (const WindowCommand& command : windowCommands()) {
        const QStringList example = QString(command.example).split(' ').mid(1);
        QTest::newRow(command.name) << QString(command.name) << example << false;
        QTest::addRow("%s --metric", command.name) << QString(command.name) + "-metric" << inMetric(example) << true;
    }
    const QStringList vented
        = QStringList { "analyse", "--box", "vented", "--qts", ".4", "--vas", "2", "--fs", "30" } + kDriverData;
    QTest::newRow("analyse-vented") << "analyse-vented" << vented << false;
    QTest::newRow("analyse-vented --metric") << "analyse-vented-metric" << inMetric(vented) << true;
    QTest::newRow("analyse-radiator") << "analyse-radiator"
                                      << QStringList { "analyse", "--box", "radiator", "--qts", ".4", "--vas", "2",
                                             "--fs", "30", "--vd", "1.6", "--filter", "linkwitz-riley,4,25",
                                             "--drivers", "2", "--wiring", "series" }
            + kDriverData << false;
    QTest::newRow("analyse-missing") << "analyse-missing"
                                     << QStringList { "analyse", "--box", "vented", "--qts", ".4", "--vas", "2", "--fs",
                                            "30", "--qes", ".5" }
                                     << false;
}

void TestCli::referenceOutputs()
{
    QFETCH(QString, reference);
    QFETCH(QStringList, example);
    QFETCH(bool, metric);
    QString shown;
    for (const QStringList& arguments : { example, example + QStringList { "--json" } }) {
        const Run run = cli(arguments);
        const bool json = arguments.endsWith("--json");
        shown += "$ tolvan-cli " + arguments.join(' ') + "\n"
            + (json ? QJsonDocument::fromJson(run.out.toUtf8()).toJson(QJsonDocument::Compact) + "\n" : run.out);
        for (const QString& line : run.err.split('\n', Qt::SkipEmptyParts))
            shown += "stderr: " + line + "\n";
        shown += QString("exit %1\n").arg(run.status);
    }
    QFile file(QString(TOLVAN_TEST_DATA "/cli/%1.txt").arg(reference));
    const WindowCommand* window = findWindowCommand(example.front());
    const std::span<const FieldEntry> fields = window ? window->fields() : std::span<const FieldEntry> {};
    if (metric && window && std::none_of(fields.begin(), fields.end(), [](const FieldEntry& e) {
            return showsMetric(e.unit, UnitSystem::Metric);
        })) {
        QFile imperial(QString(TOLVAN_TEST_DATA "/cli/%1.txt").arg(example.front()));
        QVERIFY(imperial.open(QIODevice::ReadOnly));
        QCOMPARE(QString(shown).remove(" --metric"), QString::fromUtf8(imperial.readAll()));
    }
    if (qEnvironmentVariableIsSet("TOLVAN_WRITE_REFERENCE")) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(shown.toUtf8());
        file.close();
    }
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    QCOMPARE(shown.split('\n'), QString::fromUtf8(file.readAll()).split('\n'));
}

void TestCli::textsAreTheWindowsTexts_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Typing>("typing");
    QTest::addColumn<QString>("button");
    QTest::addColumn<Typing>("afterwards"); // typed and left with Enter after the button
    QTest::addColumn<QByteArray>("selector"); // the selector's button that opens the window

    QTest::newRow("vented worked example")
        << QStringList { "vented", "--qts", ".4", "--vas", "2", "--fs", "30" }
        << Typing { { "szQts", ".4" }, { "szVas", "2" }, { "szFar", "30" } } << "Command1" << Typing {} << QByteArray();
    QTest::newRow("vented with another tuning")
        << QStringList { "vented", "--qts", ".4", "--vas", "2", "--fs", "30", "--fb", "25" }
        << Typing { { "szQts", ".4" }, { "szVas", "2" }, { "szFar", "30" } } << "Command1"
        << Typing { { "szFb", "25" } } << QByteArray();
    QTest::newRow("vented from the library")
        << QStringList { "vented", "--driver", "example w10" }
        << Typing { { "szWoofBox", "Example W10" }, { "szQts", ".4" }, { "szVas", "2" }, { "szFar", "30" } }
        << "Command1" << Typing {} << QByteArray();
    QTest::newRow("networks from the library, Fs given")
        << QStringList { "networks", "--driver", "Example W10", "--fs", "31" }
        << Typing { { "szName", "Example W10" }, { "szFr", "31" }, { "szQes", ".5" }, { "szRdc", "6.2" } } << "btn_Cal"
        << Typing {} << QByteArray();
    QTest::newRow("vented isobaric") << QStringList { "vented", "--isobaric", "--qts", ".4", "--vas", "2", "--fs",
        "30" } << Typing { { "szISO", "Y" }, { "szQts", ".4" }, { "szVas", "2" }, { "szFar", "30" } }
                                     << "Command1" << Typing {} << QByteArray();
    QTest::newRow("closed for volume") << QStringList { "closed", "--qts", ".35", "--vas", "2", "--fs", "30", "--qtc",
        ".707" } << Typing { { "szQts", ".35" }, { "szVas", "2" }, { "szQd", ".707" }, { "szFar", "30" } }
                                       << "btnCal" << Typing {} << QByteArray();
    QTest::newRow("closed for Qtc") << QStringList { "closed", "--qts", ".35", "--vas", "2", "--fs", "30", "--vb",
        "1" } << Typing { { "szQts", ".35" }, { "szVas", "2" }, { "szFar", "30" }, { "szVcb", "1" } }
                                    << "Command1" << Typing {} << QByteArray();
    QTest::newRow("closed refused") << QStringList { "closed", "--qts", "2", "--vas", "2", "--fs", "30" }
                                    << Typing { { "szQts", "2" }, { "szVas", "2" }, { "szFar", "30" } } << "btnCal"
                                    << Typing {} << QByteArray();
    QTest::newRow("measure") << QStringList { "measure", "--re", "6", "--fs", "30", "--zmax", "40", "--f1", "20",
        "--f2", "45", "--vt", "1", "--fct", "50" }
                             << Typing { { "szRdct", "6" }, { "szFrt", "30" }, { "szIfr", "40" }, { "szFlt", "20" },
                                    { "szFht", "45" }, { "szVtbt", "1" }, { "szFrtbt", "50" } }
                             << "Command2" << Typing {} << QByteArray();
    QTest::newRow("radiator") << QStringList { "radiator", "--qts", ".4", "--vas", "2", "--fs", "30", "--vd", "1.6" }
                              << Typing { { "szQts", ".4" }, { "szVas", "2" }, { "szFar", "30" }, { "szVd", "1.6" } }
                              << "Command1" << Typing {} << QByteArray();
    QTest::newRow("radiator refused") << QStringList { "radiator", "--qts", ".45", "--vas", "2", "--fs", "30", "--vd",
        "1.6" } << Typing { { "szQts", ".45" }, { "szVas", "2" }, { "szFar", "30" }, { "szVd", "1.6" } }
                                      << "Command1" << Typing {} << QByteArray();
    QTest::newRow("active 2-way") << QStringList { "active2", "--freq", "3000" } << Typing { { "szFrq", "3000" } }
                                  << "btnCal" << Typing {} << QByteArray();
    QTest::newRow("active 3-way") << QStringList { "active3", "--high", "3000", "--low", "500" }
                                  << Typing { { "szFrqh", "3000" }, { "szFrql", "500" } } << "btnCal" << Typing {}
                                  << QByteArray();
    QTest::newRow("networks") << QStringList { "networks", "--fs", "30", "--qes", ".4", "--qms", "3", "--re", "6",
        "--le",
        ".5" } << Typing { { "szFr", "30" }, { "szQes", ".4" }, { "szQms", "3" }, { "szRdc", "6" }, { "szL", ".5" } }
                              << "btn_Cal" << Typing {} << QByteArray();
    QTest::newRow("passive 2-way 12 dB") << QStringList { "xover2", "--slope", "12", "--freq", "3000", "--woofer", "8",
        "--tweeter", "6" } << Typing { { "szFrq", "3000" }, { "szRl", "8" }, { "szRh", "6" } }
                                         << "" << Typing {} << QByteArray("btn12db2p");
    QTest::newRow("passive 2-way 6 dB") << QStringList { "xover2", "--freq", "3000", "--woofer", "8", "--tweeter", "6" }
                                        << Typing { { "szFrq", "3000" }, { "szRl", "8" }, { "szRh", "6" } } << ""
                                        << Typing {} << QByteArray("btn6db2p");
    QTest::newRow("bandpass isobaric") << QStringList { "bandpass", "--isobaric", "--qts", ".5", "--re", "8", "--vas",
        "2", "--fs", "25", "--fl3", "25" }
                                       << Typing { { "szISOB", "Y" }, { "szQtsb", ".5" }, { "szRdcb", "8" },
                                              { "szVasb", "2" }, { "szFarb", "25" }, { "szFl3", "25" } }
                                       << "Command1" << Typing {} << QByteArray();
    QTest::newRow("bandpass refused") << QStringList { "bandpass", "--qts", ".5", "--re", "8", "--vas", "2", "--fs",
        "0", "--fl3", "25" }
                                      << Typing { { "szQtsb", ".5" }, { "szRdcb", "8" }, { "szVasb", "2" },
                                             { "szFarb", "0" }, { "szFl3", "25" } }
                                      << "Command1" << Typing {} << QByteArray();
    QTest::newRow("passive 3-way 12 dB") << QStringList { "xover3", "--slope", "12", "--high", "3000", "--low", "300",
        "--tweeter", "6", "--mid", "8", "--woofer",
        "8" } << Typing { { "szFrqh", "3000" }, { "szFrql", "300" }, { "szRh", "6" }, { "szRm", "8" }, { "szRl", "8" } }
                                         << "" << Typing {} << QByteArray("btn12db3p");
    QTest::newRow("coils") << QStringList { "coil", "--l1", "2.5", "--r1", ".4", "--l2", ".33", "--r2", ".3" }
                           << Typing { { "szR1", ".4" }, { "szL1", "2.5" }, { "szR2", ".3" }, { "szL2", ".33" } }
                           << "btn_Cal" << Typing {} << QByteArray();
    QTest::newRow("coil refused") << QStringList { "coil", "--l2", "1" } << Typing { { "szL2", "1" } } << "btn_Cal"
                                  << Typing {} << QByteArray();
    // In Metric, and with units typed with the numbers.
    QTest::newRow("vented in Metric") << QStringList { "vented", "--metric", "--qts", ".4", "--vas", "56.6337", "--fs",
        "30" } << Typing { { "szQts", ".4" }, { "szVas", "56.6337" }, { "szFar", "30" } }
                                      << "Command1" << Typing {} << QByteArray();
    QTest::newRow("vented in Metric, volume typed")
        << QStringList { "vented", "--metric", "--qts", ".4", "--vas", "56.6337", "--fs", "30", "--vb", "84.95" }
        << Typing { { "szQts", ".4" }, { "szVas", "56.6337" }, { "szFar", "30" } } << "Command1"
        << Typing { { "szVvb", "84.95" } } << QByteArray();
    QTest::newRow("vented, Vas in litres") << QStringList { "vented", "--qts", ".4", "--vas", "56.6 L", "--fs", "30" }
                                           << Typing { { "szQts", ".4" }, { "szVas", "56.6 L" }, { "szFar", "30" } }
                                           << "Command1" << Typing {} << QByteArray();
    QTest::newRow("closed in Metric, Vas in cubic feet")
        << QStringList { "closed", "--metric", "--qts", ".35", "--vas", "2 cu ft", "--fs", "30", "--qtc", ".707" }
        << Typing { { "szQts", ".35" }, { "szVas", "2 cu ft" }, { "szQd", ".707" }, { "szFar", "30" } } << "btnCal"
        << Typing {} << QByteArray();
    QTest::newRow("measure in Metric") << QStringList { "measure", "--metric", "--re", "6", "--fs", "30", "--zmax",
        "40", "--f1", "20", "--f2", "45", "--vt", "28.3168", "--fct", "50" }
                                       << Typing { { "szRdct", "6" }, { "szFrt", "30" }, { "szIfr", "40" },
                                              { "szFlt", "20" }, { "szFht", "45" }, { "szVtbt", "28.3168" },
                                              { "szFrtbt", "50" } }
                                       << "Command2" << Typing {} << QByteArray();
    QTest::newRow("coils in Metric, uH") << QStringList { "coil", "--metric", "--l1", "2500 uH", "--r1", ".4" }
                                         << Typing { { "szR1", ".4" }, { "szL1", "2500 uH" } } << "btn_Cal" << Typing {}
                                         << QByteArray();
    QTest::newRow("passive 2-way in kHz")
        << QStringList { "xover2", "--metric", "--freq", "3 kHz", "--woofer", "8", "--tweeter", "6 ohm" }
        << Typing { { "szFrq", "3 kHz" }, { "szRl", "8" }, { "szRh", "6 ohm" } } << "" << Typing {}
        << QByteArray("btn6db2p");
}

void TestCli::textsAreTheWindowsTexts()
{
    QFETCH(QStringList, arguments);
    QFETCH(Typing, typing);
    QFETCH(QString, button);
    QFETCH(Typing, afterwards);
    QFETCH(QByteArray, selector);

    const Run run = cli(arguments + QStringList { "--json" });
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    const QJsonObject fields = json["fields"].toObject();
    QVERIFY(!fields.isEmpty() || run.status == 1);
    setUnitSystem(arguments.contains("--metric") ? UnitSystem::Metric : UnitSystem::Imperial);

    // The window, typed into and pressed as a user would.
    QWidget* window = findWindowCommand(arguments[0])->open(selector.isEmpty() ? nullptr : selector.constData());
    QVERIFY(QTest::qWaitForWindowActive(window));
    messages().clear();
    for (const auto& [name, text] : typing) {
        auto* field = window->findChild<QLineEdit*>(name);
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    if (button.isEmpty())
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    else
        QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
    for (const auto& [name, text] : afterwards) {
        auto* field = window->findChild<QLineEdit*>(name);
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    const QVector<Message> shown = messages().shown;

    for (auto it = fields.begin(); it != fields.end(); ++it)
        QCOMPARE(it.value().toObject()["text"].toString(), window->findChild<QLineEdit*>(it.key())->text());
    const QJsonArray cliMessages = json["messages"].toArray();
    QCOMPARE(cliMessages.size(), shown.size());
    for (int i = 0; i < shown.size(); ++i) {
        QCOMPARE(cliMessages[i]["title"].toString(), shown[i].shownTitle());
        QCOMPARE(cliMessages[i]["text"].toString(), shown[i].prompt);
        QVERIFY(run.err.contains(shown[i].shownTitle() + ": " + shown[i].prompt));
    }
    // The rows named "refused" are the window's refusals.
    QCOMPARE(run.status, QByteArray(QTest::currentDataTag()).contains("refused") ? 1 : 0);
}

void TestCli::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stderrHas");

    QTest::newRow("design") << QStringList { "closed", "--qts=.35", "--vas", "2", "--fs", "30" } << 0 << "";
    QTest::newRow("refused with message") << QStringList { "closed", "--qts", ".35", "--vas", "2", "--fs", "30",
        "--qtc", "3" } << 1 << "Error: Must be between .5 and 1.5";
    QTest::newRow("unreadable number") << QStringList { "closed", "--qts", "abc", "--vas", "2", "--fs", "30" } << 2
                                       << "closed: --qts: must be a number, not \"abc\"";
    QTest::newRow("beyond Single") << QStringList { "vented", "--qts", ".4", "--vas", "1e999", "--fs", "30" } << 2
                                   << "--vas: 1e999 is out of range";
    QTest::newRow("negative where the window refuses one")
        << QStringList { "vented", "--qts", "-.4", "--vas", "2", "--fs", "30" } << 2 << "--qts: -.4 is negative";
    QTest::newRow("negative where the window takes one") << QStringList { "bandpass", "--qts", ".5", "--re", "-8",
        "--vas", "2", "--fs", "25", "--fl3", "25" } << 0 << "";
    QTest::newRow("hexadecimal as the window reads it") << QStringList { "active2", "--freq", "&HBB8" } << 0 << "";
    QTest::newRow("a blank inside a number, as the window reads it")
        << QStringList { "active2", "--freq", "4 .5" } << 0 << "";
    QTest::newRow("a number with more after it") << QStringList { "closed", "--qts", ".35x", "--vas", "2", "--fs",
        "30" } << 2 << "closed: --qts: must be a number, not \".35x\"";
    QTest::newRow("a result left out says why") << QStringList { "radiator", "--qts", ".4", "--vas", "2", "--fs",
        "30" } << 0 << "radiator: Suggested Radiator Volume is not printed: it needs --vd";
    QTest::newRow("no design says what it needs")
        << QStringList { "networks", "--fs", "30" } << 1 << "networks: needs --re and --le\n";
    QTest::newRow("version") << QStringList { "--version" } << 0 << "";
    QTest::newRow("measure refused") << QStringList { "measure", "--re", "6", "--fs", "30", "--zmax", "40", "--f1",
        "20", "--f2", "20", "--vt", "1", "--fct", "50" }
                                     << 1 << "Tolvan: Freq. Below and Above Can NOT Be Equal";
    QTest::newRow("unknown option") << QStringList { "closed", "--bogus", "1" } << 2 << "unknown option --bogus";
    QTest::newRow("missing value") << QStringList { "vented", "--qts" } << 2 << "needs a value";
    QTest::newRow("value for a flag") << QStringList { "vented", "--isobaric=Y" } << 2 << "takes no value";
    QTest::newRow("unknown command") << QStringList { "sealed" } << 2 << "unknown command";
    QTest::newRow("no command") << QStringList {} << 2 << "Usage:";
    QTest::newRow("show without file") << QStringList { "show" } << 2 << "name one system file";
    QTest::newRow("graph to gif") << QStringList { "graph", kReference, "-o", "x.gif" } << 2 << ".png, .svg or .pdf";
    QTest::newRow("graph without -o") << QStringList { "graph", kReference } << 2 << "-o names the file to write";
    QTest::newRow("show with -o") << QStringList { "show", kReference, "-o", "x.txt" } << 2 << "-o is for report";
    QTest::newRow("show of two files") << QStringList { "show", kReference, kReference } << 2 << "unexpected argument";
    QTest::newRow("graph without a file")
        << QStringList { "graph", "-o", "x.png" } << 2 << "name one to 8 system files";
    QTest::newRow("graph of nine files") << QStringList { "graph", "-o", "x.png" } + QStringList(9, kReference) << 2
                                         << "unexpected argument";
    QTest::newRow("graph comparing a missing file") << QStringList { "graph", kReference, "/nonexistent/x.TLV", "-o",
        "x.png" } << 1 << "/nonexistent/x.TLV: File Error: Path Not Found";

    QTest::newRow("missing file") << QStringList { "show", "/nonexistent/x.TLV" } << 1
                                  << "/nonexistent/x.TLV: File Error: Path Not Found";
    QTest::newRow("graph not written") << QStringList { "graph", kReference, "-o", "/nonexistent/g.png" } << 1
                                       << "tolvan-cli: /nonexistent/g.png: could not be written: the folder does not "
                                          "exist\n";
    QTest::newRow("report not written") << QStringList { "report", kReference, "-o", "/nonexistent/r.pdf" } << 1
                                        << "tolvan-cli: /nonexistent/r.pdf: could not be written\n";
    QTest::newRow("help") << QStringList { "vented", "--help" } << 0 << "";
    QTest::newRow("graph from above to") << QStringList { "graph", kReference, "-o", "x.png", "--from", "1k", "--to",
        "100" } << 2 << "--to at least 2 times --from";
    QTest::newRow("graph from below 10 Hz") << QStringList { "graph", kReference, "-o", "x.png", "--from", "5" } << 2
                                            << "--from and --to: 10 Hz to 100 kHz";
    QTest::newRow("graph to a word") << QStringList { "graph", kReference, "-o", "x.png", "--to", "high" } << 2
                                     << "take numbers";
    QTest::newRow("graph levels too close") << QStringList { "graph", kReference, "-o", "x.png", "--from-db", "-2",
        "--to-db", "0" } << 2 << "at least 3 dB apart";

    const QString vented = m_data.filePath("vented.TLV"), closed = m_data.filePath("closed.TLV");
    const QStringList analyse { "analyse", vented };
    QTest::newRow("analyse") << analyse + kDriverData << 0 << "";
    QTest::newRow("analyse without Sd") << analyse + QStringList { "--qms", "5", "--re", "6" } << 2
                                        << "analyse: " + vented + ": needs --sd (or --driver NAME)\n";
    QTest::newRow("analyse without driver data") << analyse << 2 << "needs --qes or --qms, --re and --sd";
    QTest::newRow("analyse with a driver that lacks Sd") << analyse + QStringList { "--driver", "example w10" } << 2
                                                         << "needs --sd; the driver \"Example W10\" has no Sd\n";
    QTest::newRow("analyse with a driver and the rest")
        << analyse + QStringList { "--driver", "Example W10", "--sd", "220" } << 0 << "";
    QTest::newRow("analyse with a driver not in the library")
        << analyse + QStringList { "--driver", "none" } << 1 << "no driver named \"none\"";
    QTest::newRow("analyse a design the file does not hold")
        << analyse + QStringList { "--box", "closed" } << 1 << "the file holds no Closed Box design to analyse";
    QTest::newRow("analyse a file without a design") << QStringList { "analyse", m_data.filePath("nothing.TLV") }
            + kDriverData << 1 << "the file hands over no box or bandpass design to analyse";
    QTest::newRow("analyse a missing file")
        << QStringList { "analyse", "/nonexistent/x.TLV" } << 1 << "/nonexistent/x.TLV: File Error: Path Not Found";
    QTest::newRow("analyse nothing") << QStringList { "analyse" } << 2 << "name one to 8 system files, or a box";
    QTest::newRow("analyse nine files") << QStringList { "analyse" } + QStringList(9, vented) << 2
                                        << "unexpected argument";
    QTest::newRow("analyse a word for volts")
        << analyse + QStringList { "--volts", "abc" } << 2 << "analyse: --volts: must be a number, not \"abc\"";
    QTest::newRow("analyse a number with more after it")
        << analyse + QStringList { "--sd", "220x" } << 2 << "--sd: must be a number, not \"220x\"";
    QTest::newRow("analyse a negative Re") << analyse + QStringList { "--re", "-6" } << 2 << "--re: -6 is not above 0";
    QTest::newRow("analyse beyond Single")
        << analyse + QStringList { "--xmax", "1e999" } << 2 << "--xmax: 1e999 is out of range";
    QTest::newRow("analyse at no distance")
        << analyse + QStringList { "--distance", "0" } << 2 << "--distance: 0 is not above 0";
    QTest::newRow("analyse volts and watts") << analyse + QStringList { "--volts", "2", "--watts", "1" } << 2
                                             << "--volts and --watts: the input is one or the other";
    QTest::newRow("analyse a port not made") << analyse + QStringList { "--port", "5" } << 2
                                             << "--port: 5 inches is not a port diameter: .5, .75, 1.0, 1.5, 2.0, "
                                                "3.0, 4.0, 6.0 or 8.0 inches";
    QTest::newRow("analyse a port not made, in Metric")
        << analyse + kDriverData + QStringList { "--metric", "--port", "100" } << 2
        << "--port: 100 mm is not a port diameter: 12.7, 19.1, 25.4, 38.1, 50.8, 76.2, 101.6, 152.4 or 203.2 mm";
    QTest::newRow("analyse a port in mm as its caption shows it")
        << analyse + kDriverData + QStringList { "--metric", "--port", "19.1" } << 0 << "";
    QTest::newRow("analyse a port with its unit typed")
        << analyse + kDriverData + QStringList { "--port", "76.2 mm", "--distance", "100 cm" } << 0 << "";
    QTest::newRow("analyse a distance of another kind") << analyse + kDriverData + QStringList { "--distance", "2 L" }
                                                        << 2 << "--distance: L is a unit of volume, not of length";
    QTest::newRow("analyse a filter of no kind")
        << analyse + QStringList { "--filter", "bessel,2,30" } << 2 << "--filter: TYPE,ORDER,FREQ";
    QTest::newRow("analyse a Linkwitz-Riley of odd order")
        << analyse + QStringList { "--filter", "linkwitz-riley,3,30" } << 2
        << "--filter: Filter Order Must be 1 to 4 (Linkwitz-Riley: 2 or 4)";
    QTest::newRow("analyse a filter at 0 Hz")
        << analyse + QStringList { "--filter", "butterworth,2,0" } << 2 << "--filter: 0 is not above 0";
    QTest::newRow("analyse too many drivers")
        << analyse + QStringList { "--drivers", "101" } << 2 << "--drivers: a whole number from 1 to 100, not \"101\"";
    QTest::newRow("analyse half a driver") << analyse + QStringList { "--drivers", "1.5" } << 2 << "--drivers:";
    QTest::newRow("analyse a wiring of no kind")
        << analyse + QStringList { "--wiring", "star" } << 2 << "--wiring: parallel or series, not \"star\"";
    QTest::newRow("analyse a curve of no kind") << analyse + QStringList { "--graph", "loudness", "-o", "x.png" } << 2
                                                << "--graph: one of spl, maxspl, excursion";
    QTest::newRow("analyse a curve without a picture")
        << analyse + QStringList { "--graph", "excursion" } << 2 << "--graph chooses the curve of a picture";
    QTest::newRow("analyse a curve the box has not")
        << QStringList { "analyse", closed, "--graph", "velocity", "-o", "/nonexistent/x.png" } + kDriverData << 2
        << "--graph velocity: a Closed Box has no port velocity";
    QTest::newRow("analyse the maximum SPL without Pe")
        << analyse + QStringList { "--qms", "5", "--re", "6", "--sd", "220", "--graph", "maxspl", "-o", "x.png" } << 2
        << "--graph maxspl needs --xmax and --pe";
    QTest::newRow("analyse QL of a closed box")
        << QStringList { "analyse", closed, "--ql", "5" } << 2 << "--ql: a Closed Box has no box losses";
    QTest::newRow("analyse a radiator of a vented box") << analyse + QStringList { "--radiator-xmax", "12" } << 2
                                                        << "--radiator-xmax: a Vented Box has no passive radiator";
    QTest::newRow("analyse to gif") << analyse + QStringList { "-o", "x.gif" } << 2
                                    << "-o names a .png, .svg, .pdf, .csv, .frd or .zma file";
    QTest::newRow("analyse two files into one FRD")
        << analyse + QStringList { closed, "-o", "x.frd" } << 2 << "-o x.frd holds the curves of one design";
    QTest::newRow("analyse not written") << analyse + kDriverData + QStringList { "-o", "/nonexistent/a.frd" } << 1
                                         << "tolvan-cli: /nonexistent/a.frd: could not be written: the folder does "
                                            "not exist\n";
    QTest::newRow("analyse a box of no kind") << QStringList { "analyse", "--box", "sealed", "--qts", ".4" } << 2
                                              << "--box is closed, vented, radiator or bandpass, not \"sealed\"";
    QTest::newRow("analyse a box window's input with a file")
        << analyse + QStringList { "--box", "vented", "--fb", "25" } << 2
        << "--fb is an input of the vented window: it goes with --box and no file";
    QTest::newRow("analyse the bandpass impedance without its box")
        << analyse + QStringList { "--impedance", "8" } << 2 << "--impedance is the bandpass window's input";
    QTest::newRow("analyse a box the window refuses")
        << QStringList { "analyse", "--box", "closed", "--qts", "2", "--vas", "2", "--fs", "30" } + kDriverData << 1
        << "Error: Qts Must be Less Than Qtc";
    QTest::newRow("analyse a box window's unreadable input")
        << QStringList { "analyse", "--box", "closed", "--qts", "abc" } << 2 << "--qts: must be a number, not \"abc\"";
    QTest::newRow("analyse Qes below Qts") << QStringList { "analyse", "--box", "vented", "--qts", ".4", "--vas", "2",
        "--fs", "30", "--qes", ".3", "--re", "6", "--sd", "220" }
                                           << 1 << "Error: Qes Must be Greater Than Qts";
    QTest::newRow("analyse help") << QStringList { "analyse", "--help" } << 0 << "";
    QTest::newRow("graph above 10 dB") << QStringList { "graph", kReference, "-o", "x.png", "--to-db", "20" } << 2
                                       << "--from-db and --to-db: -20 to 10 dB";
}

void TestCli::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, stderrHas);
    const Run run = cli(arguments);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(stderrHas), qPrintable(run.err));
}

void TestCli::showPrintsTheReferenceSystem()
{
    const Run text = cli({ "show", kReference });
    QCOMPARE(text.status, 0);
    QVERIFY(text.out.contains("qts: 1.25\n"));
    QVERIFY(text.out.contains("boxType: -1\n"));
    QVERIFY(text.out.contains(QString::fromUtf8("driverName: Woofer Gr\xc3\xb6\xc3\x9f"
                                                "e\n")));

    const QJsonObject fields
        = QJsonDocument::fromJson(cli({ "show", kReference, "--json" }).out.toUtf8())["fields"].toObject();
    QCOMPARE(fields.size(), 67);
    QCOMPARE(fields["fs"]["value"].toDouble(), 30.0);
    QCOMPARE(fields["driverName"]["text"].toString().size(), 30);
    QVERIFY(fields["driverName"]["value"].isNull());
}

void TestCli::graphWritesTheChosenFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("png") << "g.png" << QByteArray("\x89PNG");
    QTest::newRow("svg") << "g.svg" << QByteArray("<?xml");
    QTest::newRow("pdf") << "g.pdf" << QByteArray("%PDF");
}

void TestCli::graphWritesTheChosenFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QCOMPARE(cli({ "graph", kReference, "-o", path, "--width", "640", "--height", "320" }).status, 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5).startsWith(start));
    if (name.endsWith(".png"))
        QCOMPARE(QImage(path).size(), QSize(640, 320));
}

void TestCli::graphComparesSeveralFiles()
{
    QTemporaryDir dir;
    writeComparedFiles(dir);
    const QString svg = dir.filePath("compare.svg");
    const Run run = cli({ "graph", dir.filePath("closed.TLV"), dir.filePath("vented.TLV"), "-o", svg });
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    // Two box curves, each in its colour, and a legend that names both files and designs.
    QCOMPARE(svgLines(text, chart::comparedColor(0), 20), 1);
    QCOMPARE(svgLines(text, chart::comparedColor(1), 20), 1);
    QVERIFY(text.contains(QString::fromUtf8(">closed: Test woofer, closed 0.94 ft\u00b3</text>")));
    QVERIFY(text.contains(QString::fromUtf8(">vented: Test woofer, vented 2.16 ft\u00b3</text>")));
    QVERIFY(!text.contains("Box Design")); // no current design, no title

    // One file as the graph window draws it: no legend.
    file.close();
    QCOMPARE(cli({ "graph", dir.filePath("vented.TLV"), "-o", svg }).status, 0);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString alone = QString::fromUtf8(file.readAll());
    QVERIFY(alone.contains("Vented Box Design"));
    QVERIFY(!alone.contains("ft\u00b3"));
    QCOMPARE(svgLines(alone, chart::comparedColor(0), 2), 0);

    const Run nothing = cli({ "graph", dir.filePath("closed.TLV"), dir.filePath("nothing.TLV"), "-o", svg });
    QCOMPARE(nothing.status, 1);
    QVERIFY2(nothing.err.contains("nothing.TLV hands over no box or bandpass design to draw"), qPrintable(nothing.err));
}

void TestCli::graphShowsTheRangeChosen_data()
{
    QTest::addColumn<QStringList>("range"); // the options
    QTest::addColumn<double>("x"); // world x of a frequency's grid line: the pixel of a 2000 by 1000 image
    QTest::addColumn<double>("y"); // world y of a level's grid line
    // The box range: 100 Hz halfway across the plot, 0 dB two thirds up.
    QTest::newRow("box range, 100 Hz and 0 dB")
        << QStringList { "--from", "10", "--to", "1k" } << 1025.0 << 100 + 800 * 20 / 30.0;
    QTest::newRow("crossover range, 1 kHz and -10 dB")
        << QStringList { "--from", "100", "--to", "20k" } << 100 + 1850 / std::log10(200) << 100 + 800 * 10 / 30.0;
    // A decade: 2 kHz is a minor line; -10 to 5 dB in 1 dB steps.
    QTest::newRow("a decade, 2 kHz and -1 dB")
        << QStringList { "--from", "1000", "--to", "10K", "--from-db", "-10", "--to-db", "5" }
        << 100 + 1850 * std::log10(2) << 100 + 800 * 9 / 15.0;
}

// A frequency and a level where the axis says, in the written image; no
// line a little beside either.
void TestCli::graphShowsTheRangeChosen()
{
    QFETCH(QStringList, range);
    QFETCH(double, x);
    QFETCH(double, y);
    QTemporaryDir dir;
    writeComparedFiles(dir);
    const QString png = dir.filePath("range.png");
    const Run run = cli(
        QStringList { "graph", dir.filePath("vented.TLV"), "-o", png, "--width", "2000", "--height", "1000" } + range);
    QCOMPARE(run.status, 0);
    const QImage image(png);
    const auto grey = [&](double wx, double wy) {
        const QColor c = image.pixelColor(int(wx), int(1000 - wy));
        return c.red() == c.green() && c.green() == c.blue() && c.red() < 250;
    };
    // The vertical line high in the plot, the horizontal one near its right end.
    QVERIFY2(grey(x, 880) || grey(x + 1, 880), qPrintable(QString::number(x)));
    QVERIFY(!grey(x + 9, 885) && !grey(x - 9, 885));
    QVERIFY2(grey(1940, y) || grey(1940, y + 1), qPrintable(QString::number(y)));
    QVERIFY(!grey(1940, y + 12) && !grey(1940, y - 12));
}

void TestCli::reportWritesThePdf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    const Run run = cli({ "report", kReference, "-o", path });
    QCOMPARE(run.status, 0);
    QProcess text;
    text.start("pdftotext", { path, "-" });
    QVERIFY(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(words.contains("Bandpass Box Design (Isobaric)") && words.contains("Optional Coil = 1.2 mH"),
        qPrintable(words));
    QCOMPARE(cli({ "report", kReference, "-o", dir.filePath("report.png") }).status, 2);
}

// A box window's design analysed by the command line, against the same
// window worked by a user and left with Exit: the same design handed over,
// the input the options say, the library's figures in words and its files
// byte for byte; and the design saved and analysed from its file the same.
void TestCli::analyseIsTheWindowsDesign_data()
{
    QTest::addColumn<QStringList>("window"); // the box command and its options
    QTest::addColumn<Typing>("typing");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("options"); // analyse's own, besides the driver data
    QTest::addColumn<QByteArray>("changes"); // what they change in the input (analysis/inputjson.h)

    QTest::newRow("closed, 10 W at 2 m") << QStringList { "closed", "--qts", ".35", "--vas", "2", "--fs", "30", "--qtc",
        ".707" } << Typing { { "szQts", ".35" }, { "szVas", "2" }, { "szQd", ".707" }, { "szFar", "30" } }
                                         << "btnCal" << QStringList { "--watts", "10", "--distance", "2" }
                                         << QByteArray(R"({"drive": {"unit": "watts", "level": 10, "distance": 2}})");
    QTest::newRow("vented, QL 10, a 3 inch port and a filter")
        << QStringList { "vented", "--qts", ".4", "--vas", "2", "--fs", "30" }
        << Typing { { "szQts", ".4" }, { "szVas", "2" }, { "szFar", "30" } } << "Command1"
        << QStringList { "--ql", "10", "--port", "3.0", "--filter", "Butterworth,2,25" }
        << QByteArray(
               R"({"box": {"ql": 10, "port": 5}, "filter": {"type": "butterworth", "order": 2, "frequency": 25}})");
    QTest::newRow("passive radiator, its Sd and Xmax, two drivers in series")
        << QStringList { "radiator", "--qts", ".4", "--vas", "2", "--fs", "30", "--vd", "1.6" }
        << Typing { { "szQts", ".4" }, { "szVas", "2" }, { "szFar", "30" }, { "szVd", "1.6" } } << "Command1"
        << QStringList { "--radiator-sd", "300", "--radiator-xmax", "12", "--drivers", "2", "--wiring", "series" }
        << QByteArray(R"({"box": {"radiator": {"sd": 300, "xmax": 12}}, "drivers": {"count": 2, "wiring": "series"}})");
    QTest::newRow("bandpass, its impedance the driver's Re")
        << QStringList { "bandpass", "--qts", ".5", "--vas", "2", "--fs", "25", "--fl3", "25" }
        << Typing { { "szQtsb", ".5" }, { "szRdcb", "6" }, { "szVasb", "2" }, { "szFarb", "25" }, { "szFl3", "25" } }
        << "Command1" << QStringList {} << QByteArray("{}");
    QTest::newRow("bandpass isobaric, an impedance of its own")
        << QStringList { "bandpass", "--isobaric", "--qts", ".5", "--impedance", "8", "--vas", "2", "--fs", "25",
               "--fl3", "25" }
        << Typing { { "szISOB", "Y" }, { "szQtsb", ".5" }, { "szRdcb", "8" }, { "szVasb", "2" }, { "szFarb", "25" },
               { "szFl3", "25" } }
        << "Command1" << QStringList { "--volts", "10" } << QByteArray(R"({"drive": {"level": 10}})");
}

void TestCli::analyseIsTheWindowsDesign()
{
    QFETCH(QStringList, window);
    QFETCH(Typing, typing);
    QFETCH(QString, button);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, changes);
    const QStringList analyse = QStringList { "analyse", "--box" } + window + kDriverData + options;
    const Run run = cli(analyse + QStringList { "--json" });
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const SystemRecord handedOver = encodeSystemRecord(designState());
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();

    freshDesignState();
    QWidget* box = findWindowCommand(window[0])->open(nullptr);
    QVERIFY(QTest::qWaitForWindowActive(box));
    for (const auto& [name, text] : typing) {
        auto* field = box->findChild<QLineEdit*>(name);
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    QTest::mouseClick(box->findChild<QPushButton*>(button), Qt::LeftButton);
    const QPointer<QWidget> exiting(box);
    QTest::mouseClick(box->findChild<QPushButton*>("btnExit"), Qt::LeftButton);
    QTRY_VERIFY(!exiting); // gone before the command line opens its own
    QCOMPARE(encodeSystemRecord(designState()), handedOver);

    const auto which = window[0] == "bandpass" ? analysis::HandedOver::Bandpass : analysis::HandedOver::Box;
    std::optional<analysis::AnalysisInput> exited = analysis::handedOverAnalysis(designState(), which);
    QVERIFY(exited);
    withDriverData(exited->driver);
    QJsonObject expected = analysis::inputJson(*exited);
    overlay(expected, QJsonDocument::fromJson(changes).object());
    const std::optional<analysis::AnalysisInput> input = analysis::inputFromJson(expected);
    QVERIFY(input);
    QCOMPARE(analysis::inputFromJson(json["input"]), input);
    const analysis::AnalysisResult result = analysis::analyse(*input);
    QVERIFY(result.valid());
    QCOMPARE(rowTexts(json["design"].toArray()), rowTexts(analysis::designRows(*input)));
    QCOMPARE(rowTexts(json["figures"].toArray()), rowTexts(analysis::figureRows(result)));
    QCOMPARE(json["label"].toString(), analysis::analysisLabel(*input));
    for (const QJsonValue row : json["figures"].toArray())
        if (row["caption"] == "F3")
            QVERIFY(qAbs(row["value"].toDouble() / *result.figures.f3 - 1) < 0.005);
    // As text, the same rows under their sections.
    const Run text = cli(analyse);
    QVERIFY(text.out.contains("\nResponse\nSensitivity: " + analysis::figureRows(result).first().value + "\n"));

    QTemporaryDir dir;
    using analysis::ExportFormat;
    for (const auto& [suffix, format] : { std::pair(".csv", ExportFormat::Csv), std::pair(".frd", ExportFormat::Frd),
             std::pair(".zma", ExportFormat::Zma) }) {
        const QString file = dir.filePath(QString("analysed") + suffix);
        const Run written = cli(analyse + QStringList { "-o", file });
        QCOMPARE(written.status, 0);
        QCOMPARE(written.out, file + "\n");
        QCOMPARE(readFile(file), analysis::exportText(format, *input, result));
    }

    const QString saved = dir.filePath("saved.TLV");
    QVERIFY(!writeRecordFile(saved, handedOver));
    const Run fromFile = cli(QStringList { "analyse", saved, "--json" } + kDriverData + options);
    QCOMPARE(fromFile.status, 0);
    const QJsonObject fileJson = QJsonDocument::fromJson(fromFile.out.toUtf8()).object();
    QCOMPARE(analysis::inputFromJson(fileJson["input"]), input);
    QCOMPARE(fileJson["file"].toString(), saved);
}

// Several files' designs analysed alike: on one chart, each in its colour
// with a legend that names its file and design, and as text one after the other.
void TestCli::analyseComparesSeveralFilesOnOneChart()
{
    const QString closed = m_data.filePath("closed.TLV"), vented = m_data.filePath("vented.TLV");
    QTemporaryDir dir;
    const QString svg = dir.filePath("excursion.svg");
    const Run run
        = cli(QStringList { "analyse", closed, vented, "--graph", "excursion", "-o", svg, "--pe", "50" } + kDriverData);
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QCOMPARE(run.err, QString());
    const QString drawn = QString::fromUtf8(readFile(svg));
    QCOMPARE(svgLines(drawn, chart::comparedColor(0), 100), 1);
    QCOMPARE(svgLines(drawn, chart::comparedColor(1), 100), 1);
    QCOMPARE(svgLines(drawn, Qt::black, 100), 0); // no current design
    QVERIFY(drawn.contains(QString::fromUtf8(">closed: Test woofer, closed 0.94 ft\u00b3</text>")));
    QVERIFY(drawn.contains(QString::fromUtf8(">vented: Test woofer, vented 2.16 ft\u00b3</text>")));
    QVERIFY(drawn.contains(">Excursion (mm)</text>"));

    const Run text = cli(QStringList { "analyse", closed, vented } + kDriverData);
    QCOMPARE(text.status, 0);
    QVERIFY2(text.out.startsWith(closed + ":\nBox\nType: Closed Box\n"), qPrintable(text.out));
    QVERIFY(text.out.contains("\n\n" + vented + ":\nBox\nType: Vented Box\n"));
    const QJsonArray designs = QJsonDocument::fromJson(
        cli(QStringList { "analyse", closed, vented, "--json" } + kDriverData).out.toUtf8())["designs"]
                                   .toArray();
    QCOMPARE(designs.size(), 2);
    QCOMPARE(designs[1]["file"].toString(), vented);

    const Run nothing = cli(QStringList { "analyse", closed, m_data.filePath("nothing.TLV"), "-o", svg } + kDriverData);
    QCOMPARE(nothing.status, 1);
    QVERIFY2(
        nothing.err.contains("nothing.TLV: the file hands over no box or bandpass design"), qPrintable(nothing.err));
}

void TestCli::analyseDrawsTheCurveChosen_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("texts"); // in the SVG file
    QTest::newRow("the SPL by default") << QStringList {}
                                        << QStringList { "SPL (dB)", "Test woofer, vented 2.16 ft\u00b3" };
    QTest::newRow("the maximum SPL with the SPL") << QStringList { "--graph",
        "maxspl" } << QStringList { "Max SPL, SPL (dB)", "Max SPL, limited by Xmax", "SPL" };
    QTest::newRow("the excursion with Xmax, at 20 W") << QStringList { "--graph", "excursion", "--watts",
        "20" } << QStringList { "Excursion (mm)", "Xmax 6 mm", "Test woofer, vented 2.16 ft\u00b3, 20 W" };
    QTest::newRow("the port's velocity with its limit")
        << QStringList { "--graph", "VELOCITY" } << QStringList { "Port velocity (m/s)", "17 m/s" };
    QTest::newRow("the impedance with its phase")
        << QStringList { "--graph", "impedance" } << QStringList { "Impedance (ohm)", "Impedance phase (deg)" };
    QTest::newRow("the group delay, two drivers in parallel") << QStringList { "--graph", "delay", "--drivers",
        "2" } << QStringList { "Group delay (ms)", "Test woofer, vented 2.16 ft\u00b3, 2 in parallel" };
    QTest::newRow("with the curve kept beside the file")
        << QStringList { "--graph", "excursion", "--kept" } << QStringList { "Excursion (mm)", "kept at 50 W" };
}

// One file's design: the curve chosen, what is drawn with it, the title
// that names the design; the analysis curves kept beside the file with it.
void TestCli::analyseDrawsTheCurveChosen()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, texts);
    QTemporaryDir dir;
    const QString file = dir.filePath("vented.TLV");
    QVERIFY(QFile::copy(m_data.filePath("vented.TLV"), file));
    if (options.removeAll("--kept")) {
        analysis::AnalysisInput at50 = *analysis::handedOverAnalysis(handedover::comparedClosedBox());
        withDriverData(at50.driver);
        at50.drive = { analysis::DriveUnit::Watts, 50, 1 };
        KeptAnalysisCurves kept;
        keepAnalysisCurve(kept, analysisCurveToKeep(at50, analysis::CurveKind::Excursion));
        kept.first().label = "kept at 50 W";
        QVERIFY(!saveKeptCurvesBeside(file, {}, kept));
    }
    const QString svg = dir.filePath("chart.svg");
    const Run run = cli(QStringList { "analyse", file, "-o", svg } + kDriverData + options);
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QString drawn = QString::fromUtf8(readFile(svg));
    for (const QString& text : texts)
        QVERIFY2(drawn.contains(">" + text + "</text>"), qPrintable(text));
    QVERIFY(svgLines(drawn, Qt::black, 100) >= 1); // the design itself
    QCOMPARE(svgLines(drawn, chart::comparedColor(0), 100), texts.contains("kept at 50 W") ? 1 : 0);
}

// One session with the library, row after row.
void TestCli::driversCommands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // on stdout, or on stderr when refused

    const QString csv = m_data.filePath("out.csv");
    QTest::newRow("add") << QStringList { "drivers", "add", "--name", "Woofer", "--fs", "25", "--qts", ".35", "--vas",
        "3.5", "--vd", "1.2", "--note", "a, b" }
                         << 0 << QString::fromUtf8("Saved: Woofer \xe2\x80\x94 Fs 25 Hz");
    QTest::newRow("add a name again") << QStringList { "drivers", "add", "--name", "WOOFER", "--fs", "1", "--qts", "1",
        "--vas", "1" } << 1 << "is in the library already. --replace replaces it.";
    QTest::newRow("add without Vas") << QStringList { "drivers", "add", "--name", "x", "--fs", "1", "--qts", "1" } << 1
                                     << "The driver cannot be saved: Vas is missing.";
    QTest::newRow("add a word for a number")
        << QStringList { "drivers", "add", "--name", "x", "--fs", "thirty" } << 1 << "--fs is not a number: \"thirty\"";
    QTest::newRow("list matching") << QStringList { "drivers", "list", "woo" } << 0
                                   << QString::fromUtf8("Woofer \xe2\x80\x94 Fs 25 Hz, Qts .35, Vas 3.5 ft\xc2\xb3\n");
    QTest::newRow("show") << QStringList { "drivers", "show", "woofer" } << 0
                          << QString::fromUtf8("Vas: 3.5 ft\xc2\xb3\nVd: 1.2 10\xe2\x81\xbb\xe2\x81\xb4 m\xc2\xb3\n");
    QTest::newRow("show as JSON") << QStringList { "drivers", "show", "Woofer", "--json" } << 0 << "\"vd\": 1.2";
    QTest::newRow("export") << QStringList { "drivers", "export", csv } << 0 << "2 drivers written to";
    QTest::newRow("remove") << QStringList { "drivers", "remove", "woofer" } << 0 << "Removed: woofer";
    QTest::newRow("remove again") << QStringList { "drivers", "remove", "woofer" } << 1 << "No driver named \"woofer\"";
    QTest::newRow("import the export")
        << QStringList { "drivers", "import", csv } << 0
        << "1 added, 1 skipped as duplicates, 0 refused as invalid.\n"
           "Skipped line 2 \"Example W10\": a driver of this name is in the library already.";
    QTest::newRow("import as JSON, nothing added")
        << QStringList { "drivers", "import", csv, "--json" } << 1 << "no driver was added";
    QTest::newRow("import nothing") << QStringList { "drivers", "import", "/nonexistent.csv" } << 1
                                    << "/nonexistent.csv cannot be imported";
    QTest::newRow("a driver not in the library")
        << QStringList { "closed", "--driver", "none" } << 1 << "no driver named \"none\" is in the driver library";
    QTest::newRow("unknown action") << QStringList { "drivers", "sort" } << 2 << "unknown action";
    QTest::newRow("show without a name") << QStringList { "drivers", "show" } << 2 << "show takes";
    QTest::newRow("add the same again") << QStringList { "drivers", "add", "--name", "Example W10", "--fs", "30",
        "--qts", ".4", "--vas", "2", "--qes", ".5", "--re", "6.2", "--replace" }
                                        << 0 << "Saved already, unchanged: Example W10";

    const QString refused = m_data.filePath("refused.csv");
    writeFile(refused, "name,fs,qts,vas\nbad,-1,.4,2\n\x1b[31mRed,30,.4,2\n");
    QTest::newRow("import of refused rows only") << QStringList { "drivers", "import", refused } << 1
                                                 << "0 added, 0 skipped as duplicates, 2 refused as invalid.";
    QTest::newRow("a terminal escape is shown, never sent") << QStringList { "drivers", "import",
        refused } << 1 << "Refused line 3 \"\\x1B[31mRed\": Name holds a control character.";
    QTest::newRow("add a name with a terminal escape")
        << QStringList { "drivers", "add", "--name", "\x1b]0;x\x07", "--fs", "30", "--qts", ".4", "--vas", "2" } << 1
        << "Name holds a control character";
    QTest::newRow("show a name with a terminal escape")
        << QStringList { "drivers", "show", "\x1b[2J" } << 1 << "no driver named \"\\x1B[2J\"";

    QTest::newRow("add a name beginning with -") << QStringList { "drivers", "add", "--name", "-W1", "--fs", "30",
        "--qts", ".4", "--vas", "2" } << 0 << "Saved: -W1";
    QTest::newRow("show it, the options ended with --")
        << QStringList { "drivers", "show", "--", "-W1" } << 0 << "Name: -W1\n";
    QTest::newRow("show it as an option") << QStringList { "drivers", "show", "-W1" } << 2
                                          << "unknown option -W1 (a name beginning with \"-\" goes after --)";
    QTest::newRow("remove it, the options ended with --")
        << QStringList { "drivers", "remove", "--", "-W1" } << 0 << "Removed: -W1";

    QTest::newRow("add a driver without Re and Le") << QStringList { "drivers", "add", "--name", "Bare W8", "--fs",
        "40", "--qts", ".5", "--vas", "1" } << 0 << "Saved: Bare W8";
    QTest::newRow("a design from it names what it lacks") << QStringList { "networks", "--driver",
        "bare w8" } << 1 << "networks: needs --re and --le; the driver \"Bare W8\" has neither";
    QTest::newRow("analysed with it, the design's Fs, Qts and Vas rule")
        << QStringList { "analyse", m_data.filePath("vented.TLV"), "--driver", "bare w8" } + kDriverData << 0
        << "Name: Bare W8\nFs: 30 Hz\nQts: 0.4\n";
    QTest::newRow("add a driver with every value") << QStringList { "drivers", "add", "--name", "Full W10", "--fs",
        "30", "--qts", ".4", "--vas", "2", "--qes", ".5", "--re", "6", "--sd", "220", "--xmax", "6", "--pe", "100" }
                                                   << 0 << "Saved: Full W10";
    QTest::newRow("show its Sd, Xmax and Pe") << QStringList { "drivers", "show", "full w10" } << 0
                                              << QString::fromUtf8("Sd: 220 cm\u00b2\nXmax: 6 mm\nPe: 100 W\n");
    QTest::newRow("a box window's design analysed with it")
        << QStringList { "analyse", "--box", "vented", "--driver", "full w10" } << 0
        << QString::fromUtf8("Name: Full W10\nFs: 30 Hz\nQts: 0.4\nVas: 2 ft\u00b3 (56.6 L)\nQes: 0.5\nQms: not "
                             "given\nRe: 6 ohm\nSd: 220 cm\u00b2\nXmax: 6 mm\nPe: 100 W\n");
    QTest::newRow("picking it leaves the value given")
        << QStringList { "networks", "--driver", "bare w8", "--re", "6" } << 0 << "Series Notch Filter";

    // The values in the units chosen, or with a unit of their own.
    QTest::newRow("add in Metric") << QStringList {
        "drivers", "add", "--metric", "--name", "Metric W8", "--fs", "40", "--qts", ".5", "--vas", "56.6"
    } << 0 << QString::fromUtf8("Saved: Metric W8 \xe2\x80\x94 Fs 40 Hz, Qts .5, Vas 56.6 L");
    QTest::newRow("show it in Metric") << QStringList { "drivers", "show", "Metric W8", "--metric" } << 0
                                       << "Vas: 56.6 L\n";
    QTest::newRow("show it in Imperial") << QStringList { "drivers", "show", "Metric W8" } << 0
                                         << QString::fromUtf8("Vas: 1.99881013643625 ft\xc2\xb3\n");
    QTest::newRow("add with the unit typed") << QStringList { "drivers", "add", "--name", "Typed W8", "--fs", ".04 kHz",
        "--qts", ".5", "--vas", "56.6 L", "--le", "500 uH" }
                                             << 0 << QString::fromUtf8("Vas 1.99881013643625 ft\xc2\xb3");
    QTest::newRow("add with a unit of another kind") << QStringList { "drivers", "add", "--name", "x", "--fs", "30 mm",
        "--qts", ".5", "--vas", "2" } << 1 << "--fs: mm is a unit of length, not of frequency";
    QTest::newRow("a window's option with a unit of another kind")
        << QStringList { "vented", "--qts", ".4", "--vas", "2 cm", "--fs", "30" } << 2
        << "vented: --vas: cm is a unit of length, not of volume: give the volume in Cubic Feet";
    QTest::newRow("a unit for a plain number") << QStringList { "closed", "--metric", "--qts", ".35 L", "--vas", "56",
        "--fs", "30" } << 2 << "closed: --qts: L is a unit of volume: give a plain number, without a unit.";
}

void TestCli::driversCommands()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    const Run run = cli(arguments);
    QCOMPARE(run.status, status);
    QVERIFY2((status == 0 ? run.out : run.err).contains(output), qPrintable(run.out + run.err));
    // A name never drives the terminal.
    QVERIFY(!run.out.contains(QChar(0x1b)) && !run.err.contains(QChar(0x1b)));
}

// A datasheet's CSV in litres and the same driver typed in cubic feet give
// the same box.
void TestCli::datasheetInLitresGivesTheBoxOfCubicFeet()
{
    const QString csv = m_data.filePath("datasheet.csv");
    writeFile(csv, "Name,Manufacturer,Fs (Hz),Qts,Vas (L),Re,Le (mH)\nDatasheet 10,Acme,27,.38,62.5,5.6,.9\n");
    const Run imported = cli({ "drivers", "import", csv });
    QCOMPARE(imported.status, 0);
    QVERIFY2(imported.out.contains(QString::fromUtf8("Vas read in L and kept in ft\u00b3")), qPrintable(imported.out));
    const Run picked = cli({ "vented", "--driver", "Datasheet 10" });
    const Run typed = cli({ "vented", "--fs", "27", "--qts", ".38", "--vas",
        QString::number(62.5 / units::kLitresPerCubicFoot, 'g', 17) });
    QCOMPARE(picked.status, 0);
    QVERIFY(picked.out.startsWith("Vented Box Volume: 2.06 Cubic Feet\n")); // not 72.55 cubic feet
    QCOMPARE(picked.out, typed.out);
    // Typed with its unit, or in Metric, the datasheet's litres give the same box.
    QCOMPARE(cli({ "vented", "--fs", "27", "--qts", ".38", "--vas", "62.5 L" }).out, picked.out);
    const Run inMetric = cli({ "vented", "--metric", "--driver", "Datasheet 10" });
    QVERIFY2(inMetric.out.startsWith("Vented Box Volume: 58.34 Litres\n"), qPrintable(inMetric.out));
    QCOMPARE(cli({ "vented", "--metric", "--fs", "27", "--qts", ".38", "--vas", "62.5" }).out, inMetric.out);
    QVERIFY(cli({ "drivers", "show", "Datasheet 10", "--metric" }).out.contains("Vas: 62.5 L\n"));
}

void TestCli::emptyLibrarySaysSo()
{
    QTemporaryDir none;
    setDriverLibraryPath(none.filePath("drivers.json"));
    const Run listed = cli({ "drivers", "list" });
    const Run picked = cli({ "closed", "--driver", "any" });
    setDriverLibraryPath(m_data.filePath("drivers.json"));
    QCOMPARE(listed.status, 0);
    QCOMPARE(listed.out, QString());
    QVERIFY2(listed.err.contains("holds no drivers"), qPrintable(listed.err));
    QCOMPARE(picked.status, 1);
    QVERIFY2(picked.err.contains("which holds no drivers"), qPrintable(picked.err));
    QVERIFY(!QFile::exists(none.filePath("drivers.json")));
}

// Every writer under every fault: the earlier file stays byte for byte and
// the failure names the file and why; a pipe is never written to; a
// symbolic link leads to the real file, which is written, the link kept.
void TestCli::writersLeaveTheEarlierFileAsItWas_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("fault");
    for (const char* writer :
        { "drivers add", "drivers remove", "drivers import", "drivers export json", "drivers export csv", "graph png",
            "graph svg", "graph pdf", "report pdf", "kept curves", "analyse frd", "analyse png" })
        for (const char* fault : { "file-size limit", "pipe", "symbolic link" })
            QTest::addRow("%s, %s", writer, fault) << QString(writer) << QString(fault);
}

void TestCli::writersLeaveTheEarlierFileAsItWas()
{
    QFETCH(QString, writer);
    QFETCH(QString, fault);
    QTemporaryDir dir;
    const QString dataHome = dir.filePath("data");
    const QString library = dataHome + "/Tolvan/drivers.json";
    QVERIFY(QDir().mkpath(dataHome + "/Tolvan") && QDir().mkpath(dir.filePath("real")));
    // Large enough that every file written is beyond the limit.
    QVector<DriverRecord> drivers;
    for (int i = 1; i <= 3; ++i) {
        DriverRecord driver;
        driver.name = QString("Old %1").arg(i);
        std::tie(driver.fs, driver.qts, driver.vas) = std::tuple(30.0, 0.4, 2.0);
        driver.note = QString(200, u'n');
        drivers << driver;
    }
    QVERIFY(writeFile(library, writeDriversJson(drivers)));
    QVERIFY(writeFile(dir.filePath("in.csv"), "name,fs,qts,vas,note\nNew,30,.4,2," + QByteArray(200, 'n') + '\n'));

    const QString suffix = writer.section(' ', -1);
    const bool toLibrary = writer == "drivers add" || writer == "drivers remove" || writer == "drivers import";
    const QString target = toLibrary ? library
        : writer == "kept curves"    ? keptCurvesFileFor(dir.filePath("w.TLV"))
                                     : dir.filePath("out." + suffix);
    const QByteArray earlier = toLibrary ? readFile(library) : QByteArray("the earlier file\n");
    QString real = target;
    if (fault == "symbolic link") {
        real = dir.filePath("real/" + QFileInfo(target).fileName());
        QVERIFY(writeFile(real, earlier));
        QFile::remove(target);
        QVERIFY(QFile::link(real, target));
    } else if (fault == "pipe") {
        QVERIFY(makeSpecial(target, "pipe"));
    } else {
        QVERIFY(writeFile(target, earlier));
    }

    constexpr rlim_t kLimit = 512; // bytes
    Run run;
    if (writer == "kept curves") {
        // Written from the program's own process: the limit is lowered in this one.
        struct rlimit original { };
        ::getrlimit(RLIMIT_FSIZE, &original);
        struct rlimit limited = original;
        limited.rlim_cur = fault == "file-size limit" ? kLimit : original.rlim_cur;
        ::setrlimit(RLIMIT_FSIZE, &limited);
        const std::optional<Message> problem = saveKeptCurvesBeside(dir.filePath("w.TLV"), threeKeptCurves());
        ::setrlimit(RLIMIT_FSIZE, &original);
        run.status = problem ? 1 : 0;
        run.err = problem ? problem->prompt : QString();
    } else {
        QStringList arguments = writer.split(' ').mid(0, 2);
        if (writer == "drivers add")
            arguments << "--name"
                      << "New"
                      << "--fs"
                      << "30"
                      << "--qts"
                      << ".4"
                      << "--vas"
                      << "2"
                      << "--note" << QString(200, u'n');
        else if (writer == "drivers remove")
            arguments << "Old 1";
        else if (writer == "drivers import")
            arguments << dir.filePath("in.csv");
        else if (writer.startsWith("drivers export"))
            arguments << target;
        else if (writer.startsWith("analyse"))
            arguments = QStringList { "analyse", kReference, "-o", target } + kDriverData;
        else
            arguments = QStringList { arguments[0], kReference, "-o", target };
        run = program(arguments, dataHome, fault == "file-size limit" ? kLimit : 0);
    }

    const QStringList leftOver
        = QDir(QFileInfo(real).absolutePath()).entryList({ "*.tolvan-*" }, QDir::Hidden | QDir::Files);
    QVERIFY2(leftOver.isEmpty(), qPrintable(leftOver.join(' ')));
    if (fault == "symbolic link") {
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY(QFileInfo(target).isSymLink());
        const QByteArray now = readFile(real);
        QVERIFY(!now.isEmpty() && now != earlier);
        return;
    }
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(QFileInfo(target).fileName()), qPrintable(run.err));
    if (fault == "pipe") {
        QVERIFY2(run.err.contains("pipe (FIFO)"), qPrintable(run.err));
        QVERIFY(isPipe(target));
    } else {
        QVERIFY2(run.err.contains("the file would be larger than this system allows"), qPrintable(run.err));
        QCOMPARE(readFile(target), earlier);
    }
}

// Every reader at what is no file: refused by name, at once.
void TestCli::readersRefuseWhatIsNoFile_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("special");
    for (const char* reader : { "driver library", "drivers import", "kept curves", "system file" })
        for (const char* special : { "pipe", "endless zeros", "folder" })
            QTest::addRow("%s, %s", reader, special) << QString(reader) << QString(special);
}

void TestCli::readersRefuseWhatIsNoFile()
{
    QFETCH(QString, reader);
    QFETCH(QString, special);
    if (special == "endless zeros" && !QFileInfo::exists("/dev/zero"))
        QSKIP("this machine has no /dev/zero");
    QTemporaryDir dir;
    const QString dataHome = dir.filePath("data");
    QVERIFY(QDir().mkpath(dataHome + "/Tolvan"));
    QVERIFY(QFile::copy(kReference, dir.filePath("w.TLV")));
    QString where;
    QStringList arguments;
    if (reader == "driver library") {
        where = dataHome + "/Tolvan/drivers.json";
        arguments = QStringList { "drivers", "list" };
    } else if (reader == "drivers import") {
        where = dir.filePath("special.csv");
        arguments = QStringList { "drivers", "import", where };
    } else if (reader == "kept curves") {
        where = keptCurvesFileFor(dir.filePath("w.TLV"));
        arguments = QStringList { "show", dir.filePath("w.TLV") };
    } else {
        where = dir.filePath("special.TLV");
        arguments = QStringList { "show", where };
    }
    QVERIFY(makeSpecial(where, special));
    const Run run = program(arguments, dataHome);
    QVERIFY2(run.status >= 0, "the program did not end");
    const QString kind = special == "pipe" ? "it is a pipe (FIFO), not a file"
        : special == "folder"              ? "it is a folder, not a file"
                                           : "it is a device, not a file";
    if (reader == "system file")
        QVERIFY2(run.err.contains("Path/File Access Error"), qPrintable(run.err));
    else
        QVERIFY2(run.err.contains(QFileInfo(where).fileName()) && run.err.contains(kind), qPrintable(run.err));
    // The design itself is loaded without the curves beside it.
    QCOMPARE(run.status, reader == "kept curves" ? 0 : 1);
    QVERIFY(isSpecial(where, special));
}

void TestCli::programAndCommandLineGiveTheSamePage_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("report") << "report"
                            << ".pdf";
    QTest::newRow("graph") << "graph"
                           << ".png";
}

// The reference design, loaded with "Load System" and printed with "Print Box
// Data" or drawn and saved in the graph window, against the command line.
void TestCli::programAndCommandLineGiveTheSamePage()
{
    QFETCH(QString, command);
    QFETCH(QString, suffix);
    QTemporaryDir dir;
    const QString program = dir.filePath("program" + suffix), line = dir.filePath("line" + suffix);
    auto* main = new FrmTlv;
    main->show();
    files().answerNext(kReference);
    QTest::mouseClick(main->findChild<QPushButton*>("BtnLoad"), Qt::LeftButton);
    if (command == "report") {
        PrinterRecorder printers;
        printers.answerPdfFile(program);
        QTest::mouseClick(main->findChild<QPushButton*>("Command4"), Qt::LeftButton);
    } else {
        auto* graph = openWindow<CBGRAPH1>();
        QTest::mouseClick(graph->findChild<QPushButton*>("btnDraw"), Qt::LeftButton);
        files().answerNext(program);
        QVERIFY(graph->saveGraph(CBGRAPH1::GraphFile::Png));
    }
    QCOMPARE(cli({ command, kReference, "-o", line }).status, 0);
    const QList<QImage> pages = pageImages(program);
    QVERIFY(!pages.isEmpty());
    QCOMPARE(pageImages(line), pages);
}

// The program itself, started with no display and no platform chosen.
void TestCli::runsWithoutADisplay()
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(env);
    process.start(TOLVAN_CLI, { "vented", "--qts", ".4", "--vas", "2", "--fs", "30" });
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(out.startsWith("Vented Box Volume: 2.16 Cubic Feet\n"), qPrintable(out));
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), QString());
    // TOLVAN_UNITS chooses the units (the Vas of 2 is then 2 litres); --imperial goes before it.
    for (const auto& [units, option, status, shown] : { std::tuple("metric", "", 0, "Vented Box Volume: 2.16 Litres\n"),
             std::tuple("Metric", "--imperial", 0, "Vented Box Volume: 2.16 Cubic Feet\n"),
             std::tuple("cubits", "", 2, "tolvan-cli: TOLVAN_UNITS is metric or imperial, not \"cubits\"\n") }) {
        env.insert("TOLVAN_UNITS", units);
        process.setProcessEnvironment(env);
        QStringList arguments { "vented", "--qts", ".4", "--vas", "2", "--fs", "30" };
        if (*option)
            arguments << option;
        process.start(TOLVAN_CLI, arguments);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), status);
        const QString said
            = QString::fromUtf8(status ? process.readAllStandardError() : process.readAllStandardOutput());
        QVERIFY2(said.startsWith(shown), qPrintable(said));
    }
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
