#pragma once
// The two networks wired in parallel with a driver to tame its impedance:
//  - the impedance equalisation (a Zobel network, R and C in series) that
//    cancels the rise caused by the voice-coil inductance Le;
//  - the series notch filter (R, L and C in series) that flattens the
//    impedance peak at the driver's resonance.
// In: the numbers of the compensating-networks window's fields. Out: the
// components as Singles, or nothing when the inputs are incomplete or lead
// to values no field could show (an infinity or a number beyond a Single).

#include <QStringView>
#include <optional>

namespace design {

// The window's display patterns.
inline constexpr QStringView kNetPattern = u"###.##"; // resistances and capacitances
inline constexpr QStringView kNetLPattern = u"#.###"; // the notch inductance

struct ImpedanceEqualisation {
    float r = 0; // ohms
    float c = 0; // microfarads
};

// R = 1.25 Re, C = 10^3 Le / R^2; nothing unless Re and Le are above 0.
std::optional<ImpedanceEqualisation> impedanceEqualisation(double re, double leMilliHenry);

struct NotchFilter {
    float r = 0; // ohms
    float c = 0; // microfarads
    float l = 0; // millihenries
    bool full = false; // from Qes and Qms; false: the less accurate method
};

// Nothing unless Fs and Re are above 0. With Qes and Qms both above 0 the
// full method, otherwise the less accurate one that needs neither.
std::optional<NotchFilter> seriesNotch(double fs, double re, double qes, double qms);

} // namespace design
