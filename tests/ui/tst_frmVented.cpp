// The vented-box window through its controls: the worked examples with their
// nine port fields, the two recomputations on leaving szFb and szVvb, the
// refusals, activation across windows and the hand-over on Graph, Print and
// Exit.
#include "core/designstate.h"
#include "core/units.h"
#include "design/workedexamples.h"
#include "graph/CBGRAPH1.h"
#include "support/windowtest.h"
#include "ui/frmClose.h"
#include "ui/frmVented.h"
#include "ui/keptnumbers.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

namespace {
const QString kF3Warning = "Tuning Frequency is Less Than Low Cutoff";
const QStringList kPortFields { "szLv5", "szLv75", "szLv1", "szLv15", "szLv2", "szlv3", "szLv4", "szLv6", "szLv8" };
const QStringList kShownFields { "szVvb", "szVover", "szFb", "szF3", "szH", "szH1", "szW1", "szD1" };
const QStringList kInputs { "szISO", "szQts", "szVas", "szFar" };
const worked::Vented& kExample = worked::kVented[0];
const worked::Vented& kIsobaric = worked::kVented[1];
} // namespace

class TestFrmVented : public WindowTest {
    Q_OBJECT
private slots:
    void controlsAndCaptions();
    void enterMovesAlongTheCycle();
    void calculate_data();
    void calculate();
    void calculateWarnsAndCompletes();
    void workedExamplesTypedInMetric_data();
    void workedExamplesTypedInMetric();
    void calculateWithoutADriverOnlyBeeps();
    void isobaricLetterTakesEffectAtNextCalculation();
    void leavingSzFbOrSzVvbRecomputes_data();
    void leavingSzFbOrSzVvbRecomputes();
    void leavingSzVvbUnchangedRestoresTheAlignment();
    void recomputationsRefuseAClearedDriverValue_data();
    void recomputationsRefuseAClearedDriverValue();
    void nothingHappensWithoutADesign();
    void graphHandsOverAndOpensTheGraph();
    void printHandsOver();
    void exitHandsOverAndReopeningShowsTheSameDesign();
    void closedBoxExitMakesTheVentedWindowDesignAfresh();
    void switchingWindowsRefillsBoth();
    void closingAMessageBoxDoesNotRefill();

private:
    void storeExampleDriver();
    // Types a worked example's driver and presses Calculate.
    void calculateExample(const worked::Vented& e = kExample)
    {
        w.open();
        w.type(kInputs, e.typed);
        w.click("Command1");
    }

    WindowProbe<frmVented> w;
};

void TestFrmVented::storeExampleDriver()
{
    DesignState& s = designState();
    s.qts = kExample.typed[1].toFloat();
    s.vas = kExample.typed[2].toFloat();
    s.fs = kExample.typed[3].toFloat();
}

void TestFrmVented::controlsAndCaptions()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Vented Box Design"));
    for (const QString& name :
        kPortFields + kShownFields + QStringList { "szWoofBox", "szISO", "szQts", "szVas", "szFar" })
        QVERIFY2(w.field(name), qPrintable(name));
    const QStringList captions = w.captions();
    for (const char* caption : { "Woofer Name :", "Isobaric Configuration", "Enter data for 1 woofer",
             "Enter Driver Qts:", "Enter Vas:", "Cubic Feet", "Enter Free Air Resonance:", "Hz", "Vented Box Volume:",
             "10% Over Volume", "Tuning Frequency:", "Low Frequency Cut-Off(-3dB):", "Hump or Dip:", "dB",
             "Dimensions (Inches)", "H:", "W:", "D:", "Port Diameter", ".5", ".75", "1.0", "1.5", "2.0", "3.0", "4.0",
             "6.0", "8.0", "Inches", "Port Length" })
        QVERIFY2(captions.contains(caption), caption);
    // The port fields stand left to right under their diameters.
    for (int i = 1; i < kPortFields.size(); ++i)
        QVERIFY(w.field(kPortFields[i - 1])->x() < w.field(kPortFields[i])->x());
    QCOMPARE(w.buttonRow(), (QStringList { "btnGraph=Graph", "Command1=Calculate", "btnExit=Exit", "Print=Print" }));
}

