#pragma once
// The design state as `show` prints it: every variable a system file holds
// (core/systemrecord.h) but the two spare capacitor slots, in the file's
// order, under its design-state name, with the text the program shows for a
// stored value (numberText) or the name as typed.

#include "cli/commandresult.h"

#include <QVector>

struct DesignState;

QVector<FieldReading> savedVariableReadings(const DesignState& state);
