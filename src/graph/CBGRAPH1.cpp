#include "graph/CBGRAPH1.h"

#include "core/designstate.h"
#include "core/filechooser.h"
#include "core/messages.h"
#include "graph/graphpage.h"
#include "platform/pageoutput.h"
#include "platform/pageview.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

namespace {
struct GraphFormat {
    const char* action;
    const char* filter;
    const char* suffix;
};
const GraphFormat kFormats[] = {
    { "Save Graph as PNG...", "PNG Image (*.png)", "png" },
    { "Save Graph as SVG...", "SVG Drawing (*.svg)", "svg" },
    { "Save Graph as PDF...", "PDF Document (*.pdf)", "pdf" },
};
const QSize kPngSize(1600, 800);
const QSize kSvgSize(1000, 500);
} // namespace

CBGRAPH1::CBGRAPH1(QWidget* parent)
    : DesignWindow(QStringLiteral("CBGRAPH1"), QStringLiteral("Frequency Graph"), QSize(9492, 6816), parent)
{
    m_graph = new PageView(this);
    m_graph->setObjectName(QStringLiteral("Graph1"));
    m_graph->setPage(Page(kGraphWorld));
    m_graph->setContextMenuPolicy(Qt::CustomContextMenu);
    place(m_graph, 0, 240, 9495, 5655);

    m_draw
        = addButtons({
                         { "btnDraw", "Draw Graph", [this] { btnDraw_Click(); }, nullptr, { 5760, 6120, 1452, 492 } },
                         { "btnExit", "Exit", [this] { btnExit_Click(); }, nullptr, { 7680, 6120, 1212, 492 } },
                     })
              .front();
    connect(m_graph, &PageView::pointerMoved, this, &CBGRAPH1::Graph1_MouseMove);
    connect(m_graph, &PageView::pointerLeft, this, [this] { m_graph->setReadout({}); });
    connect(m_graph, &QWidget::customContextMenuRequested, this, &CBGRAPH1::Graph1_ContextMenu);
}

void CBGRAPH1::resizeEvent(QResizeEvent* event)
{
    DesignWindow::resizeEvent(event);
    m_draw->setFocus();
}

// One drawing per hand-over; a new drawing replaces the old one.
void CBGRAPH1::btnDraw_Click()
{
    DesignState& state = designState();
    if (state.graphDrawn != 0)
        return;
    state.graphDrawn = 1;
    m_graph->setPage(composeGraph(state));
}

void CBGRAPH1::btnExit_Click() { closeWindow(); }

void CBGRAPH1::Graph1_MouseMove(QPointF world)
{
    const auto reading = m_graph->page().isEmpty() ? std::nullopt : readingAt(world);
    m_graph->setReadout(reading ? readingText(*reading) : QString());
}

void CBGRAPH1::Graph1_ContextMenu(const QPoint& pos)
{
    QMenu menu(this);
    const bool drawn = !m_graph->page().isEmpty();
    for (int i = 0; i < 3; ++i) {
        QAction* action = menu.addAction(QString::fromLatin1(kFormats[i].action));
        action->setEnabled(drawn);
        connect(action, &QAction::triggered, this, [this, i] { saveGraph(GraphFile(i)); });
    }
    menu.exec(m_graph->mapToGlobal(pos));
}

bool CBGRAPH1::saveGraph(GraphFile kind)
{
    const Page& page = m_graph->page();
    FileChooser* chooser = fileChooser();
    if (page.isEmpty() || !chooser)
        return false;
    const GraphFormat& format = kFormats[int(kind)];
    const QString suffix = QString::fromLatin1(format.suffix);
    const auto chosen = chooser->choose({ QStringLiteral("Save Graph"), QString::fromLatin1(format.filter),
        QStringLiteral("graph.") + suffix, true, suffix });
    if (!chosen || chosen->isEmpty())
        return false;
    QString fileName = *chosen;
    // The dialog adds the suffix itself before it asks about overwriting; a
    // name from elsewhere without one gets it here.
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QLatin1Char('.') + suffix;

    bool saved = false;
    switch (kind) {
    case GraphFile::Png:
        saved = saveImage(page, fileName, kPngSize);
        break;
    case GraphFile::Svg:
        saved = saveSvg(page, fileName, kSvgSize);
        break;
    case GraphFile::Pdf:
        saved = savePdf(page, fileName);
        break;
    }
    if (!saved)
        showMessage(msg::error(QStringLiteral("The graph could not be saved as %1. Choose another file name or folder.")
                                   .arg(QDir::toNativeSeparators(fileName))));
    return saved;
}
