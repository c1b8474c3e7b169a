#pragma once
// One print job on the target the user chose: a printer of the printing
// system or a PDF file. A job is opened once, painted page by page into the
// printable rectangle, and finished; any step that fails is reported with
// "Could Not Open Printing Device" by the procedures below. A PDF file is
// made in memory and written whole when the job finishes (core/wholefile.h):
// a failure leaves an earlier file of the name as it was, and the message
// names the file and why.

#include "platform/page.h"
#include "print/printerselection.h"

#include <QPainter>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QBuffer;
class QPagedPaintDevice;
class QWidget;

class PrintJob final {
public:
    PrintJob(const PrintTarget& target, const QString& jobName);
    ~PrintJob(); // a job that was not finished is abandoned: nothing printed, no file left

    // False when the printer or file cannot be used or opened.
    bool open();
    bool isOpen() const { return m_painter.isActive(); }
    QPainter& painter() { return m_painter; }
    // The printable area in the painter's coordinates.
    QRectF paperRect() const { return m_paper; }
    // Starts the next page; false when the device refuses.
    bool nextPage();
    // Ends the job; false when it did not reach the printer or file.
    bool finish();
    // Why a PDF file could not be written ("X cannot be written: the disk is full."); empty otherwise.
    const QString& failure() const { return m_failure; }

    // Fits a page into the printable area with `fraction` and draws it.
    void drawPage(const Page& page, double fraction);

private:
    bool fail(const QString& why);

    PrintTarget m_target;
    QString m_jobName;
    QString m_failure;
    std::unique_ptr<QBuffer> m_buffer; // a PDF file's bytes until finish()
    std::unique_ptr<QPagedPaintDevice> m_device;
    QPainter m_painter;
    QRectF m_paper;
};

// The message of every failed print; `detail` (a PrintJob's failure) is added below it.
void showCouldNotOpenPrintingDevice(const QString& detail = {});

// The whole print of ready pages on a chosen target, one job, `fraction` as
// the fit rule says (0.8 for report pages, 0.9 for the box data report).
// Shows the message and returns false on any failure.
bool printPages(const PrintTarget& target, const std::vector<Page>& pages, double fraction, const QString& jobName);

// For pages that are not report layouts: runs the printer selection, opens
// the chosen printer or PDF file, calls `paint` once with the painter and
// the printable rectangle, shows "Could Not Open Printing Device" on failure;
// true when printed.
bool printWithSelection(QWidget* parent, const QString& jobName,
    const std::function<void(QPainter& painter, const QRectF& paperRect)>& paint);

// The hourglass over the whole program while it lives.
class BusyCursor final {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
