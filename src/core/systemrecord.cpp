#include "core/systemrecord.h"

#include "core/designstate.h"

#include <QtEndian>
#include <cmath>
#include <cstring>
#include <utility>
#include <variant>

namespace {

// The twelve crossover component values, copied as one unit.
struct CrossoverBlock { };
constexpr int kCrossoverCount = 12;

// For a const state the pointers are const.
template <class State> std::array<decltype(&std::declval<State&>().xoverC1), kCrossoverCount> crossoverBlock(State& s)
{
    return { &s.xoverC1, &s.xoverC2, &s.xoverC3, &s.xoverC4, &s.xoverSpareC[0], &s.xoverSpareC[1], &s.xoverL1,
        &s.xoverL2, &s.xoverL3, &s.xoverL4, &s.xoverL5, &s.xoverL6 };
}

using Member = std::variant<float DesignState::*, double DesignState::*, std::int16_t DesignState::*,
    Text30 DesignState::*, CrossoverBlock>;

struct Slot {
    int offset;
    Member member;
};

constexpr int widthOf(const Member& member)
{
    switch (member.index()) {
    case 0:
        return 4;
    case 1:
        return 8;
    case 2:
        return 2;
    case 3:
        return Text30::Size;
    default:
        return 4 * kCrossoverCount;
    }
}

using S = DesignState;
// In file order.
constexpr Slot kLayout[] = {
    { 0, &S::xoverFreq },
    { 4, &S::xoverFreqLow },
    { 8, &S::xoverRl },
    { 12, &S::xoverRm },
    { 16, &S::xoverRh },
    { 20, CrossoverBlock {} },
    { 68, &S::xoverType },
    { 70, &S::netLe },
    { 74, &S::netFs },
    { 78, &S::netRe },
    { 82, &S::qms },
    { 86, &S::qes },
    { 90, &S::netName },
    { 120, &S::bandRe },
    { 124, &S::bandQts },
    { 128, &S::bandFb },
    { 132, &S::bandFh3 },
    { 136, &S::bandFl3 },
    { 140, &S::bandVas },
    { 144, &S::bandVentedVb },
    { 148, &S::ventedValid },
    { 150, &S::bandValid },
    { 152, &S::bandIsoFactor },
    { 156, &S::bandFl3Input },
    { 164, &S::bandFh3Calc },
    { 168, &S::bandFs },
    { 172, &S::bandCoilL },
    { 176, &S::bandWooferName },
    { 206, &S::radiatorVd },
    { 210, &S::radiatorVpr },
    { 214, &S::closedVbCalc },
    { 218, &S::closedVb },
    { 222, &S::bandSealedVb },
    { 226, &S::closedFc },
    { 230, &S::ventedFb },
    { 234, &S::isoFactor },
    { 238, &S::vas },
    { 242, &S::closedQtc },
    { 246, &S::closedQtcCalc },
    { 250, &S::qts },
    { 254, &S::boxValid },
    { 256, &S::fs },
    { 260, &S::ventedVb },
    { 264, &S::boxType },
    { 266, &S::boxHeight },
    { 270, &S::boxWidth },
    { 274, &S::coilHeight },
    { 278, &S::ventedF3 },
    { 282, &S::boxDepth },
    { 286, &S::driverName },
    { 316, &S::re },
    { 320, &S::measFs },
    { 324, &S::measDriverName },
    { 354, &S::measZres },
    { 358, &S::measF1 },
    { 362, &S::measF2 },
    { 366, &S::testBoxVolume },
    { 370, &S::testBoxFc },
};

// Every field starts where the one before it ends, and the last ends at 374.
constexpr bool layoutIsGapless()
{
    int next = 0;
    for (const Slot& slot : kLayout) {
        if (slot.offset != next)
            return false;
        next += widthOf(slot.member);
    }
    return next == kSystemRecordSize;
}
static_assert(layoutIsGapless(), "the system record must be 374 gapless bytes");

template <class T> void put(SystemRecord& record, int offset, T value)
{
    qToLittleEndian(value, record.data() + offset);
}

template <class T> T get(const SystemRecord& record, int offset)
{
    return qFromLittleEndian<T>(record.data() + offset);
}

// Overload set for std::visit.
template <class... F> struct Visitor : F... {
    using F::operator()...;
};
// Spelled out: clang 14 does not deduce aggregate bases by itself.
template <class... F> Visitor(F...) -> Visitor<F...>;

} // namespace

SystemRecord encodeSystemRecord(const DesignState& state)
{
    SystemRecord record {};
    for (const Slot& slot : kLayout) {
        const int at = slot.offset;
        std::visit(Visitor {
                       [&](float DesignState::*m) { put(record, at, state.*m); },
                       [&](double DesignState::*m) { put(record, at, state.*m); },
                       [&](std::int16_t DesignState::*m) { put(record, at, state.*m); },
                       [&](Text30 DesignState::*m) {
                           const Text30::Bytes& bytes = (state.*m).bytes();
                           std::memcpy(record.data() + at, bytes.data(), bytes.size());
                       },
                       [&](CrossoverBlock) {
                           int offset = at;
                           for (const float* value : crossoverBlock(state)) {
                               put(record, offset, *value);
                               offset += 4;
                           }
                       },
                   },
            slot.member);
    }
    return record;
}

void decodeSystemRecord(const SystemRecord& record, DesignState& state)
{
    for (const Slot& slot : kLayout) {
        const int at = slot.offset;
        std::visit(Visitor {
                       [&](float DesignState::*m) { state.*m = get<float>(record, at); },
                       [&](double DesignState::*m) { state.*m = get<double>(record, at); },
                       [&](std::int16_t DesignState::*m) { state.*m = get<std::int16_t>(record, at); },
                       [&](Text30 DesignState::*m) {
                           Text30::Bytes bytes;
                           std::memcpy(bytes.data(), record.data() + at, bytes.size());
                           (state.*m).setBytes(bytes);
                       },
                       [&](CrossoverBlock) {
                           int offset = at;
                           for (float* value : crossoverBlock(state)) {
                               *value = get<float>(record, offset);
                               offset += 4;
                           }
                       },
                   },
            slot.member);
    }
}

bool systemRecordIsFinite(const SystemRecord& record)
{
    for (const Slot& slot : kLayout) {
        const int at = slot.offset;
        const bool finite
            = std::visit(Visitor {
                             [&](float DesignState::*) { return std::isfinite(get<float>(record, at)); },
                             [&](double DesignState::*) { return std::isfinite(get<double>(record, at)); },
                             [](std::int16_t DesignState::*) { return true; },
                             [](Text30 DesignState::*) { return true; },
                             [&](CrossoverBlock) {
                                 for (int i = 0; i < kCrossoverCount; ++i)
                                     if (!std::isfinite(get<float>(record, at + 4 * i)))
                                         return false;
                                 return true;
                             },
                         },
                slot.member);
        if (!finite)
            return false;
    }
    return true;
}
