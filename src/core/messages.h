#pragma once
// Message boxes and beeps, the one way the program speaks to the user.
//
// Windows and procedures describe a box as data (Message) and hand it to the
// installed MessageService. The program installs a service built on
// QMessageBox; tests install a recorder that answers without showing anything.
// A Message with an empty title shows the application's title "Tolvan".

#include <QString>
#include <memory>

enum class MsgButtons { Ok, RetryCancel, SaveDiscardCancel, YesNo };
enum class MsgIcon { None, Exclamation, Stop };
enum class MsgAnswer { Ok, Retry, Cancel, Save, Discard, Yes, No };

inline const QString kAppTitle = QStringLiteral("Tolvan");

struct Message {
    QString prompt;
    QString title; // empty: the application's title
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    bool beep = false; // the system beep sounds just before the box

    QString shownTitle() const { return title.isEmpty() ? kAppTitle : title; }
    bool operator==(const Message&) const = default;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MsgAnswer show(const Message& message) = 0;
    virtual void beep() = 0;
};

// The service in use; null until one is installed.
MessageService* messageService();
// Installs a service (the caller keeps ownership); returns the previous one.
MessageService* installMessageService(MessageService* service);

// Shows a message through the installed service, beeping first when asked.
// Without a service the message is dropped and the answer is Ok for an OK
// box, No for a Yes/No question (nothing is replaced or deleted unasked) and
// Cancel for the others (never loops, never discards).
MsgAnswer showMessage(const Message& message);
void beep();

// The messages that several windows share.
namespace msg {
Message error(const QString& prompt, bool withBeep = false); // "Error", exclamation
Message warning(const QString& prompt); // "WARNING", no icon
Message plain(const QString& prompt); // application title, no icon
}
