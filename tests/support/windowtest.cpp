#include "support/windowtest.h"

#include "core/designstate.h"
#include "core/numberparse.h"
#include "core/units.h"

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
    // Every test starts in the units the program starts in.
    setUnitSystem(UnitSystem::Imperial);
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

namespace {
// One unit of the last digit a text shows: "2.16" 0.01, "25." and "50" 1.
double lastDigit(const QString& text)
{
    const QString t = text.trimmed();
    const qsizetype point = t.indexOf(u'.');
    return point < 0 ? 1 : std::pow(10.0, -double(t.size() - 1 - point));
}
} // namespace

double shownRounding(const QString& volume) { return lastDigit(volume) / 2 / parseNumber(volume); }

QString metricDifferences(const DesignWindow* window, const QStringList& names, const QStringList& imperial,
    const QList<FromShownVolume>& fromVolume, double rounding)
{
    QStringList differences;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString shown = window->field(names[i])->text();
        const QString expected = imperial.value(i);
        if (expected == u"N/A" || shown == u"N/A") {
            if (shown != expected)
                differences << QStringLiteral("%1 shows %2, not %3").arg(names[i], shown, expected);
            continue;
        }
        const double value = window->numberIn(names[i]);
        const double wanted = parseNumber(expected);
        double allowed = lastDigit(expected) * 1.0001;
        for (const FromShownVolume& from : fromVolume)
            if (names[i] == QLatin1String(from.field))
                allowed += rounding * (from.relative ? from.perVolume * std::abs(wanted) : from.perVolume);
        if (!(std::abs(value - wanted) <= allowed))
            differences
                << QStringLiteral("%1 shows %2, which is %3, not %4").arg(names[i], shown).arg(value).arg(expected);
    }
    return differences.join(QStringLiteral("; "));
}
