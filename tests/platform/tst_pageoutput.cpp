// The chart and print engine: pages composed as data, rendered with y up onto
// images and PDF files whose text reads back, and the fit rule of printed
// pages. Printers are reached by the program's own print jobs, tested in
// tests/print/tst_printing.cpp (an unknown printer, the PDF printer).
#include "platform/chart.h"
#include "platform/pageoutput.h"
#include "support/pdfoutput.h"

#include <QDirIterator>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A report page as the crossover reports compose it.
Page reportPage()
{
    Page page;
    page.loadFont(32, 120);
    page.setFontFace("Times New Roman");
    page.text(400, 1900, "Passive 2-Way Crossover");
    page.loadFont(32, 100);
    page.text(300, 1700, "Crossover Frequency = 3000 Hz");
    page.text(300, 1600, "C1 = 6.63 uF");
    page.picture(500, 300, 1000, 800, "no-such-picture.bmp");
    return page;
}

// A chart-like page: a grid and labels as its backdrop, then a curve and a title.
Page chartPage(double curveHeight, int gridDecades = 3)
{
    Page page(QRectF(0, 0, 2000, 1000));
    page.loadFont(32, 100);
    chart::logGrid(page, 100, 100, 1800, 800, gridDecades);
    chart::labelsY(page, 20, 79, 53.333, -20, 2, 15);
    page.markBackdrop();
    chart::lineGraph(page, { 100, 100 }, { { 0, 0 }, { 900, curveHeight }, { 1800, 300 } }, Qt::blue);
    page.text(700, 920, QStringLiteral("Title"));
    return page;
}

bool hasDarkPixel(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && image.pixelColor(x, y).lightness() < 128)
                return true;
    return false;
}

} // namespace

class TestPageOutput : public QObject {
    Q_OBJECT
private slots:
    void composedPageHoldsItsItemsAsData();
    void chartOperationsComposeWhereTheyAreTold();
    void smoothCurvePassesThroughAnchorsWithoutOvershoot();
    void renderingPutsYUpwards();
    void screenRendererDrawsWhatRenderPageDraws_data();
    void screenRendererDrawsWhatRenderPageDraws();
    void textStretchesWithTheWorld();
    void legendKeepsItsLeastSizeOnScreen_data();
    void legendKeepsItsLeastSizeOnScreen();
    void pdfTextReadsBack();
    void svgAndPngAreWritten();
    void fitToPaper_data();
    void fitToPaper();
};

void TestPageOutput::composedPageHoldsItsItemsAsData()
{
    const Page page = reportPage();
    QCOMPARE(
        page.texts(), (QStringList { "Passive 2-Way Crossover", "Crossover Frequency = 3000 Hz", "C1 = 6.63 uF" }));
    const PageText* title = page.findText("Passive 2-Way Crossover");
    QCOMPARE(title->pos, QPointF(400, 1900));
    QCOMPARE(title->font.size, 120.0);
    QVERIFY(title->font.bold());
    QCOMPARE(page.findText("C1 = 6.63 uF")->font.size, 100.0);
    const auto& picture = std::get<PagePicture>(page.items().back());
    QCOMPARE(picture.rect, QRectF(500, 300, 1000, 800));
}

void TestPageOutput::chartOperationsComposeWhereTheyAreTold()
{
    Page page;
    chart::labelsY(page, 20, 79, 53.333, -20, 2, 3);
    QCOMPARE(page.texts(), (QStringList { "-20", "-18", "-16" }));
    QCOMPARE(page.findText("-16")->pos.y(), 79 + 2 * 53.333);

    Page axis;
    chart::logAxis(axis, 100, 635, 1850, 4);
    // The axis line, 9 ticks a decade and the closing tick.
    QCOMPARE(int(axis.items().size()), 1 + 4 * 9 + 1);
    const auto& tick1k = std::get<PagePolyline>(axis.items()[1 + 2 * 9]);
    QCOMPARE(tick1k.points.first().x(), 100 + 2 * 1850 / 4.0);

    Page graph;
    chart::lineGraph(graph, QPointF(100, 100), { { 0, 0 }, { 462.5, 533.3 } }, chart::color(1));
    const auto& line = std::get<PagePolyline>(graph.items().front());
    QCOMPARE(line.points.last(), QPointF(562.5, 633.3));
    QVERIFY(
        chart::color(1) != chart::color(4) && chart::color(4) != chart::color(9) && chart::color(1) != chart::color(9));
}

