#pragma once
// "Analysis": what the drivers do in the box design a box window handed
// over (the closed, vented or passive radiator box, as the graph draws it),
// or in the bandpass design: the SPL at an input, the maximum SPL by Xmax
// and Pe, the cones' excursion, the port's air velocity or the radiator's
// excursion, the impedance and its phase, the acoustic phase, the group
// delay and the amplifier's current and apparent power, one chosen curve at
// a time, with the figures beside it. Live: every change of a field or a
// chooser draws the chart and states the figures again at once; there is no
// Calculate.
//
// Fs, Qts and Vas are the design's and rule; the rest of the driver's data
// is typed or picked from the driver library (Ctrl+L). Qes, Qms and Re are
// the measurement window's values and are kept there; Le, Sd, Xmax, Pe, the
// input, the distance, QL, the port, a radiator's Sd and Xmax, the filter
// ahead of the drivers, their number and wiring and the curve are kept for
// the session (analysis* in the design state). When both a box and a
// bandpass design are handed over, cboDesign picks the one shown. What is
// missing, and the Qes/Qms warning, are stated in the window itself. The
// chart's context menu saves it as PNG, SVG or PDF; Export... writes the
// curves as FRD, ZMA or CSV; Print prints the analysis page; Keep keeps the
// shown curve for comparison (graph/keptanalysis.h), saved beside the
// system file. The model and its figures live in analysis/, the chart in
// graph/, the page in print/.

#include "graph/analysischart.h"
#include "platform/designwindow.h"
#include "platform/pagesave.h"

#include <optional>

class PageView;
class QComboBox;
class QLabel;

class frmAnalysis final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmAnalysis(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

    // The chart: the design handed over (none when no box is) and the
    // kept analysis curves of the curve chosen.
    const AnalysisChart& chart() const { return m_chart; }
    const ChartedDesign* current() const;
    std::optional<analysis::AnalysisInput> analysedInput() const;
    // Each asks for a file name; false when nothing was written. The chart
    // as a picture, or (Export...) the current design's curves as FRD, ZMA or
    // CSV, or the chart, by the name's suffix.
    bool saveChart(PageFile kind);
    bool exportAnalysis();
    // Keep: the shown curve of the current design joins the kept analysis
    // curves; false, having said why, when it cannot.
    bool keepCurve();
    // Print: the analysis page through the printer selection.
    void printPage();

    // The design shown, as handed over, before the window's own inputs:
    // the box design, else the bandpass design; with both, the one cboDesign picks.
    static std::optional<analysis::AnalysisInput> shownDesign();

protected:
    void Form_Activate() override;
    void Form_Return() override;

private:
    void buildControls();
    void btnExit_Click();
    void btnExport_Click();
    void btnKeep_Click();
    void btnPrint_Click();
    void cboCurve_Change(int index);
    void cboDesign_Change(int index);
    void cboLevelUnit_Change(int index);
    void cboPort_Change(int index);
    void cboFilter_Change(int index);
    void cboFilterOrder_Change(int index);
    void cboWiring_Change(int index);
    void removeKeptCurves();
    QComboBox* chooser(const char* name, std::initializer_list<const char*> items, int left, int top, int width);
    void Graph1_MouseMove(QPointF world);
    void Graph1_ContextMenu(const QPoint& pos);
    // A typed value: kept, and the analysis redrawn.
    void field_Change(const char* name);

    // The choosers as the design state remembers them, for the box shown.
    void showChoices();
    // The choosers and fields of the box, the filter and the drivers.
    void showSetup(const analysis::BoxSetup& box);
    void showFilterOrders(int filter);
    // The analysis of what the window shows, drawn and stated.
    void analyseAgain();

    PageView* m_chartView = nullptr;
    QComboBox* m_curve = nullptr;
    QComboBox* m_levelUnit = nullptr;
    QComboBox* m_port = nullptr;
    QComboBox* m_designChoice = nullptr;
    QComboBox* m_filter = nullptr;
    QComboBox* m_filterOrder = nullptr;
    QComboBox* m_wiring = nullptr;
    QLabel* m_design = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_messages = nullptr;
    QLabel* m_figures = nullptr;
    AnalysisChart m_chart;
    bool m_filling = false; // the activation writes the fields: one analysis after them
};

// Opens the analysis window (or brings it forward).
frmAnalysis* openAnalysis();
