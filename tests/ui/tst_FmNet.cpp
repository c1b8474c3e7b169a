// The compensating-networks window through its controls: the worked examples
// as the fields show them, which results keep their text when inputs are
// missing or lead nowhere finite, what Calculate stores, opening from the
// design state, and the printed page read back.
#include "core/designstate.h"
#include "platform/pictures.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/windowtest.h"
#include "ui/FmNet.h"

#include <QGroupBox>
#include <QtTest>

namespace {
const QStringList kInputs { "szName", "szFr", "szQes", "szQms", "szRdc", "szL" };
const QStringList kResults { "szCnf", "szLnf", "szRnf", "szCic", "szRic" };
// Field texts written "a|b|c".
QStringList fields(const char* texts) { return QString::fromLatin1(texts).split('|'); }
const QStringList kExample = fields("30|.5|3|6|.5"); // szFr to szL
const QStringList kExampleShown = fields("1768.89|15.92|7.|8.89|7.5");
} // namespace

class TestFmNet : public QuietWindowTest {
    Q_OBJECT
private slots:
    void controlsAndEnterCycle();
    void calculate_data();
    void calculate();
    void openingShowsTheStoredNetworks_data();
    void openingShowsTheStoredNetworks();
    void printPutsThePageOnPaper_data();
    void printPutsThePageOnPaper();

private:
    void typeInputs(const QStringList& texts) { w.type(kInputs.mid(1), texts); } // szFr to szL

    WindowProbe<FmNet> w;
};

void TestFmNet::controlsAndEnterCycle()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Compensating Networks"));
    for (const char* caption :
        { "Speaker Name: ", "Speaker Resonance: ", "Hz", "Qes: ", "Qms:", "Speaker Resistance:", "Ohms",
            "Speaker Impedance: ", "mH", "Leave blank for less accurate calculation", "C = ", "L = ", "R = ", "uF" })
        QVERIFY2(w.captions().contains(caption), caption);
    QCOMPARE(w.buttonRow(), (QStringList { "btnPrint=Print", "btn_Cal=Calculate", "btnExit=Exit" }));
    QCOMPARE(w.window()->findChild<QGroupBox*>("Frame1")->title(), QString("Series Notch Filter"));
    QCOMPARE(w.window()->findChild<QGroupBox*>("Frame2")->title(), QString("Impedance Compensation"));
    QVERIFY(!compiledPicture(w.window()->findChild<PictureBox*>("Image1")->picture()).isEmpty());
    QVERIFY(!compiledPicture(w.window()->findChild<PictureBox*>("Image2")->picture()).isEmpty());

    w.field("szName")->setFocus(Qt::TabFocusReason);
    for (int i = 1; i <= kInputs.size(); ++i) {
        QTest::keyClick(w.field(kInputs[i - 1]), Qt::Key_Return);
        QCOMPARE(w.focused(), kInputs[i % kInputs.size()]);
    }
    QCOMPARE(w.text("szName"), QString()); // the key was swallowed
}

void TestFmNet::calculate_data()
{
    QTest::addColumn<QStringList>("typed"); // after the example: szFr, szQes, szQms, szRdc, szL
    QTest::addColumn<QStringList>("shown"); // szCnf, szLnf, szRnf, szCic, szRic
    QTest::addColumn<QList<float>>("stored"); // netFs, netRe, netLe, qes, qms

    QTest::newRow("the example again") << kExample << kExampleShown << QList<float> { 30, 6, 0.5f, 0.5f, 3 };
    QTest::newRow("Qes empty: less accurate, Qms not stored")
        << fields("30||4|6|.5") << fields("1001.|24.997|6.|8.89|7.5") << QList<float> { 30, 6, 0.5f, 0.5f, 3 };
    QTest::newRow("szL empty: the notch only")
        << fields("40|.5|3|5|") << fields("1592.|9.95|5.83|8.89|7.5") << QList<float> { 40, 5, 0, 0.5f, 3 };
    QTest::newRow("szFr empty: the equalisation only")
        << fields("|.5|3|5|.5") << fields("1768.89|15.92|7.|12.8|6.25") << QList<float> { 0, 5, 0.5f, 0.5f, 3 };
    QTest::newRow("resonance 1e-38: no finite notch")
        << fields("1e-38|.5|3|5|.5") << fields("1768.89|15.92|7.|12.8|6.25")
        << QList<float> { 1e-38f, 5, 0.5f, 0.5f, 3 };
    QTest::newRow("L 3e38: no finite capacitor") << fields("30|.5|3|.1|3e38") << fields("106133.3|.265|.12|8.89|7.5")
                                                 << QList<float> { 30, 0.1f, 3e38f, 0.5f, 3 };
}

