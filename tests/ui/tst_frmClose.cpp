// The closed-box window through its controls: the worked examples as the
// fields show them, every message with its title, icon and beep, activation
// from the design state, and the hand-over on Graph, Print and Exit.
#include "core/designstate.h"
#include "core/numberparse.h"
#include "core/systemrecord.h"
#include "design/workedexamples.h"
#include "graph/CBGRAPH1.h"
#include "platform/unitchoice.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/windowtest.h"
#include "ui/frmClose.h"
#include "ui/keptnumbers.h"

#include <QLineEdit>
#include <QtTest>

namespace {
const QString kRange = "Must be between .5 and 1.5";
const QString kQtsQtc = "Qts Must be Less Than Qtc";
const QString kF3Warning = "Tuning Frequency is Less Than Low Cutoff";
const QStringList kInputs { "szISO", "szQts", "szVas", "szFar", "szQd" };
const QStringList kShown { "szVcb", "szVover", "szFc", "szF3", "szH", "szW", "szD" };
const worked::Closed& kExample = worked::kClosed[0];
const float kShownVb = kExample.shown[0].toFloat(); // handed over as shown, not as computed
const float kQtc = kExample.typed[4].toFloat();
} // namespace

class TestFrmClose : public WindowTest {
    Q_OBJECT
private slots:
    void controlsAndCaptions();
    void enterMovesAlongTheCycle();
    void calculateForVolume_data();
    void calculateForVolume();
    void calculateForVolumeRefusals_data();
    void calculateForVolumeRefusals();
    void desiredQtcCheckedOnEnteringVasOrFar_data();
    void desiredQtcCheckedOnEnteringVasOrFar();
    void calculateForQtc();
    void workedExamplesTypedInMetric_data();
    void workedExamplesTypedInMetric();
    void switchingUnitsConvertsWithoutRecomputing();
    void calculateForQtcRefusals_data();
    void calculateForQtcRefusals();
    void isobaricLetterTakesEffectAtNextCalculation();
    void activationDesignsFromTheDesignState();
    void activationWithoutADriverShowsNoDesign();
    void activationMessages_data();
    void activationMessages();
    void graphHandsOverAndOpensTheGraph();
    void printHandsOver();
    void printPrintsTheBoxDataReport();
    void graphAndPrintDoNothingWithoutADesign();
    void exitHandsOverAValidDesign_data();
    void exitHandsOverAValidDesign();
    void exitWithoutADesignWithdrawsTheBox();

private:
    // The worked example's driver typed into the window, with this Qtc.
    void typeDriver(const QString& qtc)
    {
        w.type(kInputs.mid(1, 3), kExample.typed.mid(1, 3));
        w.type("szQd", qtc);
    }
    void typeExample() { w.type(kInputs, kExample.typed); }

    WindowProbe<frmClose> w;
};

void TestFrmClose::controlsAndCaptions()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Closed Box Design "));
    for (const char* name : { "szWoofBox", "szISO", "szQts", "szVas", "szQd", "szFar", "szVcb", "szFc", "szF3",
             "szVover", "szH", "szW", "szD" })
        QVERIFY2(w.field(name), name);
    const QStringList captions = w.captions();
    for (const char* caption : { "Woofer Name :", "Isobaric Configuration", "Enter data for 1 woofer", "Enter Qts:",
             "Enter Vas:", "Cubic Feet", "Desired Bass Response(Qtc):", "0.5 to 1.5", "Enter Free Air Resonance:", "Hz",
             "Closed Box Volume:", "System Resonance:", "Low Frequency Cut-Off(-3dB):", "10% Over Volume",
             "Dimensions (Inches)", "H:", "W:", "D:", "For Volume", "For Qtc" })
        QVERIFY2(captions.contains(caption), caption);
    // Buttons left to right along the bottom.
    QCOMPARE(w.buttonRow(),
        (QStringList { "btnGraph=Graph", "btnCal=Calculate", "Command1=Calculate", "btnExit=Exit", "Command2=Print" }));
}

