// The passive-radiator window through its controls: designs and refusals as
// the fields show them, activation from the design state, and the hand-over
// on Graph, Print and Exit.
#include "core/designstate.h"
#include "core/units.h"
#include "design/workedexamples.h"
#include "graph/CBGRAPH1.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/windowtest.h"
#include "ui/frmRadiator.h"
#include "ui/frmVented.h"
#include "ui/keptnumbers.h"

#include <QtTest>

namespace {
const QStringList kResults { "szVpr", "szFb", "szF3", "szVvb", "szVover", "szH1", "szW1", "szD1" };
const QStringList& kWorkedExample = worked::kRadiator[0].shown;

Message rangeMessage()
{
    Message m = msg::error("Qts Must be Between .2 and .44");
    m.icon = MsgIcon::Stop;
    return m;
}
} // namespace

class TestFrmRadiator : public WindowTest {
    Q_OBJECT
private slots:
    void workedExamplesTypedInMetric_data();
    void workedExamplesTypedInMetric();
    void controlsAndEnterCycle();
    void calculate_data();
    void calculate();
    void activation_data();
    void activation();
    void handOver_data();
    void handOver();
    void ventedWindowDesignsAfresh();

private:
    // Types szISO, szQts, szVas and szVd (Fs 30 Hz) and presses Calculate.
    void calculateWith(const QStringList& isoQtsVasVd = worked::kRadiator[0].typed)
    {
        w.type({ "szISO", "szQts", "szVas", "szVd" }, isoQtsVasVd);
        w.type("szFar", "30");
        w.click("Command1");
    }

    WindowProbe<frmRadiator> w;
};

void TestFrmRadiator::controlsAndEnterCycle()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Passive Radiator"));
    // The isobaric group stands above the woofer name, over its field.
    const QRect iso = w.field("szISO")->geometry(), name = w.field("szWoofBox")->geometry();
    QVERIFY(iso.bottom() < name.top());
    QVERIFY(name.left() < iso.center().x() && iso.center().x() < name.right());
    const QStringList captions = w.captions();
    for (const char* caption : { "Isobaric Configuration", "(Enter data for 1 woofer)",
             "Woofer Name :", "Enter Driver Qts:", ".2000 - .4400", "Enter Vas:", "Enter Free Air Resonance:",
             "Speaker Displacement Volume:", "Vented Box Volume:", "10% Over Volume", "Dimensions (Inches)",
             "Tuning Frequency:", "Low Frequency Cut-Off(-3dB):", "Suggested Radiator Volume:" })
        QVERIFY2(captions.contains(caption), caption);
    // m³ × 10⁻⁴ as one caption with real superscripts, beside both volumes.
    QCOMPARE(captions.count("m<sup>3</sup> X 10<sup>-4</sup>"), 2);
    QCOMPARE(w.buttonRow(), (QStringList { "btnGraph=Graph", "Command1=Calculate", "btnExit=Exit", "Command2=Print" }));

    w.type("szISO", "N");
    const QStringList cycle { "szWoofBox", "szQts", "szVas", "szFar", "szVd", "szISO", "szWoofBox" };
    w.field(cycle[0])->setFocus(Qt::TabFocusReason);
    for (int i = 1; i < cycle.size(); ++i) {
        QTest::keyClick(w.field(cycle[i - 1]), Qt::Key_Return);
        QCOMPARE(w.focused(), cycle[i]);
    }
}

// Typed in litres, each worked example gives the imperial design within the
// digits shown; the displacement is the same in either units.
void TestFrmRadiator::workedExamplesTypedInMetric_data() { worked::addRows(worked::kRadiator); }

void TestFrmRadiator::workedExamplesTypedInMetric()
{
    QFETCH(worked::Radiator, e);
    setUnitSystem(UnitSystem::Metric);
    w.open();
    calculateWith(e.inMetric);
    const QString differs = metricDifferences(w.window(), kResults, e.shown);
    QVERIFY2(differs.isEmpty(), qPrintable(differs));
    QCOMPARE(w.text("szVpr"), e.shown[0]);
    QVERIFY(w.captions().contains("Litres"));
}

void TestFrmRadiator::calculate_data()
{
    QTest::addColumn<QStringList>("in"); // szISO, szQts, szVas, szVd
    QTest::addColumn<QStringList>("shown"); // as kResults
    QTest::addColumn<QVector<Message>>("said");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<bool>("designed");

    const QVector<Message> none, range { rangeMessage() };
    const QVector<Message> warning { msg::warning("Tuning Frequency is Less Than Low Cutoff") };
    for (const worked::Radiator& e : worked::kRadiator) // the isobaric letter typed in lower case
        QTest::newRow(e.name) << QStringList { e.typed[0] == "Y" ? "y" : "N" } + e.typed.mid(1) << e.shown
                              << (e.warns ? warning : none) << 0 << true;
    // Refused: the worked example calculated before stays shown.
    QTest::newRow("Qts .441") << QStringList { "N", ".441", "2", "1.6" } << kWorkedExample << range << 0 << false;
    QTest::newRow("Qts .19") << QStringList { "N", ".19", "2", "1.6" } << kWorkedExample << range << 0 << false;
    QTest::newRow("Vas empty") << QStringList { "N", ".4", "", "1.6" } << kWorkedExample << none << 1 << false;
    QTest::newRow("Vd empty: szVpr kept")
        << QStringList { "N", ".35", "2", "" }
        << QStringList { "4.98", "41.7", "41.4", ".97", "1.07", "19.25", "11.88", "7.37" } << none << 0 << true;
}

void TestFrmRadiator::calculate()
{
    QFETCH(QStringList, in);
    QFETCH(QStringList, shown);
    QFETCH(QVector<Message>, said);
    QFETCH(int, beeps);
    QFETCH(bool, designed);

    w.open();
    calculateWith();
    messages().clear();
    calculateWith(in);

    QCOMPARE(w.texts(kResults), shown);
    QCOMPARE(w.text("szISO"), in[0].toUpper());
    const DesignState& s = designState();
    QCOMPARE(s.isoFactor, in[0] == "y" ? 0.5f : 1.0f);
    QCOMPARE(s.designValid, std::int16_t(designed ? 1 : 0));
    QCOMPARE(messages().shown, said);
    QCOMPARE(messages().beeps, beeps);
    QCOMPARE(w.focused(), QString("szQts"));
    // The window keeps its design until it hands it over.
    QCOMPARE((QVector<float> { s.ventedFb, s.ventedVb, s.boxWidth }), QVector<float>(3, 0));
    w.click("btnGraph");
    if (designed) {
        QCOMPARE(s.ventedFb, shown[1].toFloat());
        QVERIFY(qAbs(s.ventedVb - shown[3].toFloat()) < 0.005f);
        QVERIFY(qAbs(s.boxWidth - shown[6].toFloat()) < 0.005f);
    } else {
        QCOMPARE(s.ventedFb, 0.0f);
    }
}

void TestFrmRadiator::activation_data()
{
    QTest::addColumn<float>("qts");
    QTest::addColumn<float>("vd");
    QTest::addColumn<QString>("vvb"); // empty: no design shown
    QTest::addColumn<bool>("rangeMessage");
    QTest::addColumn<int>("ventedValid"); // afterwards, from 1: activation hands nothing over

    QTest::newRow("all four stored") << 0.3f << 1.6f << ".65" << false << 1; // no warning either
    QTest::newRow("no displacement volume") << 0.4f << 0.0f << "" << false << 1;
    QTest::newRow("Qts .441") << 0.441f << 1.6f << "" << true << 1;
}

