// The response curves in chart units: the worked examples of the closed and
// vented boxes, the crossover levels with their clipping and dropping, the
// frequency grids, the bandpass anchors and limits, the titles, and designs
// with missing inputs that must yield no curve rather than NaN points. The
// ranges that zoom in: labels where their axis puts them, ranges kept sound
// through zooming and panning. Kept curves: what a drawing keeps, its label
// and numbers, the colours that stay apart (computed), and the file beside
// the system file, read back exactly or refused as damaged.
#include "graph/curves.h"
#include "graph/graphpage.h"
#include "graph/keptcurvefile.h"

#include "analysis/analysis.h"
#include "core/systemfile.h"
#include "core/systemrecord.h"
#include "support/analysisdesigns.h"
#include "support/recorders.h"

#include "design/closedbox.h"
#include "design/workedexamples.h"
#include "graph/colourdifference.h"
#include "graph/handedover.h"
#include "platform/chart.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <functional>

Q_DECLARE_METATYPE(DesignState)
Q_DECLARE_METATYPE(GraphRange)
Q_DECLARE_METATYPE(colour::Lab)
Q_DECLARE_METATYPE(colour::Matrix)

namespace {
using namespace handedover;

// The point of a curve at frequency f, if the curve has one.
std::optional<QPointF> pointAt(const Curve& curve, double f, const ChartScale& scale = {})
{
    for (const QPointF& p : curve.points)
        if (std::abs(p.x() - chartX(f, scale)) < 1e-6)
            return p;
    return std::nullopt;
}

bool allFinite(const ResponseCurves& c)
{
    auto finite = [](const QVector<QPointF>& pts) {
        return std::all_of(
            pts.begin(), pts.end(), [](QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); });
    };
    if (c.bandpass && !finite(c.bandpass->anchors))
        return false;
    if (c.box && !finite(c.box->points))
        return false;
    return std::all_of(c.crossovers.begin(), c.crossovers.end(), [&](const Curve& k) { return finite(k.points); });
}
} // namespace

class TestCurves : public QObject {
    Q_OBJECT
private slots:
    void chartUnits_data();
    void chartUnits();
    void readingInvertsChartUnits();
    void closedBoxLevels_data();
    void closedBoxLevels();
    void closedBoxCurveStartsAt20Hz();
    void ventedCoefficients();
    void ventedLevels_data();
    void ventedLevels();
    void crossoverLevels_data();
    void crossoverLevels();
    void secondOrderWooferIsClippedAndDropped();
    void crossoverGrid_data();
    void crossoverGrid();
    void crossoverCurvesFollowType_data();
    void crossoverCurvesFollowType();
    void bandpassAnchors();
    void bandpassWithReportScale();
    void bandpassLeftLimitFallsBackTo100();
    void titles_data();
    void titles();
    void missingInputsDrawNoCurve_data();
    void missingInputsDrawNoCurve();
    void frequencyLabelPositions_data();
    void frequencyLabelPositions();
    void rangesStaySound_data();
    void rangesStaySound();
    void deltaE2000MatchesItsReference_data();
    void deltaE2000MatchesItsReference();
    void comparedColoursStandApart_data();
    void comparedColoursStandApart();
    void keptCurveOfADrawing_data();
    void keptCurveOfADrawing();
    void keptCurvesTakeTheFirstFreeColourUpToEight();
    void keptCurvesFileReadsBackExactly();
    void damagedKeptCurvesFileIsRefused_data();
    void damagedKeptCurvesFileIsRefused();
    void keptAnalysisCurvesInTheFile_data();
    void keptAnalysisCurvesInTheFile();
    void keptAnalysisCurvesGoBesideTheSystemFile_data();
    void keptAnalysisCurvesGoBesideTheSystemFile();
};

void TestCurves::chartUnits_data()
{
    QTest::addColumn<double>("frequency");
    QTest::addColumn<double>("x");
    QTest::newRow("10 Hz") << 10.0 << 0.0;
    QTest::newRow("100 Hz") << 100.0 << 462.5;
    QTest::newRow("100 kHz") << 100000.0 << 1850.0;
}

void TestCurves::chartUnits()
{
    QFETCH(double, frequency);
    QFETCH(double, x);
    QCOMPARE_LT(std::abs(chartX(frequency) - x), 1e-9);
    QCOMPARE_LT(std::abs(chartY(-20)), 1e-9);
    QCOMPARE_LT(std::abs(chartY(0) - 533.33333), 1e-4);
    QCOMPARE_LT(std::abs(chartY(10) - 800), 1e-3);
}

void TestCurves::readingInvertsChartUnits()
{
    const auto reading = readingAt(kPlotOrigin + QPointF(chartX(1000), chartY(-3)));
    QVERIFY(reading);
    QCOMPARE_LT(std::abs(reading->frequency - 1000), 1e-6);
    QCOMPARE_LT(std::abs(reading->level + 3), 1e-6);
    QCOMPARE(readingText(*reading), QStringLiteral("1.00 kHz   -3.0 dB"));
    QVERIFY(!readingAt(QPointF(50, 500))); // on the level labels
    QVERIFY(!readingAt(QPointF(500, 950))); // above the plot
    // In the box range the middle of the plot is 100 Hz; -5 to 5 dB puts 0 dB there too.
    const GraphRange range { 10, 1000, -5, 5 };
    const auto zoomed = readingAt(kPlotArea.center(), range);
    QVERIFY(zoomed);
    QCOMPARE_LT(std::abs(zoomed->frequency - 100), 1e-6);
    QCOMPARE_LT(std::abs(zoomed->level), 1e-9);
    const PlotMap map = graphPlot(range);
    QCOMPARE_LT(std::abs(map.frequencyAt(map.xOf(31.6)) - 31.6), 1e-9);
    QCOMPARE_LT(std::abs(map.toWorld({ chartX(1000), chartY(5) }).y() - kPlotArea.bottom()), 1e-9);
}

void TestCurves::closedBoxLevels_data()
{
    QTest::addColumn<double>("frequency");
    QTest::addColumn<double>("level");
    QTest::newRow("20 Hz") << 20.0 << -16.03;
    QTest::newRow("50 Hz") << 50.0 << -3.01;
    QTest::newRow("100 Hz") << 100.0 << -0.26;
}

void TestCurves::closedBoxLevels()
{
    QFETCH(double, frequency);
    QFETCH(double, level);
    QCOMPARE_LT(std::abs(closedBoxLevel(frequency, 50, 0.7071f) - level), 0.005);
    const auto curve = closedBoxCurve(closedBox(50, 0.7071f));
    QVERIFY(curve);
    const auto point = pointAt(*curve, frequency);
    QVERIFY(point);
    QCOMPARE_LT(std::abs(point->y() - chartY(closedBoxLevel(frequency, 50, 0.7071f))), 1e-9);
}

