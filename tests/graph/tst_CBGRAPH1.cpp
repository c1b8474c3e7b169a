// The graph window: its layout, Draw Graph once per hand-over, the frame
// alone when nothing was handed over, curves where the chart units put them
// in the saved image, labels centred on their grid lines, the readout under
// the pointer and the context menu; kept curves with their legend and panel.
// Zooming: the range chooser, the wheel, a drag and the reset put each
// frequency where the axis says (pixels of the saved image); "Add from
// File..." keeps another file's design and leaves the design and its file
// alone; removed and cleared curves come back with Ctrl+Z.
#include "core/recordfile.h"
#include "core/systemrecord.h"
#include "design/closedbox.h"
#include "design/radiatorbox.h"
#include "design/systemload.h"
#include "design/ventedbox.h"
#include "graph/CBGRAPH1.h"
#include "graph/CBGRAPH1kept.h"
#include "graph/graphpage.h"
#include "graph/handedover.h"
#include "graph/keptcurvefile.h"
#include "graph/keptcurves.h"
#include "graph/pixels.h"
#include "platform/chart.h"
#include "platform/pageoutput.h"
#include "platform/pageview.h"
#include "support/windowtest.h"

#include <QComboBox>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>
#include <cmath>

Q_DECLARE_METATYPE(GraphRange)

namespace {
// A closed box and a first-order 2-way crossover, handed over.
void handOverClosedBoxAndCrossover()
{
    designState() = handedover::firstOrderTwoWay(handedover::closedBox(50, 0.7071f, designState()));
    designState().graphDrawn = 0;
}

int coloredLines(const Page& page)
{
    int n = 0;
    for (const PageItem& item : page.items())
        if (const auto* line = std::get_if<PagePolyline>(&item); line && line->color.saturation() > 0)
            ++n;
    return n;
}

// The device pixel of a chart point on an image of the whole graph page.
QPoint pixelOf(const QPointF& chart, const QSize& size)
{
    const QPointF world = kPlotOrigin + chart;
    return QPoint(int(world.x() / kGraphWorld.width() * size.width()),
        int((kGraphWorld.height() - world.y()) / kGraphWorld.height() * size.height()));
}

// The device pixel of a frequency and level on an image of the whole graph
// page showing `range`, placed as a logarithmic and a linear axis place them.
QPoint pixelIn(const GraphRange& range, double frequency, double level, const QSize& size)
{
    const double x = 100 + 1850 * std::log10(frequency / range.fromHz) / std::log10(range.toHz / range.fromHz);
    const double y = 100 + 800 * (level - range.fromDb) / (range.toDb - range.fromDb);
    return QPoint(int(x / kGraphWorld.width() * size.width()),
        int((kGraphWorld.height() - y) / kGraphWorld.height() * size.height()));
}

bool gridGrey(const QColor& c) { return c.red() == c.green() && c.green() == c.blue() && c.red() < 230; }

// A vented box of the worked example, handed over; the crossover goes.
void handOverVentedBox()
{
    DesignState& s = designState();
    s.boxType = BoxType::Vented;
    s.fs = 30, s.qts = 0.4f, s.vas = 2, s.closedVb = 2.16f, s.isoFactor = 1, s.ventedFb = 28.74f;
    s.xoverType = XoverType::None;
    s.graphDrawn = 0;
}

QStringList legendTexts(const Page& page)
{
    QStringList texts;
    if (const PageLegend* legend = page.findLegend())
        for (const LegendEntry& entry : legend->entries)
            texts << entry.text;
    return texts;
}

// The middle of the dark pixels in a world rectangle of an image of the whole graph page.
QPointF inkCentre(const QImage& image, const QRectF& world)
{
    double sx = 0, sy = 0;
    int n = 0;
    const double kx = image.width() / kGraphWorld.width(), ky = image.height() / kGraphWorld.height();
    for (int py = int((kGraphWorld.height() - world.bottom()) * ky);
         py < int((kGraphWorld.height() - world.top()) * ky); ++py)
        for (int px = int(world.left() * kx); px < int(world.right() * kx); ++px)
            if (dark(image.pixelColor(px, py))) {
                sx += px, sy += py;
                ++n;
            }
    if (n == 0)
        return {};
    return { (sx / n + 0.5) / kx, kGraphWorld.height() - (sy / n + 0.5) / ky };
}
} // namespace

class TestGraphWindow : public WindowTest {
    Q_OBJECT
private slots:
    void init()
    {
        WindowTest::init();
        keptCurves().clear();
        shownGraphRange() = {};
        m_window = openGraph();
    }
    void layoutFollowsTheDesign();
    void drawGraphTwiceDrawsOnce();
    void newHandOverDrawsAgain();
    void nothingHandedOverDrawsOnlyTheFrame();
    void savedImageHasTheCurvesWhereTheChartUnitsSay();
    void curvesStayInsideThePlot();
    void savesSvgAndPdf();
    void savingToAnUnwritablePlaceSaysSo();
    void cancelledSaveWritesNothing();
    void contextMenuOffersTheFormatsOnceDrawn();
    void pointerReadsFrequencyAndLevel();
    void exitKeepsGraphDrawn();
    void labelsSitCentredOnTheirGridLines_data();
    void labelsSitCentredOnTheirGridLines();
    void dashedLineEndsAtTheFrame();
    void buttonsKeepTheirCaptionsWhole();
    void analysisOpensAsTheProgramSays();
    void keptCurvesSurviveANewDesignAndDrawGraph();
    void noLegendWithoutShownKeptCurves();
    void keepSaysWhyItCannot_data();
    void keepSaysWhyItCannot();
    void keptCurvesPanelRenamesHidesAndRemoves();
    void rangeChooserPlacesFrequenciesWhereTheAxisSays_data();
    void rangeChooserPlacesFrequenciesWhereTheAxisSays();
    void wheelZoomsAboutThePointerAndADragMovesTheRange();
    void addFromFileKeepsTheFilesDesignAndLeavesTheCurrentOne_data();
    void addFromFileKeepsTheFilesDesignAndLeavesTheCurrentOne();
    void undoBringsBackWhatWasRemoved();
    void eightDesignsInTheBoxRangeStandApart();

private:
    CBGRAPH1* openGraph();
    void clickDraw();
    const Page& drawnPage();

