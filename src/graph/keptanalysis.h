#pragma once
// Analysis curves kept for comparison: the shown curve of an analysed
// design, frozen under a label and a colour of their own, apart from the
// graph's kept curves (keptcurves.h) but kept by the same rule: at most
// kMaxKeptCurves, each in the first free colour slot and its dash pattern.
// They belong to the session, outlive the analysis window and are saved
// beside the system file with the graph's (keptcurvefile.h). A kept curve
// holds the design it was analysed from, so the chart draws it again.

#include "analysis/input.h"
#include "analysis/result.h"
#include "graph/keptcurves.h"

#include <QString>
#include <QVector>
#include <optional>

struct KeptAnalysisCurve {
    QString label; // as the graph labels its kept curves (analysis::analysisLabel)
    int colorSlot = 0; // chart::comparedColor(colorSlot), chart::comparedStyle(colorSlot)
    bool visible = true;
    analysis::CurveKind curve = analysis::CurveKind::Spl; // the curve kept; the chart of this curve draws it
    analysis::AnalysisInput input;
    bool operator==(const KeptAnalysisCurve&) const = default;
};

using KeptAnalysisCurves = QVector<KeptAnalysisCurve>;

// The session's kept analysis curves, in the order they were kept.
KeptAnalysisCurves& keptAnalysisCurves();

// The curve `curve` of the analysis of `input`, labelled; empty when that
// analysis has no such curve (data missing, or a curve this box has not).
std::optional<KeptAnalysisCurve> analysisCurveToKeep(const analysis::AnalysisInput& input, analysis::CurveKind curve);

KeepResult keepAnalysisCurve(KeptAnalysisCurves& kept, const std::optional<KeptAnalysisCurve>& curve);
bool anyShown(const KeptAnalysisCurves& kept);
