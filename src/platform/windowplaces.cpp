#include "platform/windowplaces.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <QWidget>

namespace {

bool g_remembered = false;

// The screens as they stand: a place saved on other screens is not taken back.
QString screenLayout()
{
    QStringList screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect r = screen->geometry();
        screens << QStringLiteral("%1,%2,%3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    return screens.join(u';');
}

bool onAScreen(const QRect& frame)
{
    for (const QScreen* screen : QGuiApplication::screens()) {
        // The title bar's corner must be reachable with the mouse.
        if (screen->availableGeometry().contains(frame.topLeft() + QPoint(20, 10)))
            return true;
    }
    return false;
}

QString key(const QWidget* window) { return QStringLiteral("windows/") + window->objectName(); }

} // namespace

void rememberWindowPlaces(bool on) { g_remembered = on; }

bool windowPlacesRemembered() { return g_remembered; }

void restoreWindowPlace(QWidget* window)
{
    if (!g_remembered)
        return;
    QSettings settings(QSettings::UserScope, QStringLiteral("Tolvan"), QStringLiteral("Tolvan"));
    settings.beginGroup(key(window));
    const QRect place = settings.value(QStringLiteral("geometry")).toRect();
    if (settings.value(QStringLiteral("screens")).toString() != screenLayout() || !place.isValid() || !onAScreen(place))
        return;
    window->resize(place.size());
    window->move(place.topLeft());
}

void saveWindowPlace(const QWidget* window)
{
    if (!g_remembered)
        return;
    QSettings settings(QSettings::UserScope, QStringLiteral("Tolvan"), QStringLiteral("Tolvan"));
    settings.beginGroup(key(window));
    settings.setValue(QStringLiteral("geometry"), QRect(window->pos(), window->size()));
    settings.setValue(QStringLiteral("screens"), screenLayout());
}
