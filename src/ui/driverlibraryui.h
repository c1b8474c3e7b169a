#pragma once
// The driver library in the windows: one call in a window's constructor
// attaches picking and saving to the window's own driver fields, those rows
// of its field table that name a part of a driver (FieldEntry::driverPart,
// by the keys of kDriverValues and kDriverTexts), so no window holds a copy
// of this code or a list of its driver fields, and none changes its
// controls, captions, positions or rules. A part the driver record gains is
// picked and saved wherever a table names it.
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

class DesignWindow;
class QWidget;

// A window whose driver values are results (the measurement window)
// calculates the driver: it saves only what its calculation showed (it
// tells by its signal calculated()), and cannot pick.
void attachDriverLibrary(DesignWindow* window);
// The main window: "Driver Library..." on its context menu and Ctrl+Shift+L.
void attachDriverLibraryManager(QWidget* window);

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
