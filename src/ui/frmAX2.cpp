#include "ui/frmAX2.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "core/numberparse.h"
#include "design/activecrossover2.h"
#include "platform/pictures.h"
#include "ui/activecrossoverlook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace design;

namespace {

constexpr int kWidthTwips = 9600;
constexpr int kHeightTwips = 5880;
constexpr int kRowHeight = 315;

// The result column at the right: caption, field, unit.
struct ResultRow {
    const char* field;
    const char* caption;
    const char* unit;
};
constexpr ResultRow kResults[] = {
    { "szR", "R =", "Ohms" },
    { "szR1", "R1 =", "Ohms" },
    { "szR2", "R2 =", "Ohms" },
    { "szR3", "R3 =", "Ohms" },
    { "szR4", "R4 =", "Ohms" },
    { "szC", "C =", "uF" },
    { "szC1", "C1 =", "uF" },
    { "szC2", "C2 =", "uF" },
    { "szC3", "C3 =", "uF" },
    { "szC4", "C4 =", "uF" },
};
constexpr int kResultTop = 240;
constexpr int kResultPitch = 420;

const QString kFrq = QStringLiteral("szFrq");

} // namespace

frmAX2::frmAX2(QWidget* parent)
    : DesignWindow(QStringLiteral("frmAX2"), QStringLiteral("Active 2 Way Crossover Design"),
        QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    activeui::paintBlue(this);
    activeui::markResults(this, ActiveTwoWay().components());
    onChange(field(kFrq), [this] { szFrq_Change(); });
    showsStoredValue("szFrq", designState().xoverFreq);
}

void frmAX2::buildControls()
{
    int labels = 0;
    auto label = [&](const char* caption, int left, int top, int width, Qt::Alignment align) {
        addLabel(QStringLiteral("Label%1").arg(++labels), QString::fromLatin1(caption), left, top, width, kRowHeight)
            ->setAlignment(align | Qt::AlignVCenter);
    };
    label("Crossover Frequency:", 240, 300, 2040, Qt::AlignRight);
    addField(kFrq, 2340, 300, 1200, kRowHeight);
    label("Hz", 3600, 300, 480, Qt::AlignLeft);

    m_image1 = new PictureBox;
    m_image1->setObjectName(QStringLiteral("Image1"));
    place(m_image1, 240, 900, 5700, 3420);

    for (int i = 0; i < int(std::size(kResults)); ++i) {
        const int top = kResultTop + i * kResultPitch;
        label(kResults[i].caption, 6240, top, 720, Qt::AlignRight);
        addField(QString::fromLatin1(kResults[i].field), 7020, top, 1320, kRowHeight);
        label(kResults[i].unit, 8400, top, 720, Qt::AlignLeft);
    }

    connect(addButton(QStringLiteral("BtnPrint"), QStringLiteral("Print"), 1200, 4800, 1500, 540),
        &QPushButton::clicked, this, [this] { BtnPrint_Click(); });
    connect(addButton(QStringLiteral("btnCal"), QStringLiteral("Calculate"), 3600, 4800, 1500, 540),
        &QPushButton::clicked, this, [this] { btnCal_Click(); });
    connect(addButton(QStringLiteral("btnExit"), QStringLiteral("Exit"), 6000, 4800, 1500, 540), &QPushButton::clicked,
        this, [this] { btnExit_Click(); });
}

bool frmAX2::designFromField()
{
    const std::optional<ActiveTwoWay> design = activeTwoWay(parseNumber(field(kFrq)->text()));
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
        state.xoverFreq = static_cast<float>(parseNumber(field(kFrq)->text()));
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
    const bool stored = state.xoverFreq > 0;
    if (stored)
        refillField(kFrq, numberText(state.xoverFreq));
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
        const ResultRow& row = kResults[i];
        layout.lines.append({ i < 5 ? 150.0 : 750.0, 1500.0 - (i % 5) * 100,
            QString::fromLatin1(row.caption) + u' ' + field(QString::fromLatin1(row.field))->text() + u' '
                + QString::fromLatin1(row.unit) });
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

void frmAX2::Form_Unload() { designState().designValid = 0; }
