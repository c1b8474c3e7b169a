#pragma once
// What the crossover windows do alike: result fields in yellow on blue (the
// active windows' too); for the passive windows the components of a
// recalculation shown in their fields ("sz" + part name) and stored in the
// design state (a part shown as "N/A" keeps the value an earlier design
// left), and the inductor window opened by L Design.

#include "core/designstate.h"
#include "design/crossoverparts.h"

#include <QVector>

class DesignWindow;

namespace xoverui {

// The window's declared results: yellow text on blue (read-only, as the base
// makes every result).
void makeResultFields(DesignWindow* window);

// The design-state variable of a part (xoverL1, xoverC1, ...).
float& storedPart(design::XoverPart part);

void showAndStore(DesignWindow* window, const QVector<design::PartValue>& parts);

// The value the field of a part shows, read back as a number.
double shownPart(const DesignWindow* window, design::XoverPart part);

// L Design: the inductor window takes over `coilSource` crossover inductors.
void openInductorWindow(CoilSource coilSource);

} // namespace xoverui
