#pragma once
// "Vented Box Design": a bass-reflex box for one driver or an isobaric pair
// from the fixed alignment, with the port lengths for nine diameters. After a
// design the user may type another tuning frequency (szFb) or volume (szVvb);
// leaving the field re-derives the rest. Opening shows the design last
// handed over from here, or the alignment afresh once another box window has
// cleared ventedValid; coming back to its own design after another window
// changed the driver, it keeps the box (its volume and tuning) and shows the
// cut-off and hump or dip of the new driver in it. The window keeps its
// design to itself until Graph, Print, Exit or Save System hands it over.
// The formulas live in design/ventedbox.h.

#include "design/ventedbox.h"
#include "platform/designwindow.h"

class frmVented final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmVented(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

protected:
    void Form_Activate() override;
    OnSave savedOnSave() const override { return OnSave::BoxDesign; }
    void Form_HandOver() override;

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
    // Shows and keeps a design; a refused one withdraws designValid. True
    // when there was a design.
    bool takeResult(const design::VentedResult& result);
    void recompute(const design::VentedResult& result);
    void storeShownDesign(Moment moment);

    design::VentedDesign m_design; // the design shown, as computed
};