    CBGRAPH1* m_window = nullptr;
    QTemporaryDir m_dir;
};

CBGRAPH1* TestGraphWindow::openGraph()
{
    CBGRAPH1* w = openWindow<CBGRAPH1>();
    [&] { QVERIFY(QTest::qWaitForWindowActive(w)); }();
    return w;
}

void TestGraphWindow::clickDraw() { QTest::mouseClick(m_window->findChild<QPushButton*>("btnDraw"), Qt::LeftButton); }

const Page& TestGraphWindow::drawnPage() { return m_window->findChild<PageView*>("Graph1")->page(); }

void TestGraphWindow::layoutFollowsTheDesign()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Frequency Graph"));
    auto* graph = m_window->findChild<PageView*>("Graph1");
    auto* draw = m_window->findChild<QPushButton*>("btnDraw");
    auto* exit = m_window->findChild<QPushButton*>("btnExit");
    QVERIFY(graph && draw && exit);
    QCOMPARE(draw->text(), QStringLiteral("Draw Graph"));
    QCOMPARE(exit->text(), QStringLiteral("Exit"));
    QCOMPARE(graph->geometry(), DesignWindow::twipsToPixels(0, 240, 9495, 5655));
    QCOMPARE(draw->geometry(), DesignWindow::twipsToPixels(5760, 6120, 1452, 492));
    QCOMPARE(exit->geometry(), DesignWindow::twipsToPixels(7680, 6120, 1212, 492));
    QCOMPARE(QApplication::focusWidget(), draw);
    QVERIFY(drawnPage().isEmpty());
}

void TestGraphWindow::drawGraphTwiceDrawsOnce()
{
    handOverClosedBoxAndCrossover();
    clickDraw();
    QCOMPARE(designState().graphDrawn, 1);
    QVERIFY(drawnPage().findText("Closed Box Design"));
    QCOMPARE(coloredLines(drawnPage()), 2);

    // A change without a hand-over is not drawn.
    designState().xoverType = XoverType::None;
    designState().boxType = BoxType::Vented;
    clickDraw();
    QVERIFY(drawnPage().findText("Closed Box Design"));
    QCOMPARE(coloredLines(drawnPage()), 2);
}

void TestGraphWindow::newHandOverDrawsAgain()
{
    handOverClosedBoxAndCrossover();
    clickDraw();
    designState().xoverType = XoverType::None;
    designState().bandValid = 1;
    designState().bandPa = 1.5517;
    designState().bandFl3 = 25;
    designState().bandFb = 39.06f;
    designState().bandFh3 = 61.03f;
    designState().graphDrawn = 0;
    openGraph();
    clickDraw();
    QVERIFY(!drawnPage().findText("Closed Box Design"));
    QVERIFY(drawnPage().findText("Bandpass and Closed Box Design"));
    QCOMPARE(coloredLines(drawnPage()), 1); // the bandpass curve; the crossover is gone
    QCOMPARE(designState().graphDrawn, 1);
}

void TestGraphWindow::nothingHandedOverDrawsOnlyTheFrame()
{
    clickDraw();
    QStringList expected { "-20", "-18", "-16", "-14", "-12", "-10", "-8", "-6", "-4", "-2", "0", "2", "4", "6", "8",
        "10", "20", "50", "100", "500", "1K", "5K", "10K", "Frequency", "dB", QString(141, u'-') };
    QCOMPARE(drawnPage().texts(), expected);
    QCOMPARE(coloredLines(drawnPage()), 0);
    const PageText* line = drawnPage().findText(QString(141, u'-'));
    QCOMPARE(line->pos, QPointF(100, 534));
    QCOMPARE(line->flag, 9);
    QCOMPARE(line->font.size, 120.0);
    // The level labels are centred on their grid lines: their points moved
    // up from 79 and 615 to the lines of -20 dB and 0 dB.
    QCOMPARE(drawnPage().findText("-20")->pos, QPointF(20, 100));
    QCOMPARE(drawnPage().findText("0")->pos, QPointF(40, 100 + chartY(0)));
    QCOMPARE(drawnPage().findText("Frequency")->pos, QPointF(700, 25));
    QCOMPARE(drawnPage().findText("dB")->pos, QPointF(40, 920));
    QVERIFY(messages().shown.isEmpty());
}

void TestGraphWindow::savedImageHasTheCurvesWhereTheChartUnitsSay()
{
    handOverClosedBoxAndCrossover();
    clickDraw();
    const QString file = m_dir.filePath("graph"); // the suffix is added
    files().answerNext(file);
    QVERIFY(m_window->saveGraph(CBGRAPH1::GraphFile::Png));
    QCOMPARE(files().requests.size(), 1);
    QCOMPARE(files().requests.first().filter, QStringLiteral("PNG Image (*.png)"));
    QVERIFY(files().requests.first().forSave);

    const QImage image(file + ".png");
    QVERIFY(!image.isNull());
    // Closed box at 20 Hz (-16.03 dB), woofer at 2 kHz (-6.97 dB), tweeter at 500 Hz.
    QVERIFY(near(image, pixelOf({ chartX(20), chartY(-16.03) }, image.size()), 2, dark));
    QVERIFY(near(image, pixelOf({ chartX(2000), chartY(-6.97) }, image.size()), 2, bluish));
    const double tweeter500 = firstOrderHighPassLevel(500, 19.9, 8);
    QVERIFY(near(image, pixelOf({ chartX(500), chartY(tweeter500) }, image.size()), 2, reddish));
    // No woofer where the woofer is not.
    QVERIFY(!near(image, pixelOf({ chartX(2000), chartY(-14) }, image.size()), 3, bluish));
}

