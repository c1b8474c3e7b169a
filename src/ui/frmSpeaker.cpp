#include "ui/frmSpeaker.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "core/numberparse.h"
#include "print/measurementpage.h"
#include "ui/boxwindowsupport.h"
#include "ui/driverlibraryui.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kWidthTwips = 8400;
constexpr int kHeightTwips = 7560;
const QString kResultPattern = QStringLiteral("###.##");

// One field with its caption on the left, its unit on the right and its
// symbol below, all in twips.
struct FieldRow {
    const char* field;
    const char* caption;
    const char* unit; // nullptr: none
    const char* symbol; // nullptr: none
    int captionLeft, captionWidth;
    int fieldLeft, fieldWidth;
    int top;
    int unitWidth;
};

constexpr int kRowTop = 240;
constexpr int kRowPitch = 600;
constexpr int rowTop(int row) { return kRowTop + row * kRowPitch; }
constexpr int kResultTop = rowTop(9) + 60;

// Top to bottom, then the four results in one row.
constexpr FieldRow kRows[] = {
    { "szWoofTest", "Woofer Name :", nullptr, nullptr, 120, 4920, 5160, 2700, rowTop(0), 0 },
    { "szRdct", "Speaker Resistance:", "Ohms", "Re", 120, 4920, 5160, 1200, rowTop(1), 1440 },
    { "szFrt", "Resonance: ", "Hz", "Fs", 120, 4920, 5160, 1200, rowTop(2), 1440 },
    { "szIfr", "Impedance at  Resonance: ", "Ohms", "Zmax", 120, 4920, 5160, 1200, rowTop(3), 1440 },
    { "szZ", "Z' = ", "Ohms", "Z'", 120, 4920, 5160, 1200, rowTop(4), 1440 },
    { "szFlt", "Freq. Below Resonance Where Impedance = Z': ", "Hz", "f1", 120, 4920, 5160, 1200, rowTop(5), 1440 },
    { "szFht", "Freq. Above Resonance Where impedance = Z':", "Hz", "f2", 120, 4920, 5160, 1200, rowTop(6), 1440 },
    { "szVtbt", "Volume of Test Box:", "Cubic Feet", "Vt", 120, 4920, 5160, 1200, rowTop(7), 1440 },
    { "szFrtbt", "Resonance in Test Box:", "Hz", "Fct", 120, 4920, 5160, 1200, rowTop(8), 1440 },
    { "szVast", "Vas:", "Cubic Feet", "Vas", 120, 600, 720, 1080, kResultTop, 960 },
    { "szQes", "Qes:", nullptr, "Qes", 2940, 600, 3540, 1080, kResultTop, 0 },
    { "szQms", "Qms:", nullptr, "Qms", 4740, 600, 5340, 1080, kResultTop, 0 },
    { "szQts", "Qts:", nullptr, "Qts", 6540, 600, 7140, 1080, kResultTop, 0 },
};
constexpr int kFieldHeight = 315;
constexpr int kButtonTop = kResultTop + 840;

// The measured inputs, in the order of the design state they are stored in.
struct StoredInput {
    const char* field;
    float DesignState::*value;
};
constexpr StoredInput kStoredInputs[] = {
    { "szRdct", &DesignState::re },
    { "szFrt", &DesignState::measFs },
    { "szIfr", &DesignState::measZres },
    { "szFlt", &DesignState::measF1 },
    { "szFht", &DesignState::measF2 },
    { "szVtbt", &DesignState::testBoxVolume },
    { "szFrtbt", &DesignState::testBoxFc },
};
} // namespace

frmSpeaker::frmSpeaker(QWidget* parent)
    : DesignWindow(QStringLiteral("frmSpeaker"),
        QStringLiteral("Speaker Parameters (If Manufactures Specs. Not Available)"), QSize(kWidthTwips, kHeightTwips),
        parent)
{
    buildControls();
    setFocusCycle({ QStringLiteral("szRdct"), QStringLiteral("szFrt"), QStringLiteral("szIfr"), QStringLiteral("szFlt"),
        QStringLiteral("szFht"), QStringLiteral("szVtbt"), QStringLiteral("szFrtbt"), QStringLiteral("szWoofTest") });
    onLostFocus(field(QStringLiteral("szRdct")), [this] { updateReferenceImpedance(); });
    onLostFocus(field(QStringLiteral("szIfr")), [this] { updateReferenceImpedance(); });
    const DesignState& state = designState();
    showsStoredValue("szWoofTest", state.measDriverName);
    for (const StoredInput& input : kStoredInputs)
        showsStoredValue(input.field, state.*input.value);
    attachDriverLibrary(this,
        { .name = "szWoofTest",
            .fs = "szFrt",
            .qts = "szQts",
            .vas = "szVast",
            .qes = "szQes",
            .qms = "szQms",
            .re = "szRdct",
            .calculatedBy = "Command2" });
}

