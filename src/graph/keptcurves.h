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
#include <algorithm>
#include <optional>

inline constexpr int kMaxKeptCurves = chart::kComparedColors;
inline constexpr int kMaxKeptLabelLength = 80; // the longest default label fits

// What the design's windows showed besides what draws its curves: the
// numbers the Kept Curves panel lists with them. A number not known (kept
// from a file that did not hold it) is empty.
struct KeptFigures {
    QString driver; // the woofer's name: the box's, or the bandpass's alone
    std::optional<double> f3; // the box's -3 dB cut-off, Hz
    // The bandpass design: its two sections (cubic feet) and its driver.
    std::optional<double> sealedVb, ventedVb, bandQts, bandVas, bandFs;
    bool operator==(const KeptFigures&) const = default;
};

struct KeptCurve {
    QString label;
    int colorSlot = 0; // chart::comparedColor(colorSlot), chart::comparedStyle(colorSlot)
    bool visible = true;
    std::optional<BoxCurveInputs> box;
    std::optional<BandpassCurveInputs> bandpass;
    KeptFigures figures;
    bool operator==(const KeptCurve&) const = default;
};

using KeptCurves = QVector<KeptCurve>;

// The session's kept curves, in the order they were kept.
KeptCurves& keptCurves();

// The curves of the designs handed over in `drawn`, as one kept curve with
// its label (driver name, box type and volume) and figures; empty when
// `drawn` yields neither a box nor a bandpass curve.
std::optional<KeptCurve> curveToKeep(const DesignState& drawn);
// The same for the design of another system file: its label starts with the
// file's name ("vented: Test woofer, vented 2.16 ft\u00b3").
std::optional<KeptCurve> curveToKeep(const DesignState& design, const QString& file);

// The figures of the designs handed over in `state`: the cut-off as the
// box's window shows it, the bandpass design's sections and, from a file
// (where they were stored with the design), its driver. The bandpass window
// hands its driver over only on Exit and Print, so a drawing may hold an
// earlier driver's values beside its curve: they are left out.
enum class FiguresOf { Drawing, File };
KeptFigures keptFigures(const DesignState& state, FiguresOf of = FiguresOf::Drawing);

// The columns of the Kept Curves panel beside each curve's label, and what
// a kept curve shows in each: the numbers as its design's window shows them
// (a kept box with a bandpass shows the box's; a bandpass alone its own).
enum class KeptColumn { Box, Volume, Tuning, Qtc, F3, Driver, Fs, Qts, Vas };
inline constexpr int kKeptColumns = int(KeptColumn::Vas) + 1;
QString keptColumnTitle(KeptColumn column);
struct KeptCell {
    QString text; // empty: not known, or not of this design
    double sortKey = 0; // numbers sort by value, texts by text
};
KeptCell keptCell(const KeptCurve& curve, KeptColumn column);

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

// The rule of keepCurve and anyShown for every kind of kept curve (each
// with a colorSlot and visible): at most kMaxKeptCurves, each added with the
// first colour slot no other has.
template <class Kept> KeepResult keepInFreeSlot(QVector<Kept>& kept, const std::optional<Kept>& curve)
{
    if (!curve)
        return KeepResult::NothingToKeep;
    if (kept.size() >= kMaxKeptCurves)
        return KeepResult::Full;
    Kept added = *curve;
    added.colorSlot = 0;
    while (std::any_of(kept.begin(), kept.end(), [&](const Kept& k) { return k.colorSlot == added.colorSlot; }))
        ++added.colorSlot;
    kept << added;
    return KeepResult::Kept;
}

template <class Kept> bool anyVisible(const QVector<Kept>& kept)
{
    return std::any_of(kept.begin(), kept.end(), [](const Kept& k) { return k.visible; });
}
