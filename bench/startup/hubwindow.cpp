// The yardstick of the start-up benchmark: a bare Qt hub window of the main
// window's size, 13 buttons in two columns and 3 labels, nothing else. It
// reports its first paint through the same probe as the program.
#include "app/readyprobe.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Hub"));
    window.resize(632, 472);
    for (int i = 0; i < 6; ++i) {
        (new QPushButton(QStringLiteral("Left %1").arg(i + 1), &window))->setGeometry(56, 120 + 56 * i, 168, 40);
        (new QPushButton(QStringLiteral("Right %1").arg(i + 1), &window))->setGeometry(408, 120 + 56 * i, 168, 40);
    }
    (new QPushButton(QStringLiteral("Exit"), &window))->setGeometry(256, 400, 120, 40);
    const char* const labels[] = { "Title", "By", "Maker" };
    for (int i = 0; i < 3; ++i)
        (new QLabel(QString::fromLatin1(labels[i]), &window))->setGeometry(56, 8 + 30 * i, 520, 28);
    window.show();
    probeReadyAfterFirstPaint(&window);
    return app.exec();
}
