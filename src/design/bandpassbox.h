#pragma once
// The fourth-order bandpass box: a sealed section behind the driver and a
// vented section in front of it, from the driver's Qts, Vas and Fs and a
// desired low cut-off Fl3.
//
// Two fitted polynomials in the normalised cut-off x = Fl3 / (Fs / Qts) carry
// the method: the Qtc of the sealed section and the passband gain Pa in dB.
// With S = 0.7 and Vas' = isoFactor x Vas:
//   Vf = (2 S Qts)^2 Vas',  Fh3 = (x + 0.7206) Fs / Qts,
//   Vs = Vas' / ((Qtc / Qts)^2 - 1),  Fb = (Fs / Qts) Qtc,
//   optional coil L = Re isoFactor / (Fh3 6.28) 1000 mH,
// and the vented-section port lengths for the nine diameters.
//
// The polynomials follow the alignment's closed form (Qtc = Qbp =
// sqrt(x (x + 0.7206)), so Fb = Qbp Fs / Qts, and Pa = 40 log10(1.4 Qbp)) only
// over part of x: from 0.193 to 0.851 the fitted Pa stays within 1 dB of it
// (the bound that comes first on either side), the tuning within 0.4 % and the
// sealed volume within 5 % for any Qts up to nine tenths of Qtc. Outside that
// range Calculate still designs, and warns that the results are unreliable.
//
// Out: the design to show and store, or the reason it was refused, with the
// messages, beep and focus as data. Fs must be above 0 (it divides), a
// driver whose Qts is not below the fitted Qtc has no sealed section, and a
// result beyond the Single range is refused: no NaN or infinity ever reaches
// a field or the design state.

#include "core/designstate.h"
#include "design/outcome.h"
#include "design/portlengths.h"

#include <array>
#include <optional>

namespace design {

using Polynomial = std::array<double, 9>; // c0 .. c8

inline constexpr Polynomial kSealedQtcPolynomial { 0.34839, -2.75469, 37.8446, -189.55815, 561.41584, -1023.92281,
    1129.59923, -691.21267, 179.96591 };
inline constexpr Polynomial kPassbandGainPolynomial { -178.55849, 2907.1109, -21926.76, 94622.05, -251301.1, 419432.6,
    -429314.9, 246351.8, -60682.15 };

// c0 + c1 x + ... + c8 x^8, summed from the constant term upward, each power formed on its own.
double evaluatePolynomial(const Polynomial& c, double x);

inline constexpr double kBandS = 0.7; // the bandwidth factor S

// The range of x over which the polynomials hold, rounded inwards.
inline constexpr double kBandFittedLowestX = 0.193;
inline constexpr double kBandFittedHighestX = 0.851;

struct BandpassInputs {
    double qts = 0; // szQtsb
    double vas = 0; // szVasb, one driver, cubic feet
    double fs = 0; // szFarb, Hz
    double fl3 = 0; // szFl3, Hz
    double re = 0; // szRdcb, ohms; optional
    float isoFactor = 1; // bandIsoFactor
    double s = kBandS; // bandS
};

struct BandpassDesign {
    float ventedVb = 0; // bandVentedVb, szVf
    float fh3 = 0; // bandFh3Calc, szFh3
    float sealedVb = 0; // bandSealedVb, szVbb
    float fb = 0; // bandFb, szFbb
    double pa = 0; // bandPa, szPa
    QString fsQtsText; // szFsQt: Fs / Qts rounded (halves to even), with "####"
    std::optional<float> coil; // bandCoilL, szL; empty without a driver impedance: both keep theirs
    PortLengths ports {};
};

struct BandpassResult {
    std::optional<BandpassDesign> design; // empty: nothing is shown or stored
    bool clearsResults = false; // the driver check failed: szFh3, szVbb, szVf, szFbb empty, designValid 0
    bool withdrawsDesign = false; // designValid becomes 0 (the results stay shown)
    Outcome outcome;
};

// "Calculate" (Trigger::Calculate) and the recalculation when the window
// opens (Trigger::Activation): on opening there is no beep and no warning,
// and a driver that fails the check gets no results and no message.
BandpassResult bandpassDesign(const BandpassInputs& in, Trigger trigger);

// Pa for a stored design, as the graph needs it after a system file is
// loaded (the file does not hold Pa); empty when Qts, Fs or Fl3 do not allow it.
std::optional<double> passbandGain(double qts, double fs, double fl3);
// Sets bandPa from the loaded bandQts, bandFs and bandFl3 when they allow it.
void recomputeBandPaAfterLoad(DesignState& state);

} // namespace design
