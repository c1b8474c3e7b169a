#include "platform/pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

QString compiledPicture(const QString& file)
{
    const QString base = QFileInfo(file).completeBaseName();
    if (base.isEmpty())
        return {};
    const QString path = QStringLiteral(":/pictures/") + base + QStringLiteral(".svg");
    if (QFileInfo::exists(path))
        return path;
    // The pictures are named as files on a system that ignores case: a report
    // asks for "P212.BMP" where a window shows "p212.bmp".
    const QDir pictures(QStringLiteral(":/pictures"));
    for (const QString& entry : pictures.entryList({ QStringLiteral("*.svg") }, QDir::Files))
        if (QFileInfo(entry).completeBaseName().compare(base, Qt::CaseInsensitive) == 0)
            return pictures.filePath(entry);
    return {};
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
