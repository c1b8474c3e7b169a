#include "print/analysispage.h"

#include "analysis/analysis.h"
#include "analysis/describe.h"
#include "analysis/handover.h"
#include "core/messages.h"
#include "graph/analysischart.h"
#include "print/FrmProgress.h"
#include "print/printjob.h"
#include "print/reportpage.h"

#include <QPointer>

using analysis::AnalysisInput;
using analysis::AnalysisResult;
using analysis::TextRow;
using Kind = analysis::CurveKind;

namespace {
constexpr int kPlain = 0;
constexpr int kBold = 32;
constexpr int kBoldItalic = 48;
constexpr double kPageFraction = 0.9; // as the box data report

// The text above the charts: three columns from the heading down to the
// charts. On portrait paper the page's world is narrower than it is high,
// and upright letters are wider than the world's square units: a column
// holds about 55 letters.
constexpr double kColumnsTop = 1815;
constexpr double kColumnsBottom = 1110;
constexpr double kColumnWidth = 650;
constexpr int kColumns = 3;
constexpr double kRowSize = 46;
constexpr double kRowHeight = 26;

// The charts: two by two below the text.
constexpr double kChartWidth = 1000;
constexpr double kChartHeight = 530;

AnalysisChartLook pageChartLook()
{
    AnalysisChartLook look;
    look.face = QStringLiteral("Times New Roman");
    look.captionSize = scaledFontSize(fontFactor(), 48);
    look.labelSize = scaledFontSize(fontFactor(), 42);
    look.legendSize = scaledFontSize(fontFactor(), 38);
    look.legendScreenPoints = 0;
    look.left = 100, look.right = 95, look.bottom = 80, look.top = 45;
    return look;
}

// The rows, section by section, down the columns; a section that does not
// fit below the last starts the next column.
void drawRows(Page& page, const QVector<TextRow>& rows)
{
    QVector<QVector<TextRow>> sections;
    for (const TextRow& row : rows) {
        if (sections.isEmpty() || sections.last().first().section != row.section)
            sections.push_back({});
        sections.last() << row;
    }
    int column = 0;
    double y = kColumnsTop;
    for (const QVector<TextRow>& section : sections) {
        const double height = kRowHeight * (section.size() + 1);
        if (y - height < kColumnsBottom && y < kColumnsTop && column + 1 < kColumns) {
            ++column;
            y = kColumnsTop;
        }
        const double x = 30 + column * kColumnWidth;
        const QRectF clip(x, kColumnsBottom - kRowHeight, kColumnWidth - 20, kColumnsTop + kRowHeight);
        page.loadFont(kBold, scaledFontSize(fontFactor(), kRowSize));
        page.text(x, y, section.first().section, 1, 0, { Qt::AlignLeft | Qt::AlignBaseline, clip });
        y -= kRowHeight;
        page.loadFont(kPlain, scaledFontSize(fontFactor(), kRowSize));
        for (const TextRow& row : section) {
            page.text(x + 15, y, row.caption + QStringLiteral(": ") + row.value, 1, 0,
                { Qt::AlignLeft | Qt::AlignBaseline, clip });
            y -= kRowHeight;
        }
        y -= kRowHeight / 2;
    }
}

QString nothingToPrint(const AnalysisResult& r)
{
    const QString why = !r.missing.isEmpty() ? analysis::missingDataText(r.missing)
        : r.messages.isEmpty()               ? QStringLiteral("No Analysis")
                                             : r.messages.first().prompt;
    return QStringLiteral("Nothing to Print: ") + why;
}
} // namespace

QVector<PageChart> analysisPageCharts(const AnalysisInput& input)
{
    const AnalysisResult r = analysis::analyse(input);
    const Kind third = r.curve(Kind::PortVelocity) ? Kind::PortVelocity
        : r.curve(Kind::RadiatorExcursion)         ? Kind::RadiatorExcursion
                                                   : Kind::GroupDelay;
    return { { Kind::Spl, Kind::MaxSpl }, { Kind::Excursion, std::nullopt }, { third, std::nullopt },
        { Kind::Impedance, Kind::ImpedancePhase } };
}

Page composeAnalysisPage(
    const AnalysisInput& input, const std::function<void(int)>& advance, const KeptAnalysisCurves& kept)
{
    Page page = blankReportPage();
    const AnalysisResult result = analysis::analyse(input);
    page.loadFont(kBoldItalic, scaledFontSize(fontFactor(), 120));
    page.text(1000, 1945, analysis::boxName(input.box) + QStringLiteral(" Analysis"), 1, 0,
        { Qt::AlignHCenter | Qt::AlignBaseline, {} });
    page.loadFont(kPlain, scaledFontSize(fontFactor(), 60));
    page.text(1000, 1878, analysis::analysisLabel(input), 1, 0, { Qt::AlignHCenter | Qt::AlignBaseline, {} });
    drawRows(page, analysis::designRows(input) + analysis::figureRows(result));
    if (advance)
        advance(20);

    const QVector<PageChart> charts = analysisPageCharts(input);
    const AnalysisChartLook look = pageChartLook();
    for (int i = 0; i < charts.size(); ++i) {
        AnalysisChart chart = analysisChart(input, charts[i].curve, kept, charts[i].also);
        chart.title.clear(); // the heading names the design
        const QRectF frame((i % 2) * kChartWidth, 30 + (i < 2 ? kChartHeight : 0), kChartWidth, kChartHeight);
        drawAnalysisChart(page, frame, chart, look);
        if (advance)
            advance(20 + 20 * (i + 1));
    }
    return page;
}

bool runAnalysisPage(const PrintTarget& target, const AnalysisInput& input, QWidget* parent, ReportProgress shown,
    const KeptAnalysisCurves& kept)
{
    const AnalysisResult result = analysis::analyse(input);
    if (!result.valid()) {
        showMessage(msg::plain(nothingToPrint(result)));
        return false;
    }
    const QString name = input.driverName.trimmed();
    const QString jobName = name.isEmpty() ? QStringLiteral("Analysis") : QStringLiteral("Analysis - ") + name;

    BusyCursor busy;
    QPointer<FrmProgress> progress;
    if (shown == ReportProgress::Shown) {
        progress = new FrmProgress(parent ? parent->window() : nullptr);
        progress->setAttribute(Qt::WA_DeleteOnClose);
        progress->show();
        progress->step(QStringLiteral("Processing Data"), 10);
    }
    const Page page = composeAnalysisPage(
        input,
        [&progress](int gauge) {
            if (progress)
                progress->advance(gauge);
        },
        kept);
    if (progress)
        progress->step(QStringLiteral("Printing Graph"), 100);
    const bool printed = printPages(target, { page }, kPageFraction, jobName);
    if (progress)
        progress->close();
    return printed;
}

void printAnalysisPage(QWidget* parent, const AnalysisInput& input, const KeptAnalysisCurves& kept)
{
    const AnalysisResult result = analysis::analyse(input);
    if (!result.valid()) {
        showMessage(msg::plain(nothingToPrint(result)));
        return;
    }
    if (const std::optional<PrintTarget> target = choosePrintTarget(parent))
        runAnalysisPage(*target, input, parent, ReportProgress::Shown, kept);
}
