#pragma once
// The boxes as acoustic loads on the cone, one frequency at a time.
//
// boxModel turns a box as its window designs it (input.h) into acoustic
// elements in SI units; boxLoad answers, at an angular frequency, what the
// box does with the volume velocity Ud = Sd x cone velocity (outward
// positive): the impedance behind the cone, the share of Ud that radiates
// and the share that leaves through the vent.
//
// Closed box: the air's compliance Cab = Vb / (rho0 c^2) behind the cone; all
// of Ud radiates. Vented box: Cab, the port's air mass Map = 1 / (wb^2 Cab),
// so that the box tunes exactly to Fb, and the leakage Ral = QL / (wb Cab),
// all three from the box to the open air. A new box (a passive radiator in
// place of the port, a bandpass with the output from its port alone) is one
// more model and one more case of boxLoad.

#include "analysis/input.h"
#include "core/messages.h"

#include <QVector>
#include <complex>
#include <optional>
#include <variant>

namespace analysis {

struct BoxLoad {
    std::complex<double> impedance; // Pa s/m^3; the pressure behind the cone is -impedance x Ud
    std::complex<double> output; // the volume velocity radiated, per Ud
    std::complex<double> vent; // the volume velocity out of the vent, per Ud
};

// A vent's opening, for its air velocity and its pipe resonance.
struct Vent {
    double area = 0; // m^2
    double length = 0; // m; 0 when a port of this diameter cannot be built
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

using BoxModel = std::variant<ClosedBoxModel, VentedBoxModel>;

// Empty, with the reasons appended to `problems`, when the box is not
// complete; a port too short to build is analysed, with a warning.
std::optional<BoxModel> boxModel(const BoxSetup& setup, QVector<Message>& problems);

BoxLoad boxLoad(const BoxModel& box, double omega);

// The vent whose air velocity the analysis shows; empty for a closed box.
std::optional<Vent> boxVent(const BoxModel& box);

// The port a vented box is analysed with until the user picks one: the
// widest of design::kPorts that can be built and is no longer than the box
// is high (design::boxProportions); else the narrowest that can be built.
int defaultPort(double fb, double volume);

} // namespace analysis
