// Designs as the windows hand them over to the graph: the states that the
// curve and graph window tests draw.
#pragma once

#include "core/designstate.h"

namespace handedover {
// On `s`, the rest of a design state.
inline DesignState closedBox(float fc, float qtc, DesignState s = {})
{
    s.boxValid = 1;
    s.boxType = BoxType::Closed;
    s.closedFc = fc;
    s.closedQtcCalc = qtc;
    return s;
}

inline DesignState ventedBox()
{
    DesignState s;
    s.boxValid = 1;
    s.boxType = BoxType::Vented;
    s.fs = 30;
    s.qts = 0.4f;
    s.vas = 2;
    s.closedVb = 2;
    s.isoFactor = 1;
    s.ventedFb = 30;
    return s;
}

inline DesignState bandpass()
{
    DesignState s;
    s.bandValid = 1;
    s.bandPa = 1.5517;
    s.bandFl3 = 25;
    s.bandFb = 39.06f;
    s.bandFh3 = 61.03f;
    return s;
}

inline DesignState secondOrderTwoWay()
{
    DesignState s;
    s.xoverType = XoverType::TwoWay12dB;
    s.xoverFreq = 800; // grid 100, 150, 200, ... 1000, 1500, ... 3000, ...
    s.xoverL1 = 1.8f;
    s.xoverC2 = 17.6f;
    s.xoverRl = 8;
    s.xoverC1 = 8;
    s.xoverL2 = 0.8f;
    s.xoverRh = 8;
    return s;
}

// The closed box that files compared on one chart start from: "Test woofer"
// (Qts .4, Vas 2, Fs 30) in 0.94 cubic feet, as a file holds it.
inline DesignState comparedClosedBox()
{
    DesignState s;
    applyStartValues(s);
    s.driverName = "Test woofer";
    s.fs = 30, s.qts = 0.4f, s.vas = 2;
    s.boxValid = 1, s.boxType = BoxType::Closed;
    s.closedVb = 0.94f, s.closedFc = 53.06f, s.closedQtcCalc = 0.707f;
    return s;
}

// A first-order 2-way crossover at 1 kHz on 8 Ohms.
inline DesignState firstOrderTwoWay(DesignState s)
{
    s.xoverType = XoverType::TwoWay6dB;
    s.xoverFreq = 1000;
    s.xoverL1 = 1.27f;
    s.xoverRl = 8;
    s.xoverC1 = 19.9f;
    s.xoverRh = 8;
    return s;
}
} // namespace handedover
