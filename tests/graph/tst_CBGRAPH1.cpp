// The graph window: its layout, Draw Graph once per hand-over, the frame
// alone when nothing was handed over, curves where the chart units put them
// in the saved image, labels centred on their grid lines, the readout under
// the pointer and the context menu; kept curves with their legend and panel.
#include "graph/CBGRAPH1.h"
#include "graph/graphpage.h"
#include "graph/handedover.h"
#include "graph/keptcurves.h"
#include "platform/chart.h"
#include "platform/pageoutput.h"
#include "platform/pageview.h"
#include "support/windowtest.h"

#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

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

// Whether a pixel within `radius` of `at` passes `test`.
template <class Test> bool near(const QImage& image, QPoint at, int radius, Test test)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (image.rect().contains(at + QPoint(dx, dy)) && test(image.pixelColor(at + QPoint(dx, dy))))
                return true;
    return false;
}

bool bluish(const QColor& c) { return c.blue() > 150 && c.red() < 120 && c.green() < 150; }

bool reddish(const QColor& c) { return c.red() > 150 && c.green() < 120 && c.blue() < 120; }

bool dark(const QColor& c) { return c.lightness() < 100; }

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

// The lines of a colour on a page.
int linesOf(const Page& page, const QColor& color)
{
    int n = 0;
    for (const PageItem& item : page.items())
        if (const auto* line = std::get_if<PagePolyline>(&item); line && line->color == color)
            ++n;
    return n;
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
    void keptCurvesSurviveANewDesignAndDrawGraph();
    void noLegendWithoutShownKeptCurves();
    void keepSaysWhyItCannot_data();
    void keepSaysWhyItCannot();
    void keptCurvesPanelRenamesHidesAndRemoves();

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
        // The window may become much smaller than designed.
        QCOMPARE_LE(m_window->width(), design.width() / 2);
        QCOMPARE_LE(m_window->height(), design.height() * 3 / 5);
        const QRect chart = m_window->findChild<PageView*>("Graph1")->geometry();
        QRect before;
        for (const char* name : { "btnKeep", "btnDraw", "btnExit" }) {
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

QTEST_MAIN(TestGraphWindow)
#include "tst_CBGRAPH1.moc"
