#include "graph/keptcurves.h"

#include <algorithm>

namespace {
QString volumeText(double cubicFeet) { return QString::number(cubicFeet, 'f', 2) + QStringLiteral(" ft\u00b3"); }

QString named(const Text30& name, const QString& what)
{
    const QString text = name.trimmed();
    return text.isEmpty() ? what : text + QStringLiteral(", ") + what;
}

QString isobaric(float factor) { return factor == 0.5f ? QStringLiteral(", isobaric") : QString(); }
} // namespace

KeptCurves& keptCurves()
{
    static KeptCurves kept;
    return kept;
}

QString boxLabel(const DesignState& s)
{
    const auto box = boxCurveInputs(s);
    if (!box)
        return {};
    static const char* const kinds[] = { "closed", "vented", "passive radiator" };
    // A box drawn for another driver than it was designed for says which.
    const QString drawnFor = drawnForAnotherDriver(s) ? QStringLiteral(", drawn for ") + boxDriverText(boxDriverOf(s))
                                                      : isobaric(s.isoFactor);
    return named(s.driverName, QString::fromLatin1(kinds[int(box->type)]) + u' ' + volumeText(s.closedVb) + drawnFor);
}

QString bandpassLabel(const DesignState& s)
{
    if (!bandpassCurveInputs(s))
        return {};
    return named(s.bandWooferName,
        QStringLiteral("bandpass %1 + %2").arg(QString::number(s.bandSealedVb, 'f', 2), volumeText(s.bandVentedVb))
            + isobaric(s.bandIsoFactor));
}

QString keptLabel(const QString& text)
{
    QString line = text;
    for (QChar& c : line)
        if (!c.isPrint())
            c = u' ';
    return line.simplified().left(kMaxKeptLabelLength).trimmed();
}

std::optional<KeptCurve> curveToKeep(const DesignState& drawn)
{
    KeptCurve curve;
    if (const auto box = boxCurveInputs(drawn); box && boxCurve(*box))
        curve.box = box;
    if (const auto band = bandpassCurveInputs(drawn); band && bandpassCurve(*band))
        curve.bandpass = band;
    if (curve.box && curve.bandpass)
        curve.label = boxLabel(drawn) + QStringLiteral(" + bandpass");
    else if (curve.box)
        curve.label = boxLabel(drawn);
    else if (curve.bandpass)
        curve.label = bandpassLabel(drawn);
    else
        return std::nullopt;
    curve.label = keptLabel(curve.label);
    return curve;
}

KeepResult keepCurve(KeptCurves& kept, const std::optional<KeptCurve>& curve)
{
    if (!curve)
        return KeepResult::NothingToKeep;
    if (kept.size() >= kMaxKeptCurves)
        return KeepResult::Full;
    KeptCurve added = *curve;
    added.colorSlot = 0;
    while (std::any_of(kept.begin(), kept.end(), [&](const KeptCurve& k) { return k.colorSlot == added.colorSlot; }))
        ++added.colorSlot;
    kept << added;
    return KeepResult::Kept;
}

bool anyShown(const KeptCurves& kept)
{
    return std::any_of(kept.begin(), kept.end(), [](const KeptCurve& k) { return k.visible; });
}
