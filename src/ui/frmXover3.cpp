#include "ui/frmXover3.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "platform/pictures.h"
#include "ui/crossoversupport.h"
#include "ui/graphwindow.h"

#include <QFrame>
#include <QLineEdit>
#include <QScopedValueRollback>

using namespace design;

namespace {

constexpr int kWidthTwips = 8760;
constexpr int kHeightTwips = 6000;

constexpr FieldPlace row(int top) { return beside({ 1260, 2640, 4020, 1200, 600 }, top); }
// The parts in one column on the right.
constexpr FieldPlace part(int top) { return beside({ 6060, 600, 6780, 1200, 480 }, top); }

// The inputs are shown from the design state and stored by their change rules.
constexpr FieldEntry input(
    const char* name, const char* caption, int top, Unit unit, const char* option, float DesignState::*member)
{
    return field(name, caption, row(top)).in(unit).input(option, Accepts::Positive).shows(member, Shown::WithBlank);
}
constexpr FieldEntry kInputs[] = {
    input("szFrqh", "High Crossover Frequency:", 240, units::kHz, "high", &DesignState::xoverFreq),
    input("szFrql", "Low Crossover Frequency:", 660, units::kHz, "low", &DesignState::xoverFreqLow),
    input("szRh", "Enter Tweeter Impedance:", 1080, units::kOhms, "tweeter", &DesignState::xoverRh),
    input("szRm", "Enter Mid-Range Impedance:", 1500, units::kOhms, "mid", &DesignState::xoverRm),
    input("szRl", "Enter Woofer Impedance:", 1920, units::kOhms, "woofer", &DesignState::xoverRl),
};
// "3.4" "Octaves" at the far left, beside the two frequency rows.
constexpr CaptionEntry kOctaveNote[] = {
    { "Label26", "3.4", { 120, 300, 780, 255 } },
    { "Label27", "Octaves", { 120, 555, 780, 255 } },
};
constexpr FieldEntry kParts[] = {
    field("szL1", "L1 =", part(240)).in(units::kMilliHenry).result(),
    field("szC1", "C1 =", part(660)).in(units::kMicroFarad).result(),
    field("szL2", "L2 =", part(1080)).in(units::kMilliHenry).result(),
    field("szC2", "C2 =", part(1500)).in(units::kMicroFarad).result(),
    field("szL3", "L3 =", part(1920)).in(units::kMilliHenry).result(),
    field("szC3", "C3 =", part(2340)).in(units::kMicroFarad).result(),
    field("szL4", "L4 =", part(2760)).in(units::kMilliHenry).result(),
    field("szC4", "C4 =", part(3180)).in(units::kMicroFarad).result(),
};
constexpr auto kFields = joinFields(kInputs, kParts);

bool is12dB() { return designState().xoverIs12dB != 0; }

} // namespace

frmXover3::frmXover3(QWidget* parent)
    : DesignWindow(QStringLiteral("frmXover3"), QStringLiteral("Passive 3 Way Crossover Design"),
        QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    setFocusCycle({ QStringLiteral("szFrqh"), QStringLiteral("szFrql"), QStringLiteral("szRh"), QStringLiteral("szRm"),
        QStringLiteral("szRl") });
    onChange(field(QStringLiteral("szFrqh")), [this] { szFrqh_Change(); });
    onChange(field(QStringLiteral("szFrql")), [this] { szFrql_Change(); });
    onChange(field(QStringLiteral("szRh")), [this] { szRh_Change(); });
    onChange(field(QStringLiteral("szRm")), [this] { szRm_Change(); });
    onChange(field(QStringLiteral("szRl")), [this] { szRl_Change(); });
    // The slope, chosen in the crossover selector.
    watchesValue(designState().xoverIs12dB);
}

std::span<const FieldEntry> frmXover3::fieldTable() { return kFields; }

void frmXover3::buildControls()
{
    declareFields(kFields);
    buildFields(kInputs);
    buildOctaveNote();
    buildFields(kParts);
    xoverui::makeResultFields(this);
    m_picture = new PictureBox;
    m_picture->setObjectName(QStringLiteral("Image1"));
    place(m_picture, 120, 2400, 5760, 2640);
    addButtonRow({ { "Command4", "Graph", [this] { Command4_Click(); } },
                     { "Command3", "L Design", [this] { Command3_Click(); } },
                     { "Command2", "Print", [this] { Command2_Click(); } },
                     { "Command1", "Exit", [this] { Command1_Click(); } } },
        { 5280, 1020, 300 });
}

