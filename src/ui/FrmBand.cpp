#include "ui/FrmBand.h"

#include "core/designstate.h"
#include "core/messages.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "print/boxreport.h"
#include "ui/boxlayout.h"
#include "ui/boxwindowsupport.h"
#include "ui/driverlibraryui.h"

#include <QLineEdit>

#include <tuple>

using namespace design;

namespace {

constexpr int kWidthTwips = 10080;
constexpr int kHeightTwips = 7740;

// Inputs, then results, top to bottom under the woofer name.
constexpr boxui::FieldRow kRows[] = {
    { "szQtsb", "Enter Driver Qts:", nullptr, 840 },
    { "szRdcb", "Enter Driver Impedance:", "Ohms", 1260 },
    { "szVasb", "Enter Vas:", "Cubic Feet", 1680 },
    { "szFarb", "Enter Free Air Resonance (Fs):", "Hz", 2100 },
    { "szFl3", "Desired Low Frequency Cutoff:", "Hz", 2520 },
    { "szFh3", "High Frequency Cutoff:", "Hz", 3120 },
    { "szVbb", "Sealed Section Volume:", "Cubic Feet", 3540 },
    { "szVf", "Vented Section Volume:", "Cubic Feet", 3960 },
    { "szFbb", "Tuning Frequency:", "Hz", 4380 },
    { "szL", "Optional Coil:", "mH", 4800 },
    { "szFsQt", "Fs/Qts:", "Best Below 100", 5220 },
    { "szPa", "Pa Compared to Closed or Vented Box:", "dB", 5640 },
};
constexpr boxui::RowColumns kColumns { 240, 3720, 4080, 1320, 1560 };
constexpr int kRightLeft = 7320;
constexpr int kRightWidth = 2400;
constexpr int kPortHeadTop = 6120;
constexpr int kPortRowTop = 6420;
constexpr int kButtonTop = 7020;
constexpr int kButtonGap = (kWidthTwips - 4 * 1440) / 5;

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
    setupIsobaric();
    attachDriverLibrary(this, { .name = "szWoofBP", .fs = "szFarb", .qts = "szQtsb", .vas = "szVasb", .re = "szRdcb" });
}

// The window recalculates once, when it first comes up.
void FrmBand::Form_Activate()
{
    if (isOpening())
        Form_Load();
}

void FrmBand::buildControls()
{
    boxui::BoxLayout layout([this](auto&&... args) { return addLabel(args...); },
        [this](auto&&... args) { return addField(args...); }, [this](auto&&... args) { return addButton(args...); });
    layout.caption(QStringLiteral("Woofer Name :"), kColumns.captionLeft, 240, kColumns.captionWidth, Qt::AlignRight);
    layout.field("szWoofBP", kColumns.fieldLeft, 240, 2880);
    layout.isobaric("szISOB", kRightLeft, 840, kRightWidth, "Enter data for 1 woofer");
    layout.rows(kRows, kColumns);
    layout.portTable(QStringLiteral("Port Diameter "), 240, kPortHeadTop, kPortRowTop, 1800);
    // szFh3 and szFbb stay open: Graph, Print and Exit read them back.
    boxui::setReadOnly(this, { "szVbb", "szVf", "szL", "szFsQt", "szPa" });
    layout.buttons({ { "btnGraph", "Graph", nullptr, [this] { btnGraph_Click(); } },
                       { "Command1", "Calculate", nullptr, [this] { Command1_Click(); } },
                       { "btnExit", "Exit", nullptr, [this] { btnExit_Click(); } },
                       { "Command2", "Print", nullptr, [this] { Command2_Click(); } } },
        kButtonTop, kButtonGap, kButtonGap);
}

// The Y/N rule of this window: "Y" also moves on to Qts, "N" does not.
void FrmBand::setupIsobaric()
{
    QLineEdit* yesNo = field(kISOB);
    connect(yesNo, &QLineEdit::textChanged, this, [this, yesNo](const QString& text) {
        if (windowReady() != 1)
            return;
        const QString upper = text.toUpper();
        if (upper != text)
            setFieldTextQuietly(yesNo, upper);
        if (upper == u"Y") {
            designState().bandIsoFactor = 0.5f;
            field(kQtsb)->setFocus(Qt::OtherFocusReason);
        } else if (upper == u"N") {
            designState().bandIsoFactor = 1.0f;
        }
    });
    onLostFocus(yesNo, [yesNo] {
        if (yesNo->text() == u"Y" || yesNo->text() == u"N")
            return;
        showMessage(msg::error(QStringLiteral("Must enter 'Y' or 'N'"), true));
        yesNo->setFocus(Qt::OtherFocusReason);
    });
}

