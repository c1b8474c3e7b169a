#include "ui/frmRadiator.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "ui/boxwindows.h"
#include "ui/driverlibraryui.h"

#include <QLineEdit>

using namespace design;

namespace {

// The isobaric group stands above the woofer name, over its field; the rows
// follow below them.
constexpr int kNameFieldWidth = 3120;
constexpr int kBelowIsobaric = boxwindow::kIsobaricHeight + 45;
constexpr int row(int top) { return top + kBelowIsobaric; }

constexpr int kWidthTwips = 10080;
constexpr int kHeightTwips = row(5400);

constexpr boxwindow::RightColumn kRight { 7080, 2400 };
constexpr FieldPlace left(int top) { return boxwindow::left(row(top)); }

// The isobaric group and the woofer name, the left block top to bottom under
// them, then the right column. szVvb and szVpr stay open: Graph, Print and
// Exit read them back.
constexpr FieldEntry kDesign[] = {
    boxwindow::isobaric("szISO", boxwindow::kLeftBlock.fieldLeft, 240, kNameFieldWidth, "(Enter data for 1 woofer)",
        &DesignState::isoFactor),
    boxwindow::boxWoofer(kNameFieldWidth, Shown::Trimmed, row(240)),
    boxwindow::qtsRow("Enter Driver Qts:", row(840)).noting(".2000 - .4400"),
    boxwindow::vasRow(row(1260)),
    boxwindow::fsRow(row(1680)),
    field("szVd", "Speaker Displacement Volume:", left(2100))
        .in(units::kDisplacement)
        .input("vd")
        .part("vd")
        .shows(&DesignState::radiatorVd, Shown::WithBlank, kOnPrintAndExit),
    field("szVvb", "Vented Box Volume:", left(2700))
        .in(units::kCubicFeet)
        .inputAndResult()
        .stores(&DesignState::closedVb, kOnHandOver),
    field("szFb", "Tuning Frequency:", left(3120)).in(units::kHz).result(),
    field("szF3", "Low Frequency Cut-Off(-3dB):", left(3540)).in(units::kHz).result(),
    field("szVpr", "Suggested Radiator Volume:", left(3960))
        .in(units::kDisplacement)
        .inputAndResult()
        .stores(&DesignState::radiatorVpr, kOnPrintAndExit),
    boxwindow::overVolume(kRight, row(1980)),
};
constexpr auto kDimensionRows = boxwindow::dimensions(kRight, row(2820), "szH1", "szW1", "szD1");
constexpr auto kFields = joinFields(kDesign, kDimensionRows);

constexpr int kButtonGap = boxwindow::evenButtonGap(kWidthTwips);
constexpr ButtonRow kButtons { row(4620), kButtonGap, kButtonGap };

} // namespace

frmRadiator::frmRadiator(QWidget* parent)
    : DesignWindow(
        QStringLiteral("frmRadiator"), QStringLiteral("Passive Radiator"), QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    setFocusCycle({ QStringLiteral("szWoofBox"), QStringLiteral("szQts"), QStringLiteral("szVas"),
        QStringLiteral("szFar"), QStringLiteral("szVd"), QStringLiteral("szISO") });
    setupYesNoField(QStringLiteral("szISO"), QStringLiteral("szQts"));
    attachDriverLibrary(this);
    boxwindow::attachAnalysis(this, [this](Moment m) { storeShownDesign(m); });
}

std::span<const FieldEntry> frmRadiator::fieldTable() { return kFields; }

void frmRadiator::buildControls()
{
    declareFields(kFields);
    buildFields(kDesign);
    boxwindow::buildDimensions(this, kDimensionRows, kRight);
    addButtonRow(
        { { "btnGraph", "Graph", [this] { btnGraph_Click(); } },
            { "Command1", "Calculate", [this] { Command1_Click(); } },
            { "btnExit", "Exit", [this] { btnExit_Click(); } }, { "Command2", "Print", [this] { Command2_Click(); } } },
        kButtons);
}

RadiatorInputs frmRadiator::readInputs() const
{
    RadiatorInputs in;
    in.qts = numberIn(QStringLiteral("szQts"));
    in.vas = numberIn(QStringLiteral("szVas"));
    in.fs = numberIn(QStringLiteral("szFar"));
    in.vd = numberIn(QStringLiteral("szVd"));
    in.isoFactor = designState().isoFactor;
    return in;
}

void frmRadiator::takeResult(const RadiatorResult& result)
{
    if (!result.design) {
        designState().designValid = 0;
        return;
    }
    const RadiatorDesign& d = *result.design;
    m_design = d;
    if (d.vpr)
        showNumber(QStringLiteral("szVpr"), *d.vpr, kPattern2);
    m_f3 = d.f3;
    showNumber(QStringLiteral("szFb"), d.fb, kPattern2);
    showNumber(QStringLiteral("szF3"), m_f3, kPattern2);
    showNumber(QStringLiteral("szVvb"), d.vb, kPattern2);
    showNumber(QStringLiteral("szVover"), d.overVolume, kPattern2);
    designState().designValid = 1;
    boxwindow::showProportions(this, d.box, QStringLiteral("szH1"), QStringLiteral("szW1"), QStringLiteral("szD1"));
}

void frmRadiator::Command1_Click()
{
    designState().designValid = 0;
    const RadiatorResult result = radiatorDesign(readInputs(), Trigger::Calculate);
    takeResult(result);
    carryOut(result.outcome);
}

// Opening, a load, or a return without a design of its own: the fields from
// the design state and, with all four inputs present, the table's design.
// A return to its own design designs again only when another window changed
// one of the inputs meanwhile (the table knows no other way to follow a new
// driver). Activation hands nothing over: the vented design stays valid.
void frmRadiator::Form_Activate()
{
    DesignState& state = designState();
    const bool ownDesign = !fillsAfresh() && state.designValid == 1;
    setWindowReady(1);
    state.recalcBusy = 0;
    if (!fillFields())
        setWindowReady(0);

    Outcome outcome;
    if (windowReady() == 1 && (!ownDesign || boxwindow::takesOverDriver(this))) {
        state.designValid = 0;
        const RadiatorResult result = radiatorDesign(readInputs(), Trigger::Activation);
        takeResult(result);
        outcome = result.outcome;
    }
    setWindowReady(1);
    field(QStringLiteral("szQts"))->setFocus(Qt::OtherFocusReason);
    carryOut(outcome);
}

// The graph and the report take the volume from closedVb (the field as
// shown) and the tuning from ventedFb; the two shared values no longer hold
// a vented design.
void frmRadiator::storeShownDesign(Moment moment)
{
    DesignState& state = designState();
    storeFields(moment);
    state.ventedVb = m_design.vb;
    state.ventedFb = m_design.fb;
    state.ventedValid = 0;
    boxwindow::handOverBox(m_design.box);
    state.boxType = BoxType::Radiator;
}

void frmRadiator::btnGraph_Click()
{
    boxwindow::graphHandOver([this](Moment m) { storeShownDesign(m); });
}

void frmRadiator::Command2_Click()
{
    boxwindow::printHandOver([this](Moment m) { storeShownDesign(m); });
}

void frmRadiator::Form_HandOver()
{
    boxwindow::saveHandOver([this](Moment m) { storeShownDesign(m); });
}

void frmRadiator::btnExit_Click()
{
    boxwindow::exitHandOver([this](Moment m) { storeShownDesign(m); });
    closeWindow();
}
