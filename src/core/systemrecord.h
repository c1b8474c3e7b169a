#pragma once
// The system record: the 374 bytes of a ".TLV" system file, a snapshot of the
// saved part of the design state. Little-endian throughout, no header, no
// padding: Singles as IEEE binary32, Doubles as binary64, Integers as 16-bit
// two's complement, names as 30 Windows-1252 bytes (30 zero bytes for a name
// never assigned). The twelve crossover component values C1..C4, the two
// spare capacitor slots and L1..L6 are one block of twelve Singles.
//
// savedVariables() is the one list of what the record holds: every saved
// variable under its design-state name, at its offset, in file order. The
// record is encoded and decoded from it, `tolvan-cli show` prints it, and the
// tests walk it.
//
// Encoding reads the design state; decoding writes only the saved variables,
// so designValid, printerName, bandS and the other working values stay.

#include "core/designstate.h"

#include <array>
#include <cstdint>
#include <span>
#include <type_traits>
#include <variant>

inline constexpr int kSystemRecordSize = 374;
using SystemRecord = std::array<std::uint8_t, kSystemRecordSize>;

// One of the two spare capacitor slots, xoverSpareC[index].
struct SpareSlot {
    int index;
};

struct SavedVariable {
    const char* name; // as in the design state; the spare slots as xoverSpareC[0] and xoverSpareC[1]
    int offset; // bytes from the start of the record
    std::variant<float DesignState::*, double DesignState::*, std::int16_t DesignState::*, BoxType DesignState::*,
        XoverType DesignState::*, Text30 DesignState::*, SpareSlot>
        member;
};

// Every saved variable, in file order.
std::span<const SavedVariable> savedVariables();

// The variable's width in the record, in bytes.
int savedWidth(const SavedVariable& variable);

// Calls `f` with the variable's value in `state` (a const reference for a
// const state) and returns what it returns.
template <class State, class F> decltype(auto) visitSaved(State& state, const SavedVariable& variable, F&& f)
{
    static_assert(std::is_same_v<std::remove_const_t<State>, DesignState>);
    return std::visit(
        [&](auto member) -> decltype(auto) {
            if constexpr (std::is_same_v<decltype(member), SpareSlot>)
                return f(state.xoverSpareC[member.index]);
            else
                return f(state.*member);
        },
        variable.member);
}

SystemRecord encodeSystemRecord(const DesignState& state);
void decodeSystemRecord(const SystemRecord& record, DesignState& state);

// False when a Single or a Double of the record is a NaN or an infinity:
// such a record was not written by this program and must not be loaded.
bool systemRecordIsFinite(const SystemRecord& record);
