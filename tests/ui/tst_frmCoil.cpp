// The inductor window through its controls: the worked coils as the rows
// show them, the row-1 message, the take-over of a crossover's inductors by
// "L Design", what re-activation and the main window leave alone, and the
// printout read back.
#include "core/designstate.h"
#include "platform/pictures.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/recorders.h"
#include "ui/FrmTlv.h"
#include "ui/boxwindowprobe.h"
#include "ui/frmCoil.h"
#include "ui/frmXover.h"

#include <QTemporaryDir>
#include <QtTest>
#include <tuple>

namespace {
const Message kRowOneMissing { "You must enter a RESISTANCE and INDUCTANCE value", "ERROR", MsgButtons::Ok,
    MsgIcon::Stop };
const QString kHint = "      If you wish to change resistance or mH";

QStringList rowNames(int row)
{
    QStringList names;
    for (const char* prefix : { "szR", "szL", "szD", "szH", "szN", "szG" })
        names << QString::fromLatin1(prefix) + QString::number(row);
    return names;
}

// A 3-way 12 dB crossover: woofer 8, mid-range 6, tweeter 4 ohms.
void storeCrossover(std::int16_t coilSource)
{
    DesignState& s = designState();
    std::tie(s.xoverL1, s.xoverL2, s.xoverL3, s.xoverL4) = std::tuple(0.637f, 1.0f, 10.0f, 0.5f);
    std::tie(s.xoverRl, s.xoverRm, s.xoverRh) = std::tuple(8.0f, 6.0f, 4.0f);
    s.coilSource = coilSource;
}
} // namespace

class TestFrmCoil : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsAndEnterCycle();
    void calculate();
    void rowOneMissingStillComputesTheOthers_data();
    void rowOneMissingStillComputesTheOthers();
    void lDesignTakesOverTheCrossoverCoils_data();
    void lDesignTakesOverTheCrossoverCoils();
    void lDesignOfTheTwoWayCrossover();
    void editedRowsSurviveReactivation();
    void mainWindowLeavesTheRowsAlone();
    void printShowsTheTableAndDrawingOnly_data();
    void printShowsTheTableAndDrawingOnly();

private:
    MessageRecorder* m_messages = nullptr;
    WindowProbe<frmCoil> w;
};

void TestFrmCoil::init()
{
    m_messages = new MessageRecorder;
    designState() = DesignState();
    applyStartValues(designState());
}

void TestFrmCoil::cleanup()
{
    deleteAllWindows();
    delete m_messages;
}

void TestFrmCoil::controlsAndEnterCycle()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString(" "));
    const QStringList captions = w.captions();
    for (const QString& caption : QStringList {
             "Inductor Design", "Coil", "Resistance", "mH", "D", "H", "Number", "Turns", "Gauge", "L1", "L6", kHint })
        QVERIFY2(captions.contains(caption), qPrintable(caption));
    QCOMPARE(w.window()->findChild<QLabel*>("Label19")->text(), kHint);
    QVERIFY(w.window()->findChild<QWidget*>("Line38"));
    QCOMPARE(w.buttonRow(), (QStringList { "btn_Cal=Calculate", "btnPrint=Print", "btnExit=Exit" }));
    QFile drawing(compiledPicture(w.window()->findChild<PictureBox*>("Image1")->picture()));
    QVERIFY(drawing.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(drawing.readAll());
    for (const char* text : { ">D<", ">H<", ">INCH<", ">COIL CROSS SECTION<" })
        QVERIFY2(svg.contains(text), text);

    QStringList cycle;
    for (int row = 1; row <= 6; ++row)
        cycle << rowNames(row).mid(0, 2);
    w.field("szR1")->setFocus(Qt::TabFocusReason);
    for (int i = 1; i <= cycle.size(); ++i) {
        QTest::keyClick(w.field(cycle[i - 1]), Qt::Key_Return);
        QCOMPARE(w.focused(), cycle[i % cycle.size()]);
    }
    QCOMPARE(w.text("szR1"), QString()); // the key was swallowed
}

