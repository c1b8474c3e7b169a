#include "ui/FmNet.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "platform/pictures.h"
#include "ui/boxlayout.h"
#include "ui/boxwindowsupport.h"
#include "ui/driverlibraryui.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace design;

namespace {

constexpr int kWidthTwips = 9600;
constexpr int kHeightTwips = 6480;

constexpr boxui::FieldRow kInputRows[] = {
    { "szName", "Speaker Name: ", nullptr, 240 },
    { "szFr", "Speaker Resonance: ", "Hz", 660 },
    { "szQes", "Qes: ", nullptr, 1080 },
    { "szQms", "Qms:", nullptr, 1500 },
    { "szRdc", "Speaker Resistance:", "Ohms", 1920 },
    { "szL", "Speaker Impedance: ", "mH", 2340 },
};
constexpr boxui::RowColumns kInputColumns { 240, 2520, 2880, 1560, 720 };
constexpr int kNameWidth = 3600;

// The two result groups side by side: picture on the left, rows on the right.
constexpr int kGroupTop = 2880;
constexpr int kGroupWidth = 4440;
constexpr int kGroupHeight = 2280;
constexpr int kNotchLeft = 240;
constexpr int kEqualisationLeft = 4920;
constexpr int kButtonTop = 5580;

boxui::RowColumns resultColumns(int groupLeft) { return { groupLeft + 2100, 480, groupLeft + 2640, 1080, 600 }; }

} // namespace

FmNet::FmNet(QWidget* parent)
    : DesignWindow(
        QStringLiteral("FmNet"), QStringLiteral("Compensating Networks"), QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    setFocusCycle({ QStringLiteral("szName"), QStringLiteral("szFr"), QStringLiteral("szQes"), QStringLiteral("szQms"),
        QStringLiteral("szRdc"), QStringLiteral("szL") });
    attachDriverLibrary(
        this, { .name = "szName", .fs = "szFr", .qes = "szQes", .qms = "szQms", .re = "szRdc", .le = "szL" });
}

// The window fills itself once, when it first comes up.
void FmNet::Form_Activate()
{
    if (isOpening())
        Form_Load();
}

void FmNet::buildControls()
{
    // The frames first, so that the controls inside them stay on top.
    const auto group = [this](const char* name, const char* title, int left) {
        auto* frame = new QGroupBox(QString::fromLatin1(title));
        frame->setObjectName(QString::fromLatin1(name));
        place(frame, left, kGroupTop, kGroupWidth, kGroupHeight);
    };
    group("Frame1", "Series Notch Filter", kNotchLeft);
    group("Frame2", "Impedance Compensation", kEqualisationLeft);

    boxui::BoxLayout layout([this](auto&&... args) { return addLabel(args...); },
        [this](auto&&... args) { return addField(args...); }, [this](auto&&... args) { return addButton(args...); });
    layout.rows(kInputRows, kInputColumns);
    place(field(QStringLiteral("szName")), kInputColumns.fieldLeft, kInputRows[0].top, kNameWidth, boxui::kRowHeight);
    // The note stands beside the two optional fields.
    QLabel* note
        = layout.caption(QStringLiteral("Leave blank for less accurate calculation"), 4680, 1140, 2400, Qt::AlignLeft);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(note, 4680, 1140, 2400, 600);

    const boxui::FieldRow notchRows[] = {
        { "szCnf", "C = ", "uF", kGroupTop + 420 },
        { "szLnf", "L = ", "mH", kGroupTop + 900 },
        { "szRnf", "R = ", "Ohms", kGroupTop + 1380 },
    };
    layout.rows(notchRows, resultColumns(kNotchLeft));
    const boxui::FieldRow equalisationRows[] = {
        { "szCic", "C = ", "uF", kGroupTop + 420 },
        { "szRic", "R = ", "Ohms", kGroupTop + 900 },
    };
    layout.rows(equalisationRows, resultColumns(kEqualisationLeft));

    const auto picture = [this](const char* name, const char* file, int groupLeft) {
        auto* box = new PictureBox;
        box->setObjectName(QString::fromLatin1(name));
        box->setPicture(QString::fromLatin1(file));
        place(box, groupLeft + 120, kGroupTop + 360, 1860, 1740);
    };
    picture("Image1", "notch.BMP", kNotchLeft);
    picture("Image2", "imp.BMP", kEqualisationLeft);

    layout.buttons({ { "btnPrint", "Print", nullptr, [this] { btnPrint_Click(); } },
                       { "btn_Cal", "Calculate", nullptr, [this] { btn_Cal_Click(); } },
                       { "btnExit", "Exit", nullptr, [this] { btnExit_Click(); } } },
        kButtonTop, 1560, 1080);
}