void TestFmNet::calculate()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, shown);
    QFETCH(QList<float>, stored);

    DesignState& s = designState();
    w.open();
    w.type("szName", "Woofer 8");
    typeInputs(kExample);
    w.click("btn_Cal");
    typeInputs(typed);
    w.click("btn_Cal");

    QCOMPARE(w.texts(kResults), shown);
    QCOMPARE((QList<float> { s.netFs, s.netRe, s.netLe, s.qes, s.qms }), stored);
    QCOMPARE(s.netName.text(), QString("Woofer 8").leftJustified(30));
    QCOMPARE(s.designValid, std::int16_t(1));
    w.click("btnExit");
    QCOMPARE(s.designValid, std::int16_t(0));
}

void TestFmNet::openingShowsTheStoredNetworks_data()
{
    QTest::addColumn<QList<float>>("stored"); // netFs, netRe, netLe, qes, qms
    QTest::addColumn<QStringList>("inputs"); // szFr, szQes, szQms, szRdc, szL
    QTest::addColumn<QStringList>("shown"); // szCnf, szLnf, szRnf, szCic, szRic
    QTest::addColumn<int>("designValid");

    QTest::newRow("everything stored") << QList<float> { 30, 6, 0.5f, 0.5f, 3 } << fields(" 30| .5| 3| 6| .5")
                                       << kExampleShown << 1;
    QTest::newRow("no Qms: less accurate")
        << QList<float> { 30, 6, 0.5f, 0.5f, 0 } << fields(" 30||| 6| .5") << fields("1001.|24.997|6.|8.89|7.5") << 1;
    QTest::newRow("no resonance: the equalisation only")
        << QList<float> { 0, 6, 0.5f, 0.5f, 3 } << fields("||| 6| .5") << fields("|||8.89|7.5") << 1;
    QTest::newRow("nothing stored") << QList<float> { 0, 0, 0, 0, 0 } << QStringList(5) << QStringList(5) << 0;
}

void TestFmNet::openingShowsTheStoredNetworks()
{
    QFETCH(QList<float>, stored);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, shown);
    QFETCH(int, designValid);

    DesignState& s = designState();
    s.netFs = stored[0];
    s.netRe = stored[1];
    s.netLe = stored[2];
    s.qes = stored[3];
    s.qms = stored[4];
    s.netName = QString("  Woofer 8");
    w.open();

    QCOMPARE(w.text("szName"), QString("Woofer 8"));
    QCOMPARE(w.texts(kInputs.mid(1)), inputs);
    QCOMPARE(w.texts(kResults), shown);
    QCOMPARE(s.designValid, std::int16_t(designValid));
}

void TestFmNet::printPutsThePageOnPaper_data()
{
    addPrintTargetRows();
    QTest::newRow("no network: only the focus moves") << "none";
}

void TestFmNet::printPutsThePageOnPaper()
{
    QFETCH(QString, target);
    if (target == "PDF" && !havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    const PrintAnswer answer(target);
    const QString token = uniqueToken("Woofer");
    w.open();
    w.field("szL")->setFocus(Qt::TabFocusReason);
    if (target != "none") {
        w.type("szName", token);
        typeInputs(kExample);
        w.click("btn_Cal");
    }
    w.click("btnPrint");

    QCOMPARE(answer.printers.requests, target == "none" ? 0 : 1);
    QCOMPARE(w.focused(), QString("szName"));
    if (target == "cancel" || target == "none") {
        QVERIFY(answer.wroteNoFile());
        return;
    }
    const QString text = answer.page("Compensating Networks Design", token);
    QVERIFY2(!text.isEmpty(), "no single page was printed");
    for (const QString& line :
        QStringList { "Compensating Networks Design", "Speaker = " + token, "Speaker Resonance = 30 Hz", "Qes = .5",
            "Qms = 3", "Speaker Resistance = 6 Ohms", "Speaker Impedance = .5 mH", "Notch Filter",
            "Impedance Equalization", "C = 1768.89 uF", "L = 15.92 mH", "R = 7. Ohms", "C = 8.89 uF", "R = 7.5 Ohms" })
        QVERIFY2(text.contains(line), qPrintable(line + " not in: " + text));
    const QVector<ReportPicture> pictures = w.window()->reportLayout().pictures;
    QCOMPARE(pictures.size(), 2);
    QCOMPARE(QRectF(pictures[1].x, pictures[1].y, pictures[1].width, pictures[1].height), QRectF(740, 300, 750, 500));
}

QTEST_MAIN(TestFmNet)
#include "tst_FmNet.moc"
