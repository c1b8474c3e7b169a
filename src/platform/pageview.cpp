#include "platform/pageview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

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
    if (m_dragFrom && (event->buttons() & Qt::LeftButton)) {
        const QPointF from = worldAt(*m_dragFrom);
        m_dragFrom = event->position();
        emit dragged(from, worldAt(event->position()));
    }
    emit pointerMoved(worldAt(event->position()));
    QWidget::mouseMoveEvent(event);
}

void PageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
    QWidget::mousePressEvent(event);
}

void PageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragFrom.reset();
        unsetCursor();
    }
    QWidget::mouseReleaseEvent(event);
}

void PageView::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) {
        event->ignore();
        return;
    }
    emit wheelTurned(worldAt(event->position()), steps, event->modifiers());
    event->accept();
}

void PageView::leaveEvent(QEvent* event)
{
    emit pointerLeft();
    QWidget::leaveEvent(event);
}
