#pragma once
// What every window of the program has in common:
//  - controls placed at twip positions (1 px = 15 twips) and kept proportional
//    to the window when it is resized;
//  - Enter moving the focus along the window's declared cycle;
//  - the activation hook Form_Activate, run when the window becomes the
//    program's active window (first showing, or coming from another program
//    window) and not when the focus only comes back from its own message box,
//    a modal dialog or another application;
//  - coming back finds the window as the user left it: a return refills
//    only what another window (or a load) changed, and designValid is the
//    window's own (see comeBack in the source);
//  - lost-focus and got-focus handlers that run only when the focus moves
//    between controls of the active window, not when a message box or
//    another window takes it (or another window's activation moves it);
//  - the isobaric "Y"/"N" field and the windowReady flag;
//  - F1 for the help topic of the window;
//  - the place where the user left the window, taken back when it opens;
//  - the window's declared fields (windowfields.h) and the one builder of
//    its layout: fields from the table, numbered captions (Label1, Label2,
//    ... in the order made), buttons from a table;
//  - one way to write a field's text (setFieldText, which runs the field's
//    change handler, and refillField for an activation's refills), to read
//    its number, and to carry out a calculation's outcome;
//  - a tooltip with the metric value on every field whose declared unit is
//    imperial, kept up to date with the field.
// A window class derives from DesignWindow, declares its fields, builds its
// controls in its constructor and names its handlers after control and event.

#include "core/designstate.h"
#include "design/outcome.h"
#include "platform/windowfields.h"

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QVector>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>

class QFocusEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// A rectangle in twips.
struct TwipRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// A button: its control name, caption and click handler, a note under it.
struct ButtonEntry {
    const char* name;
    const char* caption;
    std::function<void()> click;
    const char* note = nullptr;
    TwipRect at = {}; // where it stands (addButtons); a row places it itself
};

// Buttons left to right, all of one size.
struct ButtonRow {
    int top = 0, firstLeft = 0, gap = 0;
    int width = 1440, height = 495;
};

// The "Y"/"N" field moves the focus on after either letter, or after "Y" only.
enum class YesNoFocus { AfterYesOrNo, AfterYesOnly };

// A field whose value, read back from its text, is stored as a Single.
struct FieldBinding {
    const char* field;
    float DesignState::*member;
};

class DesignWindow : public QWidget {
    Q_OBJECT
public:
    // `clientTwips` is the designed client size; the window opens at that size.
    DesignWindow(const QString& name, const QString& caption, QSize clientTwips, QWidget* parent = nullptr);
    ~DesignWindow() override;

    int windowReady() const { return m_windowReady; }
    void setWindowReady(int ready) { m_windowReady = ready; }

    // The program window that was activated last (null before any).
    static QWidget* lastActivatedWindow();

    static QRect twipsToPixels(int left, int top, int width, int height);
    static constexpr int kRowHeight = 315; // of a field and its captions, in twips

    // The fields the window declared, in the order it builds them.
    std::span<const FieldEntry> fields() const { return m_fields; }
    const FieldEntry* fieldEntry(const QString& name) const;
    QLineEdit* field(const QString& name) const;

    // A program write of a field's text. It runs the field's change handler
    // when it changes the text (see onChange).
    void setFieldText(const QString& name, const QString& text);
    // The number the field's text reads as.
    double numberIn(const QString& name) const;
    // Each field's value, read back, into its design-state variable.
    void storeFields(std::initializer_list<FieldBinding> bindings) const;
    // The beep, the message boxes in order, then the focus.
    void carryOut(const design::Outcome& outcome);

    // The layout builder. The window declares its table first; each part of
    // it is then built where it stands among the other controls.
    void declareFields(std::span<const FieldEntry> fields);
    void buildFields(std::span<const FieldEntry> part);
    // A caption named Label<n>, numbered in the order made.
    QLabel* addCaption(const QString& text, int left, int top, int width, int height = kRowHeight,
        Qt::Alignment alignment = Qt::AlignCenter);
    // The next caption is Label<number>: the names before it are the window's own.
    void continueLabelsAt(int number) { m_labels = number - 1; }
    QList<QPushButton*> addButtons(std::initializer_list<ButtonEntry> buttons);
    QList<QPushButton*> addButtonRow(std::initializer_list<ButtonEntry> buttons, const ButtonRow& row);
    // Results the user never types into.
    void setReadOnly(std::initializer_list<const char*> names);
    // Control builders; every control gets its control name as objectName.
    QLineEdit* addField(const QString& name, int left, int top, int width, int height);
    QPushButton* addButton(const QString& name, const QString& caption, int left, int top, int width, int height);
    // Places any other widget at twip coordinates and keeps it proportional.
    void place(QWidget* widget, int left, int top, int width, int height);

