// Without a printing system: the printer list holds only "PDF File", every
// print on a printer gives "Could Not Open Printing Device" at once, and PDF
// files are still made.
#include "core/designstate.h"
#include "print/FrmPrinter.h"
#include "print/boxreport.h"
#include "print/reportpage.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestNoPrintingSystem : public WindowTest {
    Q_OBJECT
private slots:
    void listHoldsOnlyThePdfFileEntry();
    void printersFailAndPdfFilesAreMade_data();
    void printersFailAndPdfFilesAreMade();
};

void TestNoPrintingSystem::listHoldsOnlyThePdfFileEntry()
{
    QElapsedTimer timer;
    timer.start();
    FrmPrinter window;
    QListWidget* list = window.findChild<QListWidget*>("List1");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QString("PDF File"));
    QVERIFY(timer.elapsed() < 10000);
}

void TestNoPrintingSystem::printersFailAndPdfFilesAreMade_data()
{
    QTest::addColumn<QString>("printer"); // empty: a PDF file
    QTest::addColumn<bool>("boxReport");
    QTest::newRow("report page, named printer") << "PDF" << false;
    QTest::newRow("box report, default printer") << "Default Printer" << true;
    QTest::newRow("report page, PDF file") << "" << false;
}

void TestNoPrintingSystem::printersFailAndPdfFilesAreMade()
{
    QFETCH(QString, printer);
    QFETCH(bool, boxReport);
    PrinterRecorder printers;
    QTemporaryDir dir;
    if (printer.isEmpty())
        printers.answerPdfFile(dir.filePath("page.pdf"));
    else
        printers.answerPrinter(printer);
    DesignState& s = designState();
    s.designValid = 1;
    s.boxValid = 1;
    s.boxType = BoxType::Closed;
    ReportLayout layout;
    layout.title = "Passive 2 Way Crossover";
    QElapsedTimer timer;
    timer.start();
    if (boxReport)
        printBoxDataReport(nullptr);
    else
        printReportPage(layout, nullptr);
    QVERIFY(timer.elapsed() < 15000);
    if (printer.isEmpty()) {
        QVERIFY(messages().shown.isEmpty());
        QVERIFY(pdfText(dir.filePath("page.pdf")).contains(layout.title));
    } else {
        QCOMPARE(messages().prompts(), QStringList { "Could Not Open Printing Device" });
    }
}

int main(int argc, char* argv[])
{
    // The printing system is asked through a socket that does not exist; it
    // reads the address once, before the first question.
    qputenv("CUPS_SERVER", "/nonexistent/tolvan-test/cups.sock");
    QApplication app(argc, argv);
    TestNoPrintingSystem test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_noprintingsystem.moc"