void TestFrmVented::isobaricLetterTakesEffectAtNextCalculation()
{
    calculateExample();
    QCOMPARE(w.text("szVvb"), kExample.shown[0]);
    w.field("szISO")->setFocus(Qt::TabFocusReason);
    w.field("szISO")->selectAll();
    QTest::keyClicks(w.field("szISO"), "y");
    QCOMPARE(w.text("szISO"), QString("Y"));
    QCOMPARE(designState().isoFactor, 0.5f);
    QCOMPARE(w.focused(), QString("szQts"));
    QCOMPARE(w.text("szVvb"), kExample.shown[0]); // the shown design stays until Calculate
    w.click("Command1");
    QCOMPARE(w.texts(kShownFields), kIsobaric.shown);
    QCOMPARE(w.texts(kPortFields), kIsobaric.ports);
}

void TestFrmVented::enterMovesAlongTheCycle()
{
    w.open();
    w.type("szISO", "N");
    const QStringList cycle { "szWoofBox", "szQts", "szVas", "szFar", "szISO", "szWoofBox" };
    w.field("szWoofBox")->setFocus(Qt::TabFocusReason);
    for (int i = 1; i < cycle.size(); ++i) {
        QTest::keyClick(w.field(cycle[i - 1]), Qt::Key_Return);
        QCOMPARE(w.focused(), cycle[i]);
    }
    for (const char* name : { "szFb", "szVvb" }) {
        w.field(name)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w.field(name), Qt::Key_Return);
        QCOMPARE(w.focused(), QString("szWoofBox"));
    }
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmVented::calculate_data() { worked::addRows(worked::kVented); }

void TestFrmVented::calculate()
{
    QFETCH(worked::Vented, e);

    calculateExample(e);
    QCOMPARE(w.texts(kShownFields), e.shown);
    QCOMPARE(w.texts(kPortFields), e.ports);
    QStringList tips;
    for (const char* name : { "szVvb", "szH1", "szLv5", "szLv15" })
        tips << w.field(name)->toolTip();
    QCOMPARE(tips, e.metric);
    const DesignState& s = designState();
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(s.ventedValid, std::int16_t(0)); // the design is the window's until it hands it over
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(w.focused(), QString("szQts"));
    w.click("btnGraph");
    QVERIFY(qAbs(s.ventedVb - e.vb) < 0.00006f);
    QVERIFY(qAbs(s.ventedFb - 28.742f) < 0.0005f);
    QVERIFY(qAbs(s.ventedF3 - 28.133f) < 0.0005f);
    QVERIFY(s.boxWidth > 0);
    QCOMPARE(s.boxHeight, s.boxWidth * 1.62f);
    QCOMPARE(s.ventedValid, std::int16_t(1));
}

// Typed in litres, each worked example gives the imperial design within the
// digits shown. The hump or dip (and after a typed tuning the cut-off and the
// 10 % over volume) go on from the volume as shown: they carry what its
// imperial rounding leaves open, the hump 20 log10 e^0.35 = 3.04 dB for a
// whole relative change.
void TestFrmVented::workedExamplesTypedInMetric_data()
{
    QTest::addColumn<worked::Vented>("e");
    for (const worked::Vented& e : worked::kVented)
        QTest::newRow(e.name) << e;
    for (const worked::Vented& e : worked::kVentedEdited)
        QTest::newRow(e.name) << e;
}