void TestGraphWindow::curvesStayInsideThePlot()
{
    // A closed box of Q 4 peaks near +12 dB at its 50 Hz resonance, above the plot's +10 dB.
    handOverClosedBoxAndCrossover();
    designState().closedQtcCalc = 4;
    const Page page = composeGraph(designState());
    const QImage image = renderToImage(page, QSize(2000, 1000));
    const QPointF peak = kPlotOrigin + QPointF(chartX(50), 0);
    for (double y = 905; y < 1000; y += 2)
        QVERIFY2(!dark(image.pixelColor(int(peak.x()), int(1000 - y))), qPrintable(QString::number(y)));
    // Inside the plot the curve is there, up to the top.
    QVERIFY(near(image, QPoint(int(peak.x()), 1000 - 895), 20, dark));
}

void TestGraphWindow::savesSvgAndPdf()
{
    handOverClosedBoxAndCrossover();
    clickDraw();
    files().answerNext(m_dir.filePath("graph.svg"));
    files().answerNext(m_dir.filePath("graph.PDF"));
    QVERIFY(m_window->saveGraph(CBGRAPH1::GraphFile::Svg));
    QVERIFY(m_window->saveGraph(CBGRAPH1::GraphFile::Pdf));

    QFile svg(m_dir.filePath("graph.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));

    QProcess pdftotext;
    pdftotext.start("pdftotext", { m_dir.filePath("graph.PDF"), "-" });
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        QSKIP("pdftotext is not available");
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    QVERIFY2(text.contains("Closed Box Design"), qPrintable(text));
    QVERIFY(text.contains("Frequency"));
    QVERIFY(text.contains("10K"));
}

void TestGraphWindow::savingToAnUnwritablePlaceSaysSo()
{
    clickDraw();
    files().answerNext(m_dir.filePath("no/such/folder/graph.png"));
    QVERIFY(!m_window->saveGraph(CBGRAPH1::GraphFile::Png));
    QCOMPARE(messages().shown.size(), 1);
    QCOMPARE(messages().last().title, QStringLiteral("Error"));
    QCOMPARE(messages().last().icon, MsgIcon::Exclamation);
    QVERIFY(messages().last().prompt.contains("graph.png"));
}

void TestGraphWindow::cancelledSaveWritesNothing()
{
    clickDraw();
    const int before = QDir(m_dir.path()).count();
    QVERIFY(!m_window->saveGraph(CBGRAPH1::GraphFile::Pdf)); // the chooser cancels
    QCOMPARE(files().requests.size(), 1);
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(QDir(m_dir.path()).count(), before);
}

void TestGraphWindow::contextMenuOffersTheFormatsOnceDrawn()
{
    auto* graph = m_window->findChild<PageView*>("Graph1");
    QStringList seen;
    QList<bool> enabled;
    auto inspect = [&] {
        QTimer::singleShot(0, this, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : menu->actions()) {
                    seen << a->text();
                    enabled << a->isEnabled();
                }
                menu->close();
            }
        });
        emit graph->customContextMenuRequested(QPoint(200, 200));
    };
    inspect();
    QCOMPARE(seen,
        (QStringList { "Save Graph as PNG...", "Save Graph as SVG...", "Save Graph as PDF...", "", "Keep Curve",
            "Add from File...", "Kept Curves...", "Clear Kept Curves", "Undo", "", "Reset Zoom" }));
    QCOMPARE(enabled, (QList<bool> { false, false, false, true, false, true, false, false, false, true, false }));

    clickDraw();
    seen.clear();
    enabled.clear();
    inspect();
    QCOMPARE(enabled, (QList<bool> { true, true, true, true, true, true, false, false, false, true, false }));

    keptCurves() << *curveToKeep([] {
        handOverClosedBoxAndCrossover();
        return designState();
    }());
    seen.clear();
    enabled.clear();
    inspect();
    QCOMPARE(enabled, (QList<bool> { true, true, true, true, true, true, true, true, false, true, false }));

    // Zoomed and cleared: back to the full range, and back to the curves.
    m_window->setRange(boxRange());
    m_window->clearKeptCurves();
    seen.clear();
    enabled.clear();
    inspect();
    QCOMPARE(seen[8], QStringLiteral("Undo Clear Kept Curves"));
    QCOMPARE(enabled, (QList<bool> { true, true, true, true, true, true, false, false, true, true, true }));
}

void TestGraphWindow::pointerReadsFrequencyAndLevel()
{
    auto* graph = m_window->findChild<PageView*>("Graph1");
    const QPoint inPlot = pixelOf({ chartX(1000), chartY(-3) }, graph->size());
    QTest::mouseMove(graph, inPlot);
    QTRY_VERIFY(graph->readout().isEmpty()); // nothing drawn yet

    clickDraw();
    QTest::mouseMove(graph, inPlot + QPoint(1, 0));
    QTest::mouseMove(graph, inPlot);
    QTRY_VERIFY(!graph->readout().isEmpty());
    const auto reading = readingAt(graph->worldAt(inPlot));
    QVERIFY(reading);
    QCOMPARE(graph->readout(), readingText(*reading));
    QCOMPARE_LT(std::abs(reading->frequency - 1000), 15.0);
    QCOMPARE_LT(std::abs(reading->level + 3), 0.2);

    QTest::mouseMove(graph, QPoint(3, graph->height() / 2)); // over the level labels
    QTRY_VERIFY(graph->readout().isEmpty());
}

