// What every window shares: Enter moving along the focus cycle, the "Y"/"N"
// field, activation that refills only when the user comes from another
// program window, lost-focus rules that ignore boxes and other windows,
// single instances and proportional resizing.
#include "core/designstate.h"
#include "core/units.h"
#include "platform/designwindow.h"
#include "platform/windowplaces.h"
#include "support/windowtest.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <tuple>

namespace {

// szA and szB show fs and vas, szISO the isobaric factor; szOut is a result.
constexpr FieldEntry kProbeFields[] = {
    field("szA", nullptr, {}).shows(&DesignState::fs, Shown::WithBlank),
    field("szB", nullptr, {}).shows(&DesignState::vas, Shown::WithBlank),
    field("szC", nullptr, {}),
    field("szISO", nullptr, {}).shows(&DesignState::isoFactor, Shown::YesNo),
    field("szOut", nullptr, {}).result(),
};

class ProbeWindow : public DesignWindow {
public:
    explicit ProbeWindow(const QString& name = QStringLiteral("Probe"))
        : DesignWindow(name, QStringLiteral("Probe"), QSize(6000, 4500))
    {
        declareFields(kProbeFields);
        a = addField(QStringLiteral("szA"), 300, 300, 1200, 300);
        b = addField(QStringLiteral("szB"), 300, 900, 1200, 300);
        c = addField(QStringLiteral("szC"), 300, 1500, 1200, 300);
        iso = addField(QStringLiteral("szISO"), 300, 2100, 600, 300);
        out = addField(QStringLiteral("szOut"), 3000, 300, 1200, 300);
        button = addButton(QStringLiteral("btnCal"), QStringLiteral("Calculate"), 3000, 3600, 1200, 450);
        setFocusCycle({ QStringLiteral("szA"), QStringLiteral("szB"), QStringLiteral("szC") });
        setupYesNoField(QStringLiteral("szISO"), QStringLiteral("szA"));
        onLostFocus(a, [this] { ++lostA; });
        onGotFocus(b, [this] { ++gotB; });
        setWindowReady(1);
    }
    void closeWindowForTest() { closeWindow(); }
    // Each time the user comes to the window: a refill or a return.
    void Form_Activate() override { ++activations; }
    void Form_Return() override { ++activations; }
    void Form_Unload() override
    {
        ++unloads;
        closeWindow(); // as an Exit handler would
    }
    static inline int unloads = 0;

