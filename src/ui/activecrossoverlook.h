#pragma once
// What the two active crossover windows share: the blue ground with white
// captions, and showing a design's values in their fields with their patterns.

#include "design/activecrossover2.h"

#include <QStringList>
#include <QVector>

class DesignWindow;
class QWidget;

namespace activeui {

void paintBlue(QWidget* window);
void showComponents(DesignWindow* window, const QVector<design::ActiveComponent>& components);

} // namespace activeui
