#include "graph/CBGRAPH1.h"

#include "core/filechooser.h"
#include "core/messages.h"
#include "graph/graphpage.h"
#include "graph/keptcurves.h"
#include "platform/chart.h"
#include "platform/pageoutput.h"
#include "platform/pageview.h"

#include <QBoxLayout>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <cmath>
#include <limits>

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
const QSize kClientTwips(9492, 6816);

// The chart's lower edge, in twips.
constexpr int kChartBottomTwips = 240 + 5655;
constexpr int kButtonGap = 4; // pixels between buttons squeezed together

// The size a button needs to show its whole caption.
QSize captionNeeds(const QPushButton* button)
{
    const QFontMetrics metrics(button->font());
    const QStyle* style = button->style();
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
        + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button) + 4;
    return { metrics.horizontalAdvance(button->text()) + margin, metrics.height() + margin };
}

// A short dashed stroke of a kept curve's colour, as the chart draws it.
QIcon swatch(int colorSlot)
{
    QPixmap pixmap(28, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(chart::comparedColor(colorSlot), 2.5, Qt::DashLine, Qt::FlatCap));
    painter.drawLine(QPointF(1, 6), QPointF(27, 6));
    return QIcon(pixmap);
}
} // namespace

CBGRAPH1::CBGRAPH1(QWidget* parent)
    : DesignWindow(QStringLiteral("CBGRAPH1"), QStringLiteral("Frequency Graph"), kClientTwips, parent)
{
    m_graph = new PageView(this);
    m_graph->setObjectName(QStringLiteral("Graph1"));
    m_graph->setPage(Page(kGraphWorld));
    m_graph->setContextMenuPolicy(Qt::CustomContextMenu);
    place(m_graph, 0, 240, 9495, 5655);

    m_buttons = addButtons({
        { "btnKeep", "Keep", [this] { btnKeep_Click(); }, nullptr, { 3840, 6120, 1452, 492 } },
        { "btnDraw", "Draw Graph", [this] { btnDraw_Click(); }, nullptr, { 5760, 6120, 1452, 492 } },
        { "btnExit", "Exit", [this] { btnExit_Click(); }, nullptr, { 7680, 6120, 1212, 492 } },
    });
    m_draw = m_buttons[1];
    m_buttons[0]->setToolTip(QStringLiteral("Keep the curves drawn, to compare them with the next designs"));
    // The buttons squeezed side by side below a chart of some height.
    int width = kButtonGap;
    int height = 0;
    for (const QPushButton* button : m_buttons) {
        width += captionNeeds(button).width() + kButtonGap;
        height = std::max(height, captionNeeds(button).height());
    }
    const double chartShare = double(kChartBottomTwips) / kClientTwips.height();
    setMinimumSize(width, int(std::ceil((height + 2 * kButtonGap) / (1 - chartShare))));

    connect(m_graph, &PageView::pointerMoved, this, &CBGRAPH1::Graph1_MouseMove);
    connect(m_graph, &PageView::pointerLeft, this, [this] { m_graph->setReadout({}); });
    connect(m_graph, &QWidget::customContextMenuRequested, this, &CBGRAPH1::Graph1_ContextMenu);
}

void CBGRAPH1::resizeEvent(QResizeEvent* event)
{
    DesignWindow::resizeEvent(event);
    keepCaptionsWhole();
    m_draw->setFocus();
}

// Scaled below its designed size, a button keeps the size its caption needs:
// the row keeps its right end where the scaling puts it (unless the row
// would then start left of the window), the buttons move left as they must,
// and none reaches below the window.
void CBGRAPH1::keepCaptionsWhole()
{
    int nextLeft = std::numeric_limits<int>::max();
    for (auto it = m_buttons.rbegin(); it != m_buttons.rend(); ++it) {
        QPushButton* button = *it;
        const QRect scaled = button->geometry();
        const QSize needs = captionNeeds(button);
        const int w = std::max(scaled.width(), needs.width());
        const int h = std::max(scaled.height(), needs.height());
        const int right = std::min(scaled.x() + scaled.width(), nextLeft - kButtonGap);
        button->setGeometry(right - w, std::min(scaled.y(), height() - h - kButtonGap), w, h);
        nextLeft = right - w;
    }
    // Squeezed past the left edge, the row moves right as far as it must.
    if (nextLeft < kButtonGap)
        for (QPushButton* button : m_buttons)
            button->move(button->x() + kButtonGap - nextLeft, button->y());
}

// One drawing per hand-over; a new drawing replaces the old one.
void CBGRAPH1::btnDraw_Click()
{
    DesignState& state = designState();
    if (state.graphDrawn != 0)
        return;
    state.graphDrawn = 1;
    m_drawn = state;
    drawKeptCurvesAgain();
}

void CBGRAPH1::btnExit_Click() { closeWindow(); }

void CBGRAPH1::btnKeep_Click() { keepCurve(); }

bool CBGRAPH1::keepCurve()
{
    switch (::keepCurve(keptCurves(), m_drawn ? curveToKeep(*m_drawn) : std::nullopt)) {
    case KeepResult::NothingToKeep:
        showMessage(msg::plain(QStringLiteral("Nothing to Keep: Draw a Box or Bandpass Design First")));
        return false;
    case KeepResult::Full:
        showMessage(msg::plain(
            QStringLiteral("At most %1 curves can be kept. Remove one in Kept Curves first.").arg(kMaxKeptCurves)));
        return false;
    case KeepResult::Kept:
        break;
    }
    keptCurvesChanged();
    showKeptCurves();
    m_list->setCurrentRow(int(m_list->count()) - 1);
    return true;
}

