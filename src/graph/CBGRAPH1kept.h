#pragma once
// The Kept Curves panel of the graph window CBGRAPH1: one row per kept curve
// with its tick (shown or hidden), its colour and dash pattern, its label
// (double-click or F2 renames it) and the numbers of its design
// (keptcurves.h: box type, volume, tuning or Qtc, F3, driver), sortable by
// any column. Its buttons ask the window to add a curve from a file, remove
// the selected one (Delete), clear them all and undo the last removal
// (Ctrl+Z); the window owns the kept curves' changes and their undoing.

#include <QIcon>
#include <QWidget>
#include <optional>

class QPushButton;
class QTableWidget;

class KeptCurvesPanel final : public QWidget {
    Q_OBJECT
public:
    explicit KeptCurvesPanel(QWidget* window);

    // Shows the session's kept curves as they are now, the same curve selected.
    void fill();
    // The colour slot of the selected curve, which names it.
    std::optional<int> currentSlot() const;
    void selectSlot(int slot);
    // What Undo would undo ("Undo Remove"); empty: nothing.
    void setUndoText(const QString& text);
    // A size that shows every column and up to the most curves.
    QSize fittingSize() const;

signals:
    void curvesEdited(); // a tick or a label: the chart draws them again
    void addFromFileRequested();
    void removeRequested(int slot);
    void clearRequested();
    void undoRequested();
    void activated(); // the panel became the active window

protected:
    bool event(QEvent* event) override;

private:
    void tblKept_ItemChanged(int row, int column);

    QTableWidget* m_table;
    QPushButton* m_remove;
    QPushButton* m_clear;
    QPushButton* m_undo;
};

// A short stroke of a kept curve's colour and pattern, as the chart draws it.
QIcon keptSwatch(int colorSlot);
