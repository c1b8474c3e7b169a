#pragma once
// Thiele/Small parameters from impedance measurements.
//
// In: the seven measured values of the measurement window (dc resistance Re,
// free-air resonance Fs, impedance peak Zmax, the frequencies f1 and f2 either
// side of resonance where the impedance equals Z', the test-box volume Vt and
// the resonance Fct in that box), as read from the fields.
// Out: Z', Qms, Qes, Qts and Vas as Singles, or the messages the window shows
// instead, with the control that gets the focus afterwards.
//
// Nothing here produces a NaN or an infinity: a combination of inputs whose
// results would not be finite Singles (or whose Qms + Qes is 0) is refused
// with an "Error" message, and then nothing is shown or stored.

#include "core/messages.h"
#include "design/outcome.h"

#include <QString>
#include <optional>

namespace design {

struct MeasurementInputs {
    double re = 0; // szRdct, ohms
    double fs = 0; // szFrt, Hz
    double zmax = 0; // szIfr, ohms
    double f1 = 0; // szFlt, Hz
    double f2 = 0; // szFht, Hz
    double vt = 0; // szVtbt, cubic feet
    double fct = 0; // szFrtbt, Hz

    // The checks and the calculation run only when every value is above 0.
    bool allPositive() const;
};

// Z' on leaving szRdct or szIfr: the geometric mean of Re and Zmax.
struct ReferenceImpedance {
    std::optional<float> zPrime; // set: store it and show it
    std::optional<Message> message; // Re = Zmax
};
ReferenceImpedance referenceImpedance(double re, double zmax);

// The four input checks, in their order; the first that fails, as its
// message and the control that gets the focus. Only meaningful when all
// inputs are positive.
std::optional<Outcome> checkInputs(const MeasurementInputs& in);

struct QFactors {
    float qms = 0, qes = 0, qts = 0;
};

// Qms, Qes and Qts, each Q rounded to a Single before it enters the next
// formula, as the stored values are. Refused when a Q is not a finite Single
// or Qms + Qes is 0. Expects inputs that passed the checks and Re != Zmax.
struct QFactorsResult {
    std::optional<QFactors> q;
    std::optional<Outcome> refusal;
};
QFactorsResult computeQFactors(const MeasurementInputs& in);

// Vas = Vt x 1.15 x ((Fct / Fs)^2 - 1), cubic feet; empty when not a finite Single.
std::optional<float> computeVas(double vt, double fct, double fs);

// Calculate: everything above in order.
struct MeasurementResult {
    std::optional<QFactors> q; // set: show and store the three Qs
    std::optional<float> vas; // set: show it; empty: szVast keeps its text
    Outcome outcome;
};
MeasurementResult measureDriver(const MeasurementInputs& in);

// Exit's silent variant: the Qs to store, or nothing when Calculate would
// not have produced them.
std::optional<QFactors> qFactorsForExit(const MeasurementInputs& in);

} // namespace design
