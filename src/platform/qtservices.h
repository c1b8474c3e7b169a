#pragma once
// The program's real side effects: message boxes with QMessageBox, centred
// over the window that shows them, and the system beep, the file dialog with
// QFileDialog. installQtServices() puts
// them in place unless a test has installed its own already.

#include "core/filechooser.h"
#include "core/messages.h"

class QtMessageService final : public MessageService {
public:
    MsgAnswer show(const Message& message) override;
    void beep() override;
};

class QtFileChooser final : public FileChooser {
public:
    std::optional<QString> choose(const FileDialogRequest& request) override;
};

void installQtServices();
