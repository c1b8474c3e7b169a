#include "ui/frmClose.h"

frmClose::frmClose(QWidget* parent)
    : DesignWindow(QStringLiteral("frmClose"), QStringLiteral("Closed Box Design "), QSize(6000, 6000), parent)
{
}
