// A careless user, at random but replayable: opens windows from the main
// window and from every window opened, types odd texts into any enabled
// field, presses Enter, jumps between fields and windows, clicks any button,
// loads system files of random bytes and random numbers. After every step no
// field shows a NaN, an infinity or the formatter's overflow words unless they
// were typed, the design state holds only numbers, no step is slow and none
// shows more than a handful of message boxes. Windows are found by walking
// the buttons, so every new window comes into reach by itself.
//
// The seed is printed; TOLVAN_MONKEY_SEED=<n> replays a run,
// TOLVAN_MONKEY_STEPS=<n> changes its length, TOLVAN_MONKEY_VERBOSE=1 lists
// every step.
#include "core/designstate.h"
#include "core/systemrecord.h"
#include "platform/designwindow.h"
#include "print/printerselection.h"
#include "support/windowtest.h"
#include "ui/FrmTlv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <string>
#include <thread>

namespace {

// The offscreen platform cannot raise windows and says so at every opening.
QtMessageHandler g_previousHandler = nullptr;
void quietAboutRaise(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!text.contains(QStringLiteral("does not support raise()")))
        g_previousHandler(type, context, text);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 kSlowStepMs = 20000;
#else
constexpr qint64 kSlowStepMs = 4000;
#endif
constexpr int kMaxBoxesPerStep = 6;
constexpr int kSystemFiles = 36;

// What careless users type.
const QStringList kTexts = { "0.35", ".4", "0.707", "1.42", "35", "40", "61.03", "8", "6.5", "20", "100", "2000",
    "3000", "0", "-1", "-0.5", "-35", "1e999", "1e-45", "-1e38", "3.4E38", "1e-30", "1e30", "&HFFFFFFFFFF", "&HFFFF",
    "&O777", "Y", "N", "y", "n", "x", "YES", "abc", "Qts", "nan", "inf", "-Infinity", "", " ", "12,5", "4 .5", "1D3",
    "\t", QString(QChar(1)) + QChar(0x7f), "\r\n", QString(300, QLatin1Char('9')), QString(40, QLatin1Char('9')) + ".5",
    "." + QString(200, QLatin1Char('0')) + "1", "0.0000001", "65535", "32768", "-32769", "1.5.5", "--3", "+7" };

// The words a broken number leaves in a field.
const QRegularExpression kBrokenNumber(QStringLiteral("(^|[^a-z])(nan|inf|infinity|overflow|undefined)([^a-z]|$)"),
    QRegularExpression::CaseInsensitiveOption);

QSet<QString> brokenWords(const QString& text)
{
    QSet<QString> words;
    for (auto it = kBrokenNumber.globalMatch(text); it.hasNext();)
        words << it.next().captured(2).toLower();
    return words;
}

bool isExitButton(const QPushButton* b)
{
    static const QRegularExpression exit(
        QStringLiteral("^\\W*(exit|cancel|close|quit)\\b"), QRegularExpression::CaseInsensitiveOption);
    return b->objectName().contains(QStringLiteral("exit"), Qt::CaseInsensitive) || b->text().contains(exit);
}
bool isPrintButton(const QPushButton* b) { return b->text().contains(QStringLiteral("Print"), Qt::CaseInsensitive); }

// A step that never ends cannot fail by itself: a watchdog thread names it
// and ends the run.
class Watchdog {
public:
    Watchdog()
        : m_thread([this] {
            std::unique_lock lock(m_mutex);
            while (!m_done) {
                const bool stepEnded = m_wake.wait_for(
                    lock, std::chrono::seconds(kHangSeconds), [&] { return m_done || m_generation != m_watched; });
                if (!stepEnded) {
                    std::fprintf(stderr, "monkey: a step hangs (%d s), %s\n", kHangSeconds, m_context.c_str());
                    std::abort();
                }
                m_watched = m_generation;
            }
        })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    void stepStarts(const QString& context)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_context = context.toStdString();
            ++m_generation;
        }
        m_wake.notify_one();
    }

private:
    static constexpr int kHangSeconds = 120;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::string m_context;
    unsigned m_generation = 0, m_watched = 0;
    bool m_done = false;
    std::thread m_thread;
};

