#pragma once
// The small window that shows what the box data report is doing: a label
// (Label1) and a gauge from 0 to 100 (Gauge1). It has no behaviour of its
// own and never takes the focus from the window that printed.

#include <QWidget>

class QLabel;
class QProgressBar;

class FrmProgress final : public QWidget {
    Q_OBJECT
public:
    explicit FrmProgress(QWidget* parent = nullptr);

    // Shows the step and lets the window redraw; user input waits until the
    // report is done, so no print command can start inside another.
    void step(const QString& label, int gauge);
    void advance(int gauge);

private:
    QLabel* m_label = nullptr;
    QProgressBar* m_gauge = nullptr;
};
