#include "platform/windowplaces.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <QWidget>

#include <algorithm>

namespace {

bool g_remembered = false;

// How much of the title bar must stay on a screen to drag the window by it.
constexpr int kGrip = 20;

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

// Whether the title bar above a window placed at `place` (without its
// frame), with the frame's `titleHeight`, can be reached and dragged.
bool titleBarOnAScreen(const QRect& place, int titleHeight)
{
    const QPoint grip(place.left() + std::min(kGrip, place.width() / 2), place.top() - titleHeight / 2 - 1);
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(grip) && screen->availableGeometry().contains(place.topLeft()))
            return true;
    return false;
}

QString key(const QWidget* window) { return QStringLiteral("windows/") + window->objectName(); }

} // namespace

void rememberWindowPlaces(bool on) { g_remembered = on; }

bool windowPlacesRemembered() { return g_remembered; }

// The place is the window's own rectangle, without its frame, as
// QWidget::saveGeometry keeps it: the frame's position is the window
// manager's to decide, and putting a saved frame position back as the
// window's own moved every window up by its title bar each time.
void restoreWindowPlace(QWidget* window)
{
    if (!g_remembered)
        return;
    QSettings settings(QSettings::UserScope, QStringLiteral("Tolvan"), QStringLiteral("Tolvan"));
    settings.beginGroup(key(window));
    const QRect place = settings.value(QStringLiteral("geometry")).toRect();
    const int titleHeight = std::max(0, settings.value(QStringLiteral("titleHeight")).toInt());
    if (settings.value(QStringLiteral("screens")).toString() != screenLayout() || !place.isValid()
        || !titleBarOnAScreen(place, titleHeight))
        return;
    window->setGeometry(place);
    if (settings.value(QStringLiteral("maximized")).toBool())
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void saveWindowPlace(const QWidget* window)
{
    if (!g_remembered)
        return;
    QSettings settings(QSettings::UserScope, QStringLiteral("Tolvan"), QStringLiteral("Tolvan"));
    settings.beginGroup(key(window));
    settings.setValue(QStringLiteral("geometry"), window->normalGeometry());
    settings.setValue(QStringLiteral("titleHeight"), window->geometry().top() - window->frameGeometry().top());
    settings.setValue(QStringLiteral("maximized"), window->isMaximized());
    settings.setValue(QStringLiteral("screens"), screenLayout());
}
