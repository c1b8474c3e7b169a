// The vented-box window through its controls: the worked examples with their
// nine port fields, the two recomputations on leaving szFb and szVvb, the
// refusals, activation across windows and the hand-over on Graph, Print and
// Exit.
#include "core/designstate.h"
#include "graph/CBGRAPH1.h"
#include "support/recorders.h"
#include "ui/boxwindowprobe.h"
#include "ui/frmClose.h"
#include "ui/frmVented.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

namespace {
const QString kF3Warning = "Tuning Frequency is Less Than Low Cutoff";
const QStringList kPortFields { "szLv5", "szLv75", "szLv1", "szLv15", "szLv2", "szlv3", "szLv4", "szLv6", "szLv8" };
const QStringList kShownFields { "szVvb", "szVover", "szFb", "szF3", "szH", "szH1", "szW1", "szD1" };
} // namespace

class TestFrmVented : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsAndCaptions();
    void enterMovesAlongTheCycle();
    void calculate_data();
    void calculate();
    void calculateWarnsAndCompletes();
    void calculateWithoutADriverOnlyBeeps();
    void isobaricLetterTakesEffectAtNextCalculation();
    void leavingSzFbRecomputesTheVolume();
    void leavingSzVvbRecomputesTheTuning();
    void leavingSzVvbUnchangedRestoresTheAlignment();
    void recomputationsRefuseAClearedDriverValue_data();
    void recomputationsRefuseAClearedDriverValue();
    void nothingHappensWithoutADesign();
    void graphHandsOverAndOpensTheGraph();
    void printHandsOver();
    void exitHandsOverAndReopeningShowsTheSameDesign();
    void closedBoxActivationMakesTheVentedWindowDesignAfresh();
    void switchingWindowsRefillsBoth();
    void closingAMessageBoxDoesNotRefill();

private:
    void storeExampleDriver();
    void calculateExample(const QString& iso = "N");

    MessageRecorder* m_messages = nullptr;
    WindowProbe<frmVented> w;
};

void TestFrmVented::init()
{
    m_messages = new MessageRecorder;
    designState() = DesignState();
    applyStartValues(designState());
}

void TestFrmVented::cleanup()
{
    deleteAllWindows();
    delete m_messages;
}

void TestFrmVented::storeExampleDriver()
{
    DesignState& s = designState();
    s.qts = 0.4f;
    s.vas = 2;
    s.fs = 30;
}

// The worked example typed in: Qts .4, Vas 2, Fs 30.
void TestFrmVented::calculateExample(const QString& iso)
{
    w.open();
    w.type("szQts", ".4");
    w.type("szVas", "2");
    w.type("szFar", "30");
    w.type("szISO", iso);
    w.click("Command1");
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
    QCOMPARE(w.text("szVvb"), QString("2.16"));
    w.field("szISO")->setFocus(Qt::TabFocusReason);
    w.field("szISO")->selectAll();
    QTest::keyClicks(w.field("szISO"), "y");
    QCOMPARE(w.text("szISO"), QString("Y"));
    QCOMPARE(designState().isoFactor, 0.5f);
    QCOMPARE(w.focused(), QString("szQts"));
    QCOMPARE(w.text("szVvb"), QString("2.16")); // the shown design stays until Calculate
    w.click("Command1");
    QCOMPARE(w.text("szVvb"), QString("1.08"));
    QCOMPARE(w.texts(kPortFields),
        (QStringList { "N/A", ".78", "1.64", "4.23", "8.01", "19.13", "34.98", "80.9", "145.78" }));
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
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFrmVented::calculate_data()
{
    QTest::addColumn<QString>("iso");
    QTest::addColumn<QStringList>("shown"); // as kShownFields
    QTest::addColumn<QStringList>("ports");
    QTest::addColumn<float>("ventedVb");

    QTest::newRow("one driver") << "N"
                                << QStringList { "2.16", "2.38", "28.74", "28.13", ".107", "25.13", "15.51", "9.62" }
                                << QStringList { "N/A", "N/A", "N/A", "1.57", "3.28", "8.47", "16.03", "38.26",
                                       "69.96" }
                                << 2.1629f;
    QTest::newRow("isobaric pair") << "Y"
                                   << QStringList { "1.08", "1.19", "28.74", "28.13", ".107", "19.95", "12.31", "7.64" }
                                   << QStringList { "N/A", ".78", "1.64", "4.23", "8.01", "19.13", "34.98", "80.9",
                                          "145.78" }
                                   << 1.0814f;
}

void TestFrmVented::calculate()
{
    QFETCH(QString, iso);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, ports);
    QFETCH(float, ventedVb);

    calculateExample(iso);
    QCOMPARE(w.texts(kShownFields), shown);
    QCOMPARE(w.texts(kPortFields), ports);
    const DesignState& s = designState();
    QVERIFY(qAbs(s.ventedVb - ventedVb) < 0.00006f);
    QVERIFY(qAbs(s.ventedFb - 28.742f) < 0.0005f);
    QVERIFY(qAbs(s.ventedF3 - 28.133f) < 0.0005f);
    QCOMPARE(s.boxHeight, s.boxWidth * 1.62f);
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(s.ventedValid, std::int16_t(1));
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(w.focused(), QString("szQts"));
}

