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
    boxwindow::woofer("szWoofBox", boxwindow::kLeftBlock, 2640),
    boxwindow::isobaric("szISO", kRight.left, 240, kRight.width, "Enter data for 1 woofer"),
    field("szQts", "Enter Qts:", left(840)).input("qts", Accepts::Positive),
    boxwindow::vasRow(1260),
    field("szQd", "Desired Bass Response(Qtc):", left(1680)).noting("0.5 to 1.5").inputAndResult("qtc"),
    boxwindow::fsRow(2100),
    field("szVcb", "Closed Box Volume:", left(2700)).in(units::kCubicFeet).inputAndResult("vb", Accepts::Positive),
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
    setupYesNoField(field(QStringLiteral("szISO")), &designState().isoFactor, field(QStringLiteral("szQts")));
    onGotFocus(field(QStringLiteral("szVas")), [this] { szVas_GotFocus(); });
    onGotFocus(field(QStringLiteral("szFar")), [this] { szFar_GotFocus(); });
    boxwindow::showsStoredDriverAndBox(this);
    showsStoredValue("szQd", designState().closedQtc);
    attachDriverLibrary(this, driverFieldsIn(kFields));
}

void frmClose::buildControls()
{
    declareFields(kFields);
    buildFields(kDesign);
    boxwindow::buildDimensions(this, kDimensionRows, kRight);
    setReadOnly({ "szFc", "szF3", "szVover", "szH", "szW", "szD" });
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
    boxwindow::storeAndShowProportions(
        this, d.box, QStringLiteral("szH"), QStringLiteral("szW"), QStringLiteral("szD"));
    setFieldText(QStringLiteral("szVcb"), formatNumber(d.vbCalc, kPattern2));
    setFieldText(QStringLiteral("szVover"), formatNumber(d.vbOver, kPattern2));
    setFieldText(QStringLiteral("szFc"), formatNumber(d.fc, kPattern2));
    setFieldText(QStringLiteral("szF3"), formatNumber(m_f3, kPattern2));
    state.designValid = 1;
    state.boxValid = 1;
}

void frmClose::btnCal_Click()
{
    designState().designValid = 0;
    const ClosedBoxResult result = closedBoxForVolume(readInputs(), Trigger::Calculate);
    takeResult(result);
    carryOut(result.outcome);
}

void frmClose::Command1_Click()
{
    // A new calculation withdraws the last one until it succeeds, so that a
    // rejected volume is never handed over with the previous design.
    designState().designValid = 0;
    const ClosedBoxResult result = closedBoxForQtc(readInputs());
    takeResult(result);
    if (result.design)
        setFieldText(QStringLiteral("szQd"), numberText(result.design->qtc));
    carryOut(result.outcome);
}

void frmClose::szVas_GotFocus() { checkDesiredQtc(); }

void frmClose::szFar_GotFocus() { checkDesiredQtc(); }

void frmClose::checkDesiredQtc() { carryOut(desiredQtcOnEntry(numberIn(QStringLiteral("szQd")))); }

void frmClose::Form_Activate()
{
    DesignState& state = designState();
    setWindowReady(1);
    refillField(QStringLiteral("szWoofBox"), state.driverName.trimmed());
    if (!boxwindow::showStoredDriver(this))
        setWindowReady(0);
    refillField(QStringLiteral("szQd"), state.closedQtc > 0 ? numberText(state.closedQtc) : QStringLiteral(".7"));
    boxwindow::showIsobaric(this);
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
    carryOut(outcome);
}

void frmClose::storeShownDesign()
{
    storeFields({ { "szVas", &DesignState::vas }, { "szVcb", &DesignState::closedVb }, { "szQts", &DesignState::qts },
        { "szFar", &DesignState::fs }, { "szQd", &DesignState::closedQtc } });
    designState().boxType = BoxType::Closed;
}

void frmClose::btnGraph_Click()
{
    boxwindow::graphHandOver([this] { storeShownDesign(); });
}

void frmClose::Command2_Click()
{
    boxwindow::printHandOver([this] { storeShownDesign(); });
}

void frmClose::btnExit_Click()
{
    boxwindow::exitHandOver(
        [this] {
            storeShownDesign();
            // The vented window's stored design no longer matches the shared values.
            designState().ventedValid = 0;
        },
        field(QStringLiteral("szWoofBox"))->text());
    closeWindow();
}
