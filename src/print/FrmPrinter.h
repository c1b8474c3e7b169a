#pragma once
// The modal "Select Printer" window: the printing system's printers as
// "name - driver" entries, each carrying its whole device name, and a last
// entry "PDF File" that asks for a file name. OK (or a double click) hands
// the choice back through target() and the design state; Cancel and closing
// the window choose nothing.

#include "print/printerselection.h"

#include <QDialog>
#include <optional>

class QListWidget;
class QListWidgetItem;

class FrmPrinter final : public QDialog {
    Q_OBJECT
public:
    explicit FrmPrinter(QWidget* parent = nullptr);

    // The confirmed choice; null until OK went through.
    const std::optional<PrintTarget>& target() const { return m_target; }

    void CmdOk_Click();
    void CmdCancel_Click();

private:
    void Form_Load();
    void fitToEntries();
    void List1_DblClick(QListWidgetItem* item);
    std::optional<QString> askPdfFile() const;

    QListWidget* m_list = nullptr;
    std::optional<PrintTarget> m_target;
};

// The list entry of a printer: "name - driver" ("name" alone without a driver).
QString printerEntryText(const QString& name, const QString& driver);
// The file a chosen PDF name is written to: blanks trimmed, ".pdf" added
// unless the name ends with it in any mix of cases.
QString pdfFileName(const QString& chosen);
