#include "analysis/result.h"

namespace analysis {

QString curveTitle(CurveKind kind)
{
    const CurveInfo& info = kCurveInfo[int(kind)];
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(info.name), QString::fromUtf8(info.unit));
}

const Curve* AnalysisResult::curve(CurveKind kind) const
{
    for (const Curve& c : curves) {
        if (c.kind == kind)
            return &c;
    }
    return nullptr;
}

} // namespace analysis
