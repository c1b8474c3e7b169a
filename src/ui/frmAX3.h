#pragma once
// "Active 3 Way Crossover Design": the twenty resistors and capacitors of an
// 18 dB per octave line-level 3-way crossover for a high and a low
// frequency, computed on Calculate (or on an activation that finds both
// frequencies stored). Enter moves between the two frequency fields. Editing
// either frequency withdraws the design until the next Calculate. The
// formulas live in design/activecrossover3.h.

#include "platform/designwindow.h"
#include "print/reportpage.h"

class PictureBox;

class frmAX3 final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmAX3(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

    // The printed page: the fields' texts as shown; the heading line gives the units.
    ReportLayout reportLayout() const;

protected:
    void Form_Activate() override;
    OnSave savedOnSave() const override { return OnSave::OwnValues; }
    void Form_HandOver() override;

private:
    void buildControls();

    void btnCal_Click();
    void btnPrint_Click();
    void btnExit_Click();
    void Form_Unload() override;
    void szFrqh_Change();
    void szFrql_Change();

    bool designFromFields();

    PictureBox* m_image1 = nullptr;
};
