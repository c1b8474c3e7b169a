// The bandpass window through its controls: the worked example as the
// fields show it, the isobaric letter, the messages, the recalculation when
// the window opens, and the hand-over on Graph, Print and Exit.
#include "core/designstate.h"
#include "graph/CBGRAPH1.h"
#include "graph/curves.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/recorders.h"
#include "ui/FrmBand.h"
#include "ui/boxwindowprobe.h"

#include <QtTest>

namespace {
const QStringList kResults { "szFh3", "szVbb", "szVf", "szFbb", "szL", "szFsQt", "szPa" };
const QStringList kPorts { "szLv5", "szLv75", "szLv1", "szLv15", "szLv2", "szlv3", "szLv4", "szLv6", "szLv8" };
const QStringList kWorkedExample { "61.03", "1.39", ".98", "39.06", "20.873", "50", "1.55" };
const QStringList kWorkedPorts { "N/A", "N/A", ".68", "2.09", "4.2", "10.55", "19.72", "46.57", "84.75" };

void storeWorkedExample(DesignState& s)
{
    s.bandQts = 0.5f;
    s.bandVas = 2;
    s.bandFs = 25;
    s.bandFl3Input = 25;
    s.bandRe = 8;
    s.bandWooferName = QString("Sub 12");
}
} // namespace

class TestFrmBand : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsAndEnterCycle();
    void calculate_data();
    void calculate();
    void refusals_data();
    void refusals();
    void opening_data();
    void opening();
    void graphShowsTheBandpassBesideTheBox();
    void nothingHandedOverWithoutADesign();
    void handOver_data();
    void handOver();

private:
    void typeDriver(const QString& qts = ".5", const QString& fs = "25", const QString& fl3 = "25");

    MessageRecorder* m_messages = nullptr;
    WindowProbe<FrmBand> w;
};

void TestFrmBand::init()
{
    m_messages = new MessageRecorder;
    designState() = DesignState();
    applyStartValues(designState());
}

void TestFrmBand::cleanup()
{
    deleteAllWindows();
    delete m_messages;
}

void TestFrmBand::typeDriver(const QString& qts, const QString& fs, const QString& fl3)
{
    w.type("szQtsb", qts);
    w.type("szVasb", "2");
    w.type("szFarb", fs);
    w.type("szFl3", fl3);
    w.type("szRdcb", "8");
}

void TestFrmBand::controlsAndEnterCycle()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Bandpass (Subwoofer)"));
    const QStringList captions = w.captions();
    for (const char* caption : { "Woofer Name :", "Enter Driver Qts:", "Isobaric Configuration",
             "Enter data for 1 woofer", "Enter Driver Impedance:", "Ohms",
             "Enter Vas:", "Enter Free Air Resonance (Fs):", "Desired Low Frequency Cutoff:", "High Frequency Cutoff:",
             "Sealed Section Volume:", "Vented Section Volume:", "Tuning Frequency:", "Optional Coil:", "mH", "Fs/Qts:",
             "Best Below 100", "Pa Compared to Closed or Vented Box:", "dB", "Port Diameter ", ".75", "Port Length" })
        QVERIFY2(captions.contains(caption), caption);
    QCOMPARE(w.buttonRow(), (QStringList { "btnGraph=Graph", "Command1=Calculate", "btnExit=Exit", "Command2=Print" }));

    const QStringList cycle { "szWoofBP", "szQtsb", "szRdcb", "szVasb", "szFarb", "szFl3", "szISOB", "szWoofBP" };
    w.field(cycle[0])->setFocus(Qt::TabFocusReason);
    for (int i = 1; i < cycle.size(); ++i) {
        QTest::keyClick(w.field(cycle[i - 1]), Qt::Key_Return);
        QCOMPARE(w.focused(), cycle[i]);
    }
}

void TestFrmBand::calculate_data()
{
    QTest::addColumn<QString>("iso");
    QTest::addColumn<QString>("fl3");
    QTest::addColumn<QStringList>("shown"); // as kResults
    QTest::addColumn<QStringList>("ports");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("worked example") << ""
                                    << "25" << kWorkedExample << kWorkedPorts << QStringList {};
    QTest::newRow("isobaric pair") << "y"
                                   << "25" << QStringList { "61.03", ".69", ".49", "39.06", "10.437", "50", "1.55" }
                                   << QStringList { "N/A", "1.04", "2.1", "5.27", "9.86", "23.29", "42.37", "97.53",
                                          "175.34" }
                                   << QStringList {};
    QTest::newRow("tuning above the high cut-off")
        << ""
        << "60" << QStringList { "96.03", ".", ".98", "516.63", "13.265", "50", "-2299.61" } << QStringList(9, "N/A")
        << QStringList { "Tuning Frequency is Greater Than Low Cutoff" };
}

