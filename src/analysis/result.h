#pragma once
// What the analysis gives back: curves over its frequency grid, each named
// with its unit; the factor that limits the maximum SPL at each point; the
// limit lines drawn on the curves; the figures stated beside them; and the
// messages that say why something is missing.
//
// Everything here is a finite number: an optional figure that has no value
// (no vent, a cut-off below the grid, a limit whose data are missing) is
// empty, and a result that would leave the range of a double is withdrawn
// with a message.

#include "analysis/driver.h"

#include <QString>
#include <QVector>
#include <array>
#include <optional>

namespace analysis {

enum class CurveKind : std::uint8_t {
    Spl, // dB at the input and distance
    MaxSpl, // dB: the amplifier's power up to Pe into Re, the cone's (and a radiator's) excursion up to Xmax
    Excursion, // mm, peak, of the drivers' cones
    RadiatorExcursion, // mm, peak; a passive radiator box's, where the others have a port
    PortVelocity, // m/s, peak; the port of a vented box, the front port of a bandpass box
    Impedance, // ohm, magnitude
    ImpedancePhase, // degrees
    Current, // A, RMS, drawn from the amplifier
    ApparentPower, // VA: the RMS voltage at the drivers times the current
    Phase, // degrees, the pressure's, unwrapped
    GroupDelay, // ms
};

// `key` names the curve where it is typed or stored: the command line's
// choice of chart, the kept analysis curves in their file.
struct CurveInfo {
    CurveKind kind;
    const char* name;
    const char* unit;
    const char* key;
};
inline constexpr std::array<CurveInfo, 11> kCurveInfo { {
    { CurveKind::Spl, "SPL", "dB", "spl" },
    { CurveKind::MaxSpl, "Max SPL", "dB", "maxspl" },
    { CurveKind::Excursion, "Excursion", "mm", "excursion" },
    { CurveKind::RadiatorExcursion, "Radiator excursion", "mm", "radiator-excursion" },
    { CurveKind::PortVelocity, "Port velocity", "m/s", "velocity" },
    { CurveKind::Impedance, "Impedance", "ohm", "impedance" },
    { CurveKind::ImpedancePhase, "Impedance phase", "deg", "impedance-phase" },
    { CurveKind::Current, "Current", "A", "current" },
    { CurveKind::ApparentPower, "Apparent power", "VA", "apparent-power" },
    { CurveKind::Phase, "Phase", "deg", "phase" },
    { CurveKind::GroupDelay, "Group delay", "ms", "delay" },
} };

static_assert(
    [] {
        for (std::size_t i = 0; i < kCurveInfo.size(); ++i)
            if (std::size_t(kCurveInfo[i].kind) != i)
                return false;
        return true;
    }(),
    "kCurveInfo lists the curves in the order of CurveKind");

// "SPL (dB)": a column header, an axis title.
QString curveTitle(CurveKind kind);
QString curveName(CurveKind kind); // "SPL"
QString curveUnit(CurveKind kind); // "dB"
QString curveKey(CurveKind kind); // "spl"
// The curve a key names (case as written); empty for any other text.
std::optional<CurveKind> curveOfKey(QStringView key);

struct Curve {
    CurveKind kind = CurveKind::Spl;
    QVector<double> values; // one per frequency of the result
};

// What limits the maximum SPL at a frequency: the cones' Xmax, the
// radiator's Xmax or the drivers' Pe.
enum class Limit : std::uint8_t { Excursion, Thermal, RadiatorExcursion };

// A horizontal line on a curve: Xmax on the excursions, 17 m/s on the port's velocity.
struct LimitLine {
    CurveKind curve;
    double value;
    QString label;
};

struct AtFrequency {
    double value = 0;
    double frequency = 0; // Hz
};

// A passive radiator as the model sets it.
struct RadiatorFigures {
    double mass = 0; // g, the moving mass that tunes the box, air load included
    double resonance = 0; // Hz, on its own suspension, out of the box
    double sd = 0; // cm^2
    std::optional<double> xmax; // mm
    std::optional<AtFrequency> xmaxPower; // W at which it first reaches its Xmax, and where
};

struct Figures {
    double sensitivity = 0; // dB at 2.83 V and 1 m, passband
    double efficiency = 0; // reference efficiency eta0, %
    double passband = 0; // dB at the input and distance; the curves' 0 dB when normalised
    std::optional<double> f3, f6, f10; // Hz; empty: not within the grid
    std::optional<double> upperF3; // Hz, where the response falls 3 dB below the passband above its top
    std::optional<AtFrequency> xmaxPower; // W at which the cone first reaches Xmax, and where
    std::optional<AtFrequency> peakPortVelocity; // m/s at the input, and where; a box with a port
    std::optional<double> peakPortMach;
    std::optional<RadiatorFigures> radiator; // a passive radiator box
    AtFrequency impedanceMinimum; // ohm, above the lowest impedance peak
    AtFrequency maximumCurrent; // A at the input
    AtFrequency maximumApparentPower; // VA at the input
    std::optional<double> pipeResonance; // Hz, where the port is half a wavelength long
    double bl = 0; // T m, one driver
    double mms = 0; // g, one driver
    double qes = 0, qms = 0; // as the model uses them
};

struct AnalysisResult {
    QVector<double> frequencies; // Hz
    QVector<Curve> curves; // in the order of kCurveInfo, those the box and the data give
    QVector<Limit> maxSplLimits; // per frequency, with the maximum SPL
    QVector<LimitLine> lines;
    Figures figures;
    QVector<DriverValue> missing; // without these there is nothing
    QVector<DriverValue> missingForLimits; // without these, no maximum SPL or Xmax figures
    QVector<Message> messages;

    bool valid() const { return !curves.isEmpty(); }
    const Curve* curve(CurveKind kind) const; // null when not given
};

inline double machNumber(double velocity) { return velocity / kSpeedOfSound; }

} // namespace analysis
