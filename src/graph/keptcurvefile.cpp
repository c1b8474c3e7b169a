#include "graph/keptcurvefile.h"

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
constexpr int kVersion = 1;
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

std::optional<KeptCurve> curveFrom(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const QJsonValue label = o.value(QLatin1String("label")), color = o.value(QLatin1String("color")),
                     visible = o.value(QLatin1String("visible"));
    if (!label.isString() || !color.isDouble() || !visible.isBool())
        return std::nullopt;
    KeptCurve curve;
    curve.label = keptLabel(label.toString());
    curve.colorSlot = color.toInt(-1);
    if (curve.colorSlot < 0 || curve.colorSlot >= kMaxKeptCurves || color.toDouble() != curve.colorSlot)
        return std::nullopt;
    curve.visible = visible.toBool();
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

// The session's kept curves with every system file, and what they were when
// last saved or loaded.
class KeptCurvesCompanion final : public SystemFileCompanion {
public:
    bool saved(const QString& systemFile) override
    {
        if (const auto problem = saveKeptCurvesBeside(systemFile, keptCurves())) {
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
        noteKept();
        if (read.problem)
            showMessage(*read.problem);
    }

    void noteKept() override { m_kept = keptCurves(); }
    bool changedSinceKept() const override { return keptCurves() != m_kept; }

private:
    KeptCurves m_kept;
};
} // namespace

QString keptCurvesFileFor(const QString& systemFile) { return systemFile + QStringLiteral(".compare.json"); }

QByteArray keptCurvesJson(const KeptCurves& kept)
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
    const QJsonObject root { { "format", kFormat }, { "version", kVersion }, { "curves", curves } };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<KeptCurves> keptCurvesFromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject() || duplicateJsonKey(json))
        return std::nullopt;
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("format")).toString() != kFormat
        || root.value(QLatin1String("version")).toDouble() != kVersion
        || !root.value(QLatin1String("curves")).isArray())
        return std::nullopt;
    const QJsonArray curves = root.value(QLatin1String("curves")).toArray();
    if (curves.size() > kMaxKeptCurves)
        return std::nullopt;
    KeptCurves kept;
    for (const QJsonValue& value : curves) {
        const auto curve = curveFrom(value);
        if (!curve || std::any_of(kept.begin(), kept.end(), [&](const KeptCurve& k) {
                return k.colorSlot == curve->colorSlot;
            }))
            return std::nullopt;
        kept << *curve;
    }
    return kept;
}

std::optional<Message> saveKeptCurvesBeside(const QString& systemFile, const KeptCurves& kept)
{
    const QString file = keptCurvesFileFor(systemFile);
    if (kept.isEmpty()) {
        // An earlier save's curves must not come back with the next load; a
        // file that holds no curves this version reads (damaged, newer, not
        // ours) was never the session's and stays as it is.
        const WholeFile earlier = readWholeFile(file, kMaxFileBytes);
        if (earlier.missing || !earlier.problem.isEmpty() || !keptCurvesFromJson(earlier.data) || QFile::remove(file))
            return std::nullopt;
        return msg::error(QStringLiteral("The design is saved, but %1 with the curves kept before could not be "
                                         "removed. Remove it, or it brings those curves back with the design.")
                              .arg(shown(file)));
    }
    if (const auto error = writeWholeFile(file, keptCurvesJson(kept)))
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
    const std::optional<KeptCurves> kept
        = read.problem.isEmpty() ? keptCurvesFromJson(read.data) : std::optional<KeptCurves>();
    if (!kept)
        return { {},
            msg::error(QStringLiteral("The design is loaded without kept curves: %1 does not hold kept curves "
                                      "that can be read%2.")
                           .arg(shown(file),
                               read.problem.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(read.problem))) };
    return { *kept, std::nullopt };
}

void keepCurvesWithSystemFiles()
{
    static KeptCurvesCompanion companion;
    installSystemFileCompanion(&companion);
}
