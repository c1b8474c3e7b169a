#include "print/boxreport.h"

#include "core/messages.h"
#include "core/numberformat.h"
#include "core/units.h"
#include "design/portlengths.h"
#include "graph/graphpage.h"
#include "platform/chart.h"
#include "print/FrmProgress.h"
#include "print/printjob.h"
#include "print/reportpage.h"

#include <QPointer>
#include <cmath>
#include <optional>

namespace {
constexpr int kPlain = 0;
constexpr int kBold = 32;
constexpr int kBoldItalic = 48;
constexpr double kBoxReportFraction = 0.9;

struct Title {
    const char* text;
    double x;
    const char* isobaricText;
    double isobaricX;
};
// By the stored value of the page's box type: Closed, Vented, Radiator, Bandpass.
constexpr Title kTitles[] = {
    { "Closed Box Design", 400, "Closed Box Design (Isobaric)", 290 },
    { "Vented Box Design", 400, "Vented Box Design (Isobaric)", 290 },
    { "Passive Box Design", 400, "Passive Box Design (Isobaric)", 290 },
    { "Bandpass Box Design", 390, "Bandpass Box Design (Isobaric)", 260 },
};

// The columns of the port table, one for each port of design::kPorts in order.
struct PortColumn {
    double diameterX, lengthX;
    const char* pattern;
    const char* notApplicable;
};
constexpr PortColumn kPortColumns[] = {
    { 280, 265, "  .00", " N/A " },
    { 415, 390, "  .00", "  N/A" },
    { 545, 530, "   .00", "  N/A " },
    { 700, 670, "   .00", "   N/A" },
    { 840, 810, "   .00", "   N/A" },
    { 978, 950, "   .00", "   N/A" },
    { 1120, 1090, "   .00", "  N/A " },
    { 1260, 1230, "   .00", "  N/A " },
    { 1400, 1370, "   .00", "  N/A " },
};
static_assert(std::size(kPortColumns) == design::kPortCount);

struct LevelLabel {
    const char* text;
    double x, y;
};
constexpr LevelLabel kLevelLabels[] = {
    { "10", 45, 881.665 },
    { "8", 50, 821.332 },
    { "6", 50, 774.999 },
    { "4", 50, 721.666 },
    { "2", 50, 668.333 },
    { "0", 50, 615 },
    { "-2", 50, 561.667 },
    { "-4", 45, 508.334 },
    { "-6", 45, 455.001 },
    { "-8", 45, 401.668 },
    { "-10", 40, 348.335 },
    { "-12", 40, 295.002 },
    { "-14", 40, 241.669 },
    { "-16", 40, 188.336 },
    { "-18", 40, 135.003 },
    { "-20", 40, 81.67 },
};

class Composer {
public:
    Composer(Page& page, const std::function<void(int)>& advance)
        : m_page(page)
        , m_advance(advance)
        , m_f(fontFactor())
    {
    }

