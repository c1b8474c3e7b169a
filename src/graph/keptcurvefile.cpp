#include "graph/keptcurvefile.h"

#include "analysis/analysis.h"
#include "analysis/inputjson.h"
#include "core/jsonkeys.h"
#include "core/systemfile.h"
#include "core/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace {
const QString kFormat = QStringLiteral("tolvan-kept-curves");
// The graph's kept curves alone; with kept analysis curves.
constexpr int kFirstVersion = 1;
constexpr int kAnalysisVersion = 2;
// Far more than eight curves take; a bigger file is not ours.
constexpr qint64 kMaxFileBytes = 64 * 1024;

// A file name as messages show it.
QString shown(const QString& file) { return QDir::toNativeSeparators(file); }

// The numbers of a design object, in file order; each must be a finite number.
struct Number {
    const char* key;
    double* value;
};

bool readNumbers(const QJsonObject& object, std::initializer_list<Number> numbers)
{
    for (const Number& n : numbers) {
        const QJsonValue value = object.value(QLatin1String(n.key));
        if (!value.isDouble() || !std::isfinite(value.toDouble()))
            return false;
        *n.value = value.toDouble();
    }
    return true;
}

// A figure that may be missing; one that is there is a finite number.
struct Figure {
    const char* key;
    std::optional<double>* value;
};

bool readFigures(const QJsonObject& object, std::initializer_list<Figure> figures)
{
    for (const Figure& f : figures) {
        const QJsonValue value = object.value(QLatin1String(f.key));
        if (value.isUndefined())
            continue;
        if (!value.isDouble() || !std::isfinite(value.toDouble()))
            return false;
        *f.value = value.toDouble();
    }
    return true;
}

void writeFigures(QJsonObject& object, std::initializer_list<std::pair<const char*, std::optional<double>>> figures)
{
    for (const auto& [key, value] : figures)
        if (value)
            object.insert(QLatin1String(key), *value);
}

QJsonObject boxObject(const BoxCurveInputs& b)
{
    return { { "type", int(b.type) }, { "fs", b.fs }, { "qts", b.qts }, { "vas", b.vas }, { "volume", b.volume },
        { "isoFactor", b.isoFactor }, { "fb", b.fb }, { "fc", b.fc }, { "qtc", b.qtc } };
}

std::optional<BoxCurveInputs> boxFrom(const QJsonObject& o, KeptFigures& figures)
{
    if (!readFigures(o, { { "f3", &figures.f3 } }))
        return std::nullopt;
    BoxCurveInputs b;
    const QJsonValue type = o.value(QLatin1String("type"));
    const double t = type.toDouble(-1);
    if (!type.isDouble() || !(t == 0 || t == 1 || t == 2))
        return std::nullopt;
    b.type = BoxType(int(t));
    if (!readNumbers(o,
            { { "fs", &b.fs }, { "qts", &b.qts }, { "vas", &b.vas }, { "volume", &b.volume },
                { "isoFactor", &b.isoFactor }, { "fb", &b.fb }, { "fc", &b.fc }, { "qtc", &b.qtc } }))
        return std::nullopt;
    // A design that draws no curve is no kept curve.
    return boxCurve(b) ? std::optional(b) : std::nullopt;
}

QJsonObject bandpassObject(const BandpassCurveInputs& b)
{
    return { { "pa", b.pa }, { "fl3", b.fl3 }, { "fb", b.fb }, { "fh3", b.fh3 } };
}

std::optional<BandpassCurveInputs> bandpassFrom(const QJsonObject& o, KeptFigures& figures)
{
    if (!readFigures(o,
            { { "sealedVb", &figures.sealedVb }, { "ventedVb", &figures.ventedVb }, { "qts", &figures.bandQts },
                { "vas", &figures.bandVas }, { "fs", &figures.bandFs } }))
        return std::nullopt;
    BandpassCurveInputs b;
    if (!readNumbers(o, { { "pa", &b.pa }, { "fl3", &b.fl3 }, { "fb", &b.fb }, { "fh3", &b.fh3 } }))
        return std::nullopt;
    return bandpassCurve(b) ? std::optional(b) : std::nullopt;
}

// The label, colour and visibility every kept curve has.
template <class Kept> bool readKept(const QJsonObject& o, Kept& kept)
{
    const QJsonValue label = o.value(QLatin1String("label")), color = o.value(QLatin1String("color")),
                     visible = o.value(QLatin1String("visible"));
    if (!label.isString() || !color.isDouble() || !visible.isBool())
        return false;
    kept.label = keptLabel(label.toString());
    kept.colorSlot = color.toInt(-1);
    kept.visible = visible.toBool();
    return kept.colorSlot >= 0 && kept.colorSlot < kMaxKeptCurves && color.toDouble() == kept.colorSlot;
}

std::optional<KeptCurve> curveFrom(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    KeptCurve curve;
    if (!readKept(o, curve))
        return std::nullopt;
    if (const QJsonValue driver = o.value(QLatin1String("driver")); !driver.isUndefined()) {
        if (!driver.isString())
            return std::nullopt;
        curve.figures.driver = keptLabel(driver.toString()).left(Text30::Size).trimmed();
    }
    if (const QJsonValue box = o.value(QLatin1String("box")); !box.isUndefined()) {
        curve.box = box.isObject() ? boxFrom(box.toObject(), curve.figures) : std::nullopt;
        if (!curve.box)
            return std::nullopt;
    }
    if (const QJsonValue band = o.value(QLatin1String("bandpass")); !band.isUndefined()) {
        curve.bandpass = band.isObject() ? bandpassFrom(band.toObject(), curve.figures) : std::nullopt;
        if (!curve.bandpass)
            return std::nullopt;
    }
    if (!curve.box && !curve.bandpass)
        return std::nullopt;
    return curve;
}

QJsonObject analysisObject(const KeptAnalysisCurve& k)
{
    return { { "label", k.label }, { "color", k.colorSlot }, { "visible", k.visible },
        { "curve", analysis::curveKey(k.curve) }, { "design", analysis::inputJson(k.input) } };
}

std::optional<KeptAnalysisCurve> analysisCurveFrom(const QJsonValue& value)
{
    KeptAnalysisCurve curve;
    const QJsonObject o = value.toObject();
    if (!value.isObject() || !readKept(o, curve))
        return std::nullopt;
    const auto kind = analysis::curveOfKey(o.value(QLatin1String("curve")).toString());
    const auto input = analysis::inputFromJson(o.value(QLatin1String("design")));
    // A design whose analysis has not the curve is no kept curve.
    if (!kind || !input || !analysis::analyse(*input).curve(*kind))
        return std::nullopt;
    curve.curve = *kind;
    curve.input = *input;
    return curve;
}

// The curves of a list, at most kMaxKeptCurves, each colour once.
template <class Kept>
std::optional<QVector<Kept>> listFrom(const QJsonArray& list, std::optional<Kept> (*from)(const QJsonValue&))
{
    if (list.size() > kMaxKeptCurves)
        return std::nullopt;
    QVector<Kept> kept;
    for (const QJsonValue& value : list) {
        const std::optional<Kept> curve = from(value);
        if (!curve
            || std::any_of(kept.begin(), kept.end(), [&](const Kept& k) { return k.colorSlot == curve->colorSlot; }))
            return std::nullopt;
        kept << *curve;
    }
    return kept;
}

// What a file holds: its curves, or that it holds none this version reads
// (and whether it is of a later version).
struct Parsed {
    std::optional<KeptCurvesFile> kept;
    std::optional<int> laterVersion;
};

Parsed parse(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject() || duplicateJsonKey(json))
        return {};
    const QJsonObject root = document.object();
    const double version = root.value(QLatin1String("version")).toDouble();
    if (root.value(QLatin1String("format")).toString() != kFormat)
        return {};
    if (version > kAnalysisVersion && std::isfinite(version) && version == std::floor(version))
        return { std::nullopt, int(std::min(version, 1e9)) };
    if ((version != kFirstVersion && version != kAnalysisVersion) || !root.value(QLatin1String("curves")).isArray())
        return {};
    KeptCurvesFile file;
    const auto curves = listFrom<KeptCurve>(root.value(QLatin1String("curves")).toArray(), curveFrom);
    if (!curves)
        return {};
    file.curves = *curves;
    if (version == kAnalysisVersion) {
        const QJsonValue list = root.value(QLatin1String("analysis"));
        const auto kept = list.isUndefined() ? std::optional(KeptAnalysisCurves {})
            : list.isArray()                 ? listFrom<KeptAnalysisCurve>(list.toArray(), analysisCurveFrom)
                                             : std::nullopt;
        if (!kept)
            return {};
        file.analysis = *kept;
    }
    return { file, std::nullopt };
}

// The session's kept curves with every system file, and what they were when
// last saved or loaded.
class KeptCurvesCompanion final : public SystemFileCompanion {
public:
    bool saved(const QString& systemFile) override
    {
        if (const auto problem = saveKeptCurvesBeside(systemFile, keptCurves(), keptAnalysisCurves())) {
            showMessage(*problem);
            return false;
        }
        noteKept();
        return true;
    }

    void loaded(const QString& systemFile) override
    {
        const KeptCurvesRead read = readKeptCurvesBeside(systemFile);
        keptCurves() = read.curves;
        keptAnalysisCurves() = read.analysis;
        noteKept();
        if (read.problem)
            showMessage(*read.problem);
    }

