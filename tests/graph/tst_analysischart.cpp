// The analysis chart, as pixels of the rendered page and as its items: each
// curve where its axis puts it, with its limit line named; the maximum SPL
// in the style of what limits it; the impedance with its phase on an axis
// of its own; eight compared designs in the graph's palette; and the files
// the chart and the curves are saved as, chosen by their suffix.
#include "analysis/analysis.h"
#include "analysis/describe.h"
#include "graph/analysischart.h"
#include "graph/analysisoutput.h"
#include "graph/pixels.h"
#include "platform/chart.h"
#include "platform/pageoutput.h"
#include "support/analysisdesigns.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using analysis::AnalysisInput;
using Kind = analysis::CurveKind;

Q_DECLARE_METATYPE(analysis::AnalysisInput)
Q_DECLARE_METATYPE(analysis::CurveKind)
Q_DECLARE_METATYPE(std::optional<analysis::CurveKind>)

namespace {
const QSize kImage(2000, 1000); // a pixel per world unit

QPoint pixelAt(double x, double y) { return QPoint(int(x), int(kAnalysisWorld.height() - y)); }

QStringList legendTexts(const Page& page)
{
    QStringList texts;
    if (const PageLegend* legend = page.findLegend())
        for (const LegendEntry& entry : legend->entries)
            texts << entry.text;
    return texts;
}

// The polylines of a colour and style.
int linesOf(const Page& page, const QColor& color, Qt::PenStyle style)
{
    int n = 0;
    for (const PageItem& item : page.items())
        if (const auto* line = std::get_if<PagePolyline>(&item); line && line->color == color && line->style == style)
            ++n;
    return n;
}
} // namespace

class TestAnalysisChart : public QObject {
    Q_OBJECT
private slots:
    void curvesStandWhereTheirAxesSay_data();
    void curvesStandWhereTheirAxesSay();
    void maximumSplShowsWhatLimitsIt();
    void eightComparedDesignsStandApart();
    void valuesFarBeyondAnyDesignStillDraw();
    void outputsFollowTheSuffix_data();
    void outputsFollowTheSuffix();
};

void TestAnalysisChart::curvesStandWhereTheirAxesSay_data()
{
    QTest::addColumn<AnalysisInput>("input");
    QTest::addColumn<Kind>("curve");
    QTest::addColumn<std::optional<Kind>>("also");
    QTest::addColumn<QString>("caption"); // over the left axis
    QTest::addColumn<QString>("line"); // a limit line's name; empty: none
    QTest::addColumn<int>("entries"); // in the legend
    const std::optional<Kind> none;
    QTest::newRow("closed, SPL") << analysed::closed() << Kind::Spl << none << "SPL (dB)"
                                 << "" << 1;
    QTest::newRow("closed, SPL with max SPL")
        << analysed::closed() << Kind::Spl << std::optional(Kind::MaxSpl) << "SPL, Max SPL (dB)"
        << "" << 3; // by Xmax, by Pe
    QTest::newRow("vented, excursion") << analysed::vented() << Kind::Excursion << none << "Excursion (mm)"
                                       << "Xmax 6 mm" << 1;
    QTest::newRow("vented, port velocity") << analysed::vented() << Kind::PortVelocity << none << "Port velocity (m/s)"
                                           << "17 m/s" << 1;
    QTest::newRow("radiator, its excursion")
        << analysed::radiator() << Kind::RadiatorExcursion << none << "Radiator excursion (mm)"
        << "Xmax 12 mm" << 1;
    QTest::newRow("bandpass, impedance with phase")
        << analysed::bandpass() << Kind::Impedance << std::optional(Kind::ImpedancePhase) << "Impedance (ohm)"
        << "" << 2;
    QTest::newRow("vented, group delay") << analysed::vented() << Kind::GroupDelay << none << "Group delay (ms)"
                                         << "" << 1;
    QTest::newRow("vented, acoustic phase") << analysed::vented() << Kind::Phase << none << "Phase (deg)"
                                            << "" << 1;
    QTest::newRow("closed, current") << analysed::closed() << Kind::Current << none << "Current (A)"
                                     << "" << 1;
    QTest::newRow("closed, apparent power")
        << analysed::closed() << Kind::ApparentPower << none << "Apparent power (VA)"
        << "" << 1;
}