    void font(int style, double size)
    {
        m_page.loadFont(style, scaledFontSize(m_f, size));
        m_page.setFontFace(QStringLiteral("Times New Roman"));
    }
    void text(double x, double y, const QString& text) { m_page.text(x, y, text); }
    void advance(int gauge)
    {
        if (m_advance)
            m_advance(gauge);
    }
    Page& page() { return m_page; }

private:
    Page& m_page;
    const std::function<void(int)>& m_advance;
    double m_f;
};

// The closed, vented and passive-radiator designs each have a page of their own.
bool isBoxPage(BoxType k) { return k == BoxType::Closed || k == BoxType::Vented || k == BoxType::Radiator; }

// A value with its pattern, in the units chosen when it has a unit.
QString fmt(float value, const char* pattern, const Unit& unit = {})
{
    return shownPatternText(value, QString::fromLatin1(pattern), true, unit);
}
// " Cubic Feet", " Litres": the word after a number in `unit`.
QString after(const Unit& unit) { return u' ' + unitText(unit); }

void heading(Composer& c, const DesignState& s, BoxType k)
{
    c.font(kBoldItalic, 60);
    c.text(100, 1970, (k == BoxType::Bandpass ? s.bandWooferName : s.driverName).text());
    const float factor = k == BoxType::Bandpass ? s.bandIsoFactor : s.isoFactor;
    const Title& title = kTitles[static_cast<int>(k)];
    c.font(kBoldItalic, 140);
    if (factor == 1.0f)
        c.text(title.x, 1900, QString::fromLatin1(title.text));
    else
        c.text(title.isobaricX, 1900, QString::fromLatin1(title.isobaricText));
}

void dataLines(Composer& c, const DesignState& s, BoxType k)
{
    c.font(kBold, 100);
    const bool band = k == BoxType::Bandpass;
    c.text(300, 1800, QStringLiteral("Qts = ") + fmt(band ? s.bandQts : s.qts, "##.###"));
    c.text(300, 1725,
        QStringLiteral("Vas = ") + fmt(band ? s.bandVas : s.vas, "###.###", units::kCubicFeet)
            + after(units::kCubicFeet));
    c.text(300, 1650,
        QStringLiteral("Free Air Resonance = ") + fmt(band ? s.bandFs : s.fs, "###.##") + QStringLiteral(" Hz"));
    if (band) {
        c.text(300, 1575, QStringLiteral("Impedance = ") + fmt(s.bandRe, "#.##"));
        c.text(300, 1500, QStringLiteral("Tuned Frequency = ") + fmt(s.bandFb, "###.##") + QStringLiteral(" Hz"));
        c.text(300, 1425, QStringLiteral("Optional Coil = ") + fmt(s.bandCoilL, "##.###") + QStringLiteral(" mH"));
        return;
    }
    c.text(300, 1575,
        QStringLiteral("Box Internal Volume = ") + fmt(s.closedVb, "###.##", units::kCubicFeet)
            + after(units::kCubicFeet));
    if (k == BoxType::Closed)
        c.text(300, 1500, QStringLiteral("System Resonance = ") + fmt(s.closedFc, "###.##") + QStringLiteral(" Hz"));
    else
        c.text(300, 1500, QStringLiteral("Tuned Frequency = ") + fmt(s.ventedFb, "###.##") + QStringLiteral(" Hz"));
    c.text(120, 1425,
        QStringLiteral("Height = ") + fmt(s.boxHeight, "###.##", units::kInches) + QStringLiteral(" Width = ")
            + fmt(s.boxWidth, "###.##", units::kInches) + QStringLiteral(" Depth = ")
            + fmt(s.boxDepth, "###.##", units::kInches) + after(units::kInches));
}

void portTable(Composer& c, const DesignState& s, BoxType k)
{
    const double fb = k == BoxType::Bandpass ? s.bandFb : s.ventedFb;
    const double volume = k == BoxType::Bandpass ? s.bandVentedVb : s.closedVb;
    c.font(kBold, 120);
    // In Metric the diameters are in mm and the lengths in cm.
    c.text(400, 1340,
        showsMetric(units::kInches) ? QStringLiteral("Tuned Port (Diameter %1, Length %2)")
                                          .arg(unitText(units::kSmallInches), unitText(units::kInches))
                                    : QStringLiteral("Tuned Port (Inches)"));
    c.font(kBold, 70);
    c.text(0, 1275, QStringLiteral("Port Diameter"));
    for (int i = 0; i < design::kPortCount; ++i)
        c.text(kPortColumns[i].diameterX, 1275, shownCaptionNumber(design::kPorts[i].caption, units::kSmallInches));
    // Without a tuning frequency and a volume there are no lengths to show.
    if (!std::isfinite(reportPortLength(1, fb, volume)))
        return;
    c.text(0, 1200, QStringLiteral("Port Length"));
    for (int i = 0; i < design::kPortCount; ++i) {
        const PortColumn& column = kPortColumns[i];
        const double length = reportPortLength(design::kPorts[i].diameter, fb, volume);
        c.text(column.lengthX, 1200,
            design::portIsBuildable(length)
                ? shownPatternText(length, QString::fromLatin1(column.pattern), false, units::kInches)
                : QString::fromLatin1(column.notApplicable));
    }
}

void extraLines(Composer& c, const DesignState& s, BoxType k)
{
    c.font(kBold, 100);
    if (k == BoxType::Radiator) {
        c.text(300, 1350,
            QStringLiteral("Speaker Volume Disp. = ") + fmt(s.radiatorVd, "##.###") + QStringLiteral(" Cubic Meters"));
        c.text(50, 1275,
            QStringLiteral("Suggested Radiator Volume Disp. = ") + fmt(s.radiatorVpr, "##.###")
                + QStringLiteral(" Cubic Meters"));
    } else if (k == BoxType::Bandpass) {
        c.text(300, 1125,
            QStringLiteral("Sealed Section Volume = ") + fmt(s.bandSealedVb, "###.##", units::kCubicFeet)
                + after(units::kCubicFeet));
        c.text(300, 1050,
            QStringLiteral("Vented Section Volume = ") + fmt(s.bandVentedVb, "###.##", units::kCubicFeet)
                + after(units::kCubicFeet));
    }
}

void graphFrame(Composer& c)
{
    Page& page = c.page();
    chart::logAxis(page, 120, 633, 1800, 4);
    chart::logGrid(page, 120, 100, 1800, 800, 4);
    chart::linearAxis(page, 120, 100, 800, 15, 1800);
    c.font(kBold, 60);
    for (const LevelLabel& label : kLevelLabels)
        c.text(label.x, label.y, QString::fromLatin1(label.text));
    // The labels start at their frequency's x from x = 100 of the page.
    const ChartScale labelScale { reportChartScale().width, 100 };
    for (const FrequencyLabel& label : kFrequencyLabels)
        c.text(chartX(label.frequency, labelScale), 60, QString::fromLatin1(label.text));
    c.font(kBold, 110);
    c.text(700, 15, QStringLiteral("Frequency"));
    c.text(40, 940, QStringLiteral("dB"));
    c.font(kPlain, 60);
    page.text(115, 536, QString(150, u'-'), 1, 9);
}

// The printed graph's plot: 1800 by 800 from (120, 100).
const QRectF kReportPlot(120, 100, 1800, 800);
constexpr double kLegendSize = 55;

// The frame of a range other than the full one, in the report's fonts and places.
void rangeFrame(Composer& c, const PlotMap& map)
{
    FrameLook look;
    look.face = QStringLiteral("Times New Roman");
    look.labelSize = scaledFontSize(fontFactor(), 60);
    look.captionSize = scaledFontSize(fontFactor(), 110);
    look.levelLabelRight = 100;
    look.frequencyCaption = { 700, 15 };
    look.levelCaption = { 40, 940 };
    look.dashStyle = kPlain;
    look.dashSize = scaledFontSize(fontFactor(), 60);
    look.dashCount = 150;
    // The dashes of the full range: at 536, below -3 dB.
    look.dashBelow = kReportPlot.y() + chartY(-3) - 536;
    drawRangeFrame(c.page(), map, look);
}

void graphCurves(Composer& c, const DesignState& s, BoxType k, const KeptCurves& kept, const PlotMap& map)
{
    DesignState pageState = s;
    pageState.boxType = k;
    ResponseCurves curves = computeCurves(pageState, map.scale());
    // The printed graph carries no caption of its own: the page title names the design.
    curves.title.reset();
    // Above the graph, in one line: the box is drawn for another driver.
    if (curves.driverNote) {
        c.font(kBold, 80);
        c.text(120, 1010, *curves.driverNote);
    }
    drawKeptCurves(c.page(), kept, map);
    ResponseCurves band;
    band.bandpass = curves.bandpass;
    drawCurves(c.page(), band, map);
    c.advance(30);
    ResponseCurves rest;
    rest.box = curves.box;
    drawCurves(c.page(), rest, map);
    for (int gauge : { 40, 50, 60 })
        c.advance(gauge);
    for (const Curve& curve : curves.crossovers) {
        ResponseCurves one;
        one.crossovers = { curve };
        drawCurves(c.page(), one, map);
    }
    drawLegend(c.page(), curves, pageState, kept, scaledFontSize(fontFactor(), kLegendSize), map);
    for (int gauge : { 65, 70, 75, 80, 90 })
        c.advance(gauge);
}
} // namespace

