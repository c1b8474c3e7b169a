// The analysis window's part that turns what it shows into the analysis'
// input: the design handed over, the driver's data and the signal typed,
// and the choosers of the design, the port, the filter and the wiring.
#include "ui/frmAnalysis.h"

#include "analysis/boxsettings.h"
#include "analysis/describe.h"
#include "analysis/handover.h"
#include "analysis/highpass.h"
#include "core/designstate.h"
#include "design/portlengths.h"

#include <QComboBox>
#include <QLineEdit>
#include <cmath>

using analysis::AnalysisInput;
using analysis::HandedOver;

namespace {

// How many drivers the field gives: a whole number the analysis takes, else
// 0, which it refuses with its message.
int driverCount(double typed)
{
    if (!(typed >= 1 && typed <= analysis::kMostDrivers) || typed != std::floor(typed))
        return 0;
    return int(typed);
}

bool bothHandedOver(const DesignState& s)
{
    return analysis::handedOverAnalysis(s, HandedOver::Box) && analysis::handedOverAnalysis(s, HandedOver::Bandpass);
}

} // namespace

std::optional<AnalysisInput> frmAnalysis::shownDesign()
{
    const DesignState& s = designState();
    const bool bandpassFirst = s.analysisBandpass == 1 && bothHandedOver(s);
    if (std::optional<AnalysisInput> in
        = analysis::handedOverAnalysis(s, bandpassFirst ? HandedOver::Bandpass : HandedOver::Box))
        return in;
    return analysis::handedOverAnalysis(s, HandedOver::Bandpass);
}

std::optional<AnalysisInput> frmAnalysis::analysedInput() const
{
    const DesignState& s = designState();
    std::optional<AnalysisInput> in = shownDesign();
    if (!in)
        return std::nullopt;
    analysis::DriverData& d = in->driver;
    d.qes = numberIn(QStringLiteral("szQes"));
    d.qms = numberIn(QStringLiteral("szQms"));
    d.re = numberIn(QStringLiteral("szRe"));
    d.le = numberIn(QStringLiteral("szLe"));
    d.sd = numberIn(QStringLiteral("szSd"));
    d.xmax = numberIn(QStringLiteral("szXmax"));
    d.pe = numberIn(QStringLiteral("szPe"));
    in->drive.unit = s.analysisWatts ? analysis::DriveUnit::Watts : analysis::DriveUnit::Volts;
    in->drive.level = numberIn(QStringLiteral("szLevel"));
    in->drive.distance = numberIn(QStringLiteral("szDistance"));
    in->drivers.count = driverCount(numberIn(QStringLiteral("szDrivers")));
    in->drivers.wiring = s.analysisWiring == 1 ? analysis::Wiring::Series : analysis::Wiring::Parallel;
    if (s.analysisFilter > 0 && s.analysisFilter <= int(analysis::FilterKind::LinkwitzRiley))
        in->filter = { analysis::FilterKind(s.analysisFilter), s.analysisFilterOrder,
            numberIn(QStringLiteral("szFilterFreq")) };
    // What only some boxes have: each box that has it takes it.
    analysis::setBoxLosses(in->box, numberIn(QStringLiteral("szQL")));
    if (s.analysisPort >= 0 && s.analysisPort < design::kPortCount)
        analysis::setBoxPort(in->box, s.analysisPort);
    analysis::setRadiatorCone(
        in->box, numberIn(QStringLiteral("szRadiatorSd")), numberIn(QStringLiteral("szRadiatorXmax")));
    // The name typed or picked; a bandpass design without one keeps its woofer's.
    const QString typed = field(QStringLiteral("szDriver"))->text().trimmed();
    if (!typed.isEmpty() || !std::holds_alternative<analysis::BandpassBoxSetup>(in->box))
        in->driverName = typed;
    return in;
}

void frmAnalysis::showSetup(const analysis::BoxSetup& box)
{
    const DesignState& s = designState();
    m_designChoice->setEnabled(bothHandedOver(s));
    m_designChoice->setCurrentIndex(std::holds_alternative<analysis::BandpassBoxSetup>(box) ? 1 : 0);
    m_levelUnit->setCurrentIndex(s.analysisWatts ? 1 : 0);

    const std::optional<int> port = analysis::boxPort(box);
    m_port->setEnabled(port.has_value());
    m_port->setCurrentIndex(
        s.analysisPort >= 0 && s.analysisPort < design::kPortCount ? s.analysisPort : port.value_or(0));
    field(QStringLiteral("szQL"))->setEnabled(!std::holds_alternative<analysis::ClosedBoxSetup>(box));
    const bool radiator = std::holds_alternative<analysis::RadiatorBoxSetup>(box);
    field(QStringLiteral("szRadiatorSd"))->setEnabled(radiator);
    field(QStringLiteral("szRadiatorXmax"))->setEnabled(radiator);

    const int filter
        = s.analysisFilter >= 0 && s.analysisFilter <= int(analysis::FilterKind::LinkwitzRiley) ? s.analysisFilter : 0;
    m_filter->setCurrentIndex(filter);
    showFilterOrders(filter);
    m_filterOrder->setEnabled(filter != 0);
    field(QStringLiteral("szFilterFreq"))->setEnabled(filter != 0);
    m_wiring->setCurrentIndex(s.analysisWiring == 1 ? 1 : 0);
}

// The orders of the filter chosen; an order it cannot be built with
// becomes the nearest it can.
void frmAnalysis::showFilterOrders(int filter)
{
    DesignState& s = designState();
    const QVector<int> orders = analysis::highPassOrders(analysis::FilterKind(filter));
    if (m_filterOrder->count() != orders.size()) {
        m_filterOrder->clear();
        for (const int order : orders)
            m_filterOrder->addItem(analysis::ordinal(order) + QStringLiteral(" Order"), order);
    }
    if (!orders.contains(s.analysisFilterOrder))
        s.analysisFilterOrder = std::int16_t(s.analysisFilterOrder < 3 ? 2 : 4);
    m_filterOrder->setCurrentIndex(std::max(0, m_filterOrder->findData(int(s.analysisFilterOrder))));
}

void frmAnalysis::cboDesign_Change(int index)
{
    designState().analysisBandpass = std::int16_t(index == 1);
    analyseAgain();
}

void frmAnalysis::cboFilter_Change(int index)
{
    designState().analysisFilter = std::int16_t(index);
    analyseAgain();
}

void frmAnalysis::cboFilterOrder_Change(int index)
{
    designState().analysisFilterOrder = std::int16_t(m_filterOrder->itemData(index).toInt());
    analyseAgain();
}

void frmAnalysis::cboWiring_Change(int index)
{
    designState().analysisWiring = std::int16_t(index);
    analyseAgain();
}

QComboBox* frmAnalysis::chooser(
    const char* name, std::initializer_list<const char*> items, int left, int top, int width)
{
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(name));
    for (const char* item : items)
        box->addItem(QString::fromLatin1(item));
    place(box, left, top, width, kRowHeight + 60);
    return box;
}
