#pragma once
// The system record: the 374 bytes of a ".TLV" system file, a snapshot of the
// saved part of the design state. Little-endian throughout, no header, no
// padding: Singles as IEEE binary32, Doubles as binary64, Integers as 16-bit
// two's complement, names as 30 Windows-1252 bytes (30 zero bytes for a name
// never assigned). The twelve crossover component values C1..C4, the two
// spare capacitor slots and L1..L6 are one block of twelve Singles.
//
// Encoding reads the design state; decoding writes only the saved variables,
// so designValid, printerName, bandS and the other working values stay.

#include <array>
#include <cstdint>

struct DesignState;

inline constexpr int kSystemRecordSize = 374;
using SystemRecord = std::array<std::uint8_t, kSystemRecordSize>;

SystemRecord encodeSystemRecord(const DesignState& state);
void decodeSystemRecord(const SystemRecord& record, DesignState& state);

// False when a Single or a Double of the record is a NaN or an infinity:
// such a record was not written by this program and must not be loaded.
bool systemRecordIsFinite(const SystemRecord& record);
