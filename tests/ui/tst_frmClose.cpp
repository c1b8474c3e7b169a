// The closed-box window through its controls: the worked examples as the
// fields show them, every message with its title, icon and beep, activation
// from the design state, and the hand-over on Graph, Print and Exit.
#include "core/designstate.h"
#include "graph/CBGRAPH1.h"
#include "support/recorders.h"
#include "ui/frmClose.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QString kRange = "Must be between .5 and 1.5";
const QString kQtsQtc = "Qts Must be Less Than Qtc";
const QString kF3Warning = "Tuning Frequency is Less Than Low Cutoff";
} // namespace

class TestFrmClose : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsAndCaptions();
    void enterMovesAlongTheCycle();
    void calculateForVolume_data();
    void calculateForVolume();
    void calculateForVolumeRefusals_data();
    void calculateForVolumeRefusals();
    void desiredQtcCheckedOnEnteringVasOrFar_data();
    void desiredQtcCheckedOnEnteringVasOrFar();
    void calculateForQtc();
    void calculateForQtcRefusals_data();
    void calculateForQtcRefusals();
    void isobaricLetterTakesEffectAtNextCalculation();
    void activationDesignsFromTheDesignState();
    void activationWithoutADriverShowsNoDesign();
    void activationMessages_data();
    void activationMessages();
    void graphHandsOverAndOpensTheGraph();
    void printHandsOver();
    void graphAndPrintDoNothingWithoutADesign();
    void exitHandsOverAValidDesign();
    void exitWithoutADesignWithdrawsTheBox();

private:
    frmClose* open();
    QLineEdit* f(const QString& name) const { return m_window->findChild<QLineEdit*>(name); }
    QString text(const QString& name) const { return f(name)->text(); }
    void type(const QString& name, const QString& value) { f(name)->setText(value); }
    void click(const QString& name) { QTest::mouseClick(m_window->findChild<QPushButton*>(name), Qt::LeftButton); }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    // The example driver typed into the window: Qts .35, Vas 2, Fs 30.
    void typeDriver(const QString& qtc);

    MessageRecorder* m_messages = nullptr;
    frmClose* m_window = nullptr;
};

void TestFrmClose::init()
{
    m_messages = new MessageRecorder;
    designState() = DesignState();
    applyStartValues(designState());
}

void TestFrmClose::cleanup()
{
    deleteAllWindows();
    m_window = nullptr;
    delete m_messages;
}

frmClose* TestFrmClose::open()
{
    m_window = openWindow<frmClose>();
    if (!QTest::qWaitForWindowActive(m_window))
        qWarning("window not active");
    return m_window;
}

void TestFrmClose::typeDriver(const QString& qtc)
{
    type("szQts", ".35");
    type("szVas", "2");
    type("szFar", "30");
    type("szQd", qtc);
}

void TestFrmClose::controlsAndCaptions()
{
    open();
    QCOMPARE(m_window->windowTitle(), QString("Closed Box Design "));
    for (const char* name : {"szWoofBox", "szISO", "szQts", "szVas", "szQd", "szFar", "szVcb", "szFc", "szF3", "szVover",
                             "szH", "szW", "szD"})
        QVERIFY2(f(name), name);
    QStringList captions;
    for (const QLabel* label : m_window->findChildren<QLabel*>())
        captions << label->text();
    for (const char* caption : {"Woofer Name :", "Isobaric Configuration", "Enter data for 1 woofer", "Enter Qts:",
                                "Enter Vas:", "Cubic Feet", "Desired Bass Response(Qtc):", "0.5 to 1.5",
                                "Enter Free Air Resonance:", "Hz", "Closed Box Volume:", "System Resonance:",
                                "Low Frequency Cut-Off(-3dB):", "10% Over Volume", "Dimensions (Inches)", "H:", "W:",
                                "D:", "For Volume", "For Qtc"})
        QVERIFY2(captions.contains(caption), caption);
    // Buttons left to right along the bottom.
    QStringList order;
    auto buttons = m_window->findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    for (const QPushButton* b : buttons)
        order << b->objectName() + "=" + b->text();
    QCOMPARE(order, (QStringList{"btnGraph=Graph", "btnCal=Calculate", "Command1=Calculate", "btnExit=Exit",
                                 "Command2=Print"}));
}

