#include "graph/keptanalysis.h"

#include "analysis/analysis.h"
#include "analysis/describe.h"

KeptAnalysisCurves& keptAnalysisCurves()
{
    static KeptAnalysisCurves kept;
    return kept;
}

std::optional<KeptAnalysisCurve> analysisCurveToKeep(const analysis::AnalysisInput& input, analysis::CurveKind curve)
{
    if (!analysis::analyse(input).curve(curve))
        return std::nullopt;
    return KeptAnalysisCurve { keptLabel(analysis::analysisLabel(input)), 0, true, curve, input };
}

KeepResult keepAnalysisCurve(KeptAnalysisCurves& kept, const std::optional<KeptAnalysisCurve>& curve)
{
    return keepInFreeSlot(kept, curve);
}

bool anyShown(const KeptAnalysisCurves& kept) { return anyVisible(kept); }
