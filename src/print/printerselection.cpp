#include "print/printerselection.h"

#include "core/designstate.h"
#include "core/printerentry.h"
#include "platform/printers.h"
#include "print/FrmPrinter.h"

namespace {
PrinterSelection* g_selection = nullptr;
QString g_lastPdfFile;
bool g_defaultPrinterPending = false;
// A printing server that accepts but never answers holds the first print this long at most.
constexpr int kDefaultPrinterWaitMs = 3000;

void takePendingDefaultPrinter(DesignState& state)
{
    if (!g_defaultPrinterPending)
        return;
    g_defaultPrinterPending = false;
    state.printerName = printerNameFromDeviceEntry(defaultPrinterEntry(kDefaultPrinterWaitMs), state.printerName);
}

class DialogSelection final : public PrinterSelection {
public:
    std::optional<PrintTarget> select(QWidget* parent) override
    {
        FrmPrinter dialog(parent);
        dialog.exec();
        return dialog.target();
    }
};
} // namespace

PrinterSelection* printerSelection() { return g_selection; }

PrinterSelection* installPrinterSelection(PrinterSelection* selection)
{
    PrinterSelection* previous = g_selection;
    g_selection = selection;
    return previous;
}

void installPrinterDialog()
{
    static DialogSelection dialog;
    if (!g_selection)
        installPrinterSelection(&dialog);
}

void takeDefaultPrinterAtFirstPrint() { g_defaultPrinterPending = true; }

std::optional<PrintTarget> choosePrintTarget(QWidget* parent)
{
    DesignState& state = designState();
    takePendingDefaultPrinter(state);
    state.printerChosen = 0;
    std::optional<PrintTarget> target = g_selection ? g_selection->select(parent) : std::nullopt;
    if (!target)
        return std::nullopt;
    state.printerChosen = 1;
    if (target->kind == PrintTarget::Kind::Printer) {
        state.printerName = target->name;
        g_lastPdfFile.clear();
    } else {
        g_lastPdfFile = target->name;
    }
    return target;
}

QString lastPdfFile() { return g_lastPdfFile; }
