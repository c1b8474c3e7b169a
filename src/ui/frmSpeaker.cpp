#include "ui/frmSpeaker.h"

frmSpeaker::frmSpeaker(QWidget* parent)
    : DesignWindow(QStringLiteral("frmSpeaker"), QStringLiteral("Speaker Parameters (If Manufactures Specs. Not Available)"), QSize(6000, 6000), parent)
{
}