void TestFrmVented::calculateWarnsAndCompletes()
{
    w.open();
    w.type("szQts", ".3");
    w.type("szVas", "2");
    w.type("szFar", "30");
    w.click("Command1");
    QCOMPARE(m_messages->shown, QVector<Message> { msg::warning(kF3Warning) });
    QCOMPARE(w.text("szFb"), QString("37.24"));
    QCOMPARE(w.text("szF3"), QString("42.08"));
    QCOMPARE(designState().designValid, std::int16_t(1));
}

void TestFrmVented::calculateWithoutADriverOnlyBeeps()
{
    calculateExample();
    m_messages->clear();
    const DesignState before = designState();
    w.type("szFar", "");
    w.click("Command1");
    QCOMPARE(m_messages->beeps, 1);
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(w.focused(), QString("szQts"));
    QCOMPARE(designState().designValid, std::int16_t(0));
    QCOMPARE(designState().ventedVb, before.ventedVb);
    QCOMPARE(w.text("szVvb"), QString("2.16"));
}

void TestFrmVented::leavingSzFbRecomputesTheVolume()
{
    calculateExample();
    w.typeAndEnter("szFb", "25");

    QCOMPARE(
        w.texts(kShownFields), (QStringList { "3.54", "3.89", "25", "22.55", "-1.395", "29.61", "18.28", "11.33" }));
    QCOMPARE(
        w.texts(kPortFields), (QStringList { "N/A", "N/A", "N/A", "1.06", "2.37", "6.43", "12.4", "30.09", "55.45" }));
    const DesignState& s = designState();
    QVERIFY(qAbs(s.ventedVb - 3.5357f) < 0.00006f);
    QCOMPARE(s.ventedFb, 25.0f);
    QVERIFY(qAbs(s.ventedF3 - 22.55f) < 0.005f);
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.ventedValid, std::int16_t(1));
    QCOMPARE(s.recalcBusy, std::int16_t(0));
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(w.focused(), QString("szWoofBox"));
}

void TestFrmVented::leavingSzVvbRecomputesTheTuning()
{
    calculateExample();
    w.typeAndEnter("szVvb", "3");

    QCOMPARE(w.texts(kShownFields), (QStringList { "3", "3.3", "26.35", "24.49", "-.892", "28.03", "17.3", "10.73" }));
    QCOMPARE(
        w.texts(kPortFields), (QStringList { "N/A", "N/A", "N/A", "1.19", "2.6", "6.95", "13.33", "32.19", "59.18" }));
    QCOMPARE(designState().ventedVb, 3.0f);
    QCOMPARE(designState().recalcBusy, std::int16_t(0));
}

void TestFrmVented::leavingSzVvbUnchangedRestoresTheAlignment()
{
    calculateExample();
    w.typeAndEnter("szFb", "25");
    w.typeAndEnter("szVvb", "2.16");
    QCOMPARE(w.text("szFb"), QString("28.74"));
    QCOMPARE(w.text("szF3"), QString("28.13"));
    QCOMPARE(w.text("szH"), QString("0")); // Calculate showed .107
    QCOMPARE(w.text("szLv15"), QString("1.57"));
    QVERIFY(qAbs(designState().ventedVb - 2.1629f) < 0.00006f);
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

    QCOMPARE(m_messages->shown, QVector<Message> { msg::error(prompt, true) });
    QCOMPARE(w.focused(), cleared);
    const DesignState& s = designState();
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(s.recalcBusy, std::int16_t(0));
    QCOMPARE(s.ventedVb, before.ventedVb);
    QCOMPARE(s.ventedFb, before.ventedFb);
    QCOMPARE(s.boxHeight, before.boxHeight);
    QCOMPARE(w.text("szF3"), QString("28.13"));
    // Until the next Calculate nothing recomputes, hands over or beeps again.
    m_messages->clear();
    w.typeAndEnter("szFb", "27");
    w.click("btnGraph");
    QVERIFY(!existingWindow<CBGRAPH1>());
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(w.text("szF3"), QString("28.13"));
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
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(m_messages->beeps, 0);

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
    calculateExample();
    w.type("szWoofBox", "Vented Woofer");
    w.typeAndEnter("szFb", "25");
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
    QCOMPARE(
        w.texts(kShownFields), (QStringList { "3.54", "3.89", "25.", "22.55", "-1.395", "29.61", "18.28", "11.33" }));
    QCOMPARE(
        w.texts(kPortFields), (QStringList { "N/A", "N/A", "N/A", "1.06", "2.37", "6.43", "12.4", "30.09", "55.45" }));
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(w.focused(), QString("szWoofBox"));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFrmVented::closedBoxActivationMakesTheVentedWindowDesignAfresh()
{
    calculateExample();
    w.typeAndEnter("szFb", "25");
    w.click("btnExit");
    QCOMPARE(designState().ventedValid, std::int16_t(1));

    auto* closed = openWindow<frmClose>();
    QVERIFY(QTest::qWaitForWindowActive(closed));
    QCOMPARE(designState().ventedValid, std::int16_t(0));

    w.open();
    QCOMPARE(w.text("szFb"), QString("28.74"));
    QCOMPARE(w.text("szVvb"), QString("2.16"));
    QCOMPARE(w.text("szH"), QString("0")); // no formula on activation
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFrmVented::switchingWindowsRefillsBoth()
{
    storeExampleDriver();
    w.open();
    QCOMPARE(w.text("szFb"), QString("28.74"));
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
    QCOMPARE(w.text("szFb"), QString("37.24")); // the closed window cleared ventedValid
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
