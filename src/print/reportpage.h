#pragma once
// One-page reports of the crossover and network windows: the window supplies
// a layout (title, value lines, pictures, in world units of a page 2000
// high, y up) and printReportPage does the rest: the designValid check, the
// printer selection, the hourglass, the page composed in Times New Roman,
// the print fitted with 0.8, and the focus back to the window's first field.

#include "platform/page.h"

#include <QString>
#include <QVector>

class QWidget;

struct ReportLine {
    double x = 0, y = 0;
    QString text; // label + field text + unit
};

struct ReportPicture {
    double x = 0, y = 0, width = 0, height = 0; // lower-left corner and size
    QString file; // "p26.bmp"
};

struct ReportLayout {
    QString title;
    double titleX = 0, titleY = 0;
    QVector<ReportLine> lines;
    QVector<ReportPicture> pictures;
    bool fixedFontSizes = false; // the active 2-way page: title 120, lines 100 whatever the font factor
};

// The world of every printed page: 2000 by 2000 units, y up.
inline const QRectF kReportWorld(0, 0, 2000, 2000);

// The screen font width the page fonts are measured against; our pages are
// device independent, so the factor 27.69 / width is 1.
inline constexpr double kScreenFontWidth = 27.69;
double fontFactor();
// round(factor * size), halves to even.
int scaledFontSize(double factor, double size);

// A blank report page: the world, upright texts, Times New Roman.
Page blankReportPage();

Page composeReportPage(const ReportLayout& layout);

// The whole print command of a crossover/network window: nothing unless
// designValid is 1; printer selection; busy cursor; compose; print (or PDF
// file); "Could Not Open Printing Device" on failure; focus to firstField.
void printReportPage(const ReportLayout& layout, QWidget* firstField);