void TestFrmCoil::calculate()
{
    w.open();
    // Rows 1, 4 and 6; the empty rows between are skipped without a message.
    const QStringList typed { ".4", "1", ".5", "10", ".1", "10" };
    for (int i = 0; i < 3; ++i) {
        const int row = QList<int> { 1, 4, 6 }[i];
        w.type(QString("szR%1").arg(row), typed[2 * i]);
        w.type(QString("szL%1").arg(row), typed[2 * i + 1]);
    }
    w.click("btn_Cal");

    QCOMPARE(w.texts(rowNames(1)).mid(2), (QStringList { "1.34", ".669", "152.4", " 16" }));
    QCOMPARE(w.texts(rowNames(4)).mid(2), (QStringList { "3.78", "1.892", "286.5", " 10" }));
    QCOMPARE(w.texts(rowNames(6)).mid(2), (QStringList { "8.46", "4.23", "191.6", " ****" })); // thicker than 10
    QCOMPARE(w.texts(rowNames(5)), QStringList(6));
    // The coil computed last.
    QVERIFY(qAbs(designState().coilHeight - 4.23f) < 0.0005f);
    QCOMPARE(designState().coilWireGauge, std::int16_t(0));
    QCOMPARE(w.focused(), QString("szR1"));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFrmCoil::rowOneMissingStillComputesTheOthers_data()
{
    QTest::addColumn<QString>("ohms1");
    QTest::addColumn<QString>("mH1");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("no inductance") << ".4"
                                   << "0";
    QTest::newRow("R 1e-40: no finite coil") << "1e-40"
                                             << "1";
    QTest::newRow("L 1e30 and R 1e-40") << "1e-40"
                                        << "1e30";
}

void TestFrmCoil::rowOneMissingStillComputesTheOthers()
{
    QFETCH(QString, ohms1);
    QFETCH(QString, mH1);

    w.open();
    w.type("szR1", ohms1);
    w.type("szL1", mH1);
    w.type("szR2", ".4");
    w.type("szL2", "1");
    w.type("szR3", "1e30"); // refused silently like an incomplete row
    w.type("szL3", "1e-40");
    w.click("btn_Cal");

    QCOMPARE(m_messages->shown, QVector<Message> { kRowOneMissing });
    QCOMPARE(w.texts(rowNames(1)).mid(2), QStringList(4));
    QCOMPARE(w.texts(rowNames(2)).mid(2), (QStringList { "1.34", ".669", "152.4", " 16" }));
    QCOMPARE(w.texts(rowNames(3)).mid(2), QStringList(4));
    QCOMPARE(w.focused(), QString("szR1"));
}

void TestFrmCoil::lDesignTakesOverTheCrossoverCoils_data()
{
    QTest::addColumn<int>("coilSource");
    QTest::addColumn<int>("rows"); // taken over; the others stay as typed

    QTest::newRow("2-way 6 dB") << 1 << 1;
    QTest::newRow("2-way 12 dB, 3-way 6 dB") << 2 << 2;
    QTest::newRow("3-way 12 dB") << 4 << 4;
}

void TestFrmCoil::lDesignTakesOverTheCrossoverCoils()
{
    QFETCH(int, coilSource);
    QFETCH(int, rows);
    const QList<QStringList> takenOver {
        { ".4", ".637", "1.07", ".534", "136.1", " 18" },
        { ".2", "1.", "1.89", ".946", "128.1", " 13" }, // 5 % of the tweeter's 4 ohms
        { ".3", "10.", "4.88", "2.442", "252.1", " ****" },
        { ".3", ".5", "1.09", ".546", "119.2", " 17" },
    };
    const QStringList typed { ".4", "1", "mine", "", "", "" };

    storeCrossover(std::int16_t(coilSource));
    w.open();
    for (int row = 1; row <= 6; ++row)
        for (int i = 0; i < 3; ++i)
            w.type(rowNames(row)[i], typed[i]);
    frmCoil::openForCrossover();

    for (int row = 1; row <= 6; ++row)
        QCOMPARE(w.texts(rowNames(row)), row <= rows ? takenOver[row - 1] : typed);
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFrmCoil::lDesignOfTheTwoWayCrossover()
{
    // A 2 kHz 6 dB crossover for 8-ohm drivers, typed into its window.
    WindowProbe<frmXover> crossover;
    crossover.open();
    crossover.type("szFrq", "2000");
    crossover.type("szRl", "8");
    crossover.type("szRh", "8");
    crossover.click("LDesign");
    QTRY_VERIFY(existingWindow<frmCoil>() && QApplication::activeWindow() == existingWindow<frmCoil>());
    w.open();
    QCOMPARE(w.texts(rowNames(1)), (QStringList { ".4", ".637", "1.07", ".534", "136.1", " 18" }));
    QCOMPARE(w.texts(rowNames(2)), QStringList(6));
}

void TestFrmCoil::editedRowsSurviveReactivation()
{
    storeCrossover(1);
    QVERIFY(QTest::qWaitForWindowActive(frmCoil::openForCrossover()));
    w.open();
    w.type("szR1", ".2");
    w.click("btn_Cal");
    const QStringList edited = w.texts(rowNames(1));
    QCOMPARE(edited.mid(0, 2), (QStringList { ".2", ".637" }));

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    w.open();
    QCOMPARE(w.texts(rowNames(1)), edited);

    // "L Design" again takes the crossover's coil over again.
    frmCoil::openForCrossover();
    QCOMPARE(w.text("szR1"), QString(".4"));
}

void TestFrmCoil::mainWindowLeavesTheRowsAlone()
{
    auto* main = new FrmTlv;
    main->show();
    storeCrossover(2);
    frmCoil::openForCrossover();
    w.open();
    w.type("szR1", ".2");
    w.type("szL2", "3");
    const QStringList before = w.texts(rowNames(1) + rowNames(2));

    QTest::mouseClick(main->findChild<QPushButton*>("btn_Coil"), Qt::LeftButton);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w.window()));
    QCOMPARE(designState().coilSource, std::int16_t(7));
    QCOMPARE(w.texts(rowNames(1) + rowNames(2)), before);

    w.click("btnExit");
    QCOMPARE(designState().coilSource, std::int16_t(0));
    QTRY_VERIFY(!existingWindow<frmCoil>());
}