    QLineEdit *a, *b, *c, *iso, *out;
    QPushButton* button;
    int activations = 0;
    int lostA = 0;
    int gotB = 0;
};

class OtherWindow : public ProbeWindow {
public:
    OtherWindow()
        : ProbeWindow(QStringLiteral("Other"))
    {
    }
};

// Its activation puts the focus on one of its fields, as the design windows do.
class FocusingWindow : public ProbeWindow {
public:
    FocusingWindow()
        : ProbeWindow(QStringLiteral("Focusing"))
    {
    }
    void Form_Activate() override
    {
        ++activations;
        b->setFocus(Qt::OtherFocusReason);
    }
};

// Fills szA from fs and szB from vas on activation.
class RefillingWindow : public ProbeWindow {
public:
    RefillingWindow()
        : ProbeWindow(QStringLiteral("Refilling"))
    {
    }
    void Form_Activate() override
    {
        ++activations;
        fillField(QStringLiteral("szA"));
        fillField(QStringLiteral("szB"));
    }
    void Form_Return() override { ++returns; }
    int returns = 0;
};

// One field per display rule and storing moment.
constexpr FieldEntry kBoundFields[] = {
    field("szN", nullptr, {}).shows(&DesignState::qts, Shown::WithBlank, kOnHandOver),
    field("szE", nullptr, {}).shows(&DesignState::vas, Shown::WithBlankOrEmpty),
    field("szD", nullptr, {}).shows(&DesignState::fs, Shown::WithBlank).orElse(".7"),
    field("szT", nullptr, {}).shows(&DesignState::driverName, Shown::Trimmed, kOnExit),
    field("szP", nullptr, {}).shows(&DesignState::measDriverName, Shown::WithoutPadding),
    field("szY", nullptr, {}).shows(&DesignState::isoFactor, Shown::YesNo),
    field("szF", nullptr, {})
        .shows(&DesignState::bandFl3Input, Shown::WithBlank)
        .alsoStores(&DesignState::bandFl3, kOnHandOver),
    field("szS", nullptr, {}).stores(&DesignState::closedVb, kOnPrintAndExit),
};

class BoundWindow : public DesignWindow {
public:
    BoundWindow()
        : DesignWindow(QStringLiteral("Bound"), QStringLiteral("Bound"), QSize(6000, 4500))
    {
        declareFields(kBoundFields);
        for (const FieldEntry& entry : kBoundFields)
            addField(QString::fromLatin1(entry.name), 300, 300, 1200, 300);
    }
};

// What Save System takes from it: `share`. Its hand-over is logged, and it
// stores szA (fs) as its own value.
class SharingWindow : public ProbeWindow {
public:
    SharingWindow(const QString& name, OnSave share)
        : ProbeWindow(name)
        , m_share(share)
    {
    }
    OnSave savedOnSave() const override { return m_share; }
    void Form_Activate() override { fillField(QStringLiteral("szA")); }
    void Form_HandOver() override
    {
        if (designState().designValid != 1)
            return;
        log << objectName();
        storeFields({ "szA" });
    }
    static inline QStringList log;

private:
    OnSave m_share;
};

// One field of each kind; szVol's own rule, run when it is left, notes the number it reads.
constexpr FieldEntry kUnitFields[] = {
    field("szVol", nullptr, {}).in(units::kCubicFeet).shows(&DesignState::vas, Shown::WithBlank),
    field("szLen", nullptr, {}).in(units::kInches),
    field("szHz", nullptr, {}).in(units::kHz),
    field("szPlain", nullptr, {}),
    field("szName", nullptr, {}).input("name", Accepts::Text),
    field("szNext", nullptr, {}),
};

class UnitsWindow : public DesignWindow {
public:
    UnitsWindow()
        : DesignWindow(QStringLiteral("Units"), QStringLiteral("Units"), QSize(6000, 4500))
    {
        declareFields(kUnitFields);
        int top = 300;
        for (const FieldEntry& entry : kUnitFields) {
            addField(QString::fromLatin1(entry.name), 300, top, 1200, 300);
            top += 450;
        }
        QStringList cycle;
        for (const FieldEntry& entry : kUnitFields)
            cycle << QString::fromLatin1(entry.name);
        setFocusCycle(cycle);
        onLostFocus(field(QStringLiteral("szVol")), [this] { seen << numberIn(QStringLiteral("szVol")); });
    }
    QVector<double> seen;
};

bool activate(QWidget* w)
{
    w->show();
    w->raise();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

} // namespace

class TestDesignWindow : public WindowTest {
    Q_OBJECT
private slots:
    void enterMovesAlongCycleAndWraps_data();
    void enterMovesAlongCycleAndWraps();
    void enterInsertsNothing();
    void yesNoField_data();
    void yesNoField();
    void yesNoIgnoredWhileNotReady();
    void yesNoComplainsOnLeaving_data();
    void yesNoComplainsOnLeaving();
    void activationRunsOnFirstShowAndFromOtherProgramWindow();
    void comingBackRefillsOnlyWhatChanged_data();
    void comingBackRefillsOnlyWhatChanged();
    void activationSkipsOwnDialogAndOtherApplications();
    void lostFocusOnlyForControlChanges_data();
    void lostFocusOnlyForControlChanges();
    void otherWindowTakingFocusIsNoLostFocus();
    void singleInstance();
    void exitDestroysAndClearsReady();
    void frameCloseRunsUnloadOnce_data();
    void frameCloseRunsUnloadOnce();
    void resizeKeepsProportions();
    void controlsSitAtTwipPositions();
    void f1OpensTheWindowsTopic();
    void placeIsTakenBackOnTheSameScreensOnly_data();
    void placeIsTakenBackOnTheSameScreensOnly();
    void fillingAndStoringFollowTheRow_data();
    void fillingAndStoringFollowTheRow();
    void saveTakesWhatTheOpenWindowsShow_data();
    void saveTakesWhatTheOpenWindowsShow();
    void placeStaysPutOverTwentyReopenings();
    void unitsTypedAreTakenOnLeavingOrEnter_data();
    void unitsTypedAreTakenOnLeavingOrEnter();
};

void TestDesignWindow::enterMovesAlongCycleAndWraps_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("first to second") << "szA"
                                     << "szB";
    QTest::newRow("second to third") << "szB"
                                     << "szC";
    QTest::newRow("last back to first") << "szC"
                                        << "szA";
}

