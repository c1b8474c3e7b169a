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
    MaxSpl, // dB: the amplifier's power up to Pe into Re, the cone's excursion up to Xmax
    Excursion, // mm, peak
    PortVelocity, // m/s, peak
    Impedance, // ohm, magnitude
    ImpedancePhase, // degrees
    Phase, // degrees, the pressure's, unwrapped
    GroupDelay, // ms
};

struct CurveInfo {
    CurveKind kind;
    const char* name;
    const char* unit;
};
inline constexpr std::array<CurveInfo, 8> kCurveInfo { {
    { CurveKind::Spl, "SPL", "dB" },
    { CurveKind::MaxSpl, "Max SPL", "dB" },
    { CurveKind::Excursion, "Excursion", "mm" },
    { CurveKind::PortVelocity, "Port velocity", "m/s" },
    { CurveKind::Impedance, "Impedance", "ohm" },
    { CurveKind::ImpedancePhase, "Impedance phase", "deg" },
    { CurveKind::Phase, "Phase", "deg" },
    { CurveKind::GroupDelay, "Group delay", "ms" },
} };

// "SPL (dB)": a column header, an axis title.
QString curveTitle(CurveKind kind);

struct Curve {
    CurveKind kind = CurveKind::Spl;
    QVector<double> values; // one per frequency of the result
};

// What limits the maximum SPL at a frequency.
enum class Limit : std::uint8_t { Excursion, Thermal };

// A horizontal line on a curve: Xmax on the excursion, 17 m/s on the port's velocity.
struct LimitLine {
    CurveKind curve;
    double value;
    QString label;
};

struct AtFrequency {
    double value = 0;
    double frequency = 0; // Hz
};

struct Figures {
    double sensitivity = 0; // dB at 2.83 V and 1 m, passband
    double efficiency = 0; // reference efficiency eta0, %
    double passband = 0; // dB at the input and distance; the curves' 0 dB when normalised
    std::optional<double> f3, f6, f10; // Hz; empty: not within the grid
    std::optional<AtFrequency> xmaxPower; // W at which the cone first reaches Xmax, and where
    std::optional<AtFrequency> peakPortVelocity; // m/s at the input, and where
    std::optional<double> peakPortMach;
    AtFrequency impedanceMinimum; // ohm, above the lowest impedance peak
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
