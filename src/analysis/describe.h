#pragma once
// The analysis in words: what a design is, and the figures as rows of a
// section, a caption and a value with its unit, so that every place that
// states them says the same.

#include "analysis/input.h"
#include "analysis/result.h"

#include <QString>
#include <QVector>

namespace analysis {

struct TextRow {
    QString section; // "Response", "Limits", ...
    QString caption; // "F3"
    QString value; // "31.2 Hz"
    bool operator==(const TextRow&) const = default;
};

// What a design is, for titles and legends, as the graph names its designs:
// "Test woofer, vented 2.16 ft³", then what sets it apart from one driver
// at 2.83 V and 1 m (", isobaric", ", 10 W at 2 m").
QString analysisLabel(const AnalysisInput& input);

// The figures beside the curves: response, limits, the amplifier's load and
// the driver as the model derived it; the figures a result does not have
// are left out, and the limits that need driver data not given say which.
// Empty for a result without curves.
QVector<TextRow> figureRows(const AnalysisResult& result);

} // namespace analysis
