// The analysis window through its controls: a closed and a vented worked
// example designed in their windows and handed over by the context menu or
// through the graph's Analysis button; every curve of the chooser and the
// figures equal the library's analysis of the same design; a keystroke
// redraws at once; what is missing is named in the window, never in a
// message box; Ctrl+L fills the driver's data; what was typed is there
// again on reopening; the note of a driver changed since the design; the
// chart saved as PNG, SVG and PDF; the passive radiator and the bandpass
// design; a filter ahead and several drivers change the curves as the
// library does; Keep keeps the shown curve beside the system file; Print
// puts the figures on the page.
#include "analysis/analysis.h"
#include "analysis/box.h"
#include "analysis/describe.h"
#include "analysis/handover.h"
#include "core/designstate.h"
#include "core/driverlibrary.h"
#include "core/systemfile.h"
#include "design/workedexamples.h"
#include "graph/CBGRAPH1.h"
#include "graph/keptanalysis.h"
#include "graph/keptcurvefile.h"
#include "graph/pixels.h"
#include "platform/pageview.h"
#include "platform/unitchoice.h"
#include "support/printerrecorder.h"
#include "support/windowtest.h"
#include "ui/FrmBand.h"
#include "ui/driverdialogs.h"
#include "ui/frmAnalysis.h"
#include "ui/frmClose.h"
#include "ui/frmRadiator.h"
#include "ui/frmVented.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using Texts = QMap<QString, QString>; // field -> text

namespace {

using analysis::AnalysisInput;
using Kind = analysis::CurveKind;

// The driver's data a builder types from a datasheet.
const Texts kDatasheet { { "szQes", ".5" }, { "szRe", "6.2" }, { "szLe", ".8" }, { "szSd", "330" }, { "szXmax", "6" },
    { "szPe", "100" } };

enum class Box { Closed, Vented, Radiator, Bandpass };
enum class Route { ContextMenu, Shortcut, GraphButton };

struct Example {
    Box box;
    int index; // of worked::kClosed, kVented, kRadiator or kBandpass
};

// The bandpass examples' Qts is .5: their Qes is above it.
const Texts kBandpassQes { { "szQes", ".55" } };
// A radiator's own, typed for the radiator examples.
const Texts kRadiatorTyped { { "szRadiatorSd", "250" }, { "szRadiatorXmax", "10" } };

// The worked example's volume (and tuning) as the box window handed them
// over, to the last digit it showed.
bool handedOverAsShown(const Example& e)
{
    const DesignState& s = designState();
    const auto asShown = [](float value, const QString& text) { return qAbs(value - text.toDouble()) <= 0.005; };
    switch (e.box) {
    case Box::Closed:
        return asShown(s.closedVb, worked::kClosed[e.index].shown[0]);
    case Box::Vented:
        return asShown(s.closedVb, worked::kVented[e.index].shown[0])
            && asShown(s.ventedFb, worked::kVented[e.index].shown[2]);
    case Box::Radiator:
        return asShown(s.closedVb, worked::kRadiator[e.index].shown[3])
            && asShown(s.ventedFb, worked::kRadiator[e.index].shown[1]);
    case Box::Bandpass:
        return asShown(s.bandSealedVb, worked::kBandpass[e.index].shown[1])
            && asShown(s.bandFb, worked::kBandpass[e.index].shown[3]);
    }
    return false;
}

// The worked example's design, as the library takes it from the datasheet:
// the driver as typed in the box window and here, the box as handed over.
AnalysisInput expectedInput(const Example& e)
{
    const DesignState& s = designState();
    AnalysisInput in;
    in.driver = { s.fs, s.qts, s.vas, 0.5, 0, 6.2, 330, 6, 100, 0.8 };
    in.drivers.isobaric = s.isoFactor < 1;
    switch (e.box) {
    case Box::Closed:
        in.box = analysis::ClosedBoxSetup { s.closedVb };
        break;
    case Box::Vented:
        in.box = analysis::VentedBoxSetup { s.closedVb, s.ventedFb, analysis::kDefaultQl,
            analysis::defaultPort(s.ventedFb, s.closedVb) };
        break;
    case Box::Radiator:
        in.box
            = analysis::RadiatorBoxSetup { s.closedVb, s.ventedFb, analysis::kDefaultQl, { 250, 10, s.radiatorVpr } };
        break;
    case Box::Bandpass:
        in.driver = { s.bandFs, s.bandQts, s.bandVas, 0.55, 0, 6.2, 330, 6, 100, 0.8 };
        in.drivers.isobaric = s.bandIsoFactor < 1;
        in.box = analysis::BandpassBoxSetup { s.bandSealedVb, s.bandVentedVb, s.bandFb, analysis::kDefaultQl,
            analysis::defaultPort(s.bandFb, s.bandVentedVb) };
        break;
    }
    return in;
}

// The curve's values at the chart's frequencies; empty when there is none.
QVector<double> valuesOf(const AnalysisChart& chart, Kind curve)
{
    const analysis::Curve* c = chart.designs.isEmpty() ? nullptr : chart.designs.first().result.curve(curve);
    return c ? c->values : QVector<double> {};
}

QStringList curvesOf(const QComboBox* chooser)
{
    QStringList out;
    for (int i = 0; i < chooser->count(); ++i)
        out << chooser->itemText(i);
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Example)
Q_DECLARE_METATYPE(Route)
Q_DECLARE_METATYPE(analysis::HighPass)
Q_DECLARE_METATYPE(analysis::Drivers)

class TestFrmAnalysis : public WindowTest {
    Q_OBJECT
private slots:
    void init()
    {
        WindowTest::init();
        QFile::remove(m_dir.filePath("drivers.json"));
        setDriverLibraryPath(m_dir.filePath("drivers.json"));
        keptAnalysisCurves().clear();
    }

