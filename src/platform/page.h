#pragma once
// The chart and print engine: a page is a drawing in world coordinates, y
// growing upwards, composed of texts, pictures and polylines. Windows and
// reports compose pages; one QPainter routine (pageoutput.h) draws a page
// onto a widget, a printer, a PDF file or an image.
//
// Text sizes are the engine's font size numbers (100 for a value line, 120
// for a title): a size s is a font whose em is s * fontScale() world units
// high (kWorldUnitsPerFontSize unless the page sets its own). Texts are drawn
// in world units, so they stretch with the world like every other item.
// Styles: 0 plain, 32 bold, 48 bold italic, 16 italic. The face "Roman" is
// the engine's serif face and is drawn as "Times New Roman".

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <variant>
#include <vector>

inline constexpr double kWorldUnitsPerFontSize = 0.4;

struct PageFont {
    int style = 0;
    double size = 100;
    QString face = QStringLiteral("Times New Roman");
    bool bold() const { return style & 32; }
    bool italic() const { return style & 16; }
    bool operator==(const PageFont&) const = default;
};

// How a text sits around its point: left of it, centred on it or right of
// it; on its baseline or centred on it (the middle of the capital letters
// and digits). A text may be cut to a world rectangle.
struct TextPlacement {
    Qt::Alignment anchor = Qt::AlignLeft | Qt::AlignBaseline;
    QRectF clip; // empty: not cut
    bool operator==(const TextPlacement&) const = default;
};

// Text at `pos`, by default with the left end of its baseline there.
struct PageText {
    QPointF pos;
    PageFont font;
    int align = 1;
    int flag = 0;
    QString text;
    TextPlacement placement;
    bool operator==(const PageText&) const = default;
};

// A picture file stretched into `rect` (x, y = lower-left corner, in world units).
struct PagePicture {
    QRectF rect;
    QString file;
    bool operator==(const PagePicture&) const = default;
};

struct PagePolyline {
    QVector<QPointF> points;
    QColor color = Qt::black;
    Qt::PenStyle style = Qt::SolidLine;
    double widthPx = 1.0; // cosmetic pen width in device pixels at 96 dpi
    QRectF clip; // world rectangle the line is limited to; empty: none
    bool operator==(const PagePolyline&) const = default;
};

// One line of a legend: a short stretch of the curve's line, then its name.
struct LegendEntry {
    QString text;
    QColor color = Qt::black;
    Qt::PenStyle style = Qt::SolidLine;
    double widthPx = 1.0;
    bool operator==(const LegendEntry&) const = default;
};

// A legend in the upper right corner of `area` (x, y = lower-left corner, in
// world units), on a white ground inside a thin frame. Its entries run down
// a column as far as the area's height allows, then on in a further column
// to the left. The texts take the font that was loaded when the legend was
// placed; their sizes follow the page's text rules, so the box fits its
// texts on every device; on a screen they are never smaller than screenPoints.
struct PageLegend {
    QRectF area;
    PageFont font;
    QVector<LegendEntry> entries;
    double screenPoints = 0; // on a screen, the texts' least size in points
    bool operator==(const PageLegend&) const = default;
};

using PageItem = std::variant<PageText, PagePicture, PagePolyline, PageLegend>;

class Page {
public:
    // The world rectangle that is shown: x from left, y from bottom, y up.
    explicit Page(const QRectF& world = QRectF(0, 0, 2000, 2000))
        : m_world(world)
    {
    }

    const QRectF& world() const { return m_world; }
    const std::vector<PageItem>& items() const { return m_items; }
    bool isEmpty() const { return m_items.empty(); }
    void clear()
    {
        m_items.clear();
        m_backdropEnd = 0;
    }

    // The items so far are the page's backdrop: they stay the same from one
    // drawing to the next (a chart's frame, grid and labels), so a screen
    // may keep them drawn and paint only the items after them.
    void markBackdrop() { m_backdropEnd = m_items.size(); }
    // The number of leading items that form the backdrop (0: none).
    std::size_t backdropEnd() const { return m_backdropEnd; }

    // Font slot 1: size and style, then face; later texts use it.
    void loadFont(int style, double size);
    void setFontFace(const QString& face);
    const PageFont& font() const { return m_font; }

    // World units per font size number.
    double fontScale() const { return m_fontScale; }
    void setFontScale(double unitsPerSize) { m_fontScale = unitsPerSize; }

    // Upright texts keep their letters' proportions when the world is mapped
    // onto paper of other proportions: their size follows the vertical scale
    // and only their anchor point moves with the world.
    bool uprightText() const { return m_uprightText; }
    void setUprightText(bool upright) { m_uprightText = upright; }

    void text(
        double x, double y, const QString& text, int align = 1, int flag = 0, const TextPlacement& placement = {});
    void picture(double x, double y, double width, double height, const QString& file);
    void polyline(const QVector<QPointF>& points, const QColor& color, Qt::PenStyle style = Qt::SolidLine,
        double widthPx = 1.0, const QRectF& clip = {});
    // Nothing is placed for a legend without entries.
    void legend(const QRectF& area, const QVector<LegendEntry>& entries, double screenPoints = 0);

    // Every text item, in drawing order (for tests and searching); the
    // legends' texts are not among them.
    QStringList texts() const;
    // The first legend of the page, or null.
    const PageLegend* findLegend() const;
    // The first text item whose text equals `text`, or null.
    const PageText* findText(const QString& text) const;

private:
    QRectF m_world;
    PageFont m_font;
    double m_fontScale = kWorldUnitsPerFontSize;
    bool m_uprightText = false;
    std::vector<PageItem> m_items;
    std::size_t m_backdropEnd = 0;
};
