#include "print/FrmPrinter.h"

#include "core/designstate.h"
#include "core/filechooser.h"
#include "core/messages.h"
#include "platform/printers.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

namespace {
// The entry's device name, whole, whatever dashes it holds.
constexpr int kNameRole = Qt::UserRole;
constexpr int kPdfRole = Qt::UserRole + 1;
// A printing system that does not answer leaves the list empty rather than
// holding the window.
constexpr int kListTimeoutMs = 5000;
// Twips as the other windows use them: 15 per pixel.
QRect twips(int left, int top, int width, int height) { return QRect(left / 15, top / 15, width / 15, height / 15); }
} // namespace

QString printerEntryText(const QString& name, const QString& driver)
{
    return driver.isEmpty() ? name : name + QStringLiteral(" - ") + driver;
}

QString pdfFileName(const QString& chosen)
{
    const QString name = chosen.trimmed();
    if (name.isEmpty() || name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return name;
    return name + QStringLiteral(".pdf");
}

FrmPrinter::FrmPrinter(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmPrinter"));
    setWindowTitle(QStringLiteral("Select Printer"));
    setModal(true);
    setFixedSize(twips(0, 0, 6300, 3300).size());

    auto* label = new QLabel(QStringLiteral("Printers"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(twips(240, 120, 4200, 300));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twips(240, 420, 4320, 2640));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("CmdOk"));
    ok->setGeometry(twips(4800, 420, 1260, 420));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CmdCancel"));
    cancel->setGeometry(twips(4800, 1020, 1260, 420));

    connect(ok, &QPushButton::clicked, this, &FrmPrinter::CmdOk_Click);
    connect(cancel, &QPushButton::clicked, this, &FrmPrinter::CmdCancel_Click);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &FrmPrinter::List1_DblClick);
    Form_Load();
    fitToEntries();
}

// The longest entry shows whole: the list, and the window with it, grow to
// fit it, as far as the screen allows; the buttons keep to the right.
void FrmPrinter::fitToEntries()
{
    const int needed
        = m_list->sizeHintForColumn(0) + 2 * m_list->frameWidth() + m_list->verticalScrollBar()->sizeHint().width();
    const int room = (screen() ? screen()->availableGeometry().width() : width()) - width();
    const int extra = qBound(0, needed - m_list->width(), qMax(0, room));
    if (extra == 0)
        return;
    setFixedSize(width() + extra, height());
    m_list->resize(m_list->width() + extra, m_list->height());
    for (QPushButton* button : findChildren<QPushButton*>())
        button->move(button->x() + extra, button->y());
}

void FrmPrinter::Form_Load()
{
    DesignState& state = designState();
    const bool pdfLast = !lastPdfFile().isEmpty();
    for (const PrinterListing& printer : installedPrinterListing(kListTimeoutMs)) {
        auto* item = new QListWidgetItem(printerEntryText(printer.name, printer.driver), m_list);
        item->setData(kNameRole, printer.name);
        if (!pdfLast && !state.printerName.isEmpty() && m_list->currentRow() < 0 && printer.name == state.printerName)
            m_list->setCurrentItem(item);
    }
    auto* pdf = new QListWidgetItem(kPdfFileEntry, m_list);
    pdf->setData(kPdfRole, true);
    if (pdfLast)
        m_list->setCurrentItem(pdf);
    state.printerChosen = 0;
}

void FrmPrinter::List1_DblClick(QListWidgetItem* item)
{
    m_list->setCurrentItem(item);
    CmdOk_Click();
}

std::optional<QString> FrmPrinter::askPdfFile() const
{
    FileChooser* chooser = fileChooser();
    if (!chooser)
        return std::nullopt;
    FileDialogRequest request { QStringLiteral("Print to PDF File"), QStringLiteral("PDF Files (*.pdf)"), lastPdfFile(),
        true, QStringLiteral("pdf") };
    for (;;) {
        const std::optional<QString> chosen = chooser->choose(request);
        if (!chosen)
            return std::nullopt;
        const QString path = pdfFileName(*chosen);
        if (path.isEmpty())
            return std::nullopt;
        // A file under a name with ".pdf" added here was never confirmed in
        // the dialog: offer that name again so the dialog asks about it.
        if (path != *chosen && QFileInfo::exists(path)) {
            request.initialName = path;
            continue;
        }
        return path;
    }
}

void FrmPrinter::CmdOk_Click()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        showMessage(msg::plain(QStringLiteral("No Printer Selected")));
        return;
    }
    if (item->data(kPdfRole).toBool()) {
        // Cancelling the file dialog returns to the printer list.
        const std::optional<QString> file = askPdfFile();
        if (!file)
            return;
        m_target = PrintTarget::pdfFile(*file);
    } else {
        m_target = PrintTarget::printer(item->data(kNameRole).toString());
        designState().printerName = m_target->name;
    }
    designState().printerChosen = 1;
    accept();
}

void FrmPrinter::CmdCancel_Click()
{
    m_target.reset();
    designState().printerChosen = 0;
    reject();
}