void TestFrmClose::enterMovesAlongTheCycle()
{
    w.open();
    const QStringList cycle { "szQts", "szVas", "szQd", "szFar", "szISO", "szWoofBox", "szQts" };
    w.type("szISO", "N");
    w.field("szQts")->setFocus(Qt::TabFocusReason);
    for (int i = 1; i < cycle.size(); ++i) {
        QTest::keyClick(w.field(cycle[i - 1]), Qt::Key_Return);
        QCOMPARE(w.focused(), cycle[i]);
    }
    QCOMPARE(w.text("szQts"), QString()); // the key was swallowed
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmClose::calculateForVolume_data() { worked::addRows(worked::kClosed); }

void TestFrmClose::calculateForVolume()
{
    QFETCH(worked::Closed, e);

    w.open();
    w.type(kInputs, e.typed);
    w.click("btnCal");

    QCOMPARE(w.texts(kShown), e.shown);
    const DesignState& s = designState();
    QVERIFY(qAbs(s.closedVbCalc - e.vbCalc) < 0.00006f);
    QCOMPARE(s.closedQtc, e.typed[4].toFloat());
    QVERIFY(qAbs(s.closedFc - w.text("szFc").toFloat()) < 0.005f);
    QCOMPARE(s.boxHeight, 0.0f); // the box dimensions go with the hand-over
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(messages().shown, e.warns ? QVector<Message> { msg::warning(kF3Warning) } : QVector<Message> {});
    QCOMPARE(w.focused(), QString("szQts"));
    w.click("btnGraph");
    QVERIFY(qAbs(s.boxHeight - w.text("szH").toFloat()) < 0.005f);
}

void TestFrmClose::calculateForVolumeRefusals_data()
{
    QTest::addColumn<QString>("qts");
    QTest::addColumn<QString>("vas");
    QTest::addColumn<QString>("qtc");
    QTest::addColumn<QString>("prompt"); // empty: a beep only
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("boxValid"); // afterwards, from 1

    QTest::newRow("Qtc .4") << ".35"
                            << "2"
                            << ".4" << kRange << "szQd" << 1;
    QTest::newRow("Qtc 1.6") << ".35"
                             << "2"
                             << "1.6" << kRange << "szQd" << 1;
    QTest::newRow("Qtc equal to Qts") << ".7"
                                      << "2"
                                      << ".7" << kQtsQtc << "szQd" << 0;
    QTest::newRow("Vas cleared") << ".35"
                                 << ""
                                 << ".707"
                                 << ""
                                 << "szQts" << 1;
    QTest::newRow("volume shows as point") << ".3"
                                           << ".01"
                                           << ".707"
                                           << "Box Volume Below .005 Cubic Feet: Check Vas"
                                           << "szVas" << 1;
}

void TestFrmClose::calculateForVolumeRefusals()
{
    QFETCH(QString, qts);
    QFETCH(QString, vas);
    QFETCH(QString, qtc);
    QFETCH(QString, prompt);
    QFETCH(QString, focus);
    QFETCH(int, boxValid);

    w.open();
    typeExample();
    w.click("btnCal"); // a valid design first
    messages().clear();
    const DesignState before = designState();

    w.type("szQts", qts);
    w.type("szVas", vas);
    w.type("szQd", qtc);
    w.click("btnCal");

    DesignState& s = designState();
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(s.boxValid, std::int16_t(boxValid));
    QCOMPARE(s.closedVbCalc, before.closedVbCalc);
    QCOMPARE(s.closedFc, before.closedFc);
    QCOMPARE(s.boxHeight, before.boxHeight);
    QCOMPARE(w.text("szVcb"), kExample.shown[0]);
    QCOMPARE(messages().beeps, 1);
    if (prompt.isEmpty())
        QVERIFY(messages().shown.isEmpty());
    else
        QCOMPARE(messages().shown, QVector<Message> { msg::error(prompt, true) });
    QCOMPARE(w.focused(), focus);
}

void TestFrmClose::desiredQtcCheckedOnEnteringVasOrFar_data()
{
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("qtc");
    QTest::addColumn<bool>("complains");
    QTest::newRow("szVas, 1.6") << "szVas"
                                << "1.6" << true;
    QTest::newRow("szFar, .4") << "szFar"
                               << ".4" << true;
    QTest::newRow("szVas, 1.5") << "szVas"
                                << "1.5" << false;
    QTest::newRow("szQts is not checked") << "szQts"
                                          << ".4" << false;
}

void TestFrmClose::desiredQtcCheckedOnEnteringVasOrFar()
{
    QFETCH(QString, entered);
    QFETCH(QString, qtc);
    QFETCH(bool, complains);

    w.open();
    w.type("szQd", qtc);
    w.field(entered)->setFocus(Qt::TabFocusReason);
    if (complains) {
        QCOMPARE(messages().shown, QVector<Message> { msg::error(kRange, true) });
        QCOMPARE(messages().beeps, 1);
        QCOMPARE(w.focused(), QString("szQd"));
    } else {
        QVERIFY(messages().shown.isEmpty());
        QCOMPARE(w.focused(), entered);
    }
}

void TestFrmClose::calculateForQtc()
{
    const worked::ClosedForQtc& e = worked::kClosedForQtc[0];
    w.open();
    typeDriver(".5");
    w.type("szVcb", e.typedVb);
    w.click("Command1");

    QCOMPARE(w.text("szQd"), QString(" .7066987")); // the number's text, not a pattern
    QCOMPARE(w.texts({ "szVcb", "szFc", "szF3" }), e.shown);
    QCOMPARE(messages().prompts(), QStringList { kF3Warning });
    const DesignState& s = designState();
    QCOMPARE(s.closedVbCalc, e.typedVb.toFloat());
    QCOMPARE(s.closedQtc, e.qtc);
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(w.focused(), QString("szQts"));
}

// Typed in litres, each worked example gives the imperial design: the
// volumes in litres and the dimensions in cm, the same within their shown
// digits; the resonance and the cut-off go on from the volume as shown, so
// they carry what its imperial rounding leaves open (.65 for 0.6493).
void TestFrmClose::workedExamplesTypedInMetric_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("imperial");
    for (const worked::Closed& e : worked::kClosed)
        QTest::newRow(e.name) << e.inMetric << "btnCal" << kShown << e.shown;
    for (const worked::ClosedForQtc& e : worked::kClosedForQtc)
        QTest::addRow("for Qtc: %s", e.name) << (kExample.inMetric.mid(0, 4) << ".5" << e.typedVbInMetric) << "Command1"
                                             << QStringList { "szVcb", "szFc", "szF3" } << e.shown;
}