void TestDesignWindow::enterMovesAlongCycleAndWraps()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    ProbeWindow w;
    QVERIFY(activate(&w));
    auto* start = w.findChild<QLineEdit*>(from);
    start->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(start, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), to);
    // The keypad's Enter does the same.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QVERIFY(QApplication::focusWidget()->objectName() != to);
}

void TestDesignWindow::enterInsertsNothing()
{
    ProbeWindow w;
    QVERIFY(activate(&w));
    w.a->setFocus();
    QTest::keyClicks(w.a, QStringLiteral("12"));
    QTest::keyClick(w.a, Qt::Key_Return);
    QCOMPARE(w.a->text(), QStringLiteral("12"));
    QCOMPARE(messages().beeps, 0);
    // A field outside the cycle swallows Enter too and keeps the focus.
    w.out->setFocus();
    QTest::keyClick(w.out, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w.out);
    QCOMPARE(w.out->text(), QString());
}

void TestDesignWindow::yesNoField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<float>("factor");
    QTest::addColumn<bool>("focusMoves");
    QTest::newRow("y") << "y"
                       << "Y" << 0.5f << true;
    QTest::newRow("Y") << "Y"
                       << "Y" << 0.5f << true;
    QTest::newRow("n") << "n"
                       << "N" << 1.0f << true;
    QTest::newRow("other letter") << "x"
                                  << "X" << 0.75f << false;
}

void TestDesignWindow::yesNoField()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(float, factor);
    QFETCH(bool, focusMoves);
    designState().isoFactor = 0.75f;
    ProbeWindow w;
    QVERIFY(activate(&w));
    w.iso->setFocus();
    QTest::keyClicks(w.iso, typed);
    QCOMPARE(w.iso->text(), shown);
    QCOMPARE(designState().isoFactor, factor);
    QCOMPARE(QApplication::focusWidget() == w.a, focusMoves);
}

void TestDesignWindow::yesNoIgnoredWhileNotReady()
{
    ProbeWindow w;
    QVERIFY(activate(&w));
    w.setWindowReady(0);
    w.iso->setFocus();
    QTest::keyClicks(w.iso, QStringLiteral("y"));
    QCOMPARE(w.iso->text(), QStringLiteral("y"));
    QCOMPARE(designState().isoFactor, 1.0f);
}

void TestDesignWindow::yesNoComplainsOnLeaving_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("complains");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("YES") << "YES" << true;
    QTest::newRow("Y") << "Y" << false;
    QTest::newRow("N") << "N" << false;
}

void TestDesignWindow::yesNoComplainsOnLeaving()
{
    QFETCH(QString, text);
    QFETCH(bool, complains);
    designState().isoFactor = 0.5f;
    ProbeWindow w;
    QVERIFY(activate(&w));
    w.setWindowReady(0); // put the text in place without acting on it
    w.iso->setText(text);
    w.setWindowReady(1);
    w.iso->setFocus();
    w.b->setFocus(Qt::TabFocusReason);
    if (complains) {
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().last(),
            (Message { QStringLiteral("Must enter 'Y' or 'N'"), QStringLiteral("Error"), MsgButtons::Ok,
                MsgIcon::Exclamation, true }));
        QCOMPARE(messages().beeps, 1);
        QCOMPARE(QApplication::focusWidget(), w.iso);
        QCOMPARE(designState().isoFactor, 0.5f); // the factor keeps its last value
    } else {
        QVERIFY(messages().shown.isEmpty());
        QCOMPARE(QApplication::focusWidget(), w.b);
    }
}

void TestDesignWindow::activationRunsOnFirstShowAndFromOtherProgramWindow()
{
    auto* w = new ProbeWindow;
    auto* other = new OtherWindow;
    QVERIFY(activate(w));
    QCOMPARE(w->activations, 1);
    QVERIFY(activate(other));
    QCOMPARE(other->activations, 1);
    QVERIFY(activate(w));
    QCOMPARE(w->activations, 2);
    QVERIFY(activate(other));
    QCOMPARE(other->activations, 2);
}

