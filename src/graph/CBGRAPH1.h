#pragma once
// The graph window "Frequency Graph": the chart Graph1 and the buttons Draw
// Graph and Exit. Draw Graph draws the designs handed over once per hand-over
// (graphDrawn); the pointer over the chart reads frequency and level, and the
// chart's context menu saves the drawn graph as PNG, SVG or PDF.
//
// Zooming: the range chooser (cboRange) shows the full range, the box range
// or the crossover range; over the chart the wheel zooms the frequency axis
// about the pointer (with Shift or Ctrl the level axis), a drag with the left
// button moves the range, and Ctrl+0 goes back to the full range. The range
// is the session's (graphrange.h): saved pictures and the box data report
// show it too.
//
// Comparing: Keep (btnKeep, and the context menu) keeps the box and bandpass
// curves drawn as a kept curve (keptcurves.h), drawn in a colour and dash
// pattern of its own beside every later drawing, with a legend in the chart;
// "Add from File..." (btnAddFile) keeps the design of another system file
// the same way, leaving the design and its file alone. The Kept Curves
// panel (CBGRAPH1kept.h) names, shows, hides, removes and clears them with
// their numbers; a removal or clearing can be undone (Ctrl+Z).
//
// Analysis (btnAnalysis) opens the analysis window for the design handed
// over. That window lies in a layer above this one: the program names how
// to open it (setAnalysisOpener); until it does, the button is disabled.

#include "core/designstate.h"
#include "graph/graphrange.h"
#include "graph/keptcurves.h"
#include "platform/designwindow.h"

#include <QPointer>
#include <QVector>
#include <functional>
#include <optional>

class KeptCurvesPanel;
class PageView;
class QComboBox;
class QPushButton;

class CBGRAPH1 final : public DesignWindow {
    Q_OBJECT
public:
    explicit CBGRAPH1(QWidget* parent = nullptr);

    enum class GraphFile { Png, Svg, Pdf };
    // Asks for a file name and saves the drawn graph; false when nothing was saved.
    bool saveGraph(GraphFile kind);

    // Keeps the curves drawn; says why when it cannot. True when kept.
    bool keepCurve();
    // Asks for another system file and keeps its box (and bandpass) design,
    // labelled with the file's name; says why when it cannot. True when kept.
    bool addFromFile();
    // The Kept Curves panel, opened (and brought forward) on demand.
    QWidget* showKeptCurves();
    // Removes the kept curve of a colour slot, or all of them; undoable.
    void removeKeptCurve(int colorSlot);
    void clearKeptCurves();
    // Brings back the curves of the last removal or clearing; false when
    // there is nothing to undo.
    bool undoKeptCurves();

    // The range the chart shows; a new one draws the chart again.
    void setRange(const GraphRange& range);

    // How Analysis opens the analysis window (empty: it cannot).
    static void setAnalysisOpener(std::function<void()> open);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void Form_Activate() override;
    void Form_Return() override;

private:
    void btnDraw_Click();
    void btnExit_Click();
    void btnAnalysis_Click();
    void btnKeep_Click();
    void btnAddFile_Click();
    void cboRange_Change(int index);
    void Graph1_MouseMove(QPointF world);
    void Graph1_ContextMenu(const QPoint& pos);
    void Graph1_Wheel(QPointF world, double steps, Qt::KeyboardModifiers modifiers);
    void Graph1_Drag(QPointF from, QPointF to);

    void keepCaptionsWhole();
    bool keep(const std::optional<KeptCurve>& curve);
    // The kept curves changed: the chart and the panel show them again.
    void keptCurvesChanged();
    // The chart as it is now: the drawing, the kept curves, the range.
    void drawAgain();
    void showKeptCurvesOfNow();
    void showRangeChosen();

    // What an undo brings back: the curves removed, each with its place.
    struct Removal {
        QString what; // "Remove", "Clear Kept Curves"
        QVector<std::pair<int, KeptCurve>> curves;
    };
    void noteRemoval(const QString& what, const QVector<std::pair<int, KeptCurve>>& curves);
    void showUndo();

    PageView* m_graph = nullptr;
    QPushButton* m_draw = nullptr;
    QComboBox* m_range = nullptr;
    QList<QPushButton*> m_buttons; // Add from File, Keep, Analysis, Draw Graph, Exit, left to right
    // The design state of the last drawing: what Keep keeps and what a
    // change of the kept curves or of the range draws again.
    std::optional<DesignState> m_drawn;
    KeptCurves m_shownKept; // as the chart and the panel show them
    QPointer<KeptCurvesPanel> m_panel;
    QVector<Removal> m_removals; // the last one is undone first
};