void TestFrmClose::workedExamplesTypedInMetric()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, button);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, imperial);
    setUnitSystem(UnitSystem::Metric);
    w.open();
    w.type(kInputs, typed.mid(0, 5));
    if (typed.size() > 5)
        w.type("szVcb", typed[5]);
    w.click(button);
    QVERIFY(w.captions().contains("Litres") && w.captions().contains("Dimensions (cm)"));
    const QString differs = metricDifferences(
        w.window(), fields, imperial, { { "szFc", 0.5 }, { "szF3", 0.5 } }, shownRounding(imperial[0]));
    QVERIFY2(differs.isEmpty(), qPrintable(differs));
    // The design state holds cubic feet and inches.
    w.click("btnGraph");
    const DesignState& s = designState();
    QVERIFY(qAbs(s.closedVb - parseNumber(imperial[0])) <= 0.005f);
    QVERIFY(button != "btnCal" || qAbs(s.boxHeight - parseNumber(imperial[4])) <= 0.01f);
}

// Switched with the window open, the fields show their numbers in the new
// units and read as they did: Graph hands over the same design, bit for bit.
void TestFrmClose::switchingUnitsConvertsWithoutRecomputing()
{
    w.open();
    typeExample();
    w.type("szWoofBox", "Woofer");
    w.click("btnCal");
    w.click("btnGraph");
    const DesignState before = designState();
    w.open();
    messages().clear();
    chooseUnits(UnitSystem::Metric);
    QCOMPARE(w.texts(kShown), worked::texts("18.39|20.22|60.57|60.61|42.75|26.39|16.36"));
    QCOMPARE(w.texts({ "szQts", "szVas", "szFar", "szQd" }), worked::texts(".35|56.633693|30|.707"));
    QVERIFY(w.captions().contains("Litres") && w.captions().contains("Dimensions (cm)"));
    QVERIFY(!w.captions().contains("Cubic Feet"));
    QCOMPARE(w.field("szVcb")->toolTip(), QString()); // no imperial number in Metric
    QVERIFY(messages().shown.isEmpty());
    w.click("btnGraph");
    QCOMPARE(encodeSystemRecord(designState()), encodeSystemRecord(before));
    chooseUnits(UnitSystem::Imperial);
    QCOMPARE(w.texts(kShown), kExample.shown);
    QCOMPARE(w.texts({ "szQts", "szVas", "szFar", "szQd" }), worked::texts(".35|2|30|.707"));
    QCOMPARE(w.field("szVcb")->toolTip(), QString("18.4 L"));
}

