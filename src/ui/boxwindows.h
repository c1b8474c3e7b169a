#pragma once
// What the box windows (closed, vented, passive radiator, bandpass) have
// alike. Their layout: the woofer name on top with the isobaric field to its
// right, rows of caption, field and unit below, the "10% Over Volume" and
// "Dimensions (Inches)" group in the right column, the port table, a row of
// buttons along the bottom; these parts are entries of each window's field
// table (windowfields.h). Their rules: filling the driver fields and the
// isobaric field on activation, showing proportions and port lengths, and
// handing the design to the graph, the report and the design state.

#include "core/designstate.h"
#include "design/boxproportions.h"
#include "design/portlengths.h"
#include "platform/windowfields.h"

#include <QString>
#include <functional>
#include <span>

class DesignWindow;

namespace boxwindow {

inline constexpr const char* kDimensions = "Dimensions (Inches)";
inline constexpr const char* kPortLength = "Port Length";

// The left block of the closed, vented and radiator windows: caption, field, unit.
inline constexpr RowColumns kLeftBlock { 240, 3120, 3480, 1320, 1320 };
constexpr FieldPlace left(int top) { return beside(kLeftBlock, top); }

// The driver's Vas and Fs in that block.
constexpr FieldEntry vasRow(int top)
{
    return field("szVas", "Enter Vas:", left(top)).in(units::kCubicFeet).input("vas", Accepts::Positive);
}
constexpr FieldEntry fsRow(int top)
{
    return field("szFar", "Enter Free Air Resonance:", left(top)).in(units::kHz).input("fs", Accepts::Positive);
}

// "Woofer Name :" and the name field on the top row.
constexpr FieldEntry woofer(const char* name, RowColumns at, int fieldWidth)
{
    at.fieldWidth = fieldWidth;
    at.unitWidth = 0;
    return field(name, "Woofer Name :", beside(at, 240)).input("name", Accepts::Text);
}

// "Isobaric Configuration" over the "Y"/"N" field, the note under it.
constexpr FieldEntry isobaric(const char* name, int left, int top, int width, const char* note)
{
    constexpr int fieldWidth = 480;
    const FieldPlace place = above(left, width, left + (width - fieldWidth) / 2, fieldWidth, top, true);
    return field(name, "Isobaric Configuration", place).noting(note).input(nullptr, Accepts::Text);
}

// The right column: the letters and fields of the dimensions as one group in its middle.
struct RightColumn {
    int left, width;
    static constexpr int kLetterWidth = 420;
    static constexpr int kFieldWidth = 1080;
    constexpr int letterLeft() const { return left + (width - (kLetterWidth + 60 + kFieldWidth)) / 2; }
    constexpr int fieldLeft() const { return letterLeft() + kLetterWidth + 60; }
};

// "10% Over Volume" over szVover.
constexpr FieldEntry overVolume(RightColumn column, int top)
{
    const FieldPlace place = above(column.left, column.width, column.fieldLeft(), RightColumn::kFieldWidth, top, false);
    return field("szVover", "10% Over Volume", place).in(units::kCubicFeet).result();
}

inline constexpr int kHeadingToRows = 300;

// "H:", "W:" and "D:" of the three named fields, under "Dimensions (Inches)" at `top`.
constexpr std::array<FieldEntry, 3> dimensions(
    RightColumn column, int top, const char* height, const char* width, const char* depth)
{
    constexpr int pitch = 420;
    const RowColumns at { column.letterLeft(), RightColumn::kLetterWidth, column.fieldLeft(),
        RightColumn::kFieldWidth };
    std::array<FieldEntry, 3> rows {};
    const char* const names[] = { height, width, depth };
    const char* const letters[] = { "H:", "W:", "D:" };
    for (int i = 0; i < 3; ++i)
        rows[i] = field(names[i], letters[i], beside(at, top + kHeadingToRows + i * pitch))
                      .in(units::kInches)
                      .under(kDimensions)
                      .result();
    return rows;
}
// The heading over the rows, then the rows.
void buildDimensions(DesignWindow* window, std::span<const FieldEntry> rows, RightColumn column);

// The port length fields, in the order of design::kPorts.
inline constexpr const char* kPortFields[]
    = { "szLv5", "szLv75", "szLv1", "szLv15", "szLv2", "szlv3", "szLv4", "szLv6", "szLv8" };
static_assert(std::size(kPortFields) == design::kPortCount);
inline constexpr int kPortFirstLeft = 1800;
inline constexpr int kPortPitch = 840;

// One field per diameter, under its diameter, the diameters' row at `headTop`.
constexpr std::array<FieldEntry, design::kPortCount> portCells(int headTop)
{
    constexpr int width = 720;
    std::array<FieldEntry, design::kPortCount> cells {};
    for (int i = 0; i < design::kPortCount; ++i) {
        const int left = kPortFirstLeft + i * kPortPitch;
        cells[i] = field(kPortFields[i], design::kPorts[i].caption, above(left, width, left, width, headTop, true))
                       .in(units::kInches)
                       .under(kPortLength)
                       .result();
    }
    return cells;
}
// The head caption and "Port Length" before the rows, the cells, and the unit at the rows' ends.
void buildPortTable(DesignWindow* window, std::span<const FieldEntry> cells, const QString& headCaption);

inline constexpr int kButtonWidth = 1440;
// Four buttons spread evenly over a window's width.
constexpr int evenButtonGap(int windowWidth) { return (windowWidth - 4 * kButtonWidth) / 5; }

// The design-state values every box window shows: the woofer name, the
// driver, the isobaric factor and the box dimensions.
void showsStoredDriverAndBox(DesignWindow* window);

// szQts, szVas and szFar show qts, vas and fs as number texts; a stored value
// that is not above 0 leaves its field as it is. False when one was missing.
// Activation writes: see DesignWindow::refillField.
bool showStoredDriver(DesignWindow* window);

// szISO shows "N" for a factor of 1 or more, otherwise "Y"; the field's own
// change rule runs as for a typed letter.
void showIsobaric(DesignWindow* window);

// boxHeight, boxWidth and boxDepth, shown with "###.##" in the three named fields.
void storeAndShowProportions(DesignWindow* window, const design::BoxProportions& box, const QString& height,
    const QString& width, const QString& depth);

// The nine port length fields (kPortFields): "N/A" or the length.
void showPortLengths(DesignWindow* window, const design::PortLengths& lengths);

// Graph, Print and Exit act alike in every box window. `store` writes the
// window's shown design into the design state with its boxType.
// Graph: with a valid design, store it, mark the graph undrawn and open it.
void graphHandOver(const std::function<void()>& store);
// Print: with a valid design, store it, offer it to the report and run the
// box data report after the printer selection.
void printHandOver(const std::function<void()>& store);
// Exit: with a valid design, store it with the woofer name and offer it to
// the graph and report; without one, withdraw the box. The window's design is
// no longer valid afterwards.
void exitHandOver(const std::function<void()>& store, const QString& wooferName);

} // namespace boxwindow
