#include "ui/FrmBand.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "print/boxreport.h"
#include "ui/boxwindows.h"
#include "ui/driverlibraryui.h"
#include "ui/graphwindow.h"

#include <QLineEdit>

using namespace design;

namespace {

constexpr RowColumns kColumns { 240, 3720, 4080, 1320, 1560 };
// The isobaric group stands in the left column under Qts; the rows below it
// move down by its height.
constexpr int kIsobaricTop = 1260;
constexpr int kBelowIsobaric = boxwindow::kIsobaricHeight + 105;
constexpr int row(int top) { return top < kIsobaricTop ? top : top + kBelowIsobaric; }
constexpr FieldPlace left(int top) { return beside(kColumns, row(top)); }

constexpr int kWidthTwips = 10080;
constexpr int kHeightTwips = row(7740);

// The inputs as opening shows them from the design state and Print and Exit
// store them back.
constexpr FieldEntry storedInput(const FieldEntry& entry, float DesignState::*member)
{
    return entry.shows(member, Shown::WithBlankOrEmpty, kOnPrintAndExit);
}

// Inputs, then results, top to bottom under the woofer name. szFh3 and szFbb
// stay open: Graph, Print and Exit read them back.
constexpr FieldEntry kDesign[] = {
    boxwindow::woofer("szWoofBP", kColumns, 2880).shows(&DesignState::bandWooferName, Shown::Trimmed, kOnPrintAndExit),
    boxwindow::isobaric("szISOB", kColumns.captionLeft, kIsobaricTop, kColumns.captionWidth, "Enter data for 1 woofer",
        &DesignState::bandIsoFactor),
    storedInput(field("szQtsb", "Enter Driver Qts:", left(840)).input("qts", Accepts::Positive).part("qts"),
        &DesignState::bandQts),
    storedInput(field("szRdcb", "Enter Driver Impedance:", left(1260)).in(units::kOhms).input("re").part("re"),
        &DesignState::bandRe),
    storedInput(
        field("szVasb", "Enter Vas:", left(1680)).in(units::kCubicFeet).input("vas", Accepts::Positive).part("vas"),
        &DesignState::bandVas),
    storedInput(field("szFarb", "Enter Free Air Resonance (Fs):", left(2100))
                    .in(units::kHz)
                    .input("fs", Accepts::Positive)
                    .part("fs"),
        &DesignState::bandFs),
    // The typed cut-off is kept as a Double, and handed to the graph as a Single.
    field("szFl3", "Desired Low Frequency Cutoff:", left(2520))
        .in(units::kHz)
        .input("fl3", Accepts::Positive)
        .shows(&DesignState::bandFl3Input, Shown::WithBlankOrEmpty, kOnPrintAndExit)
        .alsoStores(&DesignState::bandFl3, kOnHandOver),
    field("szFh3", "High Frequency Cutoff:", left(3120))
        .in(units::kHz)
        .inputAndResult()
        .stores(&DesignState::bandFh3, kOnHandOver),
    field("szVbb", "Sealed Section Volume:", left(3540)).in(units::kCubicFeet).result(),
    field("szVf", "Vented Section Volume:", left(3960)).in(units::kCubicFeet).result(),
    field("szFbb", "Tuning Frequency:", left(4380))
        .in(units::kHz)
        .inputAndResult()
        .stores(&DesignState::bandFb, kOnHandOver),
    field("szL", "Optional Coil:", left(4800)).in(units::kMilliHenry).result(),
    field("szFsQt", "Fs/Qts:", left(5220)).noting("Best Below 100").result(),
    field("szPa", "Pa Compared to Closed or Vented Box:", left(5640)).in(units::kDecibel).result(),
};
constexpr auto kPortCells = boxwindow::portCells(row(6120));
constexpr auto kFields = joinFields(kDesign, kPortCells);

constexpr int kButtonGap = boxwindow::evenButtonGap(kWidthTwips);
constexpr ButtonRow kButtons { row(7020), kButtonGap, kButtonGap };

const QString kQtsb = QStringLiteral("szQtsb");
const QString kISOB = QStringLiteral("szISOB");

} // namespace

FrmBand::FrmBand(QWidget* parent)
    : DesignWindow(
        QStringLiteral("FrmBand"), QStringLiteral("Bandpass (Subwoofer)"), QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    setFocusCycle({ QStringLiteral("szWoofBP"), kQtsb, QStringLiteral("szRdcb"), QStringLiteral("szVasb"),
        QStringLiteral("szFarb"), QStringLiteral("szFl3"), kISOB });
    // "Y" moves on to Qts, "N" does not.
    setupYesNoField(kISOB, kQtsb, YesNoFocus::AfterYesOnly);
    attachDriverLibrary(this);
}

