#pragma once
// The printed analysis page: one page for the analysed design, printed
// through the printer selection (or into a PDF file) by the same page engine
// and with the same progress window as the box data report. It shows the
// design (the box, the driver's data, the drivers and their wiring, the
// input and the filter) and the figures, as analysis/describe.h words them,
// and four charts (graph/analysischart.h): the SPL with the maximum SPL,
// the cones' excursion with Xmax, the port's air velocity or the passive
// radiator's excursion with its limit (a closed box's group delay, as it
// has neither), and the impedance with its phase. The kept analysis curves
// shown join the chart of their curve, as in the window.

#include "analysis/input.h"
#include "graph/keptanalysis.h"
#include "platform/page.h"
#include "print/boxreport.h"
#include "print/printerselection.h"

#include <QVector>
#include <functional>

class QWidget;

// The four charts' curves for a design: the first curve of each, and the one drawn with it.
struct PageChart {
    analysis::CurveKind curve;
    std::optional<analysis::CurveKind> also;
    bool operator==(const PageChart&) const = default;
};
QVector<PageChart> analysisPageCharts(const analysis::AnalysisInput& input);

// The page; `advance` hears the gauge values as the charts are composed.
Page composeAnalysisPage(const analysis::AnalysisInput& input, const std::function<void(int)>& advance = {},
    const KeptAnalysisCurves& kept = {});

// Onto a chosen target: the progress window (unless unseen), the page, one
// job. True when printed; a failure has shown its message. An input without
// an analysis prints nothing and says why.
bool runAnalysisPage(const PrintTarget& target, const analysis::AnalysisInput& input, QWidget* parent = nullptr,
    ReportProgress shown = ReportProgress::Shown, const KeptAnalysisCurves& kept = {});

// The analysis window's Print: the printer selection, then the page. An
// input without an analysis says why instead, before any printer is chosen.
void printAnalysisPage(
    QWidget* parent, const analysis::AnalysisInput& input, const KeptAnalysisCurves& kept = keptAnalysisCurves());
