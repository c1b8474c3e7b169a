#include "ui/activecrossoverlook.h"

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
        auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(component.field));
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, kBlue);
        palette.setColor(QPalette::Text, Qt::yellow);
        field->setPalette(palette);
        field->setReadOnly(true);
    }
}

void showComponents(QWidget* window, const QVector<design::ActiveComponent>& components)
{
    for (const design::ActiveComponent& component : components)
        window->findChild<QLineEdit*>(QString::fromLatin1(component.field))
            ->setText(design::activeComponentText(component));
}

} // namespace activeui
