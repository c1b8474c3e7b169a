#include "cli/windowrun.h"

#include "cli/drivercommands.h"
#include "cli/messagelog.h"
#include "core/designstate.h"
#include "core/driverrecord.h"
#include "core/numberparse.h"
#include "platform/designwindow.h"
#include "ui/driverlibraryui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QWidget>

#include <algorithm>

namespace {

// The window's activation runs when it becomes the active window.
void waitUntilActive(QWidget* window)
{
    QElapsedTimer timer;
    timer.start();
    while (QApplication::activeWindow() != window && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
}

// Typing into a field: the focus enters it (its got-focus rule runs), the
// text changes (its change rule runs).
void type(QWidget* window, const char* name, const QString& text)
{
    auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(name));
    if (!field)
        return;
    field->setFocus(Qt::TabFocusReason);
    field->setText(text);
}

// The focus moves on to the button, so the field left runs its lost-focus rule.
// Without a button, to the window's first button.
void leaveField(QWidget* window, const char* button)
{
    auto* target
        = button ? window->findChild<QPushButton*>(QString::fromLatin1(button)) : window->findChild<QPushButton*>();
    if (target)
        target->setFocus(Qt::MouseFocusReason);
}

void press(QWidget* window, const char* name)
{
    auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name));
    if (!button)
        return;
    leaveField(window, name);
    button->click();
}

} // namespace

QVector<OptionEntry> optionEntries(const WindowCommand& command)
{
    QVector<OptionEntry> entries;
    if (command.takesDriver)
        entries.append({ QString::fromLatin1(kDriverOption), true });
    for (const FieldEntry* input : optionFields(command))
        entries.append({ QString::fromLatin1(input->key), true });
    for (const FlagOption& flag : command.flags)
        entries.append({ QString::fromLatin1(flag.option), false });
    if (command.choice.option)
        entries.append({ QString::fromLatin1(command.choice.option), true });
    return entries;
}

// The window's own number reader must read the whole text, a unit of the
// field's quantity after the number included ("56.6 L").
QString valueProblem(Accepts accepts, const QString& value, const Unit& unit)
{
    if (accepts == Accepts::Text)
        return {};
    const UnitReading reading = readInUnit(value, unit);
    if (reading.typed == UnitReading::Typed::WrongKind)
        return wrongUnitProblem(reading, unit);
    if (!reading.digits || !reading.complete)
        return QStringLiteral("must be a number, not \"%1\"").arg(visibleText(value));
    // The window reads a number beyond the range of a Single as 0.
    if (reading.beyondRange)
        return QStringLiteral("%1 is out of range (beyond 3.4E+38)").arg(value.trimmed());
    // 0 stands for a value not given, which the window answers itself.
    if (accepts == Accepts::Positive && reading.value < 0)
        return QStringLiteral("%1 is negative: the window takes only numbers above 0").arg(value.trimmed());
    return {};
}

QString listed(const QStringList& items, const char* last)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + u' ' + QString::fromLatin1(last) + u' '
        + items.last();
}

QString optionList(const QStringList& options)
{
    QStringList named;
    for (const QString& option : options)
        named << QStringLiteral("--") + option;
    return listed(named);
}

namespace {

// The driver's value that the input of `option` holds; null for none.
const DriverValue* driverValueOf(const WindowCommand& command, const QString& option)
{
    for (const FieldEntry& entry : command.fields())
        if (entry.key && option == QLatin1String(entry.key))
            return entry.driverPart ? driverValue(QString::fromLatin1(entry.driverPart)) : nullptr;
    return nullptr;
}

// "the driver "X" has neither": which of the missing values the picked driver lacks.
QString driverLacks(const WindowCommand& command, const DriverRecord& driver, const QStringList& options)
{
    QStringList lacked;
    for (const QString& option : options)
        if (const DriverValue* value = driverValueOf(command, option); value && !(driver.*value->member))
            lacked << QString::fromLatin1(value->label);
    if (lacked.isEmpty())
        return {};
    const QString name = visibleText(driver.name);
    if (lacked.size() == options.size() && lacked.size() == 2)
        return QStringLiteral("; the driver \"%1\" has neither").arg(name);
    if (lacked.size() == options.size() && lacked.size() > 2)
        return QStringLiteral("; the driver \"%1\" has none of them").arg(name);
    return QStringLiteral("; the driver \"%1\" has no %2").arg(name, lacked.join(QStringLiteral(" and no ")));
}

// Why results the window leaves empty are not printed: the inputs their
// design needs that were neither given nor taken from the driver. Empty
// when every result that needs something was made.
QString missingInputs(
    const WindowCommand& command, const QWidget* window, bool designed, const std::optional<DriverRecord>& driver)
{
    const auto text = [window](const char* name) {
        const auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(name));
        return field ? field->text() : QString();
    };
    QStringList all;
    QStringList lines;
    for (const ResultNeeds& need : command.needs) {
        if (!text(need.result).trimmed().isEmpty())
            continue;
        QStringList missing;
        for (const char* option : need.options) {
            const auto input = std::find_if(command.fields().begin(), command.fields().end(),
                [option](const FieldEntry& entry) { return entry.key && qstrcmp(entry.key, option) == 0; });
            if (input != command.fields().end() && parseNumber(text(input->name)) == 0)
                missing << QString::fromLatin1(option);
        }
        if (missing.isEmpty())
            continue;
        for (const QString& option : missing)
            if (!all.contains(option))
                all << option;
        const auto result = std::find_if(command.fields().begin(), command.fields().end(),
            [&need](const FieldEntry& entry) { return qstrcmp(entry.name, need.result) == 0; });
        QString what = result->section ? QString::fromLatin1(result->section) : plainText(result->caption);
        if (what.endsWith(u':'))
            what.chop(1);
        lines << QStringLiteral("%1 is not printed: it needs %2%3")
                     .arg(what, optionList(missing), driver ? driverLacks(command, *driver, missing) : QString());
    }
    const QString name = QString::fromLatin1(command.name);
    if (all.isEmpty())
        return {};
    if (!designed)
        return QStringLiteral("%1: needs %2%3")
            .arg(name, optionList(all), driver ? driverLacks(command, *driver, all) : QString());
    // One line each, as printMessages prints a note.
    return name + QStringLiteral(": ") + lines.join(QStringLiteral("\ntolvan-cli: %1: ").arg(name));
}

} // namespace

