#pragma once
// The side effects of a window run by the command line: every message box
// and beep is recorded (and answered at once: OK, No for a Yes/No question,
// Cancel for the others, so no procedure loops), and every file dialog is
// cancelled. Nothing ever waits for a user. Installed for the lifetime of the object.

#include "core/filechooser.h"
#include "core/messages.h"

#include <QVector>

class MessageLog final : public MessageService, public FileChooser {
public:
    MessageLog();
    ~MessageLog() override;

    MsgAnswer show(const Message& message) override;
    void beep() override { ++beeps; }
    std::optional<QString> choose(const FileDialogRequest&) override { return std::nullopt; }

    void clear();

    QVector<Message> shown;
    int beeps = 0;

private:
    MessageService* m_previousMessages;
    FileChooser* m_previousChooser;
};
