#pragma once
// What a window declares about its fields, once, as a table: each field's
// control name, caption, unit or note (kept apart: "Cubic Feet" is a unit,
// "0.5 to 1.5" a note), section, role and where it stands. The window's
// layout is built from the table (DesignWindow::buildFields), the command
// line names its options after the inputs' keys and prints the results by
// section, the driver library finds the driver's fields by their keys, and
// the base gives every field shown in an imperial unit its metric tooltip.

#include "core/units.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>

enum class FieldRole : std::uint8_t {
    Input, // typed by the user
    Result, // filled by the window
    InputAndResult, // filled by the window, and typed into or read back
};

// What the window makes of an input; the command line refuses anything else.
enum class Accepts : std::uint8_t {
    Number,
    // A number above 0. The window refuses a negative one; 0 (an empty
    // field) is a value not given, which the window answers itself.
    Positive,
    Text,
};

// Caption, field and unit side by side, in twips.
struct RowColumns {
    int captionLeft = 0, captionWidth = 0;
    int fieldLeft = 0, fieldWidth = 0;
    int unitWidth = 0; // 0: the unit is not written beside the field
    int unitGap = 90; // between the field and its unit
};

enum class Arrangement : std::uint8_t {
    Placed, // the window places the field itself
    Beside, // caption (right-aligned) | field | unit or note; the symbol under the field
    Above, // caption centred over the column, the field under it, the note under that
};

struct FieldPlace {
    Arrangement how = Arrangement::Placed;
    RowColumns at = {};
    int top = 0;
    int height = 315;
    bool centred = false; // the field's text centred
};

inline constexpr int kAboveFieldOffset = 300; // from an Above caption's top to its field's
inline constexpr int kAboveNoteOffset = 660; // ... and to its note's

struct FieldEntry {
    const char* name; // the control name
    const char* caption = nullptr;
    Unit unit = {}; // what the number is in, even where the window writes it only in a heading
    const char* note = nullptr; // a range or a hint written where a unit would stand
    const char* section = nullptr; // the heading or frame the field stands under
    FieldRole role = FieldRole::Input;
    // The value's short name: the command line's option for an input, and
    // the part of a driver ("name", "fs", "qts", "vas", "qes", "qms", "re",
    // "le", "vd") the driver library fills or saves.
    const char* key = nullptr;
    Accepts accepts = Accepts::Number;
    const char* symbol = nullptr; // the quantity's symbol, written under the field
    FieldPlace place = {};

    constexpr bool isInput() const { return role != FieldRole::Result; }
    constexpr bool isResult() const { return role != FieldRole::Input; }

    // A table row on one line: field(...).in(units::kHz).input("fs", Accepts::Positive).
    constexpr FieldEntry in(Unit measuredIn) const { return with(&FieldEntry::unit, measuredIn); }
    constexpr FieldEntry noting(const char* text) const { return with(&FieldEntry::note, text); }
    constexpr FieldEntry under(const char* title) const { return with(&FieldEntry::section, title); }
    constexpr FieldEntry withSymbol(const char* text) const { return with(&FieldEntry::symbol, text); }
    constexpr FieldEntry input(const char* name, Accepts takes = Accepts::Number) const
    {
        return as(FieldRole::Input, name, takes);
    }
    constexpr FieldEntry result(const char* name = nullptr) const { return as(FieldRole::Result, name, accepts); }
    constexpr FieldEntry inputAndResult(const char* name = nullptr, Accepts takes = Accepts::Number) const
    {
        return as(FieldRole::InputAndResult, name, takes);
    }

private:
    template <class T> constexpr FieldEntry with(T FieldEntry::*member, T value) const
    {
        FieldEntry changed = *this;
        changed.*member = value;
        return changed;
    }
    constexpr FieldEntry as(FieldRole playing, const char* name, Accepts takes) const
    {
        FieldEntry changed = *this;
        changed.role = playing;
        changed.key = name;
        changed.accepts = takes;
        return changed;
    }
};

constexpr FieldEntry field(const char* name, const char* caption, FieldPlace place)
{
    FieldEntry entry {};
    entry.name = name;
    entry.caption = caption;
    entry.place = place;
    return entry;
}

constexpr FieldPlace beside(const RowColumns& at, int top) { return { Arrangement::Beside, at, top }; }
// The caption over `column`, the field at `fieldLeft`.
constexpr FieldPlace above(int columnLeft, int columnWidth, int fieldLeft, int fieldWidth, int top, bool centred)
{
    return { Arrangement::Above, { columnLeft, columnWidth, fieldLeft, fieldWidth, 0 }, top, 315, centred };
}

namespace detail {
template <class Part> struct FieldCount : std::extent<Part> {
};
template <std::size_t N> struct FieldCount<std::array<FieldEntry, N>> : std::integral_constant<std::size_t, N> {
};
} // namespace detail

// One table from the parts (arrays) a window builds one after another.
template <class... Parts> constexpr auto joinFields(const Parts&... parts)
{
    std::array<FieldEntry, (detail::FieldCount<Parts>::value + ...)> all {};
    auto out = all.begin();
    ((out = std::copy(std::begin(parts), std::end(parts), out)), ...);
    return all;
}
