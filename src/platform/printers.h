#pragma once
// The printing system's printers.

#include <QString>
#include <QStringList>

// The names of the installed printers, in the system's order.
QStringList installedPrinters();

// The default printer as a "name,driver,port" entry; empty when there is none
// or when the printing system does not answer within `timeoutMs`.
QString defaultPrinterEntry(int timeoutMs = 3000);
