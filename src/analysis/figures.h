#pragma once
// The figures stated beside the curves, read from the curves and the model.

#include "analysis/result.h"
#include "analysis/system.h"

namespace analysis {

// `result` holds the curves of `model`.
Figures figuresOf(const SystemModel& model, const DerivedDriver& driver, const AnalysisResult& result);

// Where the response, normalised to the passband, falls `drop` dB below it:
// from the response's highest point downwards, the first crossing,
// interpolated on the logarithmic frequency scale. Empty when the response
// stays above that down to the grid's lowest frequency, or never reaches it.
std::optional<double> cutOff(const QVector<double>& frequencies, const QVector<double>& normalised, double drop);

} // namespace analysis
