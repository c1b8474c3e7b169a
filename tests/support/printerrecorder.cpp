#include "support/printerrecorder.h"

#include <QTest>

PrinterRecorder::PrinterRecorder()
    : m_previous(installPrinterSelection(this))
{
}
PrinterRecorder::~PrinterRecorder() { installPrinterSelection(m_previous); }

std::optional<PrintTarget> PrinterRecorder::select(QWidget*)
{
    ++requests;
    if (m_answers.empty())
        return std::nullopt;
    const std::optional<PrintTarget> answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void addPrintTargetRows()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("PDF file") << "file";
    QTest::newRow("PDF printer") << "PDF";
    QTest::newRow("cancelled") << "cancel";
}

PrintAnswer::PrintAnswer(const QString& target)
    : m_target(target)
{
    if (target == "file")
        printers.answerPdfFile(path());
    else if (target == "PDF")
        printers.answerPrinter(target);
    else if (target == "unknown")
        printers.answerPrinter(uniqueToken("NoSuchPrinter"));
}

QString PrintAnswer::page(const QString& jobName, const QString& token) const
{
    if (m_target == "PDF")
        return waitForPrintedText(jobName, token).simplified();
    return pdfPageCount(path()) == 1 ? text().simplified() : QString();
}
