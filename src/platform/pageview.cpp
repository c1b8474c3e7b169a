#include "platform/pageview.h"

#include <QMouseEvent>
#include <QPainter>

PageView::PageView(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setPage(Page page)
{
    m_page = std::move(page);
    update();
}

void PageView::setReadout(const QString& text)
{
    if (text == m_readout)
        return;
    m_readout = text;
    update();
}

QPointF PageView::worldAt(const QPointF& widgetPos) const
{
    const QRectF& w = m_page.world();
    if (width() <= 0 || height() <= 0)
        return w.topLeft();
    return { w.left() + widgetPos.x() * w.width() / width(), w.bottom() - widgetPos.y() * w.height() / height() };
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_renderer.render(m_page, painter, rect(), Qt::white);
    if (m_readout.isEmpty())
        return;
    const QFontMetrics metrics(font());
    QRect box = metrics.boundingRect(m_readout).adjusted(-4, -2, 4, 2);
    box.moveTopRight(rect().topRight() + QPoint(-4, 4));
    painter.fillRect(box, QColor(255, 255, 225));
    painter.setPen(Qt::darkGray);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, m_readout);
}

void PageView::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved(worldAt(event->position()));
    QWidget::mouseMoveEvent(event);
}

void PageView::leaveEvent(QEvent* event)
{
    emit pointerLeft();
    QWidget::leaveEvent(event);
}
