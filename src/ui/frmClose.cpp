#include "ui/frmClose.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "ui/boxwindows.h"
#include "ui/driverlibraryui.h"

#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 9000;
constexpr int kHeightTwips = 5880;

constexpr boxwindow::RightColumn kRight { 6360, 2400 };
using boxwindow::left;

// The left block top to bottom under the woofer name, then the right column.
constexpr FieldEntry kDesign[] = {
    boxwindow::boxWoofer(2640),
    boxwindow::isobaric("szISO", kRight.left, 240, kRight.width, "Enter data for 1 woofer", &DesignState::isoFactor),
    boxwindow::qtsRow("Enter Qts:", 840),
    boxwindow::vasRow(1260),
    field("szQd", "Desired Bass Response(Qtc):", left(1680))
        .noting("0.5 to 1.5")
        .inputAndResult("qtc")
        .shows(&DesignState::closedQtc, Shown::WithBlank, kOnHandOver)
        .orElse(".7"),
    boxwindow::fsRow(2100),
    field("szVcb", "Closed Box Volume:", left(2700))
        .in(units::kCubicFeet)
        .inputAndResult("vb", Accepts::Positive)
        .stores(&DesignState::closedVb, kOnHandOver),
    field("szFc", "System Resonance:", left(3120)).in(units::kHz).result(),
    field("szF3", "Low Frequency Cut-Off(-3dB):", left(3540)).in(units::kHz).result(),
    boxwindow::overVolume(kRight, 2400),
};
constexpr auto kDimensionRows = boxwindow::dimensions(kRight, 3120, "szH", "szW", "szD");
constexpr auto kFields = joinFields(kDesign, kDimensionRows);

constexpr ButtonRow kButtons { 4920, 300, 300 };

} // namespace

frmClose::frmClose(QWidget* parent)
    : DesignWindow(
        QStringLiteral("frmClose"), QStringLiteral("Closed Box Design "), QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    setFocusCycle({ QStringLiteral("szQts"), QStringLiteral("szVas"), QStringLiteral("szQd"), QStringLiteral("szFar"),
        QStringLiteral("szISO"), QStringLiteral("szWoofBox") });
    setupYesNoField(QStringLiteral("szISO"), QStringLiteral("szQts"));
    onGotFocus(field(QStringLiteral("szVas")), [this] { szVas_GotFocus(); });
    onGotFocus(field(QStringLiteral("szFar")), [this] { szFar_GotFocus(); });
    attachDriverLibrary(this);
    boxwindow::attachAnalysis(this, [this](Moment m) { storeShownDesign(m); });
}

std::span<const FieldEntry> frmClose::fieldTable() { return kFields; }

void frmClose::buildControls()
{
    declareFields(kFields);
    buildFields(kDesign);
    boxwindow::buildDimensions(this, kDimensionRows, kRight);
    addButtonRow(
        { { "btnGraph", "Graph", [this] { btnGraph_Click(); } },
            { "btnCal", "Calculate", [this] { btnCal_Click(); }, "For Volume" },
            { "Command1", "Calculate", [this] { Command1_Click(); }, "For Qtc" },
            { "btnExit", "Exit", [this] { btnExit_Click(); } }, { "Command2", "Print", [this] { Command2_Click(); } } },
        kButtons);
}

ClosedBoxInputs frmClose::readInputs() const
{
    ClosedBoxInputs in;
    in.qts = numberIn(QStringLiteral("szQts"));
    in.vas = numberIn(QStringLiteral("szVas"));
    in.fs = numberIn(QStringLiteral("szFar"));
    in.qtc = numberIn(QStringLiteral("szQd"));
    in.typedVb = numberIn(QStringLiteral("szVcb"));
    in.isoFactor = designState().isoFactor;
    return in;
}

