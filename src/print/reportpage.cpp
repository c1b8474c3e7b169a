#include "print/reportpage.h"

#include "core/designstate.h"
#include "print/printjob.h"

#include <QWidget>
#include <cmath>

namespace {
constexpr int kBold = 32;
constexpr double kTitleSize = 120;
constexpr double kLineSize = 100;
constexpr double kReportFraction = 0.8;
} // namespace

double fontFactor() { return 27.69 / kScreenFontWidth; }

int scaledFontSize(double factor, double size)
{
    // The default rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(factor * size));
}

Page blankReportPage()
{
    Page page(kReportWorld);
    page.setUprightText(true);
    page.setFontFace(QStringLiteral("Times New Roman"));
    return page;
}

Page composeReportPage(const ReportLayout& layout)
{
    Page page = blankReportPage();
    const double f = fontFactor();
    const double titleSize = layout.fixedFontSizes ? kTitleSize : scaledFontSize(f, kTitleSize);
    const double lineSize = layout.fixedFontSizes ? kLineSize : scaledFontSize(f, kLineSize);
    page.loadFont(kBold, titleSize);
    page.text(layout.titleX, layout.titleY, layout.title);
    page.loadFont(kBold, lineSize);
    for (const ReportLine& line : layout.lines)
        page.text(line.x, line.y, line.text);
    for (const ReportPicture& picture : layout.pictures)
        page.picture(picture.x, picture.y, picture.width, picture.height, picture.file);
    return page;
}

void printReportPage(const ReportLayout& layout, QWidget* firstField)
{
    if (designState().designValid == 1) {
        QWidget* window = firstField ? firstField->window() : nullptr;
        if (const std::optional<PrintTarget> target = choosePrintTarget(window)) {
            const QString jobName
                = layout.title.trimmed().isEmpty() ? QStringLiteral("Tolvan") : layout.title.trimmed();
            printPages(*target, { composeReportPage(layout) }, kReportFraction, jobName);
        }
    }
    if (firstField)
        firstField->setFocus(Qt::OtherFocusReason);
}
