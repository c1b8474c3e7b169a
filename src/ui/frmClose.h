#pragma once
// "Closed Box Design": a sealed box for one driver or an isobaric pair,
// either the volume for a desired Qtc ("Calculate" For Volume) or the Qtc of
// a chosen volume ("Calculate" For Qtc). Activation refills the fields from
// the design state and designs for the desired Qtc; Graph, Print and Exit
// hand the design over. The formulas live in design/closedbox.h.

#include "design/closedbox.h"
#include "platform/designwindow.h"

class frmClose final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmClose(QWidget* parent = nullptr);

protected:
    void Form_Activate() override;

private:
    void buildControls();

    void btnCal_Click();
    void Command1_Click();
    void btnGraph_Click();
    void Command2_Click();
    void btnExit_Click();
    void Form_Unload() override { btnExit_Click(); }
    void szVas_GotFocus();
    void szFar_GotFocus();
    void checkDesiredQtc();

    design::ClosedBoxInputs readInputs() const;
    // Stores and shows a design, or withdraws the flags of a refused one.
    void takeResult(const design::ClosedBoxResult& result);
    void storeShownDesign();

    float m_f3 = 0; // the last cut-off computed
};
