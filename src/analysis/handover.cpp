#include "analysis/handover.h"

#include "analysis/box.h"

namespace analysis {

std::optional<AnalysisInput> handedOverAnalysis(const DesignState& s)
{
    if (s.boxValid != 1)
        return std::nullopt;
    AnalysisInput in;
    switch (s.boxType) {
    case BoxType::Closed:
        in.box = ClosedBoxSetup { s.closedVb };
        break;
    case BoxType::Vented:
        in.box = VentedBoxSetup { s.closedVb, s.ventedFb, kDefaultQl, defaultPort(s.ventedFb, s.closedVb) };
        break;
    default:
        return std::nullopt;
    }
    in.driver.fs = s.fs;
    in.driver.qts = s.qts;
    in.driver.vas = s.vas;
    in.driver.qes = s.qes;
    in.driver.qms = s.qms;
    in.driver.re = s.re;
    in.drivers.isobaric = !(s.isoFactor >= 1);
    in.driverName = s.driverName.trimmed();
    return in;
}

QString boxName(const BoxSetup& box)
{
    return std::visit([](const auto& setup) { return QString::fromLatin1(setup.name); }, box);
}

} // namespace analysis