// Every box, file dialog and printer selection, answered at random.
class RandomAnswers final : public MessageService, public FileChooser, public PrinterSelection {
public:
    RandomAnswers(QRandomGenerator& rng, const QString& folder)
        : m_rng(rng)
        , m_folder(folder)
    {
        m_previousMessages = installMessageService(this);
        m_previousChooser = installFileChooser(this);
        m_previousSelection = installPrinterSelection(this);
    }
    ~RandomAnswers() override
    {
        installMessageService(m_previousMessages);
        installFileChooser(m_previousChooser);
        installPrinterSelection(m_previousSelection);
    }

    MsgAnswer show(const Message& message) override
    {
        prompts << message.shownTitle() + ": " + message.prompt;
        if (message.buttons == MsgButtons::Ok)
            return MsgAnswer::Ok;
        if (message.buttons == MsgButtons::SaveDiscardCancel)
            return exitAnswer;
        // Retry at most twice in a step, so that a failing file cannot loop.
        if (m_retries < 2 && m_rng.bounded(3) == 0) {
            ++m_retries;
            return MsgAnswer::Retry;
        }
        return MsgAnswer::Cancel;
    }
    void beep() override { }
    MsgAnswer exitAnswer = MsgAnswer::Cancel; // to "save before you exit?"

    std::optional<QString> choose(const FileDialogRequest& request) override
    {
        if (!nextFile.isEmpty())
            return std::exchange(nextFile, QString());
        const int roll = m_rng.bounded(20);
        if (roll < 5)
            return std::nullopt;
        if (roll < 11)
            return m_folder + QStringLiteral("/design.TLV");
        if (roll < 13 && !request.forSave) // one of the random system files, if written already
            return m_folder + QStringLiteral("/random%1.TLV").arg(m_rng.bounded(kSystemFiles));
        if (roll < 16)
            return m_folder + QStringLiteral("/design") + QString::number(m_rng.bounded(3))
                + (request.forSave ? "" : ".TLV");
        if (roll < 17)
            return request.forSave ? m_folder + u'/' : m_folder; // a folder (saved as ".TLV" in it)
        if (roll < 18)
            return m_folder + QStringLiteral("/missing/design.TLV");
        if (roll < 19)
            return QStringLiteral("/proc/version");
        return QString();
    }

    std::optional<PrintTarget> select(QWidget*) override
    {
        if (m_rng.bounded(2) == 0)
            return std::nullopt;
        return PrintTarget::pdfFile(m_folder + QStringLiteral("/page.pdf"));
    }

    void newStep()
    {
        prompts.clear();
        m_retries = 0;
    }

    QStringList prompts;
    QString nextFile; // the file the next dialog answers

private:
    QRandomGenerator& m_rng;
    QString m_folder;
    int m_retries = 0;
    MessageService* m_previousMessages = nullptr;
    FileChooser* m_previousChooser = nullptr;
    PrinterSelection* m_previousSelection = nullptr;
};

} // namespace

class TestMonkey : public WindowTest {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void randomSystemFiles();
    void randomUse();

private:
    QList<DesignWindow*> windows() const;
    QList<QPushButton*> buttonsOf(QWidget* window) const;
    QList<QLineEdit*> fieldsOf(QWidget* window) const;
    void activate(QWidget* window);
    void click(QPushButton* button);
    void typeInto(QLineEdit* field, const QString& text, bool enter);
    QString randomText();
    static QString visible(const QString& text);
    void fillPlausibly(DesignWindow* window);
    void randomStep();
    void openEveryWindow();
    QByteArray randomRecord(bool finiteNumbers);
    void settle();
    // Runs one step and checks what it left behind.
    void step(const QString& what, const std::function<void()>& action);

    quint32 m_seed = 0;
    int m_steps = 2000;
    bool m_verbose = false;
    int m_performed = 0;
    QRandomGenerator m_rng;
    QTemporaryDir m_folder;
    RandomAnswers* m_answers = nullptr;
    QPointer<FrmTlv> m_main;
    QSet<QString> m_typed; // whole texts typed (and what the fields made of them)
    QHash<QString, QSet<QString>> m_typedWords; // "window.field": the broken-number words typed into it
    void rememberTyped(const QLineEdit* field);
    bool wasTyped(const QWidget* where, const QString& text) const;
    QStringList m_trail; // the last steps, for the failure message
    Watchdog m_watchdog;
};

