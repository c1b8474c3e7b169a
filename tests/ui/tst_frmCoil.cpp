// The inductor window through its controls: the worked coils as the rows
// show them, the row-1 message, the take-over of a crossover's inductors by
// "L Design", what re-activation and the main window leave alone, and the
// printout read back.
#include "core/designstate.h"
#include "core/units.h"
#include "design/workedexamples.h"
#include "platform/pictures.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/windowtest.h"
#include "ui/FrmTlv.h"
#include "ui/frmCoil.h"
#include "ui/frmXover.h"

#include <QtTest>
#include <tuple>

namespace {
const Message kRowOneMissing { "You must enter a RESISTANCE and INDUCTANCE value", "ERROR", MsgButtons::Ok,
    MsgIcon::Stop };
const QString kCoil16 = ".4|.637|1.07|.534|136.1| 18"; // the 2-way 6 dB take-over of 8 ohms

QStringList rowNames(int row)
{
    QStringList names;
    for (const char* prefix : { "szR", "szL", "szD", "szH", "szN", "szG" })
        names << QString::fromLatin1(prefix) + QString::number(row);
    return names;
}

// A 3-way 12 dB crossover: woofer 8, mid-range 6, tweeter 4 ohms.
void storeCrossover(CoilSource coilSource)
{
    DesignState& s = designState();
    std::tie(s.xoverL1, s.xoverL2, s.xoverL3, s.xoverL4) = std::tuple(0.637f, 1.0f, 10.0f, 0.5f);
    std::tie(s.xoverRl, s.xoverRm, s.xoverRh) = std::tuple(8.0f, 6.0f, 4.0f);
    s.coilSource = coilSource;
}
} // namespace

class TestFrmCoil : public WindowTest {
    Q_OBJECT
private slots:
    void controlsAndEnterCycle();
    void calculate_data();
    void calculate();
    void coilSizesInMillimetresInMetric();
    void lDesignTakesOverTheCrossoverCoils_data();
    void lDesignTakesOverTheCrossoverCoils();
    void editedRowsSurviveReactivationAndTheMainWindow();
    void printShowsTheTableAndDrawingOnly_data();
    void printShowsTheTableAndDrawingOnly();

private:
    // A row's six fields joined by "|"; empty when all are.
    QString row(int row, int from = 0) const
    {
        const QString joined = w.texts(rowNames(row).mid(from)).join('|');
        return joined.count('|') == joined.size() ? QString() : joined;
    }

    WindowProbe<frmCoil> w;
};

void TestFrmCoil::controlsAndEnterCycle()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString(" "));
    const QStringList captions = w.captions();
    for (const char* caption :
        { "Inductor Design", "Coil", "Resistance", "mH", "D", "H", "Number", "Turns", "Gauge", "L1", "L6" })
        QVERIFY2(captions.contains(caption), caption);
    QCOMPARE(
        w.window()->findChild<QLabel*>("Label19")->text(), QString("      If you wish to change resistance or mH"));
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

void TestFrmCoil::calculate_data()
{
    QTest::addColumn<QStringList>("typed"); // ohms and mH of rows 1 to 6
    QTest::addColumn<QStringList>("shown"); // D|H|N|G of rows 1 to 6
    QTest::addColumn<bool>("message"); // the row-1 message
    QTest::addColumn<float>("height"); // of the coil computed last
    QTest::addColumn<int>("gauge");

    const QStringList coil16 { "1.34|.669|152.4| 16" };
    QTest::newRow("rows 1, 4 and 6, the empty rows between skipped")
        << QStringList { ".4", "1", "", "", "", "", ".5", "10", "", "", ".1", "10" }
        << QStringList { coil16[0], "", "", "3.78|1.892|286.5| 10", "", "8.46|4.23|191.6| ****" } << false << 4.23f
        << 0;
    // Row 3 of 1e30 ohms and 1e-40 mH is refused silently like an incomplete row.
    const QStringList rows23 { ".4", "1", "1e30", "1e-40", "", "", "", "" };
    const QStringList shown23 = coil16 + QStringList(5);
    QTest::newRow("row 1 empty") << QStringList { "", "" } + rows23 << QStringList { "" } + shown23 << true << .669f
                                 << 16;
    QTest::newRow("row 1 without inductance")
        << QStringList { ".4", "0" } + rows23 << QStringList { "" } + shown23 << true << .669f << 16;
    QTest::newRow("row 1 of 1e-40 ohms: no finite coil")
        << QStringList { "1e-40", "1" } + rows23 << QStringList { "" } + shown23 << true << .669f << 16;
    QTest::newRow("row 1 of 1e30 mH and 1e-40 ohms")
        << QStringList { "1e-40", "1e30" } + rows23 << QStringList { "" } + shown23 << true << .669f << 16;
}