    void controlsHelpAndMetricTooltips_data();
    void controlsHelpAndMetricTooltips();
    void withoutABoxItSaysSo();
    void everyCurveAndTheFiguresAgreeWithTheLibrary_data();
    void everyCurveAndTheFiguresAgreeWithTheLibrary();
    void aKeystrokeRedrawsAtOnce();
    void missingDataIsNamedInTheWindow_data();
    void missingDataIsNamedInTheWindow();
    void ctrlLFillsTheDriverData();
    void typedDataIsThereOnReopening();
    void aDriverChangedSinceTheDesignIsNoted();
    void chartSavesAsPngSvgAndPdf_data();
    void chartSavesAsPngSvgAndPdf();
    void filterAndDriversChangeTheCurvesAsTheLibrary_data();
    void filterAndDriversChangeTheCurvesAsTheLibrary();
    void theLastDesignHandedOverIsShownAndTheOtherChosen();
    void keepKeepsTheShownCurveBesideTheSystemFile_data();
    void keepKeepsTheShownCurveBesideTheSystemFile();
    void printPutsTheDesignAndFiguresOnThePage_data();
    void printPutsTheDesignAndFiguresOnThePage();

private:
    // Designs the worked example in its window and opens the analysis the way given.
    frmAnalysis* designAndAnalyse(const Example& e, Route route = Route::ContextMenu);
    frmAnalysis* typeDatasheet(frmAnalysis* window, const Texts& texts = kDatasheet);
    QLineEdit* edit(const QString& name) const { return m_window->findChild<QLineEdit*>(name); }
    QString label(const char* name) const { return m_window->findChild<QLabel*>(name)->text(); }
    QComboBox* chooser(const char* name) const { return m_window->findChild<QComboBox*>(name); }
    // Chooses the item of that text, as a click in the list does.
    void choose(const char* name, const QString& item)
    {
        QComboBox* box = chooser(name);
        QVERIFY2(box->isEnabled(), name);
        box->setCurrentIndex(box->findText(item));
        QVERIFY2(box->currentIndex() >= 0, qPrintable(item));
        emit box->activated(box->currentIndex());
    }
    void click(const char* name) { QTest::mouseClick(m_window->findChild<QPushButton*>(name), Qt::LeftButton); }

    QTemporaryDir m_dir;
    frmAnalysis* m_window = nullptr;
};

frmAnalysis* TestFrmAnalysis::designAndAnalyse(const Example& e, Route route)
{
    DesignWindow* box = nullptr;
    if (e.box == Box::Closed) {
        WindowProbe<frmClose> w;
        box = w.open();
        w.type({ "szISO", "szQts", "szVas", "szFar", "szQd" }, worked::kClosed[e.index].typed);
        w.click("btnCal");
    } else if (e.box == Box::Vented) {
        WindowProbe<frmVented> w;
        box = w.open();
        w.type({ "szISO", "szQts", "szVas", "szFar" }, worked::kVented[e.index].typed);
        w.click("Command1");
    } else if (e.box == Box::Radiator) {
        WindowProbe<frmRadiator> w;
        box = w.open();
        w.type({ "szISO", "szQts", "szVas", "szVd" }, worked::kRadiator[e.index].typed);
        w.type("szFar", "30");
        w.click("Command1");
    } else {
        // The bandpass window hands its whole design over on Exit; the analysis then opens on it.
        WindowProbe<FrmBand> w;
        w.open();
        w.type({ "szISOB", "szQtsb", "szFarb", "szFl3", "szRdcb" }, worked::kBandpass[e.index].typed);
        w.type("szVasb", "2");
        w.click("Command1");
        w.click("btnExit");
        messages().clear();
        m_window = WindowProbe<frmAnalysis>().open();
        return m_window;
    }
    messages().clear(); // the closed box warns of its cut-off
    switch (route) {
    case Route::ContextMenu:
        box->findChild<QAction*>("actAnalysis")->trigger();
        break;
    case Route::Shortcut:
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        break;
    case Route::GraphButton: {
        QTest::mouseClick(box->findChild<QPushButton*>("btnGraph"), Qt::LeftButton);
        CBGRAPH1* graph = existingWindow<CBGRAPH1>();
        if (!graph || !QTest::qWaitForWindowActive(graph))
            return nullptr;
        QTest::mouseClick(graph->findChild<QPushButton*>("btnAnalysis"), Qt::LeftButton);
        break;
    }
    }
    m_window = existingWindow<frmAnalysis>();
    if (m_window && !QTest::qWaitForWindowActive(m_window))
        return nullptr;
    return m_window;
}

frmAnalysis* TestFrmAnalysis::typeDatasheet(frmAnalysis* window, const Texts& texts)
{
    for (auto it = texts.begin(); it != texts.end(); ++it)
        window->findChild<QLineEdit*>(it.key())->setText(it.value());
    return window;
}

// In Metric (chosen with the window open), the volumes are in litres and the
// port diameters in mm; the datasheet's metric values stay as they are.
void TestFrmAnalysis::controlsHelpAndMetricTooltips_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("vas");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QString>("port");
    QTest::newRow("Imperial") << false
                              << QString::fromUtf8(
                                     "Vented Box of 2.16 ft\u00b3 tuned to 28.74 Hz, for Qts .4, Vas 2, Fs 30")
                              << " 2"
                              << "56.6 L"
                              << "4.0 Inches";
    QTest::newRow("Metric") << true << "Vented Box of 61.25 L tuned to 28.74 Hz, for Qts .4, Vas 56.633693, Fs 30"
                            << " 56.633693"
                            << ""
                            << "101.6 mm";
}

