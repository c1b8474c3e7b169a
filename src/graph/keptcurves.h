#pragma once
// Curves kept for comparison: the box curve, and the bandpass curve, of a
// design as the graph drew it, frozen under a label and a colour of their
// own and drawn beside every later drawing. They belong to the session, not
// to the graph window: they outlive it, the box data report draws them, and
// they are saved beside the system file (keptcurvefile.h). A kept curve holds
// the design it was drawn from, so the graph and the report, each at its own
// scale, draw it again with graph/curves.

#include "core/designstate.h"
#include "graph/curves.h"
#include "platform/chart.h"

#include <QString>
#include <QVector>
#include <optional>

inline constexpr int kMaxKeptCurves = chart::kComparedColors;
inline constexpr int kMaxKeptLabelLength = 80; // the longest default label fits

struct KeptCurve {
    QString label;
    int colorSlot = 0; // chart::comparedColor(colorSlot)
    bool visible = true;
    std::optional<BoxCurveInputs> box;
    std::optional<BandpassCurveInputs> bandpass;
    bool operator==(const KeptCurve&) const = default;
};

using KeptCurves = QVector<KeptCurve>;

// The session's kept curves, in the order they were kept.
KeptCurves& keptCurves();

// The curves of the designs handed over in `drawn`, as one kept curve with
// its label (driver name, box type and volume); empty when `drawn` yields
// neither a box nor a bandpass curve.
std::optional<KeptCurve> curveToKeep(const DesignState& drawn);

// What a design is, for labels and legends: "Test woofer, vented 2.16 ft³",
// with the driver values drawn when they differ from those the box was
// designed for (drawnForAnotherDriver); empty when there is no such design.
QString boxLabel(const DesignState& state);
QString bandpassLabel(const DesignState& state);

// A label as a kept curve holds it: one line, no blanks around it or in a
// row, at most kMaxKeptLabelLength characters.
QString keptLabel(const QString& text);

enum class KeepResult { Kept, NothingToKeep, Full };
// Adds `curve` with the first colour no other kept curve has.
KeepResult keepCurve(KeptCurves& kept, const std::optional<KeptCurve>& curve);

// Whether any kept curve is shown (only then is a legend drawn).
bool anyShown(const KeptCurves& kept);