void frmSpeaker::buildControls()
{
    int labelNumber = 0;
    auto nextLabel = [&labelNumber] { return QStringLiteral("Label%1").arg(++labelNumber); };

    for (const FieldRow& row : kRows) {
        QLabel* caption = addLabel(
            nextLabel(), QString::fromLatin1(row.caption), row.captionLeft, row.top, row.captionWidth, kFieldHeight);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        addField(QString::fromLatin1(row.field), row.fieldLeft, row.top, row.fieldWidth, kFieldHeight);
        if (row.unit)
            addLabel(nextLabel(), QString::fromLatin1(row.unit), row.fieldLeft + row.fieldWidth + 60, row.top,
                row.unitWidth, kFieldHeight)
                ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (row.symbol)
            addLabel(nextLabel(), QString::fromLatin1(row.symbol), row.fieldLeft, row.top + kFieldHeight + 15,
                row.fieldWidth, 240)
                ->setAlignment(Qt::AlignCenter);
    }

    connect(addButton(QStringLiteral("Command1"), QStringLiteral("Print"), 960, kButtonTop, 1800, 495),
        &QPushButton::clicked, this, &frmSpeaker::Command1_Click);
    connect(addButton(QStringLiteral("Command2"), QStringLiteral("Calculate"), 3300, kButtonTop, 1800, 495),
        &QPushButton::clicked, this, &frmSpeaker::Command2_Click);
    connect(addButton(QStringLiteral("btnExit"), QStringLiteral("Exit"), 5640, kButtonTop, 1800, 495),
        &QPushButton::clicked, this, &frmSpeaker::btnExit_Click);
    addLabel(nextLabel(), QStringLiteral("F1 For Help "), 120, kButtonTop + 600, 1800, 255);
}

design::MeasurementInputs frmSpeaker::readInputs() const
{
    auto value = [this](const char* name) { return parseNumber(field(QString::fromLatin1(name))->text()); };
    design::MeasurementInputs in;
    in.re = value("szRdct");
    in.fs = value("szFrt");
    in.zmax = value("szIfr");
    in.f1 = value("szFlt");
    in.f2 = value("szFht");
    in.vt = value("szVtbt");
    in.fct = value("szFrtbt");
    return in;
}

void frmSpeaker::updateReferenceImpedance()
{
    const auto z = design::referenceImpedance(
        parseNumber(field(QStringLiteral("szRdct"))->text()), parseNumber(field(QStringLiteral("szIfr"))->text()));
    if (z.message)
        showMessage(*z.message);
    if (z.zPrime) {
        designState().zPrime = *z.zPrime;
        setFieldText(field(QStringLiteral("szZ")), formatNumber(*z.zPrime, kResultPattern));
    }
}

void frmSpeaker::Form_Activate()
{
    const DesignState& state = designState();
    refillField(QStringLiteral("szWoofTest"), state.measDriverName.trimmed());
    // A value of 0 was never measured: the field keeps what it holds.
    for (const StoredInput& input : kStoredInputs) {
        const float value = state.*input.value;
        if (value > 0)
            refillField(QString::fromLatin1(input.field), numberText(value));
    }
    field(QStringLiteral("szWoofTest"))->setFocus(Qt::OtherFocusReason);
}

void frmSpeaker::Command2_Click()
{
    const design::MeasurementResult result = design::measureDriver(readInputs());
    if (result.q) {
        DesignState& state = designState();
        state.qms = result.q->qms;
        state.qes = result.q->qes;
        state.qts = result.q->qts;
    }
    if (result.vas)
        m_vas = *result.vas;
    boxui::carryOut(this, result.outcome);
    if (result.vas)
        setFieldText(field(QStringLiteral("szVast")), formatNumber(*result.vas, kResultPattern));
    if (result.q) {
        setFieldText(field(QStringLiteral("szQes")), formatNumber(result.q->qes, kResultPattern));
        setFieldText(field(QStringLiteral("szQms")), formatNumber(result.q->qms, kResultPattern));
        setFieldText(field(QStringLiteral("szQts")), formatNumber(result.q->qts, kResultPattern));
    }
}

void frmSpeaker::Command1_Click()
{
    const design::MeasurementInputs in = readInputs();
    // With a missing value the page is printed as the fields stand, unchecked.
    if (in.allPositive()) {
        if (const auto failure = design::checkInputs(in)) {
            boxui::carryOut(this, *failure);
            return;
        }
    }
    const DesignState& state = designState();
    const auto text = [this](const char* name) { return field(QString::fromLatin1(name))->text(); };
    printMeasurementPage(this,
        { text("szWoofTest"), text("szRdct"), text("szFrt"), text("szIfr"), text("szZ"), text("szFht"), text("szFlt"),
            text("szVtbt"), text("szFrtbt"), state.qts, state.qes, state.qms, m_vas });
    field(QStringLiteral("szRdct"))->setFocus(Qt::OtherFocusReason);
}

void frmSpeaker::btnExit_Click()
{
    const design::MeasurementInputs in = readInputs();
    if (const auto q = design::qFactorsForExit(in)) {
        DesignState& state = designState();
        state.qms = q->qms;
        state.qes = q->qes;
        state.qts = q->qts;
        for (const StoredInput& input : kStoredInputs)
            state.*input.value = static_cast<float>(parseNumber(field(QString::fromLatin1(input.field))->text()));
        state.measDriverName = field(QStringLiteral("szWoofTest"))->text();
    }
    closeWindow();
}