void TestFrmBand::calculate()
{
    QFETCH(QString, iso);
    QFETCH(QString, fl3);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, ports);
    QFETCH(QStringList, warnings);

    w.open();
    if (!iso.isEmpty()) {
        w.field("szISOB")->setFocus(Qt::TabFocusReason);
        w.field("szISOB")->selectAll();
        QTest::keyClicks(w.field("szISOB"), iso);
        QCOMPARE(w.text("szISOB"), iso.toUpper());
        QCOMPARE(w.focused(), QString("szQtsb"));
    }
    typeDriver(".5", "25", fl3);
    w.click("Command1");

    QCOMPARE(w.texts(kResults), shown);
    QCOMPARE(w.texts(kPorts), ports);
    const DesignState& s = designState();
    QCOMPARE(s.bandIsoFactor, iso.isEmpty() ? 1.0f : 0.5f);
    QCOMPARE(s.bandFb, shown[3] == "39.06" ? 39.060463f : s.bandFb);
    QVERIFY(qAbs(s.bandSealedVb - shown[1].toFloat()) < 0.005f);
    QVERIFY(qAbs(s.bandCoilL - shown[4].toFloat()) < 0.0005f);
    QVERIFY(qAbs(s.bandPa - shown[6].toDouble()) < 0.005);
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(m_messages->prompts(), warnings);
    QCOMPARE(w.focused(), QString("szQtsb"));
}

void TestFrmBand::refusals_data()
{
    QTest::addColumn<QString>("qts");
    QTest::addColumn<QString>("fs");
    QTest::addColumn<QString>("fl3");
    QTest::addColumn<QString>("prompt"); // empty: nothing is said
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("clears"); // szFh3, szVbb, szVf and szFbb emptied, designValid 0

    QTest::newRow("Fs empty") << ".5"
                              << ""
                              << "25"
                              << "Free Air Resonance (Fs) Must be Greater Than 0"
                              << "szFarb" << false;
    QTest::newRow("Fs equal to Qts") << ".5"
                                     << ".5"
                                     << "25"
                                     << "Qts Can Not Equal Resonant Frequency"
                                     << "szQtsb" << false;
    QTest::newRow("Fl3 empty") << ".5"
                               << "25"
                               << ""
                               << ""
                               << "szQtsb" << false;
    QTest::newRow("Qts above Qtc") << ".5"
                                   << "25"
                                   << "5"
                                   << "Driver Not Acceptable Qts to High"
                                   << "szQtsb" << true;
    QTest::newRow("Qts 1e-30") << "1e-30"
                               << "25"
                               << "25"
                               << "Result Out of Range: Check Qts, Vas, Free Air Resonance and Low Frequency Cutoff"
                               << "szQtsb" << false;
}

void TestFrmBand::refusals()
{
    QFETCH(QString, qts);
    QFETCH(QString, fs);
    QFETCH(QString, fl3);
    QFETCH(QString, prompt);
    QFETCH(QString, focus);
    QFETCH(bool, clears);

    w.open();
    typeDriver();
    w.click("Command1");
    m_messages->clear();
    const DesignState before = designState();

    typeDriver(qts, fs, fl3);
    w.click("Command1");
    const DesignState& s = designState();
    QCOMPARE(m_messages->shown, prompt.isEmpty() ? QVector<Message> {} : QVector<Message> { msg::error(prompt, true) });
    QCOMPARE(w.focused(), focus);
    QCOMPARE(s.bandSealedVb, before.bandSealedVb);
    QCOMPARE(s.bandPa, before.bandPa);
    QCOMPARE(w.texts({ "szL", "szFsQt", "szPa" }), (QStringList { "20.873", "50", "1.55" }));
    const QStringList kept { "61.03", "1.39", ".98", "39.06" };
    QCOMPARE(w.texts({ "szFh3", "szVbb", "szVf", "szFbb" }), clears ? QStringList(4, QString()) : kept);
    // Only a failed driver check or a result out of range withdraws the design.
    QCOMPARE(s.designValid, std::int16_t(clears || qts == "1e-30" ? 0 : 1));
}

void TestFrmBand::opening_data()
{
    QTest::addColumn<float>("re");
    QTest::addColumn<float>("fs");
    QTest::addColumn<double>("fl3");
    QTest::addColumn<QStringList>("shown"); // as kResults
    QTest::addColumn<QString>("prompt");

    const QStringList nothing(7, QString());
    QTest::newRow("all five stored") << 8.0f << 25.0f << 25.0 << kWorkedExample << "";
    QTest::newRow("no impedance") << 0.0f << 25.0f << 25.0 << nothing << "";
    QTest::newRow("no Fs") << 8.0f << 0.0f << 25.0 << nothing << "";
    // The driver check is not made on opening: no results rather than a negative volume.
    QTest::newRow("Qts above Qtc") << 8.0f << 25.0f << 5.0 << nothing << "";
    QTest::newRow("Fs equal to Qts") << 8.0f << 0.5f << 25.0 << nothing << "Qts Can Not Equal Resonant Frequency";
}

