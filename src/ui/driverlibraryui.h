#pragma once
// The driver library in the windows: one call in a window's constructor
// attaches picking and saving to the window's own driver fields, so no
// window holds a copy of this code and none changes its controls, captions,
// positions or rules.
//
// What an attached window gets (nothing is added to its layout):
//  - a small button inside the name field's right end, and Ctrl+L, "Pick
//    Driver from Library...": a list of the library's drivers
//    with their values; picking fills the driver fields as if typed (their
//    change rules run; the Enter, got-focus and lost-focus rules do not, and
//    nothing is calculated until the user presses Calculate). A value the
//    driver does not have leaves its field as the user had it.
//  - completion on the name field: the drivers whose names begin with what
//    is typed, with their values; choosing one picks it.
//  - Ctrl+Shift+S "Save Driver to Library...": the driver with the values
//    the window shows; a name in the library already asks before its values
//    are replaced (what the window has no field for is kept, as the library
//    holds it when it is written, not when the question was asked).
//  - Ctrl+Shift+L "Driver Library...": the dialog that lists, edits,
//    deletes, imports and exports drivers.
// All three are on the context menu of the window and of the name field.
// Messages go through the message service, file dialogs through the file
// chooser, so tests see and answer them.

#include "core/driverrecord.h"
#include "platform/windowfields.h"

#include <span>

class QWidget;

// The window's field for each part of a driver; nullptr where it has none.
struct DriverFields {
    const char* name = nullptr;
    const char* fs = nullptr;
    const char* qts = nullptr;
    const char* vas = nullptr;
    const char* qes = nullptr;
    const char* qms = nullptr;
    const char* re = nullptr;
    const char* le = nullptr;
    const char* vd = nullptr;
    // Set for a window that calculates the driver (the measurement window):
    // it saves only what this button calculated, and cannot pick.
    const char* calculatedBy = nullptr;
};

void attachDriverLibrary(QWidget* window, const DriverFields& fields);
// The driver fields of a declared table: the fields whose keys name a part
// of a driver ("name", "fs", "qts", "vas", "qes", "qms", "re", "le", "vd").
DriverFields driverFieldsIn(std::span<const FieldEntry> fields, const char* calculatedBy = nullptr);
// The main window: "Driver Library..." on its context menu and Ctrl+Shift+L.
void attachDriverLibraryManager(QWidget* window);

// The fields a window attached; null when it attached none.
const DriverFields* driverFieldsOf(const QWidget* window);
bool canPickDriver(const QWidget* window);

// What picking does: the driver's values into the window's fields.
void pickDriver(QWidget* window, const DriverRecord& driver);
// The driver as the window shows it (a field showing nothing is unknown).
DriverRecord shownDriver(const QWidget* window);
// What saving does, with its questions and messages. True when saved.
bool saveShownDriver(QWidget* window);

// The dialogs; each shows without blocking and comes to the front when it
// is open already.
QWidget* openDriverPicker(QWidget* window);
QWidget* openDriverManager();