void TestGraphWindow::exitKeepsGraphDrawn()
{
    clickDraw();
    QPointer<CBGRAPH1> window = m_window;
    QTest::mouseClick(m_window->findChild<QPushButton*>("btnExit"), Qt::LeftButton);
    QTRY_VERIFY(window.isNull());
    QCOMPARE(designState().graphDrawn, 1);
}

void TestGraphWindow::labelsSitCentredOnTheirGridLines_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QRectF>("around"); // a world rectangle that holds the label alone
    QTest::addColumn<double>("x"); // where its middle is, or NaN
    QTest::addColumn<double>("y");
    const double any = std::nan("");
    QTest::newRow("20") << "20" << QRectF(180, 45, 120, 48) << 239.2 << any;
    QTest::newRow("1K") << "1K" << QRectF(960, 45, 130, 48) << 1025.0 << any;
    QTest::newRow("10K") << "10K" << QRectF(1410, 45, 150, 48) << 1487.5 << any;
    QTest::newRow("-20") << "-20" << QRectF(0, 75, 88, 45) << any << 100.0;
    QTest::newRow("0") << "0" << QRectF(0, 608, 88, 50) << any << 100 + chartY(0);
    QTest::newRow("10") << "10" << QRectF(0, 875, 88, 45) << any << 900.0;
}

void TestGraphWindow::labelsSitCentredOnTheirGridLines()
{
    QFETCH(QRectF, around);
    QFETCH(double, x);
    QFETCH(double, y);
    const QImage image = renderToImage(composeGraph(designState()), QSize(2000, 1000));
    const QPointF ink = inkCentre(image, around);
    QVERIFY(!ink.isNull());
    if (!std::isnan(x))
        QCOMPARE_LT(std::abs(ink.x() - x), 4.0);
    if (!std::isnan(y))
        QCOMPARE_LT(std::abs(ink.y() - y), 4.0);
}

void TestGraphWindow::dashedLineEndsAtTheFrame()
{
    const QImage image = renderToImage(composeGraph(designState()), QSize(2000, 1000));
    // The dashes run along the plot up to its right edge, and no further.
    QVERIFY(near(image, QPoint(1940, 1000 - 545), 12, dark));
    for (int x = 1953; x < 2000; ++x)
        for (int y = 1000 - 580; y < 1000 - 520; ++y)
            QVERIFY2(!dark(image.pixelColor(x, y)), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
}

void TestGraphWindow::buttonsKeepTheirCaptionsWhole()
{
    const QRect design = DesignWindow::twipsToPixels(0, 0, 9492, 6816);
    for (const QSize size : { QSize(100, 80), QSize(design.width() / 2, design.height() * 3 / 5) }) {
        m_window->resize(size);
        // The window may become much smaller than designed: as narrow as
        // the five buttons' captions allow.
        QCOMPARE_LE(m_window->width(), design.width() * 3 / 5);
        QCOMPARE_LE(m_window->height(), design.height() * 3 / 5);
        const QRect chart = m_window->findChild<PageView*>("Graph1")->geometry();
        QRect before;
        for (const char* name : { "btnKeep", "btnAnalysis", "btnDraw", "btnExit" }) {
            const auto* button = m_window->findChild<QPushButton*>(name);
            QCOMPARE_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 8);
            QCOMPARE_GE(button->height(), button->fontMetrics().height() + 4);
            QVERIFY2(m_window->rect().contains(button->geometry()), name);
            QVERIFY2(!button->geometry().intersects(chart), name);
            QVERIFY2(!button->geometry().intersects(before), name);
            before = button->geometry();
        }
    }
    m_window->resize(design.size()); // designed: the places of the layout
    QCOMPARE(
        m_window->findChild<QPushButton*>("btnDraw")->geometry(), DesignWindow::twipsToPixels(5760, 6120, 1452, 492));
}

