// The active 3-way window through its controls.
#include "platform/pictures.h"
#include "ui/activecircuit.h"
#include "ui/crossoverprobe.h"
#include "ui/frmAX3.h"

#include <QtTest>

namespace {
const QStringList& kResults = worked::kActive3.fields;
const QStringList& k5000And500 = worked::kActive3.shown;
} // namespace

// The window shows no message, not even for a low frequency above the high one.
class TestFrmAX3 : public QuietWindowTest {
    Q_OBJECT
private slots:
    void controlsCaptionsAndColours();
    void calculate_data();
    void calculate();
    void drawnSectionsCrossAsButterworth_data();
    void drawnSectionsCrossAsButterworth();
    void activationNeedsBothStoredFrequencies_data();
    void activationNeedsBothStoredFrequencies();
    void editedFrequencyWithdrawsTheDesign_data();
    void editedFrequencyWithdrawsTheDesign();
    void printedPageStandsWhereTheLayoutSays();

private:
    void calculateFor(const QString& high, const QString& low)
    {
        w.type("szFrqh", high);
        w.type("szFrql", low);
        w.click("btnCal");
    }
    WindowProbe<frmAX3> w;
};

void TestFrmAX3::controlsCaptionsAndColours()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Active 3 Way Crossover Design"));
    for (const char* caption : { "Enter High Frequency Crossover:", "Enter Low Frequency Crossover:",
             "Resistance in Ohms", "Capacitance in uF", "R=", "R4=", "C=", "C4=", "Rm=", "R8=", "Cm=", "C8=" })
        QVERIFY2(w.captions().contains(caption), caption);
    QCOMPARE(w.buttonRow(), (QStringList { "btnPrint=Print", "btnCal=Calculate", "btnExit=Exit" }));
    QCOMPARE(w.window()->findChild<PictureBox*>("Image1")->picture(), QString("A3.BMP"));
    QVERIFY(!compiledPicture("A3.BMP").isEmpty());
    const QString small = circuit::smallLabel(w.window(), "A3.BMP");
    QVERIFY2(small.isEmpty(), qPrintable(small));
    QCOMPARE(w.window()->palette().color(QPalette::Window), QColor(0, 0, 128));
    for (const QString& name : kResults) {
        QCOMPARE(w.field(name)->palette().color(QPalette::Text), QColor(Qt::yellow));
        QVERIFY(w.field(name)->isReadOnly());
    }
    // Enter moves between the two frequencies and is swallowed.
    QCOMPARE(w.focused(), QString("szFrqh"));
    w.typeAndEnter("szFrqh", "5000");
    QCOMPARE(w.focused(), QString("szFrql"));
    w.typeAndEnter("szFrql", "500");
    QCOMPARE(w.focused(), QString("szFrqh"));
    QCOMPARE(w.texts({ "szFrqh", "szFrql" }), (QStringList { "5000", "500" }));
}

void TestFrmAX3::calculate_data()
{
    QTest::addColumn<QStringList>("frequencies"); // high, low
    QTest::addColumn<bool>("designs");
    QTest::newRow("worked example") << worked::kActive3.typed << true;
    QTest::newRow("high empty") << QStringList { "", "500" } << false;
    QTest::newRow("low zero") << QStringList { "5000", "0" } << false;
    QTest::newRow("low 1e-40") << QStringList { "5000", "1e-40" } << false;
}

void TestFrmAX3::calculate()
{
    QFETCH(QStringList, frequencies);
    QFETCH(bool, designs);

    w.open();
    calculateFor("3000", "300"); // an earlier design
    const QStringList earlier = w.texts(kResults);
    calculateFor(frequencies[0], frequencies[1]);

    const DesignState& s = designState();
    QCOMPARE(w.texts(kResults), designs ? k5000And500 : earlier);
    QCOMPARE(s.designValid, std::int16_t(designs ? 1 : 0));
    QCOMPARE(QList<float>({ s.xoverFreq, s.xoverFreqLow }),
        designs ? QList<float>({ 5000, 500 }) : QList<float>({ 3000, 300 }));
    QCOMPARE(w.focused(), QString("szFrqh"));
}

void TestFrmAX3::drawnSectionsCrossAsButterworth_data()
{
    QTest::addColumn<QStringList>("frequencies"); // high, low: a decade apart
    QTest::newRow("5000 and 500 Hz") << QStringList { "5000", "500" };
    QTest::newRow("2000 and 200 Hz") << QStringList { "2000", "200" };
}

