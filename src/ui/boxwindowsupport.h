#pragma once
// What the box windows (closed, vented, passive radiator) do alike: carry out
// a calculation's outcome, fill the driver fields and the isobaric field on
// activation and hand field values to the design state. Free functions over the window's named controls,
// so each window keeps only its own rules.

#include "core/designstate.h"
#include "design/boxproportions.h"
#include "design/outcome.h"
#include "design/portlengths.h"

#include <QString>
#include <functional>
#include <initializer_list>

class DesignWindow;
class QLineEdit;
class QWidget;

namespace boxui {

QLineEdit* fieldOf(const QWidget* window, const QString& name);
double numberIn(const QWidget* window, const QString& name);
void setTextOf(QWidget* window, const QString& name, const QString& text);

// The beep, the message boxes in order, then the focus.
void carryOut(QWidget* window, const design::Outcome& outcome);

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

// A field whose value, read back from its text, is stored as a Single.
struct FieldBinding {
    const char* field;
    float DesignState::*member;
};
void storeFields(const QWidget* window, std::initializer_list<FieldBinding> bindings);

// boxHeight, boxWidth and boxDepth, shown with "###.##" in the three named fields.
void storeAndShowProportions(QWidget* window, const design::BoxProportions& box, const QString& height,
    const QString& width, const QString& depth);

// The nine port length fields (boxlayout's kPortFields): "N/A" or the length.
void showPortLengths(QWidget* window, const design::PortLengths& lengths);

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

// Makes the named fields read-only: results the user never types into.
void setReadOnly(QWidget* window, std::initializer_list<const char*> names);

} // namespace boxui
