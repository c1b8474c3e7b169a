#pragma once
// The default printer as the system reports it: "name,driver,port". The
// printer name is the text before the first comma; without a comma the
// current name stays.

#include <QString>

QString printerNameFromDeviceEntry(const QString& entry, const QString& current);
