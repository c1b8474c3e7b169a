#include "analysis/inputjson.h"

#include "analysis/driverparts.h"
#include "analysis/handover.h"
#include "design/portlengths.h"

#include <QJsonValue>
#include <cmath>

namespace analysis {

namespace {

// The longest driver name kept; the rest of a longer one is cut.
constexpr int kMaxNameLength = 80;

struct Number {
    const char* key;
    double* value;
};

bool readNumbers(const QJsonObject& o, std::initializer_list<Number> numbers)
{
    for (const Number& n : numbers) {
        const QJsonValue v = o.value(QLatin1String(n.key));
        if (!v.isDouble() || !std::isfinite(v.toDouble()))
            return false;
        *n.value = v.toDouble();
    }
    return true;
}

// Every part of the driver's data, under the library's keys.
bool readDriverData(const QJsonObject& o, DriverData& d)
{
    for (const DriverDataPart& part : kDriverDataParts)
        if (!readNumbers(o, { { part.key, &(d.*part.member) } }))
            return false;
    return true;
}

// A whole number within [lowest, highest].
bool readWhole(const QJsonObject& o, const char* key, int lowest, int highest, int& out)
{
    const double v = o.value(QLatin1String(key)).toDouble(std::nan(""));
    if (!(v >= lowest && v <= highest) || v != std::floor(v))
        return false;
    out = int(v);
    return true;
}

// Which of `keys` the string at `key` is.
template <class Enum, std::size_t N>
bool readKey(const QJsonObject& o, const char* key, const char* const (&keys)[N], Enum& out)
{
    const QJsonValue v = o.value(QLatin1String(key));
    for (std::size_t i = 0; i < N; ++i)
        if (v.isString() && v.toString() == QLatin1String(keys[i])) {
            out = Enum(i);
            return true;
        }
    return false;
}

QString nameOf(const QString& text)
{
    QString name = text;
    for (QChar& c : name)
        if (!c.isPrint())
            c = u' ';
    return name.simplified().left(kMaxNameLength).trimmed();
}

QJsonObject radiatorJson(const PassiveRadiator& r)
{
    return { { "sd", r.sd }, { "xmax", r.xmax }, { "displacement", r.displacement }, { "vas", r.vas }, { "q", r.q } };
}

struct BoxJson {
    QJsonObject operator()(const ClosedBoxSetup& b) const { return { { "volume", b.volume } }; }
    QJsonObject operator()(const VentedBoxSetup& b) const
    {
        return { { "volume", b.volume }, { "fb", b.fb }, { "ql", b.ql }, { "port", b.port } };
    }
    QJsonObject operator()(const RadiatorBoxSetup& b) const
    {
        return { { "volume", b.volume }, { "fb", b.fb }, { "ql", b.ql }, { "radiator", radiatorJson(b.radiator) } };
    }
    QJsonObject operator()(const BandpassBoxSetup& b) const
    {
        return { { "sealedVolume", b.sealedVolume }, { "ventedVolume", b.ventedVolume }, { "fb", b.fb }, { "ql", b.ql },
            { "port", b.port } };
    }
};

std::optional<BoxSetup> boxFrom(const QJsonObject& o)
{
    const QString type = o.value(QLatin1String("type")).toString();
    const auto port = [&](int& out) { return readWhole(o, "port", 0, design::kPortCount - 1, out); };
    if (type == QLatin1String(ClosedBoxSetup::key)) {
        ClosedBoxSetup b;
        return readNumbers(o, { { "volume", &b.volume } }) ? std::optional<BoxSetup>(b) : std::nullopt;
    }
    if (type == QLatin1String(VentedBoxSetup::key)) {
        VentedBoxSetup b;
        if (!readNumbers(o, { { "volume", &b.volume }, { "fb", &b.fb }, { "ql", &b.ql } }) || !port(b.port))
            return std::nullopt;
        return b;
    }
    if (type == QLatin1String(RadiatorBoxSetup::key)) {
        RadiatorBoxSetup b;
        const QJsonObject r = o.value(QLatin1String("radiator")).toObject();
        PassiveRadiator& p = b.radiator;
        if (!readNumbers(o, { { "volume", &b.volume }, { "fb", &b.fb }, { "ql", &b.ql } })
            || !readNumbers(r,
                { { "sd", &p.sd }, { "xmax", &p.xmax }, { "displacement", &p.displacement }, { "vas", &p.vas },
                    { "q", &p.q } }))
            return std::nullopt;
        return b;
    }
    if (type == QLatin1String(BandpassBoxSetup::key)) {
        BandpassBoxSetup b;
        if (!readNumbers(o,
                { { "sealedVolume", &b.sealedVolume }, { "ventedVolume", &b.ventedVolume }, { "fb", &b.fb },
                    { "ql", &b.ql } })
            || !port(b.port))
            return std::nullopt;
        return b;
    }
    return std::nullopt;
}

} // namespace

QJsonObject inputJson(const AnalysisInput& in)
{
    QJsonObject driver { { "name", in.driverName } };
    for (const DriverDataPart& part : kDriverDataParts)
        driver.insert(QLatin1String(part.key), in.driver.*part.member);
    const QJsonObject drivers { { "count", in.drivers.count }, { "isobaric", in.drivers.isobaric },
        { "wiring", QLatin1String(kWiringKeys[int(in.drivers.wiring)]) } };
    QJsonObject box = std::visit(BoxJson {}, in.box);
    box.insert(QStringLiteral("type"), boxKey(in.box));
    const QJsonObject drive { { "unit", QLatin1String(kDriveUnitKeys[int(in.drive.unit)]) },
        { "level", in.drive.level }, { "distance", in.drive.distance } };
    const QJsonObject filter { { "type", QLatin1String(kFilterKeys[int(in.filter.kind)]) },
        { "order", in.filter.order }, { "frequency", in.filter.frequency } };
    return { { "driver", driver }, { "drivers", drivers }, { "box", box }, { "drive", drive }, { "filter", filter } };
}

std::optional<AnalysisInput> inputFromJson(const QJsonValue& value)
{
    const QJsonObject o = value.toObject();
    const QJsonObject driver = o.value(QLatin1String("driver")).toObject(),
                      drivers = o.value(QLatin1String("drivers")).toObject(),
                      drive = o.value(QLatin1String("drive")).toObject(),
                      filter = o.value(QLatin1String("filter")).toObject();
    AnalysisInput in;
    const QJsonValue name = driver.value(QLatin1String("name")), isobaric = drivers.value(QLatin1String("isobaric"));
    if (!name.isString() || !isobaric.isBool() || !readDriverData(driver, in.driver)
        || !readWhole(drivers, "count", 1, kMostDrivers, in.drivers.count)
        || !readKey(drivers, "wiring", kWiringKeys, in.drivers.wiring)
        || !readKey(drive, "unit", kDriveUnitKeys, in.drive.unit)
        || !readNumbers(drive, { { "level", &in.drive.level }, { "distance", &in.drive.distance } })
        || !readKey(filter, "type", kFilterKeys, in.filter.kind) || !readWhole(filter, "order", 1, 4, in.filter.order)
        || !readNumbers(filter, { { "frequency", &in.filter.frequency } }))
        return std::nullopt;
    in.driverName = nameOf(name.toString());
    in.drivers.isobaric = isobaric.toBool();
    const std::optional<BoxSetup> box = boxFrom(o.value(QLatin1String("box")).toObject());
    if (!box)
        return std::nullopt;
    in.box = *box;
    return in;
}

} // namespace analysis
