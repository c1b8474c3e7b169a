// Switching straight from one design window to another by activating it: the
// window left behind runs none of its lost-focus rules, so it neither
// recomputes behind the user's back nor shows a message inside the other
// window's activation. Coming back finds every window as the user left it,
// except for the values another window handed over meanwhile (at any time,
// also while this window was the current one), which it takes over.
#include "core/designstate.h"
#include "core/numberformat.h"
#include "core/systemfile.h"
#include "design/workedexamples.h"
#include "graph/CBGRAPH1.h"
#include "platform/pageview.h"
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

#include <QTemporaryDir>
#include <QtTest>
#include <tuple>

namespace {

QWidget* openByName(const QString& name)
{
    return openNamed<frmClose, frmVented, frmRadiator, frmSpeaker, frmXover, frmXover3, frmAX2, frmAX3, FrmBand,
        CBGRAPH1>(name);
}

QPointer<QWidget> g_main;

QWidget* windowNamed(const QString& name)
{
    if (name != "main")
        return openByName(name);
    g_main->activateWindow();
    if (!QTest::qWaitForWindowActive(g_main))
        qWarning("the main window did not become active");
    return g_main;
}

// Steps in `window`, ";" between them: "field=text" typed into a field,
// "@button" clicked, "^name" goes on in the window of that name (opened or
// brought back; "main" for the main window), "#name" closes the window of
// that name from its frame without going there, "?graph=text" finds the text
// on the graph drawn.
void act(QWidget* window, const QString& steps)
{
    for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
        if (step.startsWith('@')) {
            QTest::mouseClick(window->findChild<QPushButton*>(step.mid(1)), Qt::LeftButton);
        } else if (step.startsWith('^')) {
            window = windowNamed(step.mid(1));
        } else if (step.startsWith('#')) {
            for (QWidget* open : QApplication::topLevelWidgets())
                if (open->objectName() == step.mid(1) && open->isVisible())
                    open->close();
        } else if (step.startsWith("?graph=")) {
            const QString drawn
                = existingWindow<CBGRAPH1>()->findChild<PageView*>("Graph1")->page().texts().join(" | ");
            QVERIFY2(drawn.contains(step.mid(7)), qPrintable(drawn));
        } else {
            window->findChild<QLineEdit*>(step.section('=', 0, 0))->setText(step.section('=', 1));
        }
    }
}

