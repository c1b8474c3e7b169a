// The passive 3-way window through its controls.
#include "graph/CBGRAPH1.h"
#include "graph/curves.h"
#include "platform/pictures.h"
#include "ui/crossoverprobe.h"
#include "ui/frmXover3.h"

#include <QLineEdit>
#include <QtTest>

namespace {
const QStringList kResults { "szL1", "szC1", "szL2", "szC2", "szL3", "szC3", "szL4", "szC4" };
const QStringList& k12dB = worked::kPassive3[0].shown;
const QStringList& k6dB = worked::kPassive3[1].shown;
const QString& kHigh = worked::kPassive3Typed[0];
const QString& kLow = worked::kPassive3Typed[1]; // proposed by the window
const QString& kImpedance = worked::kPassive3Typed[2];
const QString kOrder = "High Crossover must be greater then Low Crossover";
} // namespace

class TestFrmXover3 : public WindowTest {
    Q_OBJECT
private slots:
    void controlsAndCaptions();
    void typedDesignShowsPrintsAndHandsOverTheCoils_data();
    void typedDesignShowsPrintsAndHandsOverTheCoils();
    void frequencyOrder_data();
    void frequencyOrder();
    void activationKeepsTheStoredLowFrequency();
    void reactivationWithTheOtherSlope();
    void responseModelAfterExitDisplayedAfterGraph();
    void invalidEditWithdrawsGraphCoilsAndCrossover();

private:
    // The same impedance everywhere, then the high frequency, which proposes the low one.
    void typeExample(int is12dB)
    {
        designState().xoverIs12dB = std::int16_t(is12dB);
        w.open();
        w.type({ "szRh", "szRm", "szRl", "szFrqh" }, { kImpedance, kImpedance, kImpedance, kHigh });
    }
    WindowProbe<frmXover3> w;
};

void TestFrmXover3::controlsAndCaptions()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Passive 3 Way Crossover Design"));
    for (const char* caption : { "High Crossover Frequency:", "Low Crossover Frequency:", "Enter Tweeter Impedance:",
             "Enter Mid-Range Impedance:", "Enter Woofer Impedance:", "L3 =", "C4 =" })
        QVERIFY2(w.captions().contains(caption), caption);
    QCOMPARE(w.window()->findChild<QLabel*>("Label26")->text(), QString("3.4"));
    QCOMPARE(w.window()->findChild<QLabel*>("Label27")->text(), QString("Octaves"));
    QCOMPARE(w.buttonRow(), (QStringList { "Command4=Graph", "Command3=L Design", "Command2=Print", "Command1=Exit" }));
    w.field("szFrqh")->setFocus(Qt::TabFocusReason);
    for (const char* next : { "szFrql", "szRh", "szRm", "szRl", "szFrqh" }) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w.focused(), QString(next));
    }
}

void TestFrmXover3::typedDesignShowsPrintsAndHandsOverTheCoils_data()
{
    QTest::addColumn<int>("is12dB");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QStringList>("printed"); // title, then the lines
    QTest::addColumn<int>("coilSource"); // L1 to L4, or L1 and L2

    QStringList common { "High Crossover Frequency = " + kHigh + " Hz", "Low Crossover Frequency = " + kLow + " Hz" };
    for (const char* driver : { "Woofer", "Mid-Range", "Tweeter" })
        common << QString("%1 Impedance = %2 Ohms").arg(driver, kImpedance);
    for (const worked::Passive& e : worked::kPassive3)
        QTest::newRow(e.name)
            << int(e.is12dB) << e.shown << (e.is12dB ? "p312.bmp" : "p36.bmp")
            << QStringList { QString("Passive 3 Way Crossover Design (%1 DB)").arg(e.is12dB ? 12 : 6) } + common
                + partLines(worked::kPassive3Parts, e.shown)
            << (e.is12dB ? 4 : 2);
}

void TestFrmXover3::typedDesignShowsPrintsAndHandsOverTheCoils()
{
    QFETCH(int, is12dB);
    QFETCH(QStringList, shown);
    QFETCH(QString, picture);
    QFETCH(QStringList, printed);
    QFETCH(int, coilSource);

    typeExample(is12dB);
    QCOMPARE(w.text("szFrql"), " " + kLow);
    QCOMPARE(w.texts(kResults), shown);
    QCOMPARE(w.window()->findChild<PictureBox*>("Image1")->picture(), picture);
    QVERIFY(!compiledPicture(picture).isEmpty());
    const DesignState& s = designState();
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(QList<float>({ s.xoverFreq, s.xoverFreqLow, s.xoverRm }),
        QList<float>({ kHigh.toFloat(), kLow.toFloat(), kImpedance.toFloat() }));
    QCOMPARE(s.xoverC2, float(is12dB ? 0.0791 / (8 * 500.0) * 1e6 : 37.71024f));
    QCOMPARE(s.xoverType, XoverType::None); // set by Graph and Exit only
    QVERIFY(messages().shown.isEmpty());

    const ReportLayout layout = w.window()->reportLayout();
    QCOMPARE(layout.pictures.size(), 1);
    QCOMPARE(layout.pictures[0].file, picture.toUpper());
    QCOMPARE(layout.lines.size(), printed.size() - 1);
    const QString text = printedText(w, "Command2").simplified();
    QCOMPARE(w.focused(), QString("szFrqh"));
    for (const QString& line : printed)
        QVERIFY2(text.contains(line), qPrintable(line + "\n" + text));
    QVERIFY(!text.contains("N/A"));

    w.click("Command3");
    QCOMPARE(int(s.coilSource), coilSource);
    QCOMPARE(inductorRows(), takenOverRows(shown, coilSource));
}