void TestDesignWindow::comingBackRefillsOnlyWhatChanged_data()
{
    QTest::addColumn<QString>("meanwhile"); // what happens in the other window
    QTest::addColumn<QStringList>("shown"); // szA, szB after coming back
    QTest::addColumn<int>("activations");
    QTest::newRow("nothing") << "" << QStringList { "typed a", "typed b" } << 1;
    QTest::newRow("a shown value changed") << "fs" << QStringList { " 40", "typed b" } << 2;
    // Another window's design (its box dimensions) is not this window's to show.
    QTest::newRow("a value no field shows changed") << "boxHeight" << QStringList { "typed a", "typed b" } << 1;
    QTest::newRow("a load") << "load" << QStringList { " 40", " 2" } << 2;
    QTest::newRow("a click in the window") << "click" << QStringList { "typed a", "typed b" } << 1;
    // A window closed from its frame while this one was current hands its
    // design over then: taken over at the next return all the same.
    QTest::newRow("changed while the window was current") << "fs here" << QStringList { " 40", "typed b" } << 2;
    // The window's own write of the value (its Y/N rule) is nothing to take over.
    QTest::newRow("its own factor") << "iso here" << QStringList { "typed a", "typed b" } << 1;
}

void TestDesignWindow::comingBackRefillsOnlyWhatChanged()
{
    QFETCH(QString, meanwhile);
    QFETCH(QStringList, shown);
    QFETCH(int, activations);
    DesignState& s = designState();
    s.fs = 30, s.vas = 2, s.designValid = 1;
    auto* w = new RefillingWindow;
    auto* other = new OtherWindow;
    QVERIFY(activate(w));
    QCOMPARE(s.designValid, std::int16_t(0)); // a window opens with no design of its own
    QCOMPARE(w->a->text() + "|" + w->b->text(), QString(" 30| 2"));
    QCOMPARE(w->a->cursorPosition(), 0); // a program write shows the text's beginning
    w->c->setFocus();
    QTest::keyClicks(w->c, "typed");
    QCOMPARE(w->c->cursorPosition(), 5); // typing keeps the cursor where it left it
    w->a->setText("typed a");
    w->b->setText("typed b");
    s.designValid = 1; // its own design
    if (meanwhile == "fs here")
        s.fs = 40;
    if (meanwhile == "iso here")
        w->iso->setText("Y");

    QVERIFY(activate(other));
    s.designValid = 0; // the other window's
    if (meanwhile == "fs" || meanwhile == "load")
        s.fs = 40;
    s.boxHeight = meanwhile == "boxHeight" ? 10 : 0;
    if (meanwhile == "load")
        countDesignLoad();
    if (meanwhile == "click")
        QTest::mouseClick(w->button, Qt::LeftButton); // before the window system reports it active
    else
        QVERIFY(activate(w));
    QCOMPARE(QStringList({ w->a->text(), w->b->text() }), shown);
    QCOMPARE(w->activations, activations);
    QCOMPARE(w->returns, 2 - activations);
    QCOMPARE(s.designValid, std::int16_t(1)); // its own again, whatever the other window left
}

void TestDesignWindow::activationSkipsOwnDialogAndOtherApplications()
{
    auto* w = new ProbeWindow;
    QVERIFY(activate(w));
    QCOMPARE(w->activations, 1);

    // A message box or the printer dialog of the window: a dialog that is no program window.
    auto* dialog = new QDialog(w);
    QVERIFY(activate(dialog));
    dialog->close();
    QVERIFY(activate(w));
    QCOMPARE(w->activations, 1);

    // Another application: no window of the program is active in between.
    auto* foreign = new QWidget;
    QVERIFY(activate(foreign));
    QVERIFY(activate(w));
    QCOMPARE(w->activations, 1);
    delete foreign;
}

void TestDesignWindow::lostFocusOnlyForControlChanges_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<int>("handled");
    QTest::newRow("tab") << int(Qt::TabFocusReason) << 1;
    QTest::newRow("mouse") << int(Qt::MouseFocusReason) << 1;
    QTest::newRow("program") << int(Qt::OtherFocusReason) << 1;
    QTest::newRow("box or other window") << int(Qt::ActiveWindowFocusReason) << 0;
    QTest::newRow("popup menu") << int(Qt::PopupFocusReason) << 0;
}

