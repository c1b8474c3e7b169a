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
//    only the fields whose design-state value another window (or a load)
//    changed since this window last showed or stored it, and designValid is
//    the window's own (see comeBack in the source);
//  - lost-focus and got-focus handlers that run only when the focus moves
//    between controls of the active window, not when a message box or
//    another window takes it (or another window's activation moves it);
//  - the isobaric "Y"/"N" field and the windowReady flag;
//  - F1 for the help topic of the window;
//  - the place where the user left the window, taken back when it opens;
//  - the window's declared fields (windowfields.h) and the one builder of
//    its layout: fields from the table, numbered captions (Label1, Label2,
//    ... in the order made) or named ones, buttons from a table;
//  - the rows' bindings: each field's design-state value filled on
//    activation (fillFields), stored on Graph, Print and Exit (storeFields),
//    watched for changes made elsewhere, and a result made read-only;
//  - one way to write a field's text (setFieldText, which runs the field's
//    change handler), to read its number, and to carry out a calculation's
//    outcome;
//  - what Save System and the questions before Exit and Load take from the
//    open windows (handOverOpenWindows);
//  - a tooltip with the metric value on every field whose declared unit is
//    imperial, kept up to date with the field.
// A window class derives from DesignWindow, publishes its field table as a
// static fieldTable(), builds its controls in its constructor and names its
// handlers after control and event.

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

// A caption with a name of its own rather than a number, where it stands.
struct CaptionEntry {
    const char* name;
    const char* text;
    TwipRect at;
    Qt::Alignment alignment = Qt::AlignCenter;
};

// The "Y"/"N" field moves the focus on after either letter, or after "Y" only.
enum class YesNoFocus { AfterYesOrNo, AfterYesOnly };

class DesignWindow : public QWidget {
    Q_OBJECT
public:
    // `clientTwips` is the designed client size; the window opens at that size.
    DesignWindow(const QString& name, const QString& caption, QSize clientTwips, QWidget* parent = nullptr);
    ~DesignWindow() override;

    int windowReady() const { return m_windowReady; }
    void setWindowReady(int ready) { m_windowReady = ready; }

    // The program window that was activated last (null before any, and
    // once it is gone).
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
    // The beep, the message boxes in order, then the focus.
    void carryOut(const design::Outcome& outcome);

    // The rows' design-state values. Filling writes the value into its field
    // as the row's display rule says, running the field's change handler;
    // on a return it writes only a value changed since this window last
    // showed or stored it. False when a number was missing (not above 0,
    // without a default). fillFields fills every row that shows a value, in
    // the table's order.
    bool fillField(const QString& name);
    bool fillFields();
    // Each field's value, read back from its text, into its variable: every
    // row stored at `moment`, or the named rows (the window's own rules).
    void storeFields(Moment moment);
    void storeFields(std::initializer_list<const char*> names);
    // A value the window computed for a row's variable (not read back from
    // the field): written, and counted as stored by this window.
    void storeComputed(const char* name, float value);

    // The layout builder. The window declares its table first; each part of
    // it is then built where it stands among the other controls.
    void declareFields(std::span<const FieldEntry> fields);
    void buildFields(std::span<const FieldEntry> part);
    // A caption named Label<n>, numbered in the order made.
    QLabel* addCaption(const QString& text, int left, int top, int width, int height = kRowHeight,
        Qt::Alignment alignment = Qt::AlignCenter);
    // A caption under its own name.
    QLabel* addCaption(const CaptionEntry& caption);
    QList<QPushButton*> addButtons(std::initializer_list<ButtonEntry> buttons);
    QList<QPushButton*> addButtonRow(std::initializer_list<ButtonEntry> buttons, const ButtonRow& row);
    // Control builders; every control gets its control name as objectName.
    // A field the table declares a result is read-only: the user never types into it.
    QLineEdit* addField(const QString& name, int left, int top, int width, int height);
    QPushButton* addButton(const QString& name, const QString& caption, int left, int top, int width, int height);
    // Places any other widget at twip coordinates and keeps it proportional.
    void place(QWidget* widget, int left, int top, int width, int height);

