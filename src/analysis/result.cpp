#include "analysis/result.h"

namespace analysis {

QString curveTitle(CurveKind kind) { return QStringLiteral("%1 (%2)").arg(curveName(kind), curveUnit(kind)); }

QString curveName(CurveKind kind) { return QString::fromUtf8(kCurveInfo[int(kind)].name); }

QString curveUnit(CurveKind kind) { return QString::fromUtf8(kCurveInfo[int(kind)].unit); }

QString curveKey(CurveKind kind) { return QString::fromLatin1(kCurveInfo[int(kind)].key); }

std::optional<CurveKind> curveOfKey(QStringView key)
{
    for (const CurveInfo& info : kCurveInfo) {
        if (key == QLatin1String(info.key))
            return info.kind;
    }
    return std::nullopt;
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
