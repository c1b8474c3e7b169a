#pragma once
// An analysis input as a JSON object, for the files that keep analysed
// designs (the kept analysis curves beside a system file):
//
// {"driver": {"name": "...", and each part of driverparts.h by its key: "fs", "qts", "vas", "qes", ...},
//  "drivers": {"count": 1..kMostDrivers, "isobaric": false, "wiring": "parallel" | "series"},
//  "box": {"type": "closed" | "vented" | "radiator" | "bandpass", and by type
//          "volume", "fb", "ql", "port": 0..8, "sealedVolume", "ventedVolume",
//          "radiator": {"sd", "xmax", "displacement", "vas", "q"}},
//  "drive": {"unit": "volts" | "watts", "level", "distance"},
//  "filter": {"type": "none" | "butterworth" | "linkwitz-riley", "order": 1..4, "frequency"}}
//
// Every number is finite; a value not given is 0, as in input.h. Keys this
// reader does not know are passed over. The analysis itself says what is
// wrong with values that are there but make no design.

#include "analysis/input.h"

#include <QJsonObject>
#include <optional>

namespace analysis {

QJsonObject inputJson(const AnalysisInput& input);
// Empty when the object does not hold an input as above.
std::optional<AnalysisInput> inputFromJson(const QJsonValue& value);

} // namespace analysis
