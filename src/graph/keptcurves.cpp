#include "graph/keptcurves.h"

#include "core/numberformat.h"
#include "design/closedbox.h"
#include "design/radiatorbox.h"
#include "design/singles.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// A volume in the units chosen: "2.16 ft³", "61.16 L".
QString volumeNumber(double cubicFeet) { return QString::number(toShown(cubicFeet, units::kCubicFeet), 'f', 2); }
QString volumeText(double cubicFeet) { return volumeNumber(cubicFeet) + u' ' + unitSymbol(units::kCubicFeet); }

QString named(const Text30& name, const QString& what)
{
    const QString text = name.trimmed();
    return text.isEmpty() ? what : text + QStringLiteral(", ") + what;
}

QString isobaric(float factor) { return factor == 0.5f ? QStringLiteral(", isobaric") : QString(); }

const char* const kBoxKinds[] = { "closed", "vented", "passive radiator" };

std::optional<double> positive(double value)
{
    return std::isfinite(value) && value > 0 ? std::optional(value) : std::nullopt;
}

// The -3 dB cut-off the box's window shows for the design handed over.
std::optional<double> boxF3(const DesignState& s, const BoxCurveInputs& box)
{
    switch (box.type) {
    case BoxType::Closed:
        return positive(design::closedBoxF3(s.closedFc, s.closedQtcCalc));
    case BoxType::Vented:
        // The vented window's own design, as it last showed it.
        return s.ventedValid == 1 ? positive(s.ventedF3) : std::nullopt;
    case BoxType::Radiator: {
        const auto result = design::radiatorDesign({ s.qts, s.vas, s.fs, 0, s.isoFactor }, design::Trigger::Activation);
        return result.design ? positive(result.design->f3) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// A number a Single holds; a file's number beyond that is shown as not known.
bool single(std::optional<double> value) { return value && std::abs(*value) <= std::numeric_limits<float>::max(); }

KeptCell number(std::optional<double> value, QStringView pattern, const Unit& unit = {})
{
    if (!single(value))
        return {};
    return { shownPatternText(float(*value), pattern, true, unit), *value };
}

// A driver value as the windows show it when they fill it from the design.
KeptCell driverValue(std::optional<double> value, const Unit& unit = {})
{
    if (!single(value) || !(*value > 0))
        return {};
    return { shownNumberText(float(*value), unit).trimmed(), *value };
}

std::optional<double> known(double value) { return positive(value); }
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
    // A box drawn for another driver than it was designed for says which.
    const QString drawnFor = drawnForAnotherDriver(s) ? QStringLiteral(", drawn for ") + boxDriverText(boxDriverOf(s))
                                                      : isobaric(s.isoFactor);
    return named(
        s.driverName, QString::fromLatin1(kBoxKinds[int(box->type)]) + u' ' + volumeText(s.closedVb) + drawnFor);
}

QString bandpassLabel(const DesignState& s)
{
    if (!bandpassCurveInputs(s))
        return {};
    return named(s.bandWooferName,
        QStringLiteral("bandpass %1 + %2").arg(volumeNumber(s.bandSealedVb), volumeText(s.bandVentedVb))
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
    curve.figures = keptFigures(drawn);
    return curve;
}

std::optional<KeptCurve> curveToKeep(const DesignState& design, const QString& file)
{
    std::optional<KeptCurve> curve = curveToKeep(design);
    if (curve) {
        curve->label = keptLabel(QFileInfo(file).completeBaseName() + QStringLiteral(": ") + curve->label);
        curve->figures = keptFigures(design, FiguresOf::File);
    }
    return curve;
}

KeptFigures keptFigures(const DesignState& s, FiguresOf of)
{
    KeptFigures figures;
    const auto box = boxCurveInputs(s);
    figures.driver = keptLabel((box ? s.driverName : s.bandWooferName).trimmed());
    if (box)
        figures.f3 = boxF3(s, *box);
    if (bandpassCurveInputs(s)) {
        figures.sealedVb = known(s.bandSealedVb);
        figures.ventedVb = known(s.bandVentedVb);
        if (of == FiguresOf::File) {
            figures.bandQts = known(s.bandQts);
            figures.bandVas = known(s.bandVas);
            figures.bandFs = known(s.bandFs);
        }
    }
    return figures;
}

QString keptColumnTitle(KeptColumn column)
{
    static const char* const titles[kKeptColumns]
        = { "Box", "Volume (%1)", "Fb, Fc (Hz)", "Qtc", "F3 (Hz)", "Driver", "Fs (Hz)", "Qts", "Vas (%1)" };
    const QString title = QString::fromUtf8(titles[int(column)]);
    return title.contains(u'%') ? title.arg(unitSymbol(units::kCubicFeet)) : title;
}

KeptCell keptCell(const KeptCurve& k, KeptColumn column)
{
    const KeptFigures& f = k.figures;
    if (column == KeptColumn::Driver)
        return { f.driver, 0 };
    if (const auto& b = k.box) {
        switch (column) {
        case KeptColumn::Box: {
            QString kind = QString::fromLatin1(kBoxKinds[int(b->type)]) + isobaric(float(b->isoFactor));
            if (k.bandpass)
                kind += QStringLiteral(" + bandpass");
            return { kind, 0 };
        }
        case KeptColumn::Volume:
            return number(b->volume, design::kPattern2, units::kCubicFeet);
        case KeptColumn::Tuning:
            return number(b->type == BoxType::Closed ? b->fc : b->fb, design::kPattern2);
        case KeptColumn::Qtc:
            return b->type == BoxType::Closed ? number(b->qtc, design::kPattern3) : KeptCell();
        case KeptColumn::F3:
            return number(f.f3, design::kPattern2);
        case KeptColumn::Fs:
            return driverValue(b->fs);
        case KeptColumn::Qts:
            return driverValue(b->qts);
        case KeptColumn::Vas:
            return driverValue(b->vas, units::kCubicFeet);
        default:
            return {};
        }
    }
    const auto& band = k.bandpass;
    if (!band)
        return {};
    switch (column) {
    case KeptColumn::Box:
        return { QStringLiteral("bandpass"), 0 };
    case KeptColumn::Volume:
        if (!single(f.sealedVb) || !single(f.ventedVb))
            return {};
        return { shownPatternText(float(*f.sealedVb), design::kPattern2, true, units::kCubicFeet)
                + QStringLiteral(" + ")
                + shownPatternText(float(*f.ventedVb), design::kPattern2, true, units::kCubicFeet),
            *f.sealedVb + *f.ventedVb };
    case KeptColumn::Tuning:
        return number(band->fb, design::kPattern2);
    case KeptColumn::F3:
        return { formatNumber(float(band->fl3), design::kPattern2) + QStringLiteral(" - ")
                + formatNumber(float(band->fh3), design::kPattern2),
            band->fl3 };
    case KeptColumn::Fs:
        return driverValue(f.bandFs);
    case KeptColumn::Qts:
        return driverValue(f.bandQts);
    case KeptColumn::Vas:
        return driverValue(f.bandVas, units::kCubicFeet);
    default:
        return {};
    }
}

KeepResult keepCurve(KeptCurves& kept, const std::optional<KeptCurve>& curve) { return keepInFreeSlot(kept, curve); }

bool anyShown(const KeptCurves& kept) { return anyVisible(kept); }
