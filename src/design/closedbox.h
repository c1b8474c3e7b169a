#pragma once
// The closed (sealed) box, from a driver's Qts, Vas and Fs.
//
// In: the numbers of the window's fields (ClosedBoxInputs) and the isobaric
// factor, which multiplies Vas. Two directions:
//  - closedBoxForVolume: the box volume for a desired system Q (Qtc), on
//    "Calculate" for volume and on the window's activation;
//  - closedBoxForQtc: the Qtc of a typed box volume.
// Out: the design to show and store, or the reason it was refused, with the
// messages, beep and focus as data (ClosedBoxResult).
//
// Both continue from the volume as its field shows it (two decimals), so a
// volume that shows as "." (below 0.005 cubic feet) would leave the system
// resonance undefined; such a design, and any whose results are not finite
// Singles, is refused with an "Error" message naming what to change.

#include "design/boxmessages.h"
#include "design/boxproportions.h"
#include "design/outcome.h"

#include <optional>

namespace design {

inline constexpr double kQtcMin = 0.5;
inline constexpr double kQtcMax = 1.5;

struct ClosedBoxInputs {
    double qts = 0; // szQts
    double vas = 0; // szVas, one driver, cubic feet
    double fs = 0; // szFar, Hz
    double qtc = 0; // szQd, the desired Qtc
    double typedVb = 0; // szVcb, the chosen volume for closedBoxForQtc
    float isoFactor = 1; // 1.0 one driver, 0.5 an isobaric pair
};

struct ClosedBoxDesign {
    float vbCalc = 0; // closedVbCalc, shown in szVcb
    double vbOver = 0; // szVover: 10 % over
    float fc = 0; // closedFc, szFc
    float qtcCalc = 0; // closedQtcCalc = Fc x Qts / Fs
    float f3 = 0; // szF3
    float qtc = 0; // closedQtc: the desired Qtc, or the one found
    BoxProportions box; // szH, szW, szD
    bool f3AboveFc() const { return f3 > fc; }
};

struct ClosedBoxResult {
    std::optional<ClosedBoxDesign> design; // empty: refused, nothing to show or store
    bool clearsBoxValid = false; // the refusal also withdraws the handed-over box
    Outcome outcome;
};

// The -3 dB cut-off of a closed box of system resonance `fc` and system Q
// `qtc`, as szF3 shows it.
float closedBoxF3(float fc, float qtc);

ClosedBoxResult closedBoxForVolume(const ClosedBoxInputs& in, Trigger trigger);
ClosedBoxResult closedBoxForQtc(const ClosedBoxInputs& in);

bool desiredQtcInRange(double qtc);
// The check when the focus enters szVas or szFar: empty when Qtc is in range.
Outcome desiredQtcOnEntry(double qtc);

} // namespace design