double reportPortLength(double diameter, double tuning, double volume)
{
    if (!(tuning > 0 && volume > 0 && std::isfinite(tuning) && std::isfinite(volume)))
        return std::nan("");
    return design::portLength(diameter, tuning, volume);
}

QVector<BoxType> boxReportPages(const DesignState& s)
{
    QVector<BoxType> pages;
    // A box type without boxValid is a design no longer offered: not printed as current.
    if (s.boxValid == 1 && isBoxPage(s.boxType))
        pages << s.boxType;
    if (s.bandValid == 1)
        pages << BoxType::Bandpass;
    return pages;
}

Page composeBoxReportPage(const DesignState& s, BoxType k, const std::function<void(int)>& advance,
    const KeptCurves& kept, const GraphRange& range)
{
    Page page = blankReportPage();
    if (!isBoxPage(k) && k != BoxType::Bandpass)
        return page;
    Composer c(page, advance);
    heading(c, s, k);
    dataLines(c, s, k);
    if (k == BoxType::Vented || k == BoxType::Bandpass)
        portTable(c, s, k);
    extraLines(c, s, k);
    const PlotMap map(kReportPlot, reportChartScale(), range);
    if (map.range().isFull())
        graphFrame(c);
    else
        rangeFrame(c, map);
    c.advance(20);
    graphCurves(c, s, k, kept, map);
    return page;
}

