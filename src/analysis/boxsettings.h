#pragma once
// What only some boxes have, set on a box that has it: the leakage losses
// QL (the vented, passive radiator and bandpass box), the port (the vented
// box, the bandpass box's front) and a passive radiator's Sd and Xmax. Each
// setter answers false, leaving the box as it is, for a box without it, so
// that the command line and the window take them by one rule.

#include "analysis/input.h"

#include <optional>

namespace analysis {

bool setBoxLosses(BoxSetup& box, double ql);
// `port`: which of design::kPorts.
bool setBoxPort(BoxSetup& box, int port);
// A value not given leaves the radiator's as it is.
bool setRadiatorCone(BoxSetup& box, std::optional<double> sd, std::optional<double> xmax);

// The port the box is analysed with; empty for a box without one.
std::optional<int> boxPort(const BoxSetup& box);

} // namespace analysis
