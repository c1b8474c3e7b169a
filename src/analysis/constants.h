#pragma once
// The constants of the analysis, each stated once: the air, the reference
// levels, the frequency grid and the defaults of its inputs, for the help and
// the command line to quote.

#include "core/units.h"

#include <numbers>

namespace analysis {

// Air at about 20 degrees C.
inline constexpr double kAirDensity = 1.18; // rho0, kg/m^3
inline constexpr double kSpeedOfSound = 345; // c, m/s
inline constexpr double kReferencePressure = 20e-6; // Pa, 0 dB SPL
inline constexpr double kPi = std::numbers::pi;

inline constexpr double kCubicMetresPerCubicFoot = units::kLitresPerCubicFoot / 1000;
inline constexpr double kMetresPerInch = units::kCentimetresPerInch / 100;

// Sensitivity is the passband level at this voltage and distance.
inline constexpr double kSensitivityVolts = 2.83;
inline constexpr double kSensitivityDistance = 1; // m

// Above this peak air velocity a port is likely to be heard.
inline constexpr double kPortVelocityLimit = 17; // m/s

// Box losses of a vented box (leakage), as the graph assumes them.
inline constexpr double kDefaultQl = 7;

// Drivers side by side in one box, at the most.
inline constexpr int kMostDrivers = 100;

// Qes and Qms both given may disagree with the design's Qts by this much.
inline constexpr double kQtsTolerance = 0.02;

// The frequency grid: log-spaced from the lowest to the highest frequency.
inline constexpr int kPointCount = 400;
inline constexpr double kLowestFrequency = 5; // Hz
inline constexpr double kHighestFrequency = 2000; // Hz

} // namespace analysis
