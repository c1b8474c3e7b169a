#include "graph/CBGRAPH1.h"

#include "core/filechooser.h"
#include "core/messages.h"
#include "design/systemload.h"
#include "graph/CBGRAPH1kept.h"
#include "graph/graphpage.h"
#include "platform/pagesave.h"
#include "platform/pageview.h"
#include "platform/unitchoice.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
const QSize kClientTwips(9492, 6816);

// The chart's lower edge, in twips.
constexpr int kChartBottomTwips = 240 + 5655;
constexpr int kButtonGap = 4; // pixels between buttons squeezed together
// A narrower range chooser gives way to the buttons.
constexpr int kLeastChooserWidth = 72;
// One notch of the wheel zooms by this factor.
constexpr double kWheelZoom = 1.25;

// The size a button needs to show its whole caption.
QSize captionNeeds(const QPushButton* button)
{
    const QFontMetrics metrics(button->font());
    const QStyle* style = button->style();
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
        + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button) + 4;
    return { metrics.horizontalAdvance(button->text()) + margin, metrics.height() + margin };
}

std::function<void()>& analysisOpener()
{
    static std::function<void()> open;
    return open;
}

Message keepRefusal(KeepResult result)
{
    if (result == KeepResult::Full)
        return msg::plain(
            QStringLiteral("At most %1 curves can be kept. Remove one in Kept Curves first.").arg(kMaxKeptCurves));
    return msg::plain(QStringLiteral("Nothing to Keep: Draw a Box or Bandpass Design First"));
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

    m_range = new QComboBox(this);
    m_range->setObjectName(QStringLiteral("cboRange"));
    for (const NamedRange& named : namedRanges())
        m_range->addItem(QString::fromLatin1(named.name));
    m_range->setToolTip(QStringLiteral("The range the chart shows. Over the chart the wheel zooms (with Shift: the "
                                       "level), a drag moves the range, Ctrl+0 shows the full range."));
    m_range->setFocusPolicy(Qt::TabFocus);
    place(m_range, 120, 6150, 1440, 432);

    m_buttons = addButtons({
        { "btnAddFile", "Add from File...", [this] { btnAddFile_Click(); }, nullptr, { 1680, 6120, 1560, 492 } },
        { "btnKeep", "Keep", [this] { btnKeep_Click(); }, nullptr, { 3360, 6120, 1020, 492 } },
        { "btnAnalysis", "Analysis", [this] { btnAnalysis_Click(); }, nullptr, { 4500, 6120, 1140, 492 } },
        { "btnDraw", "Draw Graph", [this] { btnDraw_Click(); }, nullptr, { 5760, 6120, 1452, 492 } },
        { "btnExit", "Exit", [this] { btnExit_Click(); }, nullptr, { 7680, 6120, 1212, 492 } },
    });
    m_draw = m_buttons[3];
    m_buttons[0]->setToolTip(QStringLiteral("Compare with the box (and bandpass) design of another system file"));
    m_buttons[1]->setToolTip(QStringLiteral("Keep the curves drawn, to compare them with the next designs"));
    m_buttons[2]->setToolTip(QStringLiteral("What the driver does in the box handed over: SPL, excursion, port "
                                            "velocity, impedance (Ctrl+Shift+A)"));
    m_buttons[2]->setEnabled(bool(analysisOpener()));
    // The buttons squeezed side by side below a chart of some height; the
    // range chooser gives way.
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
    connect(m_graph, &PageView::wheelTurned, this, &CBGRAPH1::Graph1_Wheel);
    connect(m_graph, &PageView::dragged, this, &CBGRAPH1::Graph1_Drag);
    connect(m_range, &QComboBox::activated, this, &CBGRAPH1::cboRange_Change);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), this, [this] { setRange({}); });
    new QShortcut(QKeySequence::Undo, this, [this] { undoKeptCurves(); });
    // The legend names volumes in the units chosen.
    connect(UnitChoice::instance(), &UnitChoice::unitsChanged, this, &CBGRAPH1::drawAgain);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), this, [this] { btnAnalysis_Click(); });
    showRangeChosen();
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
// and none reaches below the window. A row that does not fit so shrinks its
// buttons to what their captions need, and then closes up from the
// window's right edge. The range chooser keeps what room is left of them,
// and hides when too little is.
void CBGRAPH1::keepCaptionsWhole()
{
    QVector<QRect> scaled;
    for (const QPushButton* button : m_buttons)
        scaled << button->geometry();
    enum class Fit { Scaled, Tight, Packed };
    int nextLeft = 0;
    for (const Fit fit : { Fit::Scaled, Fit::Tight, Fit::Packed }) {
        nextLeft = fit == Fit::Packed ? width() : std::numeric_limits<int>::max();
        for (qsizetype i = m_buttons.size() - 1; i >= 0; --i) {
            QPushButton* button = m_buttons[i];
            const QSize needs = captionNeeds(button);
            const int w = fit == Fit::Scaled ? std::max(scaled[i].width(), needs.width()) : needs.width();
            const int h = std::max(scaled[i].height(), needs.height());
            const int right = fit == Fit::Packed ? nextLeft - kButtonGap
                                                 : std::min(scaled[i].x() + scaled[i].width(), nextLeft - kButtonGap);
            button->setGeometry(right - w, std::min(scaled[i].y(), height() - h - kButtonGap), w, h);
            nextLeft = right - w;
        }
        if (nextLeft >= kButtonGap)
            break;
    }
    // Squeezed past the left edge, the row moves right as far as it must.
    if (nextLeft < kButtonGap) {
        for (QPushButton* button : m_buttons)
            button->move(button->x() + kButtonGap - nextLeft, button->y());
        nextLeft = kButtonGap;
    }
    const QRect chooser = m_range->geometry();
    const int h = std::max(chooser.height(), m_range->minimumSizeHint().height());
    const int w = std::min(chooser.width(), nextLeft - kButtonGap - chooser.x());
    m_range->setGeometry(chooser.x(), std::min(chooser.y(), height() - h - kButtonGap), std::max(w, 0), h);
    m_range->setVisible(w >= kLeastChooserWidth);
}

