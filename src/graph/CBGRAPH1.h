#pragma once

#include "platform/designwindow.h"

class CBGRAPH1 final : public DesignWindow {
    Q_OBJECT
public:
    explicit CBGRAPH1(QWidget* parent = nullptr);
};
