#pragma once
// A chart the user sees, saved as a picture file: the entries of a chart's
// context menu ("Save Graph as PNG..."), the file dialog through the
// program's file chooser, the file written whole, and a message that says
// why it was not.

#include "platform/page.h"

#include <QSize>
#include <QString>

enum class PageFile { Png, Svg, Pdf };
inline constexpr PageFile kPageFiles[] = { PageFile::Png, PageFile::Svg, PageFile::Pdf };

// The sizes a chart is saved at: PNG in pixels, SVG in its own units; a PDF is an A4 page.
struct PageFileSizes {
    QSize png { 1600, 800 };
    QSize svg { 1000, 500 };
};

// "Save Graph as PNG..." for a chart called `what` ("Graph").
QString savePageAction(PageFile kind, const QString& what);

// Asks for a file name ("graph.png" offered) and saves the page; says why
// when it cannot. False when nothing was saved.
bool savePageAs(const Page& page, PageFile kind, const QString& what, const PageFileSizes& sizes = {});
