#include "ui/frmVented.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "ui/boxwindows.h"
#include "ui/driverlibraryui.h"

#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 10080;
constexpr int kHeightTwips = 6120;

constexpr boxwindow::RightColumn kRight { 7080, 2400 };
using boxwindow::left;

// The left block top to bottom under the woofer name, then the right column.
constexpr FieldEntry kDesign[] = {
    boxwindow::boxWoofer(3120, Shown::WithoutPadding),
    boxwindow::isobaric("szISO", kRight.left, 240, kRight.width, "Enter data for 1 woofer", &DesignState::isoFactor),
    boxwindow::qtsRow("Enter Driver Qts:", 840),
    boxwindow::vasRow(1260),
    boxwindow::fsRow(1680),
    field("szVvb", "Vented Box Volume:", left(2280)).in(units::kCubicFeet).inputAndResult("vb", Accepts::Positive),
    field("szFb", "Tuning Frequency:", left(2700)).in(units::kHz).inputAndResult("fb", Accepts::Positive),
    field("szF3", "Low Frequency Cut-Off(-3dB):", left(3120)).in(units::kHz).result(),
    field("szH", "Hump or Dip:", left(3540)).in(units::kDecibel).result(),
    boxwindow::overVolume(kRight, 1980),
};
constexpr auto kDimensionRows = boxwindow::dimensions(kRight, 2820, "szH1", "szW1", "szD1");
constexpr auto kPortCells = boxwindow::portCells(4440);
constexpr auto kFields = joinFields(kDesign, kDimensionRows, kPortCells);

constexpr int kButtonGap = boxwindow::evenButtonGap(kWidthTwips);
constexpr ButtonRow kButtons { 5340, kButtonGap, kButtonGap };

// The window's own variables keep their values while the program runs, also
// while the window is closed: the next activation shows the stored design
// with the hump or dip last shown.
struct WindowVariables {
    float humpDip = 0; // dB, as szH showed it
    float shownVb = 0; // cubic feet, as szVvb showed it after Calculate or activation
};
WindowVariables& windowVariables()
{
    static WindowVariables variables;
    return variables;
}

} // namespace

frmVented::frmVented(QWidget* parent)
    : DesignWindow(
        QStringLiteral("frmVented"), QStringLiteral("Vented Box Design"), QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    setFocusCycle({ QStringLiteral("szWoofBox"), QStringLiteral("szQts"), QStringLiteral("szVas"),
        QStringLiteral("szFar"), QStringLiteral("szISO") });
    setEnterTarget(field(QStringLiteral("szFb")), field(QStringLiteral("szWoofBox")));
    setEnterTarget(field(QStringLiteral("szVvb")), field(QStringLiteral("szWoofBox")));
    setupYesNoField(QStringLiteral("szISO"), QStringLiteral("szQts"));
    onLostFocus(field(QStringLiteral("szFb")), [this] { szFb_LostFocus(); });
    onLostFocus(field(QStringLiteral("szVvb")), [this] { szVvb_LostFocus(); });
    attachDriverLibrary(this);
    boxwindow::attachAnalysis(this, [this](Moment m) { storeShownDesign(m); });
}

std::span<const FieldEntry> frmVented::fieldTable() { return kFields; }

void frmVented::buildControls()
{
    declareFields(kFields);
    buildFields(kDesign);
    boxwindow::buildDimensions(this, kDimensionRows, kRight);
    boxwindow::buildPortTable(this, kPortCells, QStringLiteral("Port Diameter"));
    addButtonRow(
        { { "btnGraph", "Graph", [this] { btnGraph_Click(); } },
            { "Command1", "Calculate", [this] { Command1_Click(); } },
            { "btnExit", "Exit", [this] { btnExit_Click(); } }, { "Print", "Print", [this] { Print_Click(); } } },
        kButtons);
}

VentedDriver frmVented::readDriver() const
{
    VentedDriver driver;
    driver.qts = numberIn(QStringLiteral("szQts"));
    driver.vas = numberIn(QStringLiteral("szVas"));
    driver.fs = numberIn(QStringLiteral("szFar"));
    driver.isoFactor = designState().isoFactor;
    return driver;
}

