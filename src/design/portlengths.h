#pragma once
// Port lengths for the nine standard round port diameters, shared by the
// vented, passive-radiator and bandpass windows and the box data report.
//
// For a port of radius r inches in a box tuned to Fb Hz with a net volume of
// Vb cubic feet, portLength() is the one formula: a term in
// r^2 / (Fb^2 Vb 1728) less the end correction 1.463 r, in inches. A port of
// 0.5 inch or less cannot be built and shows "N/A".

#include <QString>
#include <array>

namespace design {

inline constexpr int kPortCount = 9;

// One standard port: its diameter in inches and the caption over its column.
struct PortSize {
    double diameter;
    const char* caption;
};
inline constexpr std::array<PortSize, kPortCount> kPorts { {
    { 0.5, ".5" },
    { 0.75, ".75" },
    { 1.0, "1.0" },
    { 1.5, "1.5" },
    { 2.0, "2.0" },
    { 3.0, "3.0" },
    { 4.0, "4.0" },
    { 6.0, "6.0" },
    { 8.0, "8.0" },
} };

// Lv of the formula above, in double precision. Expects a positive tuning
// frequency and volume.
double portLength(double diameter, double tuningHz, double volumeCubicFeet);

// Whether a port of this length can be built: longer than 0.5 inch.
bool portIsBuildable(double length);

// The windows' lengths, for the ports of kPorts in order, each rounded to a Single.
using PortLengths = std::array<float, kPortCount>;
PortLengths portLengths(float tuningHz, float volumeCubicFeet);

// "N/A" for a port that cannot be built, otherwise the length with "###.##".
QString portLengthText(float length);

} // namespace design
