#pragma once
// What the Kept Curves panel shows for the design a box window handed over
// last: the graph window draws it and keeps it, and the panel's row for it
// is read back by column title, to compare with the window's own fields.

#include "graph/CBGRAPH1.h"
#include "graph/keptcurves.h"

#include <QHeaderView>
#include <QLineEdit>
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

// Where the panel's numbers differ from the window's fields: column titles
// with the field that shows the same number ("" for a column that stays
// empty); the box type is compared with `box`. Empty when they agree.
inline QStringList differences(
    const QWidget* window, const QString& box, const QList<std::pair<QString, const char*>>& columns)
{
    const QMap<QString, QString> numbers = panelNumbers();
    QStringList differ;
    if (numbers.value(QStringLiteral("Box")) != box)
        differ << QStringLiteral("Box: %1").arg(numbers.value(QStringLiteral("Box")));
    for (const auto& [title, field] : columns) {
        const auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(field));
        const QString shown = edit ? edit->text() : QString();
        if (numbers.value(title) != shown)
            differ << QStringLiteral("%1: %2, the window %3").arg(title, numbers.value(title), shown);
    }
    return differ;
}

inline const QString kVolume = QString::fromUtf8("Volume (ft\u00b3)");
inline const QString kVas = QString::fromUtf8("Vas (ft\u00b3)");

} // namespace kept
