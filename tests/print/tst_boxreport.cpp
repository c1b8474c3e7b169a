// The box data report: which pages a design state gives, each page's texts
// where they stand, kept curves with their legend in the graph (and the page
// unchanged without them), the graph over the range the graph window shows,
// and real prints into PDF files and on the PDF printer (one job, two pages
// for a box and a bandpass design).
#include "analysis/analysis.h"
#include "analysis/describe.h"
#include "analysis/handover.h"
#include "core/designstate.h"
#include "core/units.h"
#include "platform/chart.h"
#include "print/analysispage.h"
#include "print/boxreport.h"
#include "print/printjob.h"
#include "support/analysisdesigns.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/windowtest.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <tuple>

Q_DECLARE_METATYPE(GraphRange)
Q_DECLARE_METATYPE(analysis::AnalysisInput)

namespace {
// A vented design of 2 cubic feet tuned to 30 Hz, a bandpass design beside it.
DesignState designs(int boxType, float isoFactor = 1.0f)
{
    DesignState s;
    s.boxType = BoxType(boxType);
    s.boxValid = 1;
    s.driverName = "Big Woofer";
    s.isoFactor = isoFactor;
    std::tie(s.qts, s.vas, s.fs, s.closedVb, s.closedFc, s.ventedFb)
        = std::tuple(0.4f, 3.0f, 25.0f, 2.0f, 45.5f, 30.0f);
    std::tie(s.boxHeight, s.boxWidth, s.boxDepth, s.radiatorVd, s.radiatorVpr) = std::tuple(20, 12.5f, 14, 1.5f, 3.25f);
    s.bandWooferName = "Sub Woofer";
    std::tie(s.bandIsoFactor, s.bandQts, s.bandVas, s.bandFs, s.bandRe) = std::tuple(0.5f, 0.35f, 4.0f, 22.0f, 6.2f);
    std::tie(s.bandFb, s.bandCoilL, s.bandSealedVb, s.bandVentedVb) = std::tuple(40.0f, 2.5f, 1.5f, 1.25f);
    std::tie(s.bandFl3, s.bandFh3, s.bandPa) = std::tuple(30, 80, 2);
    s.boxDesignedFor = boxDriverOf(s);
    return s;
}

// A text of page k at (x, y); data lines are 100 and plain (style 32).
// `measured`: a measurement changed Qts to 1.25 since the box was designed.
// `metric`: the page in the metric units.
void text(const char* tag, int k, const QString& text, double x, double y, double size = 100, int style = 32,
    float iso = 1.0f, bool measured = false, bool metric = false)
{
    QTest::newRow(tag) << k << iso << measured << text << QPointF(x, y) << size << style << metric;
}
// The same in Metric.
void metricText(const char* tag, int k, const QString& text, double x, double y, double size = 100)
{
    ::text(tag, k, text, x, y, size, 32, 1.0f, false, true);
}

QWidget* progressWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "FrmProgress")
            return w;
    return nullptr;
}
} // namespace

class TestBoxReport : public WindowTest {
    Q_OBJECT
private slots:
    void init()
    {
        WindowTest::init();
        m_printers.emplace();
    }
    void cleanup()
    {
        m_printers.reset();
        WindowTest::cleanup();
    }

    void pagesFollowTheHandedOverDesigns_data();
    void pagesFollowTheHandedOverDesigns();
    void textsStandWhereThePageSays_data();
    void textsStandWhereThePageSays();
    void zeroTuningLeavesThePortLengthsOut();
    void gaugeAdvancesWhileTheGraphIsComposed();
    void keptCurvesJoinTheGraphWithALegend();
    void graphShowsTheRangeChosen_data();
    void graphShowsTheRangeChosen();

    void reportIsPrintedAsOneJob_data();
    void reportIsPrintedAsOneJob();
    void failedOpenIsReportedForEveryPage();

    void analysisPageHoldsTheDesignItsFiguresAndCharts_data();
    void analysisPageHoldsTheDesignItsFiguresAndCharts();
    void analysisWithoutCurvesIsNotPrinted();

private:
    std::optional<PrinterRecorder> m_printers;
};

