// The box data report: which pages a design state gives, each page's texts
// where they stand, and real prints into PDF files and on the PDF printer
// (one job, two pages for a box and a bandpass design).
#include "core/designstate.h"
#include "print/boxreport.h"
#include "print/printjob.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/recorders.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {
// A vented design of 2 cubic feet tuned to 30 Hz, a bandpass design beside it.
DesignState designs(int boxType, float isoFactor = 1.0f)
{
    DesignState s;
    s.boxType = static_cast<std::int16_t>(boxType);
    s.boxValid = 1;
    s.driverName = "Big Woofer";
    s.isoFactor = isoFactor;
    s.qts = 0.4f;
    s.vas = 3.0f;
    s.fs = 25.0f;
    s.closedVb = 2.0f;
    s.closedFc = 45.5f;
    s.ventedFb = 30.0f;
    s.boxHeight = 20;
    s.boxWidth = 12.5f;
    s.boxDepth = 14;
    s.radiatorVd = 1.5f;
    s.radiatorVpr = 3.25f;
    s.bandWooferName = "Sub Woofer";
    s.bandIsoFactor = 0.5f;
    s.bandQts = 0.35f;
    s.bandVas = 4.0f;
    s.bandFs = 22.0f;
    s.bandRe = 6.2f;
    s.bandFb = 40.0f;
    s.bandCoilL = 2.5f;
    s.bandSealedVb = 1.5f;
    s.bandVentedVb = 1.25f;
    s.bandFl3 = 30;
    s.bandFh3 = 80;
    s.bandPa = 2;
    return s;
}

QWidget* progressWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "FrmProgress")
            return w;
    return nullptr;
}
} // namespace

class TestBoxReport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pagesFollowTheHandedOverDesigns_data();
    void pagesFollowTheHandedOverDesigns();
    void textsStandWhereThePageSays_data();
    void textsStandWhereThePageSays();
    void zeroTuningOrVolumeLeavesThePortLengthsOut();
    void gaugeAdvancesWhileTheGraphIsComposed();

    void boxAndBandpassPrintAsOneJobOfTwoPages();
    void reportOnThePdfPrinter();
    void failedOpenIsReportedForEveryPage();

private:
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<PrinterRecorder> m_printers;
    std::unique_ptr<ModalGuard> m_guard;
    QTemporaryDir m_dir;
};

void TestBoxReport::init()
{
    m_messages = std::make_unique<MessageRecorder>();
    m_printers = std::make_unique<PrinterRecorder>();
    m_guard = std::make_unique<ModalGuard>();
}

void TestBoxReport::cleanup()
{
    m_guard.reset();
    m_printers.reset();
    m_messages.reset();
    deleteAllWindows();
}

void TestBoxReport::pagesFollowTheHandedOverDesigns_data()
{
    QTest::addColumn<int>("boxType");
    QTest::addColumn<int>("boxValid");
    QTest::addColumn<int>("bandValid");
    QTest::addColumn<QVector<int>>("pages");
    QTest::newRow("start-up") << -1 << 0 << 0 << QVector<int> {};
    QTest::newRow("closed") << 0 << 1 << 0 << QVector<int> { 0 };
    QTest::newRow("stale box type") << 1 << 0 << 0 << QVector<int> {};
    QTest::newRow("radiator and bandpass") << 2 << 1 << 1 << QVector<int> { 2, 3 };
    QTest::newRow("bandpass only") << 0 << 0 << 1 << QVector<int> { 3 };
}

void TestBoxReport::pagesFollowTheHandedOverDesigns()
{
    QFETCH(int, boxType);
    QFETCH(int, boxValid);
    QFETCH(int, bandValid);
    QFETCH(QVector<int>, pages);
    DesignState s = designs(boxType);
    s.boxValid = static_cast<std::int16_t>(boxValid);
    s.bandValid = static_cast<std::int16_t>(bandValid);
    QCOMPARE(boxReportPages(s), pages);
}