void TestDesignWindow::lostFocusOnlyForControlChanges()
{
    QFETCH(int, reason);
    QFETCH(int, handled);
    ProbeWindow w;
    QVERIFY(activate(&w));
    w.a->setFocus(Qt::TabFocusReason);
    w.lostA = w.gotB = 0;
    w.b->setFocus(Qt::FocusReason(reason));
    QCOMPARE(w.lostA, handled);
    QCOMPARE(w.gotB, handled);
}

void TestDesignWindow::otherWindowTakingFocusIsNoLostFocus()
{
    auto* w = new ProbeWindow;
    QVERIFY(activate(w));
    w->a->setFocus();
    QCOMPARE(QApplication::focusWidget(), w->a);
    auto* other = new OtherWindow;
    QVERIFY(activate(other));
    QCOMPARE(w->lostA, 0);
    // Nor when the other window's activation moves the focus itself: neither
    // the field left behind nor the one the activation focuses runs its rule.
    QVERIFY(activate(w));
    w->a->setFocus();
    auto* focusing = new FocusingWindow;
    QVERIFY(activate(focusing));
    QCOMPARE(focusing->activations, 1);
    QCOMPARE(QApplication::focusWidget(), focusing->b);
    QCOMPARE(w->lostA, 0);
    QCOMPARE(focusing->gotB, 0);
    // Moving to another field of its own window is a lost focus.
    QVERIFY(activate(w));
    w->a->setFocus();
    w->c->setFocus(Qt::TabFocusReason);
    QCOMPARE(w->lostA, 1);
}

void TestDesignWindow::singleInstance()
{
    ProbeWindow* first = openWindow<ProbeWindow>();
    QVERIFY(QTest::qWaitForWindowActive(first));
    ProbeWindow* second = openWindow<ProbeWindow>();
    QCOMPARE(second, first);
    QCOMPARE(existingWindow<ProbeWindow>(), first);
}

void TestDesignWindow::exitDestroysAndClearsReady()
{
    QPointer<ProbeWindow> w = openWindow<ProbeWindow>();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(w->windowReady(), 1);
    w->close();
    QTRY_VERIFY(w.isNull());
    QVERIFY(existingWindow<ProbeWindow>() == nullptr);
    // Opening again creates it afresh.
    ProbeWindow* again = openWindow<ProbeWindow>();
    QVERIFY(again);
    QVERIFY(QTest::qWaitForWindowActive(again));
    QCOMPARE(again->activations, 1);
}

void TestDesignWindow::frameCloseRunsUnloadOnce_data()
{
    QTest::addColumn<bool>("throughFrame");
    QTest::addColumn<int>("unloads");
    QTest::newRow("frame") << true << 1;
    QTest::newRow("Exit") << false << 0;
}

void TestDesignWindow::frameCloseRunsUnloadOnce()
{
    QFETCH(bool, throughFrame);
    QFETCH(int, unloads);
    ProbeWindow::unloads = 0;
    QPointer<ProbeWindow> w = new ProbeWindow;
    QVERIFY(activate(w));
    if (throughFrame)
        w->close();
    else
        w->closeWindowForTest();
    QTRY_VERIFY(w.isNull());
    QCOMPARE(ProbeWindow::unloads, unloads);
}

void TestDesignWindow::resizeKeepsProportions()
{
    ProbeWindow w;
    QVERIFY(activate(&w));
    const QRect before = w.out->geometry();
    const QSize size = w.size();
    w.resize(size * 2);
    QTRY_COMPARE(w.size(), size * 2);
    const QRect after = w.out->geometry();
    QVERIFY(qAbs(after.x() - 2 * before.x()) <= 1);
    QVERIFY(qAbs(after.width() - 2 * before.width()) <= 1);
    QVERIFY(qAbs(after.height() - 2 * before.height()) <= 1);
    w.resize(size);
    QTRY_COMPARE(w.out->geometry(), before);
}

void TestDesignWindow::controlsSitAtTwipPositions()
{
    ProbeWindow w;
    QCOMPARE(w.size(), QSize(400, 300));
    QCOMPARE(w.button->geometry(), QRect(200, 240, 80, 30));
    QCOMPARE(DesignWindow::twipsToPixels(840, 1800, 2532, 612), QRect(56, 120, 168, 40));
}

void TestDesignWindow::f1OpensTheWindowsTopic()
{
    ProbeWindow w;
    QVERIFY(activate(&w));
    w.a->setFocus();
    QTest::keyClick(w.a, Qt::Key_F1);
    QCOMPARE(help().topics, QStringList { "Probe" });
}

