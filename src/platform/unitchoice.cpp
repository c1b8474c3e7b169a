#include "platform/unitchoice.h"

#include "platform/designwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QSettings>
#include <QWidget>

namespace {

bool g_remembered = false;
const QString kUnitsKey = QStringLiteral("units");

QSettings settings() { return QSettings(QSettings::UserScope, QStringLiteral("Tolvan"), QStringLiteral("Tolvan")); }

} // namespace

UnitChoice* UnitChoice::instance()
{
    static UnitChoice choice;
    return &choice;
}

void chooseUnits(UnitSystem system)
{
    const UnitSystem before = unitSystem();
    if (system == before)
        return;
    setUnitSystem(system);
    DesignWindow::showUnitsInOpenWindows(before, system);
    if (g_remembered)
        settings().setValue(kUnitsKey, unitSystemName(system).toLower());
    emit UnitChoice::instance()->unitsChanged(system);
}

void rememberUnitChoice(bool on)
{
    g_remembered = on;
    if (!on)
        return;
    if (const auto saved = unitSystemNamed(settings().value(kUnitsKey).toString()))
        chooseUnits(*saved);
}

void addUnitChoiceActions(QWidget* window)
{
    auto* group = new QActionGroup(window);
    const auto add = [window, group](const QString& text, const QKeySequence& keys, UnitSystem system) {
        auto* action = new QAction(text, group);
        action->setObjectName(QStringLiteral("units") + unitSystemName(system));
        action->setCheckable(true);
        action->setChecked(unitSystem() == system);
        action->setShortcut(keys);
        // Wherever the user works: every window shows the choice.
        action->setShortcutContext(Qt::ApplicationShortcut);
        QObject::connect(action, &QAction::triggered, window, [system] { chooseUnits(system); });
        QObject::connect(UnitChoice::instance(), &UnitChoice::unitsChanged, action,
            [action, system](UnitSystem chosen) { action->setChecked(chosen == system); });
        window->addAction(action);
    };
    auto* separator = new QAction(window);
    separator->setSeparator(true);
    window->addAction(separator);
    add(QStringLiteral("Imperial Units (Cubic Feet, Inches)"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I),
        UnitSystem::Imperial);
    add(QStringLiteral("Metric Units (Litres, cm, mm)"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M),
        UnitSystem::Metric);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
}
