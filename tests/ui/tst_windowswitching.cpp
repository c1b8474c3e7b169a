// Switching straight from one design window to another by activating it: the
// window left behind runs none of its lost-focus rules, so it neither
// recomputes behind the user's back nor shows a message inside the other
// window's activation. Coming back finds every window as the user left it.
#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/workedexamples.h"
#include "graph/CBGRAPH1.h"
#include "support/windowtest.h"
#include "ui/FrmBand.h"
#include "ui/FrmTlv.h"
#include "ui/frmAX2.h"
#include "ui/frmAX3.h"
#include "ui/frmClose.h"
#include "ui/frmRadiator.h"
#include "ui/frmSpeaker.h"
#include "ui/frmVented.h"
#include "ui/frmXover.h"
#include "ui/frmXover3.h"

#include <QtTest>

namespace {

QWidget* openByName(const QString& name)
{
    return openNamed<frmClose, frmVented, frmRadiator, frmSpeaker, frmXover, frmXover3, frmAX2, frmAX3, FrmBand,
        CBGRAPH1>(name);
}

// "field=text;field=text": typed into the window's fields, "@button" clicked.
void act(QWidget* window, const QString& steps)
{
    for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
        if (step.startsWith('@'))
            QTest::mouseClick(window->findChild<QPushButton*>(step.mid(1)), Qt::LeftButton);
        else
            window->findChild<QLineEdit*>(step.section('=', 0, 0))->setText(step.section('=', 1));
    }
}

QMap<QString, QString> fieldTexts(const QWidget* window)
{
    QMap<QString, QString> texts;
    for (const QLineEdit* field : window->findChildren<QLineEdit*>())
        texts.insert(field->objectName(), field->text());
    return texts;
}

// The design-state values the rows check after Exit.
QString stored(const QString& name)
{
    const DesignState& s = designState();
    const QHash<QString, QString> values {
        { "qts", QString::number(s.qts) },
        { "fs", QString::number(s.fs) },
        { "closedVb", QString::number(s.closedVb) },
        { "boxType", QString::number(int(s.boxType)) },
        { "boxValid", QString::number(s.boxValid) },
        { "driverName", s.driverName.trimmed() },
        { "measDriverName", s.measDriverName.trimmed() },
        { "xoverType", QString::number(int(s.xoverType)) },
        { "xoverFreq", QString::number(s.xoverFreq) },
        { "xoverFreqLow", QString::number(s.xoverFreqLow) },
    };
    return values.value(name, QStringLiteral("?"));
}

} // namespace

class TestWindowSwitching : public WindowTest {
    Q_OBJECT
private slots:
    void leavingTheVentedTuningForTheClosedWindowKeepsTheClosedDesign();
    void leavingAnInvalidYesNoFieldForAnotherWindowSaysNothing();
    void leavingTheMeasurementForAnotherWindowSaysNothing();
    void comingBackFindsTheWindowAsLeft_data();
    void comingBackFindsTheWindowAsLeft();
};

void TestWindowSwitching::leavingTheVentedTuningForTheClosedWindowKeepsTheClosedDesign()
{
    WindowProbe<frmClose> closed;
    closed.open();
    closed.type({ "szISO", "szQts", "szVas", "szFar", "szQd" }, worked::kClosed[0].typed);
    closed.click("btnCal");
    QPointer<frmClose> first = closed.window();
    closed.click("btnExit");
    QTRY_VERIFY(!first);
    closed.open(); // activation designs from the stored values

    WindowProbe<frmVented> vented;
    vented.open();
    vented.type({ "szISO", "szQts", "szVas", "szFar" }, worked::kVented[0].typed);
    vented.click("Command1");
    const QString ventedVolume = vented.text("szVvb");
    vented.field("szFb")->setFocus(Qt::TabFocusReason);
    vented.field("szFb")->selectAll();
    QTest::keyClicks(vented.field("szFb"), "25");

    messages().clear();
    closed.open();
    const DesignState& s = designState();
    QCOMPARE(closed.texts({ "szH", "szW", "szD" }),
        QStringList({ formatNumber(s.boxHeight, u"###.##"), formatNumber(s.boxWidth, u"###.##"),
            formatNumber(s.boxDepth, u"###.##") }));
    QCOMPARE(s.ventedValid, std::int16_t(0));
    QCOMPARE(vented.text("szVvb"), ventedVolume);
    QVERIFY(messages().shown.isEmpty());
}

void TestWindowSwitching::leavingAnInvalidYesNoFieldForAnotherWindowSaysNothing()
{
    WindowProbe<frmVented> vented;
    vented.open();
    WindowProbe<frmClose> closed;
    closed.open();
    closed.field("szISO")->setFocus(Qt::TabFocusReason);
    closed.field("szISO")->selectAll();
    QTest::keyClicks(closed.field("szISO"), "x");

    messages().clear();
    vented.open();
    QVERIFY(messages().prompts().isEmpty());
    QCOMPARE(messages().beeps, 0);
}

void TestWindowSwitching::leavingTheMeasurementForAnotherWindowSaysNothing()
{
    WindowProbe<frmSpeaker> speaker;
    speaker.open();
    speaker.type("szRdct", "6");
    speaker.type("szIfr", "6");
    speaker.field("szIfr")->setFocus(Qt::TabFocusReason);

    messages().clear();
    WindowProbe<frmClose> closed;
    closed.open();
    QVERIFY(messages().prompts().isEmpty());
}