    void noteKept() override { m_kept = { keptCurves(), keptAnalysisCurves() }; }
    bool changedSinceKept() const override { return KeptCurvesFile { keptCurves(), keptAnalysisCurves() } != m_kept; }

private:
    KeptCurvesFile m_kept;
};
} // namespace

QString keptCurvesFileFor(const QString& systemFile) { return systemFile + QStringLiteral(".compare.json"); }

QByteArray keptCurvesJson(const KeptCurves& kept, const KeptAnalysisCurves& analysis)
{
    QJsonArray curves;
    for (const KeptCurve& k : kept) {
        QJsonObject curve { { "label", k.label }, { "color", k.colorSlot }, { "visible", k.visible } };
        const KeptFigures& f = k.figures;
        if (!f.driver.isEmpty())
            curve.insert(QStringLiteral("driver"), f.driver);
        if (k.box) {
            QJsonObject box = boxObject(*k.box);
            writeFigures(box, { { "f3", f.f3 } });
            curve.insert(QStringLiteral("box"), box);
        }
        if (k.bandpass) {
            QJsonObject band = bandpassObject(*k.bandpass);
            writeFigures(band,
                { { "sealedVb", f.sealedVb }, { "ventedVb", f.ventedVb }, { "qts", f.bandQts }, { "vas", f.bandVas },
                    { "fs", f.bandFs } });
            curve.insert(QStringLiteral("bandpass"), band);
        }
        curves.append(curve);
    }
    QJsonObject root { { "format", kFormat }, { "version", analysis.isEmpty() ? kFirstVersion : kAnalysisVersion },
        { "curves", curves } };
    if (!analysis.isEmpty()) {
        QJsonArray list;
        for (const KeptAnalysisCurve& k : analysis)
            list.append(analysisObject(k));
        root.insert(QStringLiteral("analysis"), list);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<KeptCurvesFile> keptCurvesFileFromJson(const QByteArray& json) { return parse(json).kept; }

std::optional<KeptCurves> keptCurvesFromJson(const QByteArray& json)
{
    const std::optional<KeptCurvesFile> kept = keptCurvesFileFromJson(json);
    return kept ? std::optional(kept->curves) : std::nullopt;
}

std::optional<Message> saveKeptCurvesBeside(
    const QString& systemFile, const KeptCurves& kept, const KeptAnalysisCurves& analysis)
{
    const QString file = keptCurvesFileFor(systemFile);
    const WholeFile earlier = readWholeFile(file, kMaxFileBytes);
    const Parsed held = earlier.missing || !earlier.problem.isEmpty() ? Parsed() : parse(earlier.data);
    if (kept.isEmpty() && analysis.isEmpty()) {
        // An earlier save's curves must not come back with the next load; a
        // file that holds no curves this version reads (damaged, newer, not
        // ours) was never the session's and stays as it is.
        if (!held.kept || QFile::remove(file))
            return std::nullopt;
        return msg::error(QStringLiteral("The design is saved, but %1 with the curves kept before could not be "
                                         "removed. Remove it, or it brings those curves back with the design.")
                              .arg(shown(file)));
    }
    // A later version's curves are the user's too, and this version cannot keep them.
    if (held.laterVersion)
        return msg::error(QStringLiteral("The design is saved, but its kept curves are not: %1 holds kept curves of "
                                         "a later version of the program, and stays as it is. Save the design under "
                                         "another name to keep these curves with it.")
                              .arg(shown(file)));
    if (const auto error = writeWholeFile(file, keptCurvesJson(kept, analysis)))
        return msg::error(QStringLiteral("The design is saved, but its kept curves could not be saved in %1: %2.")
                              .arg(shown(file), *error));
    return std::nullopt;
}

KeptCurvesRead readKeptCurvesBeside(const QString& systemFile)
{
    const QString file = keptCurvesFileFor(systemFile);
    const WholeFile read = readWholeFile(file, kMaxFileBytes);
    if (read.missing)
        return {};
    const Parsed parsed = read.problem.isEmpty() ? parse(read.data) : Parsed();
    if (parsed.laterVersion)
        return { {}, {},
            msg::error(QStringLiteral("The design is loaded without kept curves: %1 holds kept curves of a later "
                                      "version of the program (version %2), which this one cannot read.")
                           .arg(shown(file))
                           .arg(*parsed.laterVersion)) };
    if (!parsed.kept)
        return { {}, {},
            msg::error(QStringLiteral("The design is loaded without kept curves: %1 does not hold kept curves "
                                      "that can be read%2.")
                           .arg(shown(file),
                               read.problem.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(read.problem))) };
    return { parsed.kept->curves, parsed.kept->analysis, std::nullopt };
}

void keepCurvesWithSystemFiles()
{
    static KeptCurvesCompanion companion;
    installSystemFileCompanion(&companion);
}