// A vented design with a typed volume of 4.5 cubic feet, saved and loaded
// through the main window as a system file.
void loadVentedDesign(ScriptedFileChooser& files)
{
    DesignState& s = designState();
    std::tie(s.qts, s.vas, s.fs, s.ventedVb, s.ventedFb, s.ventedF3, s.closedVb)
        = std::tuple(0.4f, 2.0f, 30.0f, 4.5f, 23.15f, 20.0f, 4.5f);
    std::tie(s.ventedValid, s.boxValid, s.boxType) = std::tuple(1, 1, BoxType::Vented);
    QTemporaryDir dir;
    const QString path = dir.filePath("VENTED.TLV");
    files.answerNext(path);
    QVERIFY(saveSystem());
    s = DesignState();
    applyStartValues(s);
    noteDesignKept();
    files.answerNext(path);
    QTest::mouseClick(g_main->findChild<QPushButton*>("BtnLoad"), Qt::LeftButton);
    QCOMPARE(s.closedVb, 4.5f);
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
        { "ventedValid", QString::number(s.ventedValid) },
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

    const QStringList closedBox = closed.texts({ "szVcb", "szH", "szW", "szD" });
    messages().clear();
    closed.open();
    QCOMPARE(closed.texts({ "szVcb", "szH", "szW", "szD" }), closedBox);
    QCOMPARE(designState().ventedValid, std::int16_t(0)); // the vented design was never handed over
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
    QTest::addColumn<QString>("first"); // "load": a vented design loaded; then windows opened before
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
    const QString closedOther = "szWoofBox=Closed;szQts=.3;szVas=3;szFar=30;szQd=.707;@btnCal;";
    QTest::newRow("closed, main window") << ""
                                         << "frmClose" << closed << "szWoofBox=Keep me;szQts=.33"
                                         << "main"
                                         << ""
                                         << ""
                                         << "driverName=Keep me;qts=0.33;closedVb=0.65;boxValid=1";
    QTest::newRow("closed, graph") << ""
                                   << "frmClose" << closed << "szWoofBox=Keep me"
                                   << "CBGRAPH1"
                                   << ""
                                   << ""
                                   << "driverName=Keep me;boxType=0";
    QTest::newRow("closed, a driver measured meanwhile")
        << ""
        << "frmClose" << closed << "szWoofBox=Keep me;szVas=2.5"
        << "frmSpeaker" << measured << "szQts= 1.25"
        << "qts=1.25;boxValid=0"; // with Qts 1.25 the kept box has a Qtc above 1.5: refused
    QTest::newRow("vented, bandpass") << ""
                                      << "frmVented" << driver + "@Command1"
                                      << "szWoofBox=Keep me;szFar=31"
                                      << "FrmBand"
                                      << ""
                                      << ""
                                      << "driverName=Keep me;fs=31;boxType=1";
    QTest::newRow("radiator, its Graph") << ""
                                         << "frmRadiator" << driver + "@Command1"
                                         << ""
                                         << "@btnGraph"
                                         << ""
                                         << ""
                                         << "boxValid=1;boxType=2;closedVb=1.42";
    QTest::newRow("measurement, bandpass") << ""
                                           << "frmSpeaker" << measured << "szWoofTest=Keep me"
                                           << "FrmBand"
                                           << ""
                                           << ""
                                           << "measDriverName=Keep me";
    QTest::newRow("2-way, main window") << ""
                                        << "frmXover"
                                        << "szFrq=2000;szRl=8;szRh=8"
                                        << "szRh=4"
                                        << "main"
                                        << ""
                                        << ""
                                        << "xoverType=1;xoverFreq=2000";
    QTest::newRow("3-way, its Graph") << ""
                                      << "frmXover3"
                                      << "szRh=8;szRm=8;szRl=8;szFrqh=5000"
                                      << ""
                                      << "@Command4"
                                      << ""
                                      << ""
                                      << "xoverType=3;xoverFreqLow=500";
    QTest::newRow("active 2-way, bandpass") << ""
                                            << "frmAX2"
                                            << "szFrq=2000;@btnCal"
                                            << "szFrq=2500"
                                            << "FrmBand"
                                            << ""
                                            << ""
                                            << "xoverFreq=2000";
    QTest::newRow("active 3-way, main window") << ""
                                               << "frmAX3"
                                               << "szFrqh=3000;szFrql=300;@btnCal"
                                               << "szFrql=250"
                                               << "main"
                                               << ""
                                               << ""
                                               << "xoverFreqLow=300";
    // A sibling box window designs in between without handing over: the
    // volume typed for "Calculate" For Qtc stays.
    QTest::newRow("closed, the vented window designs") << ""
                                                       << "frmClose" << closed << "szWoofBox=Keep me;szVcb=3"
                                                       << "frmVented" << driver + "@Command1"
                                                       << ""
                                                       << "closedVb=3;boxType=0";
    // Another window hands its design over while this one is away, by Exit
    // or closed from its frame while this one is the current window: the
    // driver and the name are taken over, the kept box shows what they make of it.
    QTest::newRow("vented, the closed window's Exit") << ""
                                                      << "frmVented" << driver + "@Command1"
                                                      << "szWoofBox=Keep me"
                                                      << "frmClose" << closedOther + "@btnExit"
                                                      << "szQts= .3;szVas= 3;szWoofBox=Closed;szVvb=2.16;szF3=35.36"
                                                      << "qts=0.3;driverName=Closed;boxType=1;ventedValid=1";
    QTest::newRow("vented, the closed window closed from its frame while it is current")
        << ""
        << "frmVented" << driver + "@Command1"
        << "szWoofBox=Keep me"
        << "frmClose" << closedOther + "^frmVented;#frmClose;^main"
        << "szQts= .3;szVas= 3;szWoofBox=Closed;szVvb=2.16;szF3=35.36"
        << "qts=0.3;driverName=Closed;boxType=1;ventedValid=1";
    // Looking at the closed window first leaves the loaded vented design as it is.
    QTest::newRow("loaded vented design, the closed window opened first")
        << "load;frmClose"
        << "frmVented"
        << ""
        << "szWoofBox=Keep me"
        << "frmClose"
        << ""
        << ""
        << "closedVb=4.5;boxType=1;ventedValid=1;driverName=Keep me";
    // The graph says that the box handed over is drawn for a measured driver;
    // coming back, the window takes the measured Qts over for its kept box.
    QTest::newRow("vented, a driver measured meanwhile")
        << ""
        << "frmVented"
        << "szQts=.38;szVas=3.1;szFar=25;@Command1;@btnGraph"
        << "szWoofBox=Keep me"
        << "frmSpeaker"
        << measured + ";^CBGRAPH1;@btnDraw;?graph=Designed for Qts .38, Vas 3.1, Fs 25"
            + ";?graph=drawn for Qts 1.25, Vas 3.1, Fs 25"
        << "szQts= 1.25;szVvb=2.89"
        << "qts=1.25;boxType=1;closedVb=2.89356";
}

void TestWindowSwitching::comingBackFindsTheWindowAsLeft()
{
    QFETCH(QString, first);
    QFETCH(QString, window);
    QFETCH(QString, design);
    QFETCH(QString, typed);
    QFETCH(QString, away);
    QFETCH(QString, meanwhile);
    QFETCH(QString, takenOver);
    QFETCH(QString, handedOver);

    auto* main = new FrmTlv;
    g_main = main;
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main));
    for (const QString& step : first.split(';', Qt::SkipEmptyParts)) {
        if (step == "load")
            loadVentedDesign(files());
        else
            openByName(step);
    }
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
        if (!takenOver.contains("szWoofBox"))
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