void TestFrmAX3::drawnSectionsCrossAsButterworth()
{
    QFETCH(QStringList, frequencies);
    w.open();
    calculateFor(frequencies[0], frequencies[1]);
    using namespace circuit;
    const auto lowPassOf = [this](const char* r, const char* first, const char* feedback, const char* input) {
        return lowPass(ohms(w.text(r)), farads(w.text(first)), farads(w.text(feedback)), farads(w.text(input)));
    };
    const auto highPassOf = [this](const char* c, const char* first, const char* feedback, const char* input) {
        return highPass(farads(w.text(c)), ohms(w.text(first)), ohms(w.text(feedback)), ohms(w.text(input)));
    };
    // Each section as drawn: the first node's part, the feedback, the op-amp's input.
    const Response woofer = lowPassOf("szR", "szC4", "szC3", "szC2");
    const Response midHigh = highPassOf("szCm", "szR7", "szR6", "szR5");
    const Response midLow = lowPassOf("szRm", "szC8", "szC7", "szC6");
    const Response tweeter = highPassOf("szC", "szR3", "szR2", "szR1");
    const double fh = frequencies[0].toDouble(), fl = frequencies[1].toDouble();
    for (const QString& fault : { crossingFault(fl, woofer, midHigh), crossingFault(fh, midLow, tweeter) })
        QVERIFY2(fault.isEmpty(), qPrintable(fault));

    double peak = -1000;
    for (int i = 0; i <= 400; ++i) {
        const double f = fl * std::pow(fh / fl, i / 400.0);
        peak = std::max(peak, dB(midHigh(f) * midLow(f)));
    }
    QVERIFY2(std::abs(peak) <= 0.5, qPrintable(QString("the mid-range peaks at %1 dB").arg(peak)));
}

void TestFrmAX3::activationNeedsBothStoredFrequencies_data()
{
    QTest::addColumn<float>("high");
    QTest::addColumn<float>("low");
    QTest::addColumn<QStringList>("frequencies");
    QTest::addColumn<int>("designValid");
    QTest::newRow("both") << 5000.0f << 500.0f << QStringList { " 5000", " 500" } << 1;
    QTest::newRow("high only") << 5000.0f << 0.0f << QStringList { " 5000", "" } << 0;
    QTest::newRow("low only") << 0.0f << 500.0f << QStringList { "", " 500" } << 0;
}

void TestFrmAX3::activationNeedsBothStoredFrequencies()
{
    QFETCH(float, high);
    QFETCH(float, low);
    QFETCH(QStringList, frequencies);
    QFETCH(int, designValid);

    designState().xoverFreq = high;
    designState().xoverFreqLow = low;
    designState().designValid = 1; // left by another crossover window
    w.open();
    QCOMPARE(w.texts({ "szFrqh", "szFrql" }), frequencies);
    QCOMPARE(w.texts(kResults), designValid ? k5000And500 : QStringList(kResults.size(), QString()));
    QCOMPARE(designState().designValid, std::int16_t(designValid));
    QCOMPARE(w.focused(), QString("szFrqh"));
}

void TestFrmAX3::editedFrequencyWithdrawsTheDesign_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("high") << "szFrqh";
    QTest::newRow("low") << "szFrql";
}

void TestFrmAX3::editedFrequencyWithdrawsTheDesign()
{
    QFETCH(QString, field);
    w.open();
    calculateFor("5000", "500");
    QCOMPARE(designState().designValid, std::int16_t(1));

    w.typeAndEnter(field, "800");
    QCOMPARE(designState().designValid, std::int16_t(0));
    QCOMPARE(w.texts(kResults), k5000And500);
    QVERIFY(printedText(w, "btnPrint").isEmpty());

    w.click("btnCal");
    QCOMPARE(designState().designValid, std::int16_t(1));
    w.click("btnExit");
    QCOMPARE(designState().designValid, std::int16_t(0));
}

void TestFrmAX3::printedPageStandsWhereTheLayoutSays()
{
    designState().xoverFreq = 5000;
    designState().xoverFreqLow = 500;
    w.open();
    const ReportLayout layout = w.window()->reportLayout();
    QVERIFY(!layout.fixedFontSizes);
    QCOMPARE(picturesOf(layout), QString("A3.BMP at 0,20 1500x1000"));
    const Page page = composeReportPage(layout);
    QCOMPARE(page.texts().size(), 23);
    const QList<std::pair<QString, QPointF>> expected { { "Active 3 Way Crossover Design (18 DB)", { 70, 1940 } },
        { "Crossover Frequencys =  5000 Hz  And   500 Hz", { 120, 1850 } },
        { "Ohms" + QString(37, ' ') + "uF", { 300, 1775 } }, { " R = 10,000", { 300, 1700 } },
        { "C4 = .044309", { 800, 1400 } }, { "Rm = 10,000", { 300, 1325 } }, { "C8 = .004431", { 800, 1025 } } };
    for (const auto& [text, pos] : expected) {
        const PageText* t = page.findText(text);
        QVERIFY2(t, qPrintable(page.texts().join('|')));
        QCOMPARE(t->pos, pos);
    }

    const QString text = printedText(w, "btnPrint");
    QCOMPARE(w.focused(), QString("szFrqh"));
    // pdftotext lays the double blanks out as single ones.
    QVERIFY2(text.contains("Crossover Frequencys = 5000 Hz And 500 Hz"), qPrintable(text));
    for (int i = 0; i < kResults.size(); ++i)
        QVERIFY2(text.contains(kResults[i].mid(2) + " = " + k5000And500[i]), qPrintable(kResults[i]));
}

QTEST_MAIN(TestFrmAX3)
#include "tst_frmAX3.moc"