void TestFrmClose::enterMovesAlongTheCycle()
{
    open();
    const QStringList cycle{"szQts", "szVas", "szQd", "szFar", "szISO", "szWoofBox", "szQts"};
    type("szISO", "N");
    f("szQts")->setFocus(Qt::TabFocusReason);
    for (int i = 1; i < cycle.size(); ++i) {
        QTest::keyClick(f(cycle[i - 1]), Qt::Key_Return);
        QCOMPARE(focused(), cycle[i]);
    }
    QCOMPARE(text("szQts"), QString()); // the key was swallowed
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFrmClose::calculateForVolume_data()
{
    QTest::addColumn<QString>("iso");
    QTest::addColumn<QString>("qtc");
    QTest::addColumn<QStringList>("shown"); // szVcb, szVover, szFc, szF3, szH, szW, szD
    QTest::addColumn<float>("vbCalc");
    QTest::addColumn<bool>("warns");

    QTest::newRow("Qtc .707") << "N" << ".707"
                              << QStringList{".65", ".71", "60.57", "60.61", "16.83", "10.39", "6.44"} << 0.6493f
                              << true;
    QTest::newRow("Qtc 1.0") << "N" << "1.0" << QStringList{".28", ".31", "85.61", "67.34", "12.7", "7.84", "4.86"}
                             << 0.2792f << false;
    QTest::newRow("isobaric Qtc .707") << "Y" << ".707"
                                       << QStringList{".32", ".36", "60.93", "60.61", "13.36", "8.25", "5.11"}
                                       << 0.3246f << false;
}

void TestFrmClose::calculateForVolume()
{
    QFETCH(QString, iso);
    QFETCH(QString, qtc);
    QFETCH(QStringList, shown);
    QFETCH(float, vbCalc);
    QFETCH(bool, warns);

    open();
    typeDriver(qtc);
    type("szISO", iso);
    click("btnCal");

    const QStringList fields{"szVcb", "szVover", "szFc", "szF3", "szH", "szW", "szD"};
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(text(fields[i]), shown[i]);
    const DesignState& s = designState();
    QVERIFY(qAbs(s.closedVbCalc - vbCalc) < 0.00006f);
    QCOMPARE(s.closedQtc, qtc.toFloat());
    QVERIFY(qAbs(s.closedFc - text("szFc").toFloat()) < 0.005f);
    QVERIFY(qAbs(s.boxHeight - text("szH").toFloat()) < 0.005f);
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(m_messages->prompts(), warns ? QStringList{kF3Warning} : QStringList{});
    if (warns)
        QCOMPARE(m_messages->last(), msg::warning(kF3Warning));
    QCOMPARE(focused(), QString("szQts"));
}

void TestFrmClose::calculateForVolumeRefusals_data()
{
    QTest::addColumn<QString>("qts");
    QTest::addColumn<QString>("vas");
    QTest::addColumn<QString>("qtc");
    QTest::addColumn<QString>("prompt"); // empty: a beep only
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("boxValid"); // afterwards, from 1

    QTest::newRow("Qtc .4") << ".35" << "2" << ".4" << kRange << "szQd" << 1;
    QTest::newRow("Qtc 1.6") << ".35" << "2" << "1.6" << kRange << "szQd" << 1;
    QTest::newRow("Qtc equal to Qts") << ".7" << "2" << ".7" << kQtsQtc << "szQd" << 0;
    QTest::newRow("Vas cleared") << ".35" << "" << ".707" << "" << "szQts" << 1;
    QTest::newRow("volume shows as point") << ".3" << ".01" << ".707"
                                           << "Box Volume Below .005 Cubic Feet: Check Vas" << "szVas" << 1;
}

void TestFrmClose::calculateForVolumeRefusals()
{
    QFETCH(QString, qts);
    QFETCH(QString, vas);
    QFETCH(QString, qtc);
    QFETCH(QString, prompt);
    QFETCH(QString, focus);
    QFETCH(int, boxValid);

    open();
    typeDriver(".707");
    click("btnCal"); // a valid design first
    m_messages->clear();
    const DesignState before = designState();

    type("szQts", qts);
    type("szVas", vas);
    type("szQd", qtc);
    click("btnCal");

    DesignState& s = designState();
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(s.boxValid, std::int16_t(boxValid));
    QCOMPARE(s.closedVbCalc, before.closedVbCalc);
    QCOMPARE(s.closedFc, before.closedFc);
    QCOMPARE(s.boxHeight, before.boxHeight);
    QCOMPARE(text("szVcb"), QString(".65"));
    QCOMPARE(m_messages->beeps, 1);
    if (prompt.isEmpty())
        QVERIFY(m_messages->shown.isEmpty());
    else
        QCOMPARE(m_messages->shown, QVector<Message>{msg::error(prompt, true)});
    QCOMPARE(focused(), focus);
}

void TestFrmClose::desiredQtcCheckedOnEnteringVasOrFar_data()
{
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("qtc");
    QTest::addColumn<bool>("complains");
    QTest::newRow("szVas, 1.6") << "szVas" << "1.6" << true;
    QTest::newRow("szFar, .4") << "szFar" << ".4" << true;
    QTest::newRow("szVas, 1.5") << "szVas" << "1.5" << false;
    QTest::newRow("szQts is not checked") << "szQts" << ".4" << false;
}

void TestFrmClose::desiredQtcCheckedOnEnteringVasOrFar()
{
    QFETCH(QString, entered);
    QFETCH(QString, qtc);
    QFETCH(bool, complains);

    open();
    type("szQd", qtc);
    f(entered)->setFocus(Qt::TabFocusReason);
    if (complains) {
        QCOMPARE(m_messages->shown, QVector<Message>{msg::error(kRange, true)});
        QCOMPARE(m_messages->beeps, 1);
        QCOMPARE(focused(), QString("szQd"));
    } else {
        QVERIFY(m_messages->shown.isEmpty());
        QCOMPARE(focused(), entered);
    }
}

void TestFrmClose::calculateForQtc()
{
    open();
    typeDriver(".5");
    type("szVcb", "0.65");
    click("Command1");

    QCOMPARE(text("szQd"), QString(" .7066987")); // the number's text, not a pattern
    QCOMPARE(text("szVcb"), QString(".65"));
    QCOMPARE(text("szFc"), QString("60.57"));
    QCOMPARE(text("szF3"), QString("60.61"));
    QCOMPARE(m_messages->prompts(), QStringList{kF3Warning});
    const DesignState& s = designState();
    QCOMPARE(s.closedVbCalc, 0.65f);
    QCOMPARE(s.closedQtc, 0.7066987f);
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(focused(), QString("szQts"));
}

void TestFrmClose::calculateForQtcRefusals_data()
{
    QTest::addColumn<QString>("vb");
    QTest::addColumn<QString>("prompt"); // empty: a beep only
    QTest::addColumn<QString>("focus");

    QTest::newRow("no volume") << "" << "" << "szQts";
    QTest::newRow("large box") << "10" << "Box Must be Smaller" << "szQd";
    QTest::newRow("small box") << ".1" << "Box Must be Larger" << "szQd";
}

void TestFrmClose::calculateForQtcRefusals()
{
    QFETCH(QString, vb);
    QFETCH(QString, prompt);
    QFETCH(QString, focus);

    open();
    typeDriver(".707");
    click("btnCal");
    m_messages->clear();
    const DesignState before = designState();

    type("szVcb", vb);
    click("Command1");
    const DesignState& s = designState();
    if (prompt.isEmpty()) {
        QCOMPARE(m_messages->beeps, 1);
        QVERIFY(m_messages->shown.isEmpty());
    } else {
        QCOMPARE(m_messages->beeps, 0);
        QCOMPARE(m_messages->shown, QVector<Message>{msg::error(prompt, false)});
    }
    QCOMPARE(focused(), focus);
    // Nothing of the rejected volume is stored; Graph and Print wait for a
    // new design.
    QCOMPARE(s.closedQtc, before.closedQtc);
    QCOMPARE(s.closedVbCalc, before.closedVbCalc);
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(text("szQd"), QString(".707"));
}

void TestFrmClose::isobaricLetterTakesEffectAtNextCalculation()
{
    open();
    typeDriver(".707");
    type("szISO", "N");
    click("btnCal");
    f("szISO")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f("szISO"), Qt::Key_Backspace);
    QTest::keyClicks(f("szISO"), "y");
    QCOMPARE(text("szISO"), QString("Y"));
    QCOMPARE(designState().isoFactor, 0.5f);
    QCOMPARE(focused(), QString("szQts"));
    QCOMPARE(text("szVcb"), QString(".65"));
    click("btnCal");
    QCOMPARE(text("szVcb"), QString(".32"));
}

