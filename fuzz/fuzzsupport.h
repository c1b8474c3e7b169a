#pragma once
// What the file fuzzers share: a message service that counts instead of
// showing, and a scratch folder in memory where there is a memory file
// system (saving syncs every file).
#include "core/messages.h"

#include <QDir>
#include <QTemporaryDir>

class CountingMessages final : public MessageService {
public:
    explicit CountingMessages(MsgAnswer answer)
        : m_answer(answer)
    {
    }
    MsgAnswer show(const Message&) override
    {
        ++shown;
        return m_answer;
    }
    void beep() override { }
    int shown = 0;

private:
    MsgAnswer m_answer;
};

inline QTemporaryDir& scratchFolder()
{
    static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
            ? QStringLiteral("/dev/shm/tolvan-fuzz-XXXXXX")
            : QDir::tempPath() + "/tolvan-fuzz-XXXXXX");
    return folder;
}
