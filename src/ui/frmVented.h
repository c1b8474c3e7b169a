#pragma once
// "Vented Box Design": a bass-reflex box for one driver or an isobaric pair
// from the fixed alignment, with the port lengths for nine diameters. After a
// design the user may type another tuning frequency (szFb) or volume (szVvb);
// leaving the field re-derives the rest. Activation shows the design last
// made here, or the alignment afresh once another box window has cleared
// ventedValid. The formulas live in design/ventedbox.h.

#include "design/ventedbox.h"
#include "platform/designwindow.h"

class frmVented final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmVented(QWidget* parent = nullptr);

protected:
    void Form_Activate() override;

private:
    void buildControls();

    void Command1_Click();
    void btnGraph_Click();
    void Print_Click();
    void btnExit_Click();
    void Form_Unload() override { btnExit_Click(); }
    void szFb_LostFocus();
    void szVvb_LostFocus();

    design::VentedDriver readDriver() const;
    // Stores and shows a design; a refused one withdraws designValid. True
    // when there was a design.
    bool takeResult(const design::VentedResult& result);
    void recompute(const design::VentedResult& result);
    void storeShownDesign();
};
