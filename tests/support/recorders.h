#pragma once
// Stand-ins for the program's side effects below the windows, for tests:
// every message box, beep and file dialog is recorded and answered from a
// script, so no test ever waits on a modal dialog. Qt Core only.

#include "core/filechooser.h"
#include "core/messages.h"

#include <QStringList>
#include <QVector>
#include <deque>
#include <optional>

class MessageRecorder final : public MessageService {
public:
    MessageRecorder(); // installs itself
    ~MessageRecorder() override; // puts the previous service back

    MsgAnswer show(const Message& message) override;
    void beep() override { ++beeps; }

    // Answers for the next Retry/Cancel and Yes/No boxes, in order; Cancel
    // (No for Yes/No) when none is left.
    void answerNext(MsgAnswer answer) { m_answers.push_back(answer); }

    QStringList prompts() const;
    const Message& last() const { return shown.constLast(); }
    void clear()
    {
        shown.clear();
        beeps = 0;
    }

    QVector<Message> shown;
    int beeps = 0;

private:
    MessageService* m_previous;
    std::deque<MsgAnswer> m_answers;
};

class ScriptedFileChooser final : public FileChooser {
public:
    ScriptedFileChooser();
    ~ScriptedFileChooser() override;

    std::optional<QString> choose(const FileDialogRequest& request) override;

    // Answers for the next dialogs, in order; nullopt cancels. Cancel when none is left.
    void answerNext(std::optional<QString> name)
    {
        m_answers.push_back({ !name.has_value(), name.value_or(QString()) });
    }

    QVector<FileDialogRequest> requests;

private:
    FileChooser* m_previous;
    struct Answer {
        bool cancel;
        QString name;
    };
    std::deque<Answer> m_answers;
};