void TestFrmAnalysis::controlsHelpAndMetricTooltips()
{
    QFETCH(bool, metric);
    QFETCH(QString, design);
    QFETCH(QString, vas);
    QFETCH(QString, tooltip);
    QFETCH(QString, port);
    designAndAnalyse({ Box::Vented, 0 });
    QVERIFY(m_window);
    if (metric)
        chooseUnits(UnitSystem::Metric);
    QCOMPARE(m_window->windowTitle(), QString("Analysis"));
    // Which box and driver, as the vented window showed them.
    QCOMPARE(label("lblDesign"), design);
    QCOMPARE(chooser("cboPort")->currentText(), port);
    QCOMPARE(edit("szVas")->text(), vas);
    for (const FieldEntry& entry : frmAnalysis::fieldTable())
        QVERIFY2(edit(entry.name), entry.name);
    for (const char* name :
        { "cboCurve", "cboLevelUnit", "cboPort", "cboDesign", "cboFilter", "cboFilterOrder", "cboWiring" })
        QVERIFY2(chooser(name), name);
    for (const char* name : { "btnKeep", "btnPrint", "btnExport", "btnExit" })
        QVERIFY2(m_window->findChild<QPushButton*>(name), name);
    // A vented box has no radiator.
    QVERIFY(!edit("szRadiatorSd")->isEnabled() && !edit("szRadiatorXmax")->isEnabled());
    QVERIFY(m_window->findChild<PageView*>("Graph1"));
    QVERIFY(!m_window->findChild<QPushButton*>("btnCal")); // live: nothing to press
    // The design's driver, shown and not typed into; its Vas in litres too.
    QCOMPARE(edit("szQts")->text(), QString(" .4"));
    QVERIFY(edit("szFs")->isReadOnly() && edit("szQts")->isReadOnly() && edit("szVas")->isReadOnly());
    QCOMPARE(edit("szVas")->toolTip(), tooltip);
    QCOMPARE(edit("szLevel")->text(), QString("2.83"));
    QCOMPARE(edit("szDistance")->text(), QString("1"));
    QCOMPARE(edit("szQL")->text(), QString("7"));
    QCOMPARE(chooser("cboPort")->count(), 9);
    QVERIFY(chooser("cboPort")->isEnabled());
    QTest::keyClick(m_window, Qt::Key_F1);
    QCOMPARE(help().topics, QStringList { "frmAnalysis" });
    QVERIFY(QFile::exists(":/help/frmAnalysis.html"));
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmAnalysis::withoutABoxItSaysSo()
{
    m_window = WindowProbe<frmAnalysis>().open();
    QVERIFY(label("lblDesign").startsWith("No box design handed over"));
    QVERIFY(m_window->chart().designs.isEmpty());
    QVERIFY(!m_window->analysedInput());
    QVERIFY(!m_window->saveChart(PageFile::Png));
    QVERIFY(messages().shown.isEmpty());
    // Keep and Print say why they do nothing, before any printer is asked for.
    PrinterRecorder printers;
    click("btnKeep");
    click("btnPrint");
    QCOMPARE(messages().prompts(), QStringList(2, "Nothing to Keep or Print: Hand Over a Box Design First"));
    QCOMPARE(printers.requests, 0);
    QVERIFY(keptAnalysisCurves().isEmpty());
}

void TestFrmAnalysis::everyCurveAndTheFiguresAgreeWithTheLibrary_data()
{
    QTest::addColumn<Example>("example");
    QTest::addColumn<Route>("route");
    QTest::addColumn<QStringList>("curves");
    const QStringList closed { "SPL", "Maximum SPL", "Cone Excursion", "Impedance and Phase", "Amplifier Current",
        "Apparent Power", "Acoustic Phase", "Group Delay" };
    QStringList vented = closed, radiator = closed;
    vented.insert(3, "Port Air Velocity");
    radiator.insert(3, "Radiator Excursion");
    QTest::newRow("closed, from the context menu") << Example { Box::Closed, 0 } << Route::ContextMenu << closed;
    QTest::newRow("closed isobaric, by Ctrl+Shift+A") << Example { Box::Closed, 2 } << Route::Shortcut << closed;
    QTest::newRow("vented, through the graph") << Example { Box::Vented, 0 } << Route::GraphButton << vented;
    QTest::newRow("vented isobaric, from the context menu")
        << Example { Box::Vented, 1 } << Route::ContextMenu << vented;
    QTest::newRow("passive radiator, from the context menu")
        << Example { Box::Radiator, 0 } << Route::ContextMenu << radiator;
    QTest::newRow("passive radiator isobaric, through the graph")
        << Example { Box::Radiator, 1 } << Route::GraphButton << radiator;
    QTest::newRow("bandpass, on Exit") << Example { Box::Bandpass, 0 } << Route::ContextMenu << vented;
    QTest::newRow("bandpass isobaric, on Exit") << Example { Box::Bandpass, 1 } << Route::ContextMenu << vented;
}

void TestFrmAnalysis::everyCurveAndTheFiguresAgreeWithTheLibrary()
{
    QFETCH(Example, example);
    QFETCH(Route, route);
    QFETCH(QStringList, curves);
    QVERIFY(designAndAnalyse(example, route));
    typeDatasheet(m_window);
    if (example.box == Box::Bandpass)
        typeDatasheet(m_window, kBandpassQes);
    if (example.box == Box::Radiator)
        typeDatasheet(m_window, kRadiatorTyped);
    QVERIFY(handedOverAsShown(example));
    const AnalysisInput expected = expectedInput(example);
    QCOMPARE(m_window->analysedInput()->driver, expected.driver);
    QCOMPARE(m_window->analysedInput()->box, expected.box);
    QCOMPARE(m_window->analysedInput()->drivers, expected.drivers);
    const analysis::AnalysisResult library = analysis::analyse(expected);
    QVERIFY(library.valid());

    QComboBox* curve = chooser("cboCurve");
    QCOMPARE(curvesOf(curve), curves);
    curve->setFocus();
    for (int i = 0; i < curve->count(); ++i) {
        if (i > 0)
            QTest::keyClick(curve, Qt::Key_Down);
        const AnalysisChart& chart = m_window->chart();
        QCOMPARE(chart.designs.size(), 1);
        const analysis::AnalysisResult& shown = chart.designs.first().result;
        QCOMPARE(shown.frequencies, library.frequencies);
        for (const auto kind : { std::optional(chart.curve), chart.also }) {
            if (!kind)
                continue;
            QVERIFY2(shown.curve(*kind), qPrintable(curve->currentText()));
            QCOMPARE(shown.curve(*kind)->values, library.curve(*kind)->values);
        }
        // Drawn: the curve in black, the limit line of the excursion and the port in red.
        const Page& page = m_window->findChild<PageView*>("Graph1")->page();
        QVERIFY2(linesOf(page, Qt::black) > 0, qPrintable(curve->currentText()));
        const bool limited = chart.curve == Kind::Excursion || chart.curve == Kind::PortVelocity
            || chart.curve == Kind::RadiatorExcursion;
        QCOMPARE(linesOf(page, chart::color(4)) > 0, limited);
        if (chart.curve == Kind::Excursion)
            QVERIFY(page.findText("Xmax 6 mm"));
        if (chart.curve == Kind::RadiatorExcursion)
            QVERIFY(page.findText("Xmax 10 mm"));
        if (chart.curve == Kind::PortVelocity)
            QVERIFY(page.findText("17 m/s"));
        QVERIFY(page.findText(analysis::analysisLabel(expected)));
    }
    // The figures beside the chart, each as the library states it.
    const QString figures = label("lblFigures");
    const QVector<analysis::TextRow> rows = analysis::figureRows(library);
    QVERIFY(rows.size() > 10);
    for (const analysis::TextRow& row : rows) {
        QVERIFY2(figures.contains(row.caption.toHtmlEscaped()), qPrintable(row.caption));
        QVERIFY2(figures.contains(row.value.toHtmlEscaped()), qPrintable(row.caption + ": " + row.value));
    }
    QVERIFY(label("lblDesign").contains(analysis::boxName(expected.box)));
    QVERIFY(label("lblMessages").isEmpty());
    QVERIFY(messages().shown.isEmpty());
}

// No Calculate: each key redraws the chart and states the figures again.
void TestFrmAnalysis::aKeystrokeRedrawsAtOnce()
{
    typeDatasheet(designAndAnalyse({ Box::Vented, 0 }));
    QComboBox* curve = chooser("cboCurve");
    curve->setCurrentIndex(curve->findText("Cone Excursion"));
    emit curve->activated(curve->currentIndex());
    const std::vector<PageItem> before = m_window->findChild<PageView*>("Graph1")->page().items();
    const QString figures = label("lblFigures");
    QLineEdit* level = edit("szLevel");
    level->setFocus();
    level->end(false);
    QTest::keyClick(level, Qt::Key_Backspace); // 2.83 V -> 2.8 V
    QCOMPARE(m_window->chart().designs.first().input.drive.level, 2.8);
    QVERIFY(m_window->findChild<PageView*>("Graph1")->page().items() != before);
    QVERIFY(label("lblFigures") != figures);
    QCOMPARE(designState().analysisLevel, 2.8f);
    // Watts into Re instead of volts: the same number, another input.
    QTest::keyClick(chooser("cboLevelUnit"), Qt::Key_Down);
    QCOMPARE(m_window->chart().designs.first().input.drive.unit, analysis::DriveUnit::Watts);
    // Another port: the velocity follows at once.
    QTest::keyClick(chooser("cboPort"), Qt::Key_Up);
    const auto& vented = std::get<analysis::VentedBoxSetup>(m_window->chart().designs.first().input.box);
    QCOMPARE(vented.port, analysis::defaultPort(28.74, 2.16) - 1);
    QCOMPARE(designState().analysisPort, vented.port);
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmAnalysis::missingDataIsNamedInTheWindow_data()
{
    QTest::addColumn<Texts>("typed");
    QTest::addColumn<QString>("said");
    QTest::addColumn<bool>("curves");
    QTest::newRow("nothing typed") << Texts {} << "Missing Driver Data: Qes or Qms, Re, Sd" << false;
    QTest::newRow("Qms instead of Qes, Sd missing")
        << Texts { { "szQms", "3" }, { "szRe", "6" } } << "Missing Driver Data: Sd" << false;
    QTest::newRow("no limits") << Texts { { "szQes", ".5" }, { "szRe", "6" }, { "szSd", "330" } }
                               << "The maximum SPL and the Xmax figures need Xmax and Pe." << true;
    QTest::newRow("Pe alone missing") << Texts { { "szQes", ".5" }, { "szRe", "6" }, { "szSd", "330" },
        { "szXmax", "6" } } << "The maximum SPL and the Xmax figures need Pe."
                                      << true;
    Texts disagreeing = kDatasheet;
    disagreeing["szQms"] = "1";
    QTest::newRow("Qes and Qms disagree with Qts")
        << disagreeing << "Qes and Qms give a Qts of .333, the design has .4" << true;
    Texts silent = kDatasheet;
    silent["szLevel"] = "";
    QTest::newRow("the input emptied") << silent << "Input Must be Greater Than 0" << false;
    Texts nowhere = kDatasheet;
    nowhere["szDistance"] = "0";
    QTest::newRow("a distance of 0") << nowhere << "Distance Must be Greater Than 0" << false;
    Texts below = kDatasheet;
    below["szQes"] = ".3";
    QTest::newRow("Qes below Qts") << below << "Qes Must be Greater Than Qts" << false;
}

void TestFrmAnalysis::missingDataIsNamedInTheWindow()
{
    QFETCH(Texts, typed);
    QFETCH(QString, said);
    QFETCH(bool, curves);
    typeDatasheet(designAndAnalyse({ Box::Vented, 0 }), typed);
    QVERIFY2(label("lblMessages").contains(said), qPrintable(label("lblMessages")));
    QCOMPARE(m_window->chart().designs.first().result.valid(), curves);
    QCOMPARE(label("lblFigures").isEmpty(), !curves);
    QVERIFY(messages().shown.isEmpty()); // in the window, never a box on each key
}

void TestFrmAnalysis::ctrlLFillsTheDriverData()
{
    DriverRecord driver;
    driver.name = "Datasheet woofer";
    driver.fs = 30, driver.qts = 0.4, driver.vas = 2, driver.qes = 0.45, driver.qms = 4, driver.re = 6.4;
    driver.le = 0.7, driver.sd = 330, driver.xmax = 6.5, driver.pe = 150;
    QVERIFY(driverLibrary().store(driver, DriverLibrary::Existing::Refuse).done());
    designAndAnalyse({ Box::Vented, 0 });
    designState().fs = 31; // the design's driver rules: the library's Fs is not taken
    QTest::keyClick(m_window, Qt::Key_L, Qt::ControlModifier);
    DriverPickDialog* picker = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<DriverPickDialog*>(w); dialog && dialog->isVisible())
            picker = dialog;
    QVERIFY(picker);
    QTest::keyClick(picker->table()->filter(), Qt::Key_Return);
    QTRY_VERIFY(!picker->isVisible());
    const Texts filled { { "szDriver", "Datasheet woofer" }, { "szQes", ".45" }, { "szQms", "4" }, { "szRe", "6.4" },
        { "szLe", ".7" }, { "szSd", "330" }, { "szXmax", "6.5" }, { "szPe", "150" }, { "szFs", " 30" },
        { "szQts", " .4" }, { "szVas", " 2" } };
    for (auto it = filled.begin(); it != filled.end(); ++it)
        QCOMPARE(edit(it.key())->text(), it.value());
    const AnalysisInput shown = m_window->chart().designs.first().input;
    QCOMPARE(shown.driver.xmax, 6.5);
    QCOMPARE(shown.driver.pe, 150.0);
    QCOMPARE(shown.driverName, QString("Datasheet woofer"));
    QVERIFY(m_window->chart().designs.first().result.valid());
    // Both Qs given and in agreement with Qts within 2 %: no warning.
    QCOMPARE(label("lblMessages"), QString());
    QVERIFY(messages().shown.isEmpty());
}

// Qes, Qms and Re are the measured driver's; the rest is kept for the
// session, apart from the system file.
void TestFrmAnalysis::typedDataIsThereOnReopening()
{
    typeDatasheet(designAndAnalyse({ Box::Closed, 0 }));
    edit("szDistance")->setText("2");
    QTest::keyClick(chooser("cboCurve"), Qt::Key_Down);
    QTest::mouseClick(m_window->findChild<QPushButton*>("btnExit"), Qt::LeftButton);
    QTRY_VERIFY(!existingWindow<frmAnalysis>());
    const DesignState& s = designState();
    QCOMPARE(s.qes, 0.5f);
    QCOMPARE(s.re, 6.2f);
    QCOMPARE(s.analysisSd, 330.0f);
    QCOMPARE(s.analysisXmax, 6.0f);

    m_window = WindowProbe<frmAnalysis>().open();
    for (const auto& [name, text] : kDatasheet.toStdMap())
        QCOMPARE(edit(name)->text().trimmed(), text);
    QCOMPARE(edit("szDistance")->text().trimmed(), QString("2"));
    QCOMPARE(chooser("cboCurve")->currentText(), QString("Maximum SPL"));
    QCOMPARE(m_window->chart().curve, Kind::MaxSpl);
    QCOMPARE(m_window->chart().designs.first().input.drive.distance, 2.0);
}

void TestFrmAnalysis::aDriverChangedSinceTheDesignIsNoted()
{
    typeDatasheet(designAndAnalyse({ Box::Closed, 0 }));
    QCOMPARE(label("lblNote"), QString());
    delete m_window;
    designState().qts = 0.3f; // a measurement after the design
    m_window = WindowProbe<frmAnalysis>().open();
    QCOMPARE(label("lblNote"), QString("Designed for Qts .35, Vas 2, Fs 30; drawn for Qts .3, Vas 2, Fs 30"));
    QCOMPARE(edit("szQts")->text(), QString(" .3"));
    QCOMPARE(m_window->chart().designs.first().input.driver.qts, double(0.3f));
}

void TestFrmAnalysis::chartSavesAsPngSvgAndPdf_data()
{
    QTest::addColumn<bool>("exported"); // by Export..., else by the chart's context menu
    QTest::addColumn<PageFile>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("begins"); // empty: refused with a message
    QTest::newRow("PNG") << false << PageFile::Png << "chart.png" << QByteArray("\x89PNG");
    QTest::newRow("SVG") << false << PageFile::Svg << "chart.svg" << QByteArray("<?xml");
    QTest::newRow("PDF, the suffix added") << false << PageFile::Pdf << "chart" << QByteArray("%PDF");
    QTest::newRow("exported FRD") << true << PageFile::Png << "box.frd" << QByteArray("*");
    QTest::newRow("exported CSV") << true << PageFile::Png << "box.csv" << QByteArray("Frequency (Hz),SPL (dB)");
    QTest::newRow("exported PDF") << true << PageFile::Png << "box.pdf" << QByteArray("%PDF");
    QTest::newRow("exported to a name of no known kind") << true << PageFile::Png << "box.txt" << QByteArray();
}

void TestFrmAnalysis::chartSavesAsPngSvgAndPdf()
{
    QFETCH(bool, exported);
    QFETCH(PageFile, kind);
    QFETCH(QString, file);
    QFETCH(QByteArray, begins);
    typeDatasheet(designAndAnalyse({ Box::Vented, 0 }));
    files().answerNext(m_dir.filePath(file));
    QCOMPARE(exported ? m_window->exportAnalysis() : m_window->saveChart(kind), !begins.isEmpty());
    QFile saved(m_dir.filePath(file.contains('.') ? file : file + ".pdf"));
    if (begins.isEmpty()) {
        QVERIFY(!saved.exists());
        QCOMPARE(messages().shown.size(), 1);
        QVERIFY(messages().last().prompt.startsWith("The analysis could not be exported as"));
        return;
    }
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().startsWith(begins));
    if (kind == PageFile::Png && !exported)
        QCOMPARE(QImage(saved.fileName()).size(), QSize(1600, 800));
    QVERIFY(messages().shown.isEmpty());

    // With TOLVAN_WRITE_PICTURES=1 the window becomes the README's picture.
    if (exported || kind != PageFile::Png || qEnvironmentVariableIntValue("TOLVAN_WRITE_PICTURES") != 1)
        return;
    edit("szDriver")->setText("Example W10");
    QComboBox* curve = chooser("cboCurve");
    curve->setCurrentIndex(curve->findText("Maximum SPL"));
    emit curve->activated(curve->currentIndex());
    QVERIFY(m_window->grab().save(QStringLiteral(TOLVAN_TEST_DATA "/../../docs/analysis-window.png")));
}