void CBGRAPH1::clearKeptCurves()
{
    keptCurves().clear();
    keptCurvesChanged();
}

void CBGRAPH1::keptCurvesChanged()
{
    drawKeptCurvesAgain();
    if (m_panel)
        fillKeptList();
}

void CBGRAPH1::drawKeptCurvesAgain()
{
    m_shownKept = keptCurves();
    if (m_drawn)
        m_graph->setPage(composeGraph(*m_drawn, keptCurves()));
}

// A load of a system file brings kept curves of its own: coming back to the
// window or its panel shows them.
void CBGRAPH1::showKeptCurvesOfNow()
{
    if (keptCurves() != m_shownKept)
        keptCurvesChanged();
}

void CBGRAPH1::Form_Activate() { showKeptCurvesOfNow(); }

void CBGRAPH1::Form_Return() { showKeptCurvesOfNow(); }

bool CBGRAPH1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_panel)
        return DesignWindow::eventFilter(watched, event);
    if (event->type() == QEvent::WindowActivate)
        showKeptCurvesOfNow();
    return false;
}

QWidget* CBGRAPH1::showKeptCurves()
{
    if (!m_panel) {
        auto* panel = new QWidget(this, Qt::Tool);
        panel->setObjectName(QStringLiteral("KeptCurves"));
        panel->setWindowTitle(QStringLiteral("Kept Curves"));
        m_list = new QListWidget(panel);
        m_list->setObjectName(QStringLiteral("lstKept"));
        m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
        auto* note = new QLabel(QStringLiteral("Tick to show, double-click (or F2) to rename."), panel);
        auto* remove = new QPushButton(QStringLiteral("Remove"), panel);
        remove->setObjectName(QStringLiteral("btnRemove"));
        auto* clear = new QPushButton(QStringLiteral("Clear All"), panel);
        clear->setObjectName(QStringLiteral("btnClear"));
        auto* close = new QPushButton(QStringLiteral("Close"), panel);
        close->setObjectName(QStringLiteral("btnClose"));
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(remove);
        buttons->addWidget(clear);
        buttons->addStretch();
        buttons->addWidget(close);
        auto* layout = new QVBoxLayout(panel);
        layout->addWidget(m_list);
        layout->addWidget(note);
        layout->addLayout(buttons);
        panel->resize(360, 260);

        connect(m_list, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { lstKept_ItemChanged(m_list->row(item)); });
        connect(remove, &QPushButton::clicked, this, [this] {
            const int row = m_list->currentRow();
            if (row < 0 || row >= keptCurves().size())
                return;
            keptCurves().removeAt(row);
            keptCurvesChanged();
            m_list->setCurrentRow(std::min(row, int(m_list->count()) - 1));
        });
        connect(clear, &QPushButton::clicked, this, &CBGRAPH1::clearKeptCurves);
        connect(close, &QPushButton::clicked, panel, &QWidget::close);
        m_panel = panel;
        panel->installEventFilter(this);
        fillKeptList();
    }
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
    return m_panel;
}

void CBGRAPH1::fillKeptList()
{
    const QSignalBlocker blocker(m_list);
    const int row = m_list->currentRow();
    m_list->clear();
    for (const KeptCurve& k : keptCurves()) {
        auto* item = new QListWidgetItem(swatch(k.colorSlot), k.label, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
        item->setCheckState(k.visible ? Qt::Checked : Qt::Unchecked);
    }
    m_list->setCurrentRow(std::min(row, int(m_list->count()) - 1));
    m_panel->findChild<QPushButton*>(QStringLiteral("btnRemove"))->setEnabled(m_list->count() > 0);
    m_panel->findChild<QPushButton*>(QStringLiteral("btnClear"))->setEnabled(m_list->count() > 0);
}

// A tick shows or hides the curve; an edited name becomes its label (an
// empty one leaves the label as it was).
void CBGRAPH1::lstKept_ItemChanged(int row)
{
    if (row < 0 || row >= keptCurves().size())
        return;
    KeptCurve& k = keptCurves()[row];
    QListWidgetItem* item = m_list->item(row);
    const QString label = keptLabel(item->text());
    if (!label.isEmpty())
        k.label = label;
    k.visible = item->checkState() == Qt::Checked;
    // The item shows the label as kept; the list is not filled again while
    // it reports a change of one of its items.
    if (item->text() != k.label) {
        const QSignalBlocker blocker(m_list);
        item->setText(k.label);
    }
    drawKeptCurvesAgain();
}

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
    menu.addSeparator();
    const bool kept = !keptCurves().isEmpty();
    menu.addAction(QStringLiteral("Keep Curve"), this, &CBGRAPH1::keepCurve)->setEnabled(drawn);
    menu.addAction(QStringLiteral("Kept Curves..."), this, &CBGRAPH1::showKeptCurves)->setEnabled(kept);
    menu.addAction(QStringLiteral("Clear Kept Curves"), this, &CBGRAPH1::clearKeptCurves)->setEnabled(kept);
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
    QString problem;
    switch (kind) {
    case GraphFile::Png:
        saved = saveImage(page, fileName, kPngSize, &problem);
        break;
    case GraphFile::Svg:
        saved = saveSvg(page, fileName, kSvgSize, &problem);
        break;
    case GraphFile::Pdf:
        saved = savePdf(page, fileName, &problem);
        break;
    }
    if (!saved)
        showMessage(msg::error(QStringLiteral("The graph could not be saved as %1: %2. Choose another file name or "
                                              "folder.")
                                   .arg(QDir::toNativeSeparators(fileName), problem)));
    return saved;
}
