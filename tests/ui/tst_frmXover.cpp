// The crossover selector and the passive 2-way window through their controls.
#include "graph/CBGRAPH1.h"
#include "graph/curves.h"
#include "platform/pictures.h"
#include "ui/crossoverprobe.h"
#include "ui/frmXover.h"

#include <QLineEdit>
#include <QtTest>

namespace {
const QStringList kResults { "szL1", "szC1", "szL2", "szC2" };
const QStringList& k6dB = worked::kPassive2[0].shown;
const QStringList& k12dB = worked::kPassive2[1].shown;
const QString& kFrequency = worked::kPassive2Typed[0];
const QString& kImpedance = worked::kPassive2Typed[1];
} // namespace

class TestFrmXover : public WindowTest {
    Q_OBJECT
private slots:
    void selectorButtonsAndSlope_data();
    void selectorButtonsAndSlope();
    void controlsAndCaptions();
    void typedDesignShowsPrintsAndExits_data();
    void typedDesignShowsPrintsAndExits();
    void refusedInputsKeepTheLastResults_data();
    void refusedInputsKeepTheLastResults();
    void activationShowsTheStoredDesignAgainWithTheOtherSlope();
    void programWriteOfTheSameTextRunsNothing();
    void graphInductorAndPrintNeedAValidDesign();

private:
    void typeExample(int is12dB, const QString& rh = kImpedance)
    {
        designState().xoverIs12dB = std::int16_t(is12dB);
        w.open();
        w.type({ "szFrq", "szRl", "szRh" }, { kFrequency, kImpedance, rh });
    }
    WindowProbe<frmXover> w;
};

void TestFrmXover::selectorButtonsAndSlope_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("slopeBefore");
    QTest::addColumn<int>("slopeAfter");
    QTest::addColumn<QString>("window");

    QTest::newRow("6 dB 2 way") << "btn6db2p" << 1 << 0 << "frmXover";
    QTest::newRow("12 dB 2 way") << "btn12db2p" << 0 << 1 << "frmXover";
    QTest::newRow("6 dB 3 way") << "btn6db3p" << 1 << 0 << "frmXover3";
    QTest::newRow("12 dB 3 way") << "btn12db3p" << 0 << 1 << "frmXover3";
    QTest::newRow("active 2 way keeps the slope") << "btn6db2a" << 1 << 1 << "frmAX2";
    QTest::newRow("active 3 way keeps the slope") << "btn6db3a" << 0 << 0 << "frmAX3";
}

void TestFrmXover::selectorButtonsAndSlope()
{
    QFETCH(QString, button);
    QFETCH(int, slopeBefore);
    QFETCH(int, slopeAfter);
    QFETCH(QString, window);

    designState().xoverIs12dB = std::int16_t(slopeBefore);
    QCOMPARE(chooseInSelector(button), window);
    QCOMPARE(int(designState().xoverIs12dB), slopeAfter);
    QVERIFY(existingWindow<frmCross>()); // stays open behind
    WindowProbe<frmCross> selector;
    QCOMPARE(selector.open()->windowTitle(), QString("   "));
    QVERIFY(selector.captions().contains("Passive and Active") && selector.captions().contains("Crossover Design"));
}

void TestFrmXover::controlsAndCaptions()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Passive 2 Way Crossover Design"));
    for (const char* caption : { "Crossover Frequency:", "Enter Woofer Impedance:", "Enter Tweeter Impedance:", "L1 =",
             "C1 =", "L2 =", "C2 =", "Hz", "Ohms", "mH", "uF" })
        QVERIFY2(w.captions().contains(caption), caption);
    QCOMPARE(w.buttonRow(), (QStringList { "btnGraph=Graph", "LDesign=L Design", "btnPrint=Print", "btnExit=Exit" }));
    const QPalette result = w.field("szL1")->palette();
    QCOMPARE(result.color(QPalette::Text), QColor(Qt::yellow));
    QCOMPARE(result.color(QPalette::Base), QColor(0, 0, 160));
    w.field("szFrq")->setFocus(Qt::TabFocusReason);
    for (const char* next : { "szRl", "szRh", "szFrq" }) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w.focused(), QString(next));
    }
}

void TestFrmXover::typedDesignShowsPrintsAndExits_data()
{
    QTest::addColumn<int>("is12dB");
    QTest::addColumn<QString>("rh");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QStringList>("printed"); // title, then the lines

    const QStringList common { "Crossover Frequency = " + kFrequency + " Hz",
        "Woofer Impedance = " + kImpedance + " Ohms", "Tweeter Impedance = " + kImpedance + " Ohms" };
    for (const worked::Passive& e : worked::kPassive2)
        QTest::newRow(e.name)
            << int(e.is12dB) << kImpedance << e.shown << (e.is12dB ? "p212.bmp" : "p26.bmp")
            << QStringList { QString("Passive 2 Way Crossover Design (%1 DB)").arg(e.is12dB ? 12 : 6) } + common
                + partLines(worked::kPassive2Parts, e.shown);
    QTest::newRow("12 dB, woofer without tweeter")
        << 1 << "" << QStringList { k12dB[0], "", "", k12dB[3] } << "p212.bmp" << QStringList {};
}

