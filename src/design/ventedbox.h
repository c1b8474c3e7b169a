#pragma once
// The vented (bass-reflex) box, from a driver's Qts, Vas and Fs.
//
// In: the numbers of the window's fields (VentedDriver, with the isobaric
// factor that multiplies Vas), and for the recomputations the typed tuning
// frequency or volume and the volume the window last showed.
// Out: the design to show and store (VentedDesign), or the reason it was
// refused, with the messages, beep and focus as data.
//
// One fixed alignment gives the volume, tuning and cut-off from Qts:
//   Vb = 15 Qts^2.87 Vas',  Fb = 0.42 Fs Qts^-0.9,  F3 = 0.26 Fs Qts^-1.4.
// A typed tuning frequency or volume moves the box off the alignment:
//   Vb = Vas' (Fs / Fb)^(1 / 0.32),  Fb = Fs (Vas' / Vb)^0.32,  F3 = Fs sqrt(Vas' / Vb),
// and the response then has a hump or dip of
//   H = 20 log10(2.6 Qts (Vas' / V)^0.35) dB.
//
// Nothing here produces a NaN or an infinity: a volume that would show as "."
// (below 0.005 cubic feet), a recomputation with Qts, Vas or Fs cleared or
// negative, and any result beyond the Single range are refused with an
// "Error" message naming what to change.

#include "design/boxmessages.h"
#include "design/boxproportions.h"
#include "design/outcome.h"
#include "design/portlengths.h"

#include <optional>

namespace design {

struct VentedDriver {
    double qts = 0; // szQts
    double vas = 0; // szVas, one driver, cubic feet
    double fs = 0; // szFar, Hz
    float isoFactor = 1; // 1.0 one driver, 0.5 an isobaric pair

    double effectiveVas() const { return isoFactor * vas; } // Vas'
    bool present() const { return qts > 0 && vas > 0 && fs > 0; }
};

struct VentedAlignment {
    float vb = 0, fb = 0, f3 = 0;
};
VentedAlignment ventedAlignment(const VentedDriver& driver);

// H in dB for a box of `volume` cubic feet; positive is a hump.
double humpOrDip(const VentedDriver& driver, double volume);

// What szH shows and the window's humpDip reads back from it.
struct HumpDipShown {
    QString text;
    float value = 0;
};

struct VentedDesign {
    float vb = 0, fb = 0, f3 = 0; // ventedVb, ventedFb, ventedF3
    bool showsVb = true; // szVvb gets vb; false: it keeps the typed text
    bool showsFb = true; // szFb gets fb; false: it keeps the typed text
    double overVolume = 0; // szVover
    std::optional<HumpDipShown> hump; // empty: szH and humpDip keep theirs
    std::optional<float> shownVb; // set by Calculate and activation: the volume as shown
    PortLengths ports {};
    BoxProportions box;
    bool f3AboveFb() const { return f3 > fb; }
};

struct VentedResult {
    std::optional<VentedDesign> design; // empty: nothing is shown or stored
    Outcome outcome;
};

// The design last made in the window, as the design state keeps it.
struct StoredVentedDesign {
    float vb = 0, fb = 0, f3 = 0;
    float humpDip = 0;
};

// "Calculate": the alignment, with the hump or dip of the volume as shown.
VentedResult ventedCalculate(const VentedDriver& driver);

// Activation: the stored design when there is one, otherwise the alignment
// (without hump or dip, without warning). Quietly nothing without a driver.
VentedResult ventedActivation(const VentedDriver& driver, const std::optional<StoredVentedDesign>& stored);

// Coming back after another window changed the driver: the box the window
// designed keeps its volume and tuning (a typed one included); the cut-off
// and the hump or dip are those of the new driver in it, quietly.
VentedResult ventedForDriver(const VentedDriver& driver, float vb, float fb);

// Leaving szFb: the volume for the typed tuning frequency.
VentedResult ventedFromTuning(const VentedDriver& driver, double typedFb, double fieldVb, float shownVb);

// Leaving szVvb: the tuning for a changed volume, or the alignment again
// when the volume is the one last shown.
VentedResult ventedFromVolume(const VentedDriver& driver, double typedVb, float shownVb);

} // namespace design
