// The passive-radiator window through its controls: the worked examples as
// the fields show them, the range message and the warning, activation from
// the design state, and the hand-over on Graph, Print and Exit.
#include "core/designstate.h"
#include "graph/CBGRAPH1.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/recorders.h"
#include "ui/boxwindowprobe.h"
#include "ui/frmRadiator.h"
#include "ui/frmVented.h"

#include <QtTest>

namespace {
const QStringList kResults { "szVpr", "szFb", "szF3", "szVvb", "szVover", "szH1", "szW1", "szD1" };

Message rangeMessage()
{
    Message m = msg::error("Qts Must be Between .2 and .44");
    m.icon = MsgIcon::Stop;
    return m;
}
} // namespace

class TestFrmRadiator : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsAndEnterCycle();
    void calculate_data();
    void calculate();
    void refusalsKeepTheShownDesign_data();
    void refusalsKeepTheShownDesign();
    void activation_data();
    void activation();
    void handOver_data();
    void handOver();
    void nothingHandedOverWithoutADesign();
    void ventedWindowDesignsAfresh();

private:
    void typeDriver(const QString& qts, const QString& vd = "1.6");

    MessageRecorder* m_messages = nullptr;
    WindowProbe<frmRadiator> w;
};

void TestFrmRadiator::init()
{
    m_messages = new MessageRecorder;
    designState() = DesignState();
    applyStartValues(designState());
}

void TestFrmRadiator::cleanup()
{
    deleteAllWindows();
    delete m_messages;
}

void TestFrmRadiator::typeDriver(const QString& qts, const QString& vd)
{
    w.type("szQts", qts);
    w.type("szVas", "2");
    w.type("szFar", "30");
    w.type("szVd", vd);
}

void TestFrmRadiator::controlsAndEnterCycle()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Passive Radiator"));
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

void TestFrmRadiator::calculate_data()
{
    QTest::addColumn<QString>("iso");
    QTest::addColumn<QString>("qts");
    QTest::addColumn<QStringList>("shown"); // as kResults
    QTest::addColumn<bool>("warns");

    QTest::newRow("worked example") << "N"
                                    << ".4"
                                    << QStringList { "4.98", "36.9", "35.7", "1.42", "1.56", "21.84", "13.48", "8.36" }
                                    << false;
    QTest::newRow("isobaric pair") << "y"
                                   << ".4"
                                   << QStringList { "4.98", "36.9", "35.7", ".71", ".78", "17.33", "10.7", "6.63" }
                                   << false;
    QTest::newRow("Qts .3 warns") << "N"
                                  << ".3"
                                  << QStringList { "3.58", "46.8", "50.1", ".65", ".71", "16.83", "10.39", "6.44" }
                                  << true;
}

void TestFrmRadiator::calculate()
{
    QFETCH(QString, iso);
    QFETCH(QString, qts);
    QFETCH(QStringList, shown);
    QFETCH(bool, warns);

    w.open();
    w.type("szISO", iso);
    typeDriver(qts);
    w.click("Command1");

    QCOMPARE(w.texts(kResults), shown);
    const DesignState& s = designState();
    QCOMPARE(s.ventedFb, shown[1].toFloat());
    QVERIFY(qAbs(s.ventedVb - shown[3].toFloat()) < 0.005f);
    QVERIFY(qAbs(s.boxWidth - shown[6].toFloat()) < 0.005f);
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(m_messages->shown,
        warns ? QVector<Message> { msg::warning("Tuning Frequency is Less Than Low Cutoff") } : QVector<Message> {});
    QCOMPARE(w.focused(), QString("szQts"));
}

void TestFrmRadiator::refusalsKeepTheShownDesign_data()
{
    QTest::addColumn<QString>("qts");
    QTest::addColumn<QString>("vas");
    QTest::addColumn<QString>("vd");
    QTest::addColumn<int>("outcome"); // 0 designed with szVpr kept, 1 range message, 2 beep alone

    QTest::newRow(".441") << ".441"
                          << "2"
                          << "1.6" << 1;
    QTest::newRow(".19") << ".19"
                         << "2"
                         << "1.6" << 1;
    QTest::newRow("Vas empty") << ".4"
                               << ""
                               << "1.6" << 2;
    QTest::newRow("Vd empty") << ".35"
                              << "2"
                              << "" << 0;
}

void TestFrmRadiator::refusalsKeepTheShownDesign()
{
    QFETCH(QString, qts);
    QFETCH(QString, vas);
    QFETCH(QString, vd);
    QFETCH(int, outcome);

    w.open();
    typeDriver(".4");
    w.click("Command1");
    m_messages->clear();
    const QStringList before = w.texts(kResults);

    typeDriver(qts, vd);
    w.type("szVas", vas);
    w.click("Command1");
    QCOMPARE(w.text("szVpr"), QString("4.98"));
    QCOMPARE(w.focused(), QString("szQts"));
    QCOMPARE(designState().designValid, std::int16_t(outcome == 0 ? 1 : 0));
    QCOMPARE(w.text("szFb"), outcome == 0 ? QString("41.7") : before[1]);
    QCOMPARE(m_messages->shown, outcome == 1 ? QVector<Message> { rangeMessage() } : QVector<Message> {});
    QCOMPARE(m_messages->beeps, outcome == 2 ? 1 : 0);
}

