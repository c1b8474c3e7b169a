#include "ui/boxwindows.h"

#include "core/numberformat.h"
#include "design/singles.h"
#include "graph/CBGRAPH1.h"
#include "platform/designwindow.h"
#include "print/boxreport.h"

#include <QApplication>
#include <QLineEdit>

namespace boxwindow {

void buildDimensions(DesignWindow* window, std::span<const FieldEntry> rows, RightColumn column)
{
    window->addCaption(
        QString::fromLatin1(kDimensions), column.left, rows.front().place.top - kHeadingToRows, column.width);
    window->buildFields(rows);
}

void buildPortTable(DesignWindow* window, std::span<const FieldEntry> cells, const QString& headCaption)
{
    constexpr int captionLeft = 240;
    const FieldEntry& first = cells.front();
    const int headTop = first.place.top;
    const int rowTop = headTop + kAboveFieldOffset;
    const int captionWidth = kPortFirstLeft - captionLeft - 120;
    window->addCaption(headCaption, captionLeft, headTop, captionWidth, DesignWindow::kRowHeight, Qt::AlignRight);
    window->addCaption(QString::fromLatin1(first.section), captionLeft, rowTop, captionWidth, DesignWindow::kRowHeight,
        Qt::AlignRight);
    window->buildFields(cells);
    const int unitLeft = kPortFirstLeft + int(cells.size()) * kPortPitch;
    for (const int top : { headTop, rowTop })
        window->addCaption(
            QString::fromLatin1(first.unit.text), unitLeft, top, 600, DesignWindow::kRowHeight, Qt::AlignLeft);
    for (const FieldEntry& cell : cells)
        window->field(QString::fromLatin1(cell.name))->setReadOnly(true);
}

void showsStoredDriverAndBox(DesignWindow* window)
{
    const DesignState& state = designState();
    window->showsStoredValue("szWoofBox", state.driverName);
    window->showsStoredValue("szQts", state.qts);
    window->showsStoredValue("szVas", state.vas);
    window->showsStoredValue("szFar", state.fs);
    window->showsStoredValue("szISO", state.isoFactor);
    for (const float* dimension : { &state.boxHeight, &state.boxWidth, &state.boxDepth })
        window->showsStoredValue(nullptr, *dimension);
}

bool showStoredDriver(DesignWindow* window)
{
    const DesignState& state = designState();
    const std::pair<const char*, float> stored[]
        = { { "szQts", state.qts }, { "szVas", state.vas }, { "szFar", state.fs } };
    bool complete = true;
    for (const auto& [name, value] : stored) {
        if (value > 0)
            window->refillField(QString::fromLatin1(name), numberText(value));
        else
            complete = false;
    }
    return complete;
}

void showIsobaric(DesignWindow* window)
{
    window->refillField(
        QStringLiteral("szISO"), designState().isoFactor >= 1 ? QStringLiteral("N") : QStringLiteral("Y"));
}

void storeAndShowProportions(DesignWindow* window, const design::BoxProportions& box, const QString& height,
    const QString& width, const QString& depth)
{
    DesignState& state = designState();
    state.boxHeight = box.height;
    state.boxWidth = box.width;
    state.boxDepth = box.depth;
    window->setFieldText(height, formatNumber(box.height, design::kPattern2));
    window->setFieldText(width, formatNumber(box.width, design::kPattern2));
    window->setFieldText(depth, formatNumber(box.depth, design::kPattern2));
}

void showPortLengths(DesignWindow* window, const design::PortLengths& lengths)
{
    for (int i = 0; i < design::kPortCount; ++i)
        window->setFieldText(QString::fromLatin1(kPortFields[i]), design::portLengthText(lengths[i]));
}

void graphHandOver(const std::function<void()>& store)
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return;
    store();
    state.graphDrawn = 0;
    openWindow<CBGRAPH1>();
}

void printHandOver(const std::function<void()>& store)
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return;
    store();
    state.boxValid = 1;
    printBoxDataReport(QApplication::activeWindow());
}

void exitHandOver(const std::function<void()>& store, const QString& wooferName)
{
    DesignState& state = designState();
    if (state.designValid == 1) {
        store();
        state.driverName = wooferName;
        state.boxValid = 1;
    } else {
        state.boxValid = 0;
    }
    state.designValid = 0;
}

} // namespace boxwindow
