#include "graph/CBGRAPH1.h"

CBGRAPH1::CBGRAPH1(QWidget* parent)
    : DesignWindow(QStringLiteral("CBGRAPH1"), QStringLiteral("Frequency Graph"), QSize(9492, 6816), parent)
{
}
