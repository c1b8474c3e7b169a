// Printing: the printer selection window, report pages composed as data and
// printed for real into PDF files and on the printing system's PDF printer,
// Cancel printing nothing and every failure giving its one message.
#include "core/designstate.h"
#include "platform/pageoutput.h"
#include "platform/printers.h"
#include "print/FrmPrinter.h"
#include "print/printjob.h"
#include "print/reportpage.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/recorders.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kCouldNotOpen = QStringLiteral("Could Not Open Printing Device");

ReportLayout crossoverLayout(const QString& title)
{
    ReportLayout layout;
    layout.title = title;
    layout.titleX = 400;
    layout.titleY = 1900;
    layout.lines = { { 300, 1700, "Crossover Frequency = 3000 Hz" }, { 300, 1600, "C1 = 6.63 uF" } };
    layout.pictures = { { 500, 300, 1000, 800, "p26.bmp" } };
    return layout;
}

QListWidget* listOf(FrmPrinter& window) { return window.findChild<QListWidget*>("List1"); }

QStringList entriesOf(FrmPrinter& window)
{
    QStringList out;
    for (int i = 0; i < listOf(window)->count(); ++i)
        out << listOf(window)->item(i)->text();
    return out;
}

bool runAsAdmin(const QStringList& arguments)
{
    QProcess lpadmin;
    lpadmin.start("lpadmin", arguments);
    return lpadmin.waitForFinished(30000) && lpadmin.exitCode() == 0;
}
} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void reportPageTextsStandWhereTheLayoutSays_data();
    void reportPageTextsStandWhereTheLayoutSays();

    void selectionListsThePrintersThenPdfFile();
    void okWithoutSelectionSaysSoAndStays();
    void pdfFileEntryAsksForAFileWithSuffix_data();
    void pdfFileEntryAsksForAFileWithSuffix();

    void reportPagePrintsIntoAPdfFile();
    void nothingHappensWithoutAValidDesignOrAfterCancel_data();
    void nothingHappensWithoutAValidDesignOrAfterCancel();
    void failuresGiveTheOneMessage_data();
    void failuresGiveTheOneMessage();
    void reportPagePrintsOnThePdfPrinter_data();
    void reportPagePrintsOnThePdfPrinter();
    void dashedPrinterNameIsPrintedTo();

private:
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<ScriptedFileChooser> m_files;
    std::unique_ptr<PrinterRecorder> m_printers;
    std::unique_ptr<ModalGuard> m_guard;
    QTemporaryDir m_dir;
};

void TestPrinting::init()
{
    m_messages = std::make_unique<MessageRecorder>();
    m_files = std::make_unique<ScriptedFileChooser>();
    m_printers = std::make_unique<PrinterRecorder>();
    m_guard = std::make_unique<ModalGuard>();
    designState() = DesignState();
    designState().designValid = 1;
}

void TestPrinting::cleanup()
{
    m_guard.reset();
    m_printers.reset();
    m_files.reset();
    m_messages.reset();
    deleteAllWindows();
}

void TestPrinting::reportPageTextsStandWhereTheLayoutSays_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<double>("size");
    QTest::newRow("title") << "Passive 2 Way Crossover" << QPointF(400, 1900) << 120.0;
    QTest::newRow("first line") << "Crossover Frequency = 3000 Hz" << QPointF(300, 1700) << 100.0;
    QTest::newRow("second line") << "C1 = 6.63 uF" << QPointF(300, 1600) << 100.0;
}

void TestPrinting::reportPageTextsStandWhereTheLayoutSays()
{
    QFETCH(QString, text);
    QFETCH(QPointF, pos);
    QFETCH(double, size);
    const Page page = composeReportPage(crossoverLayout("Passive 2 Way Crossover"));
    QCOMPARE(page.world(), QRectF(0, 0, 2000, 2000));
    QCOMPARE(page.texts().size(), 3);
    const PageText* t = page.findText(text);
    QVERIFY(t);
    QCOMPARE(t->pos, pos);
    QCOMPARE(t->font.size, size);
    QCOMPARE(t->font.style, 32);
    QCOMPARE(t->font.face, QString("Times New Roman"));
    const auto& last = page.items().back();
    QVERIFY(std::holds_alternative<PagePicture>(last));
    QCOMPARE(std::get<PagePicture>(last).rect, QRectF(500, 300, 1000, 800));
}