// One drawing per hand-over; a new drawing replaces the old one.
void CBGRAPH1::btnDraw_Click()
{
    DesignState& state = designState();
    if (state.graphDrawn != 0)
        return;
    state.graphDrawn = 1;
    m_drawn = state;
    m_shownKept = keptCurves();
    drawAgain();
}

void CBGRAPH1::btnExit_Click() { closeWindow(); }

void CBGRAPH1::setAnalysisOpener(std::function<void()> open)
{
    analysisOpener() = std::move(open);
    if (CBGRAPH1* window = existingWindow<CBGRAPH1>())
        window->m_buttons[2]->setEnabled(bool(analysisOpener()));
}

void CBGRAPH1::btnAnalysis_Click()
{
    if (const auto& open = analysisOpener())
        open();
}

void CBGRAPH1::btnKeep_Click() { keepCurve(); }

void CBGRAPH1::btnAddFile_Click() { addFromFile(); }

bool CBGRAPH1::keepCurve() { return keep(m_drawn ? curveToKeep(*m_drawn) : std::nullopt); }

bool CBGRAPH1::addFromFile()
{
    if (keptCurves().size() >= kMaxKeptCurves) {
        showMessage(keepRefusal(KeepResult::Full));
        return false;
    }
    const std::optional<OtherSystem> other = readOtherSystem(QStringLiteral("Add from File"));
    if (!other)
        return false;
    const std::optional<KeptCurve> curve = curveToKeep(other->design, other->file);
    if (!curve) {
        showMessage(msg::plain(QStringLiteral("%1 holds no box or bandpass design to compare.")
                                   .arg(QDir::toNativeSeparators(other->file))));
        return false;
    }
    return keep(curve);
}

bool CBGRAPH1::keep(const std::optional<KeptCurve>& curve)
{
    const KeepResult result = ::keepCurve(keptCurves(), curve);
    if (result != KeepResult::Kept) {
        showMessage(keepRefusal(result));
        return false;
    }
    keptCurvesChanged();
    showKeptCurves();
    m_panel->selectSlot(keptCurves().constLast().colorSlot);
    return true;
}

void CBGRAPH1::removeKeptCurve(int colorSlot)
{
    KeptCurves& kept = keptCurves();
    for (int i = 0; i < kept.size(); ++i)
        if (kept[i].colorSlot == colorSlot) {
            noteRemoval(QStringLiteral("Remove"), { { i, kept[i] } });
            kept.removeAt(i);
            keptCurvesChanged();
            return;
        }
}