// "3.4" "Octaves" at the far left, tied to the two frequency rows by a bracket.
void frmXover3::buildOctaveNote()
{
    for (const CaptionEntry& caption : kOctaveNote)
        addCaption(caption);
    struct Segment {
        const char* name;
        int left, top, width, height;
    };
    // The rows' middles lie at 397 and 817 twips.
    for (const Segment& s : { Segment { "Line1", 960, 397, 30, 420 }, Segment { "Line2", 960, 397, 240, 30 },
             Segment { "Line3", 960, 817, 240, 30 } }) {
        auto* line = new QFrame;
        line->setObjectName(QString::fromLatin1(s.name));
        line->setFrameShape(QFrame::Box);
        line->setStyleSheet(QStringLiteral("background: black; border: none;"));
        place(line, s.left, s.top, s.width, s.height);
    }
}

ThreeWayInputs frmXover3::readInputs() const
{
    ThreeWayInputs in;
    in.fh = numberIn(QStringLiteral("szFrqh"));
    in.fl = numberIn(QStringLiteral("szFrql"));
    in.rh = numberIn(QStringLiteral("szRh"));
    in.rm = numberIn(QStringLiteral("szRm"));
    in.rl = numberIn(QStringLiteral("szRl"));
    in.is12dB = is12dB();
    return in;
}

XoverRecalc::Status frmXover3::recalculate(ThreeWayField changed)
{
    const XoverRecalc result = threeWayChange(changed, readInputs());
    if (result.computed()) {
        designState().designValid = 1;
        xoverui::showAndStore(this, result.parts);
    }
    carryOut(result.outcome);
    return result.status;
}

void frmXover3::szFrqh_Change()
{
    // Activation writes the stored low frequency itself: proposing fh / 10
    // there would replace the user's saved design.
    const double fh = numberIn(QStringLiteral("szFrqh"));
    if (fh > 0 && !m_activating)
        setFieldText(QStringLiteral("szFrql"), numberText(proposedLowFrequency(fh)));
    designState().designValid = 0;
    // The frequencies and impedances are kept also when fl >= fh.
    if (recalculate(ThreeWayField::Frqh) != XoverRecalc::Status::Skipped)
        storeFields({ "szFrqh", "szRl", "szRm", "szRh" });
}

void frmXover3::szFrql_Change()
{
    designState().designValid = 0;
    if (recalculate(ThreeWayField::Frql) == XoverRecalc::Status::Computed)
        storeFields({ "szFrql", "szRl", "szRm", "szRh" });
}

void frmXover3::szRh_Change()
{
    storeFields({ "szRh" });
    designState().designValid = 0;
    recalculate(ThreeWayField::Rh);
}

void frmXover3::szRm_Change()
{
    storeFields({ "szRm" });
    designState().designValid = 0;
    recalculate(ThreeWayField::Rm);
}

void frmXover3::szRl_Change()
{
    storeFields({ "szRl" });
    designState().designValid = 0;
    recalculate(ThreeWayField::Rl);
}

void frmXover3::Form_Activate()
{
    DesignState& state = designState();
    field(QStringLiteral("szFrqh"))->setFocus(Qt::OtherFocusReason);
    m_picture->setPicture(is12dB() ? QStringLiteral("p312.bmp") : QStringLiteral("p36.bmp"));
    if (!isPositive(state.xoverFreq) || !isPositive(state.xoverFreqLow) || !isPositive(state.xoverRh)
        || !isPositive(state.xoverRm) || !isPositive(state.xoverRl))
        return;
    state.designValid = 0;
    const XoverRecalc stored = threeWayChange(ThreeWayField::Frqh,
        { state.xoverFreq, state.xoverFreqLow, state.xoverRh, state.xoverRm, state.xoverRl, is12dB() });
    if (stored.computed()) {
        state.designValid = 1;
        xoverui::showAndStore(this, stored.parts);
    }
    // Each write runs its field's rule when it changes the text; each value is
    // read only now, after the rules of the writes before it.
    const QScopedValueRollback activating(m_activating, true);
    for (const char* name : { "szRh", "szRm", "szRl", "szFrqh", "szFrql" })
        fillField(QString::fromLatin1(name));
}