void TestPageOutput::smoothCurvePassesThroughAnchorsWithoutOvershoot()
{
    const QVector<QPointF> anchors { { 300, 100 }, { 0, 0 }, { 100, 50 }, { 200, 100 }, { 400, 100 }, { 500, 0 } };
    const QVector<QPointF> curve = chart::smoothPoints(anchors);
    for (const QPointF& a : anchors)
        QVERIFY(curve.contains(a));
    for (const QPointF& p : curve)
        QVERIFY(p.y() >= 0 && p.y() <= 100); // flat top stays flat
    QVERIFY(std::is_sorted(curve.begin(), curve.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); }));
}

void TestPageOutput::renderingPutsYUpwards()
{
    Page page(QRectF(0, 0, 1000, 500));
    page.polyline({ { 0, 100 }, { 1000, 100 } }, Qt::black, Qt::SolidLine, 2);
    const QImage image = renderToImage(page, QSize(200, 100));
    // World y 100 of 500 lies a fifth above the bottom.
    QVERIFY(hasDarkPixel(image, QRect(100, 79, 1, 3)));
    QVERIFY(!hasDarkPixel(image, QRect(100, 15, 1, 10)));

    Page clipped(QRectF(0, 0, 1000, 500));
    clipped.polyline({ { 0, 250 }, { 1000, 250 } }, Qt::black, Qt::SolidLine, 2, QRectF(0, 0, 500, 500));
    const QImage half = renderToImage(clipped, QSize(200, 100));
    QVERIFY(hasDarkPixel(half, QRect(50, 48, 1, 4)));
    QVERIFY(!hasDarkPixel(half, QRect(150, 45, 1, 10)));
}

void TestPageOutput::screenRendererDrawsWhatRenderPageDraws_data()
{
    // A first drawing fills the renderer; the second is compared with renderPage().
    QTest::addColumn<Page>("first");
    QTest::addColumn<QSize>("firstSize");
    QTest::addColumn<Page>("second");
    QTest::addColumn<QSize>("secondSize");
    QTest::addColumn<qreal>("ratio");
    const QSize size(400, 200);
    QTest::newRow("same page again") << chartPage(500) << size << chartPage(500) << size << 1.0;
    QTest::newRow("new curves") << chartPage(500) << size << chartPage(700) << size << 1.0;
    QTest::newRow("new backdrop") << chartPage(500) << size << chartPage(500, 4) << size << 1.0;
    QTest::newRow("new size") << chartPage(500) << size << chartPage(500) << QSize(300, 250) << 1.0;
    QTest::newRow("device pixel ratio 2") << chartPage(500) << size << chartPage(700) << size << 2.0;
    QTest::newRow("page without backdrop") << chartPage(500) << size << reportPage() << size << 1.0;
}

void TestPageOutput::screenRendererDrawsWhatRenderPageDraws()
{
    QFETCH(Page, first);
    QFETCH(QSize, firstSize);
    QFETCH(Page, second);
    QFETCH(QSize, secondSize);
    QFETCH(qreal, ratio);
    // What lies below is painted over.
    auto blank = [ratio](const QSize& size) {
        QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::red);
        return image;
    };
    ScreenPageRenderer renderer;
    auto shown = [&](const Page& page, const QSize& size) {
        QImage image = blank(size);
        QPainter painter(&image);
        renderer.render(page, painter, QRect(QPoint(0, 0), size));
        painter.end();
        return image;
    };
    shown(first, firstSize);
    QImage expected = blank(secondSize);
    QPainter painter(&expected);
    painter.fillRect(QRect(QPoint(0, 0), secondSize), Qt::white);
    renderPage(second, painter, QRectF(QPointF(0, 0), QSizeF(secondSize)));
    painter.end();
    QCOMPARE(shown(second, secondSize), expected);
}

void TestPageOutput::legendKeepsItsLeastSizeOnScreen_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("emPixels"); // of the legend's texts on a screen
    // Font size 100 at 0.33 world units: an em of 33 units, 6.6 pixels at a
    // fifth of the world, raised to 9 points (12 pixels); at full size 33.
    QTest::newRow("small: 9 points") << QSize(400, 200) << 12.0;
    QTest::newRow("large: as the page says") << QSize(2000, 1000) << 33.0;
}

