#include "analysis/driverparts.h"

namespace analysis {

const DriverDataPart* driverDataPart(QStringView key)
{
    for (const DriverDataPart& part : kDriverDataParts)
        if (key == QLatin1String(part.key))
            return &part;
    return nullptr;
}

QStringList driverValueKeys(DriverValue value)
{
    switch (value) {
    case DriverValue::Fs:
        return { QStringLiteral("fs") };
    case DriverValue::Qts:
        return { QStringLiteral("qts") };
    case DriverValue::Vas:
        return { QStringLiteral("vas") };
    case DriverValue::QesOrQms:
        return { QStringLiteral("qes"), QStringLiteral("qms") };
    case DriverValue::Re:
        return { QStringLiteral("re") };
    case DriverValue::Sd:
        return { QStringLiteral("sd") };
    case DriverValue::Xmax:
        return { QStringLiteral("xmax") };
    case DriverValue::Pe:
        return { QStringLiteral("pe") };
    }
    return {};
}

void takeDriverData(DriverData& data, const DriverRecord& driver)
{
    for (const ::DriverValue& value : kDriverValues) {
        const DriverDataPart* part = driverDataPart(QString::fromLatin1(value.key));
        if (part && !part->designs && driver.*value.member)
            data.*part->member = *(driver.*value.member);
    }
}

} // namespace analysis
