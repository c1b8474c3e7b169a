#pragma once
// The kept curves beside a system file: "woofer.TLV" keeps them in
// "woofer.TLV.compare.json", a small JSON file written whole or not at all
// (core/wholefile.h), so that the system file stays exactly its record. A
// system file saved without kept curves has no such file (an old one of
// ours is removed; one this version cannot read stays as it is); loading
// one without it is normal and says nothing. A file that cannot be read, or
// does not hold kept curves (a key named twice included), leaves none, with
// one message that names it.
//
// The format: {"format": "tolvan-kept-curves", "version": 1 or 2, "curves": [
//   {"label": "...", "color": 0..7, "visible": true, "driver": "...",
//    "box": {"type": 0..2, "fs", "qts", "vas", "volume", "isoFactor", "fb", "fc", "qtc", "f3"},
//    "bandpass": {"pa", "fl3", "fb", "fh3", "sealedVb", "ventedVb", "qts", "vas", "fs"}}, ...],
//   "analysis": [{"label": "...", "color": 0..7, "visible": true, "curve": "excursion",
//    "design": {...}}, ...]}
// with "box", "bandpass" or both, at most kMaxKeptCurves curves, each colour
// once, and every number finite. "driver", the box's "f3" and the
// bandpass's sections and driver values (the figures the Kept Curves panel
// lists) may be missing: files written before they were kept have none, and
// a reader that does not know them passes over them, so they need no new
// version.
//
// Version 2 adds the kept analysis curves (keptanalysis.h): "analysis", at
// most kMaxKeptCurves, each colour once among them, "curve" a curve's key
// (analysis::curveKey) and "design" the analysed input
// (analysis/inputjson.h), which must give that curve. A file is written as
// version 1 while no analysis curve is kept, so that a program that reads
// only version 1 still reads it. A file of a later version than this
// program reads is refused by name, and never overwritten nor removed: a
// save that would replace it keeps the design and says why the kept curves
// were not saved.

#include "core/messages.h"
#include "graph/keptanalysis.h"
#include "graph/keptcurves.h"

#include <QByteArray>
#include <QString>
#include <optional>

QString keptCurvesFileFor(const QString& systemFile);

// Both kinds of kept curves, as one file holds them.
struct KeptCurvesFile {
    KeptCurves curves;
    KeptAnalysisCurves analysis;
    bool operator==(const KeptCurvesFile&) const = default;
};

QByteArray keptCurvesJson(const KeptCurves& kept, const KeptAnalysisCurves& analysis = {});
// Empty when the text does not hold kept curves as the format says.
std::optional<KeptCurvesFile> keptCurvesFileFromJson(const QByteArray& json);
// The graph's kept curves alone.
std::optional<KeptCurves> keptCurvesFromJson(const QByteArray& json);

// Writes the curves beside the system file (no curves: removes the file);
// the message says what failed. A file there that this version cannot read
// stays as it is, and the message says so.
std::optional<Message> saveKeptCurvesBeside(
    const QString& systemFile, const KeptCurves& kept, const KeptAnalysisCurves& analysis = {});

struct KeptCurvesRead {
    KeptCurves curves; // empty when the file is missing or damaged
    KeptAnalysisCurves analysis;
    std::optional<Message> problem; // only for a damaged file, or one of a later version
};
KeptCurvesRead readKeptCurvesBeside(const QString& systemFile);

// From now on every save and load of a system file saves and loads the
// session's kept curves, the graph's and the analysis', beside it (core/systemfile.h).
void keepCurvesWithSystemFiles();