void TestFrmClose::activationDesignsFromTheDesignState()
{
    DesignState& s = designState();
    s.qts = 0.35f;
    s.vas = 2;
    s.fs = 30;
    s.driverName = QString("  Woofer 8");
    s.ventedValid = 1;
    open();

    QCOMPARE(text("szWoofBox"), QString("Woofer 8"));
    QCOMPARE(text("szQts"), QString(" .35"));
    QCOMPARE(text("szVas"), QString(" 2"));
    QCOMPARE(text("szFar"), QString(" 30"));
    QCOMPARE(text("szQd"), QString(".7")); // no Qtc stored yet
    QCOMPARE(text("szISO"), QString("N"));
    QCOMPARE(text("szVcb"), QString(".67"));
    QCOMPARE(s.closedQtc, 0.7f);
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(s.ventedValid, std::int16_t(0));
    QCOMPARE(m_window->windowReady(), 1);
    QCOMPARE(focused(), QString("szWoofBox"));
    QVERIFY(m_messages->shown.isEmpty()); // no F3 warning on activation
}

void TestFrmClose::activationWithoutADriverShowsNoDesign()
{
    DesignState& s = designState();
    s.qts = 0.35f;
    s.fs = 30; // no Vas
    s.ventedValid = 1;
    s.designValid = 1; // left by another window
    open();

    QCOMPARE(text("szVas"), QString());
    QCOMPARE(text("szVcb"), QString());
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(s.ventedValid, std::int16_t(1));
    QCOMPARE(m_window->windowReady(), 1);
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(m_messages->beeps, 0);
}