void TestWindowSwitching::comingBackFindsTheWindowAsLeft_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("design"); // typed and clicked first
    QTest::addColumn<QString>("typed"); // then typed without a calculation
    QTest::addColumn<QString>("away"); // "main", a window's name, or "@button" of this window
    QTest::addColumn<QString>("meanwhile"); // done in another window while away
    QTest::addColumn<QString>("takenOver"); // fields that show what changed meanwhile
    QTest::addColumn<QString>("handedOver"); // the design state after Exit, "name=value;..."

    const QString closed = "szQts=.35;szVas=2;szFar=30;szQd=.707;@btnCal";
    const QString driver = "szQts=.4;szVas=2;szFar=30;";
    const QString measured = "szRdct=6;szFrt=30;szIfr=24;szFlt=24;szFht=36;szVtbt=1;szFrtbt=60;@Command2";
    QTest::newRow("closed, main window") << "frmClose" << closed << "szWoofBox=Keep me;szQts=.33"
                                         << "main"
                                         << ""
                                         << ""
                                         << "driverName=Keep me;qts=0.33;closedVb=0.65;boxValid=1";
    QTest::newRow("closed, graph") << "frmClose" << closed << "szWoofBox=Keep me"
                                   << "CBGRAPH1"
                                   << ""
                                   << ""
                                   << "driverName=Keep me;boxType=0";
    QTest::newRow("closed, a driver measured meanwhile")
        << "frmClose" << closed << "szWoofBox=Keep me;szVas=2.5"
        << "frmSpeaker" << measured << "szQts= 1.25"
        << "qts=1.25;boxValid=0"; // the recomputation refuses a Qts above the Qtc
    QTest::newRow("vented, bandpass") << "frmVented" << driver + "@Command1"
                                      << "szWoofBox=Keep me;szFar=31"
                                      << "FrmBand"
                                      << ""
                                      << ""
                                      << "driverName=Keep me;fs=31;boxType=1";
    QTest::newRow("radiator, its Graph") << "frmRadiator" << driver + "@Command1"
                                         << ""
                                         << "@btnGraph"
                                         << ""
                                         << ""
                                         << "boxValid=1;boxType=2;closedVb=1.42";
    QTest::newRow("measurement, bandpass") << "frmSpeaker" << measured << "szWoofTest=Keep me"
                                           << "FrmBand"
                                           << ""
                                           << ""
                                           << "measDriverName=Keep me";
    QTest::newRow("2-way, main window") << "frmXover"
                                        << "szFrq=2000;szRl=8;szRh=8"
                                        << "szRh=4"
                                        << "main"
                                        << ""
                                        << ""
                                        << "xoverType=1;xoverFreq=2000";
    QTest::newRow("3-way, its Graph") << "frmXover3"
                                      << "szRh=8;szRm=8;szRl=8;szFrqh=5000"
                                      << ""
                                      << "@Command4"
                                      << ""
                                      << ""
                                      << "xoverType=3;xoverFreqLow=500";
    QTest::newRow("active 2-way, bandpass") << "frmAX2"
                                            << "szFrq=2000;@btnCal"
                                            << "szFrq=2500"
                                            << "FrmBand"
                                            << ""
                                            << ""
                                            << "xoverFreq=2000";
    QTest::newRow("active 3-way, main window") << "frmAX3"
                                               << "szFrqh=3000;szFrql=300;@btnCal"
                                               << "szFrql=250"
                                               << "main"
                                               << ""
                                               << ""
                                               << "xoverFreqLow=300";
}

void TestWindowSwitching::comingBackFindsTheWindowAsLeft()
{
    QFETCH(QString, window);
    QFETCH(QString, design);
    QFETCH(QString, typed);
    QFETCH(QString, away);
    QFETCH(QString, meanwhile);
    QFETCH(QString, takenOver);
    QFETCH(QString, handedOver);

    auto* main = new FrmTlv;
    main->show();
    QWidget* w = openByName(window);
    act(w, design);
    act(w, typed);
    QMap<QString, QString> left = fieldTexts(w);
    const std::int16_t designValid = designState().designValid;

    if (away == "main") {
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
    } else if (away.startsWith('@')) {
        act(w, away);
        QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow() != w);
    } else {
        act(openByName(away), meanwhile);
    }
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));

    for (const QString& field : takenOver.split(';', Qt::SkipEmptyParts))
        left[field.section('=', 0, 0)] = field.section('=', 1);
    if (takenOver.isEmpty()) {
        QCOMPARE(fieldTexts(w), left);
        QCOMPARE(designState().designValid, designValid);
    } else {
        for (const QString& field : takenOver.split(';'))
            QCOMPARE(fieldTexts(w).value(field.section('=', 0, 0)), left.value(field.section('=', 0, 0)));
        QCOMPARE(w->findChild<QLineEdit*>("szWoofBox")->text(), QString("Keep me"));
    }
    QPointer<QWidget> alive = w;
    QTest::mouseClick(
        w->findChild<QPushButton*>(w->findChild<QPushButton*>("btnExit") ? "btnExit" : "Command1"), Qt::LeftButton);
    QTRY_VERIFY(!alive);
    for (const QString& value : handedOver.split(';'))
        QCOMPARE(value.section('=', 0, 0) + "=" + stored(value.section('=', 0, 0)), value);
}

QTEST_MAIN(TestWindowSwitching)
#include "tst_windowswitching.moc"
