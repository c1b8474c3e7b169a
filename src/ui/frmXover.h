#pragma once
// "Passive 2 Way Crossover Design": L1 and C1 (6 dB per octave) or L1, C1,
// L2 and C2 (12 dB per octave, as chosen in the crossover selector) from the
// crossover frequency and the woofer and tweeter impedances, recomputed on
// every edit by the change rule of the edited field. Activation shows a
// stored design; Graph, L Design and Print act while the design is valid;
// Exit leaves the kind of design in xoverType. The formulas live in
// design/passivecrossover2.h.

#include "design/passivecrossover2.h"
#include "platform/designwindow.h"
#include "print/reportpage.h"

class PictureBox;

class frmXover final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmXover(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

    // The printed page: the title of the slope and the fields as shown.
    ReportLayout reportLayout() const;

protected:
    void Form_Activate() override;
    OnSave savedOnSave() const override { return OnSave::OwnValues; }
    void Form_HandOver() override;

private:
    void buildControls();

    void szFrq_Change();
    void szRh_Change();
    void szRl_Change();
    void btnGraph_Click();
    void LDesign_Click();
    void btnPrint_Click();
    void btnExit_Click();
    void Form_Unload() override { btnExit_Click(); }

    design::TwoWayInputs readInputs() const;
    // Recomputes by the rule of `changed`; false when the inputs do not allow it.
    bool recalculate(design::TwoWayField changed);

    PictureBox* m_picture = nullptr;
};
