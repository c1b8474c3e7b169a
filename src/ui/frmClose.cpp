#include "ui/frmClose.h"

#include "core/designstate.h"
#include "core/numberformat.h"
#include "design/singles.h"
#include "graph/CBGRAPH1.h"
#include "ui/boxwindowsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace design;

namespace {

constexpr int kWidthTwips = 8640;
constexpr int kHeightTwips = 5880;

// Left block, top to bottom; the woofer name has a row of its own.
constexpr boxui::FieldRow kRows[] = {
    {"szQts", "Enter Qts:", nullptr, 840},
    {"szVas", "Enter Vas:", "Cubic Feet", 1260},
    {"szQd", "Desired Bass Response(Qtc):", "0.5 to 1.5", 1680},
    {"szFar", "Enter Free Air Resonance:", "Hz", 2100},
    {"szVcb", "Closed Box Volume:", "Cubic Feet", 2700},
    {"szFc", "System Resonance:", "Hz", 3120},
    {"szF3", "Low Frequency Cut-Off(-3dB):", "Hz", 3540},
};
constexpr boxui::RowColumns kColumns{240, 3120, 3480, 1320, 1320};

// Right column: the dimensions, each with its letter on the left.
constexpr boxui::FieldRow kDimensionRows[] = {
    {"szH", "H:", nullptr, 3420},
    {"szW", "W:", nullptr, 3840},
    {"szD", "D:", nullptr, 4260},
};
constexpr boxui::RowColumns kDimensionColumns{6480, 420, 6960, 960, 0};
constexpr int kRightLeft = 6480;
constexpr int kRightWidth = 1920;

// Fields the program fills and the user never types into.
const char* const kResultFields[] = {"szFc", "szF3", "szVover", "szH", "szW", "szD"};

constexpr int kButtonTop = 4920;
constexpr int kButtonWidth = 1440;
constexpr int kButtonHeight = 495;

// Graph, Print and Exit hand these fields over as Singles.
void storeHandOverFields(const QWidget* window)
{
    boxui::storeFields(window, {{"szVas", &DesignState::vas},
                                {"szVcb", &DesignState::closedVb},
                                {"szQts", &DesignState::qts},
                                {"szFar", &DesignState::fs},
                                {"szQd", &DesignState::closedQtc}});
}

} // namespace

frmClose::frmClose(QWidget* parent)
    : DesignWindow(QStringLiteral("frmClose"), QStringLiteral("Closed Box Design "), QSize(kWidthTwips, kHeightTwips),
                   parent)
{
    buildControls();
    setFocusCycle({QStringLiteral("szQts"), QStringLiteral("szVas"), QStringLiteral("szQd"), QStringLiteral("szFar"),
                   QStringLiteral("szISO"), QStringLiteral("szWoofBox")});
    setupYesNoField(field(QStringLiteral("szISO")), &designState().isoFactor, field(QStringLiteral("szQts")));
    onGotFocus(field(QStringLiteral("szVas")), [this] { szVas_GotFocus(); });
    onGotFocus(field(QStringLiteral("szFar")), [this] { szFar_GotFocus(); });
}

void frmClose::buildControls()
{
    boxui::LabelNames labels;
    auto label = [this](auto&&... args) { return addLabel(args...); };
    auto field = [this](auto&&... args) { return addField(args...); };

    addLabel(labels.next(), QStringLiteral("Woofer Name :"), kColumns.captionLeft, 240, kColumns.captionWidth,
             boxui::kRowHeight)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addField(QStringLiteral("szWoofBox"), kColumns.fieldLeft, 240, 2640, boxui::kRowHeight);

    addLabel(labels.next(), QStringLiteral("Isobaric Configuration"), kRightLeft, 240, kRightWidth, 255)
        ->setAlignment(Qt::AlignCenter);
    addField(QStringLiteral("szISO"), kRightLeft + (kRightWidth - 480) / 2, 540, 480, boxui::kRowHeight)
        ->setAlignment(Qt::AlignCenter);
    addLabel(labels.next(), QStringLiteral("Enter data for 1 woofer"), kRightLeft, 900, kRightWidth, 255)
        ->setAlignment(Qt::AlignCenter);

    boxui::addRows(kRows, kColumns, labels, label, field);

    addLabel(labels.next(), QStringLiteral("10% Over Volume"), kRightLeft, 2400, kRightWidth, 255)
        ->setAlignment(Qt::AlignCenter);
    addField(QStringLiteral("szVover"), kDimensionColumns.fieldLeft, 2700, kDimensionColumns.fieldWidth,
             boxui::kRowHeight);
    addLabel(labels.next(), QStringLiteral("Dimensions (Inches)"), kRightLeft, 3120, kRightWidth, 255)
        ->setAlignment(Qt::AlignCenter);
    boxui::addRows(kDimensionRows, kDimensionColumns, labels, label, field);

    for (const char* name : kResultFields)
        this->field(QString::fromLatin1(name))->setReadOnly(true);

    struct ButtonSpec {
        const char* name;
        const char* caption;
        const char* note; // below the button; nullptr: none
        void (frmClose::*click)();
    };
    const ButtonSpec buttons[] = {
        {"btnGraph", "Graph", nullptr, &frmClose::btnGraph_Click},
        {"btnCal", "Calculate", "For Volume", &frmClose::btnCal_Click},
        {"Command1", "Calculate", "For Qtc", &frmClose::Command1_Click},
        {"btnExit", "Exit", nullptr, &frmClose::btnExit_Click},
        {"Command2", "Print", nullptr, &frmClose::Command2_Click},
    };
    int left = 240;
    for (const ButtonSpec& b : buttons) {
        connect(addButton(QString::fromLatin1(b.name), QString::fromLatin1(b.caption), left, kButtonTop, kButtonWidth,
                          kButtonHeight),
                &QPushButton::clicked, this, b.click);
        if (b.note)
            addLabel(labels.next(), QString::fromLatin1(b.note), left, kButtonTop + kButtonHeight + 60, kButtonWidth,
                     255)
                ->setAlignment(Qt::AlignCenter);
        left += kButtonWidth + 240;
    }
}

