#pragma once
// What the box windows (closed, vented, passive radiator, bandpass) have
// alike. Their layout: the woofer name on top with the isobaric field to its
// right, rows of caption, field and unit below, the "10% Over Volume" and
// "Dimensions (Inches)" group in the right column, the port table, a row of
// buttons along the bottom; these parts are entries of each window's field
// table (windowfields.h), with the design-state values they show. Their
// rules: showing proportions and port lengths, and handing the design to the
// graph, the report and the design state.
//
// A box window keeps its design to itself until it hands it over (Graph,
// Print, Exit, Save System): the values the box designs share (the volume
// and tuning handed to the graph, the box dimensions, the driver) are
// written only then, so that opening, looking at or calculating in one box
// window never changes the design another one handed over.

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

// The driver's Qts, Vas and Fs in that block, shown from and handed over to
// qts, vas and fs.
constexpr FieldEntry qtsRow(const char* caption, int top)
{
    return field("szQts", caption, left(top))
        .input("qts", Accepts::Positive)
        .part("qts")
        .shows(&DesignState::qts, Shown::WithBlank, kOnHandOver);
}
constexpr FieldEntry vasRow(int top)
{
    return field("szVas", "Enter Vas:", left(top))
        .in(units::kCubicFeet)
        .input("vas", Accepts::Positive)
        .part("vas")
        .shows(&DesignState::vas, Shown::WithBlank, kOnHandOver);
}
constexpr FieldEntry fsRow(int top)
{
    return field("szFar", "Enter Free Air Resonance:", left(top))
        .in(units::kHz)
        .input("fs", Accepts::Positive)
        .part("fs")
        .shows(&DesignState::fs, Shown::WithBlank, kOnHandOver);
}

// "Woofer Name :" and the name field, `top` down.
constexpr FieldEntry woofer(const char* name, RowColumns at, int fieldWidth, int top = 240)
{
    at.fieldWidth = fieldWidth;
    at.unitWidth = 0;
    return field(name, "Woofer Name :", beside(at, top)).input("name", Accepts::Text).part("name");
}
// The woofer name of the closed, vented and radiator windows: driverName,
// handed over on Exit.
constexpr FieldEntry boxWoofer(int fieldWidth, Shown shown = Shown::Trimmed, int top = 240)
{
    return woofer("szWoofBox", kLeftBlock, fieldWidth, top).shows(&DesignState::driverName, shown, kOnExit);
}

// "Isobaric Configuration" over the "Y"/"N" field of `factor`, the note under it.
constexpr FieldEntry isobaric(
    const char* name, int left, int top, int width, const char* note, float DesignState::*factor)
{
    constexpr int fieldWidth = 480;
    const FieldPlace place = above(left, width, left + (width - fieldWidth) / 2, fieldWidth, top, true);
    return field(name, "Isobaric Configuration", place)
        .noting(note)
        .input(nullptr, Accepts::Text)
        .shows(factor, Shown::YesNo);
}
// Its height, from the caption's top to the note's bottom.
inline constexpr int kIsobaricHeight = kAboveNoteOffset + 315;

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

// One field per diameter, under its diameter (in mm in Metric, the lengths
// in cm), the diameters' row at `headTop`.
constexpr std::array<FieldEntry, design::kPortCount> portCells(int headTop)
{
    constexpr int width = 720;
    std::array<FieldEntry, design::kPortCount> cells {};
    for (int i = 0; i < design::kPortCount; ++i) {
        const int left = kPortFirstLeft + i * kPortPitch;
        cells[i] = field(kPortFields[i], design::kPorts[i].caption, above(left, width, left, width, headTop, true))
                       .captionIn(units::kSmallInches)
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

// On a return: another window changed a driver value the window shows
// (Qts, Vas, Fs, Vd or the isobaric factor), which the activation takes over.
bool takesOverDriver(const DesignWindow* window);

// boxHeight, boxWidth and boxDepth shown with "###.##" in the three named fields.
void showProportions(DesignWindow* window, const design::BoxProportions& box, const QString& height,
    const QString& width, const QString& depth);

// The nine port length fields (kPortFields): "N/A" or the length.
void showPortLengths(DesignWindow* window, const design::PortLengths& lengths);

// Graph, Print, Exit and Save System act alike in every box window. `store`
// writes the window's shown design into the design state at the moment
// given (DesignWindow::storeFields), with its boxType, its box dimensions
// (handOverBox) and what else it shares. Each hand-over offers the box to
// the graph and the report (boxValid) and remembers the driver it was
// designed for.
using Store = std::function<void(Moment)>;
// Graph: with a valid design, hand it over, mark the graph undrawn and open it.
void graphHandOver(const Store& store);
// Print: with a valid design, hand it over and run the box data report
// after the printer selection.
void printHandOver(const Store& store);
// Exit: with a valid design, hand it over with the woofer name; without
// one, withdraw the box. The window's design is no longer valid afterwards.
void exitHandOver(const Store& store);
// Save System: with a valid design, hand it over as Exit does, the window
// staying open and its design valid.
void saveHandOver(const Store& store);

// Analysis..., on the window's context menu and Ctrl+Shift+A: with a valid
// design, hand it over as Graph does; the analysis window opens either way
// and shows the box design handed over last.
void attachAnalysis(DesignWindow* window, const Store& store);
void analysisHandOver(const Store& store);

// The dimensions of the box handed over.
void handOverBox(const design::BoxProportions& box);

} // namespace boxwindow
