#pragma once
// Air-core inductors for crossovers: from the inductance a coil must have
// (mH) and the resistance it may have (ohms), the coil's height H and
// diameter D = 2 H in inches, its number of turns and the wire gauge (AWG)
// to wind it with. All intermediate values are Singles.
//
// A coil designed for a crossover is allowed 5 % of the impedance of the
// driver it serves; coilsToTakeOver says which of the crossover's inductors
// belong to which row of the inductor window.

#include "core/designstate.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace design {

inline constexpr QStringView kCoilDPattern = u"##.##";
inline constexpr QStringView kCoilHPattern = u"##.###";
inline constexpr QStringView kCoilNPattern = u"####.#";
inline constexpr QStringView kCoilRPattern = u"#.###"; // a taken-over resistance
inline constexpr QStringView kCoilLPattern = u"###.###"; // a taken-over inductance

struct WireGauge {
    std::int16_t awg;
    float diameter; // bare wire, inches
};

// From the thinnest wire (gauge 26) to the thickest (gauge 10).
inline constexpr std::array<WireGauge, 17> kWireTable { {
    { 26, 0.01594f },
    { 25, 0.0179f },
    { 24, 0.021f },
    { 23, 0.02257f },
    { 22, 0.02535f },
    { 21, 0.02845f },
    { 20, 0.03196f },
    { 19, 0.03589f },
    { 18, 0.0403f },
    { 17, 0.04526f },
    { 16, 0.05082f },
    { 15, 0.05707f },
    { 14, 0.06408f },
    { 13, 0.07196f },
    { 12, 0.08081f },
    { 11, 0.09074f },
    { 10, 0.1019f },
} };

// The thinnest gauge whose diameter is at least `diameter`; 0 when the wire
// would be thicker than gauge 10.
std::int16_t wireGaugeFor(float diameter);

struct CoilDesign {
    float height = 0; // H, inches
    float diameter = 0; // D = 2 H, inches
    float turns = 0; // N
    float wire = 0; // bare wire diameter d, inches
    std::int16_t gauge = 0;
};

// A coil of `milliHenry` with a resistance of `ohms`. Nothing when either is
// not above 0 as a Single, or when the coil has no finite size.
std::optional<CoilDesign> coilForResistance(double milliHenry, double ohms);
// The same with 5 % of the impedance of the driver the coil serves.
std::optional<CoilDesign> coilForDriver(double milliHenry, double driverOhms);
// The resistance coilForDriver allows.
float allowedResistance(float driverOhms);

// The gauge as the window shows it: " 16", or " ****" when there is none.
QString gaugeText(std::int16_t gauge);

struct CoilTakeOver {
    int row = 0; // 1 to 4 of the window's table
    float milliHenry = 0; // the crossover inductor
    float driverOhms = 0; // the driver it serves
};

// The crossover inductors a window opened by "L Design" takes over, by
// coilSource: TakeL1 takes L1, TakeL1L2 L1 and L2, TakeL1ToL4 L1 to L4;
// TakeNothing none. The rows follow ranges of the code (row 1 up to 6, row 2
// from 2 to 6, row 3 for 3 and 4), which also decide the codes that no window
// sets. Row 2 is given the tweeter impedance in every case.
std::vector<CoilTakeOver> coilsToTakeOver(CoilSource coilSource, const DesignState& state);

} // namespace design