void TestBoxReport::textsStandWhereThePageSays_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<float>("iso");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("style");
    const QString name = QStringLiteral("Big Woofer").leftJustified(30);
    QTest::newRow("woofer name") << 0 << 1.0f << name << QPointF(100, 1970) << 60.0 << 48;
    QTest::newRow("closed title") << 0 << 1.0f << "Closed Box Design" << QPointF(400, 1900) << 140.0 << 48;
    QTest::newRow("closed isobaric") << 0 << 0.5f << "Closed Box Design (Isobaric)" << QPointF(290, 1900) << 140.0
                                     << 48;
    QTest::newRow("vas") << 0 << 1.0f << "Vas = 3. Cubic Feet" << QPointF(300, 1725) << 100.0 << 32;
    QTest::newRow("volume") << 0 << 1.0f << "Box Internal Volume = 2. Cubic Feet" << QPointF(300, 1575) << 100.0 << 32;
    QTest::newRow("system resonance") << 0 << 1.0f << "System Resonance = 45.5 Hz" << QPointF(300, 1500) << 100.0 << 32;
    QTest::newRow("proportions") << 0 << 1.0f << "Height = 20. Width = 12.5 Depth = 14. Inches" << QPointF(120, 1425)
                                 << 100.0 << 32;
    QTest::newRow("vented tuning") << 1 << 1.0f << "Tuned Frequency = 30. Hz" << QPointF(300, 1500) << 100.0 << 32;
    QTest::newRow("port heading") << 1 << 1.0f << "Tuned Port (Inches)" << QPointF(400, 1340) << 120.0 << 32;
    QTest::newRow("port diameter") << 1 << 1.0f << "Port Diameter" << QPointF(0, 1275) << 70.0 << 32;
    QTest::newRow("half-inch port too short") << 1 << 1.0f << " N/A " << QPointF(265, 1200) << 70.0 << 32;
    // 1.463E7 * 1 / (900 * 2 * 1728) - 1.463 = 3.2406
    QTest::newRow("two-inch port") << 1 << 1.0f << "   3.24" << QPointF(810, 1200) << 70.0 << 32;
    QTest::newRow("radiator title") << 2 << 1.0f << "Passive Box Design" << QPointF(400, 1900) << 140.0 << 48;
    QTest::newRow("speaker displacement")
        << 2 << 1.0f << "Speaker Volume Disp. = 1.5 Cubic Meters" << QPointF(300, 1350) << 100.0 << 32;
    QTest::newRow("radiator displacement")
        << 2 << 1.0f << "Suggested Radiator Volume Disp. = 3.25 Cubic Meters" << QPointF(50, 1275) << 100.0 << 32;
    QTest::newRow("bandpass isobaric") << 3 << 1.0f << "Bandpass Box Design (Isobaric)" << QPointF(260, 1900) << 140.0
                                       << 48;
    QTest::newRow("impedance") << 3 << 1.0f << "Impedance = 6.2" << QPointF(300, 1575) << 100.0 << 32;
    QTest::newRow("coil") << 3 << 1.0f << "Optional Coil = 2.5 mH" << QPointF(300, 1425) << 100.0 << 32;
    QTest::newRow("vented section") << 3 << 1.0f << "Vented Section Volume = 1.25 Cubic Feet" << QPointF(300, 1050)
                                    << 100.0 << 32;
    QTest::newRow("level label") << 1 << 1.0f << "-10" << QPointF(40, 348.335) << 60.0 << 32;
    QTest::newRow("frequency label") << 1 << 1.0f << "1K" << QPointF(1000, 60) << 60.0 << 32;
    QTest::newRow("reference line") << 1 << 1.0f << QString(150, '-') << QPointF(115, 536) << 60.0 << 0;
}

void TestBoxReport::textsStandWhereThePageSays()
{
    QFETCH(int, k);
    QFETCH(float, iso);
    QFETCH(QString, text);
    QFETCH(QPointF, pos);
    QFETCH(double, size);
    QFETCH(int, style);
    const Page page = composeBoxReportPage(designs(k == 3 ? 0 : k, iso), k);
    const PageText* t = page.findText(text);
    QVERIFY2(t, qPrintable(page.texts().join('|')));
    QVERIFY2(qAbs(t->pos.x() - pos.x()) < 1e-6 && qAbs(t->pos.y() - pos.y()) < 1e-6,
        qPrintable(QString("%1,%2").arg(t->pos.x()).arg(t->pos.y())));
    QCOMPARE(t->font.size, size);
    QCOMPARE(t->font.style, style);
    QCOMPARE(t->font.face, QString("Times New Roman"));
}