void TestFrmVented::workedExamplesTypedInMetric()
{
    QFETCH(worked::Vented, e);
    setUnitSystem(UnitSystem::Metric);
    w.open();
    w.type(kInputs, e.inMetric);
    w.click("Command1");
    if (!e.editedInMetric.isEmpty())
        w.typeAndEnter(e.editedInMetric.section('=', 0, 0), e.editedInMetric.section('=', 1));
    const QString differs = metricDifferences(w.window(), kShownFields + kPortFields, e.shown + e.ports,
        { { "szH", 20 * 0.35 / std::log(10.0), false }, { "szF3", 0.5 }, { "szVover", 1.0 } },
        shownRounding(e.shown[0]));
    QVERIFY2(differs.isEmpty(), qPrintable(differs));
    QVERIFY(messages().shown.isEmpty());
    w.click("btnGraph");
    QVERIFY(qAbs(designState().closedVb - e.vb) < 0.0002f);
}

void TestFrmVented::calculateWarnsAndCompletes()
{
    w.open();
    w.type("szQts", ".3");
    w.type("szVas", "2");
    w.type("szFar", "30");
    w.click("Command1");
    QCOMPARE(messages().shown, QVector<Message> { msg::warning(kF3Warning) });
    QCOMPARE(w.text("szFb"), QString("37.24"));
    QCOMPARE(w.text("szF3"), QString("42.08"));
    QCOMPARE(designState().designValid, std::int16_t(1));
}

void TestFrmVented::calculateWithoutADriverOnlyBeeps()
{
    calculateExample();
    messages().clear();
    const DesignState before = designState();
    w.type("szFar", "");
    w.click("Command1");
    QCOMPARE(messages().beeps, 1);
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(w.focused(), QString("szQts"));
    QCOMPARE(designState().designValid, std::int16_t(0));
    QCOMPARE(designState().ventedVb, before.ventedVb);
    QCOMPARE(w.text("szVvb"), kExample.shown[0]);
}

void TestFrmVented::leavingSzFbOrSzVvbRecomputes_data() { worked::addRows(worked::kVentedEdited); }

void TestFrmVented::leavingSzFbOrSzVvbRecomputes()
{
    QFETCH(worked::Vented, e);
    calculateExample();
    const QString field = e.edited.section('=', 0, 0), typed = e.edited.section('=', 1);
    w.typeAndEnter(field, typed);

    QStringList shown = e.shown;
    shown[kShownFields.indexOf(field)] = typed; // the field keeps the text as typed
    QCOMPARE(w.texts(kShownFields), shown);
    QCOMPARE(w.texts(kPortFields), e.ports);
    const DesignState& s = designState();
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.recalcBusy, std::int16_t(0));
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(w.focused(), QString("szWoofBox"));
    w.click("btnGraph"); // hands the recomputed design over
    QVERIFY(qAbs(s.ventedVb - e.vb) < 0.00006f);
    QVERIFY(qAbs(s.ventedFb - shown[2].toFloat()) < 0.005f);
    QVERIFY(qAbs(s.ventedF3 - shown[3].toFloat()) < 0.005f);
    QCOMPARE(s.ventedValid, std::int16_t(1));
}

void TestFrmVented::leavingSzVvbUnchangedRestoresTheAlignment()
{
    calculateExample();
    w.typeAndEnter("szFb", "25");
    w.typeAndEnter("szVvb", kExample.shown[0]);
    QCOMPARE(w.texts({ "szFb", "szF3" }), kExample.shown.mid(2, 2));
    QCOMPARE(w.text("szH"), QString("0")); // Calculate showed .107
    QCOMPARE(w.texts(kPortFields), kExample.ports);
    w.click("btnGraph");
    QVERIFY(qAbs(designState().ventedVb - kExample.vb) < 0.00006f);
}

void TestFrmVented::recomputationsRefuseAClearedDriverValue_data()
{
    QTest::addColumn<QString>("cleared");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("typedInto");
    QTest::addColumn<QString>("prompt");

    QTest::newRow("Qts cleared, Fb typed") << "szQts"
                                           << ""
                                           << "szFb"
                                           << "Qts Must be Greater Than 0";
    QTest::newRow("Vas negative, Vvb typed") << "szVas"
                                             << "-2"
                                             << "szVvb"
                                             << "Vas Must be Greater Than 0";
    QTest::newRow("Fs cleared, Vvb typed") << "szFar"
                                           << ""
                                           << "szVvb"
                                           << "Free Air Resonance Must be Greater Than 0";
}