void TestCurves::closedBoxCurveStartsAt20Hz()
{
    const auto curve = closedBoxCurve(closedBox(50, 0.7071f));
    QVERIFY(curve);
    QCOMPARE(curve->points.size(), 35); // the whole grid lies above -20 dB
    QCOMPARE_LT(std::abs(curve->points.first().y() - 105.94), 0.01);
    QCOMPARE_LT(std::abs(curve->points.first().x() - chartX(20)), 1e-9);
    QCOMPARE_LT(std::abs(curve->points.last().x() - chartX(1000)), 1e-9);
}

void TestCurves::ventedCoefficients()
{
    const auto k = ::ventedCoefficients(30, 30, 0.4f, 1.0);
    QVERIFY(k);
    QCOMPARE_LT(std::abs(k->a - 1), 1e-6);
    QCOMPARE_LT(std::abs(k->b - 2.642857), 1e-6);
    QCOMPARE_LT(std::abs(k->c - 3.357143), 1e-6);
    QCOMPARE_LT(std::abs(k->d - 2.642857), 1e-6);
}

void TestCurves::ventedLevels_data()
{
    QTest::addColumn<double>("frequency");
    QTest::addColumn<double>("level");
    QTest::newRow("20 Hz") << 20.0 << -14.28;
    QTest::newRow("30 Hz") << 30.0 << -2.65;
    QTest::newRow("50 Hz") << 50.0 << -0.15;
}

void TestCurves::ventedLevels()
{
    QFETCH(double, frequency);
    QFETCH(double, level);
    const auto curve = ventedBoxCurve(ventedBox());
    QVERIFY(curve);
    const auto point = pointAt(*curve, frequency);
    QVERIFY(point);
    QCOMPARE_LT(std::abs(levelAtY(point->y()) - level), 0.005);
}

void TestCurves::crossoverLevels_data()
{
    QTest::addColumn<double>("level");
    QTest::addColumn<double>("expected");
    QTest::newRow("1st order woofer 500 Hz") << firstOrderLowPassLevel(500, 1.27, 8) << -0.96;
    QTest::newRow("1st order woofer 1000 Hz") << firstOrderLowPassLevel(1000, 1.27, 8) << -3.00;
    QTest::newRow("1st order woofer 2000 Hz") << firstOrderLowPassLevel(2000, 1.27, 8) << -6.97;
    QTest::newRow("2nd order woofer 200 Hz clipped") << secondOrderLowPassLevel(200, 1.8, 17.6, 8) << 0.0;
    QTest::newRow("2nd order woofer 1000 Hz") << secondOrderLowPassLevel(1000, 1.8, 17.6, 8) << -5.17;
    QTest::newRow("2nd order woofer 3000 Hz") << secondOrderLowPassLevel(3000, 1.8, 17.6, 8) << -26.77;
    // A tweeter is the mirror image: its -3 dB point of 1.27 mH / 8 ohms lies at 1000 Hz for 19.9 uF.
    QTest::newRow("1st order tweeter 1000 Hz") << firstOrderHighPassLevel(1000, 1e6 / (6.283 * 1000 * 8), 8) << -3.01;
    // The first-order band pass is flat where its L and C cancel.
    QTest::newRow("1st order mid-range at resonance")
        << firstOrderBandPassLevel(1000, 1.0, 1e6 / (6.283 * 1000 * 6.283), 8) << 0.0;
    QTest::newRow("2nd order tweeter 2000 Hz") << secondOrderHighPassLevel(2000, 8, 0.8, 8) << -3.60;
    QTest::newRow("2nd order tweeter +0.33 dB clipped") << secondOrderHighPassLevel(20000, 8, 0.8, 8) << 0.0;
}

void TestCurves::crossoverLevels()
{
    QFETCH(double, level);
    QFETCH(double, expected);
    QCOMPARE_LT(std::abs(level - expected), 0.006);
}

void TestCurves::secondOrderWooferIsClippedAndDropped()
{
    const QVector<Curve> curves = crossoverCurves(secondOrderTwoWay());
    QCOMPARE(curves.size(), 2);
    const Curve& woofer = curves.first();
    QCOMPARE(woofer.kind, CurveKind::Woofer);
    QCOMPARE(woofer.colorIndex, 1);
    QCOMPARE(woofer.pattern, 2);
    const auto at200 = pointAt(woofer, 200);
    QVERIFY(at200);
    QCOMPARE_LT(std::abs(at200->y() - chartY(0)), 1e-9); // +0.28 dB shown as 0 dB
    const auto at1000 = pointAt(woofer, 1000);
    QVERIFY(at1000);
    QCOMPARE_LT(std::abs(levelAtY(at1000->y()) + 5.17), 0.006);
    QVERIFY(!pointAt(woofer, 3000)); // -26.77 dB is dropped, not clipped
    for (const QPointF& p : woofer.points)
        QCOMPARE_GE(levelAtY(p.y()), -20.0 - 1e-9);
}

void TestCurves::crossoverGrid_data()
{
    QTest::addColumn<double>("crossover");
    QTest::addColumn<bool>("startAtS");
    QTest::addColumn<float>("first");
    QTest::addColumn<float>("secondRunStart");
    QTest::addColumn<int>("count");
    QTest::newRow("100 Hz raised to 20") << 100.0 << true << 20.f << 1500.f << 20 + 18 + 2;
    QTest::newRow("3000 Hz") << 3000.0 << false << 375.f << 1500.f << 13 + 18 + 2;
    QTest::newRow("16 kHz first order starts at s") << 16000.0 << true << 2000.f << 2000.f << 17 + 2;
    QTest::newRow("16 kHz second order starts at 1500") << 16000.0 << false << 1500.f << 1500.f << 18 + 2;
    QTest::newRow("8 kHz: s = 1000 has no first run") << 8000.0 << true << 1000.f << 1000.f << 19 + 2;
}

void TestCurves::crossoverGrid()
{
    QFETCH(double, crossover);
    QFETCH(bool, startAtS);
    QFETCH(float, first);
    QFETCH(float, secondRunStart);
    QFETCH(int, count);
    const QVector<float> grid = crossoverFrequencies(crossover, startAtS);
    QCOMPARE(grid.first(), first);
    QVERIFY(grid.contains(secondRunStart));
    QCOMPARE(grid.size(), count);
    QCOMPARE_LE(grid.size(), kMaxCurvePoints);
    QCOMPARE(grid.last(), 20000.f);
    QVERIFY(std::is_sorted(grid.begin(), grid.end()));
}

void TestCurves::crossoverCurvesFollowType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVector<int>>("colors");
    QTest::newRow("none") << 0 << QVector<int> {};
    QTest::newRow("2-way 6 dB") << 1 << QVector<int> { 1, 4 };
    QTest::newRow("2-way 12 dB") << 2 << QVector<int> { 1, 4 };
    QTest::newRow("3-way 6 dB") << 3 << QVector<int> { 1, 9, 4 };
    QTest::newRow("3-way 12 dB") << 4 << QVector<int> { 1, 9, 4 };
    QTest::newRow("unknown") << 5 << QVector<int> {};
}

