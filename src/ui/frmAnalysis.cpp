#include "ui/frmAnalysis.h"

#include "analysis/box.h"
#include "analysis/describe.h"
#include "analysis/handover.h"
#include "core/designstate.h"
#include "core/filechooser.h"
#include "core/messages.h"
#include "core/numberformat.h"
#include "design/portlengths.h"
#include "design/singles.h"
#include "graph/analysisoutput.h"
#include "graph/curves.h"
#include "graph/keptanalysis.h"
#include "platform/pageview.h"
#include "platform/unitchoice.h"
#include "ui/driverlibraryui.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

using analysis::AnalysisInput;
using analysis::AnalysisResult;
using analysis::BoxSetup;
using analysis::TextRow;
using Kind = analysis::CurveKind;

namespace {

constexpr int kWidthTwips = 16200;
constexpr int kHeightTwips = 10440;

// The inputs down the left, caption | field | unit.
constexpr RowColumns kRows { 120, 1500, 1680, 1080, 1200, 60 };
constexpr int kFirstRow = 900;
constexpr int kPitch = 375;
constexpr int rowTop(int row) { return kFirstRow + row * kPitch; }
constexpr FieldPlace row(int number) { return beside(kRows, rowTop(number)); }
constexpr FieldPlace wideRow(int number, int fieldWidth)
{
    return beside({ kRows.captionLeft, kRows.captionWidth, kRows.fieldLeft, fieldWidth }, rowTop(number));
}
constexpr int kChooserLeft = kRows.fieldLeft + kRows.fieldWidth + kRows.unitGap; // beside a field, for its unit
constexpr int kChooserWidth = 1800;

// A value of the driver's that the design state keeps, shown as the
// number or empty, and kept as typed (the window's own rule).
constexpr FieldEntry datum(FieldEntry entry, float DesignState::*member)
{
    return entry.shows(member, Shown::WithBlankOrEmpty);
}

constexpr FieldEntry kDriver[] = {
    field("szDriver", "Driver:", wideRow(0, 2520))
        .input("name", Accepts::Text)
        .part("name")
        .shows(&DesignState::driverName, Shown::Trimmed),
    // The design's: they rule, and the window only shows them.
    datum(field("szFs", "Fs:", row(1)).in(units::kHz).result(), &DesignState::fs),
    datum(field("szQts", "Qts:", row(2)).result(), &DesignState::qts),
    datum(field("szVas", "Vas:", row(3)).in(units::kCubicFeet).result(), &DesignState::vas),
    datum(field("szQes", "Qes:", row(4)).input("qes", Accepts::Positive).part("qes"), &DesignState::qes),
    datum(field("szQms", "Qms:", row(5)).input("qms", Accepts::Positive).part("qms"), &DesignState::qms),
    datum(field("szRe", "Re:", row(6)).in(units::kOhms).input("re", Accepts::Positive).part("re"), &DesignState::re),
    datum(field("szLe", "Le:", row(7)).in(units::kMilliHenry).input("le", Accepts::Positive).part("le"),
        &DesignState::analysisLe),
    datum(field("szSd", "Sd:", row(8)).in(units::kSquareCentimetres).input("sd", Accepts::Positive).part("sd"),
        &DesignState::analysisSd),
    datum(field("szXmax", "Xmax:", row(9)).in(units::kMillimetres).input("xmax", Accepts::Positive).part("xmax"),
        &DesignState::analysisXmax),
    datum(field("szPe", "Pe:", row(10)).in(units::kWatts).input("pe", Accepts::Positive).part("pe"),
        &DesignState::analysisPe),
};

// The signal and the box: a default stands for a value not given.
constexpr FieldEntry kSignal[] = {
    field("szLevel", "Input:", wideRow(12, kRows.fieldWidth))
        .input(nullptr, Accepts::Positive)
        .shows(&DesignState::analysisLevel, Shown::WithBlank)
        .orElse("2.83"),
    field("szDistance", "Distance:", row(13))
        .in(units::kMetres)
        .input("distance", Accepts::Positive)
        .shows(&DesignState::analysisDistance, Shown::WithBlank)
        .orElse("1"),
    field("szQL", "Box Losses QL:", row(14))
        .input("ql", Accepts::Positive)
        .shows(&DesignState::analysisQl, Shown::WithBlank)
        .orElse("7"),
};
constexpr int kPortRow = 15;

// What the box, the filter and the drivers add; each is used where it applies.
constexpr int kFilterRow = 18; // its kind, order and cut-off
constexpr int kDriversRow = 21;
constexpr FieldEntry kSetup[] = {
    datum(field("szRadiatorSd", "Radiator Sd:", row(16))
              .in(units::kSquareCentimetres)
              .input("radiator-sd", Accepts::Positive),
        &DesignState::analysisRadiatorSd),
    datum(field("szRadiatorXmax", "Radiator Xmax:", row(17))
              .in(units::kMillimetres)
              .input("radiator-xmax", Accepts::Positive),
        &DesignState::analysisRadiatorXmax),
    datum(
        field("szFilterFreq", "Filter Cut-off:", row(kFilterRow + 2)).in(units::kHz).input(nullptr, Accepts::Positive),
        &DesignState::analysisFilterFrequency),
    field("szDrivers", "Drivers:", wideRow(kDriversRow, kRows.fieldWidth))
        .input("drivers", Accepts::Positive)
        .shows(&DesignState::analysisDrivers, Shown::WithBlank)
        .orElse("1"),
};
constexpr auto kFields = joinFields(kDriver, kSignal, kSetup);

// The chart and the figures beside it.
constexpr int kChartLeft = 4680;
constexpr int kChartTop = 1260;
constexpr int kChartWidth = 6840;
constexpr int kChartHeight = kHeightTwips - kChartTop - 960; // down to the buttons
constexpr int kFiguresLeft = kChartLeft + kChartWidth + 120;
constexpr int kFiguresWidth = kWidthTwips - kFiguresLeft - 120;

// The curves to choose from: each with what is drawn beside it. A box
// without a port has no port velocity, one without a radiator no radiator
// excursion.
struct CurveView {
    const char* caption;
    Kind curve;
    std::optional<Kind> also;
};
const CurveView kViews[] = {
    { "SPL", Kind::Spl, std::nullopt },
    { "Maximum SPL", Kind::MaxSpl, Kind::Spl },
    { "Cone Excursion", Kind::Excursion, std::nullopt },
    { "Radiator Excursion", Kind::RadiatorExcursion, std::nullopt },
    { "Port Air Velocity", Kind::PortVelocity, std::nullopt },
    { "Impedance and Phase", Kind::Impedance, Kind::ImpedancePhase },
    { "Amplifier Current", Kind::Current, std::nullopt },
    { "Apparent Power", Kind::ApparentPower, std::nullopt },
    { "Acoustic Phase", Kind::Phase, std::nullopt },
    { "Group Delay", Kind::GroupDelay, std::nullopt },
};

bool boxHas(const BoxSetup& box, Kind curve)
{
    if (curve == Kind::PortVelocity)
        return std::holds_alternative<analysis::VentedBoxSetup>(box)
            || std::holds_alternative<analysis::BandpassBoxSetup>(box);
    if (curve == Kind::RadiatorExcursion)
        return std::holds_alternative<analysis::RadiatorBoxSetup>(box);
    return true;
}

const CurveView* viewOf(Kind curve)
{
    for (const CurveView& view : kViews)
        if (view.curve == curve)
            return &view;
    return nullptr;
}

QString shown(float value) { return formatNumber(value, design::kPattern2).trimmed(); }

// "Vented Box of 2.16 ft³ tuned to 30 Hz, for Example W10: Qts .4, Vas 2, Fs 30",
// the design as handed over (a bandpass box's volume both sections').
QString designText(const DesignState& s, const AnalysisInput& in)
{
    const bool bandpass = std::holds_alternative<analysis::BandpassBoxSetup>(in.box);
    QString box
        = QStringLiteral("%1 of %2 %3")
              .arg(analysis::boxName(in.box),
                  shownPatternText(analysis::netVolume(in.box), design::kPattern2, true, units::kCubicFeet).trimmed(),
                  unitSymbol(units::kCubicFeet));
    std::visit(
        [&box](const auto& b) {
            if constexpr (requires { b.fb; })
                box += QStringLiteral(" tuned to %1 Hz").arg(shown(float(b.fb)));
        },
        in.box);
    const BoxDriver driver = bandpass ? BoxDriver { s.bandQts, s.bandVas, s.bandFs, s.bandIsoFactor } : boxDriverOf(s);
    const QString name = (bandpass ? s.bandWooferName : s.driverName).trimmed();
    return QStringLiteral("%1, for %2%3")
        .arg(box, name.isEmpty() ? QString() : name + QStringLiteral(": "), boxDriverText(driver));
}

// The figures as a table, a heading over each section.
QString figuresText(const QVector<TextRow>& rows)
{
    if (rows.isEmpty())
        return {};
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\">");
    QString section;
    for (const TextRow& r : rows) {
        if (r.section != section) {
            section = r.section;
            html += QStringLiteral("<tr><td colspan=\"2\"><b>%1</b></td></tr>").arg(section.toHtmlEscaped());
        }
        html += QStringLiteral("<tr><td>%1&nbsp;&nbsp;</td><td>%2</td></tr>")
                    .arg(r.caption.toHtmlEscaped(), r.value.toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

// What the library says, and what its limits lack, in words.
QStringList messageLines(const AnalysisResult& result)
{
    QStringList lines;
    for (const Message& message : result.messages)
        lines << message.prompt;
    if (result.valid() && !result.missingForLimits.isEmpty()) {
        QStringList names;
        for (analysis::DriverValue value : result.missingForLimits)
            names << analysis::driverValueName(value);
        lines
            << QStringLiteral("The maximum SPL and the Xmax figures need %1.").arg(names.join(QStringLiteral(" and ")));
    }
    return lines;
}

} // namespace

frmAnalysis::frmAnalysis(QWidget* parent)
    : DesignWindow(QStringLiteral("frmAnalysis"), QStringLiteral("Analysis"), QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    QStringList cycle;
    for (const FieldEntry& entry : kFields)
        if (entry.isInput())
            cycle << QString::fromLatin1(entry.name);
    setFocusCycle(cycle);
    for (const FieldEntry& entry : kFields)
        if (entry.isInput() && entry.value.storedOn == kNever && entry.value.single)
            onChange(field(QString::fromLatin1(entry.name)), [this, name = entry.name] { field_Change(name); });
    onChange(field(QStringLiteral("szDriver")), [this] { analyseAgain(); });
    attachDriverLibrary(this);
}

std::span<const FieldEntry> frmAnalysis::fieldTable() { return kFields; }

void frmAnalysis::buildControls()
{
    declareFields(kFields);
    m_design = addCaption(
        { "lblDesign", "", { 120, 120, kWidthTwips - 360 - kChooserWidth, 315 }, Qt::AlignLeft | Qt::AlignVCenter });
    m_designChoice = chooser(
        "cboDesign", { "Box Design", "Bandpass Design" }, kWidthTwips - 120 - kChooserWidth, 90, kChooserWidth);
    m_note = addCaption({ "lblNote", "", { 120, 450, kWidthTwips - 240, 315 }, Qt::AlignLeft | Qt::AlignVCenter });
    buildFields(kDriver);
    addCaption(QStringLiteral("Signal and Box"), kRows.captionLeft, rowTop(11), kRows.captionWidth + kRows.fieldWidth,
        kRowHeight, Qt::AlignLeft | Qt::AlignVCenter);
    buildFields(kSignal);

    m_levelUnit = chooser("cboLevelUnit", { "Volts", "Watts into Re" }, kChooserLeft, rowTop(12) - 30, kChooserWidth);

    addCaption(QStringLiteral("Port Diameter:"), kRows.captionLeft, rowTop(kPortRow), kRows.captionWidth, kRowHeight,
        Qt::AlignRight | Qt::AlignVCenter);
    m_port = new QComboBox(this);
    m_port->setObjectName(QStringLiteral("cboPort"));
    // The diameters in the units chosen: "2 Inches", "50.8 mm".
    const auto showPorts = [this] {
        for (int i = 0; i < design::kPortCount; ++i)
            m_port->setItemText(i,
                shownCaptionNumber(design::kPorts[i].caption, units::kSmallInches) + u' '
                    + unitText(units::kSmallInches));
    };
    for (int i = 0; i < design::kPortCount; ++i)
        m_port->addItem(QString());
    showPorts();
    connect(UnitChoice::instance(), &UnitChoice::unitsChanged, this, [this, showPorts] {
        showPorts();
        analyseAgain();
    });
    place(m_port, kRows.fieldLeft, rowTop(kPortRow) - 30, kChooserWidth, kRowHeight + 60);

    buildFields(kSetup);
    addCaption(QStringLiteral("High-Pass Filter:"), kRows.captionLeft, rowTop(kFilterRow), kRows.captionWidth,
        kRowHeight, Qt::AlignRight | Qt::AlignVCenter);
    m_filter = chooser("cboFilter", {}, kRows.fieldLeft, rowTop(kFilterRow) - 30, kChooserWidth);
    for (const auto kind :
        { analysis::FilterKind::None, analysis::FilterKind::Butterworth, analysis::FilterKind::LinkwitzRiley })
        m_filter->addItem(analysis::filterKindName(kind));
    addCaption(QStringLiteral("Filter Order:"), kRows.captionLeft, rowTop(kFilterRow + 1), kRows.captionWidth,
        kRowHeight, Qt::AlignRight | Qt::AlignVCenter);
    m_filterOrder = chooser("cboFilterOrder", {}, kRows.fieldLeft, rowTop(kFilterRow + 1) - 30, kChooserWidth);
    m_wiring = chooser("cboWiring", { "Parallel", "Series" }, kChooserLeft, rowTop(kDriversRow) - 30, kChooserWidth);

    m_messages = addCaption({ "lblMessages", "", { 120, rowTop(kDriversRow + 1) + 60, kChartLeft - 240, 1200 },
        Qt::AlignLeft | Qt::AlignTop });
    m_messages->setWordWrap(true);
    m_messages->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    addCaption(QStringLiteral("Curve:"), kChartLeft, kFirstRow, 720, kRowHeight, Qt::AlignLeft | Qt::AlignVCenter);
    m_curve = new QComboBox(this);
    m_curve->setObjectName(QStringLiteral("cboCurve"));
    place(m_curve, kChartLeft + 720, kFirstRow - 30, 2880, kRowHeight + 60);

    m_chartView = new PageView(this);
    m_chartView->setObjectName(QStringLiteral("Graph1"));
    m_chartView->setContextMenuPolicy(Qt::CustomContextMenu);
    place(m_chartView, kChartLeft, kChartTop, kChartWidth, kChartHeight);

    m_figures = addCaption(
        { "lblFigures", "", { kFiguresLeft, kFirstRow, kFiguresWidth, kChartTop + kChartHeight - kFirstRow },
            Qt::AlignLeft | Qt::AlignTop });
    m_figures->setTextFormat(Qt::RichText);
    m_figures->setWordWrap(true);
    m_figures->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    addButtons({
        { "btnKeep", "Keep", [this] { btnKeep_Click(); }, nullptr,
            { kWidthTwips - 6240, kHeightTwips - 720, 1440, 495 } },
        { "btnPrint", "Print", [this] { btnPrint_Click(); }, nullptr,
            { kWidthTwips - 4680, kHeightTwips - 720, 1440, 495 } },
        { "btnExport", "Export...", [this] { btnExport_Click(); }, nullptr,
            { kWidthTwips - 3120, kHeightTwips - 720, 1440, 495 } },
        { "btnExit", "Exit", [this] { btnExit_Click(); }, nullptr,
            { kWidthTwips - 1560, kHeightTwips - 720, 1440, 495 } },
    });

    connect(m_curve, &QComboBox::activated, this, &frmAnalysis::cboCurve_Change);
    connect(m_levelUnit, &QComboBox::activated, this, &frmAnalysis::cboLevelUnit_Change);
    connect(m_port, &QComboBox::activated, this, &frmAnalysis::cboPort_Change);
    connect(m_designChoice, &QComboBox::activated, this, &frmAnalysis::cboDesign_Change);
    connect(m_filter, &QComboBox::activated, this, &frmAnalysis::cboFilter_Change);
    connect(m_filterOrder, &QComboBox::activated, this, &frmAnalysis::cboFilterOrder_Change);
    connect(m_wiring, &QComboBox::activated, this, &frmAnalysis::cboWiring_Change);
    connect(m_chartView, &PageView::pointerMoved, this, &frmAnalysis::Graph1_MouseMove);
    connect(m_chartView, &PageView::pointerLeft, this, [this] { m_chartView->setReadout({}); });
    connect(m_chartView, &QWidget::customContextMenuRequested, this, &frmAnalysis::Graph1_ContextMenu);
}

// Opening, a load, or a return after another window changed what the
// window shows: the fields from the design state, the analysis once after.
void frmAnalysis::Form_Activate()
{
    m_filling = true;
    fillFields();
    m_filling = false;
    analyseAgain();
}

// The design handed over may have changed meanwhile without a field of
// this window changing (a new box of the same driver).
void frmAnalysis::Form_Return() { analyseAgain(); }

void frmAnalysis::btnExit_Click() { closeWindow(); }

void frmAnalysis::field_Change(const char* name)
{
    if (m_filling)
        return;
    storeFields({ name });
    analyseAgain();
}

void frmAnalysis::cboCurve_Change(int index)
{
    designState().analysisCurve = std::int16_t(m_curve->itemData(index).toInt());
    analyseAgain();
}

void frmAnalysis::cboLevelUnit_Change(int index)
{
    designState().analysisWatts = std::int16_t(index == 1);
    analyseAgain();
}

void frmAnalysis::cboPort_Change(int index)
{
    designState().analysisPort = std::int16_t(index);
    analyseAgain();
}

void frmAnalysis::showChoices()
{
    const DesignState& s = designState();
    const std::optional<AnalysisInput> in = shownDesign();
    const BoxSetup box = in ? in->box : BoxSetup {};
    QStringList captions;
    for (const CurveView& view : kViews)
        if (boxHas(box, view.curve))
            captions << QString::fromLatin1(view.caption);
    QStringList listed;
    for (int i = 0; i < m_curve->count(); ++i)
        listed << m_curve->itemText(i);
    // Made again only for another kind of box (a radiator's in place of a
    // port's), so that a keystroke leaves the list alone.
    if (captions != listed) {
        m_curve->clear();
        for (const CurveView& view : kViews)
            if (boxHas(box, view.curve))
                m_curve->addItem(QString::fromLatin1(view.caption), int(view.curve));
    }
    m_curve->setCurrentIndex(std::max(0, m_curve->findData(int(s.analysisCurve))));
    showSetup(box);
}

void frmAnalysis::analyseAgain()
{
    if (m_filling)
        return;
    showChoices();
    const std::optional<AnalysisInput> in = analysedInput();
    const CurveView& view = *viewOf(Kind(m_curve->currentData().toInt()));
    m_chart = analysisChart(in, view.curve, keptAnalysisCurves(), view.also);
    m_chartView->setPage(composeAnalysisChart(m_chart));
    if (!in) {
        m_design->setText(QStringLiteral("No box design handed over: design a closed, vented, passive radiator or "
                                         "bandpass box, then choose Graph or Analysis in its window."));
        m_note->clear();
        m_messages->clear();
        m_figures->clear();
        return;
    }
    const DesignState& s = designState();
    const AnalysisResult& result = current()->result;
    m_design->setText(designText(s, *in));
    const bool bandpass = std::holds_alternative<analysis::BandpassBoxSetup>(in->box);
    m_note->setText(bandpass ? QString() : designedForAnotherDriver(s).value_or(QString()));
    const QStringList lines = messageLines(result);
    m_messages->setText(lines.join(u'\n'));
    m_messages->setStyleSheet(result.valid() ? QString() : QStringLiteral("color: #b00000"));
    m_figures->setText(figuresText(analysis::figureRows(result)));
}

void frmAnalysis::Graph1_MouseMove(QPointF world)
{
    const AnalysisPlot plot = analysisPlot(m_chart, kAnalysisWorld);
    if (!current() || !plot.plot.contains(world)) {
        m_chartView->setReadout({});
        return;
    }
    const double f = plot.frequencyAt(world.x());
    const QString unit = QString::fromUtf8(analysis::kCurveInfo[int(m_chart.curve)].unit);
    m_chartView->setReadout(
        QStringLiteral("%1 Hz, %2 %3")
            .arg(QString::number(f, 'f', f < 100 ? 1 : 0), QString::number(plot.valueAt(world.y()), 'f', 1), unit));
}

void frmAnalysis::Graph1_ContextMenu(const QPoint& pos)
{
    QMenu menu(this);
    for (const PageFile kind : kPageFiles) {
        QAction* action = menu.addAction(savePageAction(kind, QStringLiteral("Chart")));
        action->setEnabled(current());
        connect(action, &QAction::triggered, this, [this, kind] { saveChart(kind); });
    }
    menu.addSeparator();
    menu.addAction(QStringLiteral("Keep Curve"), this, &frmAnalysis::keepCurve)->setEnabled(current());
    menu.addAction(QStringLiteral("Remove Kept Curves"), this, &frmAnalysis::removeKeptCurves)
        ->setEnabled(!keptAnalysisCurves().isEmpty());
    menu.exec(m_chartView->mapToGlobal(pos));
}

const ChartedDesign* frmAnalysis::current() const
{
    for (const ChartedDesign& d : m_chart.designs)
        if (d.colorSlot == kCurrentDesign)
            return &d;
    return nullptr;
}

bool frmAnalysis::saveChart(PageFile kind)
{
    if (!current())
        return false;
    return savePageAs(m_chartView->page(), kind, QStringLiteral("Chart"), { kAnalysisImageSize, kAnalysisSvgSize });
}

bool frmAnalysis::exportAnalysis()
{
    FileChooser* chooser = fileChooser();
    if (!current() || !chooser)
        return false;
    const auto chosen = chooser->choose(
        { QStringLiteral("Export Analysis"), QStringLiteral("Curves and Charts (*.frd *.zma *.csv *.png *.svg *.pdf)"),
            QStringLiteral("analysis.frd"), true, QStringLiteral("frd") });
    if (!chosen || chosen->isEmpty())
        return false;
    const std::optional<QString> problem = saveAnalysisOutput(*chosen, m_chart);
    if (problem)
        showMessage(msg::error(QStringLiteral("The analysis could not be exported as %1: %2. Choose another file "
                                              "name or folder.")
                                   .arg(QDir::toNativeSeparators(*chosen), *problem)));
    return !problem;
}

void frmAnalysis::btnExport_Click() { exportAnalysis(); }

frmAnalysis* openAnalysis() { return openWindow<frmAnalysis>(); }
