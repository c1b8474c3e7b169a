#include "cli/windowrun.h"

#include "cli/drivercommands.h"
#include "cli/messagelog.h"
#include "core/designstate.h"
#include "ui/driverlibraryui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

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

QVector<OptionSpec> optionSpecs(const WindowCommand& command)
{
    QVector<OptionSpec> specs;
    for (const InputOption& input : command.inputs)
        specs.append({ QString::fromLatin1(input.option), true });
    for (const FlagOption& flag : command.flags)
        specs.append({ QString::fromLatin1(flag.option), false });
    if (command.choice.option)
        specs.append({ QString::fromLatin1(command.choice.option), true });
    return specs;
}

WindowRun runWindowCommand(const WindowCommand& command, const ParsedArguments& arguments)
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
    for (const InputOption& input : command.inputs) {
        const QString option = QString::fromLatin1(input.option);
        if (!input.field || input.afterCalculate || !arguments.values.contains(option))
            continue;
        type(window, input.field, arguments.values.value(option));
        if (input.button)
            button = input.button;
    }
    if (button)
        press(window, button);
    else
        leaveField(window, nullptr);

    WindowRun run;
    run.designed = command.filledWhenDesigned
        ? !window->findChild<QLineEdit*>(QString::fromLatin1(command.filledWhenDesigned))->text().trimmed().isEmpty()
        : state.designValid == 1;
    for (const InputOption& input : command.inputs) {
        const QString option = QString::fromLatin1(input.option);
        if (!input.afterCalculate || !arguments.values.contains(option))
            continue;
        type(window, input.field, arguments.values.value(option));
        leaveField(window, button);
        run.designed = run.designed && (command.filledWhenDesigned || state.designValid == 1);
    }

    for (const OutputField& output : command.outputs) {
        const QString name = QString::fromLatin1(output.field);
        // A field the window hides (L2 and C2 of a 6 dB crossover) shows nothing.
        const auto* field = window->findChild<QLineEdit*>(name);
        if (!field || !field->isVisibleTo(window) || (output.omitWhenEmpty && field->text().isEmpty()))
            continue;
        run.result.fields.append(readField(window, name, output.place));
    }
    run.result.messages = log.shown;
    run.result.beeps = log.beeps;
    if (!run.designed && log.shown.isEmpty()) {
        const QString title = window->windowTitle().trimmed();
        run.result.note = QStringLiteral("%1: no design from these inputs")
                              .arg(title.isEmpty() ? QString::fromLatin1(command.name) : title);
    }
    delete window;
    return run;
}
