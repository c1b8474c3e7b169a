#pragma once
// The boxes as acoustic loads on the cone, one frequency at a time.
//
// boxModel turns a box as its window designs it (input.h) into acoustic
// elements in SI units; boxLoad answers, at an angular frequency, what the
// box does with the volume velocity Ud = Sd x cone velocity (outward
// positive): the impedance the cone works against, the share of Ud that
// radiates and the share that leaves through the port or the radiator.
//
// Closed box: the air's compliance Cab = Vb / (rho0 c^2) behind the cone; all
// of Ud radiates. Vented box: Cab, the port's air mass Map = 1 / (wb^2 Cab),
// so that the box tunes exactly to Fb, and the leakage Ral = QL / (wb Cab),
// all three from the box to the open air; what leaks radiates.
// Passive radiator box: the port's air mass becomes the radiator's mass Map
// in series with its suspension Cap and its losses Rap; the loop of box air,
// radiator mass and suspension resonates at Fb, so
// Map = (1 / Cab + 1 / Cap) / wb^2. As Cap grows and Rap falls it is the
// vented box of the same tuning.
// Bandpass box: a closed box behind the cone and a vented box in front of
// it, which the cone fills rather than empties; only the front port radiates,
// and what the front section leaks is lost.

#include "analysis/input.h"
#include "core/messages.h"

#include <QVector>
#include <complex>
#include <optional>
#include <variant>

namespace analysis {

struct BoxLoad {
    std::complex<double> impedance; // Pa s/m^3; the pressure the cone works against is impedance x Ud
    std::complex<double> output; // the volume velocity radiated, per Ud
    std::complex<double> vent; // the volume velocity out of the port or the radiator, per Ud
};

// A vent's opening, for its air velocity and its pipe resonance.
struct Vent {
    double area = 0; // m^2
    double length = 0; // m; 0 when a port of this diameter cannot be built
};

// A passive radiator as the analysis takes it, for its excursion and figures.
struct RadiatorCone {
    double area = 0; // m^2
    double xmax = 0; // m, peak; 0: not given
    double mass = 0; // kg, the moving mass that tunes the box, air load included
    double resonance = 0; // Hz, on its own suspension, out of the box
};

struct ClosedBoxModel {
    double compliance = 0; // Cab, m^5/N
};

struct VentedBoxModel {
    double compliance = 0; // Cab, m^5/N
    double portMass = 0; // Map, kg/m^4
    double leakage = 0; // Ral, Pa s/m^3
    Vent port;
};

struct RadiatorBoxModel {
    double compliance = 0; // Cab, m^5/N
    double leakage = 0; // Ral, Pa s/m^3
    double mass = 0; // Map, the radiator's moving mass, kg/m^4
    double radiatorCompliance = 0; // Cap, m^5/N
    double radiatorLoss = 0; // Rap, Pa s/m^3
    RadiatorCone cone;
};

struct BandpassBoxModel {
    double sealedCompliance = 0; // behind the cone, m^5/N
    VentedBoxModel front;
};

using BoxModel = std::variant<ClosedBoxModel, VentedBoxModel, RadiatorBoxModel, BandpassBoxModel>;

// Empty, with the reasons appended to `problems`, when the box is not
// complete; a port too short to build is analysed, with a warning.
// `coneArea` (m^2, all drivers) stands in for a radiator's area not given.
std::optional<BoxModel> boxModel(const BoxSetup& setup, double coneArea, QVector<Message>& problems);

BoxLoad boxLoad(const BoxModel& box, double omega);

// The port whose air velocity the analysis shows; empty for a closed box and
// a passive radiator box.
std::optional<Vent> boxVent(const BoxModel& box);

// The passive radiator; empty for every other box.
std::optional<RadiatorCone> boxRadiator(const BoxModel& box);

// The box's net volume in cubic feet: a bandpass box's two sections together.
double netVolume(const BoxSetup& setup);

// The port a vented box is analysed with until the user picks one: the
// widest of design::kPorts that can be built and is no longer than the box
// is high (design::boxProportions); else the narrowest that can be built.
int defaultPort(double fb, double volume);

} // namespace analysis
