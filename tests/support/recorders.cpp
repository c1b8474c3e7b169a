#include "support/recorders.h"

MessageRecorder::MessageRecorder()
    : m_previous(installMessageService(this))
{
}
MessageRecorder::~MessageRecorder() { installMessageService(m_previous); }

MsgAnswer MessageRecorder::show(const Message& message)
{
    shown.push_back(message);
    if (message.buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (m_answers.empty())
        return message.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    const MsgAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QStringList MessageRecorder::prompts() const
{
    QStringList out;
    for (const Message& m : shown)
        out << m.prompt;
    return out;
}

ScriptedFileChooser::ScriptedFileChooser()
    : m_previous(installFileChooser(this))
{
}
ScriptedFileChooser::~ScriptedFileChooser() { installFileChooser(m_previous); }

std::optional<QString> ScriptedFileChooser::choose(const FileDialogRequest& request)
{
    requests.push_back(request);
    if (m_answers.empty())
        return std::nullopt;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    if (answer.cancel)
        return std::nullopt;
    return answer.name;
}