void TestMonkey::initTestCase()
{
    g_previousHandler = qInstallMessageHandler(quietAboutRaise);
    bool ok = false;
    m_seed = qEnvironmentVariableIntValue("TOLVAN_MONKEY_SEED", &ok);
    if (!ok)
        m_seed = 20261207;
    const int steps = qEnvironmentVariableIntValue("TOLVAN_MONKEY_STEPS", &ok);
    if (ok)
        m_steps = steps;
    m_verbose = qEnvironmentVariableIsSet("TOLVAN_MONKEY_VERBOSE");
    qInfo("monkey seed %u, %d steps (TOLVAN_MONKEY_SEED=<n> replays, TOLVAN_MONKEY_STEPS=<n> sets the length)", m_seed,
        m_steps);
    QVERIFY(m_folder.isValid());
}

void TestMonkey::init()
{
    WindowTest::init();
    m_rng.seed(m_seed);
    m_answers = new RandomAnswers(m_rng, m_folder.path());
    m_main = new FrmTlv;
    m_main->show();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    m_typed.clear();
    m_typedWords.clear();
    m_trail.clear();
}

void TestMonkey::cleanup()
{
    delete m_answers; // before the fixture's recorders it stands in front of
    WindowTest::cleanup();
}

QList<DesignWindow*> TestMonkey::windows() const
{
    QList<DesignWindow*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<DesignWindow*>(w); window && window->isVisible())
            out << window;
    // In a fixed order, so that a seed replays the same run.
    std::sort(
        out.begin(), out.end(), [](const QWidget* a, const QWidget* b) { return a->objectName() < b->objectName(); });
    return out;
}

QList<QPushButton*> TestMonkey::buttonsOf(QWidget* window) const
{
    QList<QPushButton*> out;
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->isVisible() && b->isEnabled())
            out << b;
    return out;
}

QList<QLineEdit*> TestMonkey::fieldsOf(QWidget* window) const
{
    QList<QLineEdit*> out;
    for (QLineEdit* f : window->findChildren<QLineEdit*>())
        if (f->isVisible() && f->isEnabled() && !f->isReadOnly())
            out << f;
    return out;
}

void TestMonkey::settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void TestMonkey::activate(QWidget* window)
{
    window->activateWindow();
    settle();
}

void TestMonkey::click(QPushButton* button)
{
    QPointer<QPushButton> alive(button);
    activate(button->window());
    if (alive && (alive->width() < 4 || alive->height() < 4)) { // the user drags the window bigger first
        alive->window()->resize(640, 480);
        settle();
    }
    if (alive && alive->isVisible() && alive->isEnabled())
        QTest::mouseClick(alive, Qt::LeftButton);
    settle();
}

