#include "print/printjob.h"

#include "core/messages.h"
#include "core/wholefile.h"
#include "platform/pageoutput.h"
#include "platform/printers.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
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
    // A job that failed half way is not sent; a PDF file was never begun.
    if (auto* printer = dynamic_cast<QPrinter*>(m_device.get()))
        printer->abort();
    m_painter.end();
}

bool PrintJob::fail(const QString& why)
{
    m_failure = QStringLiteral("%1 cannot be written: %2.").arg(QDir::toNativeSeparators(m_target.name), why);
    return false;
}

bool PrintJob::open()
{
    if (m_target.kind == PrintTarget::Kind::PdfFile) {
        if (m_target.name.isEmpty())
            return false;
        // Said before the pages are made: a folder that is not there, a pipe, a device.
        if (const auto unwritable = unwritableTarget(m_target.name))
            return fail(*unwritable);
        // The pages are made in memory and the file written whole at the end.
        m_buffer = std::make_unique<QBuffer>();
        m_buffer->open(QIODevice::WriteOnly);
        auto pdf = std::make_unique<QPdfWriter>(m_buffer.get());
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
    if (m_target.kind != PrintTarget::Kind::PdfFile)
        return true;
    if (m_buffer->data().isEmpty())
        return fail(QStringLiteral("the pages could not be made"));
    if (const auto error = writeWholeFile(m_target.name, m_buffer->data()))
        return fail(*error);
    return true;
}

void PrintJob::drawPage(const Page& page, double fraction)
{
    renderPage(page, m_painter, fitToPaper(page.world().size(), m_paper.size(), fraction));
}

void showCouldNotOpenPrintingDevice(const QString& detail)
{
    const QString prompt = QStringLiteral("Could Not Open Printing Device");
    showMessage(msg::plain(detail.isEmpty() ? prompt : prompt + QStringLiteral("\n\n") + detail));
}

bool printPages(const PrintTarget& target, const std::vector<Page>& pages, double fraction, const QString& jobName)
{
    bool ok = false;
    QString failure;
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
        failure = job.failure();
    }
    if (!ok)
        showCouldNotOpenPrintingDevice(failure);
    return ok;
}

bool printWithSelection(QWidget* parent, const QString& jobName,
    const std::function<void(QPainter& painter, const QRectF& paperRect)>& paint)
{
    const std::optional<PrintTarget> target = choosePrintTarget(parent);
    if (!target)
        return false;
    bool ok = false;
    QString failure;
    {
        BusyCursor busy;
        PrintJob job(*target, jobName);
        ok = job.open();
        if (ok) {
            paint(job.painter(), job.paperRect());
            ok = job.finish();
        }
        failure = job.failure();
    }
    if (!ok)
        showCouldNotOpenPrintingDevice(failure);
    return ok;
}

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }
