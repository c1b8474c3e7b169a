#pragma once
// One driver's lumped model from its datasheet values, and several drivers
// combined into one.
//
// Vas and Sd give the suspension compliance Cms = Vas / (rho0 c^2 Sd^2), and
// Fs the moving mass Mms = 1 / ((2 pi Fs)^2 Cms), the air load included.
// Qes gives the motor, Bl^2 = 2 pi Fs Mms Re / Qes, and Qms the mechanical
// losses, Rms = 2 pi Fs Mms / Qms. Qts rules: with only one of Qes and Qms
// given the other follows from 1/Qts = 1/Qes + 1/Qms; with both, Qes is kept,
// Qms follows, and a warning says so when they disagree with Qts by more than
// kQtsTolerance.

#include "analysis/input.h"
#include "core/messages.h"

#include <QVector>
#include <optional>

namespace analysis {

// The driver values the analysis asks for, to name what is missing.
enum class DriverValue : std::uint8_t { Fs, Qts, Vas, QesOrQms, Re, Sd, Xmax, Pe };
QString driverValueName(DriverValue value); // "Fs", ..., "Qes or Qms", ...
// "Missing Driver Data: Re, Sd"
QString missingDataText(const QVector<DriverValue>& missing);

// The lumped elements of a moving-coil driver, in SI units.
struct Lumped {
    double re = 0; // ohm
    double le = 0; // H
    double bl = 0; // T m
    double mms = 0; // kg, air load included
    double cms = 0; // m/N
    double rms = 0; // N s/m
    double sd = 0; // m^2
};

struct DerivedDriver {
    std::optional<Lumped> lumped; // empty: data missing or contradictory
    double qes = 0, qms = 0; // as the model uses them
    QVector<DriverValue> missing; // without these, no analysis
    QVector<DriverValue> missingForLimits; // without these, no maximum SPL or Xmax figures
    QVector<Message> messages; // why there is no model, or a warning
};

DerivedDriver deriveDriver(const DriverData& data);

// The drivers of `drivers` moving as one: masses, losses and cone areas add,
// compliances divide; series coils add Re, Le and Bl, parallel coils divide
// Re and Le and keep Bl.
Lumped combined(const Lumped& one, const Drivers& drivers);

} // namespace analysis
