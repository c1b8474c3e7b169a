#pragma once
// The design both benchmarks draw: a vented box, a bandpass box and a 3-way
// 12 dB crossover, all handed over.

#include "core/designstate.h"

inline DesignState fullDesign()
{
    DesignState s;
    applyStartValues(s);
    s.boxValid = 1;
    s.boxType = BoxType::Vented;
    s.driverName = "Bench Woofer";
    s.fs = 30, s.qts = 0.4f, s.vas = 2, s.closedVb = 2, s.isoFactor = 1, s.ventedFb = 30;
    s.boxHeight = 20, s.boxWidth = 12.5f, s.boxDepth = 14;
    s.radiatorVd = 1.6f, s.radiatorVpr = 4.98f;
    s.bandValid = 1;
    s.bandPa = 1.5517, s.bandFl3 = 25, s.bandFb = 39.06f, s.bandFh3 = 61.03f;
    s.bandQts = 0.5f, s.bandVas = 2, s.bandFs = 25, s.bandIsoFactor = 1;
    s.bandSealedVb = 1.3878f, s.bandVentedVb = 0.98f;
    s.xoverType = XoverType::ThreeWay12dB;
    s.xoverFreqLow = 400, s.xoverFreq = 4000;
    s.xoverL1 = 4.5f, s.xoverC2 = 44, s.xoverRl = 8;
    s.xoverC3 = 30, s.xoverL4 = 3, s.xoverL3 = 0.4f, s.xoverC4 = 10, s.xoverRm = 8;
    s.xoverC1 = 5.6f, s.xoverL2 = 0.36f, s.xoverRh = 8;
    return s;
}