int runBoxDataReport(const PrintTarget& target, QWidget* parent, ReportProgress shown)
{
    const DesignState& state = designState();
    const QVector<BoxType> pages = boxReportPages(state);
    if (pages.isEmpty())
        return 0;
    const bool bandOnly = pages.constFirst() == BoxType::Bandpass;
    const QString woofer = (bandOnly ? state.bandWooferName : state.driverName).trimmed();
    const QString jobName = woofer.isEmpty() ? QStringLiteral("Box Data") : QStringLiteral("Box Data - ") + woofer;

    BusyCursor busy;
    QPointer<FrmProgress> progress;
    if (shown == ReportProgress::Shown) {
        progress = new FrmProgress(parent ? parent->window() : nullptr);
        progress->setAttribute(Qt::WA_DeleteOnClose);
        progress->show();
    }
    const auto advance = [&progress](int gauge) {
        if (progress)
            progress->advance(gauge);
    };

    std::optional<PrintJob> job;
    int printed = 0;
    for (BoxType k : pages) {
        if (progress)
            progress->step(QStringLiteral("Processing Data"), 10);
        const Page page = composeBoxReportPage(state, k, advance, keptCurves(), shownGraphRange());
        advance(100);
        if (progress)
            progress->step(QStringLiteral("Printing Graph"), 100);
        // One job for all pages; a printer that cannot be opened is reported
        // for this page and tried again for the next.
        bool ok = true;
        QString failure;
        if (!job) {
            job.emplace(target, jobName);
            ok = job->open();
            failure = job->failure();
            if (!ok)
                job.reset();
        } else {
            ok = job->nextPage();
        }
        if (ok) {
            job->drawPage(page, kBoxReportFraction);
            ++printed;
        } else {
            showCouldNotOpenPrintingDevice(failure);
        }
    }
    if (job && !job->finish()) {
        showCouldNotOpenPrintingDevice(job->failure());
        printed = 0;
    }
    if (progress)
        progress->close();
    return printed;
}

void printBoxDataReport(QWidget* parent)
{
    if (boxReportPages(designState()).isEmpty()) {
        showMessage(msg::plain(QStringLiteral("Nothing to Print: Design a Box First")));
        return;
    }
    if (const std::optional<PrintTarget> target = choosePrintTarget(parent))
        runBoxDataReport(*target, parent);
}
