// The measurement window as a user meets it: typing, leaving fields,
// Calculate, Print's checks, Exit's silent storing, and activation after a
// system file was loaded.
#include "core/designstate.h"
#include "core/systemfile.h"
#include "design/systemload.h"
#include "design/workedexamples.h"
#include "platform/unitchoice.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/windowtest.h"
#include "ui/frmSpeaker.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QStringList kInputs = { "szRdct", "szFrt", "szIfr", "szFlt", "szFht", "szVtbt", "szFrtbt" };
const QStringList kResults = { "szVast", "szQes", "szQms", "szQts" };
const QStringList& kExample = worked::kMeasuredTyped;
} // namespace

class TestFrmSpeaker : public WindowTest {
    Q_OBJECT
private slots:
    void init()
    {
        WindowTest::init();
        m_window = w.open();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }

    void showsEveryControl();
    void zPrimeOnLeavingAField_data();
    void zPrimeOnLeavingAField();
    void equalReAndZmaxOnLeaving();
    void calculateShowsTheWorkedExample();
    void workedExampleTypedInMetric();
    void equalFrequenciesStopCalculate();
    void reversedFrequenciesShowNegativeQs();
    void calculateWithAnEmptyFieldDoesNothing();
    void outOfRangeResultsReachNothing_data();
    void outOfRangeResultsReachNothing();
    void printRunsTheChecks();
    void printPutsTheLinesOnThePage_data();
    void printPutsTheLinesOnThePage();
    void exitStoresSilently();
    void exitWithBadInputsStoresNothing();
    void activationAfterALoad();
    void enterMovesAlongTheCycle();

private:
    QLineEdit* edit(const QString& name) const { return w.field(name); }
    void typeInputs(const QStringList& values);
    void click(const QString& button) { w.click(button); }

    WindowProbe<frmSpeaker> w;
    frmSpeaker* m_window = nullptr;
};

void TestFrmSpeaker::typeInputs(const QStringList& values)
{
    for (int i = 0; i < kInputs.size(); ++i) {
        QLineEdit* field = edit(kInputs[i]);
        field->setFocus(Qt::TabFocusReason);
        field->clear();
        QTest::keyClicks(field, values[i]);
    }
}

void TestFrmSpeaker::showsEveryControl()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Speaker Parameters (If Manufactures Specs. Not Available)"));
    for (const QString& name : kInputs + kResults + QStringList { "szWoofTest", "szZ" })
        QVERIFY2(edit(name), qPrintable(name));
    QStringList captions;
    for (const QLabel* label : m_window->findChildren<QLabel*>())
        captions << label->text();
    const QStringList expected = { "Woofer Name :", "Speaker Resistance:", "Resonance: ", "Impedance at  Resonance: ",
        "Z' = ", "Freq. Below Resonance Where Impedance = Z': ", "Freq. Above Resonance Where impedance = Z':",
        "Volume of Test Box:", "Resonance in Test Box:", "Vas:", "Qes:", "Qms:", "Qts:", "Ohms", "Hz", "Cubic Feet",
        "Re", "Fs", "Zmax", "Z'", "f1", "f2", "Vt", "Fct", "Vas", "Qes", "Qms", "Qts", "F1 For Help " };
    for (const QString& caption : expected)
        QVERIFY2(captions.contains(caption), qPrintable(caption));
    QCOMPARE(m_window->findChild<QPushButton*>("Command1")->text(), QStringLiteral("Print"));
    QCOMPARE(m_window->findChild<QPushButton*>("Command2")->text(), QStringLiteral("Calculate"));
    QCOMPARE(m_window->findChild<QPushButton*>("btnExit")->text(), QStringLiteral("Exit"));
    // Activation puts the focus in the name field.
    QCOMPARE(QApplication::focusWidget(), edit("szWoofTest"));
}

void TestFrmSpeaker::zPrimeOnLeavingAField_data()
{
    QTest::addColumn<QString>("left");
    QTest::newRow("leaving szRdct") << "szRdct";
    QTest::newRow("leaving szIfr") << "szIfr";
}

