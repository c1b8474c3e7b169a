#pragma once

#include "platform/designwindow.h"

class frmClose final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmClose(QWidget* parent = nullptr);
};
