#pragma once
// The analysis: what a driver does in its box.
//
// In: an AnalysisInput (input.h): the driver's data, how many drivers and how
// they are wired, the box as its window designed it, the filter ahead of the
// drivers, the input and the distance; typed, or read from the design a box
// window handed over (handover.h).
// Out: an AnalysisResult (result.h): SPL, maximum SPL, cone excursion, port
// air velocity, impedance and its phase, the acoustic phase and the group
// delay at kPointCount log-spaced frequencies from kLowestFrequency to
// kHighestFrequency (constants.h), and the figures a builder decides a box
// by; or the messages that say what is missing.
//
// The model (system.h): the lumped elements of a moving-coil driver
// (driver.h) on the acoustic load of its box (box.h), in complex arithmetic
// per frequency, in double. No widgets and no state: the window, the command
// line and the printed page all ask this one function.

#include "analysis/input.h"
#include "analysis/result.h"

namespace analysis {

AnalysisResult analyse(const AnalysisInput& input);

// The grid of every curve, in Hz.
QVector<double> analysisFrequencies();

} // namespace analysis
