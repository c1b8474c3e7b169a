#include "platform/pictures.h"

#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

QString compiledPicture(const QString& file)
{
    const QString base = QFileInfo(file).completeBaseName();
    if (base.isEmpty())
        return {};
    const QString path = QStringLiteral(":/pictures/") + base + QStringLiteral(".svg");
    return QFileInfo::exists(path) ? path : QString();
}

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QString& file)
{
    m_file = file;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QString path = compiledPicture(m_file);
    if (path.isEmpty())
        return;
    QSvgRenderer renderer(path);
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(rect()));
}
