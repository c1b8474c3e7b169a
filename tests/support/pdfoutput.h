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
// A token unique to this run, for job names and texts.
QString uniqueToken(const QString& prefix);
