#include "analysis/boxsettings.h"

namespace analysis {

bool setBoxLosses(BoxSetup& box, double ql)
{
    return std::visit(
        [ql](auto& b) {
            if constexpr (requires { b.ql; }) {
                b.ql = ql;
                return true;
            }
            return false;
        },
        box);
}

bool setBoxPort(BoxSetup& box, int port)
{
    return std::visit(
        [port](auto& b) {
            if constexpr (requires { b.port; }) {
                b.port = port;
                return true;
            }
            return false;
        },
        box);
}

bool setRadiatorCone(BoxSetup& box, std::optional<double> sd, std::optional<double> xmax)
{
    return std::visit(
        [&](auto& b) {
            if constexpr (requires { b.radiator; }) {
                b.radiator.sd = sd.value_or(b.radiator.sd);
                b.radiator.xmax = xmax.value_or(b.radiator.xmax);
                return true;
            }
            return false;
        },
        box);
}

std::optional<int> boxPort(const BoxSetup& box)
{
    return std::visit(
        [](const auto& b) -> std::optional<int> {
            if constexpr (requires { b.port; })
                return b.port;
            return std::nullopt;
        },
        box);
}

} // namespace analysis