void TestCurves::crossoverCurvesFollowType()
{
    QFETCH(int, type);
    QFETCH(QVector<int>, colors);
    DesignState s = secondOrderTwoWay();
    s.xoverType = XoverType(type);
    s.xoverFreqLow = 400;
    s.xoverFreq = 4000;
    s.xoverC2 = 20;
    s.xoverL2 = 0.5f;
    s.xoverC3 = 30, s.xoverL3 = 0.4f, s.xoverC4 = 10, s.xoverL4 = 3;
    s.xoverRm = 8;
    QVector<int> shown;
    for (const Curve& c : crossoverCurves(s)) {
        shown << c.colorIndex;
        QVERIFY(!c.points.isEmpty());
    }
    QCOMPARE(shown, colors);
}

void TestCurves::bandpassAnchors()
{
    const DesignState s = bandpass();
    const auto band = bandpassCurve(s.bandPa, s.bandFl3, s.bandFb, s.bandFh3);
    QVERIFY(band);
    const QVector<QPointF> expected { { -1.81, -225.29 }, { 151.01, 255.38 }, { 282.04, 575.38 }, { 349.59, 666.38 },
        { 383.65, 666.38 }, { 417.72, 666.38 }, { 482.93, 575.38 }, { 610.96, 255.38 }, { 751.61, -225.29 } };
    QCOMPARE(band->anchors.size(), 9);
    for (int k = 0; k < 9; ++k) {
        QVERIFY2(std::abs(band->anchors[k].x() - expected[k].x()) < 0.006, qPrintable(QString::number(k)));
        QVERIFY2(std::abs(band->anchors[k].y() - expected[k].y()) < 0.006, qPrintable(QString::number(k)));
    }
    QCOMPARE_LT(std::abs(band->xLeft - 181.73), 0.006);
    QCOMPARE_LT(std::abs(band->xRight - 584.29), 0.006);
}

void TestCurves::bandpassWithReportScale()
{
    const DesignState s = bandpass();
    const auto band = bandpassCurve(s.bandPa, s.bandFl3, s.bandFb, s.bandFh3, reportChartScale());
    QVERIFY(band);
    QCOMPARE_LT(std::abs(band->anchors[4].x() - 393.28), 0.006);
    QCOMPARE_LT(std::abs(band->anchors[4].y() - 664.38), 0.006);
    QCOMPARE_LT(std::abs(band->xLeft - 196.82), 0.006);

    // The report's box curve: 1800 wide and 20 to the right.
    const auto curve = closedBoxCurve(closedBox(50, 0.7071f), reportChartScale());
    QVERIFY(curve);
    QCOMPARE_LT(std::abs(curve->points[6].x() - 334.54), 0.006); // 50 Hz
}

void TestCurves::bandpassLeftLimitFallsBackTo100()
{
    const auto band = bandpassCurve(0, 17, 25, 40);
    QVERIFY(band);
    QCOMPARE(band->xLeft, 100.0);
}

void TestCurves::titles_data()
{
    QTest::addColumn<int>("boxType");
    QTest::addColumn<bool>("boxValid");
    QTest::addColumn<bool>("bandValid");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x");
    QTest::newRow("closed") << 0 << true << false << "Closed Box Design" << 700.0;
    QTest::newRow("vented") << 1 << true << false << "Vented Box Design" << 700.0;
    QTest::newRow("passive") << 2 << true << false << "Passive Box Design" << 700.0;
    QTest::newRow("closed + band") << 0 << true << true << "Bandpass and Closed Box Design" << 500.0;
    QTest::newRow("vented + band") << 1 << true << true << "Bandpass and Vented Box Design" << 500.0;
    QTest::newRow("passive + band") << 2 << true << true << "Bandpass and Passive Box Design" << 500.0;
    QTest::newRow("other + band") << -1 << true << true << "Bandpass Box Design" << 700.0;
    QTest::newRow("other") << 7 << true << false << QString() << 0.0;
    QTest::newRow("band only, box not valid") << 1 << false << true << "Bandpass Box Design" << 700.0;
    QTest::newRow("nothing valid") << 1 << false << false << QString() << 0.0;
}

void TestCurves::titles()
{
    QFETCH(int, boxType);
    QFETCH(bool, boxValid);
    QFETCH(bool, bandValid);
    QFETCH(QString, text);
    QFETCH(double, x);
    const auto title = chartTitle(BoxType(boxType), boxValid, bandValid);
    QCOMPARE(bool(title), !text.isEmpty());
    if (title) {
        QCOMPARE(title->text, text);
        QCOMPARE(title->x, x);
    }
}

void TestCurves::missingInputsDrawNoCurve_data()
{
    QTest::addColumn<DesignState>("state");
    QTest::addColumn<bool>("box");
    QTest::addColumn<int>("crossovers");
    QTest::addColumn<bool>("band");

    QTest::newRow("closed, zero Fc") << closedBox(0, 0.7f) << false << 0 << false;
    QTest::newRow("closed, NaN Qtc") << closedBox(50, std::nanf("")) << false << 0 << false;
    DesignState s = ventedBox();
    s.fs = 0;
    QTest::newRow("vented, zero Fs") << s << false << 0 << false;
    s = ventedBox();
    s.closedVb = 0;
    QTest::newRow("vented, zero volume") << s << false << 0 << false;
    s = ventedBox();
    s.boxType = BoxType::Radiator;
    s.ventedFb = -30;
    QTest::newRow("passive, negative Fb") << s << false << 0 << false;
    s = ventedBox();
    s.vas = std::numeric_limits<float>::infinity();
    QTest::newRow("vented, infinite Vas") << s << false << 0 << false;
    s = secondOrderTwoWay();
    s.xoverRl = 0;
    QTest::newRow("woofer load zero") << s << false << 1 << false;
    s = secondOrderTwoWay();
    s.xoverC1 = 0;
    QTest::newRow("tweeter capacitor zero") << s << false << 1 << false;
    s = secondOrderTwoWay();
    s.xoverFreq = 0;
    QTest::newRow("crossover frequency zero") << s << false << 0 << false;
    s = bandpass();
    s.bandFl3 = 0;
    QTest::newRow("bandpass, zero low cut-off") << s << false << 0 << false;
    s = bandpass();
    s.bandPa = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("bandpass, NaN gain") << s << false << 0 << false;
    // Codes no window sets, as a file may hold them: no curve.
    s = ventedBox();
    s.boxType = BoxType(5);
    QTest::newRow("box type 5") << s << false << 0 << false;
    s = secondOrderTwoWay();
    s.xoverType = XoverType(5);
    QTest::newRow("crossover type 5") << s << false << 0 << false;
    // Huge values push levels off the chart; they never become NaN points.
    s = closedBox(1e-30f, 1e30f);
    QTest::newRow("closed, extreme values") << s << true << 0 << false;
}

void TestCurves::missingInputsDrawNoCurve()
{
    QFETCH(DesignState, state);
    QFETCH(bool, box);
    QFETCH(int, crossovers);
    QFETCH(bool, band);
    const ResponseCurves curves = computeCurves(state);
    QCOMPARE(bool(curves.box), box);
    QCOMPARE(curves.crossovers.size(), crossovers);
    QCOMPARE(bool(curves.bandpass), band);
    QVERIFY(allFinite(curves));
}

