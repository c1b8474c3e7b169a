#pragma once

#include "platform/designwindow.h"

class frmSpeaker final : public DesignWindow {
    Q_OBJECT
public:
    explicit frmSpeaker(QWidget* parent = nullptr);
};
