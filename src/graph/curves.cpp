#include "graph/curves.h"

#include "core/numberformat.h"
#include "core/units.h"
#include "design/singles.h"

#include <cmath>
#include <functional>

namespace {

const double kTopDecade = std::log10(100000.0); // 100 kHz, the right end of the chart

bool positive(double v) { return std::isfinite(v) && v > 0; }

template <class... T> bool allPositive(T... values) { return (positive(double(values)) && ...); }

double dB(double ratio) { return 20 * std::log10(ratio); }

// The points of one curve: levels below the chart, and levels that mean
// nothing, are left out; a curve holds at most kMaxCurvePoints points.
QVector<QPointF> levelPoints(
    const QVector<float>& frequencies, const std::function<double(double)>& level, const ChartScale& scale)
{
    QVector<QPointF> points;
    for (float f : frequencies) {
        if (points.size() == kMaxCurvePoints)
            break;
        const double l = level(f);
        if (std::isfinite(l) && l >= kLowestLevel)
            points << QPointF(chartX(f, scale), chartY(l));
    }
    return points;
}

double omega(double f) { return 6.283 * f; }

double inductive(double f, double mH) { return 1e-3 * omega(f) * mH; }

double capacitive(double f, double uF) { return 1 / (1e-6 * omega(f) * uF); }

struct CrossoverPart {
    CurveKind kind;
    int order;
    bool lowFrequency; // the curve follows xoverFreqLow rather than xoverFreq
};

// The word the chart title gives a box type; null for a type that is not a box.
const char* boxName(BoxType boxType)
{
    switch (boxType) {
    case BoxType::Closed:
        return "Closed";
    case BoxType::Vented:
        return "Vented";
    case BoxType::Radiator:
        return "Passive";
    default:
        return nullptr;
    }
}

Curve crossoverCurve(CurveKind kind, const QVector<QPointF>& points)
{
    static const int colors[] = { 0, 1, 9, 4 };
    return Curve { kind, points, colors[int(kind)], 2 };
}

} // namespace

double chartX(double frequency, const ChartScale& scale, double lowDecade)
{
    return scale.width / (kTopDecade - lowDecade) * (std::log10(frequency) - lowDecade) + scale.xOffset;
}

double chartY(double level) { return (level / 2 + 10) * kUnitsPerHalfDb; }

double frequencyAtX(double x, const ChartScale& scale)
{
    return std::pow(10.0, (x - scale.xOffset) * (kTopDecade - 1) / scale.width + 1);
}

double levelAtY(double y) { return (y / kUnitsPerHalfDb - 10) * 2; }

QVector<float> boxFrequencies()
{
    QVector<float> out;
    for (float f = 20; f <= 100; f += 5)
        out << f;
    for (float f = 150; f <= 1000; f += 50)
        out << f;
    return out;
}

double closedBoxLevel(double f, double fc, double qtc)
{
    const double r = f / fc;
    const double r2 = r * r;
    const double h = r2 / std::sqrt((r2 - 1) * (r2 - 1) + (r / qtc) * (r / qtc));
    return 20 * std::log(h) / std::log(10.0);
}

std::optional<VentedCoefficients> ventedCoefficients(double fb, double fs, double qts, double alpha)
{
    if (!allPositive(fb, fs, qts, alpha))
        return std::nullopt;
    VentedCoefficients k;
    k.a = (fb / fs) * (fb / fs);
    k.b = fb / (7 * fs) + k.a / qts;
    k.c = fb / (7 * fs * qts) + k.a + 1 + alpha;
    k.d = fb / (7 * fs) + 1 / qts;
    return k;
}

double ventedBoxLevel(double f, double fs, const VentedCoefficients& k)
{
    // The powers of r and the two squared terms are Singles.
    const float r = design::toSingle(f / fs);
    const float r2 = r * r;
    const float r3 = r2 * r;
    const float r4 = r2 * r2;
    const double real = r4 - k.c * r2 + k.a;
    const double imag = k.b * r - k.d * r3;
    const float realSq = design::toSingle(real * real);
    const float imagSq = design::toSingle(imag * imag);
    return dB(r4 / std::sqrt(double(realSq) + double(imagSq)));
}

