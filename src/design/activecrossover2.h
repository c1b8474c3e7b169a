#pragma once
// The active (line-level) crossovers with 18 dB per octave slopes, built from
// two third-order unity-gain op-amp sections tuned to a Butterworth response
// (-3 dB at F; low-pass and high-pass connected in phase sum flat):
//  - a low-pass section on three fixed 10 000-ohm resistors with three
//    computed capacitors k / (F x 6.2832 x 10 000): 0.2024 to ground at the
//    op-amp input, 3.546 from the second node back to the output and 1.392
//    to ground at the first node;
//  - its RC-CR dual, a high-pass section on three equal capacitors
//    Cx = 1 / (F x 6.2832 x 20 000), with three computed resistors
//    k / (F x 6.2832 x Cx) in the same places: 4.941 at the op-amp input,
//    0.2820 back from the output and 0.7184 at the first node. Cx enters as the
//    Single it is stored as, so the resistors come out independent of F
//    (98 820, 5 640, 14 368 ohms). Cx / 2 is shown beside it.
// In: the crossover frequency in Hz. Out: the ten values of the 2-way window
// (ohms and microfarads, as Singles), or nothing when the frequency is not
// above 0 or a value would not be a finite Single (1e-40 Hz, for instance).

#include <QStringView>
#include <QVector>
#include <optional>

namespace design {

inline constexpr double kActiveTwoPi = 6.2832;
inline constexpr double kActiveLowPassR = 10000; // R, Rm
inline constexpr double kActiveHighPassR = 20000; // R4, R8

// Display patterns: whole ohms grouped by thousands, microfarads to six decimals.
inline constexpr QStringView kResistorPattern = u"###,###";
inline constexpr QStringView kCapacitorPattern = u"#.######";

struct LowPassSection {
    float c1 = 0, c2 = 0, c3 = 0; // at the op-amp input, in the feedback, at the first node; uF
};

struct HighPassSection {
    float c = 0, cHalf = 0; // Cx and Cx / 2, uF
    float r1 = 0, r2 = 0, r3 = 0; // at the op-amp input, in the feedback, at the first node; ohms
};

std::optional<LowPassSection> activeLowPass(double frequency);
std::optional<HighPassSection> activeHighPass(double frequency);

// One value of a design with the field that shows it.
struct ActiveComponent {
    const char* field;
    float value;
    bool resistor; // shown with kResistorPattern, else kCapacitorPattern
};

QString activeComponentText(const ActiveComponent& component);

struct ActiveTwoWay {
    float r = 0, r1 = 0, r2 = 0, r3 = 0, r4 = 0; // ohms
    float c = 0, c1 = 0, c2 = 0, c3 = 0, c4 = 0; // uF
    QVector<ActiveComponent> components() const;
};

std::optional<ActiveTwoWay> activeTwoWay(double frequency);

} // namespace design
