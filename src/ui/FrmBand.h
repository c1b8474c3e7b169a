#pragma once
// "Bandpass (Subwoofer)": a fourth-order bandpass box (sealed section behind
// the driver, vented section in front) for one driver or an isobaric pair,
// with the port lengths for nine diameters and an optional series coil.
// Opening the window (and the first activation after a load) restores the
// stored inputs and recomputes the design when all five are present; Graph,
// Print, Exit and Save System hand it over to the graph and the report
// (bandValid), leaving the last box design as it is. The formulas live in
// design/bandpassbox.h.

#include "design/bandpassbox.h"
#include "platform/designwindow.h"

class FrmBand final : public DesignWindow {
    Q_OBJECT
public:
    explicit FrmBand(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

protected:
    OnSave savedOnSave() const override { return OnSave::OwnValues; }
    void Form_HandOver() override;

private:
    void buildControls();

    void Form_Load();
    void Form_Activate() override;
    void Command1_Click();
    void btnGraph_Click();
    void Command2_Click();
    void btnExit_Click();
    void Form_Unload() override { btnExit_Click(); }

    design::BandpassInputs readInputs() const;
    // Shows and stores a design, or clears and withdraws as the result says.
    void takeResult(const design::BandpassResult& result);
    // Print and Exit: every input and the shown results, with the woofer name.
    void storeDesign(Moment moment);
};
