#include "platform/printers.h"

#include <QPrinterInfo>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

QStringList installedPrinters() { return QPrinterInfo::availablePrinterNames(); }

QString defaultPrinterEntry(int timeoutMs)
{
    // A printing server that accepts a connection but never answers would
    // hold the start-up forever: ask on a thread and give up after the time.
    auto promise = std::make_shared<std::promise<QString>>();
    std::future<QString> answer = promise->get_future();
    std::thread([promise] {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        QString entry;
        if (!info.isNull() && !info.printerName().isEmpty())
            entry = info.printerName() + u',' + info.makeAndModel().section(u',', 0, 0) + u',';
        promise->set_value(entry);
    }).detach();
    if (answer.wait_for(std::chrono::milliseconds(timeoutMs)) != std::future_status::ready)
        return {};
    return answer.get();
}

QVector<PrinterListing> installedPrinterListing(int timeoutMs)
{
    // Asked on a thread for the same reason as the default printer.
    auto promise = std::make_shared<std::promise<QVector<PrinterListing>>>();
    std::future<QVector<PrinterListing>> answer = promise->get_future();
    std::thread([promise] {
        QVector<PrinterListing> list;
        for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
            list.push_back({ info.printerName(), info.makeAndModel() });
        promise->set_value(list);
    }).detach();
    if (answer.wait_for(std::chrono::milliseconds(timeoutMs)) != std::future_status::ready)
        return {};
    return answer.get();
}