void TestAnalysisChart::curvesStandWhereTheirAxesSay()
{
    QFETCH(AnalysisInput, input);
    QFETCH(Kind, curve);
    QFETCH(std::optional<Kind>, also);
    QFETCH(QString, caption);
    QFETCH(QString, line);
    QFETCH(int, entries);
    const AnalysisChart chart = analysisChart(input, curve, {}, also);
    const Page page = composeAnalysisChart(chart);
    QVERIFY2(page.findText(caption), qPrintable(page.texts().join('|')));
    QVERIFY(page.findText("Frequency (Hz)") && page.findText("5") && page.findText("2K"));
    QVERIFY(page.findText(analysis::analysisLabel(input))); // the title
    QCOMPARE(bool(page.findText(line)), !line.isEmpty());
    if (also && curve == Kind::Impedance)
        QVERIFY(page.findText("Impedance phase (deg)")); // over its own axis at the right
    QCOMPARE(legendTexts(page).size(), entries);
    renderToImage(page, kImage).save("/tmp/chart-" + QString(QTest::currentDataTag()) + ".png");

    const QImage image = renderToImage(page, kImage);
    const AnalysisPlot plot = analysisPlot(chart, kAnalysisWorld);
    const analysis::AnalysisResult& r = chart.designs.first().result;
    const QVector<double>& values = r.curve(curve)->values;
    int inside = 0;
    for (int i = 0; i < r.frequencies.size(); i += 20) {
        const double y = plot.yOf(values[i]);
        if (y < plot.plot.y() + 2 || y > plot.plot.y() + plot.plot.height() - 2)
            continue;
        ++inside;
        QVERIFY2(near(image, pixelAt(plot.xOf(r.frequencies[i]), y), 2, dark),
            qPrintable(QString("%1 Hz").arg(r.frequencies[i])));
    }
    QVERIFY(inside >= 10);
    if (also && plot.right) { // the phase, blue, on its own axis
        const QVector<double>& phase = r.curve(*also)->values;
        QVERIFY(near(image, pixelAt(plot.xOf(r.frequencies[300]), plot.yOf(phase[300], true)), 2, bluish));
    }
}

void TestAnalysisChart::maximumSplShowsWhatLimitsIt()
{
    const AnalysisChart chart = analysisChart(analysed::vented(), Kind::MaxSpl);
    const Page page = composeAnalysisChart(chart);
    const QString label = analysis::analysisLabel(analysed::vented());
    // One design: the title names it, the legend its curve.
    QCOMPARE(legendTexts(page), (QStringList { "Max SPL, limited by Xmax", "Max SPL, limited by Pe" }));
    // Below the tuning the cone's Xmax limits it, solid; in the passband Pe, dashed.
    const analysis::AnalysisResult& r = chart.designs.first().result;
    QCOMPARE(r.maxSplLimits.first(), analysis::Limit::Excursion);
    QCOMPARE(r.maxSplLimits.last(), analysis::Limit::Thermal);
    QVERIFY(linesOf(page, Qt::black, Qt::SolidLine) >= 1);
    QVERIFY(linesOf(page, Qt::black, Qt::DashLine) >= 1);
    for (const PageItem& item : page.items())
        if (const auto* line = std::get_if<PagePolyline>(&item); line && line->color == Qt::black) {
            const double f = analysisPlot(chart, kAnalysisWorld).frequencyAt(line->points.first().x());
            const int i
                = int(std::lower_bound(r.frequencies.begin(), r.frequencies.end(), f * 0.999) - r.frequencies.begin());
            QCOMPARE(line->style == Qt::DashLine, r.maxSplLimits[i] == analysis::Limit::Thermal);
        }

    // A compared design marks the part Pe limits with a thinner line, and the legend says so.
    KeptAnalysisCurves kept;
    keepAnalysisCurve(kept, analysisCurveToKeep(analysed::closed(), Kind::MaxSpl));
    const Page compared = composeAnalysisChart(analysisChart(analysed::vented(), Kind::MaxSpl, kept));
    QCOMPARE(legendTexts(compared).last(), QStringLiteral("Thinner: limited by Pe"));
    QCOMPARE(legendTexts(compared).first(), label + " (current), limited by Xmax");
}

