#include "core/messages.h"

namespace {
MessageService* g_service = nullptr;
}

MessageService* messageService() { return g_service; }

MessageService* installMessageService(MessageService* service)
{
    MessageService* previous = g_service;
    g_service = service;
    return previous;
}

MsgAnswer showMessage(const Message& message)
{
    if (!g_service) {
        switch (message.buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        case MsgButtons::RetryCancel:
        case MsgButtons::SaveDiscardCancel:
            break;
        }
        return MsgAnswer::Cancel;
    }
    if (message.beep)
        g_service->beep();
    return g_service->show(message);
}

void beep()
{
    if (g_service)
        g_service->beep();
}

namespace msg {
Message error(const QString& prompt, bool withBeep)
{
    return { prompt, QStringLiteral("Error"), MsgButtons::Ok, MsgIcon::Exclamation, withBeep };
}

Message warning(const QString& prompt)
{
    return { prompt, QStringLiteral("WARNING"), MsgButtons::Ok, MsgIcon::None, false };
}

Message plain(const QString& prompt) { return { prompt, QString(), MsgButtons::Ok, MsgIcon::None, false }; }
} // namespace msg