void TestBoxReport::pagesFollowTheHandedOverDesigns_data()
{
    QTest::addColumn<int>("boxType");
    QTest::addColumn<int>("boxValid");
    QTest::addColumn<int>("bandValid");
    QTest::addColumn<QVector<BoxType>>("pages");
    QTest::newRow("start-up") << -1 << 0 << 0 << QVector<BoxType> {};
    QTest::newRow("closed") << 0 << 1 << 0 << QVector<BoxType> { BoxType::Closed };
    QTest::newRow("stale box type") << 1 << 0 << 0 << QVector<BoxType> {};
    QTest::newRow("box type 5, as a file may hold it") << 5 << 1 << 0 << QVector<BoxType> {};
    QTest::newRow("radiator and bandpass") << 2 << 1 << 1 << QVector<BoxType> { BoxType::Radiator, BoxType::Bandpass };
    QTest::newRow("bandpass only") << 0 << 0 << 1 << QVector<BoxType> { BoxType::Bandpass };
}

void TestBoxReport::pagesFollowTheHandedOverDesigns()
{
    QFETCH(int, boxType);
    QFETCH(int, boxValid);
    QFETCH(int, bandValid);
    QFETCH(QVector<BoxType>, pages);
    DesignState s = designs(boxType);
    s.boxValid = static_cast<std::int16_t>(boxValid);
    s.bandValid = static_cast<std::int16_t>(bandValid);
    QCOMPARE(boxReportPages(s), pages);
}

void TestBoxReport::textsStandWhereThePageSays_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<float>("iso");
    QTest::addColumn<bool>("measured");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("metric");
    text("woofer name", 0, QStringLiteral("Big Woofer").leftJustified(30), 100, 1970, 60, 48);
    text("closed title", 0, "Closed Box Design", 400, 1900, 140, 48);
    text("closed isobaric", 0, "Closed Box Design (Isobaric)", 290, 1900, 140, 48, 0.5f);
    text("vas", 0, "Vas = 3. Cubic Feet", 300, 1725);
    text("volume", 0, "Box Internal Volume = 2. Cubic Feet", 300, 1575);
    text("system resonance", 0, "System Resonance = 45.5 Hz", 300, 1500);
    text("proportions", 0, "Height = 20. Width = 12.5 Depth = 14. Inches", 120, 1425);
    text("vented tuning", 1, "Tuned Frequency = 30. Hz", 300, 1500);
    text("port heading", 1, "Tuned Port (Inches)", 400, 1340, 120);
    text("port diameter", 1, "Port Diameter", 0, 1275, 70);
    text("half-inch port too short", 1, " N/A ", 265, 1200, 70);
    text("two-inch port", 1, "   3.24", 810, 1200, 70); // 1.463E7 * 1 / (900 * 2 * 1728) - 1.463
    text("radiator title", 2, "Passive Box Design", 400, 1900, 140, 48);
    text("speaker displacement", 2, "Speaker Volume Disp. = 1.5 Cubic Meters", 300, 1350);
    text("radiator displacement", 2, "Suggested Radiator Volume Disp. = 3.25 Cubic Meters", 50, 1275);
    text("bandpass isobaric", 3, "Bandpass Box Design (Isobaric)", 260, 1900, 140, 48);
    text("impedance", 3, "Impedance = 6.2", 300, 1575);
    text("coil", 3, "Optional Coil = 2.5 mH", 300, 1425);
    text("vented section", 3, "Vented Section Volume = 1.25 Cubic Feet", 300, 1050);
    text("level label", 1, "-10", 40, 348.335, 60);
    text("frequency label", 1, "1K", 1000, 60, 60);
    text("reference line", 1, QString(150, '-'), 115, 536, 60, 0);
    text("drawn for a measured driver", 1, "Designed for Qts .4, Vas 3, Fs 25; drawn for Qts 1.25, Vas 3, Fs 25", 120,
        1010, 80, 32, 1.0f, true);
    text("radiator drawn for a pair", 2, "Designed for Qts .4, Vas 3, Fs 25; drawn for Qts .4, Vas 3, Fs 25, isobaric",
        120, 1010, 80, 32, 0.5f, true);
    // In Metric: 3 and 2 cubic feet, 20 by 12.5 by 14 inches, a 2-inch port of 3.24 inches.
    metricText("vas in Metric", 0, "Vas = 84.951 Litres", 300, 1725);
    metricText("volume in Metric", 0, "Box Internal Volume = 56.63 Litres", 300, 1575);
    metricText("proportions in Metric", 0, "Height = 50.8 Width = 31.75 Depth = 35.56 cm", 120, 1425);
    metricText("Hz stay Hz", 0, "System Resonance = 45.5 Hz", 300, 1500);
    metricText("port heading in Metric", 1, "Tuned Port (Diameter mm, Length cm)", 400, 1340, 120);
    metricText("port diameter in mm", 1, "19.1", 415, 1275, 70);
    metricText("two-inch port in cm", 1, "   8.23", 810, 1200, 70);
    metricText("vented section in Metric", 3, "Vented Section Volume = 35.4 Litres", 300, 1050);
    metricText("displacement stays", 2, "Speaker Volume Disp. = 1.5 Cubic Meters", 300, 1350);
}

