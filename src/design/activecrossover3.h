#pragma once
// The active 3-way crossover (18 dB per octave) from a high frequency fh and a
// low frequency fl, built from the two sections of the 2-way design: the
// woofer low-pass at fl, the tweeter high-pass at fh, and for the mid-range a
// high-pass at fl followed by a low-pass at fh. The two frequencies are not
// compared: a low frequency above the high one is designed as given.
// Out: the twenty values of the window, or nothing when either frequency is
// not above 0 or a value would not be a finite Single.

#include "design/activecrossover2.h"

namespace design {

struct ActiveThreeWay {
    float r = 0, r1 = 0, r2 = 0, r3 = 0, r4 = 0; // tweeter high-pass at fh, ohms
    float c = 0, c1 = 0, c2 = 0, c3 = 0, c4 = 0; // C, C1 at fh; C2..C4 woofer low-pass at fl, uF
    float rm = 0, r5 = 0, r6 = 0, r7 = 0, r8 = 0; // mid-range high-pass at fl, ohms
    float cm = 0, c5 = 0, c6 = 0, c7 = 0, c8 = 0; // Cm, C5 at fl; C6..C8 mid-range low-pass at fh, uF
    QVector<ActiveComponent> components() const;
};

std::optional<ActiveThreeWay> activeThreeWay(double highFrequency, double lowFrequency);

} // namespace design
