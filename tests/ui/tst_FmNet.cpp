// The compensating-networks window through its controls: the worked examples
// as the fields show them, which results keep their text when inputs are
// missing, what Calculate stores, and opening from the design state.
#include "core/designstate.h"
#include "platform/pictures.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/recorders.h"
#include "ui/FmNet.h"
#include "ui/boxwindowprobe.h"

#include <QGroupBox>
#include <QTemporaryDir>

#include <QtTest>

namespace {
const QStringList kInputs { "szName", "szFr", "szQes", "szQms", "szRdc", "szL" };
const QStringList kResults { "szCnf", "szLnf", "szRnf", "szCic", "szRic" };
} // namespace

class TestFmNet : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsAndCaptions();
    void enterMovesAlongTheCycle();
    void calculate_data();
    void calculate();
    void missingInputsKeepTheResultsText_data();
    void missingInputsKeepTheResultsText();
    void openingShowsTheStoredNetworks_data();
    void openingShowsTheStoredNetworks();
    void exitWithdrawsTheDesign();
    void printPutsThePageOnPaper_data();
    void printPutsThePageOnPaper();
    void printWithoutANetworkOnlyMovesTheFocus();

private:
    MessageRecorder* m_messages = nullptr;
    WindowProbe<FmNet> w;
};

void TestFmNet::init()
{
    m_messages = new MessageRecorder;
    designState() = DesignState();
    applyStartValues(designState());
}

void TestFmNet::cleanup()
{
    deleteAllWindows();
    QVERIFY(m_messages->shown.isEmpty() || QTest::currentTestFailed()); // the window has no messages
    delete m_messages;
}

void TestFmNet::controlsAndCaptions()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Compensating Networks"));
    for (const QString& name : kInputs + kResults)
        QVERIFY2(w.field(name), qPrintable(name));
    const QStringList captions = w.captions();
    for (const char* caption :
        { "Speaker Name: ", "Speaker Resonance: ", "Hz", "Qes: ", "Qms:", "Speaker Resistance:", "Ohms",
            "Speaker Impedance: ", "mH", "Leave blank for less accurate calculation", "C = ", "L = ", "R = ", "uF" })
        QVERIFY2(captions.contains(caption), caption);
    QCOMPARE(w.buttonRow(), (QStringList { "btnPrint=Print", "btn_Cal=Calculate", "btnExit=Exit" }));
    QCOMPARE(w.window()->findChild<QGroupBox*>("Frame1")->title(), QString("Series Notch Filter"));
    QCOMPARE(w.window()->findChild<QGroupBox*>("Frame2")->title(), QString("Impedance Compensation"));
    QCOMPARE(w.window()->findChild<PictureBox*>("Image1")->picture(), QString("notch.BMP"));
    QCOMPARE(w.window()->findChild<PictureBox*>("Image2")->picture(), QString("imp.BMP"));
    QVERIFY(!compiledPicture("notch.BMP").isEmpty());
    QVERIFY(!compiledPicture("imp.BMP").isEmpty());
}

void TestFmNet::enterMovesAlongTheCycle()
{
    w.open();
    w.field("szName")->setFocus(Qt::TabFocusReason);
    for (int i = 1; i <= kInputs.size(); ++i) {
        QTest::keyClick(w.field(kInputs[i - 1]), Qt::Key_Return);
        QCOMPARE(w.focused(), kInputs[i % kInputs.size()]);
    }
    QCOMPARE(w.text("szName"), QString());
}

void TestFmNet::calculate_data()
{
    QTest::addColumn<QStringList>("typed"); // szFr, szQes, szQms, szRdc, szL
    QTest::addColumn<QStringList>("shown"); // szCnf, szLnf, szRnf, szCic, szRic
    QTest::addColumn<QList<float>>("stored"); // netFs, netRe, netLe, qes, qms

    QTest::newRow("full notch and equalisation")
        << QStringList { "30", ".5", "3", "6", ".5" } << QStringList { "1768.89", "15.92", "7.", "8.89", "7.5" }
        << QList<float> { 30, 6, 0.5f, 0.5f, 3 };
    QTest::newRow("Qes empty: less accurate, qes and qms left alone")
        << QStringList { "30", "", "3", "6", ".5" } << QStringList { "1001.", "24.997", "6.", "8.89", "7.5" }
        << QList<float> { 30, 6, 0.5f, 0.25f, 2 };
    QTest::newRow("L too large for a capacitor: only the notch")
        << QStringList { "30", ".5", "3", ".1", "3e38" } << QStringList { "106133.3", ".265", ".12", "", "" }
        << QList<float> { 30, 0.1f, 3e38f, 0.5f, 3 };
}

void TestFmNet::calculate()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, shown);
    QFETCH(QList<float>, stored);

    DesignState& s = designState();
    s.qes = 0.25f;
    s.qms = 2;
    w.open();
    w.type("szName", QString("Woofer 8"));
    for (int i = 0; i < typed.size(); ++i)
        w.type(kInputs[i + 1], typed[i]);
    w.click("btn_Cal");

    QCOMPARE(w.texts(kResults), shown);
    QCOMPARE((QList<float> { s.netFs, s.netRe, s.netLe, s.qes, s.qms }), stored);
    QCOMPARE(s.netName.text(), QString("Woofer 8").leftJustified(30));
    QCOMPARE(s.designValid, std::int16_t(1));
}

void TestFmNet::missingInputsKeepTheResultsText_data()
{
    QTest::addColumn<QString>("cleared");
    QTest::addColumn<QStringList>("shown"); // a 5-ohm driver at 40 Hz after the example
    QTest::addColumn<float>("netRe");
    QTest::addColumn<int>("designValid");

    QTest::newRow("szL: the notch only") << "szL" << QStringList { "1592.", "9.95", "5.83", "8.89", "7.5" } << 5.0f
                                         << 1;
    QTest::newRow("szFr: the equalisation only")
        << "szFr" << QStringList { "1768.89", "15.92", "7.", "12.8", "6.25" } << 5.0f << 1;
    QTest::newRow("szRdc: neither") << "szRdc" << QStringList { "1768.89", "15.92", "7.", "8.89", "7.5" } << 6.0f << 0;
}

void TestFmNet::missingInputsKeepTheResultsText()
{
    QFETCH(QString, cleared);
    QFETCH(QStringList, shown);
    QFETCH(float, netRe);
    QFETCH(int, designValid);

    w.open();
    const QStringList example { "30", ".5", "3", "6", ".5" };
    for (int i = 0; i < example.size(); ++i)
        w.type(kInputs[i + 1], example[i]);
    w.click("btn_Cal");
    designState().designValid = 0;
    w.type("szRdc", "5");
    w.type("szFr", "40");
    w.type(cleared, "");
    w.click("btn_Cal");

    QCOMPARE(w.texts(kResults), shown);
    QCOMPARE(designState().netRe, netRe);
    QCOMPARE(designState().designValid, std::int16_t(designValid));
}

void TestFmNet::openingShowsTheStoredNetworks_data()
{
    QTest::addColumn<QList<float>>("stored"); // netFs, netRe, netLe, qes, qms
    QTest::addColumn<QStringList>("inputs"); // szFr, szQes, szQms, szRdc, szL
    QTest::addColumn<QStringList>("shown"); // szCnf, szLnf, szRnf, szCic, szRic
    QTest::addColumn<int>("designValid");

    QTest::newRow("everything stored") << QList<float> { 30, 6, 0.5f, 0.5f, 3 }
                                       << QStringList { " 30", " .5", " 3", " 6", " .5" }
                                       << QStringList { "1768.89", "15.92", "7.", "8.89", "7.5" } << 1;
    QTest::newRow("no Qms: less accurate")
        << QList<float> { 30, 6, 0.5f, 0.5f, 0 } << QStringList { " 30", "", "", " 6", " .5" }
        << QStringList { "1001.", "24.997", "6.", "8.89", "7.5" } << 1;
    QTest::newRow("no Le: the notch only")
        << QList<float> { 30, 6, 0, 0.5f, 3 } << QStringList { " 30", " .5", " 3", " 6", "" }
        << QStringList { "1768.89", "15.92", "7.", "", "" } << 1;
    QTest::newRow("no resonance: the equalisation only")
        << QList<float> { 0, 6, 0.5f, 0.5f, 3 } << QStringList { "", "", "", " 6", " .5" }
        << QStringList { "", "", "", "8.89", "7.5" } << 1;
    QTest::newRow("nothing stored") << QList<float> { 0, 0, 0, 0, 0 } << QStringList { "", "", "", "", "" }
                                    << QStringList { "", "", "", "", "" } << 0;
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

void TestFmNet::exitWithdrawsTheDesign()
{
    designState().netRe = 6;
    designState().netLe = 0.5f;
    w.open();
    QCOMPARE(designState().designValid, std::int16_t(1));
    w.click("btnExit");
    QCOMPARE(designState().designValid, std::int16_t(0));
    QTRY_VERIFY(!existingWindow<FmNet>());
}

void TestFmNet::printPutsThePageOnPaper_data()
{
    QTest::addColumn<QString>("target"); // "file", "PDF" (the printer) or "cancel"
    QTest::newRow("PDF file") << "file";
    QTest::newRow("PDF printer") << "PDF";
    QTest::newRow("cancelled") << "cancel";
}

void TestFmNet::printPutsThePageOnPaper()
{
    QFETCH(QString, target);
    if (target == "PDF" && !havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    PrinterRecorder printers;
    QTemporaryDir dir;
    const QString token = uniqueToken("Woofer");
    const QString file = dir.filePath("networks.pdf");
    if (target == "file")
        printers.answerPdfFile(file);
    else if (target == "PDF")
        printers.answerPrinter("PDF");
    w.open();
    const QStringList example { token, "30", ".5", "3", "6", ".5" };
    for (int i = 0; i < example.size(); ++i)
        w.type(kInputs[i], example[i]);
    w.click("btn_Cal");
    w.click("btnPrint");

    QCOMPARE(printers.requests, 1);
    QCOMPARE(w.focused(), QString("szName"));
    if (target == "cancel") {
        QVERIFY(QDir(dir.path()).isEmpty());
        return;
    }
    if (target == "file")
        QCOMPARE(pdfPageCount(file), 1);
    const QString text
        = (target == "file" ? pdfText(file) : waitForPrintedText("Compensating Networks Design", token)).simplified();
    QVERIFY2(!text.isEmpty(), "no page was printed");
    for (const QString& line :
        QStringList { "Compensating Networks Design", "Speaker = " + token, "Speaker Resonance = 30 Hz", "Qes = .5",
            "Qms = 3", "Speaker Resistance = 6 Ohms", "Speaker Impedance = .5 mH", "Notch Filter",
            "Impedance Equalization", "C = 1768.89 uF", "L = 15.92 mH", "R = 7. Ohms", "C = 8.89 uF", "R = 7.5 Ohms" })
        QVERIFY2(text.contains(line), qPrintable(line + " not in: " + text));

    // Both circuits stand side by side below the text, in their places.
    const ReportLayout layout = w.window()->reportLayout();
    QCOMPARE(layout.pictures.size(), 2);
    QCOMPARE(QRectF(layout.pictures[0].x, layout.pictures[0].y, layout.pictures[0].width, layout.pictures[0].height),
        QRectF(30, 300, 630, 500));
    QCOMPARE(QRectF(layout.pictures[1].x, layout.pictures[1].y, layout.pictures[1].width, layout.pictures[1].height),
        QRectF(740, 300, 750, 500));
    QCOMPARE(layout.pictures[0].file + layout.pictures[1].file, "notch.BMPimp.BMP");
}

void TestFmNet::printWithoutANetworkOnlyMovesTheFocus()
{
    PrinterRecorder printers;
    w.open();
    w.field("szL")->setFocus(Qt::TabFocusReason);
    w.click("btnPrint");
    QCOMPARE(printers.requests, 0);
    QCOMPARE(w.focused(), QString("szName"));
}

QTEST_MAIN(TestFmNet)
#include "tst_FmNet.moc"