void TestFrmClose::activationMessages_data()
{
    QTest::addColumn<float>("qts");
    QTest::addColumn<float>("vas");
    QTest::addColumn<float>("closedQtc");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("boxValid"); // afterwards, from 1
    QTest::addColumn<QString>("focus");

    QTest::newRow("stored Qtc 1.6") << 0.35f << 2.0f << 1.6f << kRange << 1 << "szWoofBox";
    QTest::newRow("Qts above Qtc") << 0.9f << 2.0f << 0.7f << kQtsQtc << 0 << "szWoofBox";
    QTest::newRow("volume shows as point") << 0.3f << 0.01f << 0.707f << "Box Volume Below .005 Cubic Feet: Check Vas"
                                           << 1 << "szVas";
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
    open();

    QCOMPARE(m_messages->shown, QVector<Message>{msg::error(prompt, false)});
    QCOMPARE(m_messages->beeps, 0);
    QCOMPARE(s.designValid, std::int16_t(0));
    QCOMPARE(s.boxValid, std::int16_t(boxValid));
    QCOMPARE(s.closedVbCalc, 5.0f);
    QCOMPARE(text("szVcb"), QString());
    QCOMPARE(focused(), focus);
}

void TestFrmClose::graphHandsOverAndOpensTheGraph()
{
    open();
    typeDriver(".707");
    click("btnCal");
    DesignState& s = designState();
    s.graphDrawn = 1;
    click("btnGraph");

    QCOMPARE(s.vas, 2.0f);
    QCOMPARE(s.closedVb, 0.65f); // as shown, not .6493
    QCOMPARE(s.qts, 0.35f);
    QCOMPARE(s.fs, 30.0f);
    QCOMPARE(s.closedQtc, 0.707f);
    QCOMPARE(s.boxType, std::int16_t(0));
    QCOMPARE(s.graphDrawn, std::int16_t(0));
    QVERIFY(existingWindow<CBGRAPH1>());
}

void TestFrmClose::printHandsOver()
{
    open();
    typeDriver(".707");
    click("btnCal");
    DesignState& s = designState();
    s.boxValid = 0;
    s.graphDrawn = 1;
    click("Command2");
    QCOMPARE(s.closedVb, 0.65f);
    QCOMPARE(s.closedQtc, 0.707f);
    QCOMPARE(s.boxType, std::int16_t(0));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(s.graphDrawn, std::int16_t(1));
}

void TestFrmClose::graphAndPrintDoNothingWithoutADesign()
{
    open();
    typeDriver("1.6");
    click("btnCal"); // refused
    m_messages->clear();
    const DesignState before = designState();
    click("btnGraph");
    click("Command2");
    QVERIFY(!existingWindow<CBGRAPH1>());
    const DesignState& s = designState();
    QCOMPARE(s.vas, before.vas);
    QCOMPARE(s.boxType, std::int16_t(-1));
    QCOMPARE(s.boxValid, before.boxValid);
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFrmClose::exitHandsOverAValidDesign()
{
    open();
    typeDriver(".707");
    type("szWoofBox", "Test Woofer");
    click("btnCal");
    DesignState& s = designState();
    s.ventedValid = 1;
    QPointer<frmClose> window = m_window;
    click("btnExit");

    QTRY_VERIFY(!window);
    QCOMPARE(s.vas, 2.0f);
    QCOMPARE(s.closedVb, 0.65f);
    QCOMPARE(s.qts, 0.35f);
    QCOMPARE(s.fs, 30.0f);
    QCOMPARE(s.closedQtc, 0.707f);
    QCOMPARE(s.driverName.text(), QString("Test Woofer").leftJustified(30));
    QCOMPARE(s.ventedValid, std::int16_t(0));
    QCOMPARE(s.boxType, std::int16_t(0));
    QCOMPARE(s.boxValid, std::int16_t(1));
    QCOMPARE(s.designValid, std::int16_t(0));
}

void TestFrmClose::exitWithoutADesignWithdrawsTheBox()
{
    DesignState& s = designState();
    s.boxValid = 1;
    s.boxType = 1;
    open();
    type("szWoofBox", "Not Stored");
    click("btnExit");
    QCOMPARE(s.boxValid, std::int16_t(0));
    QCOMPARE(s.boxType, std::int16_t(1));
    QCOMPARE(s.designValid, std::int16_t(0));
    QVERIFY(!s.driverName.isAssigned());
}

QTEST_MAIN(TestFrmClose)
#include "tst_frmClose.moc"
