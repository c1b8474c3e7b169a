#pragma once
// The graph window "Frequency Graph": the chart Graph1 and the buttons Draw
// Graph and Exit. Draw Graph draws the designs handed over once per hand-over
// (graphDrawn); the pointer over the chart reads frequency and level, and the
// chart's context menu saves the drawn graph as PNG, SVG or PDF.
//
// Comparing: Keep (btnKeep, and the context menu) keeps the box and bandpass
// curves drawn as a kept curve (keptcurves.h), drawn dashed in a colour of
// its own beside every later drawing, with a legend in the chart. The Kept
// Curves panel names, shows, hides and removes them.

#include "core/designstate.h"
#include "graph/keptcurves.h"
#include "platform/designwindow.h"

#include <QPointer>
#include <QVector>
#include <optional>

class PageView;
class QListWidget;
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
    // The Kept Curves panel, opened (and brought forward) on demand.
    QWidget* showKeptCurves();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Form_Activate() override;
    void Form_Return() override;

private:
    void btnDraw_Click();
    void btnExit_Click();
    void btnKeep_Click();
    void Graph1_MouseMove(QPointF world);
    void Graph1_ContextMenu(const QPoint& pos);

    void keepCaptionsWhole();
    void clearKeptCurves();
    // The kept curves changed: the chart and the panel show them again.
    void keptCurvesChanged();
    // The chart shows the kept curves as they are now.
    void drawKeptCurvesAgain();
    void showKeptCurvesOfNow();
    void fillKeptList();
    void lstKept_ItemChanged(int row);

    PageView* m_graph = nullptr;
    QPushButton* m_draw = nullptr;
    QList<QPushButton*> m_buttons; // Keep, Draw Graph, Exit, left to right
    // The design state of the last drawing: what Keep keeps and what a
    // change of the kept curves draws again.
    std::optional<DesignState> m_drawn;
    KeptCurves m_shownKept; // as the chart and the panel show them
    QPointer<QWidget> m_panel;
    QListWidget* m_list = nullptr;
};