// Column "setup": "chooser=item" or "field=text", in order.
void TestFrmAnalysis::filterAndDriversChangeTheCurvesAsTheLibrary_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<analysis::HighPass>("filter");
    QTest::addColumn<analysis::Drivers>("drivers");
    QTest::addColumn<Kind>("curve");
    QTest::addColumn<double>("ratio"); // of the curve at 2 kHz to one driver's without a filter; 0: none
    QTest::addColumn<QStringList>("orders"); // the filter orders offered
    QTest::addColumn<QString>("said"); // in the window; empty: nothing
    using analysis::FilterKind;
    const QStringList butterworth { "1st Order", "2nd Order", "3rd Order", "4th Order" };
    const QStringList linkwitz { "2nd Order", "4th Order" };
    const analysis::Drivers one;
    const double sameDb = 1, sixDb = std::pow(10.0, 6.0206 / 20);
    QTest::newRow("no filter, one driver: as before")
        << QStringList {} << analysis::HighPass {} << one << Kind::Spl << sameDb << butterworth << "";
    QTest::newRow("Butterworth 2nd order at 40 Hz")
        << QStringList { "cboFilter=Butterworth", "szFilterFreq=40" }
        << analysis::HighPass { FilterKind::Butterworth, 2, 40 } << one << Kind::Spl << sameDb << butterworth << "";
    QTest::newRow("Butterworth 3rd order, then Linkwitz-Riley: its 4th")
        << QStringList { "cboFilter=Butterworth", "cboFilterOrder=3rd Order", "szFilterFreq=25",
               "cboFilter=Linkwitz-Riley" }
        << analysis::HighPass { FilterKind::LinkwitzRiley, 4, 25 } << one << Kind::Excursion << 0.0 << linkwitz << "";
    QTest::newRow("a filter without its cut-off")
        << QStringList { "cboFilter=Linkwitz-Riley" } << analysis::HighPass { FilterKind::LinkwitzRiley, 2, 0 } << one
        << Kind::Spl << 0.0 << linkwitz << "Filter Frequency Must be Greater Than 0";
    QTest::newRow("two in parallel: +6 dB, twice the current")
        << QStringList { "szDrivers=2" } << analysis::HighPass {} << analysis::Drivers { 2 } << Kind::Spl << sixDb
        << butterworth << "";
    QTest::newRow("two in parallel: twice the current")
        << QStringList { "szDrivers=2" } << analysis::HighPass {} << analysis::Drivers { 2 } << Kind::Current << 2.0
        << butterworth << "";
    QTest::newRow("two in series: the same SPL")
        << QStringList { "szDrivers=2", "cboWiring=Series" } << analysis::HighPass {}
        << analysis::Drivers { 2, false, analysis::Wiring::Series } << Kind::Spl << sameDb << butterworth << "";
    QTest::newRow("two in series: half the current")
        << QStringList { "szDrivers=2", "cboWiring=Series" } << analysis::HighPass {}
        << analysis::Drivers { 2, false, analysis::Wiring::Series } << Kind::Current << 0.5 << butterworth << "";
    QTest::newRow("one and a half drivers")
        << QStringList { "szDrivers=1.5" } << analysis::HighPass {} << analysis::Drivers { 0 } << Kind::Spl << 0.0
        << butterworth << "Number of Drivers Must be 1 to 100";
}