void TestFrmVented::recomputationsRefuseAClearedDriverValue()
{
    QFETCH(QString, cleared);
    QFETCH(QString, value);
    QFETCH(QString, typedInto);
    QFETCH(QString, prompt);

    calculateExample();
    const DesignState before = designState();
    w.type(cleared, value);
    w.typeAndEnter(typedInto, "25");

    QCOMPARE(messages().shown, QVector<Message> { msg::error(prompt, true) });
    QCOMPARE(w.focused(), cleared);
    const DesignState& s = designState();
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(s.recalcBusy, std::int16_t(0));
    QCOMPARE(s.ventedVb, before.ventedVb);
    QCOMPARE(s.ventedFb, before.ventedFb);
    QCOMPARE(s.boxHeight, before.boxHeight);
    QCOMPARE(w.text("szF3"), kExample.shown[3]);
    // Until the next Calculate nothing recomputes, hands over or beeps again.
    messages().clear();
    w.typeAndEnter("szFb", "27");
    w.click("btnGraph");
    QVERIFY(!existingWindow<CBGRAPH1>());
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(w.text("szF3"), kExample.shown[3]);
}

void TestFrmVented::nothingHappensWithoutADesign()
{
    DesignState& s = designState();
    s.qts = 0.4f; // Vas and Fs never stored
    s.designValid = 1; // left by another window
    s.boxValid = 1;
    w.open();
    QCOMPARE(w.text("szVvb"), QString());
    QCOMPARE(s.designValid, std::int16_t(0));

    w.type("szVas", "2");
    w.type("szFar", "30");
    w.typeAndEnter("szFb", "25");
    w.typeAndEnter("szVvb", "3");
    QCOMPARE(w.text("szF3"), QString());
    w.click("btnGraph");
    w.click("Print");
    QVERIFY(!existingWindow<CBGRAPH1>());
    QCOMPARE(s.vas, 0.0f);
    QCOMPARE(s.boxType, BoxType::None);
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(messages().beeps, 0);

    w.click("btnExit");
    QCOMPARE(s.boxValid, std::int16_t(0));
    QCOMPARE(s.vas, 0.0f);
}

void TestFrmVented::graphHandsOverAndOpensTheGraph()
{
    calculateExample();
    DesignState& s = designState();
    s.graphDrawn = 1;
    w.click("btnGraph");
    QCOMPARE(s.vas, 2.0f);
    QCOMPARE(s.qts, 0.4f);
    QCOMPARE(s.fs, 30.0f);
    QCOMPARE(s.closedVb, s.ventedVb); // the computed volume, not the shown 2.16
    QCOMPARE(s.boxType, BoxType::Vented);
    QCOMPARE(s.graphDrawn, std::int16_t(0));
    QVERIFY(existingWindow<CBGRAPH1>());

    // Kept in the graph, its numbers are the window's.
    QCOMPARE(kept::differences(w.window(), "vented",
                 { { kept::kVolume, "szVvb" }, { "Fb, Fc (Hz)", "szFb" }, { "F3 (Hz)", "szF3" }, { "Qtc", "" },
                     { "Qts", "szQts" }, { kept::kVas, "szVas" }, { "Fs (Hz)", "szFar" } }),
        QStringList());
}

void TestFrmVented::printHandsOver()
{
    calculateExample();
    DesignState& s = designState();
    s.boxValid = 0;
    s.graphDrawn = 1;
    w.click("Print");
    QCOMPARE(s.closedVb, s.ventedVb);
    QCOMPARE(s.boxType, BoxType::Vented);
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(s.graphDrawn, std::int16_t(1));
}

