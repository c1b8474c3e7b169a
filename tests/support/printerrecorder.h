#pragma once
// Stand-in for the "Select Printer" window: records every request and
// answers from a script ("printer X", "PDF file Y" or Cancel) without
// showing anything.

#include "print/printerselection.h"

#include <deque>
#include <optional>

class PrinterRecorder final : public PrinterSelection {
public:
    PrinterRecorder(); // installs itself
    ~PrinterRecorder() override; // puts the previous selection back

    std::optional<PrintTarget> select(QWidget* parent) override;

    // Answers for the next selections, in order; Cancel when none is left.
    void answerPrinter(const QString& name) { m_answers.push_back(PrintTarget::printer(name)); }
    void answerPdfFile(const QString& path) { m_answers.push_back(PrintTarget::pdfFile(path)); }
    void answerCancel() { m_answers.push_back(std::nullopt); }

    int requests = 0;

private:
    PrinterSelection* m_previous;
    std::deque<std::optional<PrintTarget>> m_answers;
};
