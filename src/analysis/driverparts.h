#pragma once
// The driver's data (input.h DriverData) part by part, under the key the
// driver library gives each part (core/driverrecord.h kDriverValues): the
// one list of where a part of a driver goes in the analysis. The library's
// drivers fill the analysis through it, files of analysed designs name the
// driver's values by these keys, and the command line's driver options are
// the library's parts that are listed here.

#include "analysis/driver.h"
#include "analysis/input.h"
#include "core/driverrecord.h"

#include <QStringList>
#include <QStringView>

namespace analysis {

struct DriverDataPart {
    const char* key; // as the driver library names it: "sd"
    double DriverData::*member;
    // Fs, Qts and Vas are the box design's own: a design's driver values rule.
    bool designs = false;
};

inline constexpr DriverDataPart kDriverDataParts[] = {
    { "fs", &DriverData::fs, true },
    { "qts", &DriverData::qts, true },
    { "vas", &DriverData::vas, true },
    { "qes", &DriverData::qes },
    { "qms", &DriverData::qms },
    { "re", &DriverData::re },
    { "sd", &DriverData::sd },
    { "xmax", &DriverData::xmax },
    { "pe", &DriverData::pe },
    { "le", &DriverData::le },
};

// The part of that key; null for a part the analysis does not take ("vd").
const DriverDataPart* driverDataPart(QStringView key);

// The keys of the parts that give a value the analysis asks for: "qes" and
// "qms" for DriverValue::QesOrQms.
QStringList driverValueKeys(DriverValue value);

// The library's values of the parts that are not the design's own, into
// `data`; a value the driver lacks leaves the one there.
void takeDriverData(DriverData& data, const DriverRecord& driver);

} // namespace analysis
