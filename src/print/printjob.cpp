#include "print/printjob.h"

#include "core/messages.h"
#include "platform/pageoutput.h"
#include "platform/printers.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>

namespace {
constexpr int kPrinterQueryMs = 5000;
constexpr int kPdfResolution = 300;

// The printer of a device name, or null when the printing system does not
// know it: Qt would otherwise quietly write a PDF file instead of printing.
std::unique_ptr<QPrinter> openablePrinter(QString name)
{
    if (name == kDefaultPrinterName)
        name.clear();
    bool known = false;
    for (const PrinterListing& printer : installedPrinterListing(kPrinterQueryMs))
        known = known || printer.name == name;
    if (name.isEmpty()) {
        name = defaultPrinterEntry(kPrinterQueryMs).section(u',', 0, 0);
        known = !name.isEmpty();
    }
    if (!known)
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(name);
    if (!printer->isValid() || printer->outputFormat() != QPrinter::NativeFormat)
        return nullptr;
    return printer;
}
} // namespace

PrintJob::PrintJob(const PrintTarget& target, const QString& jobName)
    : m_target(target)
    , m_jobName(jobName)
{
}

PrintJob::~PrintJob()
{
    if (!m_painter.isActive())
        return;
    // A job that failed half way is not sent, and leaves no half file.
    if (auto* printer = dynamic_cast<QPrinter*>(m_device.get()))
        printer->abort();
    m_painter.end();
    if (m_target.kind == PrintTarget::Kind::PdfFile)
        QFile::remove(m_target.name);
}

bool PrintJob::open()
{
    if (m_target.kind == PrintTarget::Kind::PdfFile) {
        if (m_target.name.isEmpty())
            return false;
        auto pdf = std::make_unique<QPdfWriter>(m_target.name);
        pdf->setCreator(QStringLiteral("Tolvan"));
        pdf->setTitle(m_jobName);
        pdf->setPageSize(QPageSize(QPageSize::A4));
        pdf->setPageOrientation(QPageLayout::Portrait);
        pdf->setResolution(kPdfResolution);
        m_device = std::move(pdf);
    } else {
        std::unique_ptr<QPrinter> printer = openablePrinter(m_target.name);
        if (!printer)
            return false;
        printer->setDocName(m_jobName);
        m_device = std::move(printer);
    }
    if (!m_painter.begin(m_device.get()))
        return false;
    const int dpi = m_device->logicalDpiY();
    m_paper = QRectF(QPointF(0, 0), QSizeF(m_device->pageLayout().paintRectPixels(dpi).size()));
    return !m_paper.isEmpty();
}

bool PrintJob::nextPage() { return m_painter.isActive() && m_device->newPage(); }

bool PrintJob::finish()
{
    if (!m_painter.isActive() || !m_painter.end())
        return false;
    // The PDF writer does not report a file it could not complete.
    if (m_target.kind == PrintTarget::Kind::PdfFile)
        return QFileInfo(m_target.name).size() > 0;
    return true;
}

void PrintJob::drawPage(const Page& page, double fraction)
{
    renderPage(page, m_painter, fitToPaper(page.world().size(), m_paper.size(), fraction));
}

void showCouldNotOpenPrintingDevice() { showMessage(msg::plain(QStringLiteral("Could Not Open Printing Device"))); }

bool printPages(const PrintTarget& target, const std::vector<Page>& pages, double fraction, const QString& jobName)
{
    bool ok = false;
    {
        BusyCursor busy;
        PrintJob job(target, jobName);
        ok = job.open();
        for (std::size_t i = 0; ok && i < pages.size(); ++i) {
            if (i > 0)
                ok = job.nextPage();
            if (ok)
                job.drawPage(pages[i], fraction);
        }
        ok = ok && job.finish();
    }
    if (!ok)
        showCouldNotOpenPrintingDevice();
    return ok;
}

bool printWithSelection(QWidget* parent, const QString& jobName,
    const std::function<void(QPainter& painter, const QRectF& paperRect)>& paint)
{
    const std::optional<PrintTarget> target = choosePrintTarget(parent);
    if (!target)
        return false;
    bool ok = false;
    {
        BusyCursor busy;
        PrintJob job(*target, jobName);
        ok = job.open();
        if (ok) {
            paint(job.painter(), job.paperRect());
            ok = job.finish();
        }
    }
    if (!ok)
        showCouldNotOpenPrintingDevice();
    return ok;
}

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }
