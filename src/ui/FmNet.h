#pragma once
// "Compensating Networks": the series notch filter that flattens a driver's
// impedance peak at resonance and the impedance equalisation that cancels
// the rise from its voice-coil inductance, both wired in parallel with the
// driver. Opening shows the networks of the stored inputs; Calculate stores
// the inputs and computes again; Print prints the page with both circuits.
// The formulas live in design/networks.h.

#include "design/networks.h"
#include "platform/designwindow.h"
#include "print/reportpage.h"

class FmNet final : public DesignWindow {
    Q_OBJECT
public:
    explicit FmNet(QWidget* parent = nullptr);

    // The printed page: the fields' texts as shown, and both circuits.
    ReportLayout reportLayout() const;

private:
    void buildControls();
    void Form_Load();
    void Form_Activate() override;
    void btn_Cal_Click();
    void btnPrint_Click();
    void btnExit_Click();
    void Form_Unload() override { btnExit_Click(); }

    // Shows the networks; a missing one leaves its fields as they are.
    void showEqualisation(const std::optional<design::ImpedanceEqualisation>& network);
    void showNotch(const std::optional<design::NotchFilter>& network);
};
