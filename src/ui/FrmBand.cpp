#include "ui/FrmBand.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "print/boxreport.h"
#include "ui/boxwindows.h"
#include "ui/driverlibraryui.h"

#include <QLineEdit>

#include <tuple>

using namespace design;

namespace {

constexpr int kWidthTwips = 10080;
constexpr int kHeightTwips = 7740;

constexpr RowColumns kColumns { 240, 3720, 4080, 1320, 1560 };
constexpr FieldPlace left(int top) { return beside(kColumns, top); }

// Inputs, then results, top to bottom under the woofer name. szFh3 and szFbb
// stay open: Graph, Print and Exit read them back.
constexpr FieldEntry kDesign[] = {
    boxwindow::woofer("szWoofBP", kColumns, 2880),
    boxwindow::isobaric("szISOB", 7320, 840, 2400, "Enter data for 1 woofer"),
    field("szQtsb", "Enter Driver Qts:", left(840)).input("qts", Accepts::Positive),
    field("szRdcb", "Enter Driver Impedance:", left(1260)).in(units::kOhms).input("re"),
    field("szVasb", "Enter Vas:", left(1680)).in(units::kCubicFeet).input("vas", Accepts::Positive),
    field("szFarb", "Enter Free Air Resonance (Fs):", left(2100)).in(units::kHz).input("fs", Accepts::Positive),
    field("szFl3", "Desired Low Frequency Cutoff:", left(2520)).in(units::kHz).input("fl3", Accepts::Positive),
    field("szFh3", "High Frequency Cutoff:", left(3120)).in(units::kHz).inputAndResult(),
    field("szVbb", "Sealed Section Volume:", left(3540)).in(units::kCubicFeet).result(),
    field("szVf", "Vented Section Volume:", left(3960)).in(units::kCubicFeet).result(),
    field("szFbb", "Tuning Frequency:", left(4380)).in(units::kHz).inputAndResult(),
    field("szL", "Optional Coil:", left(4800)).in(units::kMilliHenry).result(),
    field("szFsQt", "Fs/Qts:", left(5220)).noting("Best Below 100").result(),
    field("szPa", "Pa Compared to Closed or Vented Box:", left(5640)).in(units::kDecibel).result(),
};
constexpr auto kPortCells = boxwindow::portCells(6120);
constexpr auto kFields = joinFields(kDesign, kPortCells);

constexpr int kButtonGap = boxwindow::evenButtonGap(kWidthTwips);
constexpr ButtonRow kButtons { 7020, kButtonGap, kButtonGap };

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
    setupYesNoField(field(kISOB), &designState().bandIsoFactor, field(kQtsb), YesNoFocus::AfterYesOnly);
    attachDriverLibrary(this, driverFieldsIn(kFields));
}

// The window recalculates once, when it first comes up.
void FrmBand::Form_Activate()
{
    if (isOpening())
        Form_Load();
}

void FrmBand::buildControls()
{
    declareFields(kFields);
    buildFields(kDesign);
    boxwindow::buildPortTable(this, kPortCells, QStringLiteral("Port Diameter "));
    setReadOnly({ "szVbb", "szVf", "szL", "szFsQt", "szPa" });
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
        setFieldText(QStringLiteral("szL"), formatNumber(*d.coil, kPattern3));
    }
    setFieldText(QStringLiteral("szFh3"), formatNumber(d.fh3, kPattern2));
    setFieldText(QStringLiteral("szVbb"), formatNumber(d.sealedVb, kPattern2));
    setFieldText(QStringLiteral("szVf"), formatNumber(d.ventedVb, kPattern2));
    setFieldText(QStringLiteral("szFbb"), formatNumber(d.fb, kPattern2));
    setFieldText(QStringLiteral("szPa"), formatNumber(d.pa, kPattern2));
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
    setFieldText(QStringLiteral("szWoofBP"), state.bandWooferName.trimmed());
    // bandFl3Input is a Double; the others are Singles.
    const std::tuple<const char*, double, Precision> stored[] = { { "szQtsb", state.bandQts, Precision::Single },
        { "szRdcb", state.bandRe, Precision::Single }, { "szVasb", state.bandVas, Precision::Single },
        { "szFarb", state.bandFs, Precision::Single }, { "szFl3", state.bandFl3Input, Precision::Double } };
    for (const auto& [name, value, precision] : stored) {
        if (value > 0) {
            setFieldText(QString::fromLatin1(name), numberText(value, precision));
        } else {
            setFieldText(QString::fromLatin1(name), QString());
            setWindowReady(0);
        }
    }
    state.bandS = float(kBandS);
    const bool single = state.bandIsoFactor >= 1;
    setFieldText(kISOB, single ? QStringLiteral("N") : QStringLiteral("Y"));
    state.bandIsoFactor = single ? 1.0f : 0.5f;

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

void FrmBand::storeDesign()
{
    DesignState& state = designState();
    storeFields({ { "szVasb", &DesignState::bandVas }, { "szQtsb", &DesignState::bandQts },
        { "szFl3", &DesignState::bandFl3 }, { "szFbb", &DesignState::bandFb }, { "szFh3", &DesignState::bandFh3 },
        { "szRdcb", &DesignState::bandRe }, { "szFarb", &DesignState::bandFs } });
    state.bandFl3Input = numberIn(QStringLiteral("szFl3"));
    state.bandWooferName = field(QStringLiteral("szWoofBP"))->text();
    state.bandValid = 1;
}

void FrmBand::btnGraph_Click()
{
    // boxType stays: the graph shows the bandpass beside the last box design.
    boxwindow::graphHandOver([this] {
        storeFields({ { "szFl3", &DesignState::bandFl3 }, { "szFbb", &DesignState::bandFb },
            { "szFh3", &DesignState::bandFh3 } });
        designState().bandValid = 1;
    });
}

void FrmBand::Command2_Click()
{
    if (designState().designValid != 1)
        return;
    storeDesign();
    printBoxDataReport(this);
}

void FrmBand::btnExit_Click()
{
    DesignState& state = designState();
    if (state.designValid == 1)
        storeDesign();
    state.designValid = 0;
    closeWindow();
}
