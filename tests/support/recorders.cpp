#include "support/recorders.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

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

HelpRecorder::HelpRecorder()
    : m_previous(installHelpViewer(this))
{
}
HelpRecorder::~HelpRecorder() { installHelpViewer(m_previous); }

void HelpRecorder::showTopic(const QString& topic, QWidget*) { topics << topic; }

void deleteAllWindows()
{
    QList<QPointer<QWidget>> windows;
    // A popup belongs to the control that shows it (a completer deletes its
    // own list) and goes with that control's window.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowType() != Qt::Popup)
            windows << w;
    for (const QPointer<QWidget>& w : windows)
        delete w.data(); // null once its parent took it along
}

namespace {
// A timer object that closes stray modal dialogs; lives as long as the guard.
class ModalWatcher : public QObject {
public:
    explicit ModalWatcher(bool* seen)
        : m_seen(seen)
    {
        startTimer(50);
    }

protected:
    void timerEvent(QTimerEvent*) override
    {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            *m_seen = true;
            qWarning("Unexpected modal dialog: %s", qPrintable(modal->windowTitle()));
            modal->close();
        }
    }

private:
    bool* m_seen;
};
ModalWatcher* g_watcher = nullptr;
} // namespace

ModalGuard::ModalGuard() { g_watcher = new ModalWatcher(&m_seen); }

ModalGuard::~ModalGuard()
{
    delete g_watcher;
    g_watcher = nullptr;
    if (m_seen)
        QTest::qFail("an unexpected modal dialog was shown", __FILE__, __LINE__);
}
