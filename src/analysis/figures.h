#pragma once
// The figures stated beside the curves, read from the curves and the model.

#include "analysis/result.h"
#include "analysis/system.h"

namespace analysis {

// `result` holds the curves of `model`.
Figures figuresOf(const SystemModel& model, const DerivedDriver& driver, const AnalysisResult& result);

// Where the response, normalised to the passband, falls `drop` dB below it:
// from the response's highest point downwards (or upwards, for the upper
// cut-off), the first crossing, interpolated on the logarithmic frequency
// scale. Empty when the response stays above that to the grid's end, or
// never reaches it.
enum class Side : std::uint8_t { Below, Above };
std::optional<double> cutOff(
    const QVector<double>& frequencies, const QVector<double>& normalised, double drop, Side side = Side::Below);

} // namespace analysis