void TestDesignWindow::placeIsTakenBackOnTheSameScreensOnly_data()
{
    QTest::addColumn<bool>("sameScreens");
    QTest::addColumn<QRect>("saved"); // position and size
    QTest::addColumn<bool>("restored");
    QTest::newRow("same screens") << true << QRect(30, 20, 500, 280) << true;
    QTest::newRow("a screen that is gone") << false << QRect(30, 20, 500, 280) << false;
    QTest::newRow("off every screen") << true << QRect(9000, 9000, 500, 280) << false;
    // The window itself on the screen, but its title bar above it: it could not be dragged.
    QTest::newRow("title bar above the screen") << true << QRect(30, 0, 500, 280) << false;
}

void TestDesignWindow::placeIsTakenBackOnTheSameScreensOnly()
{
    QFETCH(bool, sameScreens);
    QFETCH(QRect, saved);
    QFETCH(bool, restored);
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    rememberWindowPlaces(true);
    auto* first = new ProbeWindow;
    QVERIFY(activate(first));
    const QSize designed = first->size();
    first->close(); // saves its place with today's screens
    QSettings settings(QSettings::UserScope, "Tolvan", "Tolvan");
    settings.setValue("windows/Probe/geometry", saved);
    if (!sameScreens)
        settings.setValue("windows/Probe/screens", "0,0,640x480;640,0,640x480");
    settings.sync();

    auto* again = new ProbeWindow;
    QVERIFY(activate(again));
    rememberWindowPlaces(false);
    QCOMPARE(again->size(), restored ? saved.size() : designed);
}

void TestDesignWindow::fillingAndStoringFollowTheRow_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stored"); // the design-state value, as a number or a name
    QTest::addColumn<QString>("shown"); // "typed" where the field keeps what it held
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("storedOn"); // the moments that store the typed "2.5", among Graph, Print, Exit
    QTest::newRow("a number") << "szN"
                              << ".35"
                              << " .35" << true << "Graph Print Exit";
    QTest::newRow("a missing number keeps the text") << "szN"
                                                     << "0"
                                                     << "typed" << false << "Graph Print Exit";
    QTest::newRow("a missing number empties the field") << "szE"
                                                        << "-1"
                                                        << "" << false << "";
    QTest::newRow("a missing number shows the default") << "szD"
                                                        << "0"
                                                        << ".7" << true << "";
    QTest::newRow("a name, trimmed") << "szT"
                                     << "  Woofer  "
                                     << "Woofer" << true << "Exit";
    QTest::newRow("a name, its padding left out") << "szP"
                                                  << "  Woofer"
                                                  << "  Woofer" << true << "";
    QTest::newRow("an isobaric pair") << "szY"
                                      << ".5"
                                      << "Y" << true << "";
    QTest::newRow("a Double, stored as a Single too") << "szF"
                                                      << "25.5"
                                                      << " 25.5" << true << "Graph Print Exit";
    QTest::newRow("stored, never shown") << "szS"
                                         << ""
                                         << "typed" << true << "Print Exit";
}

void TestDesignWindow::fillingAndStoringFollowTheRow()
{
    QFETCH(QString, field);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(bool, present);
    QFETCH(QString, storedOn);
    DesignState& s = designState();
    const float number = stored.toFloat();
    std::tie(s.qts, s.vas, s.fs, s.isoFactor, s.bandFl3Input) = std::tuple(number, number, number, number, number);
    s.driverName = stored;
    s.measDriverName = stored;
    BoundWindow w;
    w.field(field)->setText("typed");
    if (w.fieldEntry(field)->value.fills)
        QCOMPARE(w.fillField(field), present);
    QCOMPARE(w.field(field)->text(), shown);

    // The typed text is stored at the row's moments, into its variable (or variables).
    const QString name = field;
    const auto value = [&s, name] {
        static const QHash<QString, std::function<QString(const DesignState&)>> of {
            { "szN", [](const DesignState& d) { return QString::number(d.qts); } },
            { "szE", [](const DesignState& d) { return QString::number(d.vas); } },
            { "szD", [](const DesignState& d) { return QString::number(d.fs); } },
            { "szT", [](const DesignState& d) { return d.driverName.trimmed(); } },
            { "szP", [](const DesignState& d) { return d.measDriverName.trimmed(); } },
            { "szY", [](const DesignState& d) { return QString::number(d.isoFactor); } },
            { "szF", [](const DesignState& d) { return QString::number(d.bandFl3); } },
            { "szS", [](const DesignState& d) { return QString::number(d.closedVb); } },
        };
        return of.value(name)(s);
    };
    QStringList moments;
    for (const auto& [moment, word] :
        { std::pair { Moment::Graph, "Graph" }, { Moment::Print, "Print" }, { Moment::Exit, "Exit" } }) {
        w.field(field)->setText("2.5");
        const QString before = value();
        w.storeFields(moment);
        if (value() != before)
            moments << QString::fromLatin1(word);
        s = DesignState();
        std::tie(s.qts, s.vas, s.fs, s.isoFactor) = std::tuple(number, number, number, number);
        s.driverName = stored;
        s.measDriverName = stored;
    }
    QCOMPARE(moments.join(' '), storedOn);
}