void TestFrmBand::opening()
{
    QFETCH(float, re);
    QFETCH(float, fs);
    QFETCH(double, fl3);
    QFETCH(QStringList, shown);
    QFETCH(QString, prompt);

    DesignState& s = designState();
    storeWorkedExample(s);
    s.bandRe = re;
    s.bandFs = fs;
    s.bandFl3Input = fl3;
    s.bandIsoFactor = 1;
    s.designValid = 1; // left by another window
    w.open();

    QCOMPARE(w.texts({ "szWoofBP", "szQtsb", "szVasb", "szFl3", "szISOB" }),
        (QStringList { "Sub 12", " .5", " 2", " " + QString::number(fl3), "N" }));
    QCOMPARE(w.text("szRdcb"), re > 0 ? QString(" 8") : QString());
    QCOMPARE(s.bandS, 0.7f);
    QCOMPARE(w.texts(kResults), shown);
    QCOMPARE(s.designValid, std::int16_t(shown[0].isEmpty() ? 0 : 1));
    QCOMPARE(m_messages->shown, prompt.isEmpty() ? QVector<Message> {} : QVector<Message> { msg::error(prompt) });
    QCOMPARE(m_messages->beeps, 0);
    QCOMPARE(w.window()->windowReady(), 1);
}

void TestFrmBand::graphShowsTheBandpassBesideTheBox()
{
    DesignState& s = designState();
    s.boxType = 2;
    s.boxValid = 1;
    s.qts = 0.4f;
    s.vas = 2;
    s.fs = 30;
    s.closedVb = 1.42f;
    s.ventedFb = 36.9f;
    s.isoFactor = 1;
    w.open();
    typeDriver();
    w.click("Command1");
    s.graphDrawn = 1;
    w.click("btnGraph");

    QCOMPARE(s.bandFl3, 25.0f);
    QCOMPARE(s.bandFb, 39.06f); // as shown
    QCOMPARE(s.bandFh3, 61.03f);
    QCOMPARE(s.bandValid, std::int16_t(1));
    QCOMPARE(s.graphDrawn, std::int16_t(0));
    QCOMPARE(s.boxType, std::int16_t(2));
    QVERIFY(existingWindow<CBGRAPH1>());
    const ResponseCurves curves = computeCurves(s);
    QVERIFY(curves.bandpass);
    QVERIFY(curves.box);
    QCOMPARE(curves.title->text, QString("Bandpass and Passive Box Design"));
}

void TestFrmBand::nothingHandedOverWithoutADesign()
{
    w.open();
    typeDriver(".5", "25", "5");
    w.click("Command1"); // the driver check fails
    const DesignState before = designState();
    w.click("btnGraph");
    w.click("Command2");
    w.click("btnExit");
    const DesignState& s = designState();
    QVERIFY(!existingWindow<CBGRAPH1>());
    QCOMPARE(s.bandValid, before.bandValid);
    QCOMPARE(s.bandFl3, before.bandFl3);
    QCOMPARE(s.bandQts, before.bandQts);
}

void TestFrmBand::handOver_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Print") << "Command2";
    QTest::newRow("Exit button") << "btnExit";
    QTest::newRow("window frame") << "frame";
}

void TestFrmBand::handOver()
{
    QFETCH(QString, how);
    PrinterRecorder printers;
    QTemporaryDir dir;
    printers.answerPdfFile(dir.filePath("bandpass.pdf"));
    w.open();
    w.type("szWoofBP", "Bandpass Woofer");
    typeDriver();
    w.click("Command1");
    w.type("szFbb", "40"); // typed results are what is handed over
    QPointer<FrmBand> window = w.window();
    if (how == "frame")
        window->close();
    else
        w.click(how);

    const DesignState& s = designState();
    QCOMPARE((QVector<float> { s.bandVas, s.bandQts, s.bandFl3, s.bandFb, s.bandFh3, s.bandRe, s.bandFs }),
        (QVector<float> { 2, 0.5f, 25, 40, 61.03f, 8, 25 }));
    QCOMPARE(s.bandFl3Input, 25.0);
    QCOMPARE(s.bandWooferName.text(), QString("Bandpass Woofer").leftJustified(30));
    QCOMPARE(s.bandValid, std::int16_t(1));
    QCOMPARE(s.boxValid, std::int16_t(0));
    QCOMPARE(printers.requests, how == "Command2" ? 1 : 0);
    if (how == "Command2") {
        QCOMPARE(s.designValid, std::int16_t(1));
        const QString text = pdfText(dir.filePath("bandpass.pdf"));
        QVERIFY2(text.contains("Sealed Section Volume = 1.39"), qPrintable(text));
        return;
    }
    QTRY_VERIFY(!window);
    QCOMPARE(s.designValid, std::int16_t(0));
}

QTEST_MAIN(TestFrmBand)
#include "tst_FrmBand.moc"
