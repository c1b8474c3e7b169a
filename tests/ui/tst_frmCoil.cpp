// The inductor window through its controls: the worked coils as the rows
// show them, the row-1 message, the take-over of a crossover's inductors by
// "L Design" and what re-activation and the main window leave alone.
#include "core/designstate.h"
#include "platform/pictures.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/recorders.h"
#include "ui/FrmTlv.h"
#include "ui/boxwindowprobe.h"
#include "ui/frmCoil.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
const Message kRowOneMissing { "You must enter a RESISTANCE and INDUCTANCE value", "ERROR", MsgButtons::Ok,
    MsgIcon::Stop };

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
    s.xoverL1 = 0.637f;
    s.xoverL2 = 1;
    s.xoverL3 = 10;
    s.xoverL4 = 0.5f;
    s.xoverRl = 8;
    s.xoverRm = 6;
    s.xoverRh = 4;
    s.coilSource = coilSource;
}
} // namespace

class TestFrmCoil : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsAndCaptions();
    void enterMovesRowByRow();
    void calculate_data();
    void calculate();
    void rowOneMissingStillComputesTheOthers_data();
    void rowOneMissingStillComputesTheOthers();
    void lDesignTakesOverTheCrossoverCoils_data();
    void lDesignTakesOverTheCrossoverCoils();
    void editedRowsSurviveReactivation();
    void mainWindowLeavesTheRowsAlone();
    void exitResetsCoilSource();
    void printShowsTheTableAndDrawingOnly_data();
    void printShowsTheTableAndDrawingOnly();

private:
    // Row 6 typed by the user before the take-over: it must stay as it is.
    void typeRowSix();

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

void TestFrmCoil::typeRowSix()
{
    w.type("szR6", ".4");
    w.type("szL6", "1");
    w.type("szD6", "mine");
}

void TestFrmCoil::controlsAndCaptions()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString(" "));
    for (int row = 1; row <= 6; ++row)
        for (const QString& name : rowNames(row))
            QVERIFY2(w.field(name) && !w.field(name)->isReadOnly(), qPrintable(name));
    const QStringList captions = w.captions();
    for (const char* caption : { "Inductor Design", "Coil", "Resistance", "mH", "D", "H", "Number", "Turns", "Gauge",
             "L1", "L6", "      If you wish to change resistance or mH" })
        QVERIFY2(captions.contains(caption), caption);
    QCOMPARE(
        w.window()->findChild<QLabel*>("Label19")->text(), QString("      If you wish to change resistance or mH"));
    QVERIFY(w.window()->findChild<QWidget*>("Line38"));
    QCOMPARE(w.buttonRow(), (QStringList { "btn_Cal=Calculate", "btnPrint=Print", "btnExit=Exit" }));
    // The cross-section drawing with its dimensions.
    QFile drawing(compiledPicture(w.window()->findChild<PictureBox*>("Image1")->picture()));
    QVERIFY(drawing.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(drawing.readAll());
    for (const char* text : { ">D<", ">H<", ">INCH<", ">COIL CROSS SECTION<" })
        QVERIFY2(svg.contains(text), text);
}

void TestFrmCoil::enterMovesRowByRow()
{
    w.open();
    QStringList cycle;
    for (int row = 1; row <= 6; ++row)
        cycle << rowNames(row).mid(0, 2);
    w.field("szR1")->setFocus(Qt::TabFocusReason);
    for (int i = 1; i <= cycle.size(); ++i) {
        QTest::keyClick(w.field(cycle[i - 1]), Qt::Key_Return);
        QCOMPARE(w.focused(), cycle[i % cycle.size()]);
    }
    QCOMPARE(w.text("szR1"), QString());
}

void TestFrmCoil::calculate_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("ohms");
    QTest::addColumn<QString>("mH");
    QTest::addColumn<QStringList>("shown"); // D, H, N, gauge
    QTest::addColumn<float>("coilHeight");

    QTest::newRow("1 mH, .4 ohm") << 1 << ".4"
                                  << "1" << QStringList { "1.34", ".669", "152.4", " 16" } << 0.669f;
    QTest::newRow("10 mH, .5 ohm in row 4") << 4 << ".5"
                                            << "10" << QStringList { "3.78", "1.892", "286.5", " 10" } << 1.892f;
    QTest::newRow("thicker than gauge 10 in row 6")
        << 6 << ".1"
        << "10" << QStringList { "8.46", "4.23", "191.6", " ****" } << 4.23f;
}