ClosedBoxInputs frmClose::readInputs() const
{
    ClosedBoxInputs in;
    in.qts = boxui::numberIn(this, QStringLiteral("szQts"));
    in.vas = boxui::numberIn(this, QStringLiteral("szVas"));
    in.fs = boxui::numberIn(this, QStringLiteral("szFar"));
    in.qtc = boxui::numberIn(this, QStringLiteral("szQd"));
    in.typedVb = boxui::numberIn(this, QStringLiteral("szVcb"));
    in.isoFactor = designState().isoFactor;
    return in;
}

void frmClose::takeResult(const ClosedBoxResult& result)
{
    DesignState& state = designState();
    if (!result.design) {
        state.designValid = 0;
        if (result.clearsBoxValid)
            state.boxValid = 0;
        return;
    }
    const ClosedBoxDesign& d = *result.design;
    state.closedVbCalc = d.vbCalc;
    state.closedFc = d.fc;
    state.closedQtcCalc = d.qtcCalc;
    state.closedQtc = d.qtc;
    m_f3 = d.f3;
    boxui::storeAndShowProportions(this, d.box, QStringLiteral("szH"), QStringLiteral("szW"), QStringLiteral("szD"));
    boxui::setTextOf(this, QStringLiteral("szVcb"), formatNumber(d.vbCalc, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szVover"), formatNumber(d.vbOver, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szFc"), formatNumber(d.fc, kPattern2));
    boxui::setTextOf(this, QStringLiteral("szF3"), formatNumber(m_f3, kPattern2));
    state.designValid = 1;
    state.boxValid = 1;
}

void frmClose::btnCal_Click()
{
    designState().designValid = 0;
    const ClosedBoxResult result = closedBoxForVolume(readInputs(), Trigger::Calculate);
    takeResult(result);
    boxui::carryOut(this, result.outcome);
}

void frmClose::Command1_Click()
{
    // A new calculation withdraws the last one until it succeeds, so that a
    // rejected volume is never handed over with the previous design.
    designState().designValid = 0;
    const ClosedBoxResult result = closedBoxForQtc(readInputs());
    takeResult(result);
    if (result.design)
        boxui::setTextOf(this, QStringLiteral("szQd"), numberText(result.design->qtc));
    boxui::carryOut(this, result.outcome);
}

void frmClose::szVas_GotFocus()
{
    checkDesiredQtc();
}

void frmClose::szFar_GotFocus()
{
    checkDesiredQtc();
}

void frmClose::checkDesiredQtc()
{
    boxui::carryOut(this, desiredQtcOnEntry(boxui::numberIn(this, QStringLiteral("szQd"))));
}

void frmClose::Form_Activate()
{
    DesignState& state = designState();
    setWindowReady(1);
    boxui::setTextOf(this, QStringLiteral("szWoofBox"), state.driverName.trimmed());
    if (!boxui::showStoredDriver(this))
        setWindowReady(0);
    boxui::setTextOf(this, QStringLiteral("szQd"), state.closedQtc > 0 ? numberText(state.closedQtc) : QStringLiteral(".7"));
    boxui::showIsobaric(this);
    state.designValid = 0;

    Outcome outcome;
    if (windowReady() == 1) {
        const ClosedBoxResult result = closedBoxForVolume(readInputs(), Trigger::Activation);
        takeResult(result);
        outcome = result.outcome;
        // The vented window's stored design no longer matches the shared values.
        state.ventedValid = 0;
    }
    setWindowReady(1);
    field(QStringLiteral("szWoofBox"))->setFocus(Qt::OtherFocusReason);
    boxui::carryOut(this, outcome);
}

void frmClose::storeShownDesign()
{
    storeHandOverFields(this);
    designState().boxType = 0;
}

void frmClose::btnGraph_Click()
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return;
    storeShownDesign();
    state.graphDrawn = 0;
    openWindow<CBGRAPH1>();
}

void frmClose::Command2_Click()
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return;
    storeShownDesign();
    state.boxValid = 1;
    // The printer selection and the box data report follow here once the
    // report exists.
}

void frmClose::btnExit_Click()
{
    DesignState& state = designState();
    if (state.designValid == 1) {
        storeShownDesign();
        state.ventedValid = 0;
        state.driverName = field(QStringLiteral("szWoofBox"))->text();
        state.boxValid = 1;
    } else {
        state.boxValid = 0;
    }
    state.designValid = 0;
    closeWindow();
}
