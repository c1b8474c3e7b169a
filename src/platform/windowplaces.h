#pragma once
// Windows remember their place: each window's position and size, saved under
// its name when it closes, come back when it next opens, in this run or the
// next. A place is taken back only on the screens it was saved on, and only
// where the window stays visible; otherwise the window opens where it
// always does. Off until the program turns it on, so that tests and the
// command line always see the windows' own places.

class QWidget;

void rememberWindowPlaces(bool on);
bool windowPlacesRemembered();

// Puts the window where it was last closed, when that place is still on a screen.
void restoreWindowPlace(QWidget* window);
void saveWindowPlace(const QWidget* window);