void TestPrinting::selectionListsThePrintersThenPdfFile()
{
    designState().printerChosen = 1;
    designState().printerName = "PDF";
    FrmPrinter window;
    QCOMPARE(window.windowTitle(), QString("Select Printer"));
    QVERIFY(window.findChild<QPushButton*>("CmdOk"));
    QVERIFY(window.findChild<QPushButton*>("CmdCancel"));
    QCOMPARE(designState().printerChosen, 0);

    QProcess lpstat;
    lpstat.start("lpstat", { "-e" });
    QVERIFY(lpstat.waitForFinished(30000));
    const QStringList queues = QString::fromUtf8(lpstat.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    const QStringList entries = entriesOf(window);
    QCOMPARE(entries.size(), queues.size() + 1);
    QCOMPARE(entries.last(), QString("PDF File"));
    const QVector<PrinterListing> printers = installedPrinterListing();
    for (int i = 0; i < printers.size(); ++i) {
        QVERIFY(queues.contains(printers[i].name));
        QCOMPARE(entries[i], printerEntryText(printers[i].name, printers[i].driver));
        QCOMPARE(listOf(window)->item(i)->data(Qt::UserRole).toString(), printers[i].name);
    }
    if (queues.contains("PDF"))
        QCOMPARE(listOf(window)->selectedItems().value(0)->data(Qt::UserRole).toString(), QString("PDF"));
}

void TestPrinting::okWithoutSelectionSaysSoAndStays()
{
    designState().printerName = "No Such Printer";
    FrmPrinter window;
    window.show();
    QVERIFY(listOf(window)->selectedItems().isEmpty());
    window.CmdOk_Click();
    QCOMPARE(m_messages->prompts(), QStringList { "No Printer Selected" });
    QCOMPARE(m_messages->last().shownTitle(), QString("Tolvan"));
    QVERIFY(window.isVisible());
    QVERIFY(!window.target());
    window.CmdCancel_Click();
    QVERIFY(!window.isVisible());
    QCOMPARE(designState().printerChosen, 0);
}

void TestPrinting::pdfFileEntryAsksForAFileWithSuffix_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("existing"); // "page.pdf" exists beforehand
    QTest::addColumn<QString>("expected"); // empty: stays in the window
    QTest::addColumn<int>("dialogs");
    QTest::newRow("bare name") << QStringList { "page" } << false << "page.pdf" << 1;
    QTest::newRow("cancelled") << QStringList {} << false << "" << 1;
    QTest::newRow("added suffix hits a file: asked again")
        << QStringList { "page", "page.pdf" } << true << "page.pdf" << 2;
}