void TestFrmXover::typedDesignShowsPrintsAndExits()
{
    QFETCH(int, is12dB);
    QFETCH(QString, rh);
    QFETCH(QStringList, shown);
    QFETCH(QString, picture);
    QFETCH(QStringList, printed);

    typeExample(is12dB, rh);
    QCOMPARE(w.window()->findChild<PictureBox*>("Image1")->picture(), picture);
    QVERIFY(!compiledPicture(picture).isEmpty());
    QCOMPARE(w.texts(kResults), shown);
    DesignState& s = designState();
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.xoverType, is12dB ? XoverType::TwoWay12dB : XoverType::TwoWay6dB);
    QCOMPARE(QList<float>({ s.xoverFreq, s.xoverRl, s.xoverRh }),
        QList<float>({ kFrequency.toFloat(), kImpedance.toFloat(), rh.toFloat() }));
    QCOMPARE(s.xoverL1, float(is12dB ? 8 * 0.3183 / 2000 * 1000 : 8 / (2000 * 6.28) * 1000)); // not the shown text
    QCOMPARE(s.xoverL2, is12dB && !rh.isEmpty() ? s.xoverL1 : 0.0f);
    QVERIFY(messages().shown.isEmpty());

    if (!printed.isEmpty()) {
        const ReportLayout layout = w.window()->reportLayout();
        QCOMPARE(layout.title, printed.first());
        QCOMPARE(QPointF(layout.titleX, layout.titleY), QPointF(200, 1800));
        QCOMPARE(layout.lines.size(), printed.size() - 1);
        for (int i = 0; i < layout.lines.size(); ++i)
            QCOMPARE(QPointF(layout.lines[i].x, layout.lines[i].y), QPointF(300, 1600 - 100 * i));
        QCOMPARE(picturesOf(layout), picture.toUpper() + " at 0,100 1500x900");
        const QString text = printedText(w, "btnPrint").simplified();
        QCOMPARE(w.focused(), QString("szFrq"));
        for (const QString& line : printed)
            QVERIFY2(text.contains(line), qPrintable(line + "\n" + text));
        QVERIFY(!text.contains("N/A"));
    }

    s.xoverType = XoverType::None;
    w.click("btnExit");
    QCOMPARE(int(s.xoverType), is12dB ? 2 : 1);
    QCOMPARE(s.designValid, std::int16_t(0));
    QTRY_VERIFY(!existingWindow<frmXover>());
}

void TestFrmXover::refusedInputsKeepTheLastResults_data()
{
    QTest::addColumn<QString>("edit"); // field=text
    QTest::newRow("empty frequency") << "szFrq=";
    QTest::newRow("negative woofer") << "szRl=-8";
    QTest::newRow("letters in the tweeter") << "szRh=eight";
    QTest::newRow("1e-40 Hz would overflow") << "szFrq=1e-40";
}

void TestFrmXover::refusedInputsKeepTheLastResults()
{
    QFETCH(QString, edit);
    typeExample(1);
    const DesignState before = designState();
    w.type(edit.section('=', 0, 0), edit.section('=', 1));
    QCOMPARE(w.texts(kResults), k12dB);
    QCOMPARE(designState().designValid, std::int16_t(0));
    QCOMPARE(designState().xoverL1, before.xoverL1);
    QCOMPARE(designState().xoverC1, before.xoverC1);
    w.click("btnExit");
    QCOMPARE(designState().xoverType, XoverType::None);
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmXover::activationShowsTheStoredDesignAgainWithTheOtherSlope()
{
    DesignState& s = designState();
    s.xoverFreq = 2000;
    s.xoverRl = s.xoverRh = 8;
    QCOMPARE(chooseInSelector("btn12db2p"), QString("frmXover"));
    w.open();
    QCOMPARE(w.texts({ "szFrq", "szRl", "szRh" }), (QStringList { " 2000", " 8", " 8" }));
    QCOMPARE(w.texts(kResults), k12dB);
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.xoverType, XoverType::TwoWay12dB);
    QCOMPARE(w.focused(), QString("szFrq"));

    QCOMPARE(chooseInSelector("btn6db2p"), QString("frmXover"));
    QCOMPARE(w.texts(kResults), k6dB);
    QCOMPARE(w.window()->findChild<PictureBox*>("Image1")->picture(), QString("p26.bmp"));
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.xoverType, XoverType::TwoWay6dB);
}

void TestFrmXover::programWriteOfTheSameTextRunsNothing()
{
    typeExample(0);
    designState().xoverFreq = 1000; // a rule that ran would store 2000 again
    w.type("szFrq", "2000");
    QCOMPARE(designState().xoverFreq, 1000.0f);
    w.type("szFrq", "2000.0");
    QCOMPARE(designState().xoverFreq, 2000.0f);
}

void TestFrmXover::graphInductorAndPrintNeedAValidDesign()
{
    designState().xoverIs12dB = 1;
    w.open();
    DesignState& s = designState();
    s.graphDrawn = 1;
    w.click("btnGraph");
    w.click("LDesign");
    w.field("szRl")->setFocus(Qt::TabFocusReason);
    QVERIFY(printedText(w, "btnPrint").isEmpty());
    QCOMPARE(w.focused(), QString("szFrq"));
    QVERIFY(!existingWindow<CBGRAPH1>());
    QCOMPARE(s.coilSource, CoilSource::None);

    typeExample(1);
    w.click("btnGraph");
    QVERIFY(existingWindow<CBGRAPH1>());
    QCOMPARE(s.graphDrawn, std::int16_t(0));
    QCOMPARE(computeCurves(s).crossovers.size(), 2); // woofer and tweeter
    w.click("LDesign");
    QCOMPARE(s.coilSource, CoilSource::TakeL1L2);
    QCOMPARE(inductorRows(), takenOverRows(k12dB, 2));
}

QTEST_MAIN(TestFrmXover)
#include "tst_frmXover.moc"
