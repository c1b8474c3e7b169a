#include "cli/messagelog.h"

MessageLog::MessageLog()
    : m_previousMessages(installMessageService(this))
    , m_previousChooser(installFileChooser(this))
{
}

MessageLog::~MessageLog()
{
    installMessageService(m_previousMessages);
    installFileChooser(m_previousChooser);
}

MsgAnswer MessageLog::show(const Message& message)
{
    shown.append(message);
    if (message.buttons == MsgButtons::YesNo)
        return MsgAnswer::No;
    return message.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

void MessageLog::clear()
{
    shown.clear();
    beeps = 0;
}