void TestFrmClose::calculateForQtcRefusals_data()
{
    QTest::addColumn<QString>("vb");
    QTest::addColumn<QString>("prompt"); // empty: a beep only
    QTest::addColumn<QString>("focus");

    QTest::newRow("no volume") << ""
                               << ""
                               << "szQts";
    QTest::newRow("large box") << "10"
                               << "Box Must be Smaller"
                               << "szQd";
    QTest::newRow("small box") << ".1"
                               << "Box Must be Larger"
                               << "szQd";
}

void TestFrmClose::calculateForQtcRefusals()
{
    QFETCH(QString, vb);
    QFETCH(QString, prompt);
    QFETCH(QString, focus);

    w.open();
    typeExample();
    w.click("btnCal");
    messages().clear();
    const DesignState before = designState();

    w.type("szVcb", vb);
    w.click("Command1");
    const DesignState& s = designState();
    if (prompt.isEmpty()) {
        QCOMPARE(messages().beeps, 1);
        QVERIFY(messages().shown.isEmpty());
    } else {
        QCOMPARE(messages().beeps, 0);
        QCOMPARE(messages().shown, QVector<Message> { msg::error(prompt, false) });
    }
    QCOMPARE(w.focused(), focus);
    // Nothing of the rejected volume is stored; Graph and Print wait for a
    // new design.
    QCOMPARE(s.closedQtc, before.closedQtc);
    QCOMPARE(s.closedVbCalc, before.closedVbCalc);
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(w.text("szQd"), kExample.typed[4]);
}

void TestFrmClose::isobaricLetterTakesEffectAtNextCalculation()
{
    w.open();
    typeExample();
    w.type("szISO", "N");
    w.click("btnCal");
    w.field("szISO")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.field("szISO"), Qt::Key_Backspace);
    QTest::keyClicks(w.field("szISO"), "y");
    QCOMPARE(w.text("szISO"), QString("Y"));
    QCOMPARE(designState().isoFactor, 0.5f);
    QCOMPARE(w.focused(), QString("szQts"));
    QCOMPARE(w.text("szVcb"), kExample.shown[0]);
    w.click("btnCal");
    QCOMPARE(w.text("szVcb"), QString(".32"));
}