void TestBoxReport::textsStandWhereThePageSays()
{
    QFETCH(int, k);
    QFETCH(float, iso);
    QFETCH(bool, measured);
    QFETCH(QString, text);
    QFETCH(QPointF, pos);
    QFETCH(double, size);
    QFETCH(int, style);
    QFETCH(bool, metric);
    setUnitSystem(metric ? UnitSystem::Metric : UnitSystem::Imperial);
    DesignState s = designs(k == 3 ? 0 : k, iso);
    if (measured) {
        s.boxDesignedFor = BoxDriver { s.qts, s.vas, s.fs, 1.0f };
        s.qts = iso == 1.0f ? 1.25f : s.qts;
    }
    const Page page = composeBoxReportPage(s, BoxType(k));
    QCOMPARE(page.texts().join('|').contains("Designed for"), measured); // said only when the driver differs
    const PageText* t = page.findText(text);
    QVERIFY2(t, qPrintable(page.texts().join('|')));
    QVERIFY2(qAbs(t->pos.x() - pos.x()) < 1e-6 && qAbs(t->pos.y() - pos.y()) < 1e-6,
        qPrintable(QString("%1,%2").arg(t->pos.x()).arg(t->pos.y())));
    QCOMPARE(t->font.size, size);
    QCOMPARE(t->font.style, style);
    QCOMPARE(t->font.face, QString("Times New Roman"));
}

void TestBoxReport::zeroTuningLeavesThePortLengthsOut()
{
    DesignState s = designs(1);
    s.ventedFb = 0;
    const Page page = composeBoxReportPage(s, BoxType::Vented);
    QVERIFY(page.findText("Port Diameter"));
    QVERIFY(!page.findText("Port Length"));
    static const QRegularExpression notANumber(
        "\\b(nan|inf|Overflow|Undefined)\\b", QRegularExpression::CaseInsensitiveOption);
    for (const QString& text : page.texts())
        QVERIFY2(!text.contains(notANumber), qPrintable(text));
    QVERIFY(std::isnan(reportPortLength(2, 30, 0))); // a zero volume
}

void TestBoxReport::gaugeAdvancesWhileTheGraphIsComposed()
{
    QVector<int> gauge;
    composeBoxReportPage(designs(0), BoxType::Closed, [&gauge](int value) { gauge << value; });
    QCOMPARE(gauge, (QVector<int> { 20, 30, 40, 50, 60, 65, 70, 75, 80, 90 }));
}

void TestBoxReport::keptCurvesJoinTheGraphWithALegend()
{
    DesignState s = designs(1);
    s.bandValid = 1;
    KeptCurves kept;
    DesignState other = s;
    other.closedVb = 3;
    keepCurve(kept, curveToKeep(other));
    const Page plain = composeBoxReportPage(s, BoxType::Vented);
    QVERIFY(!plain.findLegend());

    kept[0].visible = false; // hidden: the page is the page without kept curves
    QCOMPARE(composeBoxReportPage(s, BoxType::Vented, {}, kept).items(), plain.items());

    kept[0].visible = true;
    for (BoxType k : { BoxType::Vented, BoxType::Bandpass }) {
        const Page page = composeBoxReportPage(s, k, {}, kept);
        const PageLegend* legend = page.findLegend();
        QVERIFY(legend);
        QStringList texts;
        for (const LegendEntry& entry : legend->entries)
            texts << entry.text;
        const QString box = QString::fromUtf8("Big Woofer, vented 2.00 ft\u00b3 (current)");
        const QString band = QString::fromUtf8("Sub Woofer, bandpass 1.50 + 1.25 ft\u00b3, isobaric (current)");
        const QString keptLabel = QString::fromUtf8("Big Woofer, vented 3.00 ft\u00b3 + bandpass");
        QCOMPARE(texts,
            (k == BoxType::Vented ? QStringList { box, band, keptLabel, "-3 dB" }
                                  : QStringList { band, keptLabel, "-3 dB" }));
        // Inside the printed graph's frame, in its upper right corner.
        QVERIFY(QRectF(120, 100, 1800, 800).contains(legend->area));
        // The kept vented box and bandpass, dashed in the first colour.
        int dashed = 0;
        for (const PageItem& item : page.items())
            if (const auto* line = std::get_if<PagePolyline>(&item))
                dashed += line->color == chart::comparedColor(0) && line->style == Qt::DashLine;
        QCOMPARE(dashed, 2);
    }
}