void TestCurves::frequencyLabelPositions_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<double>("x"); // NaN: not shown
    QTest::addColumn<GraphRange>("range");
    const double none = std::nan("");
    QTest::newRow("20") << "20" << 239.2 << GraphRange();
    QTest::newRow("1K") << "1K" << 1025.0 << GraphRange();
    QTest::newRow("10K") << "10K" << 1487.5 << GraphRange();
    // The box range: 10 Hz at the plot's left edge, 100 Hz in its middle.
    QTest::newRow("box range, 10") << "10" << 100.0 << boxRange();
    QTest::newRow("box range, 20") << "20" << 100 + 925 * std::log10(2) << boxRange();
    QTest::newRow("box range, 30") << "30" << 100 + 925 * std::log10(3) << boxRange();
    QTest::newRow("box range, 100") << "100" << 1025.0 << boxRange();
    QTest::newRow("box range, 1K") << "1K" << 1950.0 << boxRange();
    QTest::newRow("box range, no 5K") << "5K" << none << boxRange();
    QTest::newRow("crossover range, 1K") << "1K" << 100 + 1850 / std::log10(200) << crossoverRange();
    QTest::newRow("crossover range, 20K") << "20K" << 1950.0 << crossoverRange();
    QTest::newRow("crossover range, no 50") << "50" << none << crossoverRange();
    const GraphRange octave { 100, 200, kLowestLevel, kHighestDb };
    QTest::newRow("an octave, 150") << "150" << 100 + 1850 * std::log10(1.5) / std::log10(2) << octave;
    QTest::newRow("an octave, 1K") << "1K" << none << octave;
}

void TestCurves::frequencyLabelPositions()
{
    QFETCH(QString, label);
    QFETCH(double, x);
    QFETCH(GraphRange, range);
    Page page(kGraphWorld);
    if (range.isFull())
        drawGraphFrame(page);
    else
        drawRangeFrame(page, graphPlot(range), graphFrameLook());
    // The frequency label, not a level label of the same text.
    const PageText* text = nullptr;
    for (const PageItem& item : page.items())
        if (const auto* t = std::get_if<PageText>(&item); t && t->text == label && t->pos.y() == 60 && !text)
            text = t;
    QCOMPARE(bool(text), !std::isnan(x));
    if (!text)
        return;
    QCOMPARE_LT(std::abs(text->pos.x() - x), 0.05);
    QCOMPARE(text->pos.y(), 60.0);
    QCOMPARE(text->placement.anchor, Qt::AlignHCenter | Qt::AlignBaseline); // centred on its grid line
}

void TestCurves::rangesStaySound_data()
{
    QTest::addColumn<GraphRange>("range");
    QTest::addColumn<QString>("change"); // "", "zoom", "zoom level", "pan"
    QTest::addColumn<double>("about"); // Hz or dB zoomed about; decades panned
    QTest::addColumn<double>("by"); // zoom factor; dB panned
    QTest::addColumn<GraphRange>("expected");
    const GraphRange full;
    const double nan = std::nan("");
    QTest::newRow("the full range") << full << "" << 0.0 << 0.0 << full;
    QTest::newRow("reversed") << GraphRange { 1000, 10, 10, -20 } << "" << 0.0 << 0.0 << boxRange();
    QTest::newRow("narrower than an octave, about its middle") << GraphRange { 100, 150, -20,
        10 } << "" << 0.0 << 0.0 << GraphRange { std::sqrt(150 * 100 / 2.0), std::sqrt(150 * 100 * 2.0), -20, 10 };
    QTest::newRow("beyond the full range") << GraphRange { 1, 1e6, -40, 40 } << "" << 0.0 << 0.0 << full;
    QTest::newRow("an octave at the top")
        << GraphRange { 90000, 100000, -20, 10 } << "" << 0.0 << 0.0 << GraphRange { 50000, 100000, -20, 10 };
    QTest::newRow("levels closer than 3 dB")
        << GraphRange { 10, 100000, -3, -2 } << "" << 0.0 << 0.0 << GraphRange { 10, 100000, -4, -1 };
    QTest::newRow("not numbers") << GraphRange { nan, nan, nan, nan } << "" << 0.0 << 0.0 << full;
    QTest::newRow("zoomed in about 100 Hz")
        << full << "zoom" << 100.0 << 2.0 << GraphRange { 31.6228, 3162.28, -20, 10 };
    QTest::newRow("zoomed out past the full range") << boxRange() << "zoom" << 100.0 << 0.1 << full;
    QTest::newRow("the level zoomed about 0 dB")
        << full << "zoom level" << 0.0 << 2.0 << GraphRange { 10, 100000, -10, 5 };
    QTest::newRow("panned a decade up") << boxRange() << "pan" << 1.0 << 0.0 << GraphRange { 100, 10000, -20, 10 };
    QTest::newRow("panned past the top stops there")
        << boxRange() << "pan" << 9.0 << 0.0 << GraphRange { 1000, 100000, -20, 10 };
    QTest::newRow("panned down 5 dB past the bottom")
        << GraphRange { 10, 1000, -15, 0 } << "pan" << 0.0 << -10.0 << GraphRange { 10, 1000, -20, -5 };
}

void TestCurves::rangesStaySound()
{
    QFETCH(GraphRange, range);
    QFETCH(QString, change);
    QFETCH(double, about);
    QFETCH(double, by);
    QFETCH(GraphRange, expected);
    const GraphRange got = change == "zoom" ? zoomFrequency(range, about, by)
        : change == "zoom level"            ? zoomLevel(range, about, by)
        : change == "pan"                   ? pan(range, about, by)
                                            : soundRange(range);
    QCOMPARE_LT(std::abs(got.fromHz / expected.fromHz - 1), 1e-5);
    QCOMPARE_LT(std::abs(got.toHz / expected.toHz - 1), 1e-5);
    QCOMPARE_LT(std::abs(got.fromDb - expected.fromDb), 1e-9);
    QCOMPARE_LT(std::abs(got.toDb - expected.toDb), 1e-9);
    if (expected.isFull())
        QVERIFY(got.isFull());
    // The frequency zoomed about stays where it was on the plot.
    if (change == "zoom" && !got.isFull())
        QCOMPARE_LT(std::abs(graphPlot(got).xOf(about) - graphPlot(range).xOf(about)), 1e-6);
}

void TestCurves::deltaE2000MatchesItsReference_data()
{
    // Pairs of the published CIEDE2000 test data (Sharma, Wu and Dalal).
    QTest::addColumn<colour::Lab>("p");
    QTest::addColumn<colour::Lab>("q");
    QTest::addColumn<double>("difference");
    QTest::newRow("1") << colour::Lab { 50, 2.6772, -79.7751 } << colour::Lab { 50, 0, -82.7485 } << 2.0425;
    QTest::newRow("7") << colour::Lab { 50, 0, 0 } << colour::Lab { 50, -1, 2 } << 2.3669;
    QTest::newRow("17") << colour::Lab { 50, 2.5, 0 } << colour::Lab { 73, 25, -18 } << 27.1492;
    QTest::newRow("25") << colour::Lab { 60.2574, -34.0099, 36.2677 } << colour::Lab { 60.4626, -34.1751, 39.4387 }
                        << 1.2644;
}

