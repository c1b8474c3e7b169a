// The active 3-way window through its controls: the twenty values of the
// worked example, refusals of either frequency, Enter between the two fields,
// activation from both stored frequencies and the withdrawal after an edit.
#include "core/designstate.h"
#include "platform/pictures.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/recorders.h"
#include "ui/boxwindowprobe.h"
#include "ui/frmAX3.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
const QStringList kResults { "szR", "szR1", "szR2", "szR3", "szR4", "szC", "szC1", "szC2", "szC3", "szC4", "szRm",
    "szR5", "szR6", "szR7", "szR8", "szCm", "szC5", "szC6", "szC7", "szC8" };
const QStringList k5000And500 { "10,000", "103,532", "8,148", "9,484", "20,000", ".001592", ".000796", ".006147",
    ".078154", ".067128", "10,000", "103,532", "8,148", "9,484", "20,000", ".015915", ".007958", ".000615", ".007815",
    ".006713" };
} // namespace

class TestFrmAX3 : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsCaptionsAndColours();
    void enterMovesBetweenTheFrequencies();
    void calculate_data();
    void calculate();
    void activationNeedsBothStoredFrequencies_data();
    void activationNeedsBothStoredFrequencies();
    void editedFrequencyWithdrawsTheDesign_data();
    void editedFrequencyWithdrawsTheDesign();
    void pageStandsWhereTheLayoutSays_data();
    void pageStandsWhereTheLayoutSays();
    void printedPageReadsBack();

private:
    MessageRecorder* m_messages = nullptr;
    WindowProbe<frmAX3> w;
};

void TestFrmAX3::init()
{
    m_messages = new MessageRecorder;
    designState() = DesignState();
    applyStartValues(designState());
}

void TestFrmAX3::cleanup()
{
    QVERIFY(m_messages->shown.isEmpty()); // not even for a low frequency above the high one
    deleteAllWindows();
    delete m_messages;
}

void TestFrmAX3::controlsCaptionsAndColours()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Active 3 Way Crossover Design"));
    const QStringList captions = w.captions();
    for (const char* caption : { "Enter High Frequency Crossover:", "Enter Low Frequency Crossover:",
             "Resistance in Ohms", "Capacitance in uF", "R=", "R4=", "C=", "C4=", "Rm=", "R8=", "Cm=", "C8=" })
        QVERIFY2(captions.contains(caption), caption);
    QCOMPARE(w.buttonRow(), (QStringList { "btnPrint=Print", "btnCal=Calculate", "btnExit=Exit" }));
    QCOMPARE(w.window()->findChild<PictureBox*>("Image1")->picture(), QString("A3.BMP"));
    QVERIFY(!compiledPicture("A3.BMP").isEmpty());
    QCOMPARE(w.window()->palette().color(QPalette::Window), QColor(0, 0, 128));
    for (const QString& name : kResults) {
        QCOMPARE(w.field(name)->palette().color(QPalette::Text), QColor(Qt::yellow));
        QVERIFY(w.field(name)->isReadOnly());
    }
}

void TestFrmAX3::enterMovesBetweenTheFrequencies()
{
    w.open();
    QCOMPARE(w.focused(), QString("szFrqh"));
    w.typeAndEnter("szFrqh", "5000");
    QCOMPARE(w.focused(), QString("szFrql"));
    w.typeAndEnter("szFrql", "500");
    QCOMPARE(w.focused(), QString("szFrqh"));
    QCOMPARE(w.texts({ "szFrqh", "szFrql" }), (QStringList { "5000", "500" })); // the key was swallowed
}

void TestFrmAX3::calculate_data()
{
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("low");
    QTest::addColumn<bool>("designs");
    QTest::newRow("5000 and 500 Hz") << "5000"
                                     << "500" << true;
    QTest::newRow("high empty") << ""
                                << "500" << false;
    QTest::newRow("low zero") << "5000"
                              << "0" << false;
    QTest::newRow("low 1e-40") << "5000"
                               << "1e-40" << false;
}