// The analysis window lies above this layer: the button opens what the
// program names, and is disabled while it names nothing.
void TestGraphWindow::analysisOpensAsTheProgramSays()
{
    auto* analysis = m_window->findChild<QPushButton*>("btnAnalysis");
    QVERIFY(!analysis->isEnabled());
    int opened = 0;
    CBGRAPH1::setAnalysisOpener([&opened] { ++opened; });
    QVERIFY(analysis->isEnabled());
    QTest::mouseClick(analysis, Qt::LeftButton);
    QTest::keyClick(m_window, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(opened, 2);
    CBGRAPH1::setAnalysisOpener({});
    QVERIFY(!analysis->isEnabled());
    QTest::keyClick(m_window, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(opened, 2);
}

void TestGraphWindow::keptCurvesSurviveANewDesignAndDrawGraph()
{
    handOverClosedBoxAndCrossover();
    designState().driverName = "Test woofer";
    designState().closedVb = 1.5f;
    clickDraw();
    QVERIFY(m_window->keepCurve());
    QCOMPARE(keptCurves().size(), 1);
    QCOMPARE(keptCurves()[0].label, QString::fromUtf8("Test woofer, closed 1.50 ft\u00b3"));

    // A new design handed over, drawn: the kept closed box is still there,
    // dashed, in the first colour, and the legend names every curve.
    handOverVentedBox();
    openGraph();
    clickDraw();
    const QColor kept = chart::comparedColor(0);
    QCOMPARE(linesOf(drawnPage(), kept), 1);
    QCOMPARE(linesOf(drawnPage(), chart::color(0)) > 0, true); // the vented box, black
    QCOMPARE(legendTexts(drawnPage()),
        (QStringList { QString::fromUtf8("Test woofer, vented 2.16 ft\u00b3 (current)"),
            QString::fromUtf8("Test woofer, closed 1.50 ft\u00b3"), "-3 dB" }));
    QVERIFY(drawnPage().findText("Vented Box Design"));

    // Closing the window keeps them too.
    QTest::mouseClick(m_window->findChild<QPushButton*>("btnExit"), Qt::LeftButton);
    QTRY_VERIFY(!existingWindow<CBGRAPH1>());
    designState().graphDrawn = 0;
    m_window = openGraph();
    clickDraw();
    QCOMPARE(linesOf(drawnPage(), kept), 1);

    // Saved as SVG, the kept curve and the legend go along.
    files().answerNext(m_dir.filePath("kept.svg"));
    QVERIFY(m_window->saveGraph(CBGRAPH1::GraphFile::Svg));
    QFile svg(m_dir.filePath("kept.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(svg.readAll());
    QVERIFY(text.contains(kept.name()));
    QVERIFY(text.contains(QString::fromUtf8("Test woofer, closed 1.50 ft\u00b3")));
}

void TestGraphWindow::noLegendWithoutShownKeptCurves()
{
    handOverClosedBoxAndCrossover();
    clickDraw();
    QVERIFY(!drawnPage().findLegend());
    const Page alone = drawnPage();

    QVERIFY(m_window->keepCurve());
    QCOMPARE(legendTexts(drawnPage()).size(), 5); // box, woofer, tweeter, kept, -3 dB
    QCOMPARE(legendTexts(drawnPage()).mid(1, 2), (QStringList { "Woofer crossover", "Tweeter crossover" }));

    // Hidden, it is neither drawn nor named, and the chart is as it was.
    keptCurves()[0].visible = false;
    QCOMPARE(composeGraph(designState(), keptCurves()).items(), alone.items());
}

void TestGraphWindow::keepSaysWhyItCannot_data()
{
    QTest::addColumn<QString>("before"); // "", "frame", "full"
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing drawn") << ""
                                   << "Nothing to Keep: Draw a Box or Bandpass Design First";
    QTest::newRow("the frame alone drawn") << "frame"
                                           << "Nothing to Keep: Draw a Box or Bandpass Design First";
    QTest::newRow("eight kept") << "full"
                                << "At most 8 curves can be kept. Remove one in Kept Curves first.";
}

void TestGraphWindow::keepSaysWhyItCannot()
{
    QFETCH(QString, before);
    QFETCH(QString, message);
    if (before == "frame")
        clickDraw();
    if (before == "full") {
        handOverClosedBoxAndCrossover();
        clickDraw();
        for (int i = 0; i < kMaxKeptCurves; ++i)
            QVERIFY(m_window->keepCurve());
    }
    const KeptCurves kept = keptCurves();
    QTest::mouseClick(m_window->findChild<QPushButton*>("btnKeep"), Qt::LeftButton);
    QCOMPARE(messages().prompts(), QStringList { message });
    QCOMPARE(keptCurves(), kept);
}

void TestGraphWindow::keptCurvesPanelRenamesHidesAndRemoves()
{
    handOverClosedBoxAndCrossover();
    clickDraw();
    QTest::mouseClick(m_window->findChild<QPushButton*>("btnKeep"), Qt::LeftButton);
    designState().closedVb = 3;
    QVERIFY(m_window->keepCurve());
    QWidget* panel = m_window->findChild<QWidget*>("KeptCurves");
    QVERIFY(panel && panel->isVisible());
    auto* list = panel->findChild<QTableWidget*>("lstKept");
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->currentRow(), 1);

    list->item(0, 0)->setText("  Small box  ");
    QCOMPARE(keptCurves()[0].label, QStringLiteral("Small box"));
    QVERIFY(legendTexts(drawnPage()).contains("Small box"));
    list->item(0, 0)->setText(" "); // an empty name keeps the old one
    QCOMPARE(keptCurves()[0].label, QStringLiteral("Small box"));
    QCOMPARE(list->item(0, 0)->text(), QStringLiteral("Small box"));

    list->item(1, 0)->setCheckState(Qt::Unchecked);
    QVERIFY(!keptCurves()[1].visible);
    QCOMPARE(linesOf(drawnPage(), chart::comparedColor(1)), 0);
    QCOMPARE(linesOf(drawnPage(), chart::comparedColor(0)), 1);

    list->selectRow(0);
    QTest::mouseClick(panel->findChild<QPushButton*>("btnRemove"), Qt::LeftButton);
    QCOMPARE(keptCurves().size(), 1);
    QCOMPARE(keptCurves()[0].colorSlot, 1);
    QVERIFY(!drawnPage().findLegend()); // the one left is hidden

    QTest::mouseClick(panel->findChild<QPushButton*>("btnClear"), Qt::LeftButton);
    QVERIFY(keptCurves().isEmpty());
    QCOMPARE(list->rowCount(), 0);
    QVERIFY(!panel->findChild<QPushButton*>("btnRemove")->isEnabled());
    QVERIFY(messages().shown.isEmpty());

    // Curves a load brings show once the user comes back to the panel.
    keepCurve(keptCurves(), curveToKeep(designState()));
    QApplication::setActiveWindow(panel);
    QTRY_COMPARE(list->rowCount(), 1);
    QCOMPARE(linesOf(drawnPage(), chart::comparedColor(0)), 1);
}

void TestGraphWindow::rangeChooserPlacesFrequenciesWhereTheAxisSays_data()
{
    QTest::addColumn<QList<int>>("keys"); // pressed in the range chooser
    QTest::addColumn<GraphRange>("range");
    QTest::addColumn<double>("decade"); // a frequency whose grid line and label are checked
    QTest::addColumn<QString>("label");
    QTest::newRow("box range") << QList<int> { Qt::Key_Down } << GraphRange { 10, 1000, -20, 10 } << 100.0 << "100";
    QTest::newRow("crossover range") << QList<int> { Qt::Key_Down, Qt::Key_Down } << GraphRange { 100, 20000, -20, 10 }
                                     << 1000.0 << "1K";
    QTest::newRow("box range, then the full range again")
        << QList<int> { Qt::Key_Down, Qt::Key_Up } << GraphRange() << 1000.0 << "1K";
}

void TestGraphWindow::rangeChooserPlacesFrequenciesWhereTheAxisSays()
{
    QFETCH(QList<int>, keys);
    QFETCH(GraphRange, range);
    QFETCH(double, decade);
    QFETCH(QString, label);
    handOverClosedBoxAndCrossover();
    clickDraw();
    auto* chooser = m_window->findChild<QComboBox*>("cboRange");
    for (int key : keys)
        QTest::keyClick(chooser, Qt::Key(key));
    QVERIFY2(shownGraphRange() == range, qPrintable(rangeText(shownGraphRange())));
    QCOMPARE(chooser->currentText(), QString::fromLatin1(namedRanges()[chooser->currentIndex()].name));

    files().answerNext(m_dir.filePath("range.png"));
    QVERIFY(m_window->saveGraph(CBGRAPH1::GraphFile::Png));
    const QImage image(m_dir.filePath("range.png"));
    // The decade's grid line, high in the plot where no curve runs, and its label under it.
    const QPoint line = pixelIn(range, decade, 9, image.size());
    QVERIFY(near(image, line, 1, gridGrey));
    QVERIFY(!near(image, line + QPoint(12, 0), 1, gridGrey));
    const PageText* text = nullptr;
    for (const PageItem& item : drawnPage().items())
        if (const auto* t = std::get_if<PageText>(&item); t && t->text == label && t->pos.y() == 60)
            text = t;
    QVERIFY(text);
    QCOMPARE_LT(std::abs(text->pos.x() / kGraphWorld.width() * image.width() - line.x()), 1.5);
    // The closed box at 20 Hz and the woofer at 2 kHz, where they are shown.
    if (range.fromHz <= 20)
        QVERIFY(near(image, pixelIn(range, 20, -16.03, image.size()), 2, dark));
    if (range.toHz >= 2000)
        QVERIFY(near(image, pixelIn(range, 2000, -6.97, image.size()), 2, bluish));
    QVERIFY(!near(image, pixelIn(range, 2000, -14, image.size()), 3, bluish));
}

void TestGraphWindow::wheelZoomsAboutThePointerAndADragMovesTheRange()
{
    handOverClosedBoxAndCrossover();
    clickDraw();
    auto* graph = m_window->findChild<PageView*>("Graph1");
    auto* chooser = m_window->findChild<QComboBox*>("cboRange");
    const auto wheel = [graph](QPoint at, int notches, Qt::KeyboardModifiers modifiers = {}) {
        QWheelEvent event(at, graph->mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton, modifiers,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(graph, &event);
    };
    const auto reading = [graph](QPoint at) { return *readingAt(graph->worldAt(at), shownGraphRange()); };

    // Two notches over 100 Hz, -10 dB: 100 Hz stays under the pointer.
    const QPoint at = pixelIn(GraphRange(), 100, -10, graph->size());
    const double before = reading(at).frequency;
    wheel(at, 2);
    const GraphRange zoomed = shownGraphRange();
    QCOMPARE_LT(std::log10(zoomed.toHz / zoomed.fromHz), 3.0);
    QCOMPARE_LT(std::abs(reading(at).frequency / before - 1), 1e-9);
    QVERIFY(chooser->currentText().startsWith("Zoomed: "));
    QVERIFY(!graph->readout().isEmpty());
    // With Shift, the level: -10 dB stays where it is.
    const double level = reading(at).level;
    wheel(at, 3, Qt::ShiftModifier);
    QCOMPARE_LT(shownGraphRange().toDb - shownGraphRange().fromDb, 30.0);
    QCOMPARE_LT(std::abs(reading(at).level - level), 1e-9);
    QCOMPARE(shownGraphRange().fromHz, zoomed.fromHz);

    // A drag 100 pixels to the left: what was under the pointer follows it.
    const QPoint to = at - QPoint(100, 0);
    const double under = reading(at).frequency;
    QTest::mousePress(graph, Qt::LeftButton, {}, at);
    QMouseEvent move(QEvent::MouseMove, to, graph->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(graph, &move);
    QTest::mouseRelease(graph, Qt::LeftButton, {}, to);
    QCOMPARE_LT(std::abs(reading(to).frequency / under - 1), 1e-6);
    QCOMPARE_GT(shownGraphRange().fromHz, zoomed.fromHz);

    // Zoomed out past the full range, it stops there; Ctrl+0 resets any zoom.
    wheel(at, -40);
    QCOMPARE(shownGraphRange().fromHz, 10.0);
    QCOMPARE(shownGraphRange().toHz, 100000.0);
    QTest::keyClick(m_window, Qt::Key_0, Qt::ControlModifier);
    QVERIFY(shownGraphRange().isFull());
    QCOMPARE(chooser->currentIndex(), 0);
    QCOMPARE(chooser->count(), 3);
    QCOMPARE(drawnPage().items(), composeGraph(designState(), {}).items());
}

void TestGraphWindow::addFromFileKeepsTheFilesDesignAndLeavesTheCurrentOne_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("keptBefore");
    QTest::addColumn<QString>("label"); // empty: nothing kept
    QTest::addColumn<QString>("message");
    QTest::newRow("a vented design") << "vented" << 0 << QString::fromUtf8("vented: Test woofer, vented 2.16 ft\u00b3")
                                     << "";
    QTest::newRow("a vented and a bandpass design")
        << "band" << 2 << QString::fromUtf8("band: Test woofer, vented 2.16 ft\u00b3 + bandpass") << "";
    QTest::newRow("a file without a design") << "nothing" << 0 << ""
                                             << "nothing.TLV holds no box or bandpass design to compare.";
    QTest::newRow("a file that is not there") << "missing" << 0 << ""
                                              << "File Not Found";
    QTest::newRow("eight kept already") << "vented" << 8 << ""
                                        << "At most 8 curves can be kept. Remove one in Kept Curves first.";
}

void TestGraphWindow::addFromFileKeepsTheFilesDesignAndLeavesTheCurrentOne()
{
    QFETCH(QString, file);
    QFETCH(int, keptBefore);
    QFETCH(QString, label);
    QFETCH(QString, message);
    // The design, loaded from its file: a closed box.
    DesignState s = handedover::comparedClosedBox();
    const QString current = m_dir.filePath("current.TLV");
    QVERIFY(!writeRecordFile(current, encodeSystemRecord(s)));
    // The other files: vented (with curves kept beside it), vented with a bandpass, no design.
    std::tie(s.boxType, s.closedVb, s.ventedFb, s.ventedF3, s.ventedValid)
        = std::tuple(BoxType::Vented, 2.1629f, 28.74f, 28.13f, 1);
    QVERIFY(!writeRecordFile(m_dir.filePath("vented.TLV"), encodeSystemRecord(s)));
    KeptCurves beside;
    keepCurve(beside, curveToKeep(handedover::ventedBox()));
    QVERIFY(!saveKeptCurvesBeside(m_dir.filePath("vented.TLV"), beside));
    DesignState band = s;
    std::tie(band.bandValid, band.bandFl3, band.bandFb, band.bandFh3, band.bandQts, band.bandFs)
        = std::tuple(1, 25.0f, 39.06f, 61.03f, 0.35f, 22.0f);
    QVERIFY(!writeRecordFile(m_dir.filePath("band.TLV"), encodeSystemRecord(band)));
    s.boxValid = 0;
    QVERIFY(!writeRecordFile(m_dir.filePath("nothing.TLV"), encodeSystemRecord(s)));

    QVERIFY(loadSystemFile(current));
    handOverClosedBoxAndCrossover();
    clickDraw();
    for (int i = 0; i < keptBefore; ++i)
        QVERIFY(m_window->keepCurve());
    const SystemRecord design = encodeSystemRecord(designState());
    const int loads = designLoadCount();
    QFile currentFile(current);
    QVERIFY(currentFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = currentFile.readAll();
    currentFile.close();
    const QStringList filesBefore = QDir(m_dir.path()).entryList(QDir::Files);
    messages().clear();

    files().answerNext(m_dir.filePath(file + ".TLV"));
    QCOMPARE(m_window->addFromFile(), !label.isEmpty());
    // The design, its file and what lies beside the files stay as they were.
    QCOMPARE(encodeSystemRecord(designState()), design);
    QCOMPARE(designLoadCount(), loads);
    QVERIFY(currentFile.open(QIODevice::ReadOnly));
    QCOMPARE(currentFile.readAll(), bytes);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), filesBefore);
    QCOMPARE(files().requests.size(), keptBefore < kMaxKeptCurves ? 1 : 0);
    if (label.isEmpty()) {
        QCOMPARE(keptCurves().size(), keptBefore);
        QVERIFY2(messages().last().prompt.contains(message), qPrintable(messages().last().prompt));
        return;
    }
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(keptCurves().size(), keptBefore + 1);
    const KeptCurve& added = keptCurves().constLast();
    QCOMPARE(added.label, label);
    QCOMPARE(bool(added.bandpass), file == "band");
    QCOMPARE(keptCell(added, KeptColumn::F3).text, QStringLiteral("28.13"));
    QCOMPARE(linesOf(drawnPage(), chart::comparedColor(added.colorSlot)), file == "band" ? 2 : 1);
    QVERIFY(legendTexts(drawnPage()).contains(label));
    // The panel lists it with its numbers.
    auto* table = m_window->findChild<QTableWidget*>("lstKept");
    QVERIFY(table && table->isVisible());
    QCOMPARE(table->item(table->currentRow(), 0)->text(), label);
    QCOMPARE(table->item(table->currentRow(), 1 + int(KeptColumn::Volume))->text(), QStringLiteral("2.16"));
}

void TestGraphWindow::undoBringsBackWhatWasRemoved()
{
    handOverClosedBoxAndCrossover();
    clickDraw();
    for (float volume : { 1.0f, 1.5f, 2.0f }) {
        m_window->findChild<QPushButton*>("btnDraw"); // the same drawing, other volumes kept
        designState().closedVb = volume;
        designState().graphDrawn = 0;
        clickDraw();
        QVERIFY(m_window->keepCurve());
    }
    const KeptCurves three = keptCurves();
    QWidget* panel = m_window->showKeptCurves();
    QVERIFY(QTest::qWaitForWindowActive(panel));
    auto* table = panel->findChild<QTableWidget*>("lstKept");
    auto* undo = panel->findChild<QPushButton*>("btnUndo");
    QVERIFY(!undo->isEnabled());

    table->selectRow(1);
    QTest::mouseClick(panel->findChild<QPushButton*>("btnRemove"), Qt::LeftButton);
    m_window->clearKeptCurves();
    QVERIFY(keptCurves().isEmpty());
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->toolTip(), QStringLiteral("Undo Clear Kept Curves (Ctrl+Z)"));

    // Ctrl+Z in the panel: the cleared two, then the removed one in its place.
    QTest::keyClick(panel, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(keptCurves(), (KeptCurves { three[0], three[2] }));
    QCOMPARE(table->rowCount(), 2);
    QTest::keyClick(panel, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(keptCurves(), three);
    QCOMPARE(linesOf(drawnPage(), chart::comparedColor(1)), 1);
    QVERIFY(!undo->isEnabled());
    QVERIFY(!m_window->undoKeptCurves());

    // A curve kept meanwhile keeps its colour; the one that comes back takes a free one.
    m_window->removeKeptCurve(0);
    QVERIFY(m_window->keepCurve());
    QCOMPARE(keptCurves().constLast().colorSlot, 0);
    QVERIFY(m_window->undoKeptCurves());
    QCOMPARE(keptCurves().size(), 4);
    QCOMPARE(keptCurves()[0].label, three[0].label);
    QCOMPARE(keptCurves()[0].colorSlot, 3);
    QVERIFY(messages().shown.isEmpty());
}

namespace {
// Designs of one driver (Qts .4, Vas 2, Fs 30) as their windows hand them over.
DesignState driverDesign()
{
    DesignState s;
    applyStartValues(s);
    s.driverName = "Test woofer";
    std::tie(s.qts, s.vas, s.fs, s.isoFactor, s.boxValid) = std::tuple(0.4f, 2.0f, 30.0f, 1.0f, 1);
    return s;
}

DesignState closedDesign(double qtc)
{
    DesignState s = driverDesign();
    const auto d = *design::closedBoxForVolume({ 0.4, 2, 30, qtc, 0, 1 }, design::Trigger::Activation).design;
    std::tie(s.boxType, s.closedVb, s.closedFc, s.closedQtcCalc)
        = std::tuple(BoxType::Closed, d.vbCalc, d.fc, d.qtcCalc);
    return s;
}

DesignState ventedDesign(const design::VentedResult& result)
{
    DesignState s = driverDesign();
    const design::VentedDesign& d = *result.design;
    std::tie(s.boxType, s.closedVb, s.ventedVb, s.ventedFb, s.ventedF3, s.ventedValid)
        = std::tuple(BoxType::Vented, d.vb, d.vb, d.fb, d.f3, 1);
    return s;
}

const QString kExamples = QStringLiteral(TOLVAN_TEST_DATA "/../../docs/examples/");
} // namespace

// Eight designs of one driver, two of them added from the files beside the
// README, in the box range at 800 by 400 pixels: each kept curve shows in its
// own colour, the legend names every line, the panel lists their numbers.
// With TOLVAN_WRITE_PICTURES=1 the window and its panel become the README's
// picture docs/compare-graph.png.
void TestGraphWindow::eightDesignsInTheBoxRangeStandApart()
{
    const design::VentedDriver driver { 0.4, 2, 30, 1 };
    const float aligned = design::ventedCalculate(driver).design->vb;
    const QList<DesignState> designs { closedDesign(0.6), closedDesign(1.0),
        ventedDesign(design::ventedFromVolume(driver, 1.5, aligned)),
        ventedDesign(design::ventedFromVolume(driver, 3.5, aligned)),
        ventedDesign(design::ventedFromTuning(driver, 24, aligned, aligned)), [] {
            DesignState s = driverDesign();
            const auto d = *design::radiatorDesign({ 0.4, 2, 30, 0, 1 }, design::Trigger::Activation).design;
            std::tie(s.boxType, s.closedVb, s.ventedFb) = std::tuple(BoxType::Radiator, d.vb, d.fb);
            return s;
        }() };
    for (const char* file : { "closed", "vented" }) {
        files().answerNext(kExamples + QString::fromLatin1(file) + ".TLV");
        QVERIFY(m_window->addFromFile());
    }
    for (const DesignState& design : designs) {
        designState() = design;
        clickDraw();
        QVERIFY(m_window->keepCurve());
    }
    designState() = ventedDesign(design::ventedFromVolume(driver, 2.5, aligned));
    designState().graphDrawn = 0;
    clickDraw();
    QTest::keyClick(m_window->findChild<QComboBox*>("cboRange"), Qt::Key_Down);
    QCOMPARE(shownGraphRange(), boxRange());

    QCOMPARE(keptCurves().size(), kMaxKeptCurves);
    QCOMPARE(legendTexts(drawnPage()).size(), kMaxKeptCurves + 2); // the current design and -3 dB
    const QImage image = renderToImage(drawnPage(), QSize(800, 400));
    for (const KeptCurve& k : keptCurves()) {
        const QColor colour = chart::comparedColor(k.colorSlot);
        int pixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                pixels += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                        + std::abs(c.blue() - colour.blue())
                    < 60;
            }
        QVERIFY2(pixels > 100, qPrintable(k.label)); // a curve, not a legend's stroke alone
    }
    auto* table = m_window->findChild<QTableWidget*>("lstKept");
    QCOMPARE(table->rowCount(), kMaxKeptCurves);
    QVERIFY(messages().shown.isEmpty());

    if (qEnvironmentVariableIntValue("TOLVAN_WRITE_PICTURES") != 1)
        return;
    table->sortByColumn(1 + int(KeptColumn::F3), Qt::AscendingOrder);
    auto* panel = qobject_cast<KeptCurvesPanel*>(table->window());
    panel->resize(panel->fittingSize());
    m_window->resize(panel->width(), panel->width() * 6816 / 9492);
    const QPixmap graph = m_window->grab(), numbers = panel->grab();
    QImage picture(panel->width(), graph.height() + numbers.height() + 8, QImage::Format_RGB32);
    picture.fill(QColor(200, 200, 200));
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, graph);
    painter.drawPixmap(0, graph.height() + 8, numbers);
    painter.end();
    QVERIFY(picture.save(QStringLiteral(TOLVAN_TEST_DATA "/../../docs/compare-graph.png")));
}

QTEST_MAIN(TestGraphWindow)
#include "tst_CBGRAPH1.moc"
