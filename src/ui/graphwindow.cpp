#include "ui/graphwindow.h"

#include "graph/CBGRAPH1.h"
#include "ui/frmAnalysis.h"

CBGRAPH1* openGraph()
{
    CBGRAPH1::setAnalysisOpener([] { openAnalysis(); });
    return openWindow<CBGRAPH1>();
}
