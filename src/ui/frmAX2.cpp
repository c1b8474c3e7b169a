#include "ui/frmAX2.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/activecrossover2.h"
#include "platform/pictures.h"
#include "ui/activecrossoverlook.h"
#include "ui/crossoversupport.h"

#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 9600;
constexpr int kHeightTwips = 5880;
constexpr FieldEntry kInput[] = {
    field("szFrq", "Crossover Frequency:", beside({ 240, 2040, 2340, 1200, 480, 60 }, 300))
        .in(units::kHz)
        .input("freq", Accepts::Positive)
        .shows(&DesignState::xoverFreq, Shown::WithBlank),
};

// The result column at the right: caption, field, unit.
constexpr FieldPlace result(int row) { return beside({ 6240, 720, 7020, 1320, 720, 60 }, 240 + row * 420); }
constexpr FieldEntry kResults[] = {
    field("szR", "R =", result(0)).in(units::kOhms).result(),
    field("szR1", "R1 =", result(1)).in(units::kOhms).result(),
    field("szR2", "R2 =", result(2)).in(units::kOhms).result(),
    field("szR3", "R3 =", result(3)).in(units::kOhms).result(),
    field("szR4", "R4 =", result(4)).in(units::kOhms).result(),
    field("szC", "C =", result(5)).in(units::kMicroFarad).result(),
    field("szC1", "C1 =", result(6)).in(units::kMicroFarad).result(),
    field("szC2", "C2 =", result(7)).in(units::kMicroFarad).result(),
    field("szC3", "C3 =", result(8)).in(units::kMicroFarad).result(),
    field("szC4", "C4 =", result(9)).in(units::kMicroFarad).result(),
};
constexpr auto kFields = joinFields(kInput, kResults);

const QString kFrq = QStringLiteral("szFrq");

} // namespace

frmAX2::frmAX2(QWidget* parent)
    : DesignWindow(QStringLiteral("frmAX2"), QStringLiteral("Active 2 Way Crossover Design"),
        QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    activeui::paintBlue(this);
    xoverui::makeResultFields(this);
    onChange(field(kFrq), [this] { szFrq_Change(); });
}

std::span<const FieldEntry> frmAX2::fieldTable() { return kFields; }

void frmAX2::buildControls()
{
    declareFields(kFields);
    buildFields(kInput);
    m_image1 = new PictureBox;
    m_image1->setObjectName(QStringLiteral("Image1"));
    place(m_image1, 240, 900, 5700, 3420);
    buildFields(kResults);
    addButtonRow(
        { { "BtnPrint", "Print", [this] { BtnPrint_Click(); } }, { "btnCal", "Calculate", [this] { btnCal_Click(); } },
            { "btnExit", "Exit", [this] { btnExit_Click(); } } },
        { 4800, 1200, 900, 1500, 540 });
}

bool frmAX2::designFromField()
{
    const std::optional<ActiveTwoWay> design = activeTwoWay(numberIn(kFrq));
    if (!design)
        return false;
    activeui::showComponents(this, design->components());
    designState().designValid = 1;
    return true;
}

void frmAX2::btnCal_Click()
{
    DesignState& state = designState();
    state.designValid = 0;
    if (designFromField())
        storeFields({ "szFrq" });
    field(kFrq)->setFocus(Qt::OtherFocusReason);
}

void frmAX2::szFrq_Change()
{
    // The shown values belong to the frequency of the last Calculate.
    designState().designValid = 0;
}

void frmAX2::Form_Activate()
{
    DesignState& state = designState();
    field(kFrq)->setFocus(Qt::OtherFocusReason);
    const bool stored = fillField(kFrq);
    m_image1->setPicture(QStringLiteral("A2.BMP"));
    if (stored) {
        state.designValid = 0;
        designFromField();
    }
}

ReportLayout frmAX2::reportLayout() const
{
    ReportLayout layout;
    layout.title = QStringLiteral("Active 2 Way Crossover Design (18 DB)");
    layout.titleX = 100;
    layout.titleY = 1800;
    layout.fixedFontSizes = true;
    layout.lines.append(
        { 290, 1600, QStringLiteral("Crossover Frequency = ") + field(kFrq)->text() + QStringLiteral(" Hz") });
    // R..R4 in the left column, C..C4 in the right one, 100 apart from y 1500 down.
    for (int i = 0; i < int(std::size(kResults)); ++i) {
        const FieldEntry& row = kResults[i];
        layout.lines.append({ i < 5 ? 150.0 : 750.0, 1500.0 - (i % 5) * 100,
            QString::fromLatin1(row.caption) + u' ' + field(QString::fromLatin1(row.name))->text() + u' '
                + QString::fromLatin1(row.unit.text) });
    }
    layout.pictures.append({ 0, 100, 1500, 900, QStringLiteral("A2.BMP") });
    return layout;
}

void frmAX2::BtnPrint_Click() { printReportPage(reportLayout(), field(kFrq)); }

void frmAX2::btnExit_Click()
{
    designState().designValid = 0;
    closeWindow();
}

// The frequencies of the design shown, as its Calculate stored them.
void frmAX2::Form_HandOver()
{
    if (designState().designValid == 1)
        storeFields({ "szFrq" });
}

void frmAX2::Form_Unload() { designState().designValid = 0; }
