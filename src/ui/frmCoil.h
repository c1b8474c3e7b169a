#pragma once
// "Inductor Design": air-core coils for up to six inductors, each from its
// inductance and the resistance it may have, with size, turns and wire
// gauge, under a drawing of the coil's cross-section. Opened empty from the
// main window, or by a passive crossover's "L Design", which takes over the
// crossover's inductors (openForCrossover). Print prints the table and the
// drawing. The formulas live in design/inductor.h.

#include "platform/designwindow.h"

class QPainter;

class frmCoil final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmCoil(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

    // "L Design" of a passive crossover: opens the window (or brings it to
    // the front) and designs the crossover's inductors that coilSource
    // names, replacing the text of those rows. Activating the window in any
    // other way leaves the rows as the user left them.
    static frmCoil* openForCrossover();

private:
    void buildControls();
    void takeOverCrossoverCoils();

    void btn_Cal_Click();
    void btnPrint_Click();
    void btnExit_Click();
    void Form_Unload() override { btnExit_Click(); }

    // The hidden parts while the window prints itself.
    QList<QWidget*> notPrinted() const;
    void paintFitted(QPainter& painter, const QRectF& paper);
};
