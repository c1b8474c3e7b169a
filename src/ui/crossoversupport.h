#pragma once
// What the passive crossover windows do alike: result fields in yellow on
// blue, the components of a recalculation shown in their fields ("sz" + part
// name) and stored in the design state (a part shown as "N/A" keeps the
// value an earlier design left), and the inductor window opened by L Design.

#include "core/designstate.h"
#include "design/crossoverparts.h"

#include <QVector>
#include <initializer_list>

class QLineEdit;
class QWidget;

namespace xoverui {

// Yellow text on blue; results are never typed into.
void makeResultField(QLineEdit* field);
void makeResultFields(QWidget* window, std::initializer_list<const char*> names);

// The design-state variable of a part (xoverL1, xoverC1, ...).
float& storedPart(design::XoverPart part);

void showAndStore(QWidget* window, const QVector<design::PartValue>& parts);

// The value the field of a part shows, read back as a number.
double shownPart(const QWidget* window, design::XoverPart part);

// L Design: the inductor window takes over `coilSource` crossover inductors.
void openInductorWindow(CoilSource coilSource);

} // namespace xoverui