void TestCurves::deltaE2000MatchesItsReference()
{
    QFETCH(colour::Lab, p);
    QFETCH(colour::Lab, q);
    QFETCH(double, difference);
    QCOMPARE_LT(std::abs(colour::deltaE2000(p, q) - difference), 5e-5);
    QCOMPARE_LT(std::abs(colour::deltaE2000(q, p) - difference), 5e-5);
    // sRGB red is L 53.24, a 80.09, b 67.20; the simulations keep greys grey.
    const colour::Lab red = colour::lab(QColor(255, 0, 0));
    QCOMPARE_LT(std::abs(red.l - 53.24) + std::abs(red.a - 80.09) + std::abs(red.b - 67.20), 0.05);
    for (const colour::Matrix& vision : { colour::kProtanopia, colour::kDeuteranopia })
        QCOMPARE_LT(colour::deltaE2000(QColor(128, 128, 128), QColor(128, 128, 128), vision)
                + colour::deltaE2000(colour::lab(QColor(128, 128, 128), vision), colour::lab(QColor(128, 128, 128))),
            0.5);
}

void TestCurves::comparedColoursStandApart_data()
{
    QTest::addColumn<colour::Matrix>("vision");
    QTest::addColumn<double>("least"); // CIEDE2000
    QTest::newRow("normal vision") << colour::kNormal << 20.0;
    QTest::newRow("protanopia") << colour::kProtanopia << 10.0;
    QTest::newRow("deuteranopia") << colour::kDeuteranopia << 10.0;
}

void TestCurves::comparedColoursStandApart()
{
    QFETCH(colour::Matrix, vision);
    QFETCH(double, least);
    // The current design: box black, bandpass, woofer, mid-range, tweeter.
    QList<QColor> current;
    for (int index : { 0, kBandpassColor, 1, 9, 4 })
        current << chart::color(index);
    for (int i = 0; i < chart::kComparedColors; ++i) {
        const QColor kept = chart::comparedColor(i);
        for (int j = i + 1; j < chart::kComparedColors; ++j)
            QVERIFY2(colour::deltaE2000(kept, chart::comparedColor(j), vision) >= least,
                qPrintable(QStringLiteral("slots %1 and %2").arg(i).arg(j)));
        for (const QColor& drawn : current)
            QVERIFY2(colour::deltaE2000(kept, drawn, vision) >= least,
                qPrintable(QStringLiteral("slot %1 and %2").arg(i).arg(drawn.name())));
        // Thin lines of it stand out on white.
        QVERIFY2(colour::deltaE2000(kept, Qt::white, vision) >= 1.5 * least, qPrintable(kept.name()));
    }
    // Slots of one dash pattern differ in lightness, so a grey print tells them apart too.
    for (int i = 0; i < chart::kComparedColors; ++i)
        for (int j = i + 1; j < chart::kComparedColors; ++j)
            if (chart::comparedStyle(i) == chart::comparedStyle(j))
                QCOMPARE_GE(
                    std::abs(colour::lab(chart::comparedColor(i)).l - colour::lab(chart::comparedColor(j)).l), 10.0);
}

void TestCurves::keptCurveOfADrawing_data()
{
    QTest::addColumn<DesignState>("state");
    QTest::addColumn<QString>("label"); // empty: nothing to keep
    QTest::addColumn<bool>("box");
    QTest::addColumn<bool>("band");
    QTest::addColumn<QStringList>("numbers"); // the panel's volume, tuning, Qtc and F3

    DesignState s = closedBox(50, 0.7071f);
    s.driverName = "Test woofer";
    s.closedVb = 1.5f;
    QTest::newRow("closed") << s << QString::fromUtf8("Test woofer, closed 1.50 ft\u00b3") << true << false
                            << QStringList { "1.5", "50.", ".707", "50." };
    // The worked example: its volume, system resonance and cut-off as the window shows them.
    const worked::Closed& closed = worked::kClosed[0];
    s = closedBox(60.57f, worked::kClosedForQtc[0].qtc);
    s.closedVb = closed.shown[0].toFloat();
    QTest::newRow("closed worked example") << s << QString::fromUtf8("closed 0.65 ft\u00b3") << true << false
                                           << QStringList { closed.shown[0], closed.shown[2], ".707", closed.shown[3] };
    s = ventedBox();
    s.isoFactor = 0.5f;
    QTest::newRow("vented, no name, isobaric") << s << QString::fromUtf8("vented 2.00 ft\u00b3, isobaric") << true
                                               << false << QStringList { "2.", "30.", "", "" };
    // The vented window's own design: its cut-off as it showed it.
    const worked::Vented& vented = worked::kVented[0];
    s = ventedBox();
    std::tie(s.closedVb, s.ventedFb, s.ventedF3, s.ventedValid) = std::tuple(vented.vb, 28.74f, 28.13f, 1);
    QTest::newRow("vented worked example") << s << QString::fromUtf8("vented 2.16 ft\u00b3") << true << false
                                           << QStringList { vented.shown[0], vented.shown[2], "", vented.shown[3] };
    s = ventedBox();
    s.boxType = BoxType::Radiator;
    s.driverName = "  Radiator  ";
    // Qts .4: F3 = 1.19 Fs.
    QTest::newRow("passive radiator") << s << QString::fromUtf8("Radiator, passive radiator 2.00 ft\u00b3") << true
                                      << false << QStringList { "2.", "30.", "", "35.7" };
    DesignState band = bandpass();
    band.bandWooferName = "Band woofer";
    band.bandSealedVb = 0.8f;
    band.bandVentedVb = 1.2f;
    QTest::newRow("bandpass alone") << band << QString::fromUtf8("Band woofer, bandpass 0.80 + 1.20 ft\u00b3") << false
                                    << true << QStringList { ".8 + 1.2", "39.06", "", "25. - 61.03" };
    s = band;
    s.boxValid = 1;
    s.boxType = BoxType::Vented;
    s.fs = 30, s.qts = 0.4f, s.vas = 2, s.closedVb = 2, s.isoFactor = 1, s.ventedFb = 30;
    s.driverName = "Test woofer";
    QTest::newRow("vented and bandpass") << s << QString::fromUtf8("Test woofer, vented 2.00 ft\u00b3 + bandpass")
                                         << true << true << QStringList { "2.", "30.", "", "" };
    s.driverName = "A driver name thirty long xxxx";
    s.isoFactor = 0.5f;
    QTest::newRow("the longest name, isobaric, with bandpass")
        << s << QString::fromUtf8("A driver name thirty long xxxx, vented 2.00 ft\u00b3, isobaric + bandpass") << true
        << true << QStringList { "2.", "30.", "", "" };
    // Drawn for another driver than it was designed for, the label says which.
    s = ventedBox();
    s.boxDesignedFor = BoxDriver { 0.38f, 2, 30, 1 };
    QTest::newRow("vented, drawn for a measured Qts")
        << s << QString::fromUtf8("vented 2.00 ft\u00b3, drawn for Qts .4, Vas 2, Fs 30") << true << false
        << QStringList { "2.", "30.", "", "" };
    s.boxDesignedFor = boxDriverOf(s);
    QTest::newRow("vented, drawn for its own driver")
        << s << QString::fromUtf8("vented 2.00 ft\u00b3") << true << false << QStringList { "2.", "30.", "", "" };
    s.isoFactor = 0.5f;
    QTest::newRow("vented, drawn for a pair")
        << s << QString::fromUtf8("vented 2.00 ft\u00b3, drawn for Qts .4, Vas 2, Fs 30, isobaric") << true << false
        << QStringList { "2.", "30.", "", "" };
    s = closedBox(50, 0.7071f);
    s.closedVb = 1.5f;
    s.qts = 0.4f;
    s.boxDesignedFor = BoxDriver { 0.35f, 2, 30, 1 };
    // Its curve follows from its resonance and Q alone.
    QTest::newRow("closed, driver changed since") << s << QString::fromUtf8("closed 1.50 ft\u00b3") << true << false
                                                  << QStringList { "1.5", "50.", ".707", "50." };
    s = closedBox(50, 0.7071f);
    s.boxValid = 0;
    QTest::newRow("box not valid") << s << QString() << false << false << QStringList();
    QTest::newRow("a box that draws no curve") << closedBox(0, 0.7071f) << QString() << false << false << QStringList();
}