void TestFrmCoil::calculate()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, shown);
    QFETCH(bool, message);
    QFETCH(float, height);
    QFETCH(int, gauge);
    w.open();
    for (int r = 1; r <= 6; ++r) {
        w.type(QString("szR%1").arg(r), typed.value(2 * r - 2));
        w.type(QString("szL%1").arg(r), typed.value(2 * r - 1));
    }
    w.click("btn_Cal");

    for (int r = 1; r <= 6; ++r)
        QCOMPARE(row(r, 2), shown.value(r - 1));
    QCOMPARE(messages().shown, message ? QVector<Message> { kRowOneMissing } : QVector<Message> {});
    QVERIFY(qAbs(designState().coilHeight - height) < 0.0005f);
    QCOMPARE(designState().coilWireGauge, std::int16_t(gauge));
    QCOMPARE(w.focused(), QString("szR1"));
}

// In Metric a coil's D and H are in mm, the same coils within their digits,
// and the drawing says MM; an inductance may be typed in uH.
void TestFrmCoil::coilSizesInMillimetresInMetric()
{
    setUnitSystem(UnitSystem::Metric);
    w.open();
    w.type({ "szR1", "szL1", "szR4", "szL4" }, { ".4", "1", ".5", "10" });
    w.typeAndEnter("szL1", "1000 uH");
    QCOMPARE(w.text("szL1"), QString("1"));
    w.click("btn_Cal");
    QCOMPARE(w.texts({ "szD1", "szH1", "szD4", "szH4" }), worked::texts("33.97|16.986|96.09|48.044"));
    const QString differs = metricDifferences(
        w.window(), { "szD1", "szH1", "szN1", "szD4", "szH4" }, worked::texts("1.34|.669|152.4|3.78|1.892"));
    QVERIFY2(differs.isEmpty(), qPrintable(differs));
    QCOMPARE(w.window()->findChild<PictureBox*>("Image1")->shownTexts().value("INCH"), QString("MM"));
    QVERIFY(qAbs(designState().coilHeight - 1.892f) < 0.0005f); // kept in inches
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
    const QStringList takenOver { kCoil16,
        ".2|1.|1.89|.946|128.1| 13", // 5 % of the tweeter's 4 ohms
        ".3|10.|4.88|2.442|252.1| ****", ".3|.5|1.09|.546|119.2| 17" };
    storeCrossover(CoilSource(coilSource));
    w.open();
    for (int r = 1; r <= 6; ++r) {
        w.type(QString("szR%1").arg(r), ".4");
        w.type(QString("szL%1").arg(r), "1");
        w.type(QString("szD%1").arg(r), "mine");
    }
    frmCoil::openForCrossover();

    for (int r = 1; r <= 6; ++r)
        QCOMPARE(row(r), r <= rows ? takenOver[r - 1] : QString(".4|1|mine|||"));
    QVERIFY(messages().shown.isEmpty());
}

