#pragma once
// The whole system as one lumped model, and its answer at one frequency.
//
// The amplifier's voltage e, through the filter, drives the voice coils
// (Re, Le) whose force Bl i moves the cone against its own mass, compliance
// and losses and against the box (box.h). The output is the on-axis pressure
// of a small source in half space, p = j w rho0 U0 / (2 pi r), U0 the volume
// velocity that leaves the box and the cone together. Time of flight is left
// out: the phase is the system's own.

#include "analysis/box.h"
#include "analysis/driver.h"

#include <complex>

namespace analysis {

struct SystemModel {
    Lumped one; // one driver
    Lumped all; // all drivers as one
    BoxModel box;
    HighPass filter;
    double volts = 0; // RMS at the amplifier
    double distance = 0; // m
    double xmax = 0; // m, peak; 0: not given
    double pe = 0; // W, all drivers; 0: not given
};

// The model, or why there is none.
struct SystemBuild {
    DerivedDriver driver;
    std::optional<SystemModel> model;
    QVector<Message> messages; // the driver's, then the other inputs'
};

SystemBuild buildSystem(const AnalysisInput& input);

// At one frequency (Hz, above 0), at the model's input; RMS values.
struct PointResponse {
    std::complex<double> impedance; // ohm, of the drivers
    std::complex<double> pressure; // Pa
    std::complex<double> coneVelocity; // m/s
    std::complex<double> ventFlow; // m^3/s out of the vent
};

PointResponse responseAt(const SystemModel& model, double frequency);

// The passband's pressure: the level the response tends to above the box's
// resonances with no voice-coil inductance, rho0 Sd Bl e / (2 pi r Re Mms).
// A box whose output is not the cone's (a bandpass) will state its own.
double passbandPressure(const SystemModel& model);

// Watts into the drivers' Re, and back.
double voltsForWatts(const SystemModel& model, double watts); // RMS volts
double wattsForVolts(const SystemModel& model, double volts);

// dB SPL of an RMS pressure in Pa.
double soundPressureLevel(double pressure);

} // namespace analysis
