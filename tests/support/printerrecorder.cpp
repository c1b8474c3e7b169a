#include "support/printerrecorder.h"

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
