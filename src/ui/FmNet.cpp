#include "ui/FmNet.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "platform/pictures.h"
#include "ui/driverlibraryui.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 9600;
constexpr int kHeightTwips = 6480;

// The two result groups side by side: picture on the left, rows on the right.
constexpr int kGroupTop = 2880;
constexpr int kGroupWidth = 4440;
constexpr int kGroupHeight = 2280;
constexpr int kNotchLeft = 240;
constexpr int kEqualisationLeft = 4920;
constexpr const char* kNotch = "Series Notch Filter";
constexpr const char* kEqualisation = "Impedance Compensation";

constexpr FieldPlace row(int top) { return beside({ 240, 2520, 2880, 1560, 720 }, top); }
constexpr FieldPlace result(int groupLeft, int row)
{
    return beside({ groupLeft + 2100, 480, groupLeft + 2640, 1080, 600 }, kGroupTop + 420 + row * 480);
}

// Opening shows them from the design state as its rules say; Calculate stores them.
constexpr FieldEntry kInputs[] = {
    field("szName", "Speaker Name: ", beside({ 240, 2520, 2880, 3600 }, 240))
        .input("name", Accepts::Text)
        .part("name")
        .shows(&DesignState::netName, Shown::Trimmed),
    field("szFr", "Speaker Resonance: ", row(660))
        .in(units::kHz)
        .input("fs")
        .part("fs")
        .shows(&DesignState::netFs, Shown::WithBlank),
    field("szQes", "Qes: ", row(1080)).input("qes").part("qes").shows(&DesignState::qes, Shown::WithBlank),
    field("szQms", "Qms:", row(1500)).input("qms").part("qms").shows(&DesignState::qms, Shown::WithBlank),
    field("szRdc", "Speaker Resistance:", row(1920))
        .in(units::kOhms)
        .input("re", Accepts::Positive)
        .part("re")
        .shows(&DesignState::netRe, Shown::WithBlank),
    field("szL", "Speaker Impedance: ", row(2340))
        .in(units::kMilliHenry)
        .input("le")
        .part("le")
        .shows(&DesignState::netLe, Shown::WithBlank),
};
constexpr FieldEntry kResults[] = {
    field("szCnf", "C = ", result(kNotchLeft, 0)).in(units::kMicroFarad).under(kNotch).result(),
    field("szLnf", "L = ", result(kNotchLeft, 1)).in(units::kMilliHenry).under(kNotch).result(),
    field("szRnf", "R = ", result(kNotchLeft, 2)).in(units::kOhms).under(kNotch).result(),
    field("szCic", "C = ", result(kEqualisationLeft, 0)).in(units::kMicroFarad).under(kEqualisation).result(),
    field("szRic", "R = ", result(kEqualisationLeft, 1)).in(units::kOhms).under(kEqualisation).result(),
};
constexpr auto kFields = joinFields(kInputs, kResults);

constexpr ButtonRow kButtons { 5580, 1560, 1080 };

} // namespace

FmNet::FmNet(QWidget* parent)
    : DesignWindow(
        QStringLiteral("FmNet"), QStringLiteral("Compensating Networks"), QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    setFocusCycle({ QStringLiteral("szName"), QStringLiteral("szFr"), QStringLiteral("szQes"), QStringLiteral("szQms"),
        QStringLiteral("szRdc"), QStringLiteral("szL") });
    attachDriverLibrary(this);
}

std::span<const FieldEntry> FmNet::fieldTable() { return kFields; }

// The window fills itself when it first comes up, and again after a load
// brought other stored inputs.
void FmNet::Form_Activate()
{
    if (fillsAfresh())
        Form_Load();
}

void FmNet::buildControls()
{
    declareFields(kFields);
    // The frames first, so that the controls inside them stay on top.
    const auto group = [this](const char* name, const char* title, int left) {
        auto* frame = new QGroupBox(QString::fromLatin1(title));
        frame->setObjectName(QString::fromLatin1(name));
        place(frame, left, kGroupTop, kGroupWidth, kGroupHeight);
    };
    group("Frame1", kNotch, kNotchLeft);
    group("Frame2", kEqualisation, kEqualisationLeft);

    buildFields(kInputs);
    // The note stands beside the two optional fields.
    QLabel* note = addCaption(QStringLiteral("Leave blank for less accurate calculation"), 4680, 1140, 2400, 600);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    buildFields(kResults);

    const auto picture = [this](const char* name, const char* file, int groupLeft) {
        auto* box = new PictureBox;
        box->setObjectName(QString::fromLatin1(name));
        box->setPicture(QString::fromLatin1(file));
        place(box, groupLeft + 120, kGroupTop + 360, 1860, 1740);
    };
    picture("Image1", "notch.BMP", kNotchLeft);
    picture("Image2", "imp.BMP", kEqualisationLeft);

    addButtonRow({ { "btnPrint", "Print", [this] { btnPrint_Click(); } },
                     { "btn_Cal", "Calculate", [this] { btn_Cal_Click(); } },
                     { "btnExit", "Exit", [this] { btnExit_Click(); } } },
        kButtons);
}

void FmNet::showEqualisation(const std::optional<ImpedanceEqualisation>& network)
{
    if (!network)
        return;
    setFieldText(QStringLiteral("szRic"), formatNumber(network->r, kNetPattern));
    setFieldText(QStringLiteral("szCic"), formatNumber(network->c, kNetPattern));
}

void FmNet::showNotch(const std::optional<NotchFilter>& network)
{
    if (!network)
        return;
    setFieldText(QStringLiteral("szRnf"), formatNumber(network->r, kNetPattern));
    setFieldText(QStringLiteral("szCnf"), formatNumber(network->c, kNetPattern));
    setFieldText(QStringLiteral("szLnf"), formatNumber(network->l, kNetLPattern));
}

void FmNet::Form_Load()
{
    DesignState& state = designState();
    fillField(QStringLiteral("szName"));

    const auto equalisation = impedanceEqualisation(state.netRe, state.netLe);
    if (equalisation) {
        fillField(QStringLiteral("szRdc"));
        fillField(QStringLiteral("szL"));
        state.designValid = 1;
    }
    showEqualisation(equalisation);

    if (!(state.netFs > 0) || !(state.netRe > 0))
        return;
    fillField(QStringLiteral("szRdc"));
    fillField(QStringLiteral("szFr"));
    const bool withQs = state.qes > 0 && state.qms > 0;
    if (withQs) {
        fillField(QStringLiteral("szQes"));
        fillField(QStringLiteral("szQms"));
    }
    // The full method continues from the resonance as its field shows it.
    const double fs = withQs ? numberIn(QStringLiteral("szFr")) : double(state.netFs);
    const auto notch = seriesNotch(fs, state.netRe, withQs ? state.qes : 0.0f, withQs ? state.qms : 0.0f);
    if (notch)
        state.designValid = 1;
    showNotch(notch);
}

bool FmNet::storeInputs(
    const std::optional<ImpedanceEqualisation>& equalisation, const std::optional<NotchFilter>& notch)
{
    storeFields({ "szName", "szFr", "szL" });
    if (equalisation || notch)
        storeFields({ "szRdc" });
    if (notch && notch->full)
        storeFields({ "szQes", "szQms" });
    return equalisation || notch;
}

void FmNet::btn_Cal_Click()
{
    const double fs = numberIn(QStringLiteral("szFr"));
    const double re = numberIn(QStringLiteral("szRdc"));
    const double le = numberIn(QStringLiteral("szL"));
    const double qes = numberIn(QStringLiteral("szQes"));
    const double qms = numberIn(QStringLiteral("szQms"));
    const auto equalisation = impedanceEqualisation(re, le);
    const auto notch = seriesNotch(fs, re, qes, qms);
    if (storeInputs(equalisation, notch))
        designState().designValid = 1;
    showEqualisation(equalisation);
    showNotch(notch);
}

// The inputs of the networks the window would compute now; nothing when they
// give none.
void FmNet::Form_HandOver()
{
    const double re = numberIn(QStringLiteral("szRdc"));
    const auto equalisation = impedanceEqualisation(re, numberIn(QStringLiteral("szL")));
    const auto notch = seriesNotch(
        numberIn(QStringLiteral("szFr")), re, numberIn(QStringLiteral("szQes")), numberIn(QStringLiteral("szQms")));
    if (equalisation || notch)
        storeInputs(equalisation, notch);
}

ReportLayout FmNet::reportLayout() const
{
    const auto text = [this](const char* name) { return field(QString::fromLatin1(name))->text(); };
    ReportLayout layout;
    layout.title = QStringLiteral("Compensating Networks Design");
    layout.titleX = 250;
    layout.titleY = 1900;
    layout.lines = {
        { 300, 1700, QStringLiteral("Speaker = ") + text("szName") },
        { 300, 1600, QStringLiteral("Speaker Resonance = ") + text("szFr") + QStringLiteral(" Hz") },
        { 300, 1500, QStringLiteral("Qes = ") + text("szQes") },
        { 300, 1400, QStringLiteral("Qms = ") + text("szQms") },
        { 300, 1300, QStringLiteral("Speaker Resistance = ") + text("szRdc") + QStringLiteral(" Ohms") },
        { 300, 1200, QStringLiteral("Speaker Impedance = ") + text("szL") + QStringLiteral(" mH") },
        { 190, 1100, QStringLiteral("Notch Filter") },
        { 760, 1100, QStringLiteral("Impedance Equalization") },
        { 300, 1000, QStringLiteral("C = ") + text("szCnf") + QStringLiteral(" uF") },
        { 300, 900, QStringLiteral(" L = ") + text("szLnf") + QStringLiteral(" mH") },
        { 300, 800, QStringLiteral(" R = ") + text("szRnf") + QStringLiteral(" Ohms") },
        { 950, 900, QStringLiteral(" C = ") + text("szCic") + QStringLiteral(" uF") },
        { 950, 800, QStringLiteral(" R = ") + text("szRic") + QStringLiteral(" Ohms") },
    };
    layout.pictures
        = { { 30, 300, 630, 500, QStringLiteral("notch.BMP") }, { 740, 300, 750, 500, QStringLiteral("imp.BMP") } };
    return layout;
}

void FmNet::btnPrint_Click() { printReportPage(reportLayout(), field(QStringLiteral("szName"))); }

void FmNet::btnExit_Click()
{
    designState().designValid = 0;
    closeWindow();
}