void TestCurves::keptCurveOfADrawing()
{
    QFETCH(DesignState, state);
    QFETCH(QString, label);
    QFETCH(bool, box);
    QFETCH(bool, band);
    QFETCH(QStringList, numbers);
    const auto kept = curveToKeep(state);
    QCOMPARE(bool(kept), !label.isEmpty());
    if (!kept)
        return;
    QCOMPARE(kept->label, label);
    QCOMPARE(bool(kept->box), box);
    QCOMPARE(bool(kept->bandpass), band);
    // The graph says so in one line whenever the label does.
    QCOMPARE(computeCurves(state).driverNote.has_value(), label.contains("drawn for"));
    // The kept design draws the very curves of the drawing, at any scale.
    for (const ChartScale& scale : { ChartScale {}, reportChartScale() }) {
        const ResponseCurves drawn = computeCurves(state, scale);
        if (box)
            QCOMPARE(boxCurve(*kept->box, scale)->points, drawn.box->points);
        if (band)
            QCOMPARE(bandpassCurve(*kept->bandpass, scale)->anchors, drawn.bandpass->anchors);
    }
    // The numbers the panel shows beside it, and the driver's.
    QStringList shown;
    for (KeptColumn column : { KeptColumn::Volume, KeptColumn::Tuning, KeptColumn::Qtc, KeptColumn::F3 })
        shown << keptCell(*kept, column).text;
    QCOMPARE(shown, numbers);
    const QString driver = box ? state.driverName.trimmed() : state.bandWooferName.trimmed();
    QCOMPARE(keptCell(*kept, KeptColumn::Driver).text, driver);
    QCOMPARE(keptCell(*kept, KeptColumn::Qts).text, box && state.qts > 0 ? QStringLiteral(".4") : QString());
    // Named after its file, when it comes from one.
    QCOMPARE(curveToKeep(state, "/designs/sub one.TLV")->label, keptLabel("sub one: " + label));
}

void TestCurves::keptCurvesTakeTheFirstFreeColourUpToEight()
{
    KeptCurves kept;
    QCOMPARE(keepCurve(kept, std::nullopt), KeepResult::NothingToKeep);
    const auto curve = curveToKeep(ventedBox());
    for (int i = 0; i < kMaxKeptCurves; ++i)
        QCOMPARE(keepCurve(kept, curve), KeepResult::Kept);
    QCOMPARE(keepCurve(kept, curve), KeepResult::Full);
    QCOMPARE(kept.size(), kMaxKeptCurves);
    kept.removeAt(2);
    kept.removeAt(4); // the one of colour 5
    QCOMPARE(keepCurve(kept, curve), KeepResult::Kept);
    QCOMPARE(kept.last().colorSlot, 2);
    QCOMPARE(keepCurve(kept, curve), KeepResult::Kept);
    QCOMPARE(kept.last().colorSlot, 5);
    QVERIFY(anyShown(kept));
    for (KeptCurve& k : kept)
        k.visible = false;
    QVERIFY(!anyShown(kept));
}

namespace {
// A closed box with an awkward Single Qtc, and a bandpass design kept with a vented box.
KeptCurves sampleKept()
{
    KeptCurves kept;
    keepCurve(kept, curveToKeep(closedBox(50, 0.7071f)));
    DesignState s = bandpass();
    s.boxValid = 1;
    s.boxType = BoxType::Vented;
    s.fs = 30, s.qts = 0.4f, s.vas = 2, s.closedVb = 2.16f, s.isoFactor = 0.5f, s.ventedFb = 28.74f;
    s.ventedValid = 1, s.ventedF3 = 28.13f, s.driverName = "Sample woofer";
    s.bandSealedVb = 1.2f, s.bandVentedVb = 0.8f, s.bandQts = 0.35f, s.bandVas = 3, s.bandFs = 25;
    keepCurve(kept, curveToKeep(s, "/designs/sample.TLV")); // from a file: with the bandpass's driver
    kept[1].label = QString::fromUtf8("Gr\u00f6\u00dfer, \"quoted\"");
    kept[1].visible = false;
    return kept;
}
} // namespace

void TestCurves::keptCurvesFileReadsBackExactly()
{
    const KeptCurves kept = sampleKept();
    const auto read = keptCurvesFromJson(keptCurvesJson(kept));
    QVERIFY(read);
    QCOMPARE(*read, kept);
    QCOMPARE(read->at(1).box->qts, double(0.4f));
    // With the numbers of its design.
    QCOMPARE(read->at(1).figures.driver, QStringLiteral("Sample woofer"));
    QCOMPARE(read->at(1).figures.f3, std::optional(double(28.13f)));
    QCOMPARE(read->at(1).figures.sealedVb, std::optional(double(1.2f)));
    QCOMPARE(read->at(1).figures.bandQts, std::optional(double(0.35f)));
    QCOMPARE(read->at(0).figures.f3, std::optional(double(design::closedBoxF3(50, 0.7071f))));
    // A label edited by hand is taken without its blanks, and cut.
    QJsonObject root = QJsonDocument::fromJson(keptCurvesJson(kept)).object();
    QJsonArray curves = root["curves"].toArray();
    QJsonObject first = curves[0].toObject();
    first["label"] = "  " + QString(100, u'x') + "  ";
    curves[0] = first;
    root["curves"] = curves;
    QCOMPARE(keptCurvesFromJson(QJsonDocument(root).toJson())->at(0).label, QString(kMaxKeptLabelLength, u'x'));
    // A cut-off no Single holds is read, and shown as not known.
    QJsonObject box = first["box"].toObject();
    box["f3"] = 1e300;
    first["box"] = box;
    curves[0] = first;
    root["curves"] = curves;
    QCOMPARE(keptCell(keptCurvesFromJson(QJsonDocument(root).toJson())->at(0), KeptColumn::F3).text, QString());
    QCOMPARE(keptLabel(" Two\nlines,\ttab\u0001bell  "), QStringLiteral("Two lines, tab bell"));
    QCOMPARE(keptCurvesFileFor("/a/woofer.TLV"), QStringLiteral("/a/woofer.TLV.compare.json"));
}