void TestFrmSpeaker::zPrimeOnLeavingAField()
{
    QFETCH(QString, left);
    edit("szRdct")->setText("6");
    edit("szIfr")->setText("24");
    edit(left)->setFocus(Qt::TabFocusReason);
    QVERIFY(edit("szZ")->text().isEmpty());
    QTest::keyClick(edit(left), Qt::Key_Return);
    QCOMPARE(edit("szZ")->text(), QStringLiteral("12."));
    QCOMPARE(designState().zPrime, 12.0f);
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmSpeaker::equalReAndZmaxOnLeaving()
{
    edit("szRdct")->setText("8");
    edit("szIfr")->setText("8");
    edit("szIfr")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit("szIfr"), Qt::Key_Return);
    QCOMPARE(messages().prompts(), QStringList { "Speaker Resistance Must NOT Equal Impedance at Resonance" });
    QCOMPARE(messages().last().shownTitle(), QStringLiteral("Tolvan"));
    QVERIFY(edit("szZ")->text().isEmpty());
    QCOMPARE(designState().zPrime, 0.0f);
}

void TestFrmSpeaker::calculateShowsTheWorkedExample()
{
    typeInputs(kExample);
    click("Command2");
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(w.texts({ "szZ", "szVast", "szQes", "szQms", "szQts" }), worked::kMeasuredShown);
    // The box windows take Qts from here.
    QCOMPARE(designState().qms, 5.0f);
    QCOMPARE(designState().qts, 1.25f);
    QCOMPARE(m_window->vas(), 3.45f);
    // Calculate stores no measurement: that is Exit's.
    QCOMPARE(designState().re, 0.0f);
}

// The test box in litres gives the imperial Vas, in litres, within its digits.
void TestFrmSpeaker::workedExampleTypedInMetric()
{
    chooseUnits(UnitSystem::Metric);
    typeInputs(worked::kMeasuredTypedInMetric);
    click("Command2");
    QVERIFY(messages().shown.isEmpty());
    const QString differs
        = metricDifferences(m_window, { "szZ", "szVast", "szQes", "szQms", "szQts" }, worked::kMeasuredShown);
    QVERIFY2(differs.isEmpty(), qPrintable(differs));
    QCOMPARE(edit("szVast")->text(), QString("97.69"));
}

void TestFrmSpeaker::equalFrequenciesStopCalculate()
{
    designState().qts = 0.4f;
    typeInputs({ "6", "30", "24", "30", "30", "1", "60" });
    click("Command2");
    QCOMPARE(messages().prompts(), QStringList { "Freq. Below and Above Can NOT Be Equal" });
    QCOMPARE(QApplication::focusWidget(), edit("szFlt"));
    for (const QString& name : kResults)
        QVERIFY(edit(name)->text().isEmpty());
    QCOMPARE(designState().qts, 0.4f);
}

void TestFrmSpeaker::reversedFrequenciesShowNegativeQs()
{
    typeInputs({ "6", "30", "24", "36", "24", "1", "60" });
    click("Command2");
    QCOMPARE(messages().prompts(), (QStringList { "Qms Can NOT be Negative", "Qes Can NOT be Negative" }));
    QCOMPARE(edit("szQms")->text(), QStringLiteral("-5."));
    QCOMPARE(edit("szQes")->text(), QStringLiteral("-1.67"));
    QCOMPARE(edit("szQts")->text(), QStringLiteral("-1.25"));
    QCOMPARE(designState().qms, -5.0f);
    QCOMPARE(designState().qes, -float(5.0 / 3.0));
}

void TestFrmSpeaker::calculateWithAnEmptyFieldDoesNothing()
{
    for (int empty = 0; empty < kInputs.size(); ++empty) {
        QStringList values = kExample;
        values[empty].clear();
        typeInputs(values);
        click("Command2");
        QVERIFY(messages().shown.isEmpty());
        for (const QString& name : kResults)
            QVERIFY(edit(name)->text().isEmpty());
        QCOMPARE(designState().qts, 0.0f);
    }
}

