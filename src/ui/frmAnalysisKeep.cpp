// The analysis window's Keep and Print: the shown curve kept for
// comparison beside the system file, the analysis page printed.
#include "ui/frmAnalysis.h"

#include "core/messages.h"
#include "graph/keptanalysis.h"
#include "print/analysispage.h"

#include <QComboBox>

namespace {

const Message kNothingShown = msg::plain(QStringLiteral("Nothing to Keep or Print: Hand Over a Box Design First"));

} // namespace

void frmAnalysis::btnKeep_Click() { keepCurve(); }

void frmAnalysis::btnPrint_Click() { printPage(); }

bool frmAnalysis::keepCurve()
{
    const std::optional<analysis::AnalysisInput> in = analysedInput();
    if (!in) {
        showMessage(kNothingShown);
        return false;
    }
    const KeepResult result = keepAnalysisCurve(keptAnalysisCurves(), analysisCurveToKeep(*in, m_chart.curve));
    if (result == KeepResult::Full)
        showMessage(msg::plain(QStringLiteral("At most %1 analysis curves can be kept. Remove them with the "
                                              "chart's Remove Kept Curves first.")
                                   .arg(kMaxKeptCurves)));
    else if (result == KeepResult::NothingToKeep)
        showMessage(msg::plain(QStringLiteral("Nothing to Keep: the %1 needs the driver data the window names.")
                                   .arg(m_curve->currentText())));
    analyseAgain();
    return result == KeepResult::Kept;
}

void frmAnalysis::removeKeptCurves()
{
    keptAnalysisCurves().clear();
    analyseAgain();
}

void frmAnalysis::printPage()
{
    if (const std::optional<analysis::AnalysisInput> in = analysedInput())
        printAnalysisPage(this, *in, keptAnalysisCurves());
    else
        showMessage(kNothingShown);
}