    // Form_Activate runs for the first time since the window opened, or for
    // the first time after a load: every field is filled afresh.
    bool fillsAfresh() const { return m_refill == Refill::All; }
    // Form_Activate runs on a return, and the row's value was changed by
    // another window (or a load) since this window last showed or stored it.
    bool takesOver(const QString& name) const;

    // Save System, and the questions before Exit and Load, take from the
    // open windows what they show, as the windows' own Exit would hand it
    // over but without closing them: the box window the user worked in last
    // (of those that hand over a box design) hands its valid design over;
    // every window that hands over values of its own does so, in the order
    // the user last worked in them. Nothing else changes.
    enum class OnSave { Nothing, OwnValues, BoxDesign };
    static void handOverOpenWindows();

signals:
    // The window's calculation showed new results.
    void calculated();

protected:
    // Enter in each named field moves the focus to the next name; the last leads to the first.
    void setFocusCycle(const QStringList& names);
    // Enter in `from` moves the focus to `to` (outside or instead of the cycle).
    void setEnterTarget(QLineEdit* from, QWidget* to);

    void onLostFocus(QWidget* control, std::function<void()> handler);
    void onGotFocus(QWidget* control, std::function<void()> handler);

    // The "Y"/"N" field: upper case, its row's factor 0.5 or 1.0, focus to
    // `next` (after either letter, or after "Y" only); a lost focus with any
    // other text beeps and complains.
    void setupYesNoField(const QString& name, const QString& next, YesNoFocus moves = YesNoFocus::AfterYesOrNo);
    // A design-state value the activation reads that no field shows: a
    // change of it made elsewhere makes the next return refill.
    template <class T> void watchesValue(const T& value)
    {
        m_watched.append(
            { [&value] { return QByteArray(reinterpret_cast<const char*>(&value), sizeof value); }, QByteArray() });
        m_watched.last().seen = m_watched.last().read();
    }

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
    // What the window hands over to Save System (see handOverOpenWindows),
    // and the hand-over itself, with the window's own designValid.
    virtual OnSave savedOnSave() const { return OnSave::Nothing; }
    virtual void Form_HandOver() { }

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Refill { Plain, All, Changed };
    struct WatchedValue {
        std::function<QByteArray()> read;
        QByteArray seen; // as the window's activation last read it
    };
    const FieldEntry& row(const QString& name) const;
    QByteArray stateOf(const FieldEntry& entry) const;
    void noteSeen(const FieldEntry& entry);
    void storeField(const FieldEntry& entry);
    void becomeCurrent();
    void comeBack();
    void leave();
    // Runs `handOver` with this window's own designValid in the design state.
    void withOwnDesignValid(const std::function<void()>& handOver);

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
    QVector<QByteArray> m_seen; // by row: each value as this window last showed or stored it
    QVector<WatchedValue> m_watched;
    Refill m_refill = Refill::Plain;
    QSet<int> m_changedRows;
    bool m_opened = false;
    bool m_placed = false;
    int m_loadsSeen = 0;
    std::int16_t m_ownDesignValid = 0;
    bool m_destroying = false;
    bool m_exiting = false;

    friend class HandOverTrial;
};

// The open windows' hand-over (DesignWindow::handOverOpenWindows) as a trial:
// the design state and what the windows noted as seen are put back when the
// trial ends, unless it is kept.
class HandOverTrial final {
public:
    HandOverTrial();
    ~HandOverTrial();
    HandOverTrial(const HandOverTrial&) = delete;
    HandOverTrial& operator=(const HandOverTrial&) = delete;
    void keep() { m_kept = true; }

private:
    DesignState m_before;
    QVector<QPair<QPointer<DesignWindow>, QVector<QByteArray>>> m_seen;
    bool m_kept = false;
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
