#include "ui/activecrossoverlook.h"

#include "platform/designwindow.h"

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

void showComponents(DesignWindow* window, const QVector<design::ActiveComponent>& components)
{
    for (const design::ActiveComponent& component : components)
        window->setFieldText(QString::fromLatin1(component.field), design::activeComponentText(component));
}

} // namespace activeui
