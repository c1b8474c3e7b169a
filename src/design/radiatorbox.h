#pragma once
// The passive-radiator box: a vented box whose port is an undriven cone.
//
// A table method: the driver's Qts (from .20 to .44) selects one of 25 rows
// (lower bound <= Qts < upper bound, compared in double); the row gives the
// radiator's displacement as a multiple of the driver's Vd, the tuning and
// the cut-off as multiples of Fs and Vas' / Vb. No formula joins the rows and
// nothing is interpolated. Vas' = isoFactor x Vas.
//
// Out: the design to show and store, or the reason it was refused, with the
// messages, beep and focus as data. A result beyond the Single range is
// refused with an "Error" message, so no field ever shows an infinity.

#include "design/boxmessages.h"
#include "design/boxproportions.h"
#include "design/outcome.h"

#include <array>
#include <optional>

namespace design {

struct RadiatorRow {
    double qtsFrom, qtsBelow; // the row applies for qtsFrom <= Qts < qtsBelow
    double vprPerVd, fbPerFs, f3PerFs, vasPerVb;
};

// The bounds are written as decimals: 0.2 + 0.01 i would put Qts = .30 in the wrong row.
inline constexpr std::array<RadiatorRow, 25> kRadiatorTable { {
    { 0.20, 0.21, 1.81, 2.1, 2.65, 8.21 },
    { 0.21, 0.22, 1.84, 2.02, 2.51, 7.26 },
    { 0.22, 0.23, 1.88, 1.94, 2.36, 6.38 },
    { 0.23, 0.24, 1.92, 1.88, 2.26, 5.76 },
    { 0.24, 0.25, 1.98, 1.82, 2.16, 5.2 },
    { 0.25, 0.26, 2.02, 1.77, 2.06, 4.76 },
    { 0.26, 0.27, 2.07, 1.73, 1.98, 4.33 },
    { 0.27, 0.28, 2.1, 1.68, 1.9, 4.01 },
    { 0.28, 0.29, 2.15, 1.64, 1.82, 3.65 },
    { 0.29, 0.30, 2.2, 1.59, 1.74, 3.34 },
    { 0.30, 0.31, 2.24, 1.56, 1.67, 3.08 },
    { 0.31, 0.32, 2.35, 1.51, 1.59, 2.78 },
    { 0.32, 0.33, 2.44, 1.48, 1.53, 2.58 },
    { 0.33, 0.34, 2.53, 1.45, 1.49, 2.38 },
    { 0.34, 0.35, 2.61, 1.42, 1.44, 2.2 },
    { 0.35, 0.36, 2.67, 1.39, 1.38, 2.06 },
    { 0.36, 0.37, 2.76, 1.35, 1.33, 1.91 },
    { 0.37, 0.38, 2.84, 1.33, 1.3, 1.8 },
    { 0.38, 0.39, 2.94, 1.3, 1.27, 1.66 },
    { 0.39, 0.40, 3.09, 1.26, 1.23, 1.53 },
    { 0.40, 0.41, 3.11, 1.23, 1.19, 1.41 },
    { 0.41, 0.42, 3.19, 1.21, 1.17, 1.3 },
    { 0.42, 0.43, 3.25, 1.19, 1.14, 1.22 },
    { 0.43, 0.44, 3.32, 1.16, 1.11, 1.12 },
    { 0.44, 0.45, 3.38, 1.13, 1.08, 1.03 },
} };

inline constexpr double kRadiatorQtsMin = 0.2;
inline constexpr double kRadiatorQtsMax = 0.44; // so the last row serves .44 alone

// The row for a Qts; empty outside the table.
std::optional<RadiatorRow> radiatorRow(double qts);

struct RadiatorInputs {
    double qts = 0; // szQts
    double vas = 0; // szVas, one driver, cubic feet
    double fs = 0; // szFar, Hz
    double vd = 0; // szVd, 10^-4 m^3; optional
    float isoFactor = 1; // 1.0 one driver, 0.5 an isobaric pair
};

struct RadiatorDesign {
    std::optional<float> vpr; // radiatorVpr for szVpr; empty without a Vd: szVpr keeps its text
    float fb = 0; // ventedFb
    float f3 = 0; // radiatorF3
    float vb = 0; // ventedVb
    double overVolume = 0; // szVover
    BoxProportions box;
    bool f3AboveFb() const { return f3 > fb; }
};

struct RadiatorResult {
    std::optional<RadiatorDesign> design; // empty: nothing is shown or stored
    Outcome outcome;
};

// Calculate refuses a Qts out of range with a message and missing driver
// values with a beep, and warns when the cut-off lies above the tuning. The
// activation design shows the range message alone and never warns.
RadiatorResult radiatorDesign(const RadiatorInputs& in, Trigger trigger);

} // namespace design
