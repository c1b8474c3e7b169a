// Reading rendered charts back: colours by kind, whether one lies near a
// pixel, and the lines of a colour on a page.
#pragma once

#include "platform/page.h"

#include <QColor>
#include <QImage>
#include <QPoint>

// Whether a pixel within `radius` of `at` passes `test`.
template <class Test> bool near(const QImage& image, QPoint at, int radius, Test test)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (image.rect().contains(at + QPoint(dx, dy)) && test(image.pixelColor(at + QPoint(dx, dy))))
                return true;
    return false;
}

inline bool bluish(const QColor& c) { return c.blue() > 150 && c.red() < 120 && c.green() < 150; }

inline bool reddish(const QColor& c) { return c.red() > 150 && c.green() < 120 && c.blue() < 120; }

inline bool dark(const QColor& c) { return c.lightness() < 100; }

// The lines of a colour on a page.
inline int linesOf(const Page& page, const QColor& color)
{
    int n = 0;
    for (const PageItem& item : page.items())
        if (const auto* line = std::get_if<PagePolyline>(&item); line && line->color == color)
            ++n;
    return n;
}
