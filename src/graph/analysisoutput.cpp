#include "graph/analysisoutput.h"

#include "analysis/export.h"
#include "platform/pageoutput.h"

#include <QFileInfo>

std::optional<AnalysisOutput> analysisOutputOf(const QString& fileName)
{
    static const char* const suffixes[] = { "png", "svg", "pdf", "csv", "frd", "zma" };
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (int i = 0; i < int(std::size(suffixes)); ++i)
        if (suffix == QLatin1String(suffixes[i]))
            return AnalysisOutput(i);
    return std::nullopt;
}

std::optional<QString> saveAnalysisOutput(const QString& fileName, const AnalysisChart& chart, const QSize& imageSize)
{
    const std::optional<AnalysisOutput> kind = analysisOutputOf(fileName);
    if (!kind)
        return QStringLiteral("the name ends in none of .png, .svg, .pdf, .csv, .frd and .zma");
    if (*kind == AnalysisOutput::Png || *kind == AnalysisOutput::Svg || *kind == AnalysisOutput::Pdf) {
        QString problem;
        if (savePageFile(composeAnalysisChart(chart), fileName, imageSize, kAnalysisSvgSize, &problem))
            return std::nullopt;
        return problem;
    }
    const ChartedDesign* design = nullptr;
    for (const ChartedDesign& d : chart.designs)
        if (d.colorSlot == kCurrentDesign)
            design = &d;
    if (!design && chart.designs.size() == 1)
        design = &chart.designs.first();
    if (!design)
        return QStringLiteral("it holds the curves of one design, and the chart compares several");
    const auto format = *kind == AnalysisOutput::Csv ? analysis::ExportFormat::Csv
        : *kind == AnalysisOutput::Frd               ? analysis::ExportFormat::Frd
                                                     : analysis::ExportFormat::Zma;
    return analysis::writeExport(fileName, format, design->input, design->result);
}
