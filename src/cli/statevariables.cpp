#include "cli/statevariables.h"

#include "core/designstate.h"
#include "core/numberformat.h"

#include <variant>

namespace {

using S = DesignState;
using Member = std::variant<float S::*, double S::*, std::int16_t S::*, Text30 S::*>;

struct Variable {
    const char* name;
    Member member;
};

// In the order of the system record.
const Variable kVariables[] = {
    { "xoverFreq", &S::xoverFreq },
    { "xoverFreqLow", &S::xoverFreqLow },
    { "xoverRl", &S::xoverRl },
    { "xoverRm", &S::xoverRm },
    { "xoverRh", &S::xoverRh },
    { "xoverC1", &S::xoverC1 },
    { "xoverC2", &S::xoverC2 },
    { "xoverC3", &S::xoverC3 },
    { "xoverC4", &S::xoverC4 },
    { "xoverL1", &S::xoverL1 },
    { "xoverL2", &S::xoverL2 },
    { "xoverL3", &S::xoverL3 },
    { "xoverL4", &S::xoverL4 },
    { "xoverL5", &S::xoverL5 },
    { "xoverL6", &S::xoverL6 },
    { "xoverType", &S::xoverType },
    { "netLe", &S::netLe },
    { "netFs", &S::netFs },
    { "netRe", &S::netRe },
    { "qms", &S::qms },
    { "qes", &S::qes },
    { "netName", &S::netName },
    { "bandRe", &S::bandRe },
    { "bandQts", &S::bandQts },
    { "bandFb", &S::bandFb },
    { "bandFh3", &S::bandFh3 },
    { "bandFl3", &S::bandFl3 },
    { "bandVas", &S::bandVas },
    { "bandVentedVb", &S::bandVentedVb },
    { "ventedValid", &S::ventedValid },
    { "bandValid", &S::bandValid },
    { "bandIsoFactor", &S::bandIsoFactor },
    { "bandFl3Input", &S::bandFl3Input },
    { "bandFh3Calc", &S::bandFh3Calc },
    { "bandFs", &S::bandFs },
    { "bandCoilL", &S::bandCoilL },
    { "bandWooferName", &S::bandWooferName },
    { "radiatorVd", &S::radiatorVd },
    { "radiatorVpr", &S::radiatorVpr },
    { "closedVbCalc", &S::closedVbCalc },
    { "closedVb", &S::closedVb },
    { "bandSealedVb", &S::bandSealedVb },
    { "closedFc", &S::closedFc },
    { "ventedFb", &S::ventedFb },
    { "isoFactor", &S::isoFactor },
    { "vas", &S::vas },
    { "closedQtc", &S::closedQtc },
    { "closedQtcCalc", &S::closedQtcCalc },
    { "qts", &S::qts },
    { "boxValid", &S::boxValid },
    { "fs", &S::fs },
    { "ventedVb", &S::ventedVb },
    { "boxType", &S::boxType },
    { "boxHeight", &S::boxHeight },
    { "boxWidth", &S::boxWidth },
    { "coilHeight", &S::coilHeight },
    { "ventedF3", &S::ventedF3 },
    { "boxDepth", &S::boxDepth },
    { "driverName", &S::driverName },
    { "re", &S::re },
    { "measFs", &S::measFs },
    { "measDriverName", &S::measDriverName },
    { "measZres", &S::measZres },
    { "measF1", &S::measF1 },
    { "measF2", &S::measF2 },
    { "testBoxVolume", &S::testBoxVolume },
    { "testBoxFc", &S::testBoxFc },
};

QString shown(const DesignState& state, const Member& member)
{
    return std::visit(
        [&state](auto pointer) -> QString {
            const auto& value = state.*pointer;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, Text30>)
                return value.text();
            else if constexpr (std::is_same_v<T, std::int16_t>)
                return QString::number(value);
            else
                return numberText(value).trimmed();
        },
        member);
}

} // namespace

QVector<FieldReading> savedVariables(const DesignState& state)
{
    QVector<FieldReading> out;
    for (const Variable& variable : kVariables) {
        const QString name = QString::fromLatin1(variable.name);
        out.append({ name, name + u':', shown(state, variable.member), {}, {} });
    }
    return out;
}
