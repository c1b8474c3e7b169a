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
#include "support/windowtest.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
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

QString run(const QString& program, const QStringList& arguments, bool* ok = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool done = process.waitForFinished(30000) && process.exitCode() == 0;
    if (ok)
        *ok = done;
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

class TestPrinting : public WindowTest {
    Q_OBJECT
private slots:
    void init()
    {
        WindowTest::init();
        designState().designValid = 1;
        m_printers.emplace();
    }
    void cleanup()
    {
        m_printers.reset();
        WindowTest::cleanup();
    }

    void reportPageTextsStandWhereTheLayoutSays_data();
    void reportPageTextsStandWhereTheLayoutSays();

    void selectionListsThePrintersThenPdfFile();
    void okWithoutSelectionSaysSoAndStays();
    void pdfFileEntryAsksForAFileWithSuffix_data();
    void pdfFileEntryAsksForAFileWithSuffix();

    void reportPageGoesToTheChosenTarget_data();
    void reportPageGoesToTheChosenTarget();
    void dashedPrinterNameIsPrintedTo();

private:
    std::optional<PrinterRecorder> m_printers;
};

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
    QVERIFY(std::holds_alternative<PagePicture>(page.items().back()));
    QCOMPARE(std::get<PagePicture>(page.items().back()).rect, QRectF(500, 300, 1000, 800));
}

void TestPrinting::selectionListsThePrintersThenPdfFile()
{
    designState().printerChosen = 1;
    designState().printerName = "PDF";
    FrmPrinter window;
    QCOMPARE(window.windowTitle(), QString("Select Printer"));
    QVERIFY(window.findChild<QPushButton*>("CmdOk") && window.findChild<QPushButton*>("CmdCancel"));
    QCOMPARE(designState().printerChosen, 0);

    const QStringList queues = run("lpstat", { "-e" }).split('\n', Qt::SkipEmptyParts);
    QListWidget* list = listOf(window);
    QCOMPARE(list->count(), queues.size() + 1);
    QCOMPARE(list->item(list->count() - 1)->text(), QString("PDF File"));
    const QVector<PrinterListing> printers = installedPrinterListing();
    for (int i = 0; i < printers.size(); ++i) {
        QVERIFY(queues.contains(printers[i].name));
        QCOMPARE(list->item(i)->text(), printerEntryText(printers[i].name, printers[i].driver));
        QCOMPARE(list->item(i)->data(Qt::UserRole).toString(), printers[i].name);
    }
    if (queues.contains("PDF"))
        QCOMPARE(list->selectedItems().value(0)->data(Qt::UserRole).toString(), QString("PDF"));
}

void TestPrinting::okWithoutSelectionSaysSoAndStays()
{
    designState().printerName = "No Such Printer";
    FrmPrinter window;
    window.show();
    QVERIFY(listOf(window)->selectedItems().isEmpty());
    window.CmdOk_Click();
    QCOMPARE(messages().prompts(), QStringList { "No Printer Selected" });
    QCOMPARE(messages().last().shownTitle(), QString("Tolvan"));
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
    QTest::newRow("bare name") << QStringList { "page" } << false << "page.pdf";
    QTest::newRow("cancelled") << QStringList {} << false << "";
    QTest::newRow("added suffix hits a file: asked again") << QStringList { "page", "page.pdf" } << true << "page.pdf";
}

void TestPrinting::pdfFileEntryAsksForAFileWithSuffix()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, existing);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QFile file(dir.filePath("page.pdf"));
    QVERIFY(!existing || file.open(QIODevice::WriteOnly));
    for (const QString& answer : answers)
        files().answerNext(dir.filePath(answer));
    FrmPrinter window;
    listOf(window)->setCurrentRow(listOf(window)->count() - 1);
    window.CmdOk_Click();
    QCOMPARE(files().requests.size(), std::max<qsizetype>(1, answers.size()));
    QVERIFY(files().requests.first().forSave);
    QCOMPARE(files().requests.first().defaultSuffix, QString("pdf"));
    QCOMPARE(window.target(),
        expected.isEmpty() ? std::optional<PrintTarget>() : PrintTarget::pdfFile(dir.filePath(expected)));
    QCOMPARE(designState().printerChosen, expected.isEmpty() ? 0 : 1);
}

void TestPrinting::reportPageGoesToTheChosenTarget_data()
{
    QTest::addColumn<QString>("target"); // "file", "printer" or "cancel"
    QTest::addColumn<QString>("name"); // file in a fresh folder, or printer
    QTest::addColumn<int>("designValid");
    QTest::addColumn<QString>("message");
    QTest::newRow("PDF file") << "file"
                              << "report.pdf" << 1 << "";
    QTest::newRow("PDF printer by name") << "printer"
                                         << "PDF" << 1 << "";
    QTest::newRow("the system's default printer") << "printer"
                                                  << "Default Printer" << 1 << "";
    QTest::newRow("no valid design: not even asked") << "file"
                                                     << "report.pdf" << 0 << "";
    QTest::newRow("cancelled") << "cancel"
                               << "" << 1 << "";
    QTest::newRow("unknown printer") << "printer"
                                     << "No Such Printer 4711" << 1 << kCouldNotOpen;
    // A PDF file's failure is said with the file's name and why: FILE stands for the file.
    QTest::newRow("folder missing") << "file"
                                    << "missing/report.pdf" << 1
                                    << kCouldNotOpen + "\n\nFILE cannot be written: the folder does not exist.";
    QTest::newRow("empty file name") << "file"
                                     << "" << 1 << kCouldNotOpen;
}

