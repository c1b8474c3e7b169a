#pragma once
// The window tests' shared fixture and the probe that drives a window.
//
// WindowTest is the base of every test class that opens windows. Before each
// test function it gives a fresh design state with its start values, records
// every message box, beep, file dialog and help request, and guards against a
// modal dialog that no recorder caught (the test fails and the dialog is
// closed). After it every window is gone. A test that needs more set-up
// declares its own init() and calls WindowTest::init() first. QuietWindowTest
// is the fixture of a window that never shows a message: the test fails if
// one was shown.
//
// WindowProbe drives one design window as a user would: fields and buttons
// are found by their control names, typing replaces a field's text, clicks
// and Enter go through the real events so that the focus rules run.

#include "platform/designwindow.h"
#include "platform/help.h"
#include "support/recorders.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <optional>

class HelpRecorder final : public HelpViewer {
public:
    HelpRecorder();
    ~HelpRecorder() override;
    void showTopic(const QString& topic, QWidget* owner) override;
    QStringList topics;

private:
    HelpViewer* m_previous;
};

// Deletes every top-level window, parents before their own dialogs, so that a
// test leaves nothing behind for the next one.
void deleteAllWindows();

// Fails the running test (and closes the dialog) when a modal dialog shows up
// that no recorder caught.
class ModalGuard final {
public:
    ModalGuard();
    ~ModalGuard();

private:
    bool m_seen = false;
};

class WindowTest : public QObject {
    Q_OBJECT
public:
    explicit WindowTest(bool quiet = false)
        : m_quiet(quiet)
    {
    }
    // The design state as the program starts with it.
    static void freshDesignState();

protected:
    MessageRecorder& messages() { return m_seams->messages; }
    ScriptedFileChooser& files() { return m_seams->files; }
    HelpRecorder& help() { return m_seams->help; }
    // For a test that shows a real modal dialog itself.
    void allowModalDialogs() { m_seams->guard.reset(); }

protected slots:
    void init();
    void cleanup();

private:
    struct Seams {
        // Written out: clang does not see a nested class's member
        // initialisers as a default constructor inside its enclosing class.
        Seams()
            : guard(std::in_place)
        {
        }
        MessageRecorder messages;
        ScriptedFileChooser files;
        HelpRecorder help;
        std::optional<ModalGuard> guard;
    };
    std::optional<Seams> m_seams;
    bool m_quiet;
};

class QuietWindowTest : public WindowTest {
public:
    QuietWindowTest()
        : WindowTest(true)
    {
    }
};

// A field whose result goes on from a volume as a field shows it (a closed
// box's resonance from the volume shown as .65): it carries the rounding of
// that volume, by `perVolume` of its value (relative) or of its unit for a
// whole relative change of the volume.
struct FromShownVolume {
    const char* field;
    double perVolume;
    bool relative = true;
};
// Half a unit of the last digit of a volume as shown, over the volume.
double shownRounding(const QString& volume);
// The fields of `names` as the window shows them in Metric, read back in the
// design's units, against the texts Imperial shows: each the same within a
// unit of its last imperial digit ("N/A" alike), and a field that goes on
// from a shown volume within what the volume's imperial `rounding` leaves
// open besides. Empty when all agree, otherwise what differs.
QString metricDifferences(const DesignWindow* window, const QStringList& names, const QStringList& imperial,
    const QList<FromShownVolume>& fromVolume = {}, double rounding = 0);

// The rows of a hand-over table, with the columns "how" (a button's name, or
// "frame" for the window's frame closed) and "designed": Graph, Print and Exit
// with and without a design, then the frame closed with one.
void addHandOverRows(const char* graph = "btnGraph", const char* print = "Command2", const char* exit = "btnExit");

// Opens (or brings back) the one of `Windows` whose class is named `name`
// and waits until its activation ran; null when there is none.
template <class... Windows> QWidget* openNamed(const QString& name)
{
    QWidget* window = nullptr;
    ((name == QLatin1String(Windows::staticMetaObject.className()) ? void(window = openWindow<Windows>()) : void()),
        ...);
    if (window && !QTest::qWaitForWindowActive(window))
        qWarning("%s did not become active", qPrintable(name));
    return window;
}

template <class W> class WindowProbe {
public:
    // Opens (or brings back) the window and waits until its activation ran.
    W* open()
    {
        m_window = openWindow<W>();
        if (!QTest::qWaitForWindowActive(m_window))
            qWarning("%s did not become active", qPrintable(m_window->objectName()));
        return m_window;
    }
    W* window() const { return m_window; }

    QLineEdit* field(const QString& name) const { return m_window->template findChild<QLineEdit*>(name); }
    QString text(const QString& name) const { return field(name)->text(); }
    QStringList texts(const QStringList& names) const
    {
        QStringList out;
        for (const QString& name : names)
            out << text(name);
        return out;
    }
    void type(const QString& name, const QString& value) { field(name)->setText(value); }
    // Types each text into the field of the same place in `names`.
    void type(const QStringList& names, const QStringList& values)
    {
        for (int i = 0; i < names.size(); ++i)
            type(names[i], values.value(i));
    }
    // Types into the field as the focused one and leaves it with Enter.
    void typeAndEnter(const QString& name, const QString& value)
    {
        field(name)->setFocus(Qt::TabFocusReason);
        field(name)->selectAll();
        QTest::keyClicks(field(name), value);
        QTest::keyClick(field(name), Qt::Key_Return);
    }
    void click(const QString& name)
    {
        QTest::mouseClick(m_window->template findChild<QPushButton*>(name), Qt::LeftButton);
    }
    static QString focused()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    // The buttons left to right, as "name=caption".
    QStringList buttonRow() const
    {
        auto buttons = m_window->template findChildren<QPushButton*>();
        std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
        QStringList row;
        for (const QPushButton* b : buttons)
            row << b->objectName() + "=" + b->text();
        return row;
    }
    QStringList captions() const
    {
        QStringList out;
        for (const QLabel* label : m_window->template findChildren<QLabel*>())
            out << label->text();
        return out;
    }

private:
    W* m_window = nullptr;
};