void TestFrmVented::exitHandsOverAndReopeningShowsTheSameDesign()
{
    const worked::Vented& tuned = worked::kVentedTuned;
    calculateExample();
    w.type("szWoofBox", "Vented Woofer");
    w.typeAndEnter("szFb", tuned.edited.section('=', 1));
    QPointer<frmVented> window = w.window();
    w.click("btnExit");
    QTRY_VERIFY(!window);

    DesignState& s = designState();
    QCOMPARE(s.vas, 2.0f);
    QCOMPARE(s.qts, 0.4f);
    QCOMPARE(s.closedVb, s.ventedVb);
    QCOMPARE(s.driverName.text(), QString("Vented Woofer").leftJustified(30));
    QCOMPARE(s.boxType, BoxType::Vented);
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(s.ventedValid, std::int16_t(1));

    w.open();
    QCOMPARE(w.text("szWoofBox"), QString("Vented Woofer")); // the record's padding is not shown
    QCOMPARE(w.texts({ "szQts", "szVas", "szFar", "szISO" }), (QStringList { " .4", " 2", " 30", "N" }));
    QCOMPARE(w.texts(kShownFields), tuned.shown);
    QCOMPARE(w.texts(kPortFields), tuned.ports);
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(w.focused(), QString("szWoofBox"));
    QVERIFY(messages().shown.isEmpty());
}

// Looking at the closed-box window keeps the vented design; its Exit, which
// hands a closed design over, makes the vented window design afresh.
void TestFrmVented::closedBoxExitMakesTheVentedWindowDesignAfresh()
{
    calculateExample();
    w.typeAndEnter("szFb", "25");
    const QStringList tuned = w.texts(kShownFields);
    w.click("btnExit");
    QCOMPARE(designState().ventedValid, std::int16_t(1));

    WindowProbe<frmClose> closed;
    closed.open();
    QCOMPARE(designState().ventedValid, std::int16_t(1));
    w.open();
    QCOMPARE(w.texts({ "szVvb", "szF3" }), (QStringList { tuned[0], tuned[3] })); // the design handed over
    w.click("btnExit");

    closed.open();
    QPointer<frmClose> gone = closed.window();
    closed.click("btnExit");
    QTRY_VERIFY(!gone);
    QCOMPARE(designState().ventedValid, std::int16_t(0));

    w.open();
    QCOMPARE(w.text("szFb"), kExample.shown[2]);
    QCOMPARE(w.text("szVvb"), kExample.shown[0]);
    QCOMPARE(w.text("szH"), QString("0")); // no formula on activation
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmVented::switchingWindowsRefillsBoth()
{
    storeExampleDriver();
    w.open();
    QCOMPARE(w.text("szFb"), kExample.shown[2]);
    w.type("szQts", "0.5");

    auto* closed = openWindow<frmClose>();
    QVERIFY(QTest::qWaitForWindowActive(closed));
    auto* closedQts = closed->findChild<QLineEdit*>("szQts");
    QCOMPARE(closedQts->text(), QString(" .4"));
    closedQts->setText("0.45");
    designState().qts = 0.3f; // as if loaded from a system file meanwhile
    countDesignLoad();

    w.open();
    QCOMPARE(w.text("szQts"), QString(" .3"));
    QCOMPARE(w.text("szFb"), QString("37.24")); // no vented design was handed over: the alignment
    openWindow<frmClose>();
    QVERIFY(QTest::qWaitForWindowActive(closed));
    QCOMPARE(closedQts->text(), QString(" .3"));
}

void TestFrmVented::closingAMessageBoxDoesNotRefill()
{
    storeExampleDriver();
    w.open();
    w.type("szQts", "0.5");
    w.type("szFb", "31");

    auto* box = new QMessageBox(QMessageBox::Warning, "WARNING", "held", QMessageBox::Ok, w.window());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    QVERIFY(QTest::qWaitForWindowActive(box));
    box->close();
    QVERIFY(QTest::qWaitForWindowActive(w.window()));

    QCOMPARE(w.text("szQts"), QString("0.5"));
    QCOMPARE(w.text("szFb"), QString("31"));
}

QTEST_MAIN(TestFrmVented)
#include "tst_frmVented.moc"
