#include "ui/frmVented.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "ui/boxlayout.h"
#include "ui/boxwindowsupport.h"
#include "ui/driverlibraryui.h"

#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 10080;
constexpr int kHeightTwips = 6120;

// Left block, top to bottom, under the woofer name.
constexpr boxui::FieldRow kRows[] = {
    { "szQts", "Enter Driver Qts:", nullptr, 840 },
    { "szVas", "Enter Vas:", "Cubic Feet", 1260 },
    { "szFar", "Enter Free Air Resonance:", "Hz", 1680 },
    { "szVvb", "Vented Box Volume:", "Cubic Feet", 2280 },
    { "szFb", "Tuning Frequency:", "Hz", 2700 },
    { "szF3", "Low Frequency Cut-Off(-3dB):", "Hz", 3120 },
    { "szH", "Hump or Dip:", "dB", 3540 },
};
constexpr boxui::RowColumns kColumns { 240, 3120, 3480, 1320, 1320 };
constexpr int kRightLeft = 7080;
constexpr int kRightWidth = 2400;

// The port table, its fields in the order of design::kPorts.
constexpr int kPortLeft = 1800;
constexpr int kPortHeadTop = 4440;
constexpr int kPortRowTop = 4740;

constexpr int kButtonTop = 5340;
constexpr int kButtonGap = (kWidthTwips - 4 * 1440) / 5;

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
    setupYesNoField(field(QStringLiteral("szISO")), &designState().isoFactor, field(QStringLiteral("szQts")));
    onLostFocus(field(QStringLiteral("szFb")), [this] { szFb_LostFocus(); });
    onLostFocus(field(QStringLiteral("szVvb")), [this] { szVvb_LostFocus(); });
    const DesignState& state = designState();
    boxui::showsStoredDriverAndBox(this);
    for (const float* result : { &state.ventedVb, &state.ventedFb, &state.ventedF3 })
        showsStoredValue(nullptr, *result);
    showsStoredValue(nullptr, state.ventedValid);
    attachDriverLibrary(this, { .name = "szWoofBox", .fs = "szFar", .qts = "szQts", .vas = "szVas" });
}

void frmVented::buildControls()
{
    boxui::BoxLayout layout([this](auto&&... args) { return addLabel(args...); },
        [this](auto&&... args) { return addField(args...); }, [this](auto&&... args) { return addButton(args...); });
    layout.wooferAndIsobaric(kColumns, 3120, kRightLeft, kRightWidth);
    layout.rows(kRows, kColumns);
    layout.overVolumeAndDimensions(kRightLeft, kRightWidth, 1980, 2820, "szH1", "szW1", "szD1");

    layout.portTable(QStringLiteral("Port Diameter"), 240, kPortHeadTop, kPortRowTop, kPortLeft);
    boxui::setReadOnly(this, { "szVover", "szF3", "szH", "szH1", "szW1", "szD1" });

    layout.buttons({ { "btnGraph", "Graph", nullptr, [this] { btnGraph_Click(); } },
                       { "Command1", "Calculate", nullptr, [this] { Command1_Click(); } },
                       { "btnExit", "Exit", nullptr, [this] { btnExit_Click(); } },
                       { "Print", "Print", nullptr, [this] { Print_Click(); } } },
        kButtonTop, kButtonGap, kButtonGap);
}

VentedDriver frmVented::readDriver() const
{
    VentedDriver driver;
    driver.qts = boxui::numberIn(this, QStringLiteral("szQts"));
    driver.vas = boxui::numberIn(this, QStringLiteral("szVas"));
    driver.fs = boxui::numberIn(this, QStringLiteral("szFar"));
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
    state.ventedVb = d.vb;
    state.ventedFb = d.fb;
    state.ventedF3 = d.f3;
    if (d.showsVb)
        boxui::setTextOf(this, QStringLiteral("szVvb"), formatNumber(d.vb, kPattern2));
    if (d.shownVb)
        variables.shownVb = *d.shownVb;
    boxui::setTextOf(this, QStringLiteral("szVover"), formatNumber(d.overVolume, kPattern2));
    if (d.showsFb)
        boxui::setTextOf(this, QStringLiteral("szFb"), formatNumber(d.fb, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szF3"), formatNumber(d.f3, kPattern2));
    if (d.hump) {
        boxui::setTextOf(this, QStringLiteral("szH"), d.hump->text);
        variables.humpDip = d.hump->value;
    }
    boxui::showPortLengths(this, d.ports);
    boxui::storeAndShowProportions(this, d.box, QStringLiteral("szH1"), QStringLiteral("szW1"), QStringLiteral("szD1"));
    state.designValid = 1;
    state.ventedValid = 1;
    return true;
}

void frmVented::Command1_Click()
{
    designState().designValid = 0;
    const VentedResult result = ventedCalculate(readDriver());
    if (takeResult(result))
        designState().boxValid = 1;
    boxui::carryOut(this, result.outcome);
}

void frmVented::Form_Activate()
{
    DesignState& state = designState();
    setWindowReady(1);
    state.recalcBusy = 0;
    refillField(QStringLiteral("szWoofBox"), state.driverName.withoutPadding());
    if (!boxui::showStoredDriver(this))
        setWindowReady(0);
    boxui::showIsobaric(this);

    Outcome outcome;
    if (windowReady() == 1) {
        std::optional<StoredVentedDesign> stored;
        if (state.ventedValid == 0)
            state.designValid = 0;
        else
            stored = StoredVentedDesign { state.ventedVb, state.ventedFb, state.ventedF3, windowVariables().humpDip };
        const VentedResult result = ventedActivation(readDriver(), stored);
        if (takeResult(result))
            state.boxValid = 1;
        outcome = result.outcome;
    }
    field(QStringLiteral("szWoofBox"))->setFocus(Qt::OtherFocusReason);
    setWindowReady(1);
    boxui::carryOut(this, outcome);
}

void frmVented::recompute(const VentedResult& result)
{
    // recalcBusy stays set while a warning holds the focus.
    takeResult(result);
    boxui::carryOut(this, result.outcome);
    designState().recalcBusy = 0;
}

void frmVented::szFb_LostFocus()
{
    DesignState& state = designState();
    if (state.designValid != 1 || state.recalcBusy != 0)
        return;
    state.recalcBusy = 1;
    recompute(ventedFromTuning(readDriver(), boxui::numberIn(this, QStringLiteral("szFb")),
        boxui::numberIn(this, QStringLiteral("szVvb")), windowVariables().shownVb));
}

void frmVented::szVvb_LostFocus()
{
    DesignState& state = designState();
    if (state.designValid != 1 || state.recalcBusy != 0)
        return;
    state.recalcBusy = 1;
    recompute(
        ventedFromVolume(readDriver(), boxui::numberIn(this, QStringLiteral("szVvb")), windowVariables().shownVb));
}

void frmVented::storeShownDesign()
{
    DesignState& state = designState();
    boxui::storeFields(
        this, { { "szVas", &DesignState::vas }, { "szQts", &DesignState::qts }, { "szFar", &DesignState::fs } });
    state.closedVb = state.ventedVb;
    state.boxType = BoxType::Vented;
}

void frmVented::btnGraph_Click()
{
    boxui::graphHandOver([this] { storeShownDesign(); });
}

void frmVented::Print_Click()
{
    boxui::printHandOver([this] { storeShownDesign(); });
}

void frmVented::btnExit_Click()
{
    // ventedValid stays: reopening shows this design again.
    boxui::exitHandOver([this] { storeShownDesign(); }, field(QStringLiteral("szWoofBox"))->text());
    closeWindow();
}