void FmNet::showEqualisation(const std::optional<ImpedanceEqualisation>& network)
{
    if (!network)
        return;
    boxui::setTextOf(this, QStringLiteral("szRic"), formatNumber(network->r, kNetPattern));
    boxui::setTextOf(this, QStringLiteral("szCic"), formatNumber(network->c, kNetPattern));
}

void FmNet::showNotch(const std::optional<NotchFilter>& network)
{
    if (!network)
        return;
    boxui::setTextOf(this, QStringLiteral("szRnf"), formatNumber(network->r, kNetPattern));
    boxui::setTextOf(this, QStringLiteral("szCnf"), formatNumber(network->c, kNetPattern));
    boxui::setTextOf(this, QStringLiteral("szLnf"), formatNumber(network->l, kNetLPattern));
}

void FmNet::Form_Load()
{
    DesignState& state = designState();
    boxui::setTextOf(this, QStringLiteral("szName"), state.netName.trimmed());

    const auto equalisation = impedanceEqualisation(state.netRe, state.netLe);
    if (equalisation) {
        boxui::setTextOf(this, QStringLiteral("szRdc"), numberText(state.netRe));
        boxui::setTextOf(this, QStringLiteral("szL"), numberText(state.netLe));
        state.designValid = 1;
    }
    showEqualisation(equalisation);

    if (!(state.netFs > 0) || !(state.netRe > 0))
        return;
    boxui::setTextOf(this, QStringLiteral("szRdc"), numberText(state.netRe));
    boxui::setTextOf(this, QStringLiteral("szFr"), numberText(state.netFs));
    const bool withQs = state.qes > 0 && state.qms > 0;
    if (withQs) {
        boxui::setTextOf(this, QStringLiteral("szQes"), numberText(state.qes));
        boxui::setTextOf(this, QStringLiteral("szQms"), numberText(state.qms));
    }
    // The full method continues from the resonance as its field shows it.
    const double fs = withQs ? boxui::numberIn(this, QStringLiteral("szFr")) : double(state.netFs);
    const auto notch = seriesNotch(fs, state.netRe, withQs ? state.qes : 0.0f, withQs ? state.qms : 0.0f);
    if (notch)
        state.designValid = 1;
    showNotch(notch);
}

void FmNet::btn_Cal_Click()
{
    DesignState& state = designState();
    state.netName = field(QStringLiteral("szName"))->text();
    const double fs = boxui::numberIn(this, QStringLiteral("szFr"));
    const double re = boxui::numberIn(this, QStringLiteral("szRdc"));
    const double le = boxui::numberIn(this, QStringLiteral("szL"));
    const double qes = boxui::numberIn(this, QStringLiteral("szQes"));
    const double qms = boxui::numberIn(this, QStringLiteral("szQms"));
    state.netFs = toSingle(fs);
    state.netLe = toSingle(le);

    const auto equalisation = impedanceEqualisation(re, le);
    if (equalisation) {
        state.netRe = toSingle(re);
        state.designValid = 1;
    }
    showEqualisation(equalisation);

    const auto notch = seriesNotch(fs, re, qes, qms);
    if (!notch)
        return;
    state.netRe = toSingle(re);
    state.designValid = 1;
    if (notch->full) {
        state.qes = toSingle(qes);
        state.qms = toSingle(qms);
    }
    showNotch(notch);
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
