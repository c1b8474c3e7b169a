#pragma once
// Reading printed pages back: the text of a PDF file (pdftotext), the page
// count, and the file the printing system's PDF printer wrote for a job.

#include <QString>
#include <QStringList>

// The text of the file laid out as on the page; empty when it cannot be read.
QString pdfText(const QString& file);
// The number of pages; 0 when the file cannot be read.
int pdfPageCount(const QString& file);

// True when the printing system has a printer named "PDF".
bool havePdfPrinter();
// The file the PDF printer wrote for a job whose name holds `token`, once it
// has settled; empty after `timeoutMs`.
QString waitForPrintedPdf(const QString& token, int timeoutMs = 60000);
// For jobs whose name is fixed (a page title): the text of the file the PDF
// printer wrote for `jobName` ("Inductor Design") that holds `token`; files
// of that job without it (left by earlier runs) are removed on the way.
// Empty after `timeoutMs`.
QString waitForPrintedText(const QString& jobName, const QString& token, int timeoutMs = 60000);
// A token unique to this run, for job names and texts.
QString uniqueToken(const QString& prefix);