void TestBoxReport::zeroTuningOrVolumeLeavesThePortLengthsOut()
{
    DesignState s = designs(1);
    s.ventedFb = 0;
    const Page page = composeBoxReportPage(s, 1);
    QVERIFY(page.findText("Port Diameter"));
    QVERIFY(!page.findText("Port Length"));
    for (const QString& text : page.texts())
        QVERIFY2(!text.contains(QRegularExpression(
                     "\\b(nan|inf|Overflow|Undefined)\\b", QRegularExpression::CaseInsensitiveOption)),
            qPrintable(text));
    QVERIFY(std::isnan(reportPortLength(2, 30, 0)));
    QCOMPARE(reportPortLength(1, 30, 2), 1.463e7 * 0.25 / (900 * 2 * 1728.0) - 0.7315);
}

void TestBoxReport::gaugeAdvancesWhileTheGraphIsComposed()
{
    QVector<int> gauge;
    composeBoxReportPage(designs(0), 0, [&gauge](int value) { gauge << value; });
    QCOMPARE(gauge, (QVector<int> { 20, 30, 40, 50, 60, 65, 70, 75, 80, 90 }));
}

void TestBoxReport::boxAndBandpassPrintAsOneJobOfTwoPages()
{
    DesignState& s = designState();
    s = designs(0, 0.5f);
    s.bandValid = 1;
    const QString file = m_dir.filePath("boxes.pdf");
    m_printers->answerPdfFile(file);
    printBoxDataReport(nullptr);
    QCOMPARE(m_messages->shown.size(), 0);
    QCOMPARE(s.boxType, 0);
    QCOMPARE(pdfPageCount(file), 2);
    const QString text = pdfText(file);
    const QStringList expected { "Big Woofer", "Closed Box Design (Isobaric)", "Qts = .4", "System Resonance = 45.5 Hz",
        "Height = 20. Width = 12.5 Depth = 14. Inches", "Frequency", "Sub Woofer", "Bandpass Box Design (Isobaric)",
        "Optional Coil = 2.5 mH", "Tuned Port (Inches)", "Vented Section Volume = 1.25 Cubic Feet" };
    qsizetype at = 0;
    for (const QString& line : expected) {
        const qsizetype found = text.indexOf(line, at);
        QVERIFY2(found >= 0, qPrintable(line + " in order in\n" + text));
        at = found + line.size();
    }
    QTRY_VERIFY(!progressWindow());
}

void TestBoxReport::reportOnThePdfPrinter()
{
    if (!havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    const QString token = uniqueToken("Vented");
    DesignState& s = designState();
    s = designs(1);
    s.driverName = token;
    m_printers->answerPrinter("PDF");
    printBoxDataReport(nullptr);
    QCOMPARE(m_messages->shown.size(), 0);
    const QString file = waitForPrintedPdf(token);
    QVERIFY2(!file.isEmpty(), "the PDF printer wrote no file within a minute");
    const QString text = pdfText(file);
    const int pages = pdfPageCount(file);
    QFile::remove(file);
    QCOMPARE(pages, 1);
    QVERIFY2(text.contains("Vented Box Design"), qPrintable(text));
    QVERIFY(text.contains("Tuned Frequency = 30. Hz"));
    QVERIFY(text.contains("Port Length"));
    QVERIFY(text.contains("3.24"));
    QVERIFY(text.contains("N/A"));
}

void TestBoxReport::failedOpenIsReportedForEveryPage()
{
    DesignState& s = designState();
    s = designs(1);
    s.bandValid = 1;
    QCOMPARE(runBoxDataReport(PrintTarget::printer("No Such Printer 4711")), 0);
    QCOMPARE(
        m_messages->prompts(), (QStringList { "Could Not Open Printing Device", "Could Not Open Printing Device" }));
    QCOMPARE(runBoxDataReport(PrintTarget::pdfFile(m_dir.filePath("missing/report.pdf"))), 0);
    QCOMPARE(m_messages->shown.size(), 4);
}

QTEST_MAIN(TestBoxReport)
#include "tst_boxreport.moc"