void TestFrmRadiator::activation()
{
    QFETCH(float, qts);
    QFETCH(float, vd);
    QFETCH(QString, vvb);
    QFETCH(bool, rangeMessage);
    QFETCH(int, ventedValid);

    DesignState& s = designState();
    s.qts = qts;
    s.vas = 2;
    s.fs = 30;
    s.radiatorVd = vd;
    s.driverName = QString(" PR 10 ");
    s.ventedValid = 1;
    s.recalcBusy = 1;
    s.designValid = 1; // left by another window
    w.open();

    QCOMPARE(w.texts({ "szWoofBox", "szVas", "szFar", "szISO" }), (QStringList { "PR 10", " 2", " 30", "N" }));
    QCOMPARE(w.text("szVd"), vd > 0 ? QString(" 1.6") : QString());
    QCOMPARE(w.text("szVvb"), vvb);
    QCOMPARE(s.designValid, std::int16_t(vvb.isEmpty() ? 0 : 1));
    QCOMPARE(s.ventedValid, std::int16_t(ventedValid));
    QCOMPARE(s.recalcBusy, std::int16_t(0));
    QCOMPARE(w.window()->windowReady(), 1);
    QCOMPARE(messages().shown, rangeMessage ? QVector<Message> { ::rangeMessage() } : QVector<Message> {});
}

void TestFrmRadiator::handOver_data() { addHandOverRows(); }

void TestFrmRadiator::handOver()
{
    QFETCH(QString, how);
    QFETCH(bool, designed);
    PrintAnswer pdf;
    DesignState& s = designState();
    s.boxValid = 1; // an earlier box design
    w.open();
    w.type("szWoofBox", "Radiator Woofer");
    calculateWith({ "N", designed ? ".4" : ".5", "2", "1.6" });
    w.type("szVpr", "5.5"); // typed results are what is handed over
    s.ventedValid = 1;
    s.graphDrawn = 1;
    QPointer<frmRadiator> window = w.window();
    if (how == "frame")
        window->close();
    else
        w.click(how);

    const bool graph = designed && how == "btnGraph", print = designed && how == "Command2";
    const bool closes = how == "btnExit" || how == "frame";
    QCOMPARE((QVector<float> { s.closedVb, s.vas, s.qts, s.fs }),
        designed ? (QVector<float> { kWorkedExample[3].toFloat(), 2, 0.4f, 30 }) : QVector<float>(4, 0));
    QCOMPARE(s.boxType, designed ? BoxType::Radiator : BoxType::None);
    QCOMPARE(s.boxValid, std::int16_t(designed || !closes ? 1 : 0));
    QCOMPARE(s.radiatorVd, designed && !graph ? 1.6f : 0.0f);
    QCOMPARE(s.radiatorVpr, designed && !graph ? 5.5f : 0.0f);
    QCOMPARE(s.graphDrawn, std::int16_t(graph ? 0 : 1));
    QCOMPARE(bool(existingWindow<CBGRAPH1>()), graph);
    QCOMPARE(pdf.printers.requests, print ? 1 : 0);
    if (print) {
        const QString text = pdf.text();
        QVERIFY2(text.contains("Suggested Radiator Volume Disp. = 5.5"), qPrintable(text));
    }
    if (graph) // kept in the graph, its numbers are the window's
        QCOMPARE(kept::differences(w.window(), "passive radiator",
                     { { kept::kVolume, "szVvb" }, { "Fb, Fc (Hz)", "szFb" }, { "F3 (Hz)", "szF3" }, { "Qts", "szQts" },
                         { "Qtc", "" } }),
            QStringList());
    if (closes) {
        QTRY_VERIFY(!window);
        QCOMPARE(s.driverName.text(), designed ? QString("Radiator Woofer").leftJustified(30) : QString());
        QCOMPARE(s.ventedValid, std::int16_t(designed ? 0 : 1));
        QCOMPARE(s.designValid, std::int16_t(0));
    }
}

void TestFrmRadiator::ventedWindowDesignsAfresh()
{
    w.open();
    calculateWith();
    w.click("btnExit");
    QCOMPARE(designState().ventedVb, float(2 / 1.41));

    WindowProbe<frmVented> vented;
    vented.open();
    QCOMPARE(vented.text("szVvb"), worked::kVented[0].shown[0]); // the alignment, not the radiator's volume
}

QTEST_MAIN(TestFrmRadiator)
#include "tst_frmRadiator.moc"