void TestFrmClose::activationDesignsFromTheDesignState()
{
    DesignState& s = designState();
    s.qts = 0.35f;
    s.vas = 2;
    s.fs = 30;
    s.driverName = QString("  Woofer 8");
    s.ventedValid = 1;
    w.open();

    QCOMPARE(w.text("szWoofBox"), QString("Woofer 8"));
    QCOMPARE(w.text("szQts"), QString(" .35"));
    QCOMPARE(w.text("szVas"), QString(" 2"));
    QCOMPARE(w.text("szFar"), QString(" 30"));
    QCOMPARE(w.text("szQd"), QString(".7")); // no Qtc stored yet
    QCOMPARE(w.text("szISO"), QString("N"));
    QCOMPARE(w.text("szVcb"), QString(".67"));
    QCOMPARE(s.closedQtc, 0.7f);
    QCOMPARE(s.designValid, std::int16_t(1));
    // Looking hands nothing over: the vented design stays, and nothing is offered.
    QCOMPARE(s.boxValid, std::int16_t(0));
    QCOMPARE(s.ventedValid, std::int16_t(1));
    QCOMPARE(w.window()->windowReady(), 1);
    QCOMPARE(w.focused(), QString("szWoofBox"));
    QVERIFY(messages().shown.isEmpty()); // no F3 warning on activation
}

void TestFrmClose::activationWithoutADriverShowsNoDesign()
{
    DesignState& s = designState();
    s.qts = 0.35f;
    s.fs = 30; // no Vas
    s.ventedValid = 1;
    s.designValid = 1; // left by another window
    w.open();

    QCOMPARE(w.text("szVas"), QString());
    QCOMPARE(w.text("szVcb"), QString());
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(s.ventedValid, std::int16_t(1));
    QCOMPARE(w.window()->windowReady(), 1);
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(messages().beeps, 0);
}

void TestFrmClose::activationMessages_data()
{
    QTest::addColumn<float>("qts");
    QTest::addColumn<float>("vas");
    QTest::addColumn<float>("closedQtc");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("boxValid"); // afterwards, from 1: activation withdraws no design handed over
    QTest::addColumn<QString>("focus");

    QTest::newRow("stored Qtc 1.6") << 0.35f << 2.0f << 1.6f << kRange << 1 << "szWoofBox";
    QTest::newRow("Qts above Qtc") << 0.9f << 2.0f << 0.7f << kQtsQtc << 1 << "szWoofBox";
    QTest::newRow("volume shows as point")
        << 0.3f << 0.01f << 0.707f << "Box Volume Below .005 Cubic Feet: Check Vas" << 1 << "szVas";
}

void TestFrmClose::activationMessages()
{
    QFETCH(float, qts);
    QFETCH(float, vas);
    QFETCH(float, closedQtc);
    QFETCH(QString, prompt);
    QFETCH(int, boxValid);
    QFETCH(QString, focus);

    DesignState& s = designState();
    s.qts = qts;
    s.vas = vas;
    s.fs = 30;
    s.closedQtc = closedQtc;
    s.boxValid = 1;
    s.closedVbCalc = 5;
    w.open();

    QCOMPARE(messages().shown, QVector<Message> { msg::error(prompt, false) });
    QCOMPARE(messages().beeps, 0);
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(s.boxValid, std::int16_t(boxValid));
    QCOMPARE(s.closedVbCalc, 5.0f);
    QCOMPARE(w.text("szVcb"), QString());
    QCOMPARE(w.focused(), focus);
}

void TestFrmClose::graphHandsOverAndOpensTheGraph()
{
    w.open();
    typeExample();
    w.click("btnCal");
    DesignState& s = designState();
    s.graphDrawn = 1;
    w.click("btnGraph");

    QCOMPARE(s.vas, 2.0f);
    QCOMPARE(s.closedVb, kShownVb);
    QCOMPARE(s.qts, 0.35f);
    QCOMPARE(s.fs, 30.0f);
    QCOMPARE(s.closedQtc, kQtc);
    QCOMPARE(s.boxType, BoxType::Closed);
    QCOMPARE(s.graphDrawn, std::int16_t(0));
    QVERIFY(existingWindow<CBGRAPH1>());

    // Kept in the graph, its numbers are the window's.
    QCOMPARE(kept::differences(w.window(), "closed",
                 { { kept::kVolume, "szVcb" }, { "Fb, Fc (Hz)", "szFc" }, { "F3 (Hz)", "szF3" }, { "Qtc", "szQd" },
                     { "Qts", "szQts" }, { "Fs (Hz)", "szFar" } }),
        QStringList());
}

