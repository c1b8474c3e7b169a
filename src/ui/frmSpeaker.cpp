#include "ui/frmSpeaker.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "print/measurementpage.h"
#include "ui/driverlibraryui.h"

#include <QLineEdit>

namespace {
constexpr int kWidthTwips = 8400;
constexpr int kHeightTwips = 7560;
const QString kResultPattern = QStringLiteral("###.##");

constexpr int kRowTop = 240;
constexpr int kRowPitch = 600;
constexpr int rowTop(int row) { return kRowTop + row * kRowPitch; }
constexpr int kResultTop = rowTop(9) + 60;

// A measurement a row, its symbol under the field.
constexpr RowColumns kRows { 120, 4920, 5160, 1200, 1440, 60 };
constexpr FieldPlace row(int number) { return beside(kRows, rowTop(number)); }
// The four results in one row.
constexpr FieldPlace result(int captionLeft, int unitWidth = 0)
{
    return beside({ captionLeft, 600, captionLeft + 600, 1080, unitWidth, 60 }, kResultTop);
}

// A measurement, shown from and stored (on Exit) into its design-state value.
constexpr FieldEntry measured(FieldEntry entry, float DesignState::*member)
{
    return entry.shows(member, Shown::WithBlank, kOnExit);
}

constexpr FieldEntry kFields[] = {
    field("szWoofTest", "Woofer Name :", beside({ 120, 4920, 5160, 2700 }, rowTop(0)))
        .input("name", Accepts::Text)
        .part("name")
        .shows(&DesignState::measDriverName, Shown::Trimmed, kOnExit),
    measured(field("szRdct", "Speaker Resistance:", row(1))
                 .in(units::kOhms)
                 .withSymbol("Re")
                 .input("re", Accepts::Positive)
                 .part("re"),
        &DesignState::re),
    measured(
        field("szFrt", "Resonance: ", row(2)).in(units::kHz).withSymbol("Fs").input("fs", Accepts::Positive).part("fs"),
        &DesignState::measFs),
    measured(field("szIfr", "Impedance at  Resonance: ", row(3))
                 .in(units::kOhms)
                 .withSymbol("Zmax")
                 .input("zmax", Accepts::Positive),
        &DesignState::measZres),
    field("szZ", "Z' = ", row(4)).in(units::kOhms).withSymbol("Z'").result(),
    measured(field("szFlt", "Freq. Below Resonance Where Impedance = Z': ", row(5))
                 .in(units::kHz)
                 .withSymbol("f1")
                 .input("f1", Accepts::Positive),
        &DesignState::measF1),
    measured(field("szFht", "Freq. Above Resonance Where impedance = Z':", row(6))
                 .in(units::kHz)
                 .withSymbol("f2")
                 .input("f2", Accepts::Positive),
        &DesignState::measF2),
    measured(field("szVtbt", "Volume of Test Box:", row(7))
                 .in(units::kCubicFeet)
                 .withSymbol("Vt")
                 .input("vt", Accepts::Positive),
        &DesignState::testBoxVolume),
    measured(field("szFrtbt", "Resonance in Test Box:", row(8))
                 .in(units::kHz)
                 .withSymbol("Fct")
                 .input("fct", Accepts::Positive),
        &DesignState::testBoxFc),
    // The driver the window measures: its values are results.
    field("szVast", "Vas:", result(120, 960)).in(units::kCubicFeet).withSymbol("Vas").result("vas").part("vas"),
    field("szQes", "Qes:", result(2940)).withSymbol("Qes").result("qes").part("qes"),
    field("szQms", "Qms:", result(4740)).withSymbol("Qms").result("qms").part("qms"),
    field("szQts", "Qts:", result(6540)).withSymbol("Qts").result("qts").part("qts"),
};
constexpr ButtonRow kButtons { kResultTop + 840, 960, 540, 1800 };
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
    attachDriverLibrary(this);
}

std::span<const FieldEntry> frmSpeaker::fieldTable() { return kFields; }

void frmSpeaker::buildControls()
{
    declareFields(kFields);
    buildFields(kFields);
    addButtonRow({ { "Command1", "Print", [this] { Command1_Click(); } },
                     { "Command2", "Calculate", [this] { Command2_Click(); } },
                     { "btnExit", "Exit", [this] { btnExit_Click(); } } },
        kButtons);
    addCaption(QStringLiteral("F1 For Help "), 120, kButtons.top + 600, 1800, 255, Qt::AlignLeft);
}

design::MeasurementInputs frmSpeaker::readInputs() const
{
    auto value = [this](const char* name) { return numberIn(QString::fromLatin1(name)); };
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
    const auto z = design::referenceImpedance(numberIn(QStringLiteral("szRdct")), numberIn(QStringLiteral("szIfr")));
    if (z.message)
        showMessage(*z.message);
    if (z.zPrime) {
        designState().zPrime = *z.zPrime;
        setFieldText(QStringLiteral("szZ"), formatNumber(*z.zPrime, kResultPattern));
    }
}

void frmSpeaker::Form_Activate()
{
    // A value of 0 was never measured: the field keeps what it holds.
    fillFields();
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
    carryOut(result.outcome);
    if (result.vas)
        setFieldText(QStringLiteral("szVast"), formatNumber(*result.vas, kResultPattern));
    if (result.q) {
        setFieldText(QStringLiteral("szQes"), formatNumber(result.q->qes, kResultPattern));
        setFieldText(QStringLiteral("szQms"), formatNumber(result.q->qms, kResultPattern));
        setFieldText(QStringLiteral("szQts"), formatNumber(result.q->qts, kResultPattern));
    }
    if (result.q || result.vas)
        emit calculated();
}

void frmSpeaker::Command1_Click()
{
    const design::MeasurementInputs in = readInputs();
    // With a missing value the page is printed as the fields stand, unchecked.
    if (in.allPositive()) {
        if (const auto failure = design::checkInputs(in)) {
            carryOut(*failure);
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
        storeFields(Moment::Exit);
    }
    closeWindow();
}