void TestCurves::damagedKeptCurvesFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("curves"); // -1: refused

    const QJsonObject good = QJsonDocument::fromJson(keptCurvesJson(sampleKept())).object();
    // The sample with one change to its first curve (or to the whole file).
    auto changed = [&](const std::function<void(QJsonObject & root, QJsonObject & first)>& change) {
        QJsonObject root = good;
        QJsonArray curves = root["curves"].toArray();
        QJsonObject first = curves[0].toObject();
        change(root, first);
        curves[0] = first;
        if (root.contains("curves"))
            root["curves"] = curves;
        return QJsonDocument(root).toJson();
    };
    QTest::newRow("the sample") << changed([](QJsonObject&, QJsonObject&) {}) << 2;
    // Files written before the numbers were kept, and fields a later version may add.
    QTest::newRow("without the numbers") << changed([](QJsonObject& r, QJsonObject& c) {
        c.remove("driver");
        QJsonObject box = c["box"].toObject();
        box.remove("f3");
        c["box"] = box;
        QJsonArray curves = r["curves"].toArray();
        QJsonObject second = curves[1].toObject();
        QJsonObject band = second["bandpass"].toObject();
        for (const char* key : { "sealedVb", "ventedVb", "qts", "vas", "fs" })
            band.remove(key);
        second["bandpass"] = band;
        curves[1] = second;
        r["curves"] = curves;
    }) << 2;
    QTest::newRow("a field not known") << changed([](QJsonObject&, QJsonObject& c) { c["analysis"] = 1; }) << 2;
    QTest::newRow("a cut-off as text") << changed([](QJsonObject&, QJsonObject& c) {
        QJsonObject box = c["box"].toObject();
        box["f3"] = "50";
        c["box"] = box;
    }) << -1;
    QTest::newRow("a driver that is a number") << changed([](QJsonObject&, QJsonObject& c) { c["driver"] = 7; }) << -1;
    QTest::newRow("no curves") << QByteArray(R"({"format": "tolvan-kept-curves", "version": 1, "curves": []})") << 0;
    QTest::newRow("not JSON") << QByteArray("{\"format\": ") << -1;
    QTest::newRow("a list, not an object") << QByteArray("[]") << -1;
    QTest::newRow("another format") << changed([](QJsonObject& r, QJsonObject&) { r["format"] = "drivers"; }) << -1;
    QTest::newRow("a later version") << changed([](QJsonObject& r, QJsonObject&) { r["version"] = 3; }) << -1;
    QTest::newRow("version 2, without analysis curves")
        << changed([](QJsonObject& r, QJsonObject&) { r["version"] = 2; }) << 2;
    QTest::newRow("no curves list") << changed([](QJsonObject& r, QJsonObject&) { r.remove("curves"); }) << -1;
    QTest::newRow("a colour twice") << changed([](QJsonObject&, QJsonObject& c) { c["color"] = 1; }) << -1;
    QTest::newRow("a colour beyond the palette") << changed([](QJsonObject&, QJsonObject& c) { c["color"] = 8; }) << -1;
    QTest::newRow("a colour not whole") << changed([](QJsonObject&, QJsonObject& c) { c["color"] = 0.5; }) << -1;
    QTest::newRow("a label that is a number") << changed([](QJsonObject&, QJsonObject& c) { c["label"] = 3; }) << -1;
    QTest::newRow("shown as text") << changed([](QJsonObject&, QJsonObject& c) { c["visible"] = "yes"; }) << -1;
    QTest::newRow("neither box nor bandpass") << changed([](QJsonObject&, QJsonObject& c) { c.remove("box"); }) << -1;
    QTest::newRow("a box that draws no curve") << changed([](QJsonObject&, QJsonObject& c) {
        QJsonObject box = c["box"].toObject();
        box["fc"] = 0;
        c["box"] = box;
    }) << -1;
    QTest::newRow("a number as text") << changed([](QJsonObject&, QJsonObject& c) {
        QJsonObject box = c["box"].toObject();
        box["qtc"] = "0.7";
        c["box"] = box;
    }) << -1;
    QTest::newRow("a box type beyond the three") << changed([](QJsonObject&, QJsonObject& c) {
        QJsonObject box = c["box"].toObject();
        box["type"] = 3;
        c["box"] = box;
    }) << -1;
    QJsonArray nine;
    for (int i = 0; i < 9; ++i) {
        QJsonObject curve = good["curves"].toArray()[0].toObject();
        curve["color"] = i;
        nine.append(curve);
    }
    QJsonObject tooMany = good;
    tooMany["curves"] = nine;
    QTest::newRow("nine curves") << QJsonDocument(tooMany).toJson() << -1;
}

void TestCurves::damagedKeptCurvesFileIsRefused()
{
    QFETCH(QByteArray, json);
    QFETCH(int, curves);
    const auto read = keptCurvesFromJson(json);
    QCOMPARE(read ? int(read->size()) : -1, curves);
}

namespace {
// Three analysis curves: a vented box's excursion, a hidden radiator box's
// maximum SPL and a filtered pair of bandpass boxes' SPL.
KeptAnalysisCurves sampleAnalysis()
{
    using Kind = analysis::CurveKind;
    KeptAnalysisCurves kept;
    keepAnalysisCurve(kept, analysisCurveToKeep(analysed::vented(), Kind::Excursion));
    keepAnalysisCurve(kept, analysisCurveToKeep(analysed::radiator(), Kind::MaxSpl));
    analysis::AnalysisInput pair = analysed::bandpass();
    pair.drivers = { 2, false, analysis::Wiring::Series };
    pair.filter = { analysis::FilterKind::Butterworth, 3, 20 };
    keepAnalysisCurve(kept, analysisCurveToKeep(pair, Kind::Spl));
    kept[1].visible = false;
    kept[2].label = QString::fromUtf8("Gr\u00f6\u00dfer");
    return kept;
}
} // namespace

