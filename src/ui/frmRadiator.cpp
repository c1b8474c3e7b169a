#include "ui/frmRadiator.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "ui/boxlayout.h"
#include "ui/boxwindowsupport.h"
#include "ui/driverlibraryui.h"

#include <QLabel>
#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 10080;
constexpr int kHeightTwips = 5400;

// Left block, top to bottom, under the woofer name. The two displacement
// volumes get their unit (with superscripts) separately.
constexpr boxui::FieldRow kRows[] = {
    { "szQts", "Enter Driver Qts:", ".2000 - .4400", 840 },
    { "szVas", "Enter Vas:", "Cubic Feet", 1260 },
    { "szFar", "Enter Free Air Resonance:", "Hz", 1680 },
    { "szVd", "Speaker Displacement Volume:", nullptr, 2100 },
    { "szVvb", "Vented Box Volume:", "Cubic Feet", 2700 },
    { "szFb", "Tuning Frequency:", "Hz", 3120 },
    { "szF3", "Low Frequency Cut-Off(-3dB):", "Hz", 3540 },
    { "szVpr", "Suggested Radiator Volume:", nullptr, 3960 },
};
constexpr boxui::RowColumns kColumns { 240, 3120, 3480, 1320, 1320 };
constexpr int kUnitLeft = 3480 + 1320 + 90;
constexpr int kRightLeft = 7080;
constexpr int kRightWidth = 2400;

constexpr int kButtonTop = 4620;
constexpr int kButtonGap = (kWidthTwips - 4 * 1440) / 5;

// m³ × 10⁻⁴, the unit of both displacement volumes.
const QString kDisplacementUnit = QStringLiteral("m<sup>3</sup> X 10<sup>-4</sup>");

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
    boxui::showsStoredDriverAndBox(this);
    showsStoredValue("szVd", state.radiatorVd);
    showsStoredValue(nullptr, state.ventedVb);
    showsStoredValue(nullptr, state.ventedFb);
    attachDriverLibrary(this, { .name = "szWoofBox", .fs = "szFar", .qts = "szQts", .vas = "szVas", .vd = "szVd" });
}

void frmRadiator::buildControls()
{
    boxui::BoxLayout layout([this](auto&&... args) { return addLabel(args...); },
        [this](auto&&... args) { return addField(args...); }, [this](auto&&... args) { return addButton(args...); });
    layout.wooferAndIsobaric(kColumns, 3120, kRightLeft, kRightWidth, "(Enter data for 1 woofer)");
    layout.rows(kRows, kColumns);
    for (int top : { 2100, 3960 })
        layout.caption(kDisplacementUnit, kUnitLeft, top, kColumns.unitWidth, Qt::AlignLeft)
            ->setTextFormat(Qt::RichText);
    layout.overVolumeAndDimensions(kRightLeft, kRightWidth, 1980, 2820, "szH1", "szW1", "szD1");
    // szVvb and szVpr stay open: Graph, Print and Exit read them back.
    boxui::setReadOnly(this, { "szFb", "szF3", "szVover", "szH1", "szW1", "szD1" });
    layout.buttons({ { "btnGraph", "Graph", nullptr, [this] { btnGraph_Click(); } },
                       { "Command1", "Calculate", nullptr, [this] { Command1_Click(); } },
                       { "btnExit", "Exit", nullptr, [this] { btnExit_Click(); } },
                       { "Command2", "Print", nullptr, [this] { Command2_Click(); } } },
        kButtonTop, kButtonGap, kButtonGap);
}

RadiatorInputs frmRadiator::readInputs() const
{
    RadiatorInputs in;
    in.qts = boxui::numberIn(this, QStringLiteral("szQts"));
    in.vas = boxui::numberIn(this, QStringLiteral("szVas"));
    in.fs = boxui::numberIn(this, QStringLiteral("szFar"));
    in.vd = boxui::numberIn(this, QStringLiteral("szVd"));
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
        boxui::setTextOf(this, QStringLiteral("szVpr"), formatNumber(*d.vpr, kPattern2));
    state.ventedFb = d.fb;
    state.ventedVb = d.vb;
    m_f3 = d.f3;
    boxui::setTextOf(this, QStringLiteral("szFb"), formatNumber(d.fb, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szF3"), formatNumber(m_f3, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szVvb"), formatNumber(d.vb, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szVover"), formatNumber(d.overVolume, kPattern2));
    state.designValid = 1;
    boxui::storeAndShowProportions(this, d.box, QStringLiteral("szH1"), QStringLiteral("szW1"), QStringLiteral("szD1"));
}

void frmRadiator::Command1_Click()
{
    designState().designValid = 0;
    const RadiatorResult result = radiatorDesign(readInputs(), Trigger::Calculate);
    takeResult(result);
    boxui::carryOut(this, result.outcome);
}

void frmRadiator::Form_Activate()
{
    DesignState& state = designState();
    setWindowReady(1);
    state.recalcBusy = 0;
    refillField(QStringLiteral("szWoofBox"), state.driverName.trimmed());
    bool complete = boxui::showStoredDriver(this);
    if (state.radiatorVd > 0)
        refillField(QStringLiteral("szVd"), numberText(state.radiatorVd));
    else
        complete = false;
    if (!complete)
        setWindowReady(0);
    boxui::showIsobaric(this);

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
    boxui::carryOut(this, outcome);
}

void frmRadiator::storeShownDesign()
{
    DesignState& state = designState();
    boxui::storeFields(this,
        { { "szVas", &DesignState::vas }, { "szVvb", &DesignState::closedVb }, { "szQts", &DesignState::qts },
            { "szFar", &DesignState::fs } });
    state.boxType = BoxType::Radiator;
    state.boxValid = 1;
}

void frmRadiator::storeForReport()
{
    storeShownDesign();
    boxui::storeFields(this, { { "szVd", &DesignState::radiatorVd }, { "szVpr", &DesignState::radiatorVpr } });
}

void frmRadiator::btnGraph_Click()
{
    boxui::graphHandOver([this] { storeShownDesign(); });
}

void frmRadiator::Command2_Click()
{
    boxui::printHandOver([this] { storeForReport(); });
}

void frmRadiator::btnExit_Click()
{
    boxui::exitHandOver(
        [this] {
            storeForReport();
            designState().ventedValid = 0;
        },
        field(QStringLiteral("szWoofBox"))->text());
    closeWindow();
}