void TestFrmCoil::printShowsTheTableAndDrawingOnly_data()
{
    QTest::addColumn<QString>("target"); // "file", "PDF" (the printer), "cancel" or "unknown" (no such printer)
    QTest::newRow("PDF file") << "file";
    QTest::newRow("PDF printer") << "PDF";
    QTest::newRow("cancelled") << "cancel";
    QTest::newRow("unknown printer") << "unknown";
}

void TestFrmCoil::printShowsTheTableAndDrawingOnly()
{
    QFETCH(QString, target);
    if (target == "PDF" && !havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    PrinterRecorder printers;
    QTemporaryDir dir;
    const QString file = dir.filePath("coils.pdf");
    if (target == "file")
        printers.answerPdfFile(file);
    else if (target == "PDF")
        printers.answerPrinter("PDF");
    else if (target == "unknown")
        printers.answerPrinter(uniqueToken("NoSuchPrinter"));
    storeCrossover(2);
    frmCoil::openForCrossover();
    w.open();
    // A text of this run in a field, to find its page among the printer's files.
    const QString token
        = QStringLiteral("#%1").arg(QDateTime::currentMSecsSinceEpoch() % 1000000, 6, 10, QLatin1Char('0'));
    w.type("szN6", token);
    w.click("btnPrint");

    QCOMPARE(printers.requests, 1);
    QCOMPARE(w.focused(), QString("szR1"));
    for (const char* name : { "btnPrint", "btnExit", "btn_Cal", "Label19", "Line38" })
        QVERIFY2(w.window()->findChild<QWidget*>(name)->isVisible(), name);
    QCOMPARE(
        m_messages->prompts(), target == "unknown" ? QStringList { "Could Not Open Printing Device" } : QStringList {});
    if (target == "cancel" || target == "unknown") {
        QVERIFY(QDir(dir.path()).isEmpty());
        return;
    }
    if (target == "file")
        QCOMPARE(pdfPageCount(file), 1);
    const QString text = (target == "file" ? pdfText(file) : waitForPrintedText("Inductor Design", token)).simplified();
    QVERIFY2(!text.isEmpty(), "no page was printed");
    // Texts come back as texts: the window was printed as drawing commands, not as a bitmap.
    for (const QString& shown :
        QStringList { "Inductor Design", "Resistance", "Gauge", ".637", ".534", "136.1", "128.1", " 13", token })
        QVERIFY2(text.contains(shown), qPrintable(shown + " not in: " + text));
    for (const QString& hidden : QStringList { "Calculate", "Print", "Exit", "If you wish" })
        QVERIFY2(!text.contains(hidden), qPrintable(hidden));
}

QTEST_MAIN(TestFrmCoil)
#include "tst_frmCoil.moc"
