#pragma once
// Putting a page somewhere: onto a painter, into an image, an SVG or PDF
// file. Printers are reached through print/printjob.h, which paints pages
// with renderPage and fitToPaper.

#include "platform/page.h"

#include <QImage>
#include <QPixmap>
#include <QRectF>
#include <QSizeF>

class QPainter;

// Draws the page's world rectangle into `target` (device coordinates of the painter).
void renderPage(const Page& page, QPainter& painter, const QRectF& target);

// Draws pages onto a screen again and again, quickly: the page's backdrop
// (Page::markBackdrop) is drawn once into a pixmap for the target's size and
// device pixel ratio and copied while they, the background and the backdrop
// stay the same; only the items after the backdrop are drawn each time. The
// result equals filling `target` with the background and renderPage(), but
// that a legend's texts keep their least size on the screen. For screens
// only: files and printers get renderPage(), so vectors stay vectors.
class ScreenPageRenderer final {
public:
    void render(const Page& page, QPainter& painter, const QRect& target, const QColor& background = Qt::white);

private:
    bool holdsBackdropOf(const Page& page) const;

    QPixmap m_pixmap;
    QSize m_size;
    qreal m_ratio = 0;
    double m_penScale = 0;
    QColor m_background;
    // The backdrop the pixmap shows, with the page's world and text rules.
    QRectF m_world;
    double m_fontScale = 0;
    bool m_uprightText = false;
    std::vector<PageItem> m_items;
};

QImage renderToImage(const Page& page, const QSize& size, const QColor& background = Qt::white);
// Files written whole or not at all (core/wholefile.h): false, with why in
// `problem`, leaves an earlier file of the name exactly as it was.
bool saveImage(const Page& page, const QString& fileName, const QSize& size,
    QString* problem = nullptr); // PNG and the like, by the name's suffix
bool saveSvg(const Page& page, const QString& fileName, const QSize& size, QString* problem = nullptr);
// An A4 page in the world's orientation, the page fitted with 0.9.
bool savePdf(const Page& page, const QString& fileName, QString* problem = nullptr);
// By the name's suffix, in any case: ".svg" an SVG of `svgSize`, ".pdf" a
// PDF, any other a picture of `imageSize` (PNG and the like).
bool savePageFile(const Page& page, const QString& fileName, const QSize& imageSize, const QSize& svgSize,
    QString* problem = nullptr);

// The rectangle, in printer units, that a world of size `world` is mapped to
// on a printable area of size `printer`, centred. When the paper is
// relatively wider than the world, the height is `fraction` of the paper's
// and the world keeps its proportions; otherwise both width and height are
// `fraction` of the paper's, so the page takes the paper's proportions.
// Empty when either size is empty.
QRectF fitToPaper(const QSizeF& world, const QSizeF& printer, double fraction);
