#include "ui/frmRadiator.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "ui/boxwindows.h"
#include "ui/driverlibraryui.h"

#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 10080;
constexpr int kHeightTwips = 5400;

constexpr boxwindow::RightColumn kRight { 7080, 2400 };
using boxwindow::left;

// The left block top to bottom under the woofer name, then the right column.
// szVvb and szVpr stay open: Graph, Print and Exit read them back.
constexpr FieldEntry kDesign[] = {
    boxwindow::woofer("szWoofBox", boxwindow::kLeftBlock, 3120),
    boxwindow::isobaric("szISO", kRight.left, 240, kRight.width, "(Enter data for 1 woofer)"),
    field("szQts", "Enter Driver Qts:", left(840)).noting(".2000 - .4400").input("qts", Accepts::Positive),
    boxwindow::vasRow(1260),
    boxwindow::fsRow(1680),
    field("szVd", "Speaker Displacement Volume:", left(2100)).in(units::kDisplacement).input("vd"),
    field("szVvb", "Vented Box Volume:", left(2700)).in(units::kCubicFeet).inputAndResult(),
    field("szFb", "Tuning Frequency:", left(3120)).in(units::kHz).result(),
    field("szF3", "Low Frequency Cut-Off(-3dB):", left(3540)).in(units::kHz).result(),
    field("szVpr", "Suggested Radiator Volume:", left(3960)).in(units::kDisplacement).inputAndResult(),
    boxwindow::overVolume(kRight, 1980),
};
constexpr auto kDimensionRows = boxwindow::dimensions(kRight, 2820, "szH1", "szW1", "szD1");
constexpr auto kFields = joinFields(kDesign, kDimensionRows);

constexpr int kButtonGap = boxwindow::evenButtonGap(kWidthTwips);
constexpr ButtonRow kButtons { 4620, kButtonGap, kButtonGap };

} // namespace

frmRadiator::frmRadiator(QWidget* parent)
    : DesignWindow(
        QStringLiteral("frmRadiator"), QStringLiteral("Passive Radiator"), QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    setFocusCycle({ QStringLiteral("szWoofBox"), QStringLiteral("szQts"), QStringLiteral("szVas"),
        QStringLiteral("szFar"), QStringLiteral("szVd"), QStringLiteral("szISO") });
    setupYesNoField(field(QStringLiteral("szISO")), &designState().isoFactor, field(QStringLiteral("szQts")));
    const DesignState& state = designState();
    boxwindow::showsStoredDriverAndBox(this);
    showsStoredValue("szVd", state.radiatorVd);
    showsStoredValue(nullptr, state.ventedVb);
    showsStoredValue(nullptr, state.ventedFb);
    attachDriverLibrary(this, driverFieldsIn(kFields));
}

void frmRadiator::buildControls()
{
    declareFields(kFields);
    buildFields(kDesign);
    boxwindow::buildDimensions(this, kDimensionRows, kRight);
    setReadOnly({ "szFb", "szF3", "szVover", "szH1", "szW1", "szD1" });
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
    DesignState& state = designState();
    if (!result.design) {
        state.designValid = 0;
        return;
    }
    const RadiatorDesign& d = *result.design;
    if (d.vpr)
        setFieldText(QStringLiteral("szVpr"), formatNumber(*d.vpr, kPattern2));
    state.ventedFb = d.fb;
    state.ventedVb = d.vb;
    m_f3 = d.f3;
    setFieldText(QStringLiteral("szFb"), formatNumber(d.fb, kPattern2));
    setFieldText(QStringLiteral("szF3"), formatNumber(m_f3, kPattern2));
    setFieldText(QStringLiteral("szVvb"), formatNumber(d.vb, kPattern2));
    setFieldText(QStringLiteral("szVover"), formatNumber(d.overVolume, kPattern2));
    state.designValid = 1;
    boxwindow::storeAndShowProportions(
        this, d.box, QStringLiteral("szH1"), QStringLiteral("szW1"), QStringLiteral("szD1"));
}

void frmRadiator::Command1_Click()
{
    designState().designValid = 0;
    const RadiatorResult result = radiatorDesign(readInputs(), Trigger::Calculate);
    takeResult(result);
    carryOut(result.outcome);
}

void frmRadiator::Form_Activate()
{
    DesignState& state = designState();
    setWindowReady(1);
    state.recalcBusy = 0;
    refillField(QStringLiteral("szWoofBox"), state.driverName.trimmed());
    bool complete = boxwindow::showStoredDriver(this);
    if (state.radiatorVd > 0)
        refillField(QStringLiteral("szVd"), numberText(state.radiatorVd));
    else
        complete = false;
    if (!complete)
        setWindowReady(0);
    boxwindow::showIsobaric(this);

    Outcome outcome;
    if (windowReady() == 1) {
        const RadiatorResult result = radiatorDesign(readInputs(), Trigger::Activation);
        takeResult(result);
        outcome = result.outcome;
        // ventedVb and ventedFb no longer hold a vented-box design.
        state.ventedValid = 0;
    }
    setWindowReady(1);
    field(QStringLiteral("szQts"))->setFocus(Qt::OtherFocusReason);
    carryOut(outcome);
}

void frmRadiator::storeShownDesign()
{
    DesignState& state = designState();
    storeFields({ { "szVas", &DesignState::vas }, { "szVvb", &DesignState::closedVb }, { "szQts", &DesignState::qts },
        { "szFar", &DesignState::fs } });
    state.boxType = BoxType::Radiator;
    state.boxValid = 1;
}

void frmRadiator::storeForReport()
{
    storeShownDesign();
    storeFields({ { "szVd", &DesignState::radiatorVd }, { "szVpr", &DesignState::radiatorVpr } });
}

void frmRadiator::btnGraph_Click()
{
    boxwindow::graphHandOver([this] { storeShownDesign(); });
}

void frmRadiator::Command2_Click()
{
    boxwindow::printHandOver([this] { storeForReport(); });
}

void frmRadiator::btnExit_Click()
{
    boxwindow::exitHandOver(
        [this] {
            storeForReport();
            designState().ventedValid = 0;
        },
        field(QStringLiteral("szWoofBox"))->text());
    closeWindow();
}
