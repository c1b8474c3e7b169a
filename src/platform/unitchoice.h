#pragma once
// The user's choice of units, Imperial or Metric (core/units.h), as the
// program makes it: the open windows show their numbers and unit words in
// the new units at once (nothing is recomputed), everything else that shows
// a number hears of it (unitsChanged), and the choice is remembered with the
// settings. Remembering is off until the program turns it on, so that tests
// and the command line never read or write the user's settings.

#include "core/units.h"

#include <QObject>

class QWidget;

// Announces a change of the units chosen, after it was made.
class UnitChoice final : public QObject {
    Q_OBJECT
public:
    static UnitChoice* instance();

signals:
    void unitsChanged(UnitSystem system);
};

// Makes `system` the units chosen (nothing happens when it is already).
void chooseUnits(UnitSystem system);

// The choice is read from the settings now and saved with them on every change.
void rememberUnitChoice(bool on);

// The two entries of the units choice, "Imperial Units" and "Metric Units",
// with their shortcuts, added to `window`'s actions (its context menu); they
// show the choice as it stands.
void addUnitChoiceActions(QWidget* window);
