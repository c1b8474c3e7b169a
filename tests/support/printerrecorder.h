#pragma once
// Stand-in for the "Select Printer" window: records every request and
// answers from a script ("printer X", "PDF file Y" or Cancel) without
// showing anything.

#include "print/printerselection.h"
#include "support/pdfoutput.h"

#include <QDir>
#include <QTemporaryDir>
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

// The rows of a table of print targets, in the column "target" as PrintAnswer
// takes them: a PDF file, the PDF printer, and Cancel.
void addPrintTargetRows();

// The next printer selection answered with the target a test names: "file"
// (a PDF file in a fresh folder), "PDF" (the printing system's PDF printer),
// "unknown" (a printer that does not exist) or "cancel"; and what was printed.
class PrintAnswer final {
public:
    explicit PrintAnswer(const QString& target = QStringLiteral("file"));
    // The text printed into the file.
    QString text() const { return pdfText(path()); }
    // The one page printed, simplified: from the file, or from the PDF
    // printer's file of the job `jobName` that holds `token`. Empty when no
    // single page was printed.
    QString page(const QString& jobName, const QString& token) const;
    bool wroteNoFile() const { return QDir(m_dir.path()).isEmpty(); }

    PrinterRecorder printers;

private:
    QString path() const { return m_dir.filePath("page.pdf"); }
    QString m_target;
    QTemporaryDir m_dir;
};