void TestFrmClose::printHandsOver()
{
    w.open();
    typeExample();
    w.click("btnCal");
    DesignState& s = designState();
    s.boxValid = 0;
    s.graphDrawn = 1;
    w.click("Command2");
    QCOMPARE(s.closedVb, kShownVb);
    QCOMPARE(s.closedQtc, kQtc);
    QCOMPARE(s.boxType, BoxType::Closed);
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(s.graphDrawn, std::int16_t(1));
}

void TestFrmClose::printPrintsTheBoxDataReport()
{
    PrintAnswer pdf;
    w.open();
    typeExample();
    w.click("btnCal");
    messages().clear();
    w.click("Command2");
    QCOMPARE(pdf.printers.requests, 1);
    QVERIFY(messages().shown.isEmpty());
    const QString text = pdf.text();
    QVERIFY2(text.contains("Closed Box Design"), qPrintable(text));
    QVERIFY(text.contains("Box Internal Volume = " + kExample.shown[0] + " Cubic Feet"));
}

void TestFrmClose::graphAndPrintDoNothingWithoutADesign()
{
    w.open();
    typeDriver("1.6");
    w.click("btnCal"); // refused
    messages().clear();
    const DesignState before = designState();
    w.click("btnGraph");
    w.click("Command2");
    QVERIFY(!existingWindow<CBGRAPH1>());
    const DesignState& s = designState();
    QCOMPARE(s.vas, before.vas);
    QCOMPARE(s.boxType, BoxType::None);
    QCOMPARE(s.boxValid, before.boxValid);
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmClose::exitHandsOverAValidDesign_data()
{
    QTest::addColumn<bool>("throughFrame");
    QTest::newRow("Exit button") << false;
    QTest::newRow("window frame") << true; // closing never loses the design
}

void TestFrmClose::exitHandsOverAValidDesign()
{
    QFETCH(bool, throughFrame);
    w.open();
    typeExample();
    w.type("szWoofBox", "Test Woofer");
    w.click("btnCal");
    DesignState& s = designState();
    s.ventedValid = 1;
    QPointer<frmClose> window = w.window();
    if (throughFrame)
        window->close();
    else
        w.click("btnExit");

    QTRY_VERIFY(!window);
    QCOMPARE(s.vas, 2.0f);
    QCOMPARE(s.closedVb, kShownVb);
    QCOMPARE(s.qts, 0.35f);
    QCOMPARE(s.fs, 30.0f);
    QCOMPARE(s.closedQtc, kQtc);
    QCOMPARE(s.driverName.text(), QString("Test Woofer").leftJustified(30));
    QCOMPARE(s.ventedValid, std::int16_t(0));
    QCOMPARE(s.boxType, BoxType::Closed);
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(s.designValid, std::int16_t(0));
}

void TestFrmClose::exitWithoutADesignWithdrawsTheBox()
{
    DesignState& s = designState();
    s.boxValid = 1;
    s.boxType = BoxType::Vented;
    w.open();
    w.type("szWoofBox", "Not Stored");
    w.click("btnExit");
    QCOMPARE(s.boxValid, std::int16_t(0));
    QCOMPARE(s.boxType, BoxType::Vented);
    QCOMPARE(s.designValid, std::int16_t(0));
    QVERIFY(!s.driverName.isAssigned());
}

QTEST_MAIN(TestFrmClose)
#include "tst_frmClose.moc"
