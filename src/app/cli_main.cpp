#include "cli/cli.h"
#include "core/wholefile.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace {
// Qt's notes about the unseen platform (no raise(), no runtime folder) are
// not the user's business; only its errors are.
void qtMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}
} // namespace

int main(int argc, char* argv[])
{
    // The windows run unseen: no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    reportFileSizeLimitAsFailure();
    qInstallMessageHandler(qtMessages);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvan"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCli(QCoreApplication::arguments(), out, err);
}
