#pragma once
// The analysis in words: what was analysed (the box, the driver's data, the
// drivers and their wiring, the input and the filter) and the figures, as
// rows of a section, a caption and a value with its unit. The exported
// files' headers, the printed page and the command line's figures all show
// these rows, so that each says the same. Volumes and port diameters are
// given in the units chosen; the rest is metric already.

#include "analysis/input.h"
#include "analysis/result.h"
#include "core/units.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace analysis {

struct TextRow {
    QString section; // "Box", "Driver", ...
    QString caption; // "Volume"
    QString value; // "2.16 ft³ (61.2 L)"
    bool operator==(const TextRow&) const = default;
};

// What a design is, for titles, legends and kept curves, as the graph names
// its designs: "Test woofer, vented 2.16 ft³", then what sets it apart from
// one driver at 2.83 V and 1 m without a filter (", isobaric", ", 2 in
// parallel", ", Butterworth 2nd order 25 Hz", ", 10 W at 2 m").
QString analysisLabel(const AnalysisInput& input, UnitSystem system = unitSystem());

// The box, the driver, the drivers, the input and the filter, in that order.
QVector<TextRow> designRows(const AnalysisInput& input, UnitSystem system = unitSystem());

// The figures beside the curves: response, limits, the amplifier's load, the
// driver as the model derived it and the passive radiator; the figures a
// result does not have are left out, and the limits that need driver data
// not given say which. Empty for a result without curves.
QVector<TextRow> figureRows(const AnalysisResult& result);

// A filter's kind ("None", "Butterworth", "Linkwitz-Riley") and an order
// ("2nd"), as the rows and the windows name them.
QString filterKindName(FilterKind kind);
QString ordinal(int n);

// One line per section: "Box: Vented Box; volume 2.16 ft³ (61.2 L); ...".
QStringList sectionLines(const QVector<TextRow>& rows);

} // namespace analysis