void TestAnalysisChart::eightComparedDesignsStandApart()
{
    KeptAnalysisCurves kept;
    for (int i = 0; i < kMaxKeptCurves; ++i) {
        AnalysisInput in = analysed::vented();
        std::get<analysis::VentedBoxSetup>(in.box).volume = 1 + 0.4 * i;
        QCOMPARE(keepAnalysisCurve(kept, analysisCurveToKeep(in, Kind::Excursion)), KeepResult::Kept);
    }
    QCOMPARE(keepAnalysisCurve(kept, analysisCurveToKeep(analysed::vented(), Kind::Excursion)), KeepResult::Full);
    // Only the chart of the curve kept draws them; hidden ones stay out.
    QCOMPARE(analysisChart(analysed::vented(), Kind::Spl, kept).designs.size(), 1);
    kept[3].visible = false;
    QCOMPARE(analysisChart(analysed::vented(), Kind::Excursion, kept).designs.size(), kMaxKeptCurves);
    kept[3].visible = true;
    const AnalysisChart chart = analysisChart(std::nullopt, Kind::Excursion, kept);
    const Page page = composeAnalysisChart(chart);
    QCOMPARE(legendTexts(page).size(), kMaxKeptCurves);
    QCOMPARE(legendTexts(page).first(), QString::fromUtf8("Test woofer, vented 1.00 ft\u00b3"));
    QVERIFY(page.findText("Xmax 6 mm"));
    const QImage image = renderToImage(page, QSize(800, 400));
    for (const KeptAnalysisCurve& k : kept) {
        const QColor colour = chart::comparedColor(k.colorSlot);
        QCOMPARE(linesOf(page, colour, chart::comparedStyle(k.colorSlot)), 1);
        int pixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                pixels += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                        + std::abs(c.blue() - colour.blue())
                    < 60;
            }
        QVERIFY2(pixels > 60, qPrintable(k.label));
    }
}

void TestAnalysisChart::valuesFarBeyondAnyDesignStillDraw()
{
    // Data a file may hold: an Xmax of 1e100 mm, a box of nearly no air.
    AnalysisInput in = analysed::vented();
    in.driver.xmax = 1e100;
    std::get<analysis::VentedBoxSetup>(in.box).volume = 1e-9;
    QVERIFY(analysis::analyse(in).valid());
    for (const analysis::CurveInfo& info : analysis::kCurveInfo) {
        const Page page = composeAnalysisChart(analysisChart(in, info.kind, {}, Kind::ImpedancePhase));
        int labels = 0;
        for (const PageItem& item : page.items()) {
            if (const auto* line = std::get_if<PagePolyline>(&item))
                for (const QPointF& p : line->points)
                    QVERIFY2(std::isfinite(p.x()) && std::isfinite(p.y()), info.name);
            if (const auto* text = std::get_if<PageText>(&item))
                labels += text->text.contains(QRegularExpression("^-?[0-9.e+]+$"));
        }
        QVERIFY2(labels < 60, info.name); // the axes' labels, a few dozen at most
    }
}

void TestAnalysisChart::outputsFollowTheSuffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("compared"); // a kept curve beside the current design
    QTest::addColumn<bool>("current");
    QTest::addColumn<QByteArray>("starts"); // the file's first bytes; empty: not written
    QTest::newRow("PNG") << "chart.png" << false << true << QByteArray("\x89PNG");
    QTest::newRow("SVG") << "chart.SVG" << true << true << QByteArray("<?xml");
    QTest::newRow("PDF") << "chart.pdf" << true << false << QByteArray("%PDF");
    QTest::newRow("CSV of the current design") << "curves.csv" << true << true << QByteArray("Frequency (Hz),SPL (dB)");
    QTest::newRow("FRD of the one design") << "spl.frd" << false << true << QByteArray("* Tolvan analysis: ");
    QTest::newRow("ZMA") << "z.zma" << false << true << QByteArray("* Tolvan analysis: ");
    QTest::newRow("FRD of compared designs alone") << "x.frd" << true << false << QByteArray();
    QTest::newRow("another suffix") << "chart.txt" << false << true << QByteArray();
}

void TestAnalysisChart::outputsFollowTheSuffix()
{
    QFETCH(QString, name);
    QFETCH(bool, compared);
    QFETCH(bool, current);
    QFETCH(QByteArray, starts);
    KeptAnalysisCurves kept;
    for (int i = 0; i < (compared ? 2 : 0); ++i)
        keepAnalysisCurve(kept, analysisCurveToKeep(analysed::closed(), Kind::Spl));
    const AnalysisChart chart
        = analysisChart(current ? std::optional(analysed::vented()) : std::nullopt, Kind::Spl, kept);
    QTemporaryDir dir;
    const QString file = dir.filePath(name);
    const std::optional<QString> problem = saveAnalysisOutput(file, chart);
    QCOMPARE(!problem, !starts.isEmpty());
    QFile written(file);
    QCOMPARE(written.open(QIODevice::ReadOnly), !starts.isEmpty());
    if (written.isOpen())
        QVERIFY(written.readAll().startsWith(starts));
}

QTEST_MAIN(TestAnalysisChart)
#include "tst_analysischart.moc"