void TestCurves::keptAnalysisCurvesInTheFile_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("curves"); // the graph's; -1: refused
    QTest::addColumn<int>("analysed");
    const QJsonObject good = QJsonDocument::fromJson(keptCurvesJson(sampleKept(), sampleAnalysis())).object();
    QCOMPARE(good["version"].toInt(), 2);
    QCOMPARE(QJsonDocument::fromJson(keptCurvesJson(sampleKept())).object()["version"].toInt(), 1);
    // The sample with one change to its first analysis curve (or to the whole file).
    auto changed = [&](const std::function<void(QJsonObject & root, QJsonObject & first)>& change) {
        QJsonObject root = good;
        QJsonArray curves = root["analysis"].toArray();
        QJsonObject first = curves[0].toObject();
        change(root, first);
        curves[0] = first;
        if (root.contains("analysis"))
            root["analysis"] = curves;
        return QJsonDocument(root).toJson();
    };
    QTest::newRow("the sample") << changed([](QJsonObject&, QJsonObject&) {}) << 2 << 3;
    QTest::newRow("version 1: passed over")
        << changed([](QJsonObject& r, QJsonObject&) { r["version"] = 1; }) << 2 << 0;
    QTest::newRow("no analysis list") << changed([](QJsonObject& r, QJsonObject&) { r.remove("analysis"); }) << 2 << 0;
    QTest::newRow("the graph's colours: their own slots")
        << QByteArray(keptCurvesJson(sampleKept(), sampleAnalysis())) << 2 << 3;
    QTest::newRow("a field not known") << changed([](QJsonObject&, QJsonObject& c) { c["note"] = "x"; }) << 2 << 3;
    QTest::newRow("a later version") << changed([](QJsonObject& r, QJsonObject&) { r["version"] = 3; }) << -1 << 0;
    QTest::newRow("a curve not known") << changed([](QJsonObject&, QJsonObject& c) { c["curve"] = "loudness"; }) << -1
                                       << 0;
    QTest::newRow("a curve the box has not") << changed([](QJsonObject&, QJsonObject& c) {
        QJsonObject design = c["design"].toObject();
        QJsonObject box = design["box"].toObject();
        box["type"] = "closed";
        design["box"] = box;
        c["design"] = design;
        c["curve"] = "velocity";
    }) << -1 << 0;
    QTest::newRow("a colour twice") << changed([](QJsonObject&, QJsonObject& c) { c["color"] = 1; }) << -1 << 0;
    QTest::newRow("a design not whole") << changed([](QJsonObject&, QJsonObject& c) { c.remove("design"); }) << -1 << 0;
    QTest::newRow("a design without its data") << changed([](QJsonObject&, QJsonObject& c) {
        QJsonObject design = c["design"].toObject();
        QJsonObject driver = design["driver"].toObject();
        driver["re"] = 0;
        design["driver"] = driver;
        c["design"] = design;
    }) << -1 << 0;
    QJsonObject notAList = good;
    notAList["analysis"] = 1;
    QTest::newRow("not a list") << QJsonDocument(notAList).toJson() << -1 << 0;
    QJsonArray nine;
    for (int i = 0; i < 9; ++i) {
        QJsonObject curve = good["analysis"].toArray()[0].toObject();
        curve["color"] = i;
        nine.append(curve);
    }
    QJsonObject tooMany = good;
    tooMany["analysis"] = nine;
    QTest::newRow("nine") << QJsonDocument(tooMany).toJson() << -1 << 0;
}

void TestCurves::keptAnalysisCurvesInTheFile()
{
    QFETCH(QByteArray, json);
    QFETCH(int, curves);
    QFETCH(int, analysed);
    const std::optional<KeptCurvesFile> read = keptCurvesFileFromJson(json);
    QCOMPARE(read ? int(read->curves.size()) : -1, curves);
    if (!read)
        return;
    QCOMPARE(read->analysis.size(), analysed);
    if (analysed == 3) // exactly as kept
        QCOMPARE(read->analysis, sampleAnalysis());
    QCOMPARE(read->curves, sampleKept());
}

void TestCurves::keptAnalysisCurvesGoBesideTheSystemFile_data()
{
    QTest::addColumn<int>("kept"); // the graph's kept curves when saving
    QTest::addColumn<bool>("analysed"); // the analysis curves of the sample kept
    QTest::addColumn<bool>("later"); // a later version's file beside it before the save
    QTest::addColumn<int>("version"); // of the file beside it after the save; 0: none
    QTest::newRow("the graph's alone: version 1, as before") << 2 << false << false << 1;
    QTest::newRow("with analysis curves: version 2") << 2 << true << false << 2;
    QTest::newRow("analysis curves alone") << 0 << true << false << 2;
    QTest::newRow("none") << 0 << false << false << 0;
    QTest::newRow("a later version's: never overwritten") << 2 << true << true << 3;
    QTest::newRow("a later version's, nothing kept: stays") << 0 << false << true << 3;
}

void TestCurves::keptAnalysisCurvesGoBesideTheSystemFile()
{
    QFETCH(int, kept);
    QFETCH(bool, analysed);
    QFETCH(bool, later);
    QFETCH(int, version);
    MessageRecorder messages;
    ScriptedFileChooser files;
    keepCurvesWithSystemFiles();
    QTemporaryDir dir;
    const QString system = dir.filePath("sub.TLV");
    const QString beside = keptCurvesFileFor(system);
    const QByteArray laterFile = R"({"format": "tolvan-kept-curves", "version": 3, "curves": [], "horns": []})";
    if (later) {
        QFile file(beside);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(laterFile) > 0);
    }
    keptCurves() = sampleKept().mid(0, kept);
    keptAnalysisCurves() = analysed ? sampleAnalysis() : KeptAnalysisCurves {};
    designState() = handedover::ventedBox();
    files.answerNext(system);
    // A later version's curves stay as they are, and the save says so by name.
    QCOMPARE(saveSystem(), !(later && (kept || analysed)));
    QCOMPARE(messages.shown.size(), int(later && (kept || analysed)));
    if (!messages.shown.isEmpty())
        QVERIFY2(messages.last().prompt.contains(beside) && messages.last().prompt.contains("later version"),
            qPrintable(messages.last().prompt));
    QFile file(beside);
    QCOMPARE(file.open(QIODevice::ReadOnly), version > 0);
    const QByteArray written = file.isOpen() ? file.readAll() : QByteArray();
    QCOMPARE(QJsonDocument::fromJson(written).object()["version"].toInt(), version);
    if (later)
        QCOMPARE(written, laterFile);

    messages.clear();
    keptCurves().clear();
    keptAnalysisCurves().clear();
    QVERIFY(loadSystemRecordFile(system));
    QCOMPARE(keptCurves(), later ? KeptCurves {} : sampleKept().mid(0, kept));
    QCOMPARE(keptAnalysisCurves(), analysed && !later ? sampleAnalysis() : KeptAnalysisCurves {});
    QVERIFY(!designChangedSinceKept());
    // A later version's file is refused by name when loaded.
    QCOMPARE(messages.shown.size(), int(later));
    if (later)
        QVERIFY2(messages.last().prompt.contains(beside) && messages.last().prompt.contains("version 3"),
            qPrintable(messages.last().prompt));
    installSystemFileCompanion(nullptr);
    keptCurves().clear();
    keptAnalysisCurves().clear();
}

QTEST_APPLESS_MAIN(TestCurves)
#include "tst_curves.moc"
