#pragma once
// Where a print command sends its pages: a printer of the printing system or
// a PDF file. Every print command asks the installed PrinterSelection; the
// program installs the modal "Select Printer" window (FrmPrinter), tests
// install a recorder that answers without showing anything.

#include <QString>
#include <optional>

class QWidget;

struct PrintTarget {
    enum class Kind { Printer, PdfFile };
    Kind kind = Kind::Printer;
    // The printer's device name (empty or "Default Printer": the system's
    // default printer), or the PDF file's path.
    QString name;

    static PrintTarget printer(const QString& name) { return { Kind::Printer, name }; }
    static PrintTarget pdfFile(const QString& path) { return { Kind::PdfFile, path }; }
    bool operator==(const PrintTarget&) const = default;
};

// The name that asks for the system's default printer.
inline const QString kDefaultPrinterName = QStringLiteral("Default Printer");
// The last entry of the printer list: print into a PDF file.
inline const QString kPdfFileEntry = QStringLiteral("PDF File");

class PrinterSelection {
public:
    virtual ~PrinterSelection() = default;
    // Null when the user cancelled.
    virtual std::optional<PrintTarget> select(QWidget* parent) = 0;
};

PrinterSelection* printerSelection();
// Installs a selection (the caller keeps ownership); returns the previous one.
PrinterSelection* installPrinterSelection(PrinterSelection* selection);
// Installs the modal FrmPrinter unless a selection is installed already.
void installPrinterDialog();

// The main window's start-up: printerName becomes the default printer's name
// (the text before the first comma of the system's entry; no comma keeps it)
// when the first print command needs it, so that the start-up never waits for
// the printing system.
void takeDefaultPrinterAtFirstPrint();

// Runs the installed selection and records its answer in the design state:
// printerChosen 1 (0 after Cancel), printerName for a printer. Without an
// installed selection nothing is chosen. The first call after
// takeDefaultPrinterAtFirstPrint() first waits, bounded, for the default printer.
std::optional<PrintTarget> choosePrintTarget(QWidget* parent);

// The PDF file chosen last, so that the selection offers it again; empty when
// the last choice was a printer.
QString lastPdfFile();
