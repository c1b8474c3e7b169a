#include "platform/page.h"

void Page::loadFont(int style, double size)
{
    m_font.style = style;
    m_font.size = size;
}

void Page::setFontFace(const QString& face) { m_font.face = face; }

void Page::text(double x, double y, const QString& text, int align, int flag, const TextPlacement& placement)
{
    m_items.emplace_back(PageText { QPointF(x, y), m_font, align, flag, text, placement });
}

void Page::picture(double x, double y, double width, double height, const QString& file)
{
    m_items.emplace_back(PagePicture { QRectF(x, y, width, height), file });
}

void Page::polyline(
    const QVector<QPointF>& points, const QColor& color, Qt::PenStyle style, double widthPx, const QRectF& clip)
{
    m_items.emplace_back(PagePolyline { points, color, style, widthPx, clip });
}

void Page::legend(const QRectF& area, const QVector<LegendEntry>& entries, double screenPoints)
{
    if (!entries.isEmpty())
        m_items.emplace_back(PageLegend { area, m_font, entries, screenPoints });
}

QStringList Page::texts() const
{
    QStringList out;
    for (const PageItem& item : m_items)
        if (const auto* t = std::get_if<PageText>(&item))
            out << t->text;
    return out;
}

const PageText* Page::findText(const QString& text) const
{
    for (const PageItem& item : m_items)
        if (const auto* t = std::get_if<PageText>(&item); t && t->text == text)
            return t;
    return nullptr;
}

const PageLegend* Page::findLegend() const
{
    for (const PageItem& item : m_items)
        if (const auto* legend = std::get_if<PageLegend>(&item))
            return legend;
    return nullptr;
}
