#include "ui/frmXover.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "platform/pictures.h"
#include "ui/crossoversupport.h"
#include "ui/graphwindow.h"

#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 6360;
constexpr int kHeightTwips = 4680;

constexpr FieldPlace row(int top) { return beside({ 240, 3960, 4320, 1200, 600 }, top); }
// Results to the right of the circuit picture.
constexpr FieldPlace part(int top) { return beside({ 3720, 480, 4320, 1200, 600 }, top); }

// The inputs are shown from the design state and stored by their change rules.
constexpr FieldEntry kFields[] = {
    field("szFrq", "Crossover Frequency:", row(240))
        .in(units::kHz)
        .input("freq", Accepts::Positive)
        .shows(&DesignState::xoverFreq, Shown::WithBlank),
    field("szRl", "Enter Woofer Impedance:", row(660))
        .in(units::kOhms)
        .input("woofer", Accepts::Positive)
        .shows(&DesignState::xoverRl, Shown::WithBlank),
    field("szRh", "Enter Tweeter Impedance:", row(1080))
        .in(units::kOhms)
        .input("tweeter", Accepts::Positive)
        .shows(&DesignState::xoverRh, Shown::WithBlank),
    field("szL1", "L1 =", part(1620)).in(units::kMilliHenry).result(),
    field("szC1", "C1 =", part(2100)).in(units::kMicroFarad).result(),
    field("szL2", "L2 =", part(2580)).in(units::kMilliHenry).result(),
    field("szC2", "C2 =", part(3060)).in(units::kMicroFarad).result(),
};

bool is12dB() { return designState().xoverIs12dB != 0; }

} // namespace

frmXover::frmXover(QWidget* parent)
    : DesignWindow(QStringLiteral("frmXover"), QStringLiteral("Passive 2 Way Crossover Design"),
        QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    setFocusCycle({ QStringLiteral("szFrq"), QStringLiteral("szRl"), QStringLiteral("szRh") });
    onChange(field(QStringLiteral("szFrq")), [this] { szFrq_Change(); });
    onChange(field(QStringLiteral("szRh")), [this] { szRh_Change(); });
    onChange(field(QStringLiteral("szRl")), [this] { szRl_Change(); });
    // The slope, chosen in the crossover selector.
    watchesValue(designState().xoverIs12dB);
}

std::span<const FieldEntry> frmXover::fieldTable() { return kFields; }

void frmXover::buildControls()
{
    declareFields(kFields);
    buildFields(kFields);
    xoverui::makeResultFields(this);
    m_picture = new PictureBox;
    m_picture->setObjectName(QStringLiteral("Image1"));
    place(m_picture, 120, 1560, 3480, 2160);
    addButtonRow(
        { { "btnGraph", "Graph", [this] { btnGraph_Click(); } }, { "LDesign", "L Design", [this] { LDesign_Click(); } },
            { "btnPrint", "Print", [this] { btnPrint_Click(); } }, { "btnExit", "Exit", [this] { btnExit_Click(); } } },
        { 3960, 180, 120 });
}

TwoWayInputs frmXover::readInputs() const
{
    TwoWayInputs in;
    in.f = numberIn(QStringLiteral("szFrq"));
    in.rl = numberIn(QStringLiteral("szRl"));
    in.rh = numberIn(QStringLiteral("szRh"));
    in.is12dB = is12dB();
    return in;
}

bool frmXover::recalculate(TwoWayField changed)
{
    const XoverRecalc result = twoWayChange(changed, readInputs());
    if (!result.computed())
        return false;
    DesignState& state = designState();
    state.designValid = 1;
    xoverui::showAndStore(this, result.parts);
    state.xoverType = twoWayType(is12dB());
    return true;
}

void frmXover::szFrq_Change()
{
    designState().designValid = 0;
    if (recalculate(TwoWayField::Frq))
        storeFields({ "szFrq", "szRh", "szRl" });
}

void frmXover::szRh_Change()
{
    storeFields({ "szRh" });
    designState().designValid = 0;
    if (recalculate(TwoWayField::Rh))
        storeFields({ "szFrq", "szRh" });
}

void frmXover::szRl_Change()
{
    storeFields({ "szRl" });
    designState().designValid = 0;
    if (recalculate(TwoWayField::Rl))
        storeFields({ "szFrq", "szRh" });
}

void frmXover::Form_Activate()
{
    DesignState& state = designState();
    field(QStringLiteral("szFrq"))->setFocus(Qt::OtherFocusReason);
    m_picture->setPicture(is12dB() ? QStringLiteral("p212.bmp") : QStringLiteral("p26.bmp"));
    if (!isPositive(state.xoverFreq) || !isPositive(state.xoverRl) || !isPositive(state.xoverRh))
        return;
    state.designValid = 1;
    const XoverRecalc stored
        = twoWayChange(TwoWayField::Frq, { state.xoverFreq, state.xoverRl, state.xoverRh, is12dB() });
    if (stored.computed()) {
        xoverui::showAndStore(this, stored.parts);
        state.xoverType = twoWayType(is12dB());
    } else {
        state.designValid = 0; // a stored design whose parts would overflow
    }
    // Each write runs its field's rule when it changes the text; each value is
    // read only now, after the rules of the writes before it.
    fillField(QStringLiteral("szFrq"));
    fillField(QStringLiteral("szRh"));
    fillField(QStringLiteral("szRl"));
}

void frmXover::btnGraph_Click()
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return;
    state.graphDrawn = 0;
    openGraph();
}

void frmXover::LDesign_Click()
{
    if (designState().designValid != 1)
        return;
    xoverui::openInductorWindow(is12dB() ? CoilSource::TakeL1L2 : CoilSource::TakeL1);
}

ReportLayout frmXover::reportLayout() const
{
    const bool steep = is12dB();
    ReportLayout page;
    page.title = steep ? QStringLiteral("Passive 2 Way Crossover Design (12 DB)")
                       : QStringLiteral("Passive 2 Way Crossover Design (6 DB)");
    page.titleX = 200;
    page.titleY = 1800;
    auto line = [this, &page](double y, const char* label, const char* name, const char* unit) {
        page.lines.append({ 300, y,
            QString::fromLatin1(label) + field(QString::fromLatin1(name))->text() + QString::fromLatin1(unit) });
    };
    line(1600, "Crossover Frequency = ", "szFrq", " Hz");
    line(1500, "Woofer Impedance = ", "szRl", " Ohms");
    line(1400, "Tweeter Impedance = ", "szRh", " Ohms");
    line(1300, "L1 = ", "szL1", " mH");
    line(1200, "C1 = ", "szC1", " uF");
    if (steep) {
        line(1100, "L2 = ", "szL2", " mH");
        line(1000, "C2 = ", "szC2", " uF");
    }
    page.pictures.append({ 0, 100, 1500, 900, steep ? QStringLiteral("P212.BMP") : QStringLiteral("P26.BMP") });
    return page;
}

void frmXover::btnPrint_Click() { printReportPage(reportLayout(), field(QStringLiteral("szFrq"))); }

// The design as Exit hands it over, when there is one.
void frmXover::Form_HandOver()
{
    if (designState().designValid == 1)
        designState().xoverType = twoWayType(is12dB());
}

void frmXover::btnExit_Click()
{
    DesignState& state = designState();
    state.xoverType = state.designValid == 1 ? twoWayType(is12dB()) : XoverType::None;
    state.designValid = 0;
    closeWindow();
}