// The legend's box is 2.1 em high for one line: on a screen, no smaller than
// its least size says; in a file, scaled with the page.
void TestPageOutput::legendKeepsItsLeastSizeOnScreen()
{
    QFETCH(QSize, size);
    QFETCH(double, emPixels);
    Page page(QRectF(0, 0, 2000, 1000));
    page.setFontScale(0.33);
    page.loadFont(0, 100);
    page.legend(QRectF(100, 100, 1800, 800), { { QStringLiteral("Kept"), Qt::red, Qt::DashLine, 2 } }, 9);
    const auto boxHeight = [&](bool screen) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        if (screen) {
            ScreenPageRenderer renderer;
            renderer.render(page, painter, image.rect(), Qt::black);
        } else {
            renderPage(page, painter, QRectF(image.rect()));
        }
        painter.end();
        const int x = size.width() * 1880 / 2000; // inside the box's right edge
        int top = size.height(), bottom = -1;
        for (int y = 0; y < size.height(); ++y)
            if (image.pixelColor(x, y) != QColor(Qt::black))
                top = std::min(top, y), bottom = y;
        return bottom - top + 1;
    };
    QCOMPARE_LT(std::abs(boxHeight(true) - 2.1 * emPixels), 3.0);
    QCOMPARE_LT(std::abs(boxHeight(false) - 2.1 * 33 * size.height() / 1000), 3.0);
}

void TestPageOutput::textStretchesWithTheWorld()
{
    // The same page on a square and on a wide image: the text covers the same world span.
    Page page(QRectF(0, 0, 1000, 1000));
    page.loadFont(0, 100);
    page.text(100, 500, QString(20, u'-'));
    auto extent = [&](const QImage& image) {
        int left = image.width(), right = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixelColor(x, y).lightness() < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return QPair<double, double>(double(left) / image.width(), double(right + 1) / image.width());
    };
    const auto square = extent(renderToImage(page, QSize(400, 400)));
    const auto wide = extent(renderToImage(page, QSize(800, 400)));
    QVERIFY(square.second > square.first);
    QCOMPARE_LT(std::abs(square.first - 0.1), 0.01);
    QCOMPARE_LT(std::abs(square.first - wide.first), 0.01);
    QCOMPARE_LT(std::abs(square.second - wide.second), 0.01);
}

void TestPageOutput::pdfTextReadsBack()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("page.pdf");
    QVERIFY(savePdf(reportPage(), file));
    const QString text = pdfText(file);
    if (text.isEmpty())
        QSKIP("pdftotext is not available");
    QVERIFY2(text.contains("Passive 2-Way Crossover"), qPrintable(text));
    QVERIFY(text.contains("Crossover Frequency = 3000 Hz"));
    // The title stands above the value lines.
    QVERIFY(text.indexOf("Passive 2-Way") < text.indexOf("C1 = 6.63 uF"));
}

void TestPageOutput::svgAndPngAreWritten()
{
    QTemporaryDir dir;
    QVERIFY(saveSvg(reportPage(), dir.filePath("page.svg"), QSize(500, 500)));
    QVERIFY(saveImage(reportPage(), dir.filePath("page.png"), QSize(500, 500)));
    QCOMPARE(QImage(dir.filePath("page.png")).size(), QSize(500, 500));
    QVERIFY(!saveImage(reportPage(), dir.filePath("missing/page.png"), QSize(500, 500)));
    QVERIFY(!savePdf(reportPage(), dir.filePath("missing/page.pdf")));
}

void TestPageOutput::fitToPaper_data()
{
    QTest::addColumn<QSizeF>("world");
    QTest::addColumn<QSizeF>("printer");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<QRectF>("expected");
    // Paper relatively wider than the world: 0.9 of its height, proportions kept.
    QTest::newRow("square world, landscape paper")
        << QSizeF(2000, 2000) << QSizeF(6600, 4800) << 0.9 << QRectF(1140, 240, 4320, 4320);
    // Otherwise the page fills the fraction of both width and height.
    QTest::newRow("square world, portrait paper")
        << QSizeF(2000, 2000) << QSizeF(4800, 6600) << 0.8 << QRectF(480, 660, 3840, 5280);
    QTest::newRow("landscape world, portrait paper")
        << QSizeF(3556, 2000) << QSizeF(4800, 6600) << 0.8 << QRectF(480, 660, 3840, 5280);
    QTest::newRow("equal ratios take the second branch")
        << QSizeF(2000, 1000) << QSizeF(4000, 2000) << 0.8 << QRectF(400, 200, 3200, 1600);
    QTest::newRow("empty world") << QSizeF(0, 2000) << QSizeF(4800, 6600) << 0.8 << QRectF();
    QTest::newRow("empty printer") << QSizeF(2000, 2000) << QSizeF(0, 0) << 0.8 << QRectF();
}

void TestPageOutput::fitToPaper()
{
    QFETCH(QSizeF, world);
    QFETCH(QSizeF, printer);
    QFETCH(double, fraction);
    QFETCH(QRectF, expected);
    const QRectF rect = ::fitToPaper(world, printer, fraction);
    QCOMPARE(rect, expected);
}

QTEST_MAIN(TestPageOutput)
#include "tst_pageoutput.moc"
