#pragma once
// A widget that shows a page stretched over its whole area, with an optional
// one-line readout in its upper right corner; the page's backdrop stays drawn
// between paints. It reports where the pointer is in world units, so its
// owner can say what lies there.

#include "platform/page.h"
#include "platform/pageoutput.h"

#include <QWidget>

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Page m_page;
    ScreenPageRenderer m_renderer;
    QString m_readout;
};
