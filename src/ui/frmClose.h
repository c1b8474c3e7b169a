#pragma once
// "Closed Box Design": a sealed box for one driver or an isobaric pair,
// either the volume for a desired Qtc ("Calculate" For Volume) or the Qtc of
// a chosen volume ("Calculate" For Qtc). Activation refills the fields from
// the design state and designs for the desired Qtc; coming back to its own
// design after another window changed the driver, it keeps the box and shows
// the Qtc the new driver has in it. Graph, Print, Exit and Save System hand
// the design over. The formulas live in design/closedbox.h.

#include "design/closedbox.h"
#include "platform/designwindow.h"

class frmClose final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmClose(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

protected:
    void Form_Activate() override;
    OnSave savedOnSave() const override { return OnSave::BoxDesign; }
    void Form_HandOver() override;

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
    // Shows a design and keeps it, or withdraws a refused one.
    void takeResult(const design::ClosedBoxResult& result);
    // Calculate's flags: the design offered to the graph, or a refusal that withdraws it.
    static void offerOrWithdraw(const design::ClosedBoxResult& result);
    void storeShownDesign(Moment moment);

    float m_f3 = 0; // the last cut-off computed
    design::BoxProportions m_box; // of the design shown
};
