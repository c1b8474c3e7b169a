#include "ui/frmVented.h"

frmVented::frmVented(QWidget* parent)
    : DesignWindow(QStringLiteral("frmVented"), QStringLiteral("Vented Box Design"), QSize(6000, 6000), parent)
{
}
