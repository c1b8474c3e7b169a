#pragma once
// "Speaker Parameters": Qms, Qes, Qts and Vas of a driver from the user's
// impedance measurements. Calculate hands the three Qs to the design state,
// where the box windows find Qts; Exit stores the measurements silently so
// that the window shows them again when it is next opened.

#include "design/drivermeasurement.h"
#include "platform/designwindow.h"

class frmSpeaker final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmSpeaker(QWidget* parent = nullptr);
    static std::span<const FieldEntry> fieldTable();

    // The Vas of the last Calculate, for the printed page.
    float vas() const { return m_vas; }

protected:
    void Form_Activate() override;

private:
    void buildControls();
    design::MeasurementInputs readInputs() const;
    void updateReferenceImpedance();

    void Command1_Click(); // Print
    void Command2_Click(); // Calculate
    void btnExit_Click();
    void Form_Unload() override { btnExit_Click(); }

    float m_vas = 0;
};