void TestFrmAnalysis::filterAndDriversChangeTheCurvesAsTheLibrary()
{
    QFETCH(QStringList, setup);
    QFETCH(analysis::HighPass, filter);
    QFETCH(analysis::Drivers, drivers);
    QFETCH(Kind, curve);
    QFETCH(double, ratio);
    QFETCH(QStringList, orders);
    QFETCH(QString, said);
    const Example example { Box::Closed, 0 };
    typeDatasheet(designAndAnalyse(example));
    // Off by default: no filter, one driver.
    QCOMPARE(chooser("cboFilter")->currentText(), QString("None"));
    QVERIFY(!chooser("cboFilterOrder")->isEnabled() && !edit("szFilterFreq")->isEnabled());
    QCOMPARE(edit("szDrivers")->text(), QString("1"));
    QCOMPARE(chooser("cboWiring")->currentText(), QString("Parallel"));
    const QString caption = curve == Kind::Spl ? "SPL"
        : curve == Kind::Current               ? "Amplifier Current"
                                               : "Cone Excursion";
    choose("cboCurve", caption);
    const QVector<double> before = valuesOf(m_window->chart(), curve);
    for (const QString& step : setup) {
        const QString name = step.section('=', 0, 0), value = step.section('=', 1);
        if (name.startsWith("cbo"))
            choose(qPrintable(name), value);
        else
            edit(name)->setText(value);
    }
    QCOMPARE(curvesOf(chooser("cboFilterOrder")), orders);
    AnalysisInput expected = expectedInput(example);
    expected.filter = filter;
    expected.drivers = drivers;
    QCOMPARE(m_window->analysedInput()->filter, expected.filter);
    QCOMPARE(m_window->analysedInput()->drivers, expected.drivers);
    QCOMPARE(designState().analysisFilter, std::int16_t(filter.kind));
    QVERIFY2(label("lblMessages").contains(said), qPrintable(label("lblMessages")));
    if (!said.isEmpty()) {
        QVERIFY(valuesOf(m_window->chart(), curve).isEmpty());
        return;
    }
    // The curve is the library's; a filter changes it below its cut-off, drivers by the ratio above.
    const QVector<double> after = valuesOf(m_window->chart(), curve);
    QCOMPARE(after, analysis::analyse(expected).curve(curve)->values);
    QCOMPARE(after != before, filter.active() || drivers.count > 1);
    if (ratio > 0) {
        const double top
            = curve == Kind::Spl ? std::pow(10.0, (after.last() - before.last()) / 20) : after.last() / before.last();
        QVERIFY2(qAbs(top - ratio) < 0.006 * ratio, qPrintable(QString::number(top)));
    }
    QVERIFY(messages().shown.isEmpty());
}

