#pragma once
// The main window: the hub from which every design window is opened. Its
// start-up sets the design state's start values, opens the chart engine and
// takes the default printer; its buttons load and save the system file,
// print the box data report, open the help and end the program.

#include "platform/designwindow.h"

class FrmTlv final : public DesignWindow {
    Q_OBJECT
public:
    explicit FrmTlv(QWidget* parent = nullptr);

private:
    void Form_Load();
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
};