void TestFrmSpeaker::outOfRangeResultsReachNothing_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QStringList>("shown"); // szVast, szQes, szQms, szQts
    QTest::addColumn<float>("qts");
    // Qms beyond a Single: nothing is shown or stored.
    QTest::newRow("Qms") << QStringList { "1", "3e38", "100", "1", "1.5", "1", "60" } << "szRdct"
                         << QStringList { "", "", "", "" } << 0.4f;
    // Vas beyond a Single: the Qs stand, Vas keeps its field as it was.
    QTest::newRow("Vas") << QStringList { "6", "30", "24", "24", "36", "3e38", "60" } << "szVtbt"
                         << QStringList { "", "1.67", "5.", "1.25" } << 1.25f;
}

void TestFrmSpeaker::outOfRangeResultsReachNothing()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, focus);
    QFETCH(QStringList, shown);
    QFETCH(float, qts);
    designState().qts = 0.4f;
    typeInputs(typed);
    click("Command2");
    QCOMPARE(messages().shown.size(), 1);
    QCOMPARE(messages().last().title, QStringLiteral("Error"));
    QCOMPARE(messages().last().icon, MsgIcon::Exclamation);
    QCOMPARE(QApplication::focusWidget(), edit(focus));
    QStringList texts;
    for (const QString& name : kResults)
        texts << edit(name)->text();
    QCOMPARE(texts, shown);
    QVERIFY(qAbs(designState().qts - qts) < 0.01f);
}

void TestFrmSpeaker::printRunsTheChecks()
{
    typeInputs({ "6", "30", "24", "24", "36", "1", "30" });
    click("Command1");
    QCOMPARE(messages().prompts(), QStringList { "Resonance Must NOT Equal Resonance in Test Box" });
    QCOMPARE(QApplication::focusWidget(), edit("szFrt"));

    // With a field empty the checks are skipped.
    messages().clear();
    typeInputs({ "6", "30", "24", "24", "36", "", "30" });
    click("Command1");
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(QApplication::focusWidget(), edit("szRdct"));
}

void TestFrmSpeaker::printPutsTheLinesOnThePage_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("metric");
    QTest::newRow("PDF file") << false << false;
    QTest::newRow("cancelled") << true << false;
    QTest::newRow("PDF file in Metric") << false << true;
}

void TestFrmSpeaker::printPutsTheLinesOnThePage()
{
    QFETCH(bool, cancel);
    QFETCH(bool, metric);
    PrinterRecorder printers;
    QTemporaryDir dir;
    const QString file = dir.filePath("page.pdf");
    if (!cancel)
        printers.answerPdfFile(file);
    if (metric)
        chooseUnits(UnitSystem::Metric);
    edit("szWoofTest")->setText("Big Woofer");
    typeInputs(metric ? worked::kMeasuredTypedInMetric : kExample);
    click("Command2");
    click("Command1");
    QCOMPARE(printers.requests, 1);
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(QApplication::focusWidget(), edit("szRdct"));
    QCOMPARE(QFile::exists(file), !cancel);
    if (cancel)
        return;
    const QString text = pdfText(file);
    const QStringList expected { "Big Woofer", "Speaker Parameters", "Speaker Resistance = 6. Ohms",
        "Resonance = 30 Hz", "Impedance at Resonance = 24 Ohms", "Upper Frequency at 12. Ohms = 36 Hz",
        "Lower Frequency at 12. Ohms = 24 Hz",
        metric ? "Volume of Test Box = 28.3168 Litres" : "Volume of Test Box = 1 Cubic Feet",
        "Resonance in Test box = 60 Hz", "Qts = 1.25", "Qes = 1.67", "Qms = 5.",
        "Vas = " + edit("szVast")->text() + (metric ? " Litres" : " Cubic Feet") };
    qsizetype at = 0;
    for (const QString& line : expected) {
        const qsizetype found = text.indexOf(line, at);
        QVERIFY2(found >= 0, qPrintable(line + " in order in\n" + text));
        at = found + line.size();
    }
}

