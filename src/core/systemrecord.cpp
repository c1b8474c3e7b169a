#include "core/systemrecord.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

namespace {

using S = DesignState;
// In file order.
constexpr SavedVariable kSavedVariables[] = {
    { "xoverFreq", 0, &S::xoverFreq },
    { "xoverFreqLow", 4, &S::xoverFreqLow },
    { "xoverRl", 8, &S::xoverRl },
    { "xoverRm", 12, &S::xoverRm },
    { "xoverRh", 16, &S::xoverRh },
    { "xoverC1", 20, &S::xoverC1 },
    { "xoverC2", 24, &S::xoverC2 },
    { "xoverC3", 28, &S::xoverC3 },
    { "xoverC4", 32, &S::xoverC4 },
    { "xoverSpareC[0]", 36, SpareSlot { 0 } },
    { "xoverSpareC[1]", 40, SpareSlot { 1 } },
    { "xoverL1", 44, &S::xoverL1 },
    { "xoverL2", 48, &S::xoverL2 },
    { "xoverL3", 52, &S::xoverL3 },
    { "xoverL4", 56, &S::xoverL4 },
    { "xoverL5", 60, &S::xoverL5 },
    { "xoverL6", 64, &S::xoverL6 },
    { "xoverType", 68, &S::xoverType },
    { "netLe", 70, &S::netLe },
    { "netFs", 74, &S::netFs },
    { "netRe", 78, &S::netRe },
    { "qms", 82, &S::qms },
    { "qes", 86, &S::qes },
    { "netName", 90, &S::netName },
    { "bandRe", 120, &S::bandRe },
    { "bandQts", 124, &S::bandQts },
    { "bandFb", 128, &S::bandFb },
    { "bandFh3", 132, &S::bandFh3 },
    { "bandFl3", 136, &S::bandFl3 },
    { "bandVas", 140, &S::bandVas },
    { "bandVentedVb", 144, &S::bandVentedVb },
    { "ventedValid", 148, &S::ventedValid },
    { "bandValid", 150, &S::bandValid },
    { "bandIsoFactor", 152, &S::bandIsoFactor },
    { "bandFl3Input", 156, &S::bandFl3Input },
    { "bandFh3Calc", 164, &S::bandFh3Calc },
    { "bandFs", 168, &S::bandFs },
    { "bandCoilL", 172, &S::bandCoilL },
    { "bandWooferName", 176, &S::bandWooferName },
    { "radiatorVd", 206, &S::radiatorVd },
    { "radiatorVpr", 210, &S::radiatorVpr },
    { "closedVbCalc", 214, &S::closedVbCalc },
    { "closedVb", 218, &S::closedVb },
    { "bandSealedVb", 222, &S::bandSealedVb },
    { "closedFc", 226, &S::closedFc },
    { "ventedFb", 230, &S::ventedFb },
    { "isoFactor", 234, &S::isoFactor },
    { "vas", 238, &S::vas },
    { "closedQtc", 242, &S::closedQtc },
    { "closedQtcCalc", 246, &S::closedQtcCalc },
    { "qts", 250, &S::qts },
    { "boxValid", 254, &S::boxValid },
    { "fs", 256, &S::fs },
    { "ventedVb", 260, &S::ventedVb },
    { "boxType", 264, &S::boxType },
    { "boxHeight", 266, &S::boxHeight },
    { "boxWidth", 270, &S::boxWidth },
    { "coilHeight", 274, &S::coilHeight },
    { "ventedF3", 278, &S::ventedF3 },
    { "boxDepth", 282, &S::boxDepth },
    { "driverName", 286, &S::driverName },
    { "re", 316, &S::re },
    { "measFs", 320, &S::measFs },
    { "measDriverName", 324, &S::measDriverName },
    { "measZres", 354, &S::measZres },
    { "measF1", 358, &S::measF1 },
    { "measF2", 362, &S::measF2 },
    { "testBoxVolume", 366, &S::testBoxVolume },
    { "testBoxFc", 370, &S::testBoxFc },
};

template <class T> constexpr int widthOf()
{
    if constexpr (std::is_same_v<T, Text30>)
        return Text30::Size;
    else
        return int(sizeof(T));
}

constexpr int widthOf(const SavedVariable& variable)
{
    return std::visit(
        [](auto member) {
            if constexpr (std::is_same_v<decltype(member), SpareSlot>)
                return widthOf<float>();
            else
                return widthOf<std::remove_cvref_t<decltype(std::declval<DesignState&>().*member)>>();
        },
        variable.member);
}

// Every field starts where the one before it ends, and the last ends at 374.
constexpr bool layoutIsGapless()
{
    int next = 0;
    for (const SavedVariable& variable : kSavedVariables) {
        if (variable.offset != next)
            return false;
        next += widthOf(variable);
    }
    return next == kSystemRecordSize;
}
static_assert(layoutIsGapless(), "the system record must be 374 gapless bytes");

// Codes go to the record as the Integers they are.
template <class T> auto stored(T value)
{
    if constexpr (std::is_enum_v<T>)
        return static_cast<std::underlying_type_t<T>>(value);
    else
        return value;
}

void put(SystemRecord& record, int offset, const Text30& text)
{
    const Text30::Bytes& bytes = text.bytes();
    std::memcpy(record.data() + offset, bytes.data(), bytes.size());
}

template <class T> void put(SystemRecord& record, int offset, T value)
{
    qToLittleEndian(stored(value), record.data() + offset);
}

void get(const SystemRecord& record, int offset, Text30& text)
{
    Text30::Bytes bytes;
    std::memcpy(bytes.data(), record.data() + offset, bytes.size());
    text.setBytes(bytes);
}

template <class T> void get(const SystemRecord& record, int offset, T& value)
{
    value = static_cast<T>(qFromLittleEndian<decltype(stored(value))>(record.data() + offset));
}

} // namespace

std::span<const SavedVariable> savedVariables() { return kSavedVariables; }

int savedWidth(const SavedVariable& variable) { return widthOf(variable); }

SystemRecord encodeSystemRecord(const DesignState& state)
{
    SystemRecord record {};
    for (const SavedVariable& variable : kSavedVariables)
        visitSaved(state, variable, [&](const auto& value) { put(record, variable.offset, value); });
    return record;
}

void decodeSystemRecord(const SystemRecord& record, DesignState& state)
{
    for (const SavedVariable& variable : kSavedVariables)
        visitSaved(state, variable, [&](auto& value) { get(record, variable.offset, value); });
}

bool systemRecordIsFinite(const SystemRecord& record)
{
    DesignState decoded;
    decodeSystemRecord(record, decoded);
    for (const SavedVariable& variable : kSavedVariables) {
        const bool finite = visitSaved(decoded, variable, [](const auto& value) {
            if constexpr (std::is_floating_point_v<std::remove_cvref_t<decltype(value)>>)
                return std::isfinite(value);
            else
                return true;
        });
        if (!finite)
            return false;
    }
    return true;
}
