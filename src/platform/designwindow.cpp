#include "platform/designwindow.h"

#include "core/designstate.h"
#include "core/messages.h"
#include "platform/help.h"
#include "platform/windowplaces.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>

#include <algorithm>

namespace {
constexpr int kTwipsPerPixel = 15;
// The program windows in the order the user last worked in them, the
// current one last.
QVector<QPointer<DesignWindow>>& recentWindows()
{
    static QVector<QPointer<DesignWindow>> windows;
    windows.removeAll(nullptr);
    return windows;
}
// The window the user works in; none once it is closed, until another one
// becomes current.
QPointer<DesignWindow> g_current;
DesignWindow* currentWindow() { return g_current.data(); }
// The focus widget as of the last change Qt announced. Qt sends FocusOut and
// FocusIn before it announces a change, so inside them this is the control
// the focus comes from.
QPointer<QWidget> g_focusBefore;

void trackFocus()
{
    static bool tracking = false;
    if (tracking || !qApp)
        return;
    tracking = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) { g_focusBefore = now; });
    g_focusBefore = QApplication::focusWidget();
}

bool belongsTo(const QWidget* control, const QWidget* window) { return control && control->window() == window; }
} // namespace

// A window's lost-focus and got-focus rules are about moves between its own
// controls. Focus taken by a box, a menu or another window, and focus that
// another window's activation moves while Qt still counts this window's
// field as the focus widget, run nothing: both ends of the move must lie in
// this window, and this window must be the active one.
bool DesignWindow::isOwnFocusMove(const QFocusEvent& focus, const QObject* control) const
{
    if (focus.reason() == Qt::ActiveWindowFocusReason || focus.reason() == Qt::PopupFocusReason)
        return false;
    if (QApplication::activeWindow() != this)
        return false;
    const QWidget* other = focus.type() == QEvent::FocusOut ? QApplication::focusWidget() : g_focusBefore.data();
    return other != control && belongsTo(other, this);
}

QRect DesignWindow::twipsToPixels(int left, int top, int width, int height)
{
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel);
}

