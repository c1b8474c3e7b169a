#pragma once
// The crossover selector: six buttons for the six crossover designs. The
// passive ones record the chosen slope (xoverIs12dB) before their window
// opens, so that its activation already sees it; the active ones leave it.

#include "platform/designwindow.h"

class frmCross final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmCross(QWidget* parent = nullptr);

private:
    void btn6db2p_Click();
    void btn12db2p_Click();
    void btn6db3p_Click();
    void btn12db3p_Click();
    void btn6db2a_Click();
    void btn6db3a_Click();
    void btnExit_Click();
};
