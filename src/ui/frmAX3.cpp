#include "ui/frmAX3.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/activecrossover3.h"
#include "platform/pictures.h"
#include "ui/activecrossoverlook.h"
#include "ui/crossoversupport.h"

#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 10500;
constexpr int kHeightTwips = 6240;
// The two result columns, row by row, each row a caption and a field.
struct ResultCell {
    const char* field;
    const char* caption;
};
constexpr ResultCell kLeft[] = { { "szR", "R=" }, { "szR1", "R1=" }, { "szR2", "R2=" }, { "szR3", "R3=" },
    { "szR4", "R4=" }, { "szC", "C=" }, { "szC1", "C1=" }, { "szC2", "C2=" }, { "szC3", "C3=" }, { "szC4", "C4=" } };
constexpr ResultCell kRight[] = { { "szRm", "Rm=" }, { "szR5", "R5=" }, { "szR6", "R6=" }, { "szR7", "R7=" },
    { "szR8", "R8=" }, { "szCm", "Cm=" }, { "szC5", "C5=" }, { "szC6", "C6=" }, { "szC7", "C7=" }, { "szC8", "C8=" } };
constexpr int kLeftCaption = 5880;
constexpr int kRightCaption = 8100;
constexpr int kCaptionWidth = 540, kFieldWidth = 1500;
constexpr int kHeadingWidth = kRightCaption + 600 + kFieldWidth - kLeftCaption;
constexpr int kPitch = 390;
// The resistor rows under "Resistance in Ohms", the capacitor rows under "Capacitance in uF".
constexpr const char* kResistance = "Resistance in Ohms";
constexpr const char* kCapacitance = "Capacitance in uF";
constexpr int kResistorHeading = 180, kCapacitorHeading = 2460;

constexpr int rowTop(int row)
{
    return row < 5 ? kResistorHeading + 360 + row * kPitch : kCapacitorHeading + 360 + (row - 5) * kPitch;
}

constexpr FieldPlace row(int top) { return beside({ 60, 3060, 3180, 1200 }, top); }
constexpr FieldEntry kInputs[] = {
    field("szFrqh", "Enter High Frequency Crossover:", row(300))
        .in(units::kHz)
        .input("high", Accepts::Positive)
        .shows(&DesignState::xoverFreq, Shown::WithBlank),
    field("szFrql", "Enter Low Frequency Crossover:", row(720))
        .in(units::kHz)
        .input("low", Accepts::Positive)
        .shows(&DesignState::xoverFreqLow, Shown::WithBlank),
};

// Row by row, the left cell and the right one.
constexpr std::array<FieldEntry, 20> results()
{
    std::array<FieldEntry, 20> cells {};
    for (int row = 0; row < 10; ++row) {
        const bool resistor = row < 5;
        for (const int side : { 0, 1 }) {
            const ResultCell& cell = (side == 0 ? kLeft : kRight)[row];
            const int captionLeft = side == 0 ? kLeftCaption : kRightCaption;
            const FieldPlace place
                = beside({ captionLeft, kCaptionWidth, captionLeft + 600, kFieldWidth }, rowTop(row));
            cells[2 * row + side] = field(cell.field, cell.caption, place)
                                        .in(resistor ? units::kOhms : units::kMicroFarad)
                                        .under(resistor ? kResistance : kCapacitance)
                                        .result();
        }
    }
    return cells;
}
constexpr auto kResults = results();
constexpr auto kFields = joinFields(kInputs, kResults);

const QString kFrqh = QStringLiteral("szFrqh");
const QString kFrql = QStringLiteral("szFrql");

} // namespace

frmAX3::frmAX3(QWidget* parent)
    : DesignWindow(QStringLiteral("frmAX3"), QStringLiteral("Active 3 Way Crossover Design"),
        QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    activeui::paintBlue(this);
    xoverui::makeResultFields(this);
    setFocusCycle({ kFrqh, kFrql });
    onChange(field(kFrqh), [this] { szFrqh_Change(); });
    onChange(field(kFrql), [this] { szFrql_Change(); });
}

std::span<const FieldEntry> frmAX3::fieldTable() { return kFields; }

