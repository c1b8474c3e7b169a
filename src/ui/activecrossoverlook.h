#pragma once
// What the two active crossover windows share: the blue ground with white
// captions, the crossover windows' result fields (yellow on blue, never typed
// into), and showing a design's values in their fields with their patterns.

#include "design/activecrossover2.h"

#include <QStringList>
#include <QVector>

class QWidget;

namespace activeui {

void paintBlue(QWidget* window);
void markResults(QWidget* window, const QVector<design::ActiveComponent>& components);
void showComponents(QWidget* window, const QVector<design::ActiveComponent>& components);

} // namespace activeui
