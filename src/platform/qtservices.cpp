#include "platform/qtservices.h"

#include "platform/designwindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QTreeView>

namespace {
// The window a message belongs to: the active one, or the program window
// activated last when none of ours is active.
QWidget* messageOwner()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    QWidget* last = DesignWindow::lastActivatedWindow();
    return last && last->isVisible() ? last : nullptr;
}
} // namespace

MsgAnswer QtMessageService::show(const Message& message)
{
    // Over its window, centred on it.
    QMessageBox box(messageOwner());
    box.setWindowTitle(message.shownTitle());
    box.setText(message.prompt);
    switch (message.icon) {
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if (message.buttons == MsgButtons::SaveDiscardCancel) {
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        const int pressed = box.exec();
        return pressed == QMessageBox::Save   ? MsgAnswer::Save
            : pressed == QMessageBox::Discard ? MsgAnswer::Discard
                                              : MsgAnswer::Cancel;
    }
    if (message.buttons == MsgButtons::RetryCancel) {
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Retry ? MsgAnswer::Retry : MsgAnswer::Cancel;
    }
    if (message.buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MsgAnswer::Ok;
}

void QtMessageService::beep() { QApplication::beep(); }

std::optional<QString> QtFileChooser::choose(const FileDialogRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, QString(), request.filter);
    dialog.setAcceptMode(request.forSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Load too accepts a name that does not exist: the load procedure reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.forSave);
    if (!request.defaultSuffix.isEmpty()) {
        dialog.setDefaultSuffix(request.defaultSuffix);
        // A desktop's own dialog asks about overwriting before Qt adds the
        // suffix; Qt's dialog adds it first and asks about the right file.
        dialog.setOption(QFileDialog::DontUseNativeDialog, request.forSave);
    }
    dialog.selectFile(request.initialName);
    // Qt's own dialog (a desktop's dialog sizes itself): the size and date
    // columns show whole, the name takes the room that is left.
    if (auto* details = dialog.findChild<QTreeView*>()) {
        details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        details->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        dialog.resize(qMax(dialog.width(), 820), dialog.height());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void installQtServices()
{
    static QtMessageService messages;
    static QtFileChooser files;
    if (!messageService())
        installMessageService(&messages);
    if (!fileChooser())
        installFileChooser(&files);
}