DesignWindow::DesignWindow(const QString& name, const QString& caption, QSize clientTwips, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_designSize(clientTwips.width() / kTwipsPerPixel, clientTwips.height() / kTwipsPerPixel)
{
    setObjectName(name);
    setWindowTitle(caption);
    m_loadsSeen = designLoadCount();
    setAttribute(Qt::WA_DeleteOnClose);
    resize(m_designSize);
    trackFocus();
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    // The topic of the window the user is in.
    connect(help, &QShortcut::activated, this, [this] { showHelp(objectName(), this); });
}

DesignWindow::~DesignWindow()
{
    // Children go first, while the handler tables still exist, and without
    // running any handler for the focus that their deletion moves.
    m_destroying = true;
    m_designRects.clear();
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QWidget* DesignWindow::lastActivatedWindow()
{
    const auto& windows = recentWindows();
    return windows.isEmpty() ? nullptr : windows.constLast().data();
}

void DesignWindow::registerDesign(QWidget* widget, const QRect& rect)
{
    m_designRects.insert(widget, rect);
    connect(widget, &QObject::destroyed, this, [this, widget] {
        if (!m_destroying)
            m_designRects.remove(widget);
    });
    widget->setGeometry(rect);
}

void DesignWindow::setFocusCycle(const QStringList& names)
{
    for (int i = 0; i < names.size(); ++i) {
        QLineEdit* from = field(names.at(i));
        QLineEdit* to = field(names.at((i + 1) % names.size()));
        Q_ASSERT(from && to);
        setEnterTarget(from, to);
    }
}

void DesignWindow::setEnterTarget(QLineEdit* from, QWidget* to) { m_enterTargets.insert(from, to); }

void DesignWindow::onLostFocus(QWidget* control, std::function<void()> handler)
{
    control->installEventFilter(this);
    m_lostFocus.insert(control, std::move(handler));
}

void DesignWindow::onGotFocus(QWidget* control, std::function<void()> handler)
{
    control->installEventFilter(this);
    m_gotFocus.insert(control, std::move(handler));
}

void DesignWindow::setupYesNoField(const QString& name, const QString& nextName, YesNoFocus moves)
{
    const FieldEntry& entry = row(name);
    QLineEdit* yesNo = field(name);
    QWidget* next = field(nextName);
    Q_ASSERT(entry.value.single && yesNo && next);
    connect(yesNo, &QLineEdit::textChanged, this, [this, &entry, yesNo, next, moves](const QString& text) {
        if (m_windowReady != 1)
            return;
        const QString upper = text.toUpper();
        if (upper != text)
            setFieldTextQuietly(yesNo, upper);
        if (upper == u"Y" || upper == u"N") {
            // The window's own change of the factor: not one to take over on a return.
            designState().*entry.value.single = upper == u"Y" ? 0.5f : 1.0f;
            noteSeen(entry);
            if (upper == u"Y" || moves == YesNoFocus::AfterYesOrNo)
                next->setFocus(Qt::OtherFocusReason);
        }
    });
    onLostFocus(yesNo, [yesNo] {
        const QString text = yesNo->text();
        if (text == u"Y" || text == u"N")
            return;
        showMessage(msg::error(QStringLiteral("Must enter 'Y' or 'N'"), true));
        yesNo->setFocus(Qt::OtherFocusReason);
    });
}

void DesignWindow::onChange(QLineEdit* field, std::function<void()> handler)
{
    // QLineEdit announces textChanged only for a text that differs from the
    // one shown, whether typed or set, which is exactly the rule.
    connect(field, &QLineEdit::textChanged, this, [handler = std::move(handler)] { handler(); });
}

void DesignWindow::setFieldText(const QString& name, const QString& text)
{
    QLineEdit* edit = field(name);
    Q_ASSERT_X(edit, "DesignWindow::setFieldText", qPrintable(name));
    edit->setText(text);
}

void DesignWindow::setFieldTextQuietly(QLineEdit* field, const QString& text)
{
    {
        const QSignalBlocker blocker(field);
        field->setText(text);
    }
    showMetricValue(field);
}

void DesignWindow::closeWindow()
{
    m_exiting = true;
    m_windowReady = 0;
    close();
}

// The user moves on to another window of the program: whether this window
// holds a valid design is its own, kept until the user comes back.
void DesignWindow::leave() { m_ownDesignValid = designState().designValid; }

// The user comes (back) to this window. Its first activation, and the first
// after a load, fill it from the design state as its activation says. Later
// the activation runs only when a value it reads was changed by another
// window since this window last showed or stored it, and then fills only the
// fields behind those values, before it recomputes as it always does; with
// nothing changed the window stays as the user left it. A value changed by
// another window at any time counts, also while this window was the current
// one (a window closed from its frame hands its design over then).
// designValid is this window's own throughout: none when it opens, otherwise
// what it held when the user left it, so that Graph, Print and Exit never act
// on a design another window left valid.
void DesignWindow::comeBack()
{
    DesignState& state = designState();
    const bool opening = !m_opened;
    const bool loaded = m_loadsSeen != designLoadCount();
    m_opened = true;
    m_loadsSeen = designLoadCount();
    state.designValid = opening ? std::int16_t(0) : m_ownDesignValid;

    m_changedRows.clear();
    for (int i = 0; i < int(m_fields.size()); ++i)
        if (m_fields[i].value.fills && stateOf(m_fields[i]) != m_seen[i])
            m_changedRows.insert(i);
    const bool watchedChanged
        = std::any_of(m_watched.cbegin(), m_watched.cend(), [](const WatchedValue& v) { return v.read() != v.seen; });
    if (opening || loaded || !m_changedRows.isEmpty() || watchedChanged) {
        m_refill = opening || loaded ? Refill::All : Refill::Changed;
        Form_Activate();
        m_refill = Refill::Plain;
        // What the activation read counts as seen, whether it showed it or not.
        for (int i = 0; i < int(m_fields.size()); ++i)
            if (m_fields[i].value.fills)
                m_seen[i] = stateOf(m_fields[i]);
        for (WatchedValue& value : m_watched)
            value.seen = value.read();
    } else {
        Form_Return();
    }
}

void DesignWindow::becomeCurrent()
{
    DesignWindow* previous = currentWindow();
    if (previous == this)
        return;
    if (previous)
        previous->leave();
    g_current = this;
    auto& windows = recentWindows();
    windows.removeAll(this);
    windows.append(this);
    comeBack();
}

void DesignWindow::withOwnDesignValid(const std::function<void()>& handOver)
{
    std::int16_t& designValid = designState().designValid;
    if (currentWindow() == this) {
        handOver();
        return;
    }
    const std::int16_t others = designValid;
    designValid = m_ownDesignValid;
    handOver();
    designValid = others;
}

void DesignWindow::handOverOpenWindows()
{
    const QVector<QPointer<DesignWindow>> windows = recentWindows();
    const auto open = [](const DesignWindow* w) { return w && w->isVisible() && !w->m_exiting; };
    const DesignWindow* box = nullptr;
    for (const DesignWindow* w : windows)
        if (open(w) && w->savedOnSave() == OnSave::BoxDesign)
            box = w;
    for (DesignWindow* w : windows) {
        if (!open(w))
            continue;
        const OnSave share = w->savedOnSave();
        if (share == OnSave::OwnValues || (share == OnSave::BoxDesign && w == box))
            w->withOwnDesignValid([w] { w->Form_HandOver(); });
    }
}

HandOverTrial::HandOverTrial()
    : m_before(designState())
{
    for (const QPointer<DesignWindow>& w : recentWindows())
        if (w)
            m_seen.append({ w, w->m_seen });
    DesignWindow::handOverOpenWindows();
}

HandOverTrial::~HandOverTrial()
{
    if (m_kept)
        return;
    designState() = m_before;
    for (const auto& [window, seen] : m_seen)
        if (window)
            window->m_seen = seen;
}

bool DesignWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        becomeCurrent();
    return QWidget::event(event);
}

bool DesignWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (m_destroying)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A click reaches a window before the window system may report it
        // active: the window the user works in is the one clicked.
        becomeCurrent();
        break;
    case QEvent::KeyPress: {
        becomeCurrent();
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (QWidget* next = m_enterTargets.value(watched)) {
                next->setFocus(Qt::TabFocusReason);
                return true;
            }
            // Enter in a field without a successor is swallowed quietly too.
            if (qobject_cast<QLineEdit*>(watched))
                return true;
        }
        break;
    }
    case QEvent::FocusOut: {
        if (isOwnFocusMove(*static_cast<QFocusEvent*>(event), watched)) {
            const auto it = m_lostFocus.constFind(watched);
            if (it != m_lostFocus.constEnd()) {
                const auto handler = it.value(); // the handler may change the table
                handler();
            }
        }
        break;
    }
    case QEvent::FocusIn: {
        if (isOwnFocusMove(*static_cast<QFocusEvent*>(event), watched)) {
            const auto it = m_gotFocus.constFind(watched);
            if (it != m_gotFocus.constEnd()) {
                const auto handler = it.value();
                handler();
            }
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void DesignWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_designSize.isEmpty())
        return;
    const double sx = double(width()) / m_designSize.width();
    const double sy = double(height()) / m_designSize.height();
    for (auto it = m_designRects.cbegin(); it != m_designRects.cend(); ++it) {
        const QRect& r = it.value();
        it.key()->setGeometry(qRound(r.x() * sx), qRound(r.y() * sy), qRound(r.width() * sx), qRound(r.height() * sy));
    }
}

void DesignWindow::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        restoreWindowPlace(this);
    }
    QWidget::showEvent(event);
}

void DesignWindow::closeEvent(QCloseEvent* event)
{
    saveWindowPlace(this);
    if (!m_exiting) {
        // Closed through the frame (or by the main window's Exit). An Exit
        // handler that calls closeWindow() from here is harmless: Qt ignores
        // a close of a window that is closing already.
        // A window closed while another is the current one hands over its
        // own design, and leaves the current window's flag as it was.
        m_exiting = true;
        withOwnDesignValid([this] { Form_Unload(); });
    }
    m_windowReady = 0;
    QWidget::closeEvent(event);
}
