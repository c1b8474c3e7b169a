#pragma once
// The main window: the hub from which every design window is opened. Its
// start-up sets the design state's start values, opens the chart engine and
// takes the default printer; its buttons load and save the system file,
// print the box data report, open the help and end the program. Save System
// saves the designs the open windows show. Ending the program (by Exit or by
// closing this window) and Load System ask first whether to save a design
// that changed since it was last saved or loaded, counting what the open
// windows would hand over; Cancel leaves every window as it was.

#include "platform/designwindow.h"

class FrmTlv final : public DesignWindow {
    Q_OBJECT
public:
    explicit FrmTlv(QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    // True when the design may be given up: unchanged, saved, or discarded.
    bool nothingUnsavedIsLost(const QString& question);
    bool saveShownDesign();
    void endProgram();
    void BtnCB_Click();
    void BtnVB_Click();
    void BtnPR_Click();
    void BtnBP_Click();
    void BtnSpeaker_Click();
    void BtnLoad_Click();
    void BtnExit_Click();
    void btnCross_Click();
    void Command8_Click();
    void btn_Coil_Click();
    void Command4_Click();
    void Command6_Click();
    void Command9_Click();

    bool m_ending = false;
};
