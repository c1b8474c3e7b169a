#pragma once
// Windows remember their place: each window's position and size (without
// its frame, as QWidget::saveGeometry keeps them) and whether it was
// maximized, saved under its name when it closes, come back when it next
// opens, in this run or the next, to the pixel: no creeping over many
// reopenings. A place is taken back only on the screens it was saved on,
// and only where its title bar can still be reached and dragged; otherwise
// the window opens where it always does. Off until the program turns it on,
// so that tests and the command line always see the windows' own places.

class QWidget;

void rememberWindowPlaces(bool on);
bool windowPlacesRemembered();

// Puts the window where it was last closed, when that place is still on a screen.
void restoreWindowPlace(QWidget* window);
void saveWindowPlace(const QWidget* window);
