// The active 2-way window through its controls.
#include "platform/pictures.h"
#include "ui/activecircuit.h"
#include "ui/crossoverprobe.h"
#include "ui/frmAX2.h"

#include <QtTest>

namespace {
const QStringList& kResults = worked::kActive2.fields;
const QStringList& k2000 = worked::kActive2.shown;
} // namespace

class TestFrmAX2 : public QuietWindowTest {
    Q_OBJECT
private slots:
    void controlsCaptionsAndColours();
    void calculate_data();
    void calculate();
    void drawnSectionsCrossAsButterworth_data();
    void drawnSectionsCrossAsButterworth();
    void activationDesignsForTheStoredFrequency_data();
    void activationDesignsForTheStoredFrequency();
    void editedFrequencyWithdrawsTheDesignUntilCalculate();
    void printedPageStandsWhereTheLayoutSays();

private:
    WindowProbe<frmAX2> w;
};

void TestFrmAX2::controlsCaptionsAndColours()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Active 2 Way Crossover Design"));
    for (const char* caption : { "Crossover Frequency:", "Hz",
             "R =", "R1 =", "R2 =", "R3 =", "R4 =", "C =", "C1 =", "C2 =", "C3 =", "C4 =", "Ohms", "uF" })
        QVERIFY2(w.captions().contains(caption), caption);
    QCOMPARE(w.buttonRow(), (QStringList { "BtnPrint=Print", "btnCal=Calculate", "btnExit=Exit" }));
    QCOMPARE(w.window()->findChild<PictureBox*>("Image1")->picture(), QString("A2.BMP"));
    QVERIFY(!compiledPicture("A2.BMP").isEmpty());
    const QString small = circuit::smallLabel(w.window(), "A2.BMP");
    QVERIFY2(small.isEmpty(), qPrintable(small));

    QCOMPARE(w.window()->palette().color(QPalette::Window), QColor(0, 0, 128));
    QCOMPARE(w.window()->findChild<QLabel*>("Label1")->palette().color(QPalette::WindowText), QColor(Qt::white));
    for (const QString& name : kResults) {
        QCOMPARE(w.field(name)->palette().color(QPalette::Text), QColor(Qt::yellow));
        QCOMPARE(w.field(name)->palette().color(QPalette::Base), QColor(0, 0, 160));
        QVERIFY(w.field(name)->isReadOnly());
    }
    QVERIFY(!w.field("szFrq")->isReadOnly());
}

void TestFrmAX2::calculate_data()
{
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<bool>("designs");
    QTest::newRow("worked example") << worked::kActive2.typed[0] << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("negative") << "-2000" << false;
    QTest::newRow("capacitors beyond a Single") << "1e-40" << false;
    QTest::newRow("beyond a Single") << "1e39" << false;
}

void TestFrmAX2::calculate()
{
    QFETCH(QString, frequency);
    QFETCH(bool, designs);

    w.open();
    w.type("szFrq", "1000");
    w.click("btnCal"); // an earlier design, for 1000 Hz
    const QStringList earlier = w.texts(kResults);
    w.type("szFrq", frequency);
    w.click("btnCal");

    QCOMPARE(w.texts(kResults), designs ? k2000 : earlier);
    QCOMPARE(designState().designValid, std::int16_t(designs ? 1 : 0));
    QCOMPARE(designState().xoverFreq, designs ? frequency.toFloat() : 1000.0f);
    QCOMPARE(w.focused(), QString("szFrq"));
}

void TestFrmAX2::drawnSectionsCrossAsButterworth_data()
{
    QTest::addColumn<QString>("frequency");
    QTest::newRow("2000 Hz") << "2000";
    QTest::newRow("80 Hz, a subwoofer") << "80";
    QTest::newRow("20000 Hz, capacitors shown to three figures") << "20000";
}

