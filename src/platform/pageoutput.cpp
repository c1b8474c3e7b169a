#include "platform/pageoutput.h"

#include "core/wholefile.h"
#include "platform/pictures.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QTransform>
#include <algorithm>
#include <functional>

namespace {

// Glyphs are shaped at this pixel size and scaled into the world, so a
// text has the same extent in world units on every device.
constexpr int kReferencePixels = 100;

QString deviceFace(const QString& face)
{
    if (face.compare(QLatin1String("Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Times New Roman");
    return face;
}

QFont pageFont(const PageFont& font)
{
    QFont qfont(deviceFace(font.face));
    qfont.setStyleHint(QFont::Serif);
    qfont.setPixelSize(kReferencePixels);
    qfont.setBold(font.bold());
    qfont.setItalic(font.italic());
    qfont.setHintingPreference(QFont::PreferNoHinting);
    qfont.setKerning(false);
    return qfont;
}

// Picture files lie beside the program; the compiled-in pictures stand in for them.
QImage loadPicture(const QString& file)
{
    static QHash<QString, QImage> cache;
    if (auto it = cache.constFind(file); it != cache.constEnd())
        return *it;
    const QStringList candidates { file, QDir(QCoreApplication::applicationDirPath()).filePath(file),
        QStringLiteral(":/pictures/") + QFileInfo(file).fileName() };
    QImage image;
    for (const QString& name : candidates)
        if (QFileInfo::exists(name) && image.load(name))
            break;
    cache.insert(file, image);
    return image;
}

class PagePainter {
public:
    PagePainter(const Page& page, QPainter& painter, const QRectF& target, double penScale, bool screen)
        : m_page(page)
        , m_painter(painter)
        , m_base(painter.transform())
        , m_penScale(penScale)
        , m_screen(screen)
    {
        const QRectF& w = page.world();
        m_sx = target.width() / w.width();
        m_sy = target.height() / w.height();
        // y grows upwards in the world and downwards on the device.
        m_toDevice = QTransform(m_sx, 0, 0, -m_sy, target.left() - w.left() * m_sx, target.top() + w.bottom() * m_sy);
    }

    void operator()(const PageText& t)
    {
        if (t.text.isEmpty())
            return;
        const double em = t.font.size * m_page.fontScale();
        if (!(em > 0))
            return;
        m_painter.save();
        if (!t.placement.clip.isEmpty())
            m_painter.setClipRect(m_toDevice.mapRect(t.placement.clip), Qt::IntersectClip);
        const QFont font = pageFont(t.font);
        drawTextAt(anchor(t.pos), em, font, t.text, offsetFor(font, t.text, t.placement.anchor));
        m_painter.restore();
    }

    void operator()(const PagePicture& p)
    {
        const QRectF device = m_toDevice.mapRect(p.rect);
        // Our own drawings stay vectors, with their labels as text, on every device.
        if (paintPicture(m_painter, p.file, device))
            return;
        const QImage image = loadPicture(p.file);
        if (image.isNull()) {
            // A missing circuit drawing leaves its place marked rather than silently blank.
            m_painter.setPen(QPen(Qt::gray, m_penScale));
            m_painter.setBrush(Qt::NoBrush);
            m_painter.drawRect(device);
            return;
        }
        m_painter.drawImage(device, image);
    }

    void operator()(const PagePolyline& l)
    {
        if (l.points.size() < 2)
            return;
        m_painter.save();
        if (!l.clip.isEmpty())
            m_painter.setClipRect(m_toDevice.mapRect(l.clip), Qt::IntersectClip);
        QPen pen(l.color, l.widthPx * m_penScale, l.style, Qt::FlatCap, Qt::RoundJoin);
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPolyline(m_toDevice.map(QPolygonF(l.points)));
        m_painter.restore();
    }

    // The legend is laid out in the units of its font at the reference size
    // and scaled as texts are, so its box fits its texts on every device.
    void operator()(const PageLegend& l)
    {
        double em = l.font.size * m_page.fontScale();
        if (l.entries.isEmpty() || !(em > 0))
            return;
        // On a screen the texts keep their least size (points at 96 dpi,
        // times the pen scale for other densities).
        if (m_screen && m_sy > 0)
            em = std::max(em, l.screenPoints * 96.0 / 72.0 * m_penScale / m_sy);
        const double k = em / kReferencePixels; // world units per reference pixel
        const double ux = textScaleX() * k, uy = m_sy * k; // device units per reference pixel
        const QFont font = pageFont(l.font);
        const QFontMetricsF metrics(font, m_painter.device());
        constexpr double line = 1.3 * kReferencePixels, pad = 0.4 * kReferencePixels;
        constexpr double swatch = 2.2 * kReferencePixels, gap = 0.5 * kReferencePixels;
        constexpr double columnGap = 1.0 * kReferencePixels;

        const qsizetype n = l.entries.size();
        const int fitting = std::max(1, int((l.area.height() / k - 2 * pad) / line));
        const qsizetype columns = (n + fitting - 1) / fitting;
        const qsizetype rows = (n + columns - 1) / columns;
        QVector<double> widths(columns, 0);
        for (qsizetype i = 0; i < n; ++i)
            widths[i / rows] = std::max(widths[i / rows], metrics.horizontalAdvance(l.entries[i].text));
        double width = 2 * pad + double(columns - 1) * columnGap;
        for (double w : widths)
            width += swatch + gap + w;
        const double height = 2 * pad + double(rows) * line;

        // From the area's upper right corner, x to the right and y down, in reference pixels.
        const QPointF corner = m_toDevice.map(QPointF(l.area.right(), l.area.bottom()));
        const auto at = [&](double x, double y) { return corner + QPointF(x * ux, y * uy); };
        m_painter.save();
        const QRectF box(at(-width, 0), at(0, height));
        m_painter.fillRect(box, Qt::white);
        m_painter.setPen(QPen(QColor(120, 120, 120), m_penScale));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(box);
        double left = -width + pad;
        for (qsizetype c = 0; c < columns; ++c) {
            for (qsizetype r = 0; r < rows && c * rows + r < n; ++r) {
                const LegendEntry& entry = l.entries[c * rows + r];
                const double middle = pad + (double(r) + 0.5) * line;
                m_painter.setPen(QPen(entry.color, entry.widthPx * m_penScale, entry.style, Qt::FlatCap));
                m_painter.drawLine(at(left, middle), at(left + swatch, middle));
                drawTextAt(at(left + swatch + gap, middle), em, font, entry.text,
                    offsetFor(font, entry.text, Qt::AlignLeft | Qt::AlignVCenter));
            }
            left += swatch + gap + widths[c] + columnGap;
        }
        m_painter.restore();
    }

private:
    QPointF anchor(const QPointF& world) const { return m_toDevice.map(world); }

    double textScaleX() const { return m_page.uprightText() ? m_sy : m_sx; }

    // Where the text's baseline starts, relative to its anchor point, in
    // pixels of the reference font.
    QPointF offsetFor(const QFont& font, const QString& text, Qt::Alignment anchor) const
    {
        const QFontMetricsF metrics(font, m_painter.device());
        double dx = 0;
        if (anchor & Qt::AlignHCenter)
            dx = -metrics.horizontalAdvance(text) / 2;
        else if (anchor & Qt::AlignRight)
            dx = -metrics.horizontalAdvance(text);
        return { dx, anchor & Qt::AlignVCenter ? metrics.capHeight() / 2 : 0.0 };
    }

    // One text of em `em` world units, its reference point at device point `at`.
    void drawTextAt(const QPointF& at, double em, const QFont& font, const QString& text, const QPointF& offset)
    {
        const double k = em / kReferencePixels;
        m_painter.save();
        m_painter.setTransform(
            QTransform::fromScale(textScaleX() * k, m_sy * k) * QTransform::fromTranslate(at.x(), at.y()) * m_base);
        m_painter.setFont(font);
        m_painter.setPen(Qt::black);
        m_painter.drawText(offset, text);
        m_painter.restore();
    }

    const Page& m_page;
    QPainter& m_painter;
    QTransform m_base;
    double m_penScale = 1;
    bool m_screen = false;
    QTransform m_toDevice;
    double m_sx = 1, m_sy = 1;
};

// Line widths are given in pixels at 96 dpi.
double penScaleOf(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    return device ? device->logicalDpiY() / 96.0 : 1.0;
}

// Draws the items [first, last) of the page, as renderPage() draws them all
// (on a screen, with the screen's least text sizes).
void renderItems(const Page& page, QPainter& painter, const QRectF& target, double penScale, std::size_t first,
    std::size_t last, bool screen = false)
{
    if (page.world().isEmpty() || target.isEmpty() || first >= last)
        return;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    PagePainter draw(page, painter, target, penScale, screen);
    for (std::size_t i = first; i < last; ++i)
        std::visit(draw, page.items()[i]);
    painter.restore();
}

// A saved file takes the page's own orientation.
QPageLayout::Orientation orientationFor(const Page& page)
{
    return page.world().width() > page.world().height() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

constexpr double kFileFraction = 0.9;

} // namespace

void renderPage(const Page& page, QPainter& painter, const QRectF& target)
{
    renderItems(page, painter, target, penScaleOf(painter), 0, page.items().size());
}

bool ScreenPageRenderer::holdsBackdropOf(const Page& page) const
{
    const std::size_t end = page.backdropEnd();
    return m_world == page.world() && m_fontScale == page.fontScale() && m_uprightText == page.uprightText()
        && m_items.size() == end && std::equal(m_items.begin(), m_items.end(), page.items().begin());
}

void ScreenPageRenderer::render(const Page& page, QPainter& painter, const QRect& target, const QColor& background)
{
    const std::size_t end = page.backdropEnd();
    const double penScale = penScaleOf(painter);
    if (end == 0 || target.isEmpty()) {
        painter.fillRect(target, background);
        renderItems(page, painter, target, penScale, 0, page.items().size(), true);
        return;
    }
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    if (m_pixmap.isNull() || m_size != target.size() || m_ratio != ratio || m_penScale != penScale
        || m_background != background || !holdsBackdropOf(page)) {
        m_pixmap = QPixmap(target.size() * ratio);
        m_pixmap.setDevicePixelRatio(ratio);
        m_pixmap.fill(background);
        QPainter backdrop(&m_pixmap);
        renderItems(page, backdrop, QRectF(QPointF(0, 0), QSizeF(target.size())), penScale, 0, end, true);
        backdrop.end();
        m_size = target.size();
        m_ratio = ratio;
        m_penScale = penScale;
        m_background = background;
        m_world = page.world();
        m_fontScale = page.fontScale();
        m_uprightText = page.uprightText();
        m_items.assign(page.items().begin(), page.items().begin() + std::ptrdiff_t(end));
    }
    painter.drawPixmap(target.topLeft(), m_pixmap);
    renderItems(page, painter, target, penScale, end, page.items().size(), true);
}

QImage renderToImage(const Page& page, const QSize& size, const QColor& background)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(background);
    QPainter painter(&image);
    renderPage(page, painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

namespace {

// Paints into memory and then writes the file whole (core/wholefile.h): a
// failure leaves an earlier file as it was and says why in `problem`.
bool saveWhole(const QString& fileName, QString* problem, const std::function<bool(QIODevice&)>& paint)
{
    const auto fail = [problem](const QString& why) {
        if (problem)
            *problem = why;
        return false;
    };
    // Refused before the painting: a pipe, a device, a folder that is not there.
    if (const auto unwritable = unwritableTarget(fileName))
        return fail(*unwritable);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!paint(buffer) || buffer.data().isEmpty())
        return fail(QStringLiteral("the page could not be drawn"));
    if (const auto error = writeWholeFile(fileName, buffer.data()))
        return fail(*error);
    return true;
}

} // namespace

bool saveImage(const Page& page, const QString& fileName, const QSize& size, QString* problem)
{
    return saveWhole(fileName, problem, [&](QIODevice& out) {
        const QImage image = renderToImage(page, size);
        const QByteArray format = QFileInfo(fileName).suffix().toLatin1();
        return !image.isNull() && image.save(&out, format.isEmpty() ? "PNG" : format.constData());
    });
}

bool saveSvg(const Page& page, const QString& fileName, const QSize& size, QString* problem)
{
    return saveWhole(fileName, problem, [&](QIODevice& out) {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Tolvan"));
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        renderPage(page, painter, QRectF(QPointF(0, 0), QSizeF(size)));
        return painter.end();
    });
}

bool savePdf(const Page& page, const QString& fileName, QString* problem)
{
    return saveWhole(fileName, problem, [&](QIODevice& out) {
        QPdfWriter pdf(&out);
        pdf.setCreator(QStringLiteral("Tolvan"));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(orientationFor(page));
        pdf.setResolution(300);
        QPainter painter;
        if (!painter.begin(&pdf))
            return false;
        const QRect paint = pdf.pageLayout().paintRectPixels(pdf.resolution());
        renderPage(page, painter, fitToPaper(page.world().size(), QSizeF(paint.size()), kFileFraction));
        return painter.end();
    });
}

bool savePageFile(
    const Page& page, const QString& fileName, const QSize& imageSize, const QSize& svgSize, QString* problem)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"svg")
        return saveSvg(page, fileName, svgSize, problem);
    if (suffix == u"pdf")
        return savePdf(page, fileName, problem);
    return saveImage(page, fileName, imageSize, problem);
}

QRectF fitToPaper(const QSizeF& world, const QSizeF& printer, double fraction)
{
    const double wx = world.width(), wy = world.height();
    const double pw = printer.width(), ph = printer.height();
    if (!(wx > 0 && wy > 0 && pw > 0 && ph > 0))
        return {};
    double w, h;
    if (pw / wx > ph / wy) {
        h = fraction * ph;
        w = wx * h / wy;
    } else {
        w = fraction * pw;
        h = ph * w / pw;
    }
    return QRectF((pw - w) / 2, (ph - h) / 2, w, h);
}