void TestPrinting::reportPageGoesToTheChosenTarget()
{
    QFETCH(QString, target);
    QFETCH(QString, name);
    QFETCH(int, designValid);
    QFETCH(QString, message);
    const bool printed = designValid == 1 && target != "cancel" && message.isEmpty();
    if (printed && target == "printer" && !havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    if (name == "Default Printer" && !defaultPrinterEntry().startsWith("PDF,"))
        QSKIP("the PDF printer is not the system's default printer");
    QTemporaryDir dir;
    const QString file = name.isEmpty() ? name : dir.filePath(name);
    message.replace("FILE", QDir::toNativeSeparators(file));
    const auto answer = [&] {
        if (target == "file")
            m_printers->answerPdfFile(file);
        else if (target == "printer")
            m_printers->answerPrinter(name);
    };
    answer();
    designState().designValid = static_cast<std::int16_t>(designValid);
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* other = new QLineEdit(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    const QString token = uniqueToken("Report");
    printReportPage(crossoverLayout(token), first);

    QCOMPARE(m_printers->requests, designValid);
    QCOMPARE(designState().printerChosen, designValid == 1 && target != "cancel" ? 1 : 0);
    QVERIFY(first->hasFocus());
    QCOMPARE(messages().prompts(), message.isEmpty() ? QStringList {} : QStringList { message });
    if (!message.isEmpty()) {
        QCOMPARE(messages().last().shownTitle(), QString("Tolvan"));
        QCOMPARE(messages().last().buttons, MsgButtons::Ok);
        // The road of pages that are not report layouts fails the same way, never claiming success.
        messages().clear();
        answer();
        bool painted = false;
        QVERIFY(!printWithSelection(nullptr, "Coil", [&](QPainter&, const QRectF&) { painted = true; }));
        QVERIFY(!painted);
        QCOMPARE(messages().prompts(), QStringList { message });
    }
    if (!printed) {
        QVERIFY(QDir(dir.path()).isEmpty());
        return;
    }
    if (target == "printer")
        QCOMPARE(designState().printerName, name);
    const QString path = target == "file" ? file : waitForPrintedPdf(token);
    QVERIFY2(!path.isEmpty(), "the PDF printer wrote no file within a minute");
    const QString text = pdfText(path);
    const int pages = pdfPageCount(path);
    if (target == "printer")
        QFile::remove(path);
    QCOMPARE(pages, 1);
    QVERIFY2(text.contains(token), qPrintable(text));
    QVERIFY(text.indexOf(token) < text.indexOf("Crossover Frequency = 3000 Hz")); // the title stands above
    QVERIFY(text.contains("C1 = 6.63 uF"));
}

void TestPrinting::dashedPrinterNameIsPrintedTo()
{
    if (!havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    const QString queue = uniqueToken("Office-Laser-Second-Floor-North-Wing-");
    bool added = false;
    run("lpadmin",
        { "-p", queue, "-v", "cups-pdf:/", "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd", "-E", "-o",
            "pdftops-renderer-default=pdftocairo" },
        &added);
    if (!added)
        QSKIP("no right to add a printer here");
    auto removeQueue = qScopeGuard([&] { run("lpadmin", { "-x", queue }); });

    // The dialog itself chooses the queue, by a double click on its entry.
    struct Dialog final : PrinterSelection {
        QString queue;
        int hiddenWidth = -1;
        std::optional<PrintTarget> select(QWidget*) override
        {
            FrmPrinter window;
            window.show(); // the long entry shows whole
            hiddenWidth = listOf(window)->horizontalScrollBar()->maximum();
            for (QListWidgetItem* item : listOf(window)->findItems(queue + " - ", Qt::MatchStartsWith))
                emit listOf(window)->itemDoubleClicked(item);
            return window.target();
        }
    } dialog;
    dialog.queue = queue;
    PrinterSelection* previous = installPrinterSelection(&dialog);
    const QString token = uniqueToken("Dashed");
    printReportPage(crossoverLayout(token), nullptr);
    installPrinterSelection(previous);
    QCOMPARE(messages().shown.size(), 0);
    QCOMPARE(dialog.hiddenWidth, 0);
    QCOMPARE(designState().printerName, queue);
    const QString file = waitForPrintedPdf(token);
    const QString text = pdfText(file);
    QFile::remove(file);
    QVERIFY2(text.contains(token), "the dashed queue printed no page within a minute");
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