void TestFrmCoil::calculate()
{
    QFETCH(int, row);
    QFETCH(QString, ohms);
    QFETCH(QString, mH);
    QFETCH(QStringList, shown);
    QFETCH(float, coilHeight);

    w.open();
    w.type("szR1", "0.5");
    w.type("szL1", "2");
    w.type(QString("szR%1").arg(row), ohms);
    w.type(QString("szL%1").arg(row), mH);
    w.click("btn_Cal");

    QCOMPARE(w.texts(rowNames(row)).mid(2), shown);
    QVERIFY(qAbs(designState().coilHeight - coilHeight) < 0.0005f); // the last row computed
    QCOMPARE(designState().coilWireGauge, std::int16_t(shown[3] == " ****" ? 0 : shown[3].toInt()));
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
    QTest::newRow("R 1e-40 gives no finite coil") << "1e-40"
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
    QTest::addColumn<QList<QStringList>>("rows"); // rows 1 to 5; an empty row stays empty

    const QStringList none(6);
    const QStringList l1 { ".4", ".637", "1.07", ".534", "136.1", " 18" };
    const QStringList l2 { ".2", "1.", "1.89", ".946", "128.1", " 13" }; // 5 % of the tweeter's 4 ohms
    const QStringList l3 { ".3", "10.", "4.88", "2.442", "252.1", " ****" };
    const QStringList l4 { ".3", ".5", "1.09", ".546", "119.2", " 17" };
    QTest::newRow("2-way 6 dB") << 1 << QList<QStringList> { l1, none, none, none, none };
    QTest::newRow("2-way 12 dB, 3-way 6 dB") << 2 << QList<QStringList> { l1, l2, none, none, none };
    QTest::newRow("3-way 12 dB") << 4 << QList<QStringList> { l1, l2, l3, l4, none };
}

void TestFrmCoil::lDesignTakesOverTheCrossoverCoils()
{
    QFETCH(int, coilSource);
    QFETCH(QList<QStringList>, rows);

    storeCrossover(std::int16_t(coilSource));
    w.open();
    typeRowSix();
    frmCoil::openForCrossover();

    for (int row = 1; row <= 5; ++row)
        QCOMPARE(w.texts(rowNames(row)), rows[row - 1]);
    QCOMPARE(w.texts(rowNames(6)), (QStringList { ".4", "1", "mine", "", "", "" }));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFrmCoil::editedRowsSurviveReactivation()
{
    storeCrossover(1);
    frmCoil* coil = frmCoil::openForCrossover();
    QVERIFY(QTest::qWaitForWindowActive(coil));
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
}

void TestFrmCoil::exitResetsCoilSource()
{
    storeCrossover(4);
    frmCoil::openForCrossover();
    w.open();
    w.click("btnExit");
    QCOMPARE(designState().coilSource, std::int16_t(0));
    QTRY_VERIFY(!existingWindow<frmCoil>());
}

void TestFrmCoil::printShowsTheTableAndDrawingOnly_data()
{
    QTest::addColumn<QString>(
        "target"); // "file", "PDF" (the printer), "cancel" or "unknown" (a printer that is not there)
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
    w.type("szR6", ".4");
    w.type("szL6", "1");
    w.type("szN6", token);
    w.click("btnPrint");

    QCOMPARE(printers.requests, 1);
    QCOMPARE(w.focused(), QString("szR1"));
    for (const char* name : { "btnPrint", "btnExit", "btn_Cal", "Label19", "Line38" })
        QVERIFY2(w.window()->findChild<QWidget*>(name)->isVisible(), name);
    if (target == "cancel" || target == "unknown") {
        QVERIFY(QDir(dir.path()).isEmpty());
        QCOMPARE(m_messages->prompts(),
            target == "unknown" ? QStringList { "Could Not Open Printing Device" } : QStringList {});
        return;
    }
    QVERIFY(m_messages->shown.isEmpty());
    if (target == "file")
        QCOMPARE(pdfPageCount(file), 1);
    const QString text = (target == "file" ? pdfText(file) : waitForPrintedText("Inductor Design", token)).simplified();
    QVERIFY2(!text.isEmpty(), "no page was printed");
    // The texts are printed as texts: the widgets painted onto the printer.
    for (const QString& shown :
        QStringList { "Inductor Design", "Resistance", "Gauge", ".637", ".534", "136.1", "128.1", " 13", token })
        QVERIFY2(text.contains(shown), qPrintable(shown + " not in: " + text));
    for (const QString& hidden : QStringList { "Calculate", "Print", "Exit", "If you wish" })
        QVERIFY2(!text.contains(hidden), qPrintable(hidden));
}

QTEST_MAIN(TestFrmCoil)
#include "tst_frmCoil.moc"
