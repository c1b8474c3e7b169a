#pragma once
// The design state: the one process-wide set of named values through which the
// windows hand results to each other, to the graph, to the reports and to the
// system file. Plain values only; the main window's start-up sets the start
// values (applyStartValues) and every window reads and writes members directly.
//
// Types follow the stored form: float for Single, double for Double, int16_t for
// Integer, Text30 for the 30-character names, and an enumeration over int16_t
// for each Integer that holds a code.

#include "core/text30.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// The codes are enumerations with int16_t as their fixed underlying type, so
// every Integer a system file can hold is a value of its enumeration: a code
// outside the named ones loads as it is and keeps the meaning it always had
// (a box type outside them shows no box, a crossover type no crossover).

// Which box design the graph and the report show. The report sets Bandpass
// while it composes the bandpass page and restores the earlier value.
enum class BoxType : std::int16_t { None = -1, Closed = 0, Vented = 1, Radiator = 2, Bandpass = 3 };

// Which passive crossover was designed last.
enum class XoverType : std::int16_t { None = 0, TwoWay6dB = 1, TwoWay12dB = 2, ThreeWay6dB = 3, ThreeWay12dB = 4 };

// Which crossover inductors the inductor window takes over each time it
// becomes active, set by whoever opens it; None after its Exit.
enum class CoilSource : std::int16_t {
    None = 0,
    TakeL1 = 1, // a 2-way 6 dB crossover
    TakeL1L2 = 2, // a 2-way 12 dB or 3-way 6 dB crossover
    TakeL1ToL4 = 4, // a 3-way 12 dB crossover
    TakeNothing = 7, // opened from the main window, for free use
};

// The driver values a box design is drawn for: Qts, Vas, Fs and the isobaric factor.
struct BoxDriver {
    float qts = 0, vas = 0, fs = 0, isoFactor = 0;
    bool operator==(const BoxDriver&) const = default;
};

struct DesignState {
    // Driver parameters shared by the closed, vented and passive-radiator windows.
    float qts = 0, vas = 0, fs = 0;
    Text30 driverName;
    float isoFactor = 0;

    // Driver measurement window.
    float qms = 0, qes = 0;
    float zPrime = 0; // not saved
    float re = 0, measFs = 0, measZres = 0, measF1 = 0, measF2 = 0;
    float testBoxVolume = 0, testBoxFc = 0;
    Text30 measDriverName;

    // Closed box.
    float closedQtc = 0, closedVbCalc = 0, closedVb = 0, closedFc = 0, closedQtcCalc = 0;
    float boxHeight = 0, boxWidth = 0, boxDepth = 0;

    // Vented and passive-radiator boxes.
    float ventedFb = 0, ventedVb = 0, ventedF3 = 0;
    std::int16_t ventedValid = 0;
    float radiatorVd = 0, radiatorVpr = 0;
    std::int16_t recalcBusy = 0; // not saved

    // Bandpass box.
    float bandQts = 0, bandVas = 0, bandFs = 0, bandRe = 0, bandFl3 = 0, bandFh3 = 0;
    float bandFh3Calc = 0, bandFb = 0, bandSealedVb = 0, bandVentedVb = 0, bandCoilL = 0;
    float bandIsoFactor = 0;
    double bandFl3Input = 0;
    std::int16_t bandValid = 0;
    Text30 bandWooferName;
    float bandS = 0; // not saved
    double bandPa = 0; // not saved

    // Crossovers. The twelve values xoverC1..xoverL6 are one block in the system file.
    float xoverC1 = 0, xoverC2 = 0, xoverC3 = 0, xoverC4 = 0;
    std::array<float, 2> xoverSpareC {};
    float xoverL1 = 0, xoverL2 = 0, xoverL3 = 0, xoverL4 = 0, xoverL5 = 0, xoverL6 = 0;
    float xoverRl = 0, xoverRm = 0, xoverRh = 0;
    float xoverFreq = 0, xoverFreqLow = 0;
    XoverType xoverType = XoverType::None;
    std::int16_t xoverIs12dB = 0; // not saved

    // Inductor window.
    float coilHeight = 0;
    float coilTurns = 0; // not saved
    std::int16_t coilWireGauge = 0; // not saved
    CoilSource coilSource = CoilSource::None; // not saved

    // Compensating networks.
    float netRe = 0, netFs = 0, netLe = 0;
    Text30 netName;

    // The analysis window's own inputs, kept for the session (not saved):
    // the driver data nothing else holds (Qes, Qms and Re are the
    // measurement's above), the signal, the losses and port of a vented
    // box, and the curve shown. A value not above 0 is not given: the
    // window shows its default.
    float analysisLe = 0, analysisSd = 0, analysisXmax = 0, analysisPe = 0;
    float analysisLevel = 0, analysisDistance = 0, analysisQl = 0;
    std::int16_t analysisWatts = 0; // the level is in watts into Re (else volts)
    std::int16_t analysisPort = -1; // which of the vented window's port diameters; -1: the design's own
    std::int16_t analysisCurve = -1; // the curve shown, as the analysis numbers its curves; -1: the first
    // A passive radiator's Sd (cm²) and Xmax (mm); not given: the analysis' own.
    float analysisRadiatorSd = 0, analysisRadiatorXmax = 0;
    float analysisDrivers = 0; // how many drivers; not given: one
    float analysisFilterFrequency = 0; // Hz, the high-pass filter's cut-off
    std::int16_t analysisFilter = 0; // the filter ahead of the drivers, as analysis::FilterKind numbers it
    std::int16_t analysisFilterOrder = 2;
    std::int16_t analysisWiring = 0; // as analysis::Wiring numbers it: parallel, series
    std::int16_t analysisBandpass = 0; // 1: the bandpass design is shown when a box design is handed over too

    // The driver the box design handed over was made with, set by the box
    // windows' hand-over and by a load (not saved). The driver values above
    // may change afterwards (a measurement); the graph and the report then
    // say that they draw the box for another driver. Empty: not known.
    std::optional<BoxDriver> boxDesignedFor;

    // Hand-over flags.
    std::int16_t designValid = 0; // not saved
    BoxType boxType = BoxType::Closed; // 0 like every variable; the start values make it None
    std::int16_t boxValid = 0;
    std::int16_t graphDrawn = 0; // not saved

    // Printing (not saved).
    QString printerName;
    std::int16_t printerChosen = 0;
};

// The program's one design state, alive for the whole run.
DesignState& designState();

// Start values of the main window's start-up; printerName is set separately.
void applyStartValues(DesignState& state);

// The driver values the box windows hand over with a box design.
BoxDriver boxDriverOf(const DesignState& state);

// How many system files have been loaded into the design state so far. A
// window that last showed the state under another count shows it afresh.
int designLoadCount();
void countDesignLoad();
