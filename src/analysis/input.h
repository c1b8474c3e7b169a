#pragma once
// What the analysis is asked about: a driver (as its datasheet or the windows
// give it), how many drivers and how they are wired, the box, the filter ahead
// of the drivers and the signal. Plain values in the units the user types;
// system.h turns them into the lumped model.

#include "analysis/constants.h"

#include <QString>
#include <cstdint>
#include <limits>
#include <variant>

namespace analysis {

// A value that counts as given: finite and above 0.
inline bool given(double value) { return value > 0 && value < std::numeric_limits<double>::infinity(); }

// One driver's data. A value of 0 (or anything not a positive number) is
// "not given". Fs, Qts and Vas are the design's; Qes or Qms completes them.
struct DriverData {
    double fs = 0; // Hz
    double qts = 0;
    double vas = 0; // cubic feet
    double qes = 0;
    double qms = 0;
    double re = 0; // ohms, voice-coil dc resistance
    double sd = 0; // cm^2, cone area
    double xmax = 0; // mm, one way, peak
    double pe = 0; // W, thermal rating
    double le = 0; // mH, voice-coil inductance; 0: none
    bool operator==(const DriverData&) const = default;
};

enum class Wiring : std::uint8_t { Parallel, Series };
// As files and the command line name them, in the order of the enum.
inline constexpr const char* kWiringKeys[] = { "parallel", "series" };

// `count` identical units side by side in the one box, each one driver or an
// isobaric pair (two drivers clamped face to back: one cone area, twice the
// moving mass, half the Vas). All voice coils are wired the one way.
struct Drivers {
    int count = 1;
    bool isobaric = false;
    Wiring wiring = Wiring::Parallel;
    int coils() const { return count * (isobaric ? 2 : 1); }
    bool operator==(const Drivers&) const = default;
};

// The boxes, as their windows design them. Volumes in cubic feet.
struct ClosedBoxSetup {
    static constexpr const char* name = "Closed Box";
    static constexpr const char* key = "closed"; // as files and the command line name it
    double volume = 0;
    bool operator==(const ClosedBoxSetup&) const = default;
};

struct VentedBoxSetup {
    static constexpr const char* name = "Vented Box";
    static constexpr const char* key = "vented";
    double volume = 0;
    double fb = 0; // Hz; the port's air mass tunes the box exactly here
    double ql = kDefaultQl; // leakage losses
    int port = 0; // which of design::kPorts
    bool operator==(const VentedBoxSetup&) const = default;
};

// An undriven cone in place of the port. Its moving mass is not asked for:
// the analysis sets it so that the box tunes exactly to Fb.
struct PassiveRadiator {
    double sd = 0; // cm^2; not given: the drivers' cone area
    double xmax = 0; // mm, one way, peak; not given: displacement / Sd, or none
    double displacement = 0; // 10^-4 m^3, the radiator volume the window suggests; 0: none
    double vas = 0; // cubic feet, its suspension as air; not given: kDefaultRadiatorVasPerVb x Vb
    double q = 0; // mechanical Q at its own resonance; not given: kDefaultRadiatorQ
    bool operator==(const PassiveRadiator&) const = default;
};

struct RadiatorBoxSetup {
    static constexpr const char* name = "Passive Radiator Box";
    static constexpr const char* key = "radiator";
    double volume = 0;
    double fb = 0; // Hz; the radiator's mass tunes the box exactly here
    double ql = kDefaultQl;
    PassiveRadiator radiator;
    bool operator==(const RadiatorBoxSetup&) const = default;
};

// The fourth-order bandpass: a sealed section behind the cone, a vented
// section in front of it; the sound leaves through the vented section's port.
struct BandpassBoxSetup {
    static constexpr const char* name = "Bandpass Box";
    static constexpr const char* key = "bandpass";
    double sealedVolume = 0;
    double ventedVolume = 0;
    double fb = 0; // Hz, the vented section's tuning
    double ql = kDefaultQl; // the vented section's losses
    int port = 0; // which of design::kPorts
    bool operator==(const BandpassBoxSetup&) const = default;
};

// A new box is one more alternative here, with its name and its model in box.h.
using BoxSetup = std::variant<ClosedBoxSetup, VentedBoxSetup, RadiatorBoxSetup, BandpassBoxSetup>;

// The signal at the amplifier: RMS volts, or watts into the drivers' Re.
enum class DriveUnit : std::uint8_t { Volts, Watts };
inline constexpr const char* kDriveUnitKeys[] = { "volts", "watts" };
struct Drive {
    DriveUnit unit = DriveUnit::Volts;
    double level = kSensitivityVolts;
    double distance = kSensitivityDistance; // m, on axis
    bool operator==(const Drive&) const = default;
};

// A high-pass filter between the amplifier and the drivers.
enum class FilterKind : std::uint8_t { None, Butterworth, LinkwitzRiley };
inline constexpr const char* kFilterKeys[] = { "none", "butterworth", "linkwitz-riley" };
struct HighPass {
    FilterKind kind = FilterKind::None;
    int order = 2; // Butterworth 1 to 4; Linkwitz-Riley 2 or 4
    double frequency = 0; // Hz, -3 dB (Butterworth) or -6 dB (Linkwitz-Riley)
    bool active() const { return kind != FilterKind::None; }
    bool operator==(const HighPass&) const = default;
};

struct AnalysisInput {
    DriverData driver;
    Drivers drivers;
    BoxSetup box;
    Drive drive;
    HighPass filter;
    QString driverName; // shown with the analysis, not computed with
    bool operator==(const AnalysisInput&) const = default;
};

} // namespace analysis