void TestBoxReport::graphShowsTheRangeChosen_data()
{
    QTest::addColumn<GraphRange>("range");
    QTest::addColumn<QString>("label"); // a frequency label
    QTest::addColumn<double>("x"); // where it stands; NaN: not printed
    QTest::addColumn<double>("dashesY"); // the -3 dB line's baseline; NaN: not printed
    const double none = std::nan("");
    // The full range as the page lays it out: labels from x = 100 of the page.
    QTest::newRow("full range, 10K") << GraphRange() << "10K" << 100 + 1800 * 3 / 4.0 << 536.0;
    // The box range over the printed plot, 120 to 1920; -3 dB where it always is.
    QTest::newRow("box range, 1K") << boxRange() << "1K" << 1920.0 << 536.0;
    QTest::newRow("box range, 100") << boxRange() << "100" << 1020.0 << 536.0;
    QTest::newRow("box range, no 10K") << boxRange() << "10K" << none << 536.0;
    QTest::newRow("-10 to 5 dB") << GraphRange { 10, 100000, -10, 5 } << "1K" << 120 + 1800 * 2 / 4.0
                                 << 100 + 800 * 7 / 15.0 - (553 + 1 / 3.0 - 536);
    QTest::newRow("0 to 10 dB: no -3 dB line") << GraphRange { 10, 100000, 0, 10 } << "1K" << 1020.0 << none;
}

void TestBoxReport::graphShowsTheRangeChosen()
{
    QFETCH(GraphRange, range);
    QFETCH(QString, label);
    QFETCH(double, x);
    QFETCH(double, dashesY);
    const Page page = composeBoxReportPage(designs(1), BoxType::Vented, {}, {}, range);
    const PageText* text = nullptr;
    const PageText* dashes = nullptr;
    for (const PageItem& item : page.items())
        if (const auto* t = std::get_if<PageText>(&item)) {
            if (t->text == label && t->pos.y() == 60)
                text = t;
            if (t->text.startsWith(QString(20, u'-')))
                dashes = t;
        }
    QCOMPARE(bool(text), !std::isnan(x));
    if (text) // the full range's labels start at their x, the others are centred on it
        QCOMPARE_LT(std::abs(text->pos.x() - x), 0.05);
    QCOMPARE(bool(dashes), !std::isnan(dashesY));
    if (dashes)
        QCOMPARE_LT(std::abs(dashes->pos.y() - dashesY), 0.05);
    // The page above the graph is the same whatever the range.
    const Page full = composeBoxReportPage(designs(1), BoxType::Vented);
    QVERIFY(page.findText("Tuned Frequency = 30. Hz"));
    QCOMPARE(page.texts().mid(0, 8), full.texts().mid(0, 8));

    // Printed, the report shows the range the graph window shows.
    shownGraphRange() = range;
    designState() = designs(1);
    QTemporaryDir dir;
    QCOMPARE(runBoxDataReport(PrintTarget::pdfFile(dir.filePath("range.pdf"))), 1);
    shownGraphRange() = {};
    const QStringList words = pdfText(dir.filePath("range.pdf")).split(QRegularExpression("\\s+"));
    QCOMPARE(words.contains(label), !std::isnan(x));
}