namespace {
// The design's values, whatever its box type.
BoxCurveInputs boxValues(const DesignState& s, BoxType type)
{
    return BoxCurveInputs { type, s.fs, s.qts, s.vas, s.closedVb, s.isoFactor, s.ventedFb, s.closedFc,
        s.closedQtcCalc };
}
} // namespace

std::optional<Curve> closedBoxCurve(const DesignState& s, const ChartScale& scale)
{
    return boxCurve(boxValues(s, BoxType::Closed), scale);
}

std::optional<Curve> ventedBoxCurve(const DesignState& s, const ChartScale& scale)
{
    return boxCurve(boxValues(s, BoxType::Vented), scale);
}

std::optional<BoxCurveInputs> boxCurveInputs(const DesignState& s)
{
    if (s.boxValid != 1 || !boxName(s.boxType))
        return std::nullopt;
    return boxValues(s, s.boxType);
}

std::optional<Curve> boxCurve(const BoxCurveInputs& d, const ChartScale& scale)
{
    if (d.type == BoxType::Closed) {
        if (!allPositive(d.fc, d.qtc))
            return std::nullopt;
        const double fc = d.fc, qtc = d.qtc;
        return Curve { CurveKind::Box,
            levelPoints(
                boxFrequencies(), [=](double f) { return closedBoxLevel(f, fc, qtc); }, scale),
            0, 0 };
    }
    if (d.type != BoxType::Vented && d.type != BoxType::Radiator)
        return std::nullopt;
    if (!allPositive(d.vas, d.isoFactor, d.volume))
        return std::nullopt;
    const double alpha = d.vas * d.isoFactor / d.volume;
    const auto k = ventedCoefficients(d.fb, d.fs, d.qts, alpha);
    if (!k)
        return std::nullopt;
    const double fs = d.fs;
    return Curve { CurveKind::Box,
        levelPoints(
            boxFrequencies(), [=](double f) { return ventedBoxLevel(f, fs, *k); }, scale),
        0, 0 };
}

std::optional<BandpassCurveInputs> bandpassCurveInputs(const DesignState& s)
{
    if (s.bandValid != 1)
        return std::nullopt;
    return BandpassCurveInputs { s.bandPa, s.bandFl3, s.bandFb, s.bandFh3 };
}

std::optional<BandpassCurve> bandpassCurve(const BandpassCurveInputs& d, const ChartScale& scale)
{
    return bandpassCurve(d.pa, d.fl3, d.fb, d.fh3, scale);
}

QVector<float> crossoverFrequencies(double f, bool startAtS)
{
    QVector<float> out;
    float s = design::toSingle(f / 8);
    float second = 1500;
    if (s < 1000) {
        if (s < 20)
            s = 20;
        for (float x = s; x <= 1000; x += 50)
            out << x;
    } else if (startAtS) {
        second = s;
    }
    for (float x = second; x <= 10000; x += 500)
        out << x;
    out << 15000 << 20000;
    return out;
}

double firstOrderLowPassLevel(double f, double l1, double rl)
{
    const double xl = inductive(f, l1);
    return dB(rl / std::sqrt(xl * xl + rl * rl));
}

double firstOrderBandPassLevel(double f, double l2, double c2, double rm)
{
    const double x = inductive(f, l2) - capacitive(f, c2);
    return dB(rm / std::sqrt(x * x + rm * rm));
}

double firstOrderHighPassLevel(double f, double c1, double rh)
{
    const double xc = capacitive(f, c1);
    return dB(rh / std::sqrt(xc * xc + rh * rh));
}

double secondOrderLowPassLevel(double f, double l1, double c2, double rl)
{
    const double xc2 = capacitive(f, c2);
    const double zp = rl * xc2 / std::sqrt(xc2 * xc2 + rl * rl);
    const double theta = std::atan(xc2 / rl) - 1.5708;
    const double re = zp * std::cos(theta);
    const double im = zp * std::sin(theta) + inductive(f, l1);
    const double zt = std::sqrt(re * re + im * im);
    const double level = dB(zp / zt + 0.04) + dB(zp / rl);
    return level > 0 ? 0 : level;
}

double secondOrderBandPassLevel(double f, double c3, double l4, double l3, double c4)
{
    const double xc3 = capacitive(f, c3), xl4 = inductive(f, l4);
    const double xl3 = inductive(f, l3), xc4 = capacitive(f, c4);
    return dB(xl4 / std::sqrt(xc3 * xc3 + xl4 * xl4)) + dB(xc4 / std::sqrt(xl3 * xl3 + xc4 * xc4));
}

double secondOrderHighPassLevel(double f, double c1, double l2, double rh)
{
    const double xl2 = inductive(f, l2);
    const double zp = rh * xl2 / std::sqrt(xl2 * xl2 + rh * rh);
    const double theta = 1.5708 - std::atan(xl2 / rh);
    const double re = zp * std::cos(theta);
    const double im = zp * std::sin(theta) - capacitive(f, c1);
    const double zt = std::sqrt(re * re + im * im);
    const double level = dB(zp / zt + 0.04) + dB(zp / rh);
    return level > 0 ? 0 : level;
}

namespace {
using LevelFunction = std::function<double(double)>;

// The level of one crossover curve over frequency; empty when one of its
// components or its load is missing.
std::optional<LevelFunction> crossoverLevel(CurveKind kind, int order, const DesignState& s)
{
    const double l1 = s.xoverL1, l2 = s.xoverL2, l3 = s.xoverL3, l4 = s.xoverL4;
    const double c1 = s.xoverC1, c2 = s.xoverC2, c3 = s.xoverC3, c4 = s.xoverC4;
    const double rl = s.xoverRl, rm = s.xoverRm, rh = s.xoverRh;
    auto when = [](bool valid, LevelFunction level) { return valid ? std::optional(level) : std::nullopt; };
    if (order == 1) {
        switch (kind) {
        case CurveKind::Woofer:
            return when(allPositive(l1, rl), [=](double f) { return firstOrderLowPassLevel(f, l1, rl); });
        case CurveKind::MidRange:
            return when(allPositive(l2, c2, rm), [=](double f) { return firstOrderBandPassLevel(f, l2, c2, rm); });
        default:
            return when(allPositive(c1, rh), [=](double f) { return firstOrderHighPassLevel(f, c1, rh); });
        }
    }
    switch (kind) {
    case CurveKind::Woofer:
        return when(allPositive(l1, c2, rl), [=](double f) { return secondOrderLowPassLevel(f, l1, c2, rl); });
    case CurveKind::MidRange:
        return when(allPositive(c3, l4, l3, c4), [=](double f) { return secondOrderBandPassLevel(f, c3, l4, l3, c4); });
    default:
        return when(allPositive(c1, l2, rh), [=](double f) { return secondOrderHighPassLevel(f, c1, l2, rh); });
    }
}
} // namespace

QVector<Curve> crossoverCurves(const DesignState& s, const ChartScale& scale)
{
    QVector<CrossoverPart> parts;
    switch (s.xoverType) {
    case XoverType::TwoWay6dB:
        parts = { { CurveKind::Woofer, 1, false }, { CurveKind::Tweeter, 1, false } };
        break;
    case XoverType::TwoWay12dB:
        parts = { { CurveKind::Woofer, 2, false }, { CurveKind::Tweeter, 2, false } };
        break;
    case XoverType::ThreeWay6dB:
        parts = { { CurveKind::Woofer, 1, true }, { CurveKind::MidRange, 1, true }, { CurveKind::Tweeter, 1, false } };
        break;
    case XoverType::ThreeWay12dB:
        parts = { { CurveKind::Woofer, 2, true }, { CurveKind::MidRange, 2, true }, { CurveKind::Tweeter, 2, false } };
        break;
    default:
        return {};
    }

    QVector<Curve> out;
    for (const CrossoverPart& part : parts) {
        const double crossover = part.lowFrequency ? s.xoverFreqLow : s.xoverFreq;
        const auto level = crossoverLevel(part.kind, part.order, s);
        if (!level || !positive(crossover))
            continue;
        // Only the second-order woofer and tweeter keep 1500 Hz as the start of their second run.
        const bool startAtS = part.order == 1 || part.kind == CurveKind::MidRange;
        out << crossoverCurve(part.kind, levelPoints(crossoverFrequencies(crossover, startAtS), *level, scale));
    }
    return out;
}

std::optional<BandpassCurve> bandpassCurve(double pa, double fl3, double fb, double fh3, const ChartScale& scale)
{
    if (!std::isfinite(pa) || !allPositive(fl3, fb, fh3))
        return std::nullopt;
    struct Anchor {
        double f, level, c, add;
    };
    const double ref = scale.bandRef;
    const Anchor anchors[9] = {
        { fl3 / 4, pa - 30, 0.8, 0 },
        { fl3 / 2, pa - 15, 0.75, ref - 11 },
        { fl3, pa - 3, 0.75, ref - 11 },
        { fb / 1.2, pa, 0.7, ref },
        { fb, pa, 0.7, ref },
        { fb * 1.2, pa, 0.7, ref },
        { fh3, pa - 3, 0.65, ref - 11 },
        { fh3 * 2, pa - 15, 0.65, ref - 11 },
        { fh3 * 4, pa - 30, 0.6, 0 },
    };
    // Each anchor has its own low decade c in place of the chart's 1 (10 Hz).
    BandpassCurve curve;
    for (const Anchor& a : anchors)
        curve.anchors << QPointF(chartX(a.f, scale, a.c), chartY(a.level) + a.add);
    curve.xLeft = fl3 / 1.7 > 10 ? chartX(fl3 / 1.7, scale, 0.75) : 100;
    curve.xRight = chartX(1.6 * fh3, scale, 0.6);
    return curve;
}

std::optional<ChartTitle> chartTitle(BoxType boxType, bool boxValid, bool bandValid)
{
    if (!boxValid)
        return bandValid ? std::optional(ChartTitle { QStringLiteral("Bandpass Box Design"), 700 }) : std::nullopt;
    if (const char* name = boxName(boxType)) {
        const QString box = QString::fromLatin1(name);
        if (bandValid)
            return ChartTitle { QStringLiteral("Bandpass and %1 Box Design").arg(box), 500 };
        return ChartTitle { QStringLiteral("%1 Box Design").arg(box), 700 };
    }
    if (bandValid)
        return ChartTitle { QStringLiteral("Bandpass Box Design"), 700 };
    return std::nullopt;
}

QString boxDriverText(const BoxDriver& d)
{
    const auto text = [](float value) { return numberText(value).trimmed(); };
    // Vas in the units chosen, as the fields show it.
    return QStringLiteral("Qts %1, Vas %2, Fs %3")
               .arg(text(d.qts), shownNumberText(d.vas, units::kCubicFeet).trimmed(), text(d.fs))
        + (d.isoFactor < 1 ? QStringLiteral(", isobaric") : QString());
}

std::optional<QString> designedForAnotherDriver(const DesignState& s)
{
    if (!boxCurveInputs(s) || !s.boxDesignedFor)
        return std::nullopt;
    const BoxDriver drawn = boxDriverOf(s);
    if (drawn == *s.boxDesignedFor)
        return std::nullopt;
    return QStringLiteral("Designed for %1; drawn for %2").arg(boxDriverText(*s.boxDesignedFor), boxDriverText(drawn));
}

std::optional<QString> drawnForAnotherDriver(const DesignState& s)
{
    if (s.boxType == BoxType::Closed)
        return std::nullopt;
    return designedForAnotherDriver(s);
}

ResponseCurves computeCurves(const DesignState& s, const ChartScale& scale)
{
    ResponseCurves out;
    out.driverNote = drawnForAnotherDriver(s);
    if (const auto band = bandpassCurveInputs(s))
        out.bandpass = bandpassCurve(*band, scale);
    out.title = chartTitle(s.boxType, s.boxValid == 1, s.bandValid == 1);
    if (const auto box = boxCurveInputs(s))
        out.box = boxCurve(*box, scale);
    out.crossovers = crossoverCurves(s, scale);
    return out;
}
