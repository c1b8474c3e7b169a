#pragma once
// The passive 2-way crossover: a woofer branch and a tweeter branch, 6 dB per
// octave (L1 to the woofer, C1 to the tweeter) or 12 dB per octave (L1 with
// C2 across the woofer, C1 with L2 across the tweeter).
//
// In: the crossover frequency f (Hz), the woofer and tweeter impedances Rl,
// Rh (ohms) as the fields read, and the slope. Out: what the edit of one
// field recomputes (its change rule), L in mH and C in uF. Activation shows a
// stored design with the rule of the frequency field, which recomputes all.

#include "core/designstate.h"
#include "design/crossoverparts.h"

namespace design {

enum class TwoWayField { Frq, Rh, Rl };

struct TwoWayInputs {
    double f = 0;
    double rl = 0;
    double rh = 0;
    bool is12dB = false;
};

// The formula of one part; none for a part the slope does not have.
std::optional<double> twoWayFormula(XoverPart part, const TwoWayInputs& in);

// The change rule of a field:
//  - Frq: needs f, Rl, Rh > 0; recomputes every part of the slope.
//  - Rh:  needs f, Rh, Rl > 0; recomputes C1 and L2 (12 dB) or C1 and "N/A" for C2.
//  - Rl:  needs f and Rl > 0 only; recomputes L1 and C2 (12 dB) or L1 and "N/A" for L2.
XoverRecalc twoWayChange(TwoWayField changed, const TwoWayInputs& in);

// xoverType of a 2-way design.
inline XoverType twoWayType(bool is12dB) { return is12dB ? XoverType::TwoWay12dB : XoverType::TwoWay6dB; }

} // namespace design
