#pragma once
// A widget that shows a page stretched over its whole area, with an optional
// one-line readout in its upper right corner; the page's backdrop stays drawn
// between paints. It reports where the pointer is in world units, so its
// owner can say what lies there, and the wheel turned and drags with the
// left button over it, so its owner can zoom and pan.

#include "platform/page.h"
#include "platform/pageoutput.h"

#include <QWidget>
#include <optional>

class PageView final : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    void setPage(Page page);
    const Page& page() const { return m_page; }

    void setReadout(const QString& text);
    QString readout() const { return m_readout; }

    // The world position under a point of the widget.
    QPointF worldAt(const QPointF& widgetPos) const;

signals:
    void pointerMoved(QPointF world);
    void pointerLeft();
    // `steps` notches of the wheel (positive: away from the user) over `world`.
    void wheelTurned(QPointF world, double steps, Qt::KeyboardModifiers modifiers);
    // The pointer moved from `from` to `to` with the left button held.
    void dragged(QPointF from, QPointF to);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::optional<QPointF> m_dragFrom; // widget position while the left button is held
    Page m_page;
    ScreenPageRenderer m_renderer;
    QString m_readout;
};
