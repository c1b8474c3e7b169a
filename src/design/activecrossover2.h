#pragma once
// The active (line-level) crossovers with 18 dB per octave slopes, built from
// two third-order op-amp sections:
//  - a low-pass section on fixed 10 000-ohm resistors with three computed
//    capacitors (0.1931, 2.4553, 2.1089 over F x 6.2832 x 10 000);
//  - a high-pass section on a computed capacitor Cx = 1 / (F x 6.2832 x 20 000)
//    and its half, with three computed resistors (5.1766, 0.4074, 0.4742 over
//    F x 6.2832 x Cx), where Cx enters as the Single it is stored as, so the
//    resistors come out independent of F (103 532, 8 148, 9 484 ohms).
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
    float c1 = 0, c2 = 0, c3 = 0; // the 0.1931, 2.4553 and 2.1089 capacitors, uF
};

struct HighPassSection {
    float c = 0, cHalf = 0; // Cx and Cx / 2, uF
    float r1 = 0, r2 = 0, r3 = 0; // the 5.1766, 0.4074 and 0.4742 resistors, ohms
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
