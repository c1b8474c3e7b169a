#pragma once
// Port lengths for the nine standard round port diameters, shared by the
// vented and passive-radiator windows.
//
// For a port of radius r inches, a box tuned to Fb Hz with a net volume of
// Vb cubic feet: Lv = 1.463E7 r^2 / (Fb^2 Vb 1728) - 1.463 r inches, the last
// term being the end correction. A port of 0.5 inch or less cannot be built
// and shows "N/A".

#include <QString>
#include <array>

namespace design {

inline constexpr int kPortCount = 9;
inline constexpr std::array<double, kPortCount> kPortDiameters { 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0 };

using PortLengths = std::array<float, kPortCount>;

// Expects a positive tuning frequency and volume.
PortLengths portLengths(float tuningHz, float volumeCubicFeet);

// "N/A" for 0.5 inch or less, otherwise the length with "###.##".
QString portLengthText(float length);

} // namespace design
