#pragma once
// "Passive Radiator": a vented box whose port is an undriven cone, for one
// driver or an isobaric pair, designed from a 25-row table selected by Qts.
// Activation refills the fields from the design state and designs when all
// four stored inputs are present; Graph, Print and Exit hand the design over
// as box type 2. Writing ventedVb and ventedFb, the window clears ventedValid
// so that the vented window designs afresh. The table lives in
// design/radiatorbox.h.

#include "design/radiatorbox.h"
#include "platform/designwindow.h"

class frmRadiator final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmRadiator(QWidget* parent = nullptr);

protected:
    void Form_Activate() override;

private:
    void buildControls();

    void Command1_Click();
    void btnGraph_Click();
    void Command2_Click();
    void btnExit_Click();
    void Form_Unload() override { btnExit_Click(); }

    design::RadiatorInputs readInputs() const;
    // Shows and stores a design; a refused one withdraws designValid.
    void takeResult(const design::RadiatorResult& result);
    // Graph: the values the graph needs. Print and Exit add the two displacement volumes.
    void storeShownDesign();
    void storeForReport();

    float m_f3 = 0; // radiatorF3, shown in szF3 and not handed over
};