bool frmVented::takeResult(const VentedResult& result)
{
    DesignState& state = designState();
    if (!result.design) {
        // A quiet "nothing to do" leaves the window as it was; a refusal
        // withdraws the design until the next successful one.
        if (!result.outcome.messages.isEmpty() || result.outcome.beep)
            state.designValid = 0;
        return false;
    }
    const VentedDesign& d = *result.design;
    WindowVariables& variables = windowVariables();
    m_design = d;
    if (d.showsVb)
        showNumber(QStringLiteral("szVvb"), d.vb, kPattern2);
    if (d.shownVb)
        variables.shownVb = *d.shownVb;
    showNumber(QStringLiteral("szVover"), d.overVolume, kPattern2);
    if (d.showsFb)
        showNumber(QStringLiteral("szFb"), d.fb, kPattern2);
    showNumber(QStringLiteral("szF3"), d.f3, kPattern2);
    if (d.hump) {
        setFieldText(QStringLiteral("szH"), d.hump->text);
        variables.humpDip = d.hump->value;
    }
    boxwindow::showPortLengths(this, d.ports);
    boxwindow::showProportions(this, d.box, QStringLiteral("szH1"), QStringLiteral("szW1"), QStringLiteral("szD1"));
    state.designValid = 1;
    return true;
}

void frmVented::Command1_Click()
{
    designState().designValid = 0;
    const VentedResult result = ventedCalculate(readDriver());
    if (takeResult(result))
        designState().boxValid = 1;
    carryOut(result.outcome);
}

// Opening, a load, or a return without a design of its own: the fields from
// the design state, then the design last handed over from here (ventedValid)
// or the alignment. A return to its own design keeps it; when another window
// changed the driver meanwhile, the box keeps its volume and tuning and
// shows what the new driver makes of them. Activation hands nothing over.
void frmVented::Form_Activate()
{
    DesignState& state = designState();
    const bool ownDesign = !fillsAfresh() && state.designValid == 1;
    setWindowReady(1);
    state.recalcBusy = 0;
    if (!fillFields())
        setWindowReady(0);

    Outcome outcome;
    if (windowReady() == 1 && (!ownDesign || boxwindow::takesOverDriver(this))) {
        VentedResult result;
        if (ownDesign) {
            result = ventedForDriver(readDriver(), m_design.vb, m_design.fb);
        } else {
            std::optional<StoredVentedDesign> stored;
            if (state.ventedValid == 0)
                state.designValid = 0;
            else
                stored
                    = StoredVentedDesign { state.ventedVb, state.ventedFb, state.ventedF3, windowVariables().humpDip };
            result = ventedActivation(readDriver(), stored);
        }
        takeResult(result);
        outcome = result.outcome;
    }
    field(QStringLiteral("szWoofBox"))->setFocus(Qt::OtherFocusReason);
    setWindowReady(1);
    carryOut(outcome);
}

void frmVented::recompute(const VentedResult& result)
{
    // recalcBusy stays set while a warning holds the focus.
    takeResult(result);
    carryOut(result.outcome);
    designState().recalcBusy = 0;
}

void frmVented::szFb_LostFocus()
{
    DesignState& state = designState();
    if (state.designValid != 1 || state.recalcBusy != 0)
        return;
    state.recalcBusy = 1;
    recompute(ventedFromTuning(
        readDriver(), numberIn(QStringLiteral("szFb")), numberIn(QStringLiteral("szVvb")), windowVariables().shownVb));
}

void frmVented::szVvb_LostFocus()
{
    DesignState& state = designState();
    if (state.designValid != 1 || state.recalcBusy != 0)
        return;
    state.recalcBusy = 1;
    recompute(ventedFromVolume(readDriver(), numberIn(QStringLiteral("szVvb")), windowVariables().shownVb));
}

// The design as computed: the graph and the report take the volume from
// closedVb and the tuning from ventedFb; ventedValid marks the shared values
// as this window's design, which it shows again when it is next opened.
void frmVented::storeShownDesign(Moment moment)
{
    DesignState& state = designState();
    storeFields(moment);
    state.ventedVb = m_design.vb;
    state.ventedFb = m_design.fb;
    state.ventedF3 = m_design.f3;
    state.ventedValid = 1;
    state.closedVb = m_design.vb;
    boxwindow::handOverBox(m_design.box);
    state.boxType = BoxType::Vented;
}

void frmVented::btnGraph_Click()
{
    boxwindow::graphHandOver([this](Moment m) { storeShownDesign(m); });
}

void frmVented::Print_Click()
{
    boxwindow::printHandOver([this](Moment m) { storeShownDesign(m); });
}

void frmVented::Form_HandOver()
{
    boxwindow::saveHandOver([this](Moment m) { storeShownDesign(m); });
}

void frmVented::btnExit_Click()
{
    boxwindow::exitHandOver([this](Moment m) { storeShownDesign(m); });
    closeWindow();
}
