#pragma once
// The analysis of the box design a box window handed over, read from the
// design state as the graph reads it: only while boxValid is 1, for the box
// that boxType names. The closed box takes its volume from closedVb; the
// vented box its volume from closedVb and its tuning from ventedFb, with the
// default port (box.h); isoFactor below 1 (the window's "Y") is an isobaric
// pair. Fs, Qts and Vas are the design's; Qes, Qms and Re those of the
// measurement window when it left them. The rest of the driver's data (Sd,
// Xmax, Pe, Le) is not in the design state: the caller adds it.

#include "analysis/input.h"
#include "core/designstate.h"

#include <optional>

namespace analysis {

// Empty when no box the analysis models has been handed over.
std::optional<AnalysisInput> handedOverAnalysis(const DesignState& state);

// The box's name as the analysis states it ("Closed Box", "Vented Box").
QString boxName(const BoxSetup& box);

} // namespace analysis
