#include "support/windowtest.h"

#include "core/designstate.h"

#include <QPointer>

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

void addHandOverRows(const char* graph, const char* print, const char* exit)
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("designed");
    for (const bool designed : { true, false }) {
        const char* suffix = designed ? "" : " without a design";
        QTest::addRow("Graph%s", suffix) << graph << designed;
        QTest::addRow("Print%s", suffix) << print << designed;
        QTest::addRow("Exit%s", suffix) << exit << designed;
    }
    QTest::newRow("window frame") << "frame" << true; // closing never loses the design
}

void WindowTest::freshDesignState()
{
    designState() = DesignState();
    applyStartValues(designState());
}

void WindowTest::init()
{
    freshDesignState();
    m_seams.emplace();
}

void WindowTest::cleanup()
{
    const bool quiet = m_seams->messages.shown.isEmpty();
    deleteAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_seams.reset();
    if (m_quiet)
        QVERIFY2(quiet || QTest::currentTestFailed(), "the window showed a message");
}
