#pragma once
// "Passive Radiator": a vented box whose port is an undriven cone, for one
// driver or an isobaric pair, designed from a 25-row table selected by Qts.
// Activation refills the fields from the design state and designs when all
// four stored inputs are present (again when another window changed one);
// Graph, Print, Exit and Save System hand the design over as box type 2.
// Handing its volume and tuning over in ventedVb and ventedFb, the window
// clears ventedValid so that the vented window designs afresh. The table
// lives in design/radiatorbox.h.

#include "design/radiatorbox.h"
#include "platform/designwindow.h"

class frmRadiator final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmRadiator(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

protected:
    void Form_Activate() override;
    OnSave savedOnSave() const override { return OnSave::BoxDesign; }
    void Form_HandOver() override;

private:
    void buildControls();

    void Command1_Click();
    void btnGraph_Click();
    void Command2_Click();
    void btnExit_Click();
    void Form_Unload() override { btnExit_Click(); }

    design::RadiatorInputs readInputs() const;
    // Shows and keeps a design; a refused one withdraws designValid.
    void takeResult(const design::RadiatorResult& result);
    // The values the graph needs; Print and Exit add the two displacement
    // volumes (their rows say so).
    void storeShownDesign(Moment moment);

    float m_f3 = 0; // radiatorF3, shown in szF3 and not handed over
    design::RadiatorDesign m_design; // the design shown, as computed
};
