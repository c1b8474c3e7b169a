#pragma once
// The graph window "Frequency Graph": the chart Graph1 and the buttons Draw
// Graph and Exit. Draw Graph draws the designs handed over once per hand-over
// (graphDrawn); the pointer over the chart reads frequency and level, and the
// chart's context menu saves the drawn graph as PNG, SVG or PDF.

#include "platform/designwindow.h"

class PageView;
class QPushButton;

class CBGRAPH1 final : public DesignWindow {
    Q_OBJECT
public:
    explicit CBGRAPH1(QWidget* parent = nullptr);

    enum class GraphFile { Png, Svg, Pdf };
    // Asks for a file name and saves the drawn graph; false when nothing was saved.
    bool saveGraph(GraphFile kind);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void btnDraw_Click();
    void btnExit_Click();
    void Graph1_MouseMove(QPointF world);
    void Graph1_ContextMenu(const QPoint& pos);

    PageView* m_graph = nullptr;
    QPushButton* m_draw = nullptr;
};
