#pragma once
// "Compensating Networks": the series notch filter that flattens a driver's
// impedance peak at resonance and the impedance equalisation that cancels
// the rise from its voice-coil inductance, both wired in parallel with the
// driver. Opening (and the first activation after a load) shows the networks
// of the stored inputs; Calculate stores the inputs and computes again, and
// Save System stores them as Calculate would; Print prints the page with both
// circuits.
// The formulas live in design/networks.h.

#include "design/networks.h"
#include "platform/designwindow.h"
#include "print/reportpage.h"

class FmNet final : public DesignWindow {
    Q_OBJECT
public:
    explicit FmNet(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

    // The printed page: the fields' texts as shown, and both circuits.
    ReportLayout reportLayout() const;

protected:
    OnSave savedOnSave() const override { return OnSave::OwnValues; }
    void Form_HandOver() override;

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
    // The inputs as Calculate stores them; true when a network was computed.
    bool storeInputs(const std::optional<design::ImpedanceEqualisation>& equalisation,
        const std::optional<design::NotchFilter>& notch);
};