void TestBoxReport::reportIsPrintedAsOneJob_data()
{
    QTest::addColumn<bool>("onPrinter"); // else into a PDF file
    QTest::addColumn<int>("boxType");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("lines"); // in this order
    QTest::addColumn<QString>("kept"); // the label of a kept curve, on every page; empty: none kept
    QTest::addColumn<bool>("metric");
    QTest::newRow("closed isobaric and bandpass, PDF file")
        << false << 0 << 2
        << QStringList { "Big Woofer", "Closed Box Design (Isobaric)", "Qts = .4", "System Resonance = 45.5 Hz",
               "Height = 20. Width = 12.5 Depth = 14. Inches", "Frequency", "Sub Woofer",
               "Bandpass Box Design (Isobaric)", "Optional Coil = 2.5 mH", "Tuned Port (Inches)",
               "Vented Section Volume = 1.25 Cubic Feet" }
        << QString() << false;
    QTest::newRow("vented, PDF printer") << true << 1 << 1
                                         << QStringList { "Vented Box Design", "Tuned Frequency = 30. Hz",
                                                "Port Length", "N/A", "3.24" }
                                         << QString() << false;
    QTest::newRow("closed and bandpass with a kept curve, PDF file")
        << false << 0 << 2 << QStringList { "Closed Box Design (Isobaric)", "Bandpass Box Design (Isobaric)" }
        << "Kept 20 % larger" << false;
    // Every volume, size and port of the page in metric units.
    QTest::newRow("vented in Metric, PDF printer")
        << true << 1 << 1
        << QStringList { "Vented Box Design", "Vas = 84.951 Litres", "Box Internal Volume = 56.63 Litres",
               "Tuned Frequency = 30. Hz", "Height = 50.8 Width = 31.75 Depth = 35.56 cm",
               "Tuned Port (Diameter mm, Length cm)", "12.7", "203.2", "Port Length", "N/A", "8.23" }
        << QString() << true;
    QTest::newRow("closed and bandpass in Metric with a kept curve, PDF file")
        << false << 0 << 2
        << QStringList { "Box Internal Volume = 56.63 Litres", "Sealed Section Volume = 42.48 Litres",
               "Vented Section Volume = 35.4 Litres" }
        << "Sub Woofer, bandpass 42.48 + 35.40 L, isobaric" << true;
}