void TestFrmAX3::calculate()
{
    QFETCH(QString, high);
    QFETCH(QString, low);
    QFETCH(bool, designs);

    w.open();
    w.type("szFrqh", "3000");
    w.type("szFrql", "300");
    w.click("btnCal"); // an earlier design
    const QStringList earlier = w.texts(kResults);
    w.type("szFrqh", high);
    w.type("szFrql", low);
    w.click("btnCal");

    const DesignState& s = designState();
    QCOMPARE(w.texts(kResults), designs ? k5000And500 : earlier);
    QCOMPARE(s.designValid, std::int16_t(designs ? 1 : 0));
    QCOMPARE(s.xoverFreq, designs ? 5000.0f : 3000.0f);
    QCOMPARE(s.xoverFreqLow, designs ? 500.0f : 300.0f);
    QCOMPARE(w.focused(), QString("szFrqh"));
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
    w.type("szFrqh", "5000");
    w.type("szFrql", "500");
    w.click("btnCal");
    QCOMPARE(designState().designValid, std::int16_t(1));

    w.typeAndEnter(field, "800");
    QCOMPARE(designState().designValid, std::int16_t(0));
    QCOMPARE(w.texts(kResults), k5000And500);

    w.click("btnCal");
    QCOMPARE(designState().designValid, std::int16_t(1));
    w.click("btnExit");
    QCOMPARE(designState().designValid, std::int16_t(0));
}

void TestFrmAX3::pageStandsWhereTheLayoutSays_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("pos");
    QTest::newRow("title") << "Active 3 Way Crossover Design (18 DB)" << QPointF(70, 1940);
    QTest::newRow("frequencies") << "Crossover Frequencys =  5000 Hz  And   500 Hz" << QPointF(120, 1850);
    QTest::newRow("heading") << "Ohms" + QString(37, ' ') + "uF" << QPointF(300, 1775);
    QTest::newRow("R") << " R = 10,000" << QPointF(300, 1700);
    QTest::newRow("C4") << "C4 = .067128" << QPointF(800, 1400);
    QTest::newRow("Rm") << "Rm = 10,000" << QPointF(300, 1325);
    QTest::newRow("C8") << "C8 = .006713" << QPointF(800, 1025);
}

void TestFrmAX3::pageStandsWhereTheLayoutSays()
{
    QFETCH(QString, text);
    QFETCH(QPointF, pos);
    designState().xoverFreq = 5000;
    designState().xoverFreqLow = 500;
    w.open();
    const ReportLayout layout = w.window()->reportLayout();
    QVERIFY(!layout.fixedFontSizes);
    const Page page = composeReportPage(layout);
    QCOMPARE(page.texts().size(), 23);
    const PageText* t = page.findText(text);
    QVERIFY2(t, qPrintable(page.texts().join('|')));
    QCOMPARE(t->pos, pos);
    QCOMPARE(layout.pictures.size(), 1);
    QCOMPARE(layout.pictures[0].file, QString("A3.BMP"));
    QCOMPARE(QRectF(layout.pictures[0].x, layout.pictures[0].y, layout.pictures[0].width, layout.pictures[0].height),
        QRectF(0, 20, 1500, 1000));
}

void TestFrmAX3::printedPageReadsBack()
{
    PrinterRecorder printers;
    QTemporaryDir dir;
    const QString file = dir.filePath("ax3.pdf");
    printers.answerPdfFile(file);
    w.open();
    w.type("szFrqh", "5000");
    w.type("szFrql", "500");
    w.click("btnCal");
    w.click("btnPrint");

    QCOMPARE(printers.requests, 1);
    QCOMPARE(w.focused(), QString("szFrqh"));
    const QString text = pdfText(file);
    // pdftotext lays the double blanks out as single ones.
    QVERIFY2(text.contains("Crossover Frequencys = 5000 Hz And 500 Hz"), qPrintable(text));
    for (const QString& name : kResults) {
        const QString value = w.text(name);
        QVERIFY2(text.contains(name.mid(2) + " = " + value), qPrintable(name + " " + value));
    }
}

QTEST_MAIN(TestFrmAX3)
#include "tst_frmAX3.moc"