    // A design-state value the window shows: `field` names the field its
    // activation fills from it; nullptr stands for a value among the
    // window's own results (a volume or dimension another window also writes).
    template <class T> void showsStoredValue(const char* field, const T& value)
    {
        watchStored(field, [&value] { return QByteArray(reinterpret_cast<const char*>(&value), sizeof value); });
    }
    // The activation's writes of stored values. On the window's first
    // activation, and on the first after a load, each is made; on a later one
    // only where the value behind the field changed since the window last
    // showed or stored it. Outside an activation it is a plain write.
    void refillField(const QString& name, const QString& text);
    // Form_Activate runs for the first time since the window opened.
    bool isOpening() const { return m_opening; }

protected:
    // Enter in each named field moves the focus to the next name; the last leads to the first.
    void setFocusCycle(const QStringList& names);
    // Enter in `from` moves the focus to `to` (outside or instead of the cycle).
    void setEnterTarget(QLineEdit* from, QWidget* to);

    void onLostFocus(QWidget* control, std::function<void()> handler);
    void onGotFocus(QWidget* control, std::function<void()> handler);

    // The "Y"/"N" field: upper case, factor 0.5 or 1.0, focus to `next`
    // (after either letter, or after "Y" only); a lost focus with any other
    // text beeps and complains.
    void setupYesNoField(QLineEdit* yesNo, float* factor, QWidget* next, YesNoFocus moves = YesNoFocus::AfterYesOrNo);

    // The field's change handler. It runs whenever the field's text changes,
    // by the user's edit or by a program write (setFieldText); a write of the
    // text already there changes nothing and runs nothing. Handlers may write
    // other fields, whose handlers then run at once, inside the write.
    void onChange(QLineEdit* field, std::function<void()> handler);

    // Exit: clears windowReady and destroys the window (without Form_Unload).
    void closeWindow();

    virtual void Form_Activate() { }
    // The user came back and nothing the window shows changed meanwhile: the
    // window stays as it was left (a window may remind of its own state).
    virtual void Form_Return() { }
    // The user closed the window through its frame: windows whose Exit hands
    // values over do the same here, so closing never loses the design.
    virtual void Form_Unload() { }

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Refill { Plain, All, Changed };
    struct StoredValue {
        QString field;
        std::function<QByteArray()> read;
        QByteArray seen; // as the window last showed or stored it
    };
    void watchStored(const char* field, std::function<QByteArray()> read);
    void becomeCurrent();
    void comeBack();
    void leave();
    void rememberStoredValues();

    void registerDesign(QWidget* widget, const QRect& rect);
    QLabel* addLabel(const QString& name, const QString& caption, int left, int top, int width, int height);
    // The one program write that must not run the change handlers.
    void setFieldTextQuietly(QLineEdit* field, const QString& text);
    void showMetricValue(QLineEdit* field) const;
    bool isOwnFocusMove(const QFocusEvent& focus, const QObject* control) const;

    QSize m_designSize;
    std::span<const FieldEntry> m_fields;
    int m_labels = 0;
    QHash<QWidget*, QRect> m_designRects;
    QHash<QObject*, QWidget*> m_enterTargets;
    QHash<QObject*, std::function<void()>> m_lostFocus;
    QHash<QObject*, std::function<void()>> m_gotFocus;
    int m_windowReady = 0;
    QVector<StoredValue> m_stored;
    Refill m_refill = Refill::Plain;
    QSet<QString> m_changedFields;
    bool m_opened = false;
    bool m_placed = false;
    bool m_opening = false;
    int m_loadsSeen = 0;
    std::int16_t m_ownDesignValid = 0;
    bool m_destroying = false;
    bool m_exiting = false;
};

// One instance per window class: created on first use, shown modeless,
// brought to the front and activated when it exists already.
template <class W> struct WindowSlot {
    static inline QPointer<W> instance;
};

template <class W> W* existingWindow() { return WindowSlot<W>::instance.data(); }

template <class W> W* openWindow()
{
    W* window = WindowSlot<W>::instance.data();
    if (!window) {
        window = new W;
        WindowSlot<W>::instance = window;
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