void TestBoxReport::reportIsPrintedAsOneJob()
{
    QFETCH(bool, onPrinter);
    QFETCH(int, boxType);
    QFETCH(int, pages);
    QFETCH(QStringList, lines);
    QFETCH(QString, kept);
    QFETCH(bool, metric);
    setUnitSystem(metric ? UnitSystem::Metric : UnitSystem::Imperial);
    if (onPrinter && !havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    QTemporaryDir dir;
    const QString token = uniqueToken("Woofer");
    DesignState& s = designState();
    s = designs(boxType, onPrinter ? 1.0f : 0.5f);
    s.bandValid = onPrinter ? 0 : 1;
    if (onPrinter) {
        s.driverName = token;
        m_printers->answerPrinter("PDF");
    } else {
        m_printers->answerPdfFile(dir.filePath("boxes.pdf"));
    }
    keptCurves().clear();
    if (!kept.isEmpty()) {
        DesignState larger = s;
        larger.closedVb *= 1.2f;
        keepCurve(keptCurves(), curveToKeep(larger));
        // The label as kept, in the units chosen: "Big Woofer, closed 67.96 L, isobaric".
        if (!metric)
            keptCurves()[0].label = kept;
    }
    printBoxDataReport(nullptr);
    QCOMPARE(messages().shown.size(), 0);
    QCOMPARE(s.boxType, BoxType(boxType));
    const QString file = onPrinter ? waitForPrintedPdf(token) : dir.filePath("boxes.pdf");
    QVERIFY2(!file.isEmpty(), "the PDF printer wrote no file within a minute");
    const QString text = pdfText(file);
    const int printed = pdfPageCount(file);
    QFile::remove(file);
    QCOMPARE(printed, pages);
    qsizetype at = 0;
    for (const QString& line : lines) {
        const qsizetype found = text.indexOf(line, at);
        QVERIFY2(found >= 0, qPrintable(line + " in order in\n" + text));
        at = found + line.size();
    }
    // The kept curve's line of the legend on every page (the current design's says so).
    const qsizetype keptLines
        = kept.isEmpty() ? 0 : text.count(QRegularExpression(QRegularExpression::escape(kept) + "(?! \\(current\\))"));
    QCOMPARE(keptLines, kept.isEmpty() ? 0 : pages);
    keptCurves().clear();
    QTRY_VERIFY(!progressWindow());
}

void TestBoxReport::failedOpenIsReportedForEveryPage()
{
    DesignState& s = designState();
    s = designs(1);
    s.bandValid = 1;
    QCOMPARE(runBoxDataReport(PrintTarget::printer("No Such Printer 4711")), 0);
    QCOMPARE(
        messages().prompts(), (QStringList { "Could Not Open Printing Device", "Could Not Open Printing Device" }));
    QTemporaryDir dir;
    QCOMPARE(runBoxDataReport(PrintTarget::pdfFile(dir.filePath("missing/report.pdf"))), 0);
    QCOMPARE(messages().shown.size(), 4);
}

void TestBoxReport::analysisPageHoldsTheDesignItsFiguresAndCharts_data()
{
    QTest::addColumn<analysis::AnalysisInput>("in");
    QTest::addColumn<bool>("onPrinter"); // else into a PDF file
    QTest::addColumn<QStringList>("charts"); // the captions of the charts' axes, in order
    const QStringList spl { "SPL, Max SPL (dB)", "Excursion (mm)" };
    const QStringList impedance { "Impedance (ohm)", "Impedance phase (deg)" };
    QTest::newRow("closed: its group delay")
        << analysed::closed() << false << spl + QStringList { "Group delay (ms)" } + impedance;
    QTest::newRow("vented, on the PDF printer")
        << analysed::vented() << true << spl + QStringList { "Port velocity (m/s)" } + impedance;
    QTest::newRow("radiator") << analysed::radiator() << false
                              << spl + QStringList { "Radiator excursion (mm)" } + impedance;
    analysis::AnalysisInput pair = analysed::bandpass();
    pair.drivers = { 2, true, analysis::Wiring::Series };
    pair.filter = { analysis::FilterKind::LinkwitzRiley, 4, 25 };
    pair.drive = { analysis::DriveUnit::Watts, 10, 2 };
    QTest::newRow("bandpass pairs, filtered, 10 W")
        << pair << false << spl + QStringList { "Port velocity (m/s)" } + impedance;
}

void TestBoxReport::analysisPageHoldsTheDesignItsFiguresAndCharts()
{
    QFETCH(analysis::AnalysisInput, in);
    QFETCH(bool, onPrinter);
    QFETCH(QStringList, charts);
    if (onPrinter && !havePdfPrinter())
        QSKIP("the printing system has no printer named PDF (scripts/printer.sh adds it)");
    QVector<int> gauge;
    composeAnalysisPage(in, [&gauge](int value) { gauge << value; });
    QCOMPARE(gauge, (QVector<int> { 20, 40, 60, 80, 100 }));

    QTemporaryDir dir;
    const QString token = uniqueToken("Analysed");
    if (onPrinter) {
        in.driverName = token;
        m_printers->answerPrinter("PDF");
    } else {
        m_printers->answerPdfFile(dir.filePath("analysis.pdf"));
    }
    printAnalysisPage(nullptr, in, {});
    QCOMPARE(messages().shown.size(), 0);
    QTRY_VERIFY(!progressWindow());
    const QString file = onPrinter ? waitForPrintedPdf(token) : dir.filePath("analysis.pdf");
    QVERIFY2(!file.isEmpty(), "the PDF printer wrote no file within a minute");
    QCOMPARE(pdfPageCount(file), 1);
    const QString text = pdfText(file).simplified();
    QFile::remove(file);
    QVERIFY2(text.contains(analysis::boxName(in.box) + " Analysis"), qPrintable(text));
    // Every row of the design and every figure, as the window and the files word them.
    const QVector<analysis::TextRow> rows = analysis::designRows(in) + analysis::figureRows(analysis::analyse(in));
    QVERIFY(rows.size() > 25);
    for (const analysis::TextRow& row : rows)
        QVERIFY2(text.contains((row.caption + ": " + row.value).simplified()),
            qPrintable(row.caption + ": " + row.value + "\n" + text));
    qsizetype at = 0;
    for (const QString& caption : charts) {
        const qsizetype found = text.indexOf(caption, at);
        QVERIFY2(found >= 0, qPrintable(caption + " in order in\n" + text));
        at = found + caption.size();
    }
}

void TestBoxReport::analysisWithoutCurvesIsNotPrinted()
{
    analysis::AnalysisInput in = analysed::vented();
    in.driver.re = 0;
    printAnalysisPage(nullptr, in, {});
    QCOMPARE(messages().prompts(), QStringList { "Nothing to Print: Missing Driver Data: Re" });
    QCOMPARE(m_printers->requests, 0); // said before any printer is chosen
    QTemporaryDir dir;
    QVERIFY(!runAnalysisPage(PrintTarget::pdfFile(dir.filePath("none.pdf")), in, nullptr, ReportProgress::Unseen));
    QVERIFY(QDir(dir.path()).isEmpty());
    // A folder that is not there: the page is not printed, and that is said.
    messages().clear();
    QVERIFY(!runAnalysisPage(
        PrintTarget::pdfFile(dir.filePath("missing/a.pdf")), analysed::vented(), nullptr, ReportProgress::Unseen));
    QCOMPARE(messages().prompts().size(), 1);
    QVERIFY(messages().prompts().first().startsWith("Could Not Open Printing Device"));
}

QTEST_MAIN(TestBoxReport)
#include "tst_boxreport.moc"