void TestFrmXover3::frequencyOrder_data()
{
    QTest::addColumn<QString>("edit"); // field=text, after fl = 6000 Hz
    QTest::addColumn<bool>("message");
    QTest::newRow("low above high, typed low") << "szFrql=6000" << false;
    QTest::newRow("then the mid-range") << "szRm=4" << true;
    QTest::newRow("then the tweeter") << "szRh=4" << true;
    QTest::newRow("then the woofer") << "szRl=4" << true;
    QTest::newRow("then the high frequency") << "szFrqh=5001" << false; // proposes 500.1
}

void TestFrmXover3::frequencyOrder()
{
    QFETCH(QString, edit);
    QFETCH(bool, message);

    typeExample(1);
    w.type("szFrql", "6000");
    designState().xoverFreq = 1;
    const QString field = edit.section('=', 0, 0);
    w.type(field, edit.section('=', 1));
    const bool proposed = field == "szFrqh";
    const QStringList afterProposal { "5.122", "1.9771", ".512", "19.7711", ".423", "25.5777", "5.206", "1.7942" };
    QCOMPARE(w.texts(kResults), proposed ? afterProposal : k12dB);
    QCOMPARE(designState().designValid, std::int16_t(proposed ? 1 : 0));
    QCOMPARE(messages().prompts(), message ? QStringList { kOrder } : QStringList {});
    if (message) {
        QCOMPARE(messages().last().title, QString("Error"));
        QCOMPARE(messages().last().icon, MsgIcon::Stop);
        QCOMPARE(w.focused(), QString("szFrqh"));
    }
    // Only the high frequency's rule stores the frequencies, also in the wrong order.
    QCOMPARE(designState().xoverFreq, proposed ? 5001.0f : 1.0f);
}

void TestFrmXover3::activationKeepsTheStoredLowFrequency()
{
    DesignState& s = designState();
    s.xoverIs12dB = 1;
    s.xoverFreq = 5000;
    s.xoverFreqLow = 400;
    s.xoverRh = s.xoverRm = s.xoverRl = 8;
    w.open();
    QCOMPARE(
        w.texts({ "szFrqh", "szFrql", "szRh", "szRm", "szRl" }), (QStringList { " 5000", " 400", " 8", " 8", " 8" }));
    QCOMPARE(s.xoverFreqLow, 400.0f);
    QCOMPARE(w.text("szL1"), QString("6.404")); // 8 x .3202 / 400
    QCOMPARE(s.designValid, std::int16_t(1));
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmXover3::reactivationWithTheOtherSlope()
{
    QCOMPARE(chooseInSelector("btn12db3p"), QString("frmXover3"));
    typeExample(1);
    QCOMPARE(w.texts(kResults), k12dB);
    QCOMPARE(chooseInSelector("btn6db3p"), QString("frmXover3"));
    QCOMPARE(designState().xoverIs12dB, std::int16_t(0));
    QCOMPARE(w.texts(kResults), k6dB);
    QCOMPARE(w.text("szFrql"), " " + kLow);
    QCOMPARE(designState().designValid, std::int16_t(1));
}

void TestFrmXover3::responseModelAfterExitDisplayedAfterGraph()
{
    typeExample(1);
    DesignState& s = designState();
    w.click("Command4");
    QVERIFY(existingWindow<CBGRAPH1>());
    QCOMPARE(s.xoverType, XoverType::ThreeWay12dB);
    QCOMPARE(s.graphDrawn, std::int16_t(0));
    QCOMPARE(QList<float>({ s.xoverL3, s.xoverC3, s.xoverL4, s.xoverC4 }),
        QList<float>({ k12dB[4].toFloat(), k12dB[5].toFloat(), k12dB[6].toFloat(), k12dB[7].toFloat() }));
    QCOMPARE(computeCurves(s).crossovers.size(), 3); // woofer, mid-range, tweeter

    w.open();
    w.click("Command1");
    QCOMPARE(s.xoverType, XoverType::ThreeWay12dB);
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(QList<float>({ s.xoverL3, s.xoverC3, s.xoverL4, s.xoverC4 }),
        QList<float>({ float(8 * 1.88 / (5000 * 6.2832) * 1000), float(1 / (8 * 1.88 * 500 * 6.2832) * 1000000),
            float(8 / (500 * 6.2832) * 1000), float(1 / (5000 * 6.2832 * 8) * 1000000) }));
}

void TestFrmXover3::invalidEditWithdrawsGraphCoilsAndCrossover()
{
    typeExample(0);
    w.type("szRm", "");
    w.click("Command4");
    QVERIFY(!existingWindow<CBGRAPH1>());
    w.click("Command3");
    QCOMPARE(designState().coilSource, CoilSource::None);
    designState().xoverType = XoverType::ThreeWay6dB;
    w.click("Command1");
    QCOMPARE(designState().xoverType, XoverType::None);
}

QTEST_MAIN(TestFrmXover3)
#include "tst_frmXover3.moc"
