#pragma once
// The passive 3-way crossover: woofer, mid-range and tweeter branches at
// 6 dB per octave (L1 to the woofer, C1 to the tweeter, C2 and L2 in series
// with the mid-range) or 12 dB per octave (L1 with C2 across the woofer, C1
// with L2 across the tweeter, C3 with L4 across and L3 with C4 across for the
// mid-range, from one table of coefficients that assumes fh = 10 x fl).
//
// In: the high and low crossover frequencies fh, fl (Hz), the three
// impedances (ohms) as the fields read, and the slope. Out: what the edit of
// one field recomputes (its change rule), L in mH and C in uF.

#include "core/designstate.h"
#include "design/crossoverparts.h"

#include <array>

namespace design {

enum class ThreeWayField { Frqh, Frql, Rh, Rm, Rl };

struct ThreeWayInputs {
    double fh = 0;
    double fl = 0;
    double rh = 0;
    double rm = 0;
    double rl = 0;
    bool is12dB = false;
};

// The mid-band centre fm and the two design frequencies fa, fb of the 6 dB
// mid-range band-pass. Only for fh > fl > 0.
struct MidBand {
    double fm = 0, fa = 0, fb = 0;
};
MidBand midBand(double fh, double fl);

// The formula of one part; none for a part the slope does not have.
std::optional<double> threeWayFormula(XoverPart part, const ThreeWayInputs& in, const MidBand& band);

// The change rule of a field. The frequency fields need all five inputs and
// skip silently when fl >= fh; the impedance fields need fh, fl and their own
// impedance and refuse fl >= fh with the order message (focus to szFrqh).
//  - Frqh, Frql: every part of the slope ("N/A" for L3, C3, L4, C4 at 6 dB).
//  - Rh: C1, L2 (12 dB) or C1 and "N/A" x 4.
//  - Rl: L1, C2 (12 dB) or L1 and "N/A" x 4.
//  - Rm: L4, C3, L3, C4 (12 dB) or L2, C2 and "N/A" x 4.
XoverRecalc threeWayChange(ThreeWayField changed, const ThreeWayInputs& in);

// The proposed low frequency after the high one is typed.
inline double proposedLowFrequency(double fh) { return fh / 10; }

Message crossoverOrderMessage();

// The mid-range values of the 12 dB response model, for the graph: a band-pass
// of 1.88 around fl and fh. None when one would not be a finite Single.
struct ResponseModel {
    float l3 = 0, c3 = 0, l4 = 0, c4 = 0;
};
std::optional<ResponseModel> threeWayResponseModel(double fh, double fl, double rm);

// xoverType of a 3-way design.
inline XoverType threeWayType(bool is12dB) { return is12dB ? XoverType::ThreeWay12dB : XoverType::ThreeWay6dB; }

} // namespace design