void CBGRAPH1::clearKeptCurves()
{
    KeptCurves& kept = keptCurves();
    if (kept.isEmpty())
        return;
    QVector<std::pair<int, KeptCurve>> all;
    for (int i = 0; i < kept.size(); ++i)
        all << std::pair(i, kept[i]);
    noteRemoval(QStringLiteral("Clear Kept Curves"), all);
    kept.clear();
    keptCurvesChanged();
}

void CBGRAPH1::noteRemoval(const QString& what, const QVector<std::pair<int, KeptCurve>>& curves)
{
    m_removals << Removal { what, curves };
    showUndo();
}

// The removed curves go back to their places; a curve kept meanwhile keeps
// its colour, and a returning one takes a free colour when its own is taken.
bool CBGRAPH1::undoKeptCurves()
{
    if (m_removals.isEmpty())
        return false;
    const Removal removal = m_removals.takeLast();
    KeptCurves& kept = keptCurves();
    int left = 0;
    for (const auto& [place, curve] : removal.curves) {
        if (kept.size() >= kMaxKeptCurves) {
            ++left;
            continue;
        }
        KeptCurve back = curve;
        const auto taken = [&kept](int slot) {
            return std::any_of(kept.begin(), kept.end(), [slot](const KeptCurve& k) { return k.colorSlot == slot; });
        };
        if (taken(back.colorSlot))
            for (back.colorSlot = 0; taken(back.colorSlot);)
                ++back.colorSlot;
        kept.insert(std::min<qsizetype>(place, kept.size()), back);
    }
    keptCurvesChanged();
    showUndo();
    if (left > 0)
        showMessage(msg::plain(QStringLiteral("%1 of the curves could not come back: at most %2 curves can be kept.")
                                   .arg(left)
                                   .arg(kMaxKeptCurves)));
    return true;
}

void CBGRAPH1::showUndo()
{
    if (m_panel)
        m_panel->setUndoText(m_removals.isEmpty() ? QString() : QStringLiteral("Undo ") + m_removals.last().what);
}

void CBGRAPH1::keptCurvesChanged()
{
    m_shownKept = keptCurves();
    drawAgain();
    if (m_panel)
        m_panel->fill();
}

void CBGRAPH1::drawAgain()
{
    if (m_drawn)
        m_graph->setPage(composeGraph(*m_drawn, keptCurves(), shownGraphRange()));
}

// A load of a system file brings kept curves of its own: coming back to the
// window or its panel shows them, and what was removed before cannot come
// back among them.
void CBGRAPH1::showKeptCurvesOfNow()
{
    if (keptCurves() == m_shownKept)
        return;
    m_removals.clear();
    showUndo();
    keptCurvesChanged();
}

void CBGRAPH1::Form_Activate()
{
    showKeptCurvesOfNow();
    showRangeChosen();
}

void CBGRAPH1::Form_Return() { showKeptCurvesOfNow(); }

QWidget* CBGRAPH1::showKeptCurves()
{
    if (!m_panel) {
        m_panel = new KeptCurvesPanel(this);
        connect(m_panel, &KeptCurvesPanel::curvesEdited, this, [this] {
            m_shownKept = keptCurves();
            drawAgain();
        });
        connect(m_panel, &KeptCurvesPanel::addFromFileRequested, this, &CBGRAPH1::addFromFile);
        connect(m_panel, &KeptCurvesPanel::removeRequested, this, &CBGRAPH1::removeKeptCurve);
        connect(m_panel, &KeptCurvesPanel::clearRequested, this, &CBGRAPH1::clearKeptCurves);
        connect(m_panel, &KeptCurvesPanel::undoRequested, this, &CBGRAPH1::undoKeptCurves);
        // The panel shows the kept curves of now whenever the user comes to it.
        connect(m_panel, &KeptCurvesPanel::activated, this, &CBGRAPH1::showKeptCurvesOfNow);
        const QSize screen = m_panel->screen()->availableGeometry().size();
        m_panel->resize(m_panel->fittingSize().boundedTo(screen));
        showUndo();
    }
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
    return m_panel;
}

void CBGRAPH1::setRange(const GraphRange& range)
{
    const GraphRange sound = soundRange(range);
    if (sound == shownGraphRange())
        return;
    shownGraphRange() = sound;
    showRangeChosen();
    drawAgain();
}