QString optionValueProblem(const WindowCommand& command, const ParsedArguments& arguments)
{
    for (const FieldEntry* input : optionFields(command)) {
        const QString option = QString::fromLatin1(input->key);
        if (!arguments.values.contains(option))
            continue;
        const QString problem = valueProblem(input->accepts, arguments.values.value(option), input->unit);
        if (!problem.isEmpty())
            return QStringLiteral("--%1: %2").arg(option, problem);
    }
    return {};
}

QString plainText(const char* text) { return plainText(QString::fromUtf8(text)); }

QString plainText(QString plain)
{
    if (Qt::mightBeRichText(plain)) {
        static const QRegularExpression superscript(QStringLiteral("<sup>(.*?)</sup>"));
        plain.replace(superscript, QStringLiteral("^\\1"));
        plain = QTextDocumentFragment::fromHtml(plain).toPlainText();
    }
    return plain.simplified();
}

WindowRun runWindowCommand(const WindowCommand& command, const ParsedArguments& arguments, bool handOver)
{
    MessageLog log;
    std::optional<DriverRecord> driver;
    if (arguments.values.contains(QString::fromLatin1(kDriverOption))) {
        WindowRun none;
        driver = libraryDriver(arguments.values.value(QString::fromLatin1(kDriverOption)), none.result.note);
        none.result.messages = log.shown;
        if (!driver)
            return none;
    }
    DesignState& state = designState();
    state = DesignState();
    applyStartValues(state);

    const char* choice = nullptr;
    if (command.choice.option) {
        const QString chosen = arguments.values.value(QString::fromLatin1(command.choice.option));
        choice = command.choice.buttons.front().second;
        for (const auto& [value, button] : command.choice.buttons)
            if (chosen == QLatin1String(value))
                choice = button;
    }
    QWidget* window = command.open(choice);
    if (!window) {
        WindowRun none;
        none.result.note = QStringLiteral("%1: the window did not open").arg(QString::fromLatin1(command.name));
        return none;
    }
    waitUntilActive(window);
    // What the window says on opening with no design is not about these inputs.
    log.clear();
    if (driver)
        pickDriver(window, *driver);

    const char* button = command.button;
    for (const FlagOption& flag : command.flags)
        if (arguments.flags.contains(QString::fromLatin1(flag.option)))
            type(window, flag.field, QString::fromLatin1(flag.text));
    std::vector<const FieldEntry*> afterwards;
    for (const FieldEntry* input : optionFields(command)) {
        const QString option = QString::fromLatin1(input->key);
        if (!arguments.values.contains(option))
            continue;
        const OptionRule* rule = ruleFor(command, input->key);
        if (rule && rule->afterCalculate) {
            afterwards.push_back(input);
            continue;
        }
        type(window, input->name, arguments.values.value(option));
        if (rule && rule->button)
            button = rule->button;
    }
    if (button)
        press(window, button);
    else
        leaveField(window, nullptr);

    WindowRun run;
    run.designed = command.filledWhenDesigned
        ? !window->findChild<QLineEdit*>(QString::fromLatin1(command.filledWhenDesigned))->text().trimmed().isEmpty()
        : state.designValid == 1;
    for (const FieldEntry* input : afterwards) {
        type(window, input->name, arguments.values.value(QString::fromLatin1(input->key)));
        leaveField(window, button);
        run.designed = run.designed && (command.filledWhenDesigned || state.designValid == 1);
    }

    // The results the window shows; a field it hides (L2 and C2 of a 6 dB
    // crossover) or leaves empty (a row of coils not asked for) shows nothing.
    for (const FieldEntry& entry : command.fields()) {
        const auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(entry.name));
        if (!entry.isResult() || !field || !field->isVisibleTo(window) || field->text().trimmed().isEmpty())
            continue;
        // In the units chosen, as the window shows them.
        run.result.fields.append({ QString::fromLatin1(entry.name), plainText(shownCaption(entry)), field->text(),
            plainText(shownUnit(entry)), shownSection(entry),
            entry.note ? QString::fromLatin1(entry.note) : QString() });
    }
    run.result.messages = log.shown;
    run.result.beeps = log.beeps;
    run.result.note = missingInputs(command, window, run.designed, driver);
    if (!run.designed && log.shown.isEmpty() && run.result.note.isEmpty()) {
        const QString title = window->windowTitle().trimmed();
        run.result.note = QStringLiteral("%1: no design from these inputs")
                              .arg(title.isEmpty() ? QString::fromLatin1(command.name) : title);
    }
    if (handOver && run.designed) {
        // As Save System takes the design from the open window.
        HandOverTrial trial;
        trial.keep();
    }
    delete window;
    return run;
}
