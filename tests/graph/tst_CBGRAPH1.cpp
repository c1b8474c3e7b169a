// The graph window: its layout, Draw Graph once per hand-over, the frame
// alone when nothing was handed over, curves where the chart units put them
// in the saved image, the readout under the pointer and the context menu.
#include "graph/CBGRAPH1.h"
#include "graph/graphpage.h"
#include "platform/pageoutput.h"
#include "platform/pageview.h"
#include "support/recorders.h"

#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {
// A closed box and a first-order 2-way crossover, handed over.
void handOverClosedBoxAndCrossover()
{
    DesignState& s = designState();
    s = DesignState();
    applyStartValues(s);
    s.boxValid = 1;
    s.boxType = BoxType::Closed;
    s.closedFc = 50;
    s.closedQtcCalc = 0.7071f;
    s.xoverType = XoverType::TwoWay6dB;
    s.xoverFreq = 1000;
    s.xoverL1 = 1.27f;
    s.xoverRl = 8;
    s.xoverC1 = 19.9f;
    s.xoverRh = 8;
    s.graphDrawn = 0;
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
} // namespace

class TestGraphWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
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

private:
    CBGRAPH1* openGraph();
    void clickDraw();
    const Page& drawnPage();

    CBGRAPH1* m_window = nullptr;
    MessageRecorder* m_messages = nullptr;
    ScriptedFileChooser* m_files = nullptr;
    QTemporaryDir m_dir;
};

void TestGraphWindow::init()
{
    m_messages = new MessageRecorder;
    m_files = new ScriptedFileChooser;
    designState() = DesignState();
    applyStartValues(designState());
    m_window = openGraph();
}

void TestGraphWindow::cleanup()
{
    delete existingWindow<CBGRAPH1>();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete m_files;
    delete m_messages;
}

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
    QCOMPARE(drawnPage().findText("-20")->pos, QPointF(20, 79));
    QCOMPARE(drawnPage().findText("0")->pos, QPointF(40, 615));
    QCOMPARE(drawnPage().findText("Frequency")->pos, QPointF(700, 25));
    QCOMPARE(drawnPage().findText("dB")->pos, QPointF(40, 920));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestGraphWindow::savedImageHasTheCurvesWhereTheChartUnitsSay()
{
    handOverClosedBoxAndCrossover();
    clickDraw();
    const QString file = m_dir.filePath("graph"); // the suffix is added
    m_files->answerNext(file);
    QVERIFY(m_window->saveGraph(CBGRAPH1::GraphFile::Png));
    QCOMPARE(m_files->requests.size(), 1);
    QCOMPARE(m_files->requests.first().filter, QStringLiteral("PNG Image (*.png)"));
    QVERIFY(m_files->requests.first().forSave);

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
    m_files->answerNext(m_dir.filePath("graph.svg"));
    m_files->answerNext(m_dir.filePath("graph.PDF"));
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
    m_files->answerNext(m_dir.filePath("no/such/folder/graph.png"));
    QVERIFY(!m_window->saveGraph(CBGRAPH1::GraphFile::Png));
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->last().title, QStringLiteral("Error"));
    QCOMPARE(m_messages->last().icon, MsgIcon::Exclamation);
    QVERIFY(m_messages->last().prompt.contains("graph.png"));
}

void TestGraphWindow::cancelledSaveWritesNothing()
{
    clickDraw();
    const int files = QDir(m_dir.path()).count();
    QVERIFY(!m_window->saveGraph(CBGRAPH1::GraphFile::Pdf)); // the chooser cancels
    QCOMPARE(m_files->requests.size(), 1);
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(QDir(m_dir.path()).count(), files);
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
    QCOMPARE(seen, (QStringList { "Save Graph as PNG...", "Save Graph as SVG...", "Save Graph as PDF..." }));
    QCOMPARE(enabled, (QList<bool> { false, false, false }));

    clickDraw();
    seen.clear();
    enabled.clear();
    inspect();
    QCOMPARE(enabled, (QList<bool> { true, true, true }));
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

QTEST_MAIN(TestGraphWindow)
#include "tst_CBGRAPH1.moc"