void TestDesignWindow::saveTakesWhatTheOpenWindowsShow_data()
{
    QTest::addColumn<QStringList>("worked"); // the windows in the order the user worked in them
    QTest::addColumn<QStringList>("valid"); // those holding a valid design
    QTest::addColumn<QStringList>("handedOver"); // in the order they hand it over
    QTest::newRow("the box window worked in last")
        << QStringList { "box1", "box2" } << QStringList { "box1", "box2" } << QStringList { "box2" };
    QTest::newRow("the last one has no design: no other box window instead")
        << QStringList { "box1", "box2" } << QStringList { "box1" } << QStringList {};
    QTest::newRow("own values in the order worked in")
        << QStringList { "own2", "box1", "own1" } << QStringList { "own1", "own2", "box1" }
        << QStringList { "own2", "box1", "own1" };
    QTest::newRow("a window that hands nothing over")
        << QStringList { "plain", "box1" } << QStringList { "plain", "box1" } << QStringList { "box1" };
}

void TestDesignWindow::saveTakesWhatTheOpenWindowsShow()
{
    QFETCH(QStringList, worked);
    QFETCH(QStringList, valid);
    QFETCH(QStringList, handedOver);
    DesignState& s = designState();
    s.fs = 30;
    auto* other = new OtherWindow;
    QMap<QString, SharingWindow*> windows;
    for (const QString& name : worked) {
        const auto share = name.startsWith("box") ? DesignWindow::OnSave::BoxDesign
            : name.startsWith("own")              ? DesignWindow::OnSave::OwnValues
                                                  : DesignWindow::OnSave::Nothing;
        auto* w = new SharingWindow(name, share);
        windows[name] = w;
        QVERIFY(activate(w));
        w->a->setText("7");
        s.designValid = valid.contains(name) ? 1 : 0; // its own
    }
    QVERIFY(activate(other));

    // A trial that is not kept changes nothing: the state, and what each window saw.
    SharingWindow::log.clear();
    {
        HandOverTrial trial;
        QCOMPARE(SharingWindow::log, handedOver);
        QCOMPARE(s.fs, handedOver.isEmpty() ? 30.0f : 7.0f);
    }
    QCOMPARE(s.fs, 30.0f);
    for (const QString& name : worked) {
        QVERIFY(activate(windows[name]));
        QCOMPARE(windows[name]->a->text(), QString("7")); // not taken over from the state put back
    }
    QVERIFY(activate(other));
    SharingWindow::log.clear();
    DesignWindow::handOverOpenWindows();
    QCOMPARE(SharingWindow::log, handedOver);
}

// Closed and opened again twenty times, with the frame the platform gives
// it, the window comes back to the pixel where it was left.
void TestDesignWindow::placeStaysPutOverTwentyReopenings()
{
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    rememberWindowPlaces(true);
    auto* first = new ProbeWindow;
    QVERIFY(activate(first));
    const QRect left(120, 90, first->width() + 40, first->height() + 20);
    first->setGeometry(left);
    QTRY_COMPARE(first->geometry(), left);
    const QPoint frameOffset = first->geometry().topLeft() - first->frameGeometry().topLeft();
    first->close();
    delete first;
    for (int reopening = 1; reopening <= 20; ++reopening) {
        auto* again = new ProbeWindow;
        QVERIFY(activate(again));
        QVERIFY2(again->geometry() == left,
            qPrintable(QString("reopening %1: %2,%3 %4x%5")
                           .arg(reopening)
                           .arg(again->x())
                           .arg(again->y())
                           .arg(again->width())
                           .arg(again->height())));
        again->close();
        delete again;
    }
    rememberWindowPlaces(false);
    qInfo("frame offset %d,%d", frameOffset.x(), frameOffset.y());
}

