#include "ui/boxwindows.h"

#include "core/driverrecord.h"
#include "design/singles.h"
#include "platform/designwindow.h"
#include "print/boxreport.h"
#include "ui/frmAnalysis.h"
#include "ui/graphwindow.h"

#include <QAction>
#include <QApplication>

namespace boxwindow {

void buildDimensions(DesignWindow* window, std::span<const FieldEntry> rows, RightColumn column)
{
    const FieldEntry& first = rows.front();
    window->followUnits(window->addCaption(QString::fromLatin1(kDimensions), column.left,
                            first.place.top - kHeadingToRows, column.width),
        [&first](UnitSystem system) { return shownSection(first, system); });
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
    // The diameters' unit and the lengths' unit at the rows' ends.
    const int unitLeft = kPortFirstLeft + int(cells.size()) * kPortPitch;
    for (const auto& [top, unit] : { std::pair(headTop, &first.captionUnit), std::pair(rowTop, &first.unit) })
        window->followUnits(window->addCaption(QString::fromLatin1(unit->text), unitLeft, top, 600,
                                DesignWindow::kRowHeight, Qt::AlignLeft),
            [shown = unit](UnitSystem system) { return unitText(*shown, system); });
}

bool takesOverDriver(const DesignWindow* window)
{
    for (const FieldEntry& entry : window->fields()) {
        const bool driverValue = entry.driverPart && ::driverValue(QString::fromLatin1(entry.driverPart));
        if ((driverValue || entry.value.shown == Shown::YesNo) && entry.value.fills
            && window->takesOver(QString::fromLatin1(entry.name)))
            return true;
    }
    return false;
}

void showProportions(DesignWindow* window, const design::BoxProportions& box, const QString& height,
    const QString& width, const QString& depth)
{
    window->showNumber(height, box.height, design::kPattern2);
    window->showNumber(width, box.width, design::kPattern2);
    window->showNumber(depth, box.depth, design::kPattern2);
}

void showPortLengths(DesignWindow* window, const design::PortLengths& lengths)
{
    for (int i = 0; i < design::kPortCount; ++i) {
        const QString name = QString::fromLatin1(kPortFields[i]);
        if (design::portIsBuildable(lengths[i]))
            window->showNumber(name, lengths[i], design::kPattern2);
        else
            window->setFieldText(name, design::portLengthText(lengths[i]));
    }
}

void handOverBox(const design::BoxProportions& box)
{
    DesignState& state = designState();
    state.boxHeight = box.height;
    state.boxWidth = box.width;
    state.boxDepth = box.depth;
}

namespace {
// The design handed over, offered to the graph and the report with the
// driver it was designed for.
bool handOver(const Store& store, Moment moment)
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return false;
    store(moment);
    state.boxValid = 1;
    state.analysisBandpass = 0; // the design handed over last is the one analysed
    state.boxDesignedFor = boxDriverOf(state);
    return true;
}
} // namespace

void graphHandOver(const Store& store)
{
    if (!handOver(store, Moment::Graph))
        return;
    designState().graphDrawn = 0;
    openGraph();
}

void analysisHandOver(const Store& store)
{
    if (handOver(store, Moment::Graph))
        designState().graphDrawn = 0;
    openAnalysis();
}

void attachAnalysis(DesignWindow* window, const Store& store)
{
    auto* action = new QAction(QStringLiteral("Analysis..."), window);
    action->setObjectName(QStringLiteral("actAnalysis"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, window, [store] { analysisHandOver(store); });
    window->addAction(action);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void printHandOver(const Store& store)
{
    if (handOver(store, Moment::Print))
        printBoxDataReport(QApplication::activeWindow());
}

void exitHandOver(const Store& store)
{
    DesignState& state = designState();
    if (!handOver(store, Moment::Exit))
        state.boxValid = 0;
    state.designValid = 0;
}

void saveHandOver(const Store& store) { handOver(store, Moment::Exit); }

} // namespace boxwindow