// Both a box and a bandpass design handed over: the one handed over last is
// shown, and cboDesign shows the other.
void TestFrmAnalysis::theLastDesignHandedOverIsShownAndTheOtherChosen()
{
    designAndAnalyse({ Box::Vented, 0 });
    QVERIFY(!chooser("cboDesign")->isEnabled());
    m_window->close();
    designAndAnalyse({ Box::Bandpass, 0 });
    QVERIFY(chooser("cboDesign")->isEnabled());
    QCOMPARE(chooser("cboDesign")->currentText(), QString("Bandpass Design"));
    QVERIFY(std::holds_alternative<analysis::BandpassBoxSetup>(m_window->analysedInput()->box));
    QVERIFY(label("lblDesign").startsWith("Bandpass Box of 2.37 ft\u00b3 tuned to 39.06 Hz, for Qts .5, Vas 2, Fs 25"));
    choose("cboDesign", "Box Design");
    QVERIFY(std::holds_alternative<analysis::VentedBoxSetup>(m_window->analysedInput()->box));
    QCOMPARE(designState().analysisBandpass, std::int16_t(0));
    QCOMPARE(curvesOf(chooser("cboCurve")).size(), 9);
    // Back to the bandpass, then a box design handed over again: the box is shown.
    choose("cboDesign", "Bandpass Design");
    m_window->close();
    designAndAnalyse({ Box::Closed, 0 });
    QCOMPARE(chooser("cboDesign")->currentText(), QString("Box Design"));
    QVERIFY(std::holds_alternative<analysis::ClosedBoxSetup>(m_window->analysedInput()->box));
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmAnalysis::keepKeepsTheShownCurveBesideTheSystemFile_data()
{
    QTest::addColumn<int>("keeps"); // presses of Keep, the level changed between them
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("emptied"); // a field emptied before Keep
    QTest::newRow("one") << 1 << 1 << ""
                         << "";
    QTest::newRow("without Re: nothing") << 1 << 0
                                         << "Nothing to Keep: the Cone Excursion needs the driver data "
                                            "the window names."
                                         << "szRe";
    QTest::newRow("two designs") << 2 << 2 << ""
                                 << "";
    QTest::newRow("eight: all slots") << kMaxKeptCurves << kMaxKeptCurves << ""
                                      << "";
    QTest::newRow("nine: refused") << kMaxKeptCurves + 1 << kMaxKeptCurves
                                   << "At most 8 analysis curves can be kept. Remove them with the chart's Remove "
                                      "Kept Curves first."
                                   << "";
}

void TestFrmAnalysis::keepKeepsTheShownCurveBesideTheSystemFile()
{
    QFETCH(int, keeps);
    QFETCH(int, kept);
    QFETCH(QString, said);
    QFETCH(QString, emptied);
    keepCurvesWithSystemFiles();
    typeDatasheet(designAndAnalyse({ Box::Vented, 0 }));
    choose("cboCurve", "Cone Excursion");
    if (!emptied.isEmpty())
        edit(emptied)->clear();
    for (int i = 0; i < keeps; ++i) {
        edit("szLevel")->setText(QString::number(i + 1));
        click("btnKeep");
    }
    QCOMPARE(messages().prompts(), said.isEmpty() ? QStringList {} : QStringList { said });
    QCOMPARE(keptAnalysisCurves().size(), kept);
    if (kept == 0)
        return;
    const KeptAnalysisCurve& first = keptAnalysisCurves().first();
    QCOMPARE(first.curve, Kind::Excursion);
    AnalysisInput atOneVolt = *m_window->analysedInput();
    atOneVolt.drive.level = 1;
    QCOMPARE(first.input, atOneVolt);
    QCOMPARE(first.label, keptLabel(analysis::analysisLabel(first.input)));
    // Drawn beside the current design in its slot, named in the legend.
    QCOMPARE(m_window->chart().designs.size(), kept + 1);
    QCOMPARE(m_window->chart().designs.last().colorSlot, kept - 1);
    const PageLegend* legend = m_window->findChild<PageView*>("Graph1")->page().findLegend();
    QVERIFY(legend);
    QCOMPARE(legend->entries.size(), kept + 1);
    QCOMPARE(legend->entries[1].text, first.label);
    // Another curve's chart leaves them out.
    choose("cboCurve", "SPL");
    QCOMPARE(m_window->chart().designs.size(), 1);

    // Saved beside the system file, and there again when it is loaded.
    const KeptAnalysisCurves keptNow = keptAnalysisCurves();
    const QString system = m_dir.filePath("kept.TLV");
    files().answerNext(system);
    QVERIFY(saveSystem());
    QVERIFY(QFile::exists(keptCurvesFileFor(system)));
    keptAnalysisCurves().clear();
    messages().clear();
    QVERIFY(loadSystemRecordFile(system));
    QCOMPARE(keptAnalysisCurves(), keptNow);
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmAnalysis::printPutsTheDesignAndFiguresOnThePage_data() { addPrintTargetRows(); }

void TestFrmAnalysis::printPutsTheDesignAndFiguresOnThePage()
{
    QFETCH(QString, target);
    if (target == "PDF" && !havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    const PrintAnswer answer(target);
    typeDatasheet(designAndAnalyse({ Box::Radiator, 0 }), kRadiatorTyped);
    typeDatasheet(m_window);
    const QString token = uniqueToken("Woofer");
    edit("szDriver")->setText(token);
    choose("cboFilter", "Butterworth");
    edit("szFilterFreq")->setText("20");
    click("btnPrint");
    QCOMPARE(answer.printers.requests, 1);
    QVERIFY(messages().shown.isEmpty());
    if (target == "cancel") {
        QVERIFY(answer.wroteNoFile());
        return;
    }
    const QString text = answer.page("Analysis - " + token, token);
    QVERIFY2(!text.isEmpty(), "no single page was printed");
    const AnalysisInput in = *m_window->analysedInput();
    const QVector<analysis::TextRow> rows = analysis::designRows(in) + analysis::figureRows(analysis::analyse(in));
    for (const analysis::TextRow& row : rows)
        QVERIFY2(text.contains((row.caption + ": " + row.value).simplified()),
            qPrintable(row.caption + ": " + row.value + "\n" + text));
    QVERIFY(text.contains("Butterworth"));
}

QTEST_MAIN(TestFrmAnalysis)
#include "tst_frmAnalysis.moc"
