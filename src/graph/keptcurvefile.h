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
// The format: {"format": "tolvan-kept-curves", "version": 1, "curves": [
//   {"label": "...", "color": 0..7, "visible": true, "driver": "...",
//    "box": {"type": 0..2, "fs", "qts", "vas", "volume", "isoFactor", "fb", "fc", "qtc", "f3"},
//    "bandpass": {"pa", "fl3", "fb", "fh3", "sealedVb", "ventedVb", "qts", "vas", "fs"}}, ...]}
// with "box", "bandpass" or both, at most kMaxKeptCurves curves, each colour
// once, and every number finite. "driver", the box's "f3" and the
// bandpass's sections and driver values (the figures the Kept Curves panel
// lists) may be missing: files written before they were kept have none, and
// a reader that does not know them passes over them, so they need no new
// version.

#include "core/messages.h"
#include "graph/keptcurves.h"

#include <QByteArray>
#include <QString>
#include <optional>

QString keptCurvesFileFor(const QString& systemFile);

QByteArray keptCurvesJson(const KeptCurves& kept);
// Empty when the text does not hold kept curves as the format says.
std::optional<KeptCurves> keptCurvesFromJson(const QByteArray& json);

// Writes the curves beside the system file (no curves: removes the file);
// the message says what failed.
std::optional<Message> saveKeptCurvesBeside(const QString& systemFile, const KeptCurves& kept);

struct KeptCurvesRead {
    KeptCurves curves; // empty when the file is missing or damaged
    std::optional<Message> problem; // only for a damaged file
};
KeptCurvesRead readKeptCurvesBeside(const QString& systemFile);

// From now on every save and load of a system file saves and loads the
// session's kept curves beside it (core/systemfile.h).
void keepCurvesWithSystemFiles();
