#pragma once
// What a window declares about its fields, once, as a table: each field's
// control name, caption, unit or note (kept apart: "Cubic Feet" is a unit,
// "0.5 to 1.5" a note), section, role, where it stands, the part of a driver
// it holds, and the design-state value it shows and stores with its display
// rule. The window's layout is built from the table (DesignWindow::
// buildFields), the base fills, stores, watches and makes read-only from it,
// the command line names its options after the inputs' keys and prints the
// results by section, the driver library finds the driver's fields by their
// parts, and the base shows every number in the units chosen (core/units.h):
// it converts what a field shows and reads, writes the unit words beside the
// fields, takes units typed with a number, and gives a field shown in an
// imperial unit its metric tooltip.

#include "core/designstate.h"
#include "core/units.h"

#include <QString>

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

// How an activation shows a design-state value in its field.
enum class Shown : std::uint8_t {
    // The number's text with its leading blank (" .35"). A value not above 0
    // is missing: the field shows the row's default, or else keeps its text.
    WithBlank,
    // The same, except that a missing value empties the field.
    WithBlankOrEmpty,
    Trimmed, // a name without the blanks around it
    WithoutPadding, // a name without the blanks that pad it to 30 characters
    YesNo, // an isobaric factor: "N" for 1 or more, otherwise "Y"
};

// The moments at which the base stores a field's value into the design
// state (DesignWindow::storeFields), as flags.
enum class Moment : std::uint8_t { Graph = 1, Print = 2, Exit = 4 };
using Moments = std::uint8_t;
inline constexpr Moments kNever = 0;
inline constexpr Moments kOnExit = std::uint8_t(Moment::Exit);
inline constexpr Moments kOnPrintAndExit = std::uint8_t(Moment::Print) | kOnExit;
inline constexpr Moments kOnHandOver = std::uint8_t(Moment::Graph) | kOnPrintAndExit;

// The design-state variable behind a field: a Single, a Double or a name.
struct StateValue {
    float DesignState::*single = nullptr;
    double DesignState::*real = nullptr;
    Text30 DesignState::*name = nullptr;
    Shown shown = Shown::WithBlank;
    bool fills = false; // the activation shows it (false: it is only stored)
    const char* orElse = nullptr; // the default shown for a missing number (".7")
    Moments storedOn = kNever; // kNever: only the window's own rules store it
    // A second variable the same value is stored into, as a Single, and when.
    float DesignState::*alsoInto = nullptr;
    Moments alsoOn = kNever;

    constexpr bool bound() const { return single || real || name; }
};

struct FieldEntry {
    const char* name; // the control name
    const char* caption = nullptr;
    Unit unit = {}; // what the number is in, even where the window writes it only in a heading
    Unit captionUnit = {}; // the caption is a number in this unit (a port's diameter ".5")
    const char* note = nullptr; // a range or a hint written where a unit would stand
    const char* section = nullptr; // the heading or frame the field stands under
    FieldRole role = FieldRole::Input;
    const char* key = nullptr; // the command line's option for an input ("fs")
    Accepts accepts = Accepts::Number;
    const char* symbol = nullptr; // the quantity's symbol, written under the field
    FieldPlace place = {};
    // The part of a driver the field holds, by the key the driver library
    // gives it (kDriverValues, kDriverTexts: "fs", "name"); null for none.
    const char* driverPart = nullptr;
    StateValue value = {};

private:
    // One member changed, the rest kept. Above the builders that use it:
    // clang evaluates a table at compile time only with the body seen first.
    template <class T> constexpr FieldEntry with(T FieldEntry::*member, T value) const
    {
        FieldEntry changed = *this;
        changed.*member = value;
        return changed;
    }

public:
    constexpr bool isInput() const { return role != FieldRole::Result; }
    constexpr bool isResult() const { return role != FieldRole::Input; }

    // A table row on one line: field(...).in(units::kHz).input("fs", Accepts::Positive).
    constexpr FieldEntry in(Unit measuredIn) const { return with(&FieldEntry::unit, measuredIn); }
    constexpr FieldEntry noting(const char* text) const { return with(&FieldEntry::note, text); }
    constexpr FieldEntry captionIn(Unit number) const { return with(&FieldEntry::captionUnit, number); }
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
    constexpr FieldEntry part(const char* driverKey) const { return with(&FieldEntry::driverPart, driverKey); }

    // The design-state value the activation shows as `how` says, stored back
    // at the moments `on` (kNever: by the window's own rules alone).
    constexpr FieldEntry shows(float DesignState::*member, Shown how, Moments on = kNever) const
    {
        return bound({ member, nullptr, nullptr, how, true, nullptr, on });
    }
    constexpr FieldEntry shows(double DesignState::*member, Shown how, Moments on = kNever) const
    {
        return bound({ nullptr, member, nullptr, how, true, nullptr, on });
    }
    constexpr FieldEntry shows(Text30 DesignState::*member, Shown how, Moments on = kNever) const
    {
        return bound({ nullptr, nullptr, member, how, true, nullptr, on });
    }
    // A value the field hands over but the activation never shows.
    constexpr FieldEntry stores(float DesignState::*member, Moments on) const
    {
        return bound({ member, nullptr, nullptr, Shown::WithBlank, false, nullptr, on });
    }
    // What the field shows for a number that is missing (not above 0).
    constexpr FieldEntry orElse(const char* text) const
    {
        FieldEntry changed = *this;
        changed.value.orElse = text;
        return changed;
    }
    // The value is stored into `member` as well, at the moments `on`.
    constexpr FieldEntry alsoStores(float DesignState::*member, Moments on) const
    {
        FieldEntry changed = *this;
        changed.value.alsoInto = member;
        changed.value.alsoOn = on;
        return changed;
    }

private:
    constexpr FieldEntry bound(const StateValue& behind) const { return with(&FieldEntry::value, behind); }
    constexpr FieldEntry as(FieldRole playing, const char* name, Accepts takes) const
    {
        FieldEntry changed = *this;
        changed.role = playing;
        changed.key = name;
        changed.accepts = takes;
        return changed;
    }
};

// The caption, unit and section as the units chosen show them: a port's
// diameter ".5" as "12.7", "Cubic Feet" as "Litres", "Dimensions (Inches)"
// as "Dimensions (cm)".
inline QString shownCaption(const FieldEntry& entry, UnitSystem system = unitSystem())
{
    return entry.caption ? shownCaptionNumber(entry.caption, entry.captionUnit, system) : QString();
}
inline QString shownUnit(const FieldEntry& entry, UnitSystem system = unitSystem())
{
    return unitText(entry.unit, system);
}
QString shownSection(const FieldEntry& entry, UnitSystem system = unitSystem());

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
