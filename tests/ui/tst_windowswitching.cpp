// Switching straight from one design window to another by activating it: the
// window left behind runs none of its lost-focus rules, so it neither
// recomputes behind the user's back nor shows a message inside the other
// window's activation.
#include "core/designstate.h"
#include "core/numberformat.h"
#include "support/recorders.h"
#include "ui/boxwindowprobe.h"
#include "ui/frmClose.h"
#include "ui/frmSpeaker.h"
#include "ui/frmVented.h"

#include <QtTest>

class TestWindowSwitching : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void leavingTheVentedTuningForTheClosedWindowKeepsTheClosedDesign();
    void leavingAnInvalidYesNoFieldForAnotherWindowSaysNothing();
    void leavingTheMeasurementForAnotherWindowSaysNothing();

private:
    MessageRecorder* m_messages = nullptr;
};

void TestWindowSwitching::init()
{
    m_messages = new MessageRecorder;
    designState() = DesignState();
    applyStartValues(designState());
}

void TestWindowSwitching::cleanup()
{
    deleteAllWindows();
    delete m_messages;
}

void TestWindowSwitching::leavingTheVentedTuningForTheClosedWindowKeepsTheClosedDesign()
{
    WindowProbe<frmClose> closed;
    closed.open();
    closed.type("szQts", ".35");
    closed.type("szVas", "2");
    closed.type("szFar", "30");
    closed.type("szQd", ".707");
    closed.click("btnCal");
    QPointer<frmClose> first = closed.window();
    closed.click("btnExit");
    QTRY_VERIFY(!first);
    closed.open(); // activation designs from the stored values

    WindowProbe<frmVented> vented;
    vented.open();
    vented.type("szQts", ".4");
    vented.type("szVas", "2");
    vented.type("szFar", "30");
    vented.type("szISO", "N");
    vented.click("Command1");
    const QString ventedVolume = vented.text("szVvb");
    vented.field("szFb")->setFocus(Qt::TabFocusReason);
    vented.field("szFb")->selectAll();
    QTest::keyClicks(vented.field("szFb"), "25");

    m_messages->clear();
    closed.open();
    const DesignState& s = designState();
    QCOMPARE(closed.texts({ "szH", "szW", "szD" }),
        QStringList({ formatNumber(s.boxHeight, u"###.##"), formatNumber(s.boxWidth, u"###.##"),
            formatNumber(s.boxDepth, u"###.##") }));
    QCOMPARE(s.ventedValid, std::int16_t(0));
    QCOMPARE(vented.text("szVvb"), ventedVolume);
    QVERIFY(m_messages->shown.isEmpty());
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

    m_messages->clear();
    vented.open();
    QVERIFY(m_messages->prompts().isEmpty());
    QCOMPARE(m_messages->beeps, 0);
}

void TestWindowSwitching::leavingTheMeasurementForAnotherWindowSaysNothing()
{
    WindowProbe<frmSpeaker> speaker;
    speaker.open();
    speaker.type("szRdct", "6");
    speaker.type("szIfr", "6");
    speaker.field("szIfr")->setFocus(Qt::TabFocusReason);

    m_messages->clear();
    WindowProbe<frmClose> closed;
    closed.open();
    QVERIFY(m_messages->prompts().isEmpty());
}

QTEST_MAIN(TestWindowSwitching)
#include "tst_windowswitching.moc"
