#include "core/printerentry.h"

QString printerNameFromDeviceEntry(const QString& entry, const QString& current)
{
    const qsizetype comma = entry.indexOf(u',');
    return comma < 0 ? current : entry.left(comma);
}
