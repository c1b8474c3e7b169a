#pragma once
// "Passive 3 Way Crossover Design": the parts of a 6 or 12 dB per octave
// 3-way network (slope chosen in the crossover selector) from the high and
// low crossover frequencies and the tweeter, mid-range and woofer impedances,
// recomputed on every edit by the change rule of the edited field. Typing the
// high frequency proposes a tenth of it as the low one. Graph and Exit hand
// the design over (Exit with the mid-range values of the response model at
// 12 dB); L Design and Print act on a valid design. The formulas live in
// design/passivecrossover3.h.

#include "design/passivecrossover3.h"
#include "platform/designwindow.h"
#include "print/reportpage.h"

class PictureBox;

class frmXover3 final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmXover3(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

    // The printed page: the title of the slope and the fields as shown.
    ReportLayout reportLayout() const;

protected:
    void Form_Activate() override;
    void Form_Return() override;
    OnSave savedOnSave() const override { return OnSave::OwnValues; }
    void Form_HandOver() override;

private:
    void buildControls();
    void buildOctaveNote();

    void szFrqh_Change();
    void szFrql_Change();
    void szRh_Change();
    void szRm_Change();
    void szRl_Change();
    void Command4_Click(); // Graph
    void Command3_Click(); // L Design
    void Command2_Click(); // Print
    void Command1_Click(); // Exit
    void Form_Unload() override { Command1_Click(); }

    design::ThreeWayInputs readInputs() const;
    // Recomputes by the rule of `changed`, shows a refusal's message; the status.
    design::XoverRecalc::Status recalculate(design::ThreeWayField changed);
    // Graph and Exit: the frequencies as shown and the kind of design, with the
    // response-model values at 12 dB.
    void handOver();

    PictureBox* m_picture = nullptr;
    bool m_activating = false;
};