void TestFrmCoil::editedRowsSurviveReactivationAndTheMainWindow()
{
    auto* main = new FrmTlv;
    main->show();
    // A 2 kHz 6 dB crossover for 8-ohm drivers, typed into its window.
    WindowProbe<frmXover> crossover;
    crossover.open();
    crossover.type("szFrq", "2000");
    crossover.type("szRl", "8");
    crossover.type("szRh", "8");
    crossover.click("LDesign");
    QTRY_VERIFY(existingWindow<frmCoil>() && QApplication::activeWindow() == existingWindow<frmCoil>());
    w.open();
    QCOMPARE(row(1) + "/" + row(2), kCoil16 + "/");
    w.type("szR1", ".2");
    w.type("szL2", "3");
    w.click("btn_Cal");
    const QString edited = row(1) + row(2);
    QCOMPARE(edited, QString(".2|.637|1.51|.755|114.5| 14|3||||")); // row 2 has no resistance

    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    w.open();
    QCOMPARE(row(1) + row(2), edited);

    QTest::mouseClick(main->findChild<QPushButton*>("btn_Coil"), Qt::LeftButton);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w.window()));
    QCOMPARE(designState().coilSource, CoilSource::TakeNothing);
    QCOMPARE(row(1) + row(2), edited);

    // "L Design" again takes the crossover's coil over again.
    crossover.click("LDesign");
    QTRY_COMPARE(w.text("szR1"), QString(".4"));

    w.click("btnExit");
    QCOMPARE(designState().coilSource, CoilSource::None);
    QTRY_VERIFY(!existingWindow<frmCoil>());
}

void TestFrmCoil::printShowsTheTableAndDrawingOnly_data()
{
    addPrintTargetRows();
    QTest::newRow("unknown printer") << "unknown";
}

void TestFrmCoil::printShowsTheTableAndDrawingOnly()
{
    QFETCH(QString, target);
    if (target == "PDF" && !havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    const PrintAnswer answer(target);
    storeCrossover(CoilSource::TakeL1L2);
    frmCoil::openForCrossover();
    w.open();
    // A text of this run in a field, to find its page among the printer's files.
    const QString token
        = QStringLiteral("#%1").arg(QDateTime::currentMSecsSinceEpoch() % 1000000, 6, 10, QLatin1Char('0'));
    w.type("szN6", token);
    w.click("btnPrint");

    QCOMPARE(answer.printers.requests, 1);
    QCOMPARE(w.focused(), QString("szR1"));
    for (const char* name : { "btnPrint", "btnExit", "btn_Cal", "Label19", "Line38" })
        QVERIFY2(w.window()->findChild<QWidget*>(name)->isVisible(), name);
    QCOMPARE(
        messages().prompts(), target == "unknown" ? QStringList { "Could Not Open Printing Device" } : QStringList {});
    if (target == "cancel" || target == "unknown") {
        QVERIFY(answer.wroteNoFile());
        return;
    }
    const QString text = answer.page("Inductor Design", token);
    QVERIFY2(!text.isEmpty(), "no single page was printed");
    // Texts come back as texts: the window was printed as drawing commands, not as a bitmap,
    // and the cross-section's labels as text, not as outlines.
    for (const QString& shown : QStringList { "Inductor Design", "Resistance", "Gauge", ".637", ".534", "136.1",
             "128.1", " 13", token, "INCH", "COIL CROSS SECTION" })
        QVERIFY2(text.contains(shown), qPrintable(shown + " not in: " + text));
    for (const char* letter : { "D", "H" }) // the column heading and the dimension in the drawing
        QVERIFY2(text.split(' ').count(letter) == 2, qPrintable(QString(letter) + " not twice in: " + text));
    for (const QString& hidden : QStringList { "Calculate", "Print", "Exit", "If you wish" })
        QVERIFY2(!text.contains(hidden), qPrintable(hidden));
}

QTEST_MAIN(TestFrmCoil)
#include "tst_frmCoil.moc"