void TestMonkey::typeInto(QLineEdit* field, const QString& text, bool enter)
{
    QPointer<QLineEdit> alive(field);
    activate(field->window());
    if (!alive)
        return;
    alive->setFocus(Qt::MouseFocusReason);
    settle();
    if (!alive || !alive->isEnabled())
        return;
    m_typed << text.trimmed().toLower();
    if (m_rng.bounded(4) != 0) // or else added to what the field holds
        alive->selectAll();
    if (text.size() > 40) {
        alive->insert(text); // pasted
    } else {
        for (const QChar c : text) {
            if (!alive)
                return;
            // Keys go where the focus is, as from a keyboard: a box that moved
            // the focus to another field gets the rest of the typing there.
            QWidget* focus = QApplication::focusWidget();
            QWidget* target = focus && focus->window() == alive->window() ? focus : alive.data();
            if (c == u'\r' || c == u'\n')
                QTest::keyClick(target, Qt::Key_Return);
            else if (c == u'\t')
                QTest::keyClick(target, Qt::Key_Tab);
            else // control characters too, as a keyboard sends them
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    if (!alive)
        return;
    m_typedWords[alive->window()->objectName() + u'.' + alive->objectName()] += brokenWords(text);
    rememberTyped(alive);
    if (const auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget())) { // where the typing went
        m_typedWords[focused->window()->objectName() + u'.' + focused->objectName()] += brokenWords(text);
        rememberTyped(focused);
    }
    if (enter)
        QTest::keyClick(alive, Qt::Key_Return);
    settle();
}

QString TestMonkey::randomText()
{
    switch (m_rng.bounded(6)) {
    case 0:
        return QString::number(m_rng.bounded(2000.0) - 100.0, 'g', 1 + m_rng.bounded(8));
    case 1:
        return QStringLiteral("%1e%2").arg(m_rng.bounded(10)).arg(int(m_rng.bounded(90)) - 45);
    default:
        return kTexts.at(m_rng.bounded(kTexts.size()));
    }
}

void TestMonkey::fillPlausibly(DesignWindow* window)
{
    static const QStringList plausible
        = { "0.35", "0.4", "0.3", "35", "40", "30", "1.42", "8", "6.5", "2", "0.707", "100", "3000", "20" };
    const QPointer<DesignWindow> alive(window);
    for (QLineEdit* f : fieldsOf(window)) {
        // Each field is one action of its own: its boxes count for it alone.
        if (m_answers->prompts.size() > kMaxBoxesPerStep)
            return;
        m_answers->prompts.clear();
        const bool yesNo = f->objectName().startsWith(QStringLiteral("szISO")); // the isobaric Y/N fields
        if (alive && f->isEnabled())
            typeInto(f, yesNo ? QStringLiteral("N") : plausible.at(m_rng.bounded(plausible.size())), false);
    }
    if (!alive)
        return;
    for (QPushButton* b : buttonsOf(window))
        if (b->text().contains(QStringLiteral("Calc"), Qt::CaseInsensitive)) {
            click(b);
            return;
        }
}

QString TestMonkey::visible(const QString& text)
{
    QString out;
    for (const QChar c : text.left(40))
        out += c.isPrint() ? QString(c) : QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    if (text.size() > 40)
        out += QStringLiteral("...(%1 characters)").arg(text.size());
    return out;
}

void TestMonkey::rememberTyped(const QLineEdit* field) { m_typed << field->text().trimmed().toLower(); }

// A text typed as it stands (also when a window copied it elsewhere), or words
// typed into this very field among other keys.
bool TestMonkey::wasTyped(const QWidget* where, const QString& text) const
{
    if (m_typed.contains(text.trimmed().toLower()))
        return true;
    const QSet<QString> typed = m_typedWords.value(where->window()->objectName() + u'.' + where->objectName());
    const QSet<QString> shown = brokenWords(text);
    return std::all_of(shown.begin(), shown.end(), [&](const QString& word) { return typed.contains(word); });
}

void TestMonkey::step(const QString& what, const std::function<void()>& action)
{
    ++m_performed;
    m_trail << what;
    if (m_verbose)
        qInfo("%s", qPrintable(what));
    if (m_trail.size() > 12)
        m_trail.removeFirst();
    const QString context
        = QStringLiteral("seed %1, last steps:\n  %2\n").arg(m_seed).arg(m_trail.join(QStringLiteral("\n  ")));

    m_answers->newStep();
    m_watchdog.stepStarts(context);
    QElapsedTimer timer;
    timer.start();
    action();
    const qint64 took = timer.elapsed();
    if (m_verbose && !m_answers->prompts.isEmpty())
        qInfo("  boxes: %s", qPrintable(m_answers->prompts.join(QStringLiteral(" | "))));

    QVERIFY2(took <= kSlowStepMs, qPrintable(context + QStringLiteral("step took %1 ms").arg(took)));
    QVERIFY2(m_answers->prompts.size() <= kMaxBoxesPerStep,
        qPrintable(context + QStringLiteral("boxes: ") + m_answers->prompts.join(QStringLiteral(" | "))));
    for (DesignWindow* window : windows())
        for (const QWidget* w : window->findChildren<QWidget*>()) {
            const auto* f = qobject_cast<const QLineEdit*>(w);
            const auto* label = qobject_cast<const QLabel*>(w);
            const QString text = f ? f->text() : label ? label->text() : QString();
            if (text.contains(kBrokenNumber) && !wasTyped(w, text))
                QFAIL(qPrintable(
                    context + QStringLiteral("%1.%2 shows \"%3\"").arg(window->objectName(), w->objectName(), text)));
        }
    const DesignState& s = designState();
    QVERIFY2(
        systemRecordIsFinite(encodeSystemRecord(s)), qPrintable(context + "a NaN or infinity in the design state"));
    for (const double value : { double(s.bandS), s.bandPa, double(s.coilTurns), double(s.zPrime) })
        QVERIFY2(std::isfinite(value), qPrintable(context + "a NaN or infinity in bandS, bandPa, coilTurns or zPrime"));
}

void TestMonkey::randomStep()
{
    const QList<DesignWindow*> open = windows();
    if (open.isEmpty())
        return;
    DesignWindow* window = open.at(m_rng.bounded(open.size()));
    const int roll = m_rng.bounded(100);
    if (roll < 15) { // open a window from the main window
        QList<QPushButton*> buttons;
        for (QPushButton* b : buttonsOf(m_main))
            if (!isExitButton(b))
                buttons << b;
        QPushButton* b = buttons.at(m_rng.bounded(buttons.size()));
        step(QStringLiteral("FrmTlv: click %1 \"%2\"").arg(b->objectName(), b->text()), [&] { click(b); });
    } else if (roll < 22) { // a careful user for once: plausible numbers everywhere, then Calculate
        step(QStringLiteral("%1: plausible numbers, Calculate").arg(window->objectName()),
            [&] { fillPlausibly(window); });
    } else if (roll < 60) { // type into a field
        const QList<QLineEdit*> fields = fieldsOf(window);
        if (fields.isEmpty())
            return;
        QLineEdit* f = fields.at(m_rng.bounded(fields.size()));
        const QString text = randomText();
        const bool enter = m_rng.bounded(10) < 7;
        step(QStringLiteral("%1: type \"%2\" into %3%4")
                 .arg(window->objectName(), visible(text), f->objectName(), enter ? ", Enter" : ""),
            [&] { typeInto(f, text, enter); });
    } else if (roll < 70) { // move the focus inside the window
        const QList<QLineEdit*> fields = fieldsOf(window);
        if (fields.isEmpty())
            return;
        QLineEdit* f = fields.at(m_rng.bounded(fields.size()));
        // and a key that is not a character, now and then
        static const Qt::Key keys[] = { Qt::Key_unknown, Qt::Key_unknown, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Escape,
            Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Up, Qt::Key_F1, Qt::Key_Space, Qt::Key_Enter };
        const Qt::Key key = keys[m_rng.bounded(int(std::size(keys)))];
        step(QStringLiteral("%1: focus to %2, key %3").arg(window->objectName(), f->objectName()).arg(int(key), 0, 16),
            [&] {
                const QPointer<QLineEdit> alive(f);
                activate(window);
                if (alive)
                    alive->setFocus(Qt::MouseFocusReason);
                settle();
                if (QWidget* focus = QApplication::focusWidget(); focus && key != Qt::Key_unknown)
                    QTest::keyClick(focus, key);
                settle();
            });
    } else if (roll < 78) { // another window
        step(QStringLiteral("activate %1").arg(window->objectName()), [&] { activate(window); });
    } else if (roll < 95) { // any button of a window
        QList<QPushButton*> buttons;
        for (QPushButton* b : buttonsOf(window))
            if (window != m_main || !isExitButton(b)) // the main window's Exit ends the run
                buttons << b;
        if (buttons.isEmpty())
            return;
        QPushButton* b = buttons.at(m_rng.bounded(buttons.size()));
        step(QStringLiteral("%1: click %2 \"%3\"").arg(window->objectName(), b->objectName(), b->text()),
            [&] { click(b); });
    } else if (roll < 98) { // dragged to an odd size, and drawn there
        static const QSize sizes[] = { { 1, 1 }, { 40, 25 }, { 3000, 60 }, { 60, 2000 }, { 2500, 1800 }, { 640, 480 } };
        const QSize size = sizes[m_rng.bounded(int(std::size(sizes)))];
        step(
            QStringLiteral("%1: resized to %2x%3").arg(window->objectName()).arg(size.width()).arg(size.height()), [&] {
                window->resize(size);
                settle();
                (void)window->grab();
            });
    } else if (window != m_main) { // closed through its frame
        step(QStringLiteral("%1: close through the frame").arg(window->objectName()), [&] {
            window->close();
            settle();
        });
    }
}

// Clicks every button of every window reachable from the main window (each
// window once), except Exit, Print and the main window's file and help buttons.
void TestMonkey::openEveryWindow()
{
    static const QStringList skipMain = { "BtnLoad", "Command9", "Command6" };
    QSet<QString> visited;
    QList<QPointer<DesignWindow>> queue { m_main.data() };
    while (!queue.isEmpty()) {
        QPointer<DesignWindow> window = queue.takeFirst();
        if (!window || visited.contains(window->objectName()))
            continue;
        visited << window->objectName();
        for (QPushButton* b : buttonsOf(window)) {
            if (isExitButton(b) || isPrintButton(b) || (window == m_main && skipMain.contains(b->objectName())))
                continue;
            const QPointer<QPushButton> alive(b);
            step(QStringLiteral("%1: click %2 \"%3\"").arg(window->objectName(), b->objectName(), b->text()), [&] {
                if (alive)
                    click(alive);
            });
            if (QTest::currentTestFailed() || !window)
                return;
            for (DesignWindow* w : windows())
                if (!visited.contains(w->objectName()))
                    queue << w;
        }
    }
}

// A system record of random bytes, or of random but finite numbers of every
// size at the places where the record holds numbers.
QByteArray TestMonkey::randomRecord(bool finiteNumbers)
{
    QByteArray bytes(kSystemRecordSize, 0);
    for (char& c : bytes)
        c = char(m_rng.bounded(256));
    if (!finiteNumbers)
        return bytes.left(m_rng.bounded(8) == 0 ? m_rng.bounded(kSystemRecordSize) : kSystemRecordSize);
    struct Field {
        int offset, width; // width 0: a name
    };
    static const Field others[] = { { 68, 2 }, { 90, 0 }, { 148, 2 }, { 150, 2 }, { 156, 8 }, { 176, 0 }, { 254, 2 },
        { 264, 2 }, { 286, 0 }, { 324, 0 } };
    static const double sizes[] = { 0, 1, -1, 0.35, 40, 1e-30, 1e30, -1e-38, std::numeric_limits<float>::max(),
        std::numeric_limits<float>::denorm_min(), 1e-45, 65536, 0.5 };
    auto randomNumber = [&] {
        const double size = sizes[m_rng.bounded(int(std::size(sizes)))];
        return m_rng.bounded(3) == 0 ? size : size * m_rng.generateDouble();
    };
    int at = 0;
    while (at < kSystemRecordSize) {
        const Field* other = nullptr;
        for (const Field& f : others)
            if (f.offset == at)
                other = &f;
        if (!other) {
            const float value = float(randomNumber());
            std::memcpy(bytes.data() + at, &value, 4);
            at += 4;
        } else if (other->width == 8) {
            const double value = randomNumber();
            std::memcpy(bytes.data() + at, &value, 8);
            at += 8;
        } else if (other->width == 2) {
            static const qint16 integers[] = { 0, 1, 2, 3, 4, 7, -1, 32767, -32768 };
            std::memcpy(bytes.data() + at, &integers[m_rng.bounded(int(std::size(integers)))], 2);
            at += 2;
        } else {
            for (int i = 0; i < 30; ++i)
                bytes[at + i] = "0123456789 XYZ-"[m_rng.bounded(15)];
            at += 30;
        }
    }
    return bytes;
}

void TestMonkey::randomSystemFiles()
{
    for (int i = 0; i < kSystemFiles; ++i) {
        const QString path = m_folder.filePath(QStringLiteral("random%1.TLV").arg(i));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(randomRecord(i % 2 == 1));
        file.close();
        m_answers->nextFile = path;
        step(QStringLiteral("Load System %1").arg(path), [&] { click(m_main->findChild<QPushButton*>("BtnLoad")); });
        openEveryWindow();
        if (QTest::currentTestFailed())
            return;
        if (i % 4 < 2) // the next file then finds these windows open
            continue;
        for (DesignWindow* w : windows())
            if (w != m_main)
                w->close();
        settle();
    }
}

void TestMonkey::randomUse()
{
    QElapsedTimer timer;
    timer.start();
    m_performed = 0;
    while (m_performed < m_steps && !QTest::currentTestFailed()) {
        if (!m_main) // nothing should close the main window but its Exit
            QFAIL("the main window is gone");
        randomStep();
    }
    if (QTest::currentTestFailed())
        return;
    // The main window's Exit closes every window, once the design is let go.
    m_answers->exitAnswer = MsgAnswer::Discard;
    step(QStringLiteral("FrmTlv: Exit"), [&] { click(m_main->findChild<QPushButton*>("BtnExit")); });
    QStringList left;
    for (const DesignWindow* w : windows())
        left << w->objectName();
    QVERIFY2(left.isEmpty(),
        qPrintable(QStringLiteral("seed %1: the main window's Exit leaves %2 open, last steps:\n  %3")
                       .arg(m_seed)
                       .arg(left.join(u' '), m_trail.join(QStringLiteral("\n  ")))));
    qInfo("%d random steps in %lld ms", m_steps, timer.elapsed());
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
