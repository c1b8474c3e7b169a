#include "app/readyprobe.h"
#include "core/wholefile.h"
#include "platform/unitchoice.h"
#include "platform/windowplaces.h"
#include "ui/FrmTlv.h"
#include "ui/startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    reportFileSizeLimitAsFailure();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvan"));
    // Lets the desktop match the windows to the installed entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tolvan"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tolvan")));
    rememberWindowPlaces(true);
    rememberUnitChoice(true);
    probeReadyAfterFirstPaint(startTolvan(QCoreApplication::arguments()));
    return app.exec();
}
