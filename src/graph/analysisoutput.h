#pragma once
// The analysis written to a file, its kind chosen by the name's suffix: the
// chart as a picture (PNG, SVG or PDF, as the graph window saves its graph)
// or the current design's curves as the files other tools read (CSV, FRD,
// ZMA; analysis/export.h). The analysis window's "Export..." and Save, and
// the command line's -o, call saveAnalysisOutput.

#include "graph/analysischart.h"

#include <QSize>
#include <QString>
#include <optional>

enum class AnalysisOutput : std::uint8_t { Png, Svg, Pdf, Csv, Frd, Zma };

// By the name's suffix, in any case; empty for any other.
std::optional<AnalysisOutput> analysisOutputOf(const QString& fileName);

// The pictures' sizes, as the graph window saves its graph: PNG in pixels,
// SVG in its own units; a PDF is an A4 page.
inline const QSize kAnalysisImageSize(1600, 800);
inline const QSize kAnalysisSvgSize(1000, 500);

// Writes the file whole or not at all: nullopt when written, else why not.
// The curves' files hold one design: the chart's current design, or the
// only design of a chart without one.
std::optional<QString> saveAnalysisOutput(
    const QString& fileName, const AnalysisChart& chart, const QSize& imageSize = kAnalysisImageSize);