void TestFrmRadiator::activation_data()
{
    QTest::addColumn<float>("qts");
    QTest::addColumn<float>("vd");
    QTest::addColumn<QString>("vvb"); // empty: no design shown
    QTest::addColumn<bool>("rangeMessage");
    QTest::addColumn<int>("ventedValid"); // afterwards, from 1

    QTest::newRow("all four stored") << 0.3f << 1.6f << ".65" << false << 0; // no warning either
    QTest::newRow("no displacement volume") << 0.4f << 0.0f << "" << false << 1;
    QTest::newRow("Qts .441") << 0.441f << 1.6f << "" << true << 0;
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
    s.designValid = 1; // left by another window
    w.open();

    QCOMPARE(w.texts({ "szWoofBox", "szVas", "szFar", "szISO" }), (QStringList { "PR 10", " 2", " 30", "N" }));
    QCOMPARE(w.text("szVd"), vd > 0 ? QString(" 1.6") : QString());
    QCOMPARE(w.text("szVvb"), vvb);
    QCOMPARE(s.designValid, std::int16_t(vvb.isEmpty() ? 0 : 1));
    QCOMPARE(s.ventedValid, std::int16_t(ventedValid));
    QCOMPARE(w.window()->windowReady(), 1);
    QCOMPARE(m_messages->shown, rangeMessage ? QVector<Message> { ::rangeMessage() } : QVector<Message> {});
}

void TestFrmRadiator::handOver_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("displacements"); // radiatorVd and radiatorVpr stored
    QTest::newRow("Graph") << "btnGraph" << false;
    QTest::newRow("Print") << "Command2" << true;
    QTest::newRow("Exit") << "btnExit" << true;
    QTest::newRow("window frame") << "frame" << true; // closing never loses the design
}

void TestFrmRadiator::handOver()
{
    QFETCH(QString, how);
    QFETCH(bool, displacements);
    PrinterRecorder printers;
    QTemporaryDir dir;
    printers.answerPdfFile(dir.filePath("radiator.pdf"));
    w.open();
    w.type("szWoofBox", "Radiator Woofer");
    typeDriver(".4");
    w.click("Command1");
    w.type("szVpr", "5.5"); // typed results are what is handed over
    DesignState& s = designState();
    s.ventedValid = 1;
    s.graphDrawn = 1;
    QPointer<frmRadiator> window = w.window();
    if (how == "frame")
        window->close();
    else
        w.click(how);

    QCOMPARE(s.closedVb, 1.42f);
    QCOMPARE((QVector<float> { s.vas, s.qts, s.fs }), (QVector<float> { 2, 0.4f, 30 }));
    QCOMPARE(s.boxType, std::int16_t(2));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(s.radiatorVd, displacements ? 1.6f : 0.0f);
    QCOMPARE(s.radiatorVpr, displacements ? 5.5f : 0.0f);
    QCOMPARE(s.graphDrawn, std::int16_t(how == "btnGraph" ? 0 : 1));
    QCOMPARE(bool(existingWindow<CBGRAPH1>()), how == "btnGraph");
    QCOMPARE(printers.requests, how == "Command2" ? 1 : 0);
    if (how == "Command2") {
        const QString text = pdfText(dir.filePath("radiator.pdf"));
        QVERIFY2(text.contains("Suggested Radiator Volume Disp. = 5.5"), qPrintable(text));
    }
    if (how == "btnExit" || how == "frame") {
        QTRY_VERIFY(!window);
        QCOMPARE(s.driverName.text(), QString("Radiator Woofer").leftJustified(30));
        QCOMPARE(s.ventedValid, std::int16_t(0));
        QCOMPARE(s.designValid, std::int16_t(0));
    }
}

void TestFrmRadiator::nothingHandedOverWithoutADesign()
{
    DesignState& s = designState();
    s.boxValid = 1;
    w.open();
    typeDriver(".5");
    w.click("Command1");
    w.click("btnGraph");
    w.click("Command2");
    QVERIFY(!existingWindow<CBGRAPH1>());
    QCOMPARE(s.vas, 0.0f);
    QCOMPARE(s.radiatorVd, 0.0f);
    QCOMPARE(s.boxType, std::int16_t(-1));
    QCOMPARE(s.boxValid, std::int16_t(1));
    w.click("btnExit");
    QCOMPARE(s.boxValid, std::int16_t(0));
    QVERIFY(!s.driverName.isAssigned());
}

void TestFrmRadiator::ventedWindowDesignsAfresh()
{
    w.open();
    typeDriver(".4");
    w.click("Command1");
    w.click("btnExit");
    QCOMPARE(designState().ventedVb, float(2 / 1.41));

    WindowProbe<frmVented> vented;
    vented.open();
    QCOMPARE(vented.text("szVvb"), QString("2.16")); // the alignment, not the radiator's volume
}

QTEST_MAIN(TestFrmRadiator)
#include "tst_frmRadiator.moc"
