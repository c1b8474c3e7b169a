#pragma once

#include "platform/designwindow.h"

class frmVented final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmVented(QWidget* parent = nullptr);
};
