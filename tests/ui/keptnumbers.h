#pragma once
// What the Kept Curves panel shows for the design a box window handed over
// last: the graph window draws it and keeps it, and the panel's row for it
// is read back by column title, to compare with the window's own fields.

#include "graph/CBGRAPH1.h"
#include "graph/keptcurves.h"

#include <QHeaderView>
#include <QMap>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace kept {

inline QMap<QString, QString> panelNumbers()
{
    keptCurves().clear();
    auto* graph = openWindow<CBGRAPH1>();
    if (!QTest::qWaitForWindowActive(graph))
        return {};
    QTest::mouseClick(graph->findChild<QPushButton*>("btnDraw"), Qt::LeftButton);
    if (!graph->keepCurve())
        return {};
    auto* table = graph->findChild<QTableWidget*>("lstKept");
    QMap<QString, QString> numbers;
    for (int column = 1; column < table->columnCount(); ++column)
        numbers[table->horizontalHeaderItem(column)->text()] = table->item(table->currentRow(), column)->text();
    return numbers;
}

} // namespace kept