BandpassInputs FrmBand::readInputs() const
{
    BandpassInputs in;
    in.qts = boxui::numberIn(this, kQtsb);
    in.vas = boxui::numberIn(this, QStringLiteral("szVasb"));
    in.fs = boxui::numberIn(this, QStringLiteral("szFarb"));
    in.fl3 = boxui::numberIn(this, QStringLiteral("szFl3"));
    in.re = boxui::numberIn(this, QStringLiteral("szRdcb"));
    in.isoFactor = designState().bandIsoFactor;
    in.s = designState().bandS;
    return in;
}

void FrmBand::takeResult(const BandpassResult& result)
{
    DesignState& state = designState();
    if (result.clearsResults) {
        for (const char* name : { "szFh3", "szVbb", "szVf", "szFbb" })
            boxui::setTextOf(this, QString::fromLatin1(name), QString());
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
        boxui::setTextOf(this, QStringLiteral("szL"), formatNumber(*d.coil, kPattern3));
    }
    boxui::setTextOf(this, QStringLiteral("szFh3"), formatNumber(d.fh3, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szVbb"), formatNumber(d.sealedVb, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szVf"), formatNumber(d.ventedVb, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szFbb"), formatNumber(d.fb, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szPa"), formatNumber(d.pa, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szFsQt"), d.fsQtsText);
    boxui::showPortLengths(this, d.ports);
    state.designValid = 1;
}

void FrmBand::Form_Load()
{
    DesignState& state = designState();
    setWindowReady(1);
    // Graph, Print and Exit must not act on a design another window left valid.
    state.designValid = 0;
    boxui::setTextOf(this, QStringLiteral("szWoofBP"), state.bandWooferName.trimmed());
    // bandFl3Input is a Double; the others are Singles.
    const std::tuple<const char*, double, Precision> stored[] = { { "szQtsb", state.bandQts, Precision::Single },
        { "szRdcb", state.bandRe, Precision::Single }, { "szVasb", state.bandVas, Precision::Single },
        { "szFarb", state.bandFs, Precision::Single }, { "szFl3", state.bandFl3Input, Precision::Double } };
    for (const auto& [name, value, precision] : stored) {
        if (value > 0) {
            boxui::setTextOf(this, QString::fromLatin1(name), numberText(value, precision));
        } else {
            boxui::setTextOf(this, QString::fromLatin1(name), QString());
            setWindowReady(0);
        }
    }
    state.bandS = float(kBandS);
    const bool single = state.bandIsoFactor >= 1;
    boxui::setTextOf(this, kISOB, single ? QStringLiteral("N") : QStringLiteral("Y"));
    state.bandIsoFactor = single ? 1.0f : 0.5f;

    const BandpassInputs in = readInputs();
    const bool complete = windowReady() == 1;
    setWindowReady(1);
    if (!complete || !(in.qts > 0 && in.vas > 0 && in.fl3 > 0))
        return;
    const BandpassResult result = bandpassDesign(in, Trigger::Activation);
    takeResult(result);
    boxui::carryOut(this, result.outcome);
}

void FrmBand::Command1_Click()
{
    const BandpassResult result = bandpassDesign(readInputs(), Trigger::Calculate);
    takeResult(result);
    boxui::carryOut(this, result.outcome);
}

void FrmBand::storeDesign()
{
    DesignState& state = designState();
    boxui::storeFields(this,
        { { "szVasb", &DesignState::bandVas }, { "szQtsb", &DesignState::bandQts }, { "szFl3", &DesignState::bandFl3 },
            { "szFbb", &DesignState::bandFb }, { "szFh3", &DesignState::bandFh3 }, { "szRdcb", &DesignState::bandRe },
            { "szFarb", &DesignState::bandFs } });
    state.bandFl3Input = boxui::numberIn(this, QStringLiteral("szFl3"));
    state.bandWooferName = field(QStringLiteral("szWoofBP"))->text();
    state.bandValid = 1;
}

void FrmBand::btnGraph_Click()
{
    // boxType stays: the graph shows the bandpass beside the last box design.
    boxui::graphHandOver([this] {
        boxui::storeFields(this,
            { { "szFl3", &DesignState::bandFl3 }, { "szFbb", &DesignState::bandFb },
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
