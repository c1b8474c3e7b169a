#include "ui/activecrossoverlook.h"

#include "ui/crossoversupport.h"

#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace activeui {

namespace {
const QColor kBlue(0, 0, 128);
}

void paintBlue(QWidget* window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kBlue);
    palette.setColor(QPalette::WindowText, Qt::white);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void markResults(QWidget* window, const QVector<design::ActiveComponent>& components)
{
    for (const design::ActiveComponent& component : components) {
        xoverui::makeResultField(window->findChild<QLineEdit*>(QString::fromLatin1(component.field)));
    }
}

void showComponents(QWidget* window, const QVector<design::ActiveComponent>& components)
{
    for (const design::ActiveComponent& component : components)
        window->findChild<QLineEdit*>(QString::fromLatin1(component.field))
            ->setText(design::activeComponentText(component));
}

} // namespace activeui