void TestFrmSpeaker::exitStoresSilently()
{
    edit("szWoofTest")->setText("Test woofer");
    typeInputs(kExample);
    click("btnExit");
    QTRY_VERIFY(!existingWindow<frmSpeaker>());
    m_window = nullptr;
    QVERIFY(messages().shown.isEmpty());
    const DesignState& s = designState();
    QCOMPARE(s.qts, 1.25f);
    QCOMPARE(s.qms, 5.0f);
    QCOMPARE(s.re, 6.0f);
    QCOMPARE(s.measFs, 30.0f);
    QCOMPARE(s.measZres, 24.0f);
    QCOMPARE(s.measF1, 24.0f);
    QCOMPARE(s.measF2, 36.0f);
    QCOMPARE(s.testBoxVolume, 1.0f);
    QCOMPARE(s.testBoxFc, 60.0f);
    QCOMPARE(s.measDriverName.text(), QStringLiteral("Test woofer").leftJustified(30));
}

void TestFrmSpeaker::exitWithBadInputsStoresNothing()
{
    edit("szWoofTest")->setText("Not stored");
    typeInputs({ "6", "30", "24", "30", "30", "1", "60" });
    click("btnExit");
    QTRY_VERIFY(!existingWindow<frmSpeaker>());
    m_window = nullptr;
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(designState().re, 0.0f);
    QCOMPARE(designState().qts, 0.0f);
    QVERIFY(!designState().measDriverName.isAssigned());
}

void TestFrmSpeaker::activationAfterALoad()
{
    // A design with measurements, saved and loaded back through the system file.
    QTemporaryDir dir;
    DesignState& s = designState();
    s.re = 5.6f;
    s.measFs = 28.5f;
    s.measZres = 42;
    s.measF1 = 21;
    s.measF2 = 0; // never measured: the field keeps its text
    s.testBoxVolume = 0.75f;
    s.testBoxFc = 55;
    s.measDriverName = QStringLiteral("  Loaded woofer");
    files().answerNext(dir.filePath("m"));
    saveSystem();
    s = DesignState {};
    files().answerNext(dir.filePath("m.TLV"));

    edit("szFht")->setText("36");
    edit("szRdct")->setText("9");
    loadSystem();
    QVERIFY(messages().shown.isEmpty());
    // An open window shows the loaded values when it is next activated.
    QCOMPARE(edit("szRdct")->text(), QStringLiteral("9"));
    DesignWindow other(QStringLiteral("other"), QStringLiteral("Other"), QSize(3000, 3000));
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));

    QCOMPARE(edit("szWoofTest")->text(), QStringLiteral("Loaded woofer"));
    QCOMPARE(edit("szRdct")->text(), QStringLiteral(" 5.6"));
    QCOMPARE(edit("szFrt")->text(), QStringLiteral(" 28.5"));
    QCOMPARE(edit("szIfr")->text(), QStringLiteral(" 42"));
    QCOMPARE(edit("szFlt")->text(), QStringLiteral(" 21"));
    QCOMPARE(edit("szFht")->text(), QStringLiteral("36"));
    QCOMPARE(edit("szVtbt")->text(), QStringLiteral(" .75"));
    QCOMPARE(edit("szFrtbt")->text(), QStringLiteral(" 55"));
    QCOMPARE(QApplication::focusWidget(), edit("szWoofTest"));
}

void TestFrmSpeaker::enterMovesAlongTheCycle()
{
    const QStringList cycle
        = { "szRdct", "szFrt", "szIfr", "szFlt", "szFht", "szVtbt", "szFrtbt", "szWoofTest", "szRdct" };
    edit(cycle.first())->setFocus(Qt::TabFocusReason);
    for (int i = 1; i < cycle.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), edit(cycle[i]));
    }
    QVERIFY(messages().shown.isEmpty());
    for (const QString& name : cycle)
        QVERIFY(edit(name)->text().isEmpty());
}

QTEST_MAIN(TestFrmSpeaker)
#include "tst_frmSpeaker.moc"