QTEST_MAIN(TestDesignWindow)
#include "tst_designwindow.moc"

// A number typed with a unit is converted into the field's unit, in the units
// chosen, when the field is left or Enter pressed; a unit of another kind is
// refused with a message, leaves the text as typed and runs no rule of the
// field; anything else after the number is left to the number rules.
void TestDesignWindow::unitsTypedAreTakenOnLeavingOrEnter_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<bool>("enter"); // else left by a click on the next field
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("value"); // as the window reads it, in its own unit
    QTest::addColumn<bool>("refused");
    const double litre = 1 / units::kLitresPerCubicFoot;
    QTest::newRow("61 L in cubic feet, Enter") << "szVol"
                                               << "61 L" << false << true << "2.154195" << 61 * litre << false;
    QTest::newRow("61 L in cubic feet, left") << "szVol"
                                              << "61 L" << false << false << "2.154195" << 61 * litre << false;
    QTest::newRow("61 L in litres") << "szVol"
                                    << "61 L" << true << true << "61" << 61 * litre << false;
    QTest::newRow("2 cu ft in litres") << "szVol"
                                       << "2 cu ft" << true << false << "56.633693" << 2.0 << false;
    QTest::newRow("12 in in cm") << "szLen"
                                 << "12 in" << true << true << "30.48" << 12.0 << false;
    QTest::newRow("30.48 cm in inches") << "szLen"
                                        << "30.48 cm" << false << true << "12" << 12.0 << false;
    QTest::newRow("1.5 kHz") << "szHz"
                             << "1.5 kHz" << true << true << "1500" << 1500.0 << false;
    QTest::newRow("litres in a length") << "szLen"
                                        << "61 L" << false << true << "61 L" << 61.0 << true;
    QTest::newRow("litres in a length, left") << "szLen"
                                              << "61 L" << true << false << "61 L" << 61 / 2.54 << true;
    QTest::newRow("cm in a volume") << "szVol"
                                    << "3 cm" << false << false << "3 cm" << 3.0 << true;
    QTest::newRow("a unit in a plain number") << "szPlain"
                                              << ".4 L" << true << true << ".4 L" << 0.4 << true;
    QTest::newRow("4 xyz as the number rules say") << "szVol"
                                                   << "4 xyz" << false << true << "4 xyz" << 4.0 << false;
    QTest::newRow("1,5 as the number rules say") << "szVol"
                                                 << "1,5" << true << true << "1,5" << litre << false;
    QTest::newRow("a name is no number") << "szName"
                                         << "8 in woofer" << true << true << "8 in woofer" << 8.0 << false;
}

void TestDesignWindow::unitsTypedAreTakenOnLeavingOrEnter()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, metric);
    QFETCH(bool, enter);
    QFETCH(QString, shown);
    QFETCH(double, value);
    QFETCH(bool, refused);
    setUnitSystem(metric ? UnitSystem::Metric : UnitSystem::Imperial);
    UnitsWindow w;
    QVERIFY(activate(&w));
    QLineEdit* edit = w.field(field);
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, typed);
    if (enter)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        QTest::mouseClick(w.field("szNext"), Qt::LeftButton);
    QCOMPARE(edit->text(), shown);
    if (field != "szName")
        QVERIFY2(
            qAbs(w.numberIn(field) - value) <= 1e-12 * qAbs(value), qPrintable(QString::number(w.numberIn(field))));
    QCOMPARE(messages().shown.size(), refused ? 1 : 0);
    QCOMPARE(messages().beeps, refused ? 1 : 0);
    if (refused) {
        QCOMPARE(messages().last().title, QString("Error"));
        QVERIFY2(messages().last().prompt.contains(" is a unit of "), qPrintable(messages().last().prompt));
        QCOMPARE(QApplication::focusWidget(), edit);
    } else {
        QVERIFY(QApplication::focusWidget() != edit);
    }
    // szVol's own rule ran on leaving, with the number converted; not after a refusal.
    if (field == "szVol")
        QCOMPARE(w.seen, refused ? QVector<double> {} : QVector<double> { w.numberIn("szVol") });
}