void TestPrinting::pdfFileEntryAsksForAFileWithSuffix()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, existing);
    QFETCH(QString, expected);
    QFETCH(int, dialogs);
    QTemporaryDir dir;
    if (existing) {
        QFile file(dir.filePath("page.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    for (const QString& answer : answers)
        m_files->answerNext(dir.filePath(answer));
    FrmPrinter window;
    listOf(window)->setCurrentRow(listOf(window)->count() - 1);
    window.CmdOk_Click();
    QCOMPARE(m_files->requests.size(), dialogs);
    QVERIFY(m_files->requests.first().forSave);
    QCOMPARE(m_files->requests.first().defaultSuffix, QString("pdf"));
    if (expected.isEmpty()) {
        QVERIFY(!window.target());
        QCOMPARE(designState().printerChosen, 0);
    } else {
        QCOMPARE(window.target(), PrintTarget::pdfFile(dir.filePath(expected)));
        QCOMPARE(designState().printerChosen, 1);
    }
}

void TestPrinting::reportPagePrintsIntoAPdfFile()
{
    const QString file = m_dir.filePath("report.pdf");
    m_printers->answerPdfFile(file);
    QLineEdit first;
    printReportPage(crossoverLayout("Passive 2 Way Crossover"), &first);
    QCOMPARE(m_messages->shown.size(), 0);
    QCOMPARE(designState().printerChosen, 1);
    QCOMPARE(pdfPageCount(file), 1);
    const QString text = pdfText(file);
    QVERIFY2(text.contains("Passive 2 Way Crossover"), qPrintable(text));
    QVERIFY(text.contains("Crossover Frequency = 3000 Hz"));
    QVERIFY(text.contains("C1 = 6.63 uF"));
    // The title stands above the lines.
    QVERIFY(text.indexOf("Passive 2 Way") < text.indexOf("Crossover Frequency"));
}

void TestPrinting::nothingHappensWithoutAValidDesignOrAfterCancel_data()
{
    QTest::addColumn<int>("designValid");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("requests");
    QTest::newRow("no valid design") << 0 << false << 0;
    QTest::newRow("cancelled") << 1 << true << 1;
}

void TestPrinting::nothingHappensWithoutAValidDesignOrAfterCancel()
{
    QFETCH(int, designValid);
    QFETCH(bool, cancel);
    QFETCH(int, requests);
    designState().designValid = static_cast<std::int16_t>(designValid);
    const QString file = m_dir.filePath("never.pdf");
    if (cancel)
        m_printers->answerCancel();
    else
        m_printers->answerPdfFile(file);
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* other = new QLineEdit(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    printReportPage(crossoverLayout("Passive 2 Way Crossover"), first);
    QCOMPARE(m_printers->requests, requests);
    QCOMPARE(designState().printerChosen, 0);
    QCOMPARE(m_messages->shown.size(), 0);
    QVERIFY(first->hasFocus());
    QVERIFY(!QFile::exists(file));
}

void TestPrinting::failuresGiveTheOneMessage_data()
{
    QTest::addColumn<bool>("toFile");
    QTest::addColumn<QString>("name");
    QTest::newRow("unknown printer") << false << "No Such Printer 4711";
    QTest::newRow("folder missing") << true << "missing/report.pdf";
    QTest::newRow("empty file name") << true << "";
}

void TestPrinting::failuresGiveTheOneMessage()
{
    QFETCH(bool, toFile);
    QFETCH(QString, name);
    if (toFile)
        m_printers->answerPdfFile(name.isEmpty() ? name : m_dir.filePath(name));
    else
        m_printers->answerPrinter(name);
    printReportPage(crossoverLayout("Passive 2 Way Crossover"), nullptr);
    QCOMPARE(m_messages->prompts(), QStringList { kCouldNotOpen });
    QCOMPARE(m_messages->last().shownTitle(), QString("Tolvan"));
    QCOMPARE(m_messages->last().buttons, MsgButtons::Ok);

    // The other road reports the same way and never claims success.
    m_messages->clear();
    if (toFile)
        m_printers->answerPdfFile(name.isEmpty() ? name : m_dir.filePath(name));
    else
        m_printers->answerPrinter(name);
    bool painted = false;
    QVERIFY(!printWithSelection(nullptr, "Coil", [&](QPainter&, const QRectF&) { painted = true; }));
    QVERIFY(!painted);
    QCOMPARE(m_messages->prompts(), QStringList { kCouldNotOpen });
}

void TestPrinting::reportPagePrintsOnThePdfPrinter_data()
{
    QTest::addColumn<QString>("printer");
    QTest::newRow("by name") << "PDF";
    QTest::newRow("the system's default") << "Default Printer";
}

void TestPrinting::reportPagePrintsOnThePdfPrinter()
{
    QFETCH(QString, printer);
    if (!havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    if (printer == "Default Printer" && !defaultPrinterEntry().startsWith("PDF,"))
        QSKIP("the PDF printer is not the system's default printer");
    const QString token = uniqueToken("Report");
    m_printers->answerPrinter(printer);
    printReportPage(crossoverLayout(token), nullptr);
    QCOMPARE(m_messages->shown.size(), 0);
    QCOMPARE(designState().printerName, printer);
    const QString file = waitForPrintedPdf(token);
    QVERIFY2(!file.isEmpty(), "the PDF printer wrote no file within a minute");
    const QString text = pdfText(file);
    QFile::remove(file);
    QVERIFY2(text.contains(token), qPrintable(text));
    QVERIFY(text.contains("Crossover Frequency = 3000 Hz"));
}

void TestPrinting::dashedPrinterNameIsPrintedTo()
{
    if (!havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    const QString queue = uniqueToken("Office-Laser-");
    if (!runAsAdmin({ "-p", queue, "-v", "cups-pdf:/", "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd", "-E", "-o",
            "pdftops-renderer-default=pdftocairo" }))
        QSKIP("no right to add a printer here");
    auto removeQueue = qScopeGuard([&] { runAsAdmin({ "-x", queue }); });

    // The dialog itself chooses the queue, by a double click on its entry.
    m_printers.reset();
    struct Dialog final : PrinterSelection {
        QString queue;
        std::optional<PrintTarget> select(QWidget*) override
        {
            FrmPrinter window;
            QListWidget* list = window.findChild<QListWidget*>("List1");
            for (QListWidgetItem* item : list->findItems(queue + " - ", Qt::MatchStartsWith))
                emit list->itemDoubleClicked(item);
            return window.target();
        }
    } dialog;
    dialog.queue = queue;
    PrinterSelection* previous = installPrinterSelection(&dialog);
    const QString token = uniqueToken("Dashed");
    printReportPage(crossoverLayout(token), nullptr);
    installPrinterSelection(previous);
    QCOMPARE(m_messages->shown.size(), 0);
    QCOMPARE(designState().printerName, queue);
    const QString file = waitForPrintedPdf(token);
    const QString text = pdfText(file);
    QFile::remove(file);
    QVERIFY2(text.contains(token), "the dashed queue printed no page within a minute");
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