// The chooser names the range shown; a zoomed one is an entry of its own.
void CBGRAPH1::showRangeChosen()
{
    const GraphRange& shown = shownGraphRange();
    const std::span<const NamedRange> named = namedRanges();
    const auto found = std::find_if(named.begin(), named.end(), [&](const NamedRange& n) { return n.range == shown; });
    const int count = int(named.size());
    if (found != named.end()) {
        if (m_range->count() > count)
            m_range->removeItem(count);
        m_range->setCurrentIndex(int(found - named.begin()));
        return;
    }
    const QString zoomed = QStringLiteral("Zoomed: ") + rangeText(shown);
    if (m_range->count() == count)
        m_range->addItem(zoomed);
    else
        m_range->setItemText(count, zoomed);
    m_range->setCurrentIndex(count);
}

void CBGRAPH1::cboRange_Change(int index)
{
    if (index >= 0 && index < int(namedRanges().size()))
        setRange(namedRanges()[index].range);
}

void CBGRAPH1::Graph1_Wheel(QPointF world, double steps, Qt::KeyboardModifiers modifiers)
{
    const GraphRange& range = shownGraphRange();
    const PlotMap map = graphPlot(range);
    if (!m_drawn || !map.plot().contains(world))
        return;
    const double factor = std::pow(kWheelZoom, steps);
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier))
        setRange(zoomLevel(range, map.levelAt(world.y()), factor));
    else
        setRange(zoomFrequency(range, map.frequencyAt(world.x()), factor));
    Graph1_MouseMove(world);
}

// The chart follows the pointer: what was under it stays under it.
void CBGRAPH1::Graph1_Drag(QPointF from, QPointF to)
{
    if (!m_drawn)
        return;
    const GraphRange& range = shownGraphRange();
    const QRectF plot = graphPlot(range).plot();
    const double decades = -(to.x() - from.x()) / plot.width() * std::log10(range.toHz / range.fromHz);
    const double db = -(to.y() - from.y()) / plot.height() * (range.toDb - range.fromDb);
    setRange(pan(range, decades, db));
}

void CBGRAPH1::Graph1_MouseMove(QPointF world)
{
    const auto reading = m_graph->page().isEmpty() ? std::nullopt : readingAt(world, shownGraphRange());
    m_graph->setReadout(reading ? readingText(*reading) : QString());
}

void CBGRAPH1::Graph1_ContextMenu(const QPoint& pos)
{
    QMenu menu(this);
    const bool drawn = !m_graph->page().isEmpty();
    for (const PageFile kind : kPageFiles) {
        QAction* action = menu.addAction(savePageAction(kind, QStringLiteral("Graph")));
        action->setEnabled(drawn);
        connect(action, &QAction::triggered, this, [this, kind] { saveGraph(GraphFile(kind)); });
    }
    menu.addSeparator();
    const bool kept = !keptCurves().isEmpty();
    menu.addAction(QStringLiteral("Keep Curve"), this, &CBGRAPH1::keepCurve)->setEnabled(drawn);
    menu.addAction(QStringLiteral("Add from File..."), this, &CBGRAPH1::addFromFile);
    menu.addAction(QStringLiteral("Kept Curves..."), this, &CBGRAPH1::showKeptCurves)->setEnabled(kept);
    menu.addAction(QStringLiteral("Clear Kept Curves"), this, &CBGRAPH1::clearKeptCurves)->setEnabled(kept);
    QAction* undo = menu.addAction(
        m_removals.isEmpty() ? QStringLiteral("Undo") : QStringLiteral("Undo ") + m_removals.last().what, this,
        &CBGRAPH1::undoKeptCurves);
    undo->setShortcut(QKeySequence::Undo);
    undo->setEnabled(!m_removals.isEmpty());
    menu.addSeparator();
    QAction* reset = menu.addAction(QStringLiteral("Reset Zoom"), this, [this] { setRange({}); });
    reset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    reset->setEnabled(!shownGraphRange().isFull());
    menu.exec(m_graph->mapToGlobal(pos));
}

bool CBGRAPH1::saveGraph(GraphFile kind)
{
    return savePageAs(m_graph->page(), kPageFiles[int(kind)], QStringLiteral("Graph"));
}
