#pragma once
// "Active 2 Way Crossover Design": the resistors and capacitors of an 18 dB
// per octave line-level crossover for one frequency. Nothing is computed
// until Calculate (or an activation that finds a stored frequency); only the
// frequency is shared with the other crossover windows. Editing the
// frequency withdraws the design until the next Calculate, so Print never
// shows a frequency beside values computed for another one. The formulas
// live in design/activecrossover2.h.

#include "platform/designwindow.h"
#include "print/reportpage.h"

class PictureBox;

class frmAX2 final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmAX2(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

    // The printed page: the fields' texts as shown, in the fixed sizes 120 and 100.
    ReportLayout reportLayout() const;

protected:
    void Form_Activate() override;
    OnSave savedOnSave() const override { return OnSave::OwnValues; }
    void Form_HandOver() override;

private:
    void buildControls();

    void btnCal_Click();
    void BtnPrint_Click();
    void btnExit_Click();
    void Form_Unload() override;
    void szFrq_Change();

    // Computes from the field's frequency and shows the values; true when designed.
    bool designFromField();

    PictureBox* m_image1 = nullptr;
};