void TestFrmAX2::drawnSectionsCrossAsButterworth()
{
    QFETCH(QString, frequency);
    w.open();
    w.type("szFrq", frequency);
    w.click("btnCal");
    using namespace circuit;
    // As drawn: C4 at the first node, C3 in the feedback, C2 at the op-amp's input; R3, R2, R1 alike.
    const QString fault = crossingFault(frequency.toDouble(),
        lowPass(ohms(w.text("szR")), farads(w.text("szC4")), farads(w.text("szC3")), farads(w.text("szC2"))),
        highPass(farads(w.text("szC")), ohms(w.text("szR3")), ohms(w.text("szR2")), ohms(w.text("szR1"))));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TestFrmAX2::activationDesignsForTheStoredFrequency_data()
{
    QTest::addColumn<float>("stored");
    QTest::addColumn<QString>("shown"); // szFrq
    QTest::addColumn<int>("designValid");
    QTest::newRow("2000 Hz") << 2000.0f << " 2000" << 1;
    QTest::newRow("nothing stored") << 0.0f << "" << 0;
    QTest::newRow("from a file, capacitors beyond a Single") << 1e-40f << " 9.999946E-41" << 0;
}

void TestFrmAX2::activationDesignsForTheStoredFrequency()
{
    QFETCH(float, stored);
    QFETCH(QString, shown);
    QFETCH(int, designValid);

    designState().xoverFreq = stored;
    w.open();
    QCOMPARE(w.text("szFrq"), shown);
    QCOMPARE(w.texts(kResults), designValid ? k2000 : QStringList(kResults.size(), QString()));
    QCOMPARE(designState().designValid, std::int16_t(designValid));
    QCOMPARE(designState().xoverFreq, stored);
    QCOMPARE(w.focused(), QString("szFrq"));
}

void TestFrmAX2::editedFrequencyWithdrawsTheDesignUntilCalculate()
{
    w.open();
    w.typeAndEnter("szFrq", "2000");
    w.click("btnCal");
    QCOMPARE(designState().designValid, std::int16_t(1));

    w.typeAndEnter("szFrq", "3000");
    QCOMPARE(designState().designValid, std::int16_t(0));
    QCOMPARE(w.texts(kResults), k2000); // nothing is computed before Calculate
    QCOMPARE(designState().xoverFreq, 2000.0f);
    QVERIFY(printedText(w, "BtnPrint").isEmpty());
    QCOMPARE(w.focused(), QString("szFrq"));

    w.click("btnCal");
    QCOMPARE(designState().designValid, std::int16_t(1));
    QCOMPARE(w.text("szC"), QString(".002653"));
    w.click("btnExit");
    QCOMPARE(designState().designValid, std::int16_t(0));
    QCOMPARE(designState().xoverFreq, 3000.0f);
    QTRY_VERIFY(!existingWindow<frmAX2>());
}

void TestFrmAX2::printedPageStandsWhereTheLayoutSays()
{
    designState().xoverFreq = 2000;
    w.open();
    const ReportLayout layout = w.window()->reportLayout();
    QVERIFY(layout.fixedFontSizes);
    QCOMPARE(picturesOf(layout), QString("A2.BMP at 0,100 1500x900"));
    const Page page = composeReportPage(layout);
    QCOMPARE(page.texts().size(), 12);
    const struct {
        const char* text;
        QPointF pos;
        double size;
    } expected[] = { { "Active 2 Way Crossover Design (18 DB)", { 100, 1800 }, 120 },
        { "Crossover Frequency =  2000 Hz", { 290, 1600 }, 100 }, { "R1 = 98,820 Ohms", { 150, 1400 }, 100 },
        { "R4 = 20,000 Ohms", { 150, 1100 }, 100 }, { "C = .003979 uF", { 750, 1500 }, 100 },
        { "C4 = .011077 uF", { 750, 1100 }, 100 } };
    for (const auto& e : expected) {
        const PageText* t = page.findText(e.text);
        QVERIFY2(t, qPrintable(page.texts().join('|')));
        QCOMPARE(t->pos, e.pos);
        QCOMPARE(t->font.size, e.size);
    }

    const QString text = printedText(w, "BtnPrint");
    QCOMPARE(w.focused(), QString("szFrq"));
    for (const auto& e : expected) // pdftotext lays the double blanks out as single ones
        QVERIFY2(text.contains(QString(e.text).simplified()), qPrintable(text));
    QVERIFY2(text.contains("To tweeter"), qPrintable(text)); // the circuit's labels are text too
}

QTEST_MAIN(TestFrmAX2)
#include "tst_frmAX2.moc"
