#pragma once
// The prompts of the box windows' message boxes, in one place so that the
// windows, their tests and their help agree on every character.

#include <QString>

namespace design::boxmsg {

// Closed box.
inline const QString kQtcRange = QStringLiteral("Must be between .5 and 1.5");
inline const QString kQtsBelowQtc = QStringLiteral("Qts Must be Less Than Qtc");
inline const QString kBoxSmaller = QStringLiteral("Box Must be Smaller");
inline const QString kBoxLarger = QStringLiteral("Box Must be Larger");

// Passive radiator.
inline const QString kRadiatorQtsRange = QStringLiteral("Qts Must be Between .2 and .44");

// Bandpass ("Low" in the second warning although it is the high cut-off).
inline const QString kBandFsEqualsQts = QStringLiteral("Qts Can Not Equal Resonant Frequency");
inline const QString kDriverQtsTooHigh = QStringLiteral("Driver Not Acceptable Qts to High");
inline const QString kBandFbAboveFh3 = QStringLiteral("Tuning Frequency is Greater Than Low Cutoff");
inline const QString kBandFsMissing = QStringLiteral("Free Air Resonance (Fs) Must be Greater Than 0");
// The low cut-off lies where the design tables no longer hold; `lowest` and
// `highest` are the cut-offs in Hz that keep them, as message numbers (" 9.7").
inline QString bandOutsideTables(const QString& lowest, const QString& highest)
{
    return QStringLiteral("Low Frequency Cutoff Outside the Design Tables, Results Unreliable: "
                          "Use a Low Frequency Cutoff Between%1 and%2 Hz")
        .arg(lowest, highest);
}

// Every box: the cut-off lies above the tuning (closed: the system resonance).
inline const QString kF3AboveFb = QStringLiteral("Tuning Frequency is Less Than Low Cutoff");

// A designed volume that would show as "." cannot be carried on.
inline const QString kVolumeTooSmall = QStringLiteral("Box Volume Below .005 Cubic Feet: Check Vas");
inline const QString kTypedVolumeTooSmall = QStringLiteral("Box Volume Must be at Least .005 Cubic Feet");
inline const QString kTunedVolumeTooSmall
    = QStringLiteral("Box Volume Below .005 Cubic Feet: Lower the Tuning Frequency");

// A recomputation needs the driver values still in their fields.
inline const QString kQtsMissing = QStringLiteral("Qts Must be Greater Than 0");
inline const QString kVasMissing = QStringLiteral("Vas Must be Greater Than 0");
inline const QString kFsMissing = QStringLiteral("Free Air Resonance Must be Greater Than 0");

// Results beyond the Single range.
inline const QString kDriverOutOfRange = QStringLiteral("Result Out of Range: Check Qts, Vas and Free Air Resonance");
inline const QString kVolumeOutOfRange = QStringLiteral("Result Out of Range: Check Box Volume");
inline const QString kRadiatorOutOfRange
    = QStringLiteral("Result Out of Range: Check Vas, Free Air Resonance and Displacement Volume");
inline const QString kBandOutOfRange
    = QStringLiteral("Result Out of Range: Check Qts, Vas, Free Air Resonance and Low Frequency Cutoff");
inline const QString kTuningOutOfRange = QStringLiteral("Result Out of Range: Check Tuning Frequency");

} // namespace design::boxmsg
