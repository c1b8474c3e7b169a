#include "ui/frmClose.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "ui/boxlayout.h"
#include "ui/boxwindowsupport.h"
#include "ui/driverlibraryui.h"

#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 9000;
constexpr int kHeightTwips = 5880;

// Left block, top to bottom, under the woofer name.
constexpr boxui::FieldRow kRows[] = {
    { "szQts", "Enter Qts:", nullptr, 840 },
    { "szVas", "Enter Vas:", "Cubic Feet", 1260 },
    { "szQd", "Desired Bass Response(Qtc):", "0.5 to 1.5", 1680 },
    { "szFar", "Enter Free Air Resonance:", "Hz", 2100 },
    { "szVcb", "Closed Box Volume:", "Cubic Feet", 2700 },
    { "szFc", "System Resonance:", "Hz", 3120 },
    { "szF3", "Low Frequency Cut-Off(-3dB):", "Hz", 3540 },
};
constexpr boxui::RowColumns kColumns { 240, 3120, 3480, 1320, 1320 };
constexpr int kRightLeft = 6360;
constexpr int kRightWidth = 2400;
constexpr int kButtonTop = 4920;

} // namespace

frmClose::frmClose(QWidget* parent)
    : DesignWindow(
        QStringLiteral("frmClose"), QStringLiteral("Closed Box Design "), QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    setFocusCycle({ QStringLiteral("szQts"), QStringLiteral("szVas"), QStringLiteral("szQd"), QStringLiteral("szFar"),
        QStringLiteral("szISO"), QStringLiteral("szWoofBox") });
    setupYesNoField(field(QStringLiteral("szISO")), &designState().isoFactor, field(QStringLiteral("szQts")));
    onGotFocus(field(QStringLiteral("szVas")), [this] { szVas_GotFocus(); });
    onGotFocus(field(QStringLiteral("szFar")), [this] { szFar_GotFocus(); });
    boxui::showsStoredDriverAndBox(this);
    showsStoredValue("szQd", designState().closedQtc);
    attachDriverLibrary(this, { .name = "szWoofBox", .fs = "szFar", .qts = "szQts", .vas = "szVas" });
}

void frmClose::buildControls()
{
    boxui::BoxLayout layout([this](auto&&... args) { return addLabel(args...); },
        [this](auto&&... args) { return addField(args...); }, [this](auto&&... args) { return addButton(args...); });
    layout.wooferAndIsobaric(kColumns, 2640, kRightLeft, kRightWidth);
    layout.rows(kRows, kColumns);
    layout.overVolumeAndDimensions(kRightLeft, kRightWidth, 2400, 3120, "szH", "szW", "szD");
    boxui::setReadOnly(this, { "szFc", "szF3", "szVover", "szH", "szW", "szD" });
    layout.buttons({ { "btnGraph", "Graph", nullptr, [this] { btnGraph_Click(); } },
                       { "btnCal", "Calculate", "For Volume", [this] { btnCal_Click(); } },
                       { "Command1", "Calculate", "For Qtc", [this] { Command1_Click(); } },
                       { "btnExit", "Exit", nullptr, [this] { btnExit_Click(); } },
                       { "Command2", "Print", nullptr, [this] { Command2_Click(); } } },
        kButtonTop, 300, 300);
}

ClosedBoxInputs frmClose::readInputs() const
{
    ClosedBoxInputs in;
    in.qts = boxui::numberIn(this, QStringLiteral("szQts"));
    in.vas = boxui::numberIn(this, QStringLiteral("szVas"));
    in.fs = boxui::numberIn(this, QStringLiteral("szFar"));
    in.qtc = boxui::numberIn(this, QStringLiteral("szQd"));
    in.typedVb = boxui::numberIn(this, QStringLiteral("szVcb"));
    in.isoFactor = designState().isoFactor;
    return in;
}

void frmClose::takeResult(const ClosedBoxResult& result)
{
    DesignState& state = designState();
    if (!result.design) {
        state.designValid = 0;
        if (result.clearsBoxValid)
            state.boxValid = 0;
        return;
    }
    const ClosedBoxDesign& d = *result.design;
    state.closedVbCalc = d.vbCalc;
    state.closedFc = d.fc;
    state.closedQtcCalc = d.qtcCalc;
    state.closedQtc = d.qtc;
    m_f3 = d.f3;
    boxui::storeAndShowProportions(this, d.box, QStringLiteral("szH"), QStringLiteral("szW"), QStringLiteral("szD"));
    boxui::setTextOf(this, QStringLiteral("szVcb"), formatNumber(d.vbCalc, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szVover"), formatNumber(d.vbOver, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szFc"), formatNumber(d.fc, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szF3"), formatNumber(m_f3, kPattern2));
    state.designValid = 1;
    state.boxValid = 1;
}

void frmClose::btnCal_Click()
{
    designState().designValid = 0;
    const ClosedBoxResult result = closedBoxForVolume(readInputs(), Trigger::Calculate);
    takeResult(result);
    boxui::carryOut(this, result.outcome);
}

void frmClose::Command1_Click()
{
    // A new calculation withdraws the last one until it succeeds, so that a
    // rejected volume is never handed over with the previous design.
    designState().designValid = 0;
    const ClosedBoxResult result = closedBoxForQtc(readInputs());
    takeResult(result);
    if (result.design)
        boxui::setTextOf(this, QStringLiteral("szQd"), numberText(result.design->qtc));
    boxui::carryOut(this, result.outcome);
}

void frmClose::szVas_GotFocus() { checkDesiredQtc(); }

void frmClose::szFar_GotFocus() { checkDesiredQtc(); }

void frmClose::checkDesiredQtc()
{
    boxui::carryOut(this, desiredQtcOnEntry(boxui::numberIn(this, QStringLiteral("szQd"))));
}

void frmClose::Form_Activate()
{
    DesignState& state = designState();
    setWindowReady(1);
    refillField(QStringLiteral("szWoofBox"), state.driverName.trimmed());
    if (!boxui::showStoredDriver(this))
        setWindowReady(0);
    refillField(QStringLiteral("szQd"), state.closedQtc > 0 ? numberText(state.closedQtc) : QStringLiteral(".7"));
    boxui::showIsobaric(this);
    state.designValid = 0;

    Outcome outcome;
    if (windowReady() == 1) {
        const ClosedBoxResult result = closedBoxForVolume(readInputs(), Trigger::Activation);
        takeResult(result);
        outcome = result.outcome;
        // The vented window's stored design no longer matches the shared values.
        state.ventedValid = 0;
    }
    setWindowReady(1);
    field(QStringLiteral("szWoofBox"))->setFocus(Qt::OtherFocusReason);
    boxui::carryOut(this, outcome);
}

void frmClose::storeShownDesign()
{
    boxui::storeFields(this,
        { { "szVas", &DesignState::vas }, { "szVcb", &DesignState::closedVb }, { "szQts", &DesignState::qts },
            { "szFar", &DesignState::fs }, { "szQd", &DesignState::closedQtc } });
    designState().boxType = BoxType::Closed;
}

void frmClose::btnGraph_Click()
{
    boxui::graphHandOver([this] { storeShownDesign(); });
}

void frmClose::Command2_Click()
{
    boxui::printHandOver([this] { storeShownDesign(); });
}

void frmClose::btnExit_Click()
{
    boxui::exitHandOver(
        [this] {
            storeShownDesign();
            // The vented window's stored design no longer matches the shared values.
            designState().ventedValid = 0;
        },
        field(QStringLiteral("szWoofBox"))->text());
    closeWindow();
}
