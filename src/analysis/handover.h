#pragma once
// The analysis of the designs the box windows handed over, read from the
// design state as the graph reads them.
//
// The box design, only while boxValid is 1, for the box that boxType names:
// the closed box takes its volume from closedVb; the vented and the passive
// radiator box their volume from closedVb and their tuning from ventedFb,
// the vented box with the default port (box.h), the radiator with the
// displacement the window suggested (radiatorVpr) and the defaults of
// constants.h; isoFactor below 1 (the window's "Y") is an isobaric pair. Fs,
// Qts and Vas are the design's, the driver's name driverName.
//
// The bandpass design, only while bandValid is 1: its sections from
// bandSealedVb and bandVentedVb, its tuning from bandFb, with the default
// port; Fs, Qts and Vas from bandFs, bandQts and bandVas, the pair from
// bandIsoFactor and the name from bandWooferName. bandRe is the window's
// nominal impedance for its coil, not the driver's Re, and is not taken.
//
// Qes, Qms and Re are those of the measurement window when it left them: for
// the box design always (the box windows and the measurement window share
// Qts), for the bandpass design only when they give its Qts within
// kQtsTolerance (else they describe another driver, and are left out). The
// rest of the driver's data (Sd, Xmax, Pe, Le) and a radiator's own are not
// in the design state: the caller adds them.

#include "analysis/input.h"
#include "core/designstate.h"

#include <QStringList>
#include <optional>

namespace analysis {

// A box design and a bandpass design may be handed over at once.
enum class HandedOver : std::uint8_t { Box, Bandpass };

// Empty when no design of that kind the analysis models has been handed over.
std::optional<AnalysisInput> handedOverAnalysis(const DesignState& state, HandedOver which = HandedOver::Box);

// The box's name as the analysis states it ("Closed Box", "Vented Box", ...).
QString boxName(const BoxSetup& box);
// Its key, as files and the command line name it ("closed", "vented", ...).
QString boxKey(const BoxSetup& box);
// Every box's key, in the order of BoxSetup.
QStringList boxKeys();
// A box of that key as it is before its window designs it; empty for any other text.
std::optional<BoxSetup> boxOfKey(QStringView key);

} // namespace analysis
