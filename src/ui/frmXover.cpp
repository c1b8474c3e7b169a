#include "ui/frmXover.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "graph/CBGRAPH1.h"
#include "platform/pictures.h"
#include "ui/boxlayout.h"
#include "ui/boxwindowsupport.h"
#include "ui/crossoversupport.h"

#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 6360;
constexpr int kHeightTwips = 4680;

constexpr boxui::FieldRow kInputRows[] = {
    { "szFrq", "Crossover Frequency:", "Hz", 240 },
    { "szRl", "Enter Woofer Impedance:", "Ohms", 660 },
    { "szRh", "Enter Tweeter Impedance:", "Ohms", 1080 },
};
constexpr boxui::RowColumns kInputColumns { 240, 3960, 4320, 1200, 600 };

// Results to the right of the circuit picture.
constexpr boxui::FieldRow kResultRows[] = {
    { "szL1", "L1 =", "mH", 1620 },
    { "szC1", "C1 =", "uF", 2100 },
    { "szL2", "L2 =", "mH", 2580 },
    { "szC2", "C2 =", "uF", 3060 },
};
constexpr boxui::RowColumns kResultColumns { 3720, 480, 4320, 1200, 600 };

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
    const DesignState& state = designState();
    showsStoredValue("szFrq", state.xoverFreq);
    showsStoredValue("szRl", state.xoverRl);
    showsStoredValue("szRh", state.xoverRh);
    showsStoredValue(nullptr, state.xoverIs12dB);
    for (const float* part : { &state.xoverL1, &state.xoverC1, &state.xoverL2, &state.xoverC2 })
        showsStoredValue(nullptr, *part);
}

void frmXover::buildControls()
{
    boxui::BoxLayout layout([this](auto&&... args) { return addLabel(args...); },
        [this](auto&&... args) { return addField(args...); }, [this](auto&&... args) { return addButton(args...); });
    layout.rows(kInputRows, kInputColumns);
    layout.rows(kResultRows, kResultColumns);
    xoverui::makeResultFields(this, { "szL1", "szC1", "szL2", "szC2" });
    m_picture = new PictureBox;
    m_picture->setObjectName(QStringLiteral("Image1"));
    place(m_picture, 120, 1560, 3480, 2160);
    layout.buttons({ { "btnGraph", "Graph", nullptr, [this] { btnGraph_Click(); } },
                       { "LDesign", "L Design", nullptr, [this] { LDesign_Click(); } },
                       { "btnPrint", "Print", nullptr, [this] { btnPrint_Click(); } },
                       { "btnExit", "Exit", nullptr, [this] { btnExit_Click(); } } },
        3960, 180, 120);
}

TwoWayInputs frmXover::readInputs() const
{
    TwoWayInputs in;
    in.f = boxui::numberIn(this, QStringLiteral("szFrq"));
    in.rl = boxui::numberIn(this, QStringLiteral("szRl"));
    in.rh = boxui::numberIn(this, QStringLiteral("szRh"));
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
        boxui::storeFields(this,
            { { "szFrq", &DesignState::xoverFreq }, { "szRh", &DesignState::xoverRh },
                { "szRl", &DesignState::xoverRl } });
}

void frmXover::szRh_Change()
{
    boxui::storeFields(this, { { "szRh", &DesignState::xoverRh } });
    designState().designValid = 0;
    if (recalculate(TwoWayField::Rh))
        boxui::storeFields(this, { { "szFrq", &DesignState::xoverFreq }, { "szRh", &DesignState::xoverRh } });
}

void frmXover::szRl_Change()
{
    boxui::storeFields(this, { { "szRl", &DesignState::xoverRl } });
    designState().designValid = 0;
    if (recalculate(TwoWayField::Rl))
        boxui::storeFields(this, { { "szFrq", &DesignState::xoverFreq }, { "szRh", &DesignState::xoverRh } });
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
    refillField(QStringLiteral("szFrq"), numberText(state.xoverFreq));
    refillField(QStringLiteral("szRh"), numberText(state.xoverRh));
    refillField(QStringLiteral("szRl"), numberText(state.xoverRl));
}

void frmXover::btnGraph_Click()
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return;
    state.graphDrawn = 0;
    openWindow<CBGRAPH1>();
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

void frmXover::btnExit_Click()
{
    DesignState& state = designState();
    state.xoverType = state.designValid == 1 ? twoWayType(is12dB()) : XoverType::None;
    state.designValid = 0;
    closeWindow();
}