void frmAX3::buildControls()
{
    declareFields(kFields);
    buildFields(kInputs);
    m_image1 = new PictureBox;
    m_image1->setObjectName(QStringLiteral("Image1"));
    place(m_image1, 240, 1260, 5400, 3600);
    addCaption(
        QString::fromLatin1(kResistance), kLeftCaption, kResistorHeading, kHeadingWidth, kRowHeight, Qt::AlignHCenter);
    addCaption(QString::fromLatin1(kCapacitance), kLeftCaption, kCapacitorHeading, kHeadingWidth, kRowHeight,
        Qt::AlignHCenter);
    buildFields(kResults);
    addButtonRow(
        { { "btnPrint", "Print", [this] { btnPrint_Click(); } }, { "btnCal", "Calculate", [this] { btnCal_Click(); } },
            { "btnExit", "Exit", [this] { btnExit_Click(); } } },
        { 5280, 1440, 1260, 1500, 540 });
}

bool frmAX3::designFromFields()
{
    const std::optional<ActiveThreeWay> design = activeThreeWay(numberIn(kFrqh), numberIn(kFrql));
    if (!design)
        return false;
    activeui::showComponents(this, design->components());
    designState().designValid = 1;
    return true;
}

void frmAX3::btnCal_Click()
{
    DesignState& state = designState();
    state.designValid = 0;
    if (designFromFields())
        storeFields({ "szFrqh", "szFrql" });
    field(kFrqh)->setFocus(Qt::OtherFocusReason);
}

// The shown values belong to the frequencies of the last Calculate.
void frmAX3::szFrqh_Change() { designState().designValid = 0; }

void frmAX3::szFrql_Change() { designState().designValid = 0; }

void frmAX3::Form_Activate()
{
    DesignState& state = designState();
    field(kFrqh)->setFocus(Qt::OtherFocusReason);
    const bool highStored = fillField(kFrqh);
    const bool lowStored = fillField(kFrql);
    m_image1->setPicture(QStringLiteral("A3.BMP"));
    if (highStored && lowStored) {
        state.designValid = 0;
        designFromFields();
    }
}

ReportLayout frmAX3::reportLayout() const
{
    ReportLayout layout;
    layout.title = QStringLiteral("Active 3 Way Crossover Design (18 DB)");
    layout.titleX = 70;
    layout.titleY = 1940;
    layout.lines.append({ 120, 1850,
        QStringLiteral("Crossover Frequencys = ") + field(kFrqh)->text() + QStringLiteral(" Hz  And  ")
            + field(kFrql)->text() + QStringLiteral(" Hz") });
    layout.lines.append({ 300, 1775, QStringLiteral("Ohms") + QString(37, u' ') + QStringLiteral("uF") });
    // Resistors at x 300, capacitors at x 800; the first column's rows from
    // y 1700, the second column's from y 1325, 75 apart.
    auto line = [this](const ResultCell& cell) {
        const QString caption = QString::fromLatin1(cell.caption);
        // "R=" prints as " R = ", "R1=" as "R1 = ".
        return caption.left(caption.size() - 1).rightJustified(2) + QStringLiteral(" = ")
            + field(QString::fromLatin1(cell.field))->text();
    };
    for (const auto& [cells, top] : { std::pair { kLeft, 1700.0 }, std::pair { kRight, 1325.0 } })
        for (int row = 0; row < 10; ++row)
            layout.lines.append({ row < 5 ? 300.0 : 800.0, top - (row % 5) * 75, line(cells[row]) });
    layout.pictures.append({ 0, 20, 1500, 1000, QStringLiteral("A3.BMP") });
    return layout;
}

void frmAX3::btnPrint_Click() { printReportPage(reportLayout(), field(kFrqh)); }

void frmAX3::btnExit_Click()
{
    designState().designValid = 0;
    closeWindow();
}

// The frequencies of the design shown, as its Calculate stored them.
void frmAX3::Form_HandOver()
{
    if (designState().designValid == 1)
        storeFields({ "szFrqh", "szFrql" });
}

void frmAX3::Form_Unload() { designState().designValid = 0; }