void frmXover3::Form_Return()
{
    // Frequencies left in the wrong order are pointed out again.
    const ThreeWayInputs in = readInputs();
    if (in.fh > 0 && in.fl > 0 && in.rh > 0 && in.rm > 0 && in.rl > 0 && in.fl >= in.fh)
        carryOut(Outcome::message(crossoverOrderMessage(), QStringLiteral("szFrqh")));
}

void frmXover3::handOver()
{
    DesignState& state = designState();
    storeFields({ "szFrqh", "szFrql" });
    state.xoverType = threeWayType(is12dB());
    if (!is12dB())
        return;
    const ThreeWayInputs in = readInputs();
    // A model value that would overflow leaves the displayed one in place.
    if (const auto model = threeWayResponseModel(in.fh, in.fl, in.rm)) {
        state.xoverL4 = model->l4;
        state.xoverC4 = model->c4;
        state.xoverL3 = model->l3;
        state.xoverC3 = model->c3;
    }
}

void frmXover3::Command4_Click()
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return;
    handOver();
    state.graphDrawn = 0;
    openGraph();
    if (state.xoverType == XoverType::ThreeWay12dB) {
        for (XoverPart part : { XoverPart::L4, XoverPart::C3, XoverPart::L3, XoverPart::C4 })
            xoverui::storedPart(part) = toSingle(xoverui::shownPart(this, part));
    }
}

void frmXover3::Command3_Click()
{
    if (designState().designValid == 0)
        return;
    xoverui::openInductorWindow(is12dB() ? CoilSource::TakeL1ToL4 : CoilSource::TakeL1L2);
}

ReportLayout frmXover3::reportLayout() const
{
    const bool steep = is12dB();
    ReportLayout page;
    page.title = steep ? QStringLiteral("Passive 3 Way Crossover Design (12 DB)")
                       : QStringLiteral("Passive 3 Way Crossover Design (6 DB)");
    page.titleX = 180;
    page.titleY = 1940;
    auto line = [this, &page](double x, double y, const char* label, const char* name, const char* unit) {
        page.lines.append({ x, y,
            QString::fromLatin1(label) + field(QString::fromLatin1(name))->text() + QString::fromLatin1(unit) });
    };
    line(300, 1800, "High Crossover Frequency = ", "szFrqh", " Hz");
    line(300, 1700, "Low Crossover Frequency = ", "szFrql", " Hz");
    line(300, 1600, "Woofer Impedance = ", "szRl", " Ohms");
    line(300, 1500, "Mid-Range Impedance = ", "szRm", " Ohms");
    line(300, 1400, "Tweeter Impedance = ", "szRh", " Ohms");
    line(300, 1300, "L1 = ", "szL1", " mH");
    line(300, 1200, "C1 = ", "szC1", " uF");
    line(850, 1300, "L2 = ", "szL2", " mH");
    line(850, 1200, "C2 = ", "szC2", " uF");
    if (steep) {
        line(305, 1100, "L3 = ", "szL3", " mH");
        line(300, 1000, "C3 = ", "szC3", " uF");
        line(855, 1100, "L4 = ", "szL4", " mH");
        line(850, 1000, "C4 = ", "szC4", " uF");
        page.pictures.append({ 20, 100, 1200, 800, QStringLiteral("P312.BMP") });
    } else {
        page.pictures.append({ 20, 100, 1500, 900, QStringLiteral("P36.BMP") });
    }
    return page;
}

void frmXover3::Command2_Click() { printReportPage(reportLayout(), field(QStringLiteral("szFrqh"))); }

void frmXover3::Form_HandOver()
{
    if (designState().designValid == 1)
        handOver();
}

void frmXover3::Command1_Click()
{
    DesignState& state = designState();
    if (state.designValid == 1)
        handOver(); // the model values stay; nothing is put back
    else
        state.xoverType = XoverType::None;
    state.designValid = 0;
    closeWindow();
}
