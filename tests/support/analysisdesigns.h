// Analysed designs the analysis, chart, file and page tests share: one
// driver with all its data in each box the analysis models.
#pragma once

#include "analysis/input.h"

namespace analysed {

// Fs 30 Hz, Qts .4, Vas 2 cubic feet, Qms 5, Re 6 ohm, Sd 220 cm², Xmax 6 mm, Pe 100 W.
inline analysis::AnalysisInput withBox(const analysis::BoxSetup& box)
{
    analysis::AnalysisInput in;
    in.driver = { 30, 0.4, 2, 0, 5, 6, 220, 6, 100 };
    in.box = box;
    in.driverName = QStringLiteral("Test woofer");
    return in;
}

inline analysis::AnalysisInput closed() { return withBox(analysis::ClosedBoxSetup { 1 }); }
inline analysis::AnalysisInput vented() { return withBox(analysis::VentedBoxSetup { 2.16, 28.74, 7, 5 }); }
// A radiator of the cones' area with an Xmax of 12 mm.
inline analysis::AnalysisInput radiator() { return withBox(analysis::RadiatorBoxSetup { 2.5, 26, 7, { 0, 12 } }); }
inline analysis::AnalysisInput bandpass() { return withBox(analysis::BandpassBoxSetup { 1.4, 1, 39, 7, 5 }); }

} // namespace analysed