std::span<const FieldEntry> FrmBand::fieldTable() { return kFields; }

// The window recalculates when it first comes up, and again after a load
// brought other stored inputs; other returns leave it as the user left it.
void FrmBand::Form_Activate()
{
    if (fillsAfresh())
        Form_Load();
}

void FrmBand::buildControls()
{
    declareFields(kFields);
    buildFields(kDesign);
    boxwindow::buildPortTable(this, kPortCells, QStringLiteral("Port Diameter "));
    addButtonRow(
        { { "btnGraph", "Graph", [this] { btnGraph_Click(); } },
            { "Command1", "Calculate", [this] { Command1_Click(); } },
            { "btnExit", "Exit", [this] { btnExit_Click(); } }, { "Command2", "Print", [this] { Command2_Click(); } } },
        kButtons);
}

BandpassInputs FrmBand::readInputs() const
{
    BandpassInputs in;
    in.qts = numberIn(kQtsb);
    in.vas = numberIn(QStringLiteral("szVasb"));
    in.fs = numberIn(QStringLiteral("szFarb"));
    in.fl3 = numberIn(QStringLiteral("szFl3"));
    in.re = numberIn(QStringLiteral("szRdcb"));
    in.isoFactor = designState().bandIsoFactor;
    in.s = designState().bandS;
    return in;
}

void FrmBand::takeResult(const BandpassResult& result)
{
    DesignState& state = designState();
    if (result.clearsResults) {
        for (const char* name : { "szFh3", "szVbb", "szVf", "szFbb" })
            setFieldText(QString::fromLatin1(name), QString());
        state.designValid = 0;
    }
    if (result.withdrawsDesign)
        state.designValid = 0;
    if (!result.design)
        return;
    const BandpassDesign& d = *result.design;
    state.bandVentedVb = d.ventedVb;
    state.bandFh3Calc = d.fh3;
    state.bandSealedVb = d.sealedVb;
    state.bandFb = d.fb;
    state.bandPa = d.pa;
    if (d.coil) {
        state.bandCoilL = *d.coil;
        showNumber(QStringLiteral("szL"), *d.coil, kPattern3);
    }
    showNumber(QStringLiteral("szFh3"), d.fh3, kPattern2);
    showNumber(QStringLiteral("szVbb"), d.sealedVb, kPattern2);
    showNumber(QStringLiteral("szVf"), d.ventedVb, kPattern2);
    showNumber(QStringLiteral("szFbb"), d.fb, kPattern2);
    showNumber(QStringLiteral("szPa"), d.pa, kPattern2);
    setFieldText(QStringLiteral("szFsQt"), d.fsQtsText);
    boxwindow::showPortLengths(this, d.ports);
    state.designValid = 1;
}

void FrmBand::Form_Load()
{
    DesignState& state = designState();
    setWindowReady(1);
    // Graph, Print and Exit must not act on a design another window left valid.
    state.designValid = 0;
    if (!fillFields())
        setWindowReady(0);
    state.bandS = float(kBandS);
    state.bandIsoFactor = state.bandIsoFactor >= 1 ? 1.0f : 0.5f;

    const BandpassInputs in = readInputs();
    const bool complete = windowReady() == 1;
    setWindowReady(1);
    if (!complete || !(in.qts > 0 && in.vas > 0 && in.fl3 > 0))
        return;
    const BandpassResult result = bandpassDesign(in, Trigger::Activation);
    takeResult(result);
    carryOut(result.outcome);
}

void FrmBand::Command1_Click()
{
    const BandpassResult result = bandpassDesign(readInputs(), Trigger::Calculate);
    takeResult(result);
    carryOut(result.outcome);
}

// Graph stores the three values the curve needs; Print and Exit every
// input and shown result, with the woofer name (the rows say which).
void FrmBand::storeDesign(Moment moment)
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return;
    storeFields(moment);
    state.bandValid = 1;
    // The design handed over last is the one analysed; Graph hands over too little of it.
    if (moment != Moment::Graph)
        state.analysisBandpass = 1;
}

void FrmBand::btnGraph_Click()
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return;
    // boxType stays: the graph shows the bandpass beside the last box design.
    storeDesign(Moment::Graph);
    state.graphDrawn = 0;
    openGraph();
}

void FrmBand::Command2_Click()
{
    if (designState().designValid != 1)
        return;
    storeDesign(Moment::Print);
    printBoxDataReport(this);
}

void FrmBand::Form_HandOver() { storeDesign(Moment::Exit); }

void FrmBand::btnExit_Click()
{
    storeDesign(Moment::Exit);
    designState().designValid = 0;
    closeWindow();
}