void frmClose::takeResult(const ClosedBoxResult& result)
{
    DesignState& state = designState();
    if (!result.design) {
        state.designValid = 0;
        return;
    }
    const ClosedBoxDesign& d = *result.design;
    state.closedVbCalc = d.vbCalc;
    state.closedFc = d.fc;
    state.closedQtcCalc = d.qtcCalc;
    storeComputed("szQd", d.qtc);
    m_f3 = d.f3;
    m_box = d.box;
    boxwindow::showProportions(this, d.box, QStringLiteral("szH"), QStringLiteral("szW"), QStringLiteral("szD"));
    showNumber(QStringLiteral("szVcb"), d.vbCalc, kPattern2);
    showNumber(QStringLiteral("szVover"), d.vbOver, kPattern2);
    showNumber(QStringLiteral("szFc"), d.fc, kPattern2);
    showNumber(QStringLiteral("szF3"), m_f3, kPattern2);
    state.designValid = 1;
}

void frmClose::offerOrWithdraw(const ClosedBoxResult& result)
{
    DesignState& state = designState();
    if (result.design)
        state.boxValid = 1;
    else if (result.clearsBoxValid)
        state.boxValid = 0;
}

void frmClose::btnCal_Click()
{
    designState().designValid = 0;
    const ClosedBoxResult result = closedBoxForVolume(readInputs(), Trigger::Calculate);
    takeResult(result);
    offerOrWithdraw(result);
    carryOut(result.outcome);
}

void frmClose::Command1_Click()
{
    // A new calculation withdraws the last one until it succeeds, so that a
    // rejected volume is never handed over with the previous design.
    designState().designValid = 0;
    const ClosedBoxResult result = closedBoxForQtc(readInputs());
    takeResult(result);
    offerOrWithdraw(result);
    if (result.design)
        setFieldText(QStringLiteral("szQd"), numberText(result.design->qtc));
    carryOut(result.outcome);
}

void frmClose::szVas_GotFocus() { checkDesiredQtc(); }

void frmClose::szFar_GotFocus() { checkDesiredQtc(); }

void frmClose::checkDesiredQtc() { carryOut(desiredQtcOnEntry(numberIn(QStringLiteral("szQd")))); }

// Opening, a load, or a return without a design of its own: the fields from
// the design state and the volume for the desired Qtc. A return to its own
// design keeps it; when another window changed the driver meanwhile, the
// box stays and shows the Qtc, resonance and cut-off the new driver has in
// it, as "Calculate" For Qtc would. Activation hands nothing over.
void frmClose::Form_Activate()
{
    DesignState& state = designState();
    const bool ownDesign = !fillsAfresh() && state.designValid == 1;
    setWindowReady(1);
    if (!fillFields())
        setWindowReady(0);

    Outcome outcome;
    if (!ownDesign || boxwindow::takesOverDriver(this)) {
        state.designValid = 0;
        if (windowReady() == 1) {
            const ClosedBoxResult result
                = ownDesign ? closedBoxForQtc(readInputs()) : closedBoxForVolume(readInputs(), Trigger::Activation);
            takeResult(result);
            if (ownDesign && result.design)
                setFieldText(QStringLiteral("szQd"), numberText(result.design->qtc));
            outcome = result.outcome;
        }
    }
    setWindowReady(1);
    field(QStringLiteral("szWoofBox"))->setFocus(Qt::OtherFocusReason);
    carryOut(outcome);
}

void frmClose::storeShownDesign(Moment moment)
{
    storeFields(moment);
    boxwindow::handOverBox(m_box);
    designState().boxType = BoxType::Closed;
}

void frmClose::btnGraph_Click()
{
    boxwindow::graphHandOver([this](Moment m) { storeShownDesign(m); });
}

void frmClose::Command2_Click()
{
    boxwindow::printHandOver([this](Moment m) { storeShownDesign(m); });
}

void frmClose::Form_HandOver()
{
    boxwindow::saveHandOver([this](Moment m) { storeShownDesign(m); });
}

void frmClose::btnExit_Click()
{
    boxwindow::exitHandOver([this](Moment m) {
        storeShownDesign(m);
        // The closed design replaces the vented one: reopened, the vented
        // window designs afresh.
        designState().ventedValid = 0;
    });
    closeWindow();
}
