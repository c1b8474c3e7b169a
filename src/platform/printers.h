#pragma once
// The printing system's printers.

#include <QString>
#include <QStringList>
#include <QVector>

// The names of the installed printers, in the system's order.
QStringList installedPrinters();

// The default printer as a "name,driver,port" entry; empty when there is none
// or when the printing system does not answer within `timeoutMs`.
QString defaultPrinterEntry(int timeoutMs = 3000);

// One printer of the system: its device name and its driver (make and model).
struct PrinterListing {
    QString name;
    QString driver;
};

// The installed printers with their drivers, in the system's order; empty
// when there are none or when the printing system does not answer within
// `timeoutMs`.
QVector<PrinterListing> installedPrinterListing(int timeoutMs = 3000);
