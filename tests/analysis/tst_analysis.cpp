// The driver in its box, checked against the closed forms a loudspeaker
// engineer checks such a model by: the box designs' second- and fourth-order
// high-passes, the reference efficiency, the static excursion, where the
// impedance peaks and dips; then the limits, several drivers and a filter,
// the designs the box windows hand over, and inputs that leave nothing to
// compute.
#include "analysis/analysis.h"
#include "analysis/handover.h"
#include "analysis/system.h"
#include "design/closedbox.h"
#include "design/ventedbox.h"
#include "design/workedexamples.h"

#include <QtTest>
#include <algorithm>
#include <complex>
#include <functional>

using namespace analysis;
using Complex = std::complex<double>;

namespace {
// The rest of the worked examples' driver: a measured Qms and a datasheet.
constexpr double kQms = 5, kRe = 6, kSd = 220, kXmax = 6, kPe = 100;

float isoOf(const QStringList& typed) { return typed[0] == "Y" ? 0.5f : 1.0f; }

// The driver as the box window and the measurement window leave it.
DesignState handedOver(BoxType type, const QStringList& typed, float volume, float fb = 0)
{
    DesignState s;
    s.boxValid = 1;
    s.boxType = type;
    s.isoFactor = isoOf(typed);
    s.qts = typed[1].toFloat();
    s.vas = typed[2].toFloat();
    s.fs = typed[3].toFloat();
    s.qms = float(kQms);
    s.qes = float(1 / (1 / s.qts - 1 / kQms));
    s.re = float(kRe);
    s.closedVb = volume;
    s.ventedFb = fb;
    return s;
}

AnalysisInput withDatasheet(const DesignState& s)
{
    AnalysisInput in = handedOverAnalysis(s).value();
    in.driver.sd = kSd;
    in.driver.xmax = kXmax;
    in.driver.pe = kPe;
    return in;
}

double dB(Complex h) { return 20 * std::log10(std::abs(h)); }

double secondOrderHighPass(double f, double fc, double q)
{
    const Complex s(0, f / fc);
    return dB(s * s / (s * s + s / q + 1.0));
}

// The vented box's alignment with leakage losses QL, alpha = Vas' / Vb.
double fourthOrderHighPass(double f, double fs, double qts, double alpha, double fb, double ql)
{
    const Complex s(0, f / fs);
    const double h = fb / fs;
    return dB(s * s * s * s / ((s * s + s / qts + 1.0) * (s * s + s * h / ql + h * h) + alpha * s * s));
}

const QVector<double>& values(const AnalysisResult& r, CurveKind kind) { return r.curve(kind)->values; }

// The largest difference of the response normalised to its passband from
// `expected`, over 10 Hz to 1 kHz.
double worstDeviation(const AnalysisResult& r, const std::function<double(double)>& expected)
{
    double worst = 0;
    for (int i = 0; i < r.frequencies.size(); ++i) {
        const double f = r.frequencies[i];
        if (f >= 10 && f <= 1000)
            worst = qMax(worst, qAbs(values(r, CurveKind::Spl)[i] - r.figures.passband - expected(f)));
    }
    return worst;
}

QVector<int> localExtremes(const QVector<double>& v, bool maxima)
{
    QVector<int> at;
    for (int i = 1; i + 1 < v.size(); ++i) {
        if (maxima ? v[i] > v[i - 1] && v[i] >= v[i + 1] : v[i] < v[i - 1] && v[i] <= v[i + 1])
            at << i;
    }
    return at;
}

int indexAt(const AnalysisResult& r, double f)
{
    return int(std::lower_bound(r.frequencies.begin(), r.frequencies.end(), f) - r.frequencies.begin());
}

// The cone's excursion at 0 Hz: the coils' force against suspension and box air.
double staticExcursionMm(const DesignState& s, double volts)
{
    const double sd = kSd * 1e-4, vas = s.vas * kCubicMetresPerCubicFoot;
    const double airStiffness = kAirDensity * kSpeedOfSound * kSpeedOfSound * sd * sd;
    const double cms = vas / airStiffness;
    const double mms = 1 / std::pow(2 * kPi * s.fs, 2) / cms;
    const double bl = std::sqrt(2 * kPi * s.fs * mms * kRe / s.qes);
    const double coils = s.isoFactor < 1 ? 2 : 1; // an isobaric pair, wired in parallel
    const double k = coils / cms + airStiffness / (s.closedVb * kCubicMetresPerCubicFoot);
    return std::sqrt(2.0) * volts * coils * bl / (kRe * k) * 1000;
}

bool allFinite(const AnalysisResult& r)
{
    const Figures& g = r.figures;
    bool finite = std::isfinite(g.sensitivity + g.efficiency + g.passband + g.impedanceMinimum.value + g.bl + g.mms);
    for (const Curve& c : r.curves)
        finite = finite && std::all_of(c.values.begin(), c.values.end(), [](double v) { return std::isfinite(v); });
    return finite;
}

AnalysisInput validInput() { return withDatasheet(handedOver(BoxType::Closed, worked::kClosed[0].typed, 0.65f)); }
} // namespace

Q_DECLARE_METATYPE(analysis::AnalysisInput)
Q_DECLARE_METATYPE(analysis::BoxSetup)
Q_DECLARE_METATYPE(analysis::DriverData)
Q_DECLARE_METATYPE(analysis::Drivers)
Q_DECLARE_METATYPE(analysis::HighPass)
Q_DECLARE_METATYPE(DesignState)

class TestAnalysis : public QObject {
    Q_OBJECT
private slots:
    void closedBoxIsTheWindowsSecondOrder_data() { worked::addRows(worked::kClosed); }
    void closedBoxIsTheWindowsSecondOrder();
    void passbandFollowsEfficiency_data();
    void passbandFollowsEfficiency();
    void ventedBoxIsTheAlignmentsFourthOrder_data();
    void ventedBoxIsTheAlignmentsFourthOrder();
    void impedanceRisesWithLe_data();
    void impedanceRisesWithLe();
    void maximumSplAndXmaxPower_data();
    void maximumSplAndXmaxPower();
    void driversAndFilterScaleTheResponse_data();
    void driversAndFilterScaleTheResponse();
    void incompleteInputsLeaveMessages_data();
    void incompleteInputsLeaveMessages();
    void handedOverDesigns_data();
    void handedOverDesigns();
};

void TestAnalysis::closedBoxIsTheWindowsSecondOrder()
{
    QFETCH(worked::Closed, e);
    const QStringList& t = e.typed; // szISO, szQts, szVas, szFar, szQd
    const auto designed = design::closedBoxForVolume(
        { t[1].toDouble(), t[2].toDouble(), t[3].toDouble(), t[4].toDouble(), 0, isoOf(t) },
        design::Trigger::Calculate);
    QVERIFY(designed.design);
    const double fc = designed.design->fc, qtc = designed.design->qtcCalc;
    const DesignState s = handedOver(BoxType::Closed, t, e.shown[0].toFloat()); // closedVb from szVcb
    const AnalysisResult r = analyse(withDatasheet(s));
    QVERIFY(r.valid());

    const double worst = worstDeviation(r, [&](double f) { return secondOrderHighPass(f, fc, qtc); });
    QVERIFY2(worst < 0.01, qPrintable(QString::number(worst)));
    QVERIFY(qAbs(r.figures.f3.value() / designed.design->f3 - 1) < 0.002);
    const QVector<double>& z = values(r, CurveKind::Impedance);
    const QVector<int> peaks = localExtremes(z, true);
    QCOMPARE(peaks.size(), 1);
    QVERIFY(qAbs(r.frequencies[peaks[0]] / fc - 1) < 0.01);
    const double lowest = values(r, CurveKind::Excursion)[0]; // at 5 Hz
    QVERIFY(qAbs(lowest / staticExcursionMm(s, kSensitivityVolts) - 1) < 0.01);
}

void TestAnalysis::passbandFollowsEfficiency_data()
{
    QTest::addColumn<DriverData>("driver");
    QTest::addColumn<bool>("vented");
    // Fs, Qts, Vas, Qes, Qms, Re, Sd
    QTest::newRow("8-inch, closed") << DriverData { 30, .35, 2, .3763, 0, 6, 220 } << false;
    QTest::newRow("8-inch, vented") << DriverData { 30, .35, 2, .3763, 0, 6, 220 } << true;
    QTest::newRow("15-inch, Qms only") << DriverData { 22, .4, 8, 0, 4, 5.5, 855 } << true;
    QTest::newRow("4-inch") << DriverData { 70, .5, .12, .6, 0, 3.4, 55 } << false;
}

void TestAnalysis::passbandFollowsEfficiency()
{
    QFETCH(DriverData, driver);
    QFETCH(bool, vented);
    AnalysisInput in;
    in.driver = driver;
    in.box = vented ? BoxSetup(VentedBoxSetup { driver.vas, driver.fs }) : BoxSetup(ClosedBoxSetup { driver.vas });
    in.drive = { DriveUnit::Watts, 1, 1 };
    const AnalysisResult r = analyse(in);
    QVERIFY(r.valid());
    const double qes = driver.qes > 0 ? driver.qes : 1 / (1 / driver.qts - 1 / driver.qms);
    const double eta0 = 4 * kPi * kPi * std::pow(driver.fs, 3) * driver.vas * kCubicMetresPerCubicFoot
        / (std::pow(kSpeedOfSound, 3) * qes);
    QVERIFY(qAbs(values(r, CurveKind::Spl).last() - (112.1 + 10 * std::log10(eta0))) < 0.1);
    QVERIFY(qAbs(r.figures.efficiency / (100 * eta0) - 1) < 1e-9);
    const double at283 = 112.1 + 10 * std::log10(eta0 * kSensitivityVolts * kSensitivityVolts / driver.re);
    QVERIFY(qAbs(r.figures.sensitivity - at283) < 0.1);
}

void TestAnalysis::ventedBoxIsTheAlignmentsFourthOrder_data()
{
    QTest::addColumn<worked::Vented>("e");
    QTest::addColumn<double>("vb");
    QTest::addColumn<double>("fb");
    QTest::addColumn<double>("ql");
    for (const worked::Vented& e : { worked::kVented[0], worked::kVented[1], worked::kVentedTuned }) {
        const QStringList& t = e.typed;
        const auto a = design::ventedAlignment({ t[1].toDouble(), t[2].toDouble(), t[3].toDouble(), isoOf(t) });
        const double fb = e.edited.isEmpty() ? a.fb : 25; // "szFb=25"
        for (double ql : { 7.0, 1e6 })
            QTest::addRow("%s, QL %g", e.name, ql) << e << double(e.vb) << fb << ql;
    }
}

void TestAnalysis::ventedBoxIsTheAlignmentsFourthOrder()
{
    QFETCH(worked::Vented, e);
    QFETCH(double, vb);
    QFETCH(double, fb);
    QFETCH(double, ql);
    const DesignState s = handedOver(BoxType::Vented, e.typed, float(vb), float(fb));
    AnalysisInput in = withDatasheet(s);
    std::get<VentedBoxSetup>(in.box).ql = ql;
    const AnalysisResult r = analyse(in);
    QVERIFY(r.valid());

    const double alpha = s.vas * s.isoFactor / s.closedVb;
    const double worst
        = worstDeviation(r, [&](double f) { return fourthOrderHighPass(f, s.fs, s.qts, alpha, fb, ql); });
    QVERIFY2(worst < 0.05, qPrintable(QString::number(worst)));
    // The cone rests at the tuning while the port does the work.
    const auto nearFb = [&](int i, double within) { return qAbs(r.frequencies[i] / fb - 1) <= within; };
    const QVector<int> dips = localExtremes(values(r, CurveKind::Excursion), false);
    QVERIFY(std::any_of(dips.begin(), dips.end(), [&](int i) { return nearFb(i, 0.03); }));
    const QVector<double>& z = values(r, CurveKind::Impedance);
    const QVector<int> peaks = localExtremes(z, true);
    QCOMPARE(peaks.size(), 2);
    QVERIFY(nearFb(int(std::min_element(z.begin() + peaks[0], z.begin() + peaks[1]) - z.begin()), 0.05));
    const double peakVelocityAt = r.figures.peakPortVelocity->frequency;
    QVERIFY(peakVelocityAt >= 0.85 * fb && peakVelocityAt <= 1.05 * fb);
    // Far below the tuning the box lets go and the coils' resistance remains (a pair in parallel).
    const double zeroHz = std::abs(responseAt(*buildSystem(in).model, 0.01).impedance);
    QVERIFY(qAbs(zeroHz / (kRe * s.isoFactor) - 1) < 0.001);
}

void TestAnalysis::impedanceRisesWithLe_data()
{
    QTest::addColumn<double>("le");
    QTest::newRow("no Le: falls towards Re") << 0.0;
    QTest::newRow("0.5 mH") << 0.5;
    QTest::newRow("2 mH") << 2.0;
}

void TestAnalysis::impedanceRisesWithLe()
{
    QFETCH(double, le);
    AnalysisInput in = validInput();
    in.driver.le = le;
    const AnalysisResult r = analyse(in);
    const QVector<double>& z = values(r, CurveKind::Impedance);
    const double top = r.frequencies.last();
    QCOMPARE(z.last() > z[z.size() - 2], le > 0);
    QVERIFY(qAbs(z.last() / std::abs(Complex(kRe, 2 * kPi * top * le * 1e-3)) - 1) < 0.05);
    QVERIFY(r.figures.impedanceMinimum.value >= kRe);
    QCOMPARE(r.figures.impedanceMinimum.frequency<top, le> 0);
}

void TestAnalysis::maximumSplAndXmaxPower_data()
{
    QTest::addColumn<AnalysisInput>("in");
    QTest::newRow("closed") << validInput();
    const worked::Vented& e = worked::kVented[0];
    QTest::newRow("vented") << withDatasheet(handedOver(BoxType::Vented, e.typed, e.vb, 28.742f));
}

void TestAnalysis::maximumSplAndXmaxPower()
{
    QFETCH(AnalysisInput, in);
    const AnalysisResult r = analyse(in);
    const int passband = indexAt(r, 1000);
    QCOMPARE(r.maxSplLimits.first(), Limit::Excursion);
    QCOMPARE(r.maxSplLimits[passband], Limit::Thermal);
    AnalysisInput atPe = in;
    atPe.drive = { DriveUnit::Watts, kPe, 1 };
    QVERIFY(qAbs(values(r, CurveKind::MaxSpl)[passband] - values(analyse(atPe), CurveKind::Spl)[passband]) < 1e-6);

    // At the power the figure gives, the cone reaches Xmax at its frequency and nowhere else above F10.
    const AtFrequency xmax = r.figures.xmaxPower.value();
    QVERIFY(xmax.value < kPe);
    AnalysisInput atXmax = in;
    atXmax.drive = { DriveUnit::Watts, xmax.value, 1 };
    const AnalysisResult reached = analyse(atXmax);
    const int at = indexAt(r, xmax.frequency);
    const QVector<double>& excursion = values(reached, CurveKind::Excursion);
    QVERIFY(qAbs(excursion[at] / kXmax - 1) < 1e-9);
    for (int i = indexAt(r, r.figures.f10.value()); i < excursion.size(); ++i)
        QVERIFY(excursion[i] <= kXmax * (1 + 1e-9));
    QVERIFY(qAbs(values(r, CurveKind::MaxSpl)[at] - values(reached, CurveKind::Spl)[at]) < 1e-6);
}

void TestAnalysis::driversAndFilterScaleTheResponse_data()
{
    QTest::addColumn<Drivers>("drivers");
    QTest::addColumn<double>("volume"); // times the one driver's
    QTest::addColumn<HighPass>("filter");
    QTest::addColumn<double>("gain"); // dB, besides the filter's
    QTest::addColumn<double>("impedance");
    QTest::addColumn<double>("excursion");
    QTest::newRow("two in parallel") << Drivers { 2, false, Wiring::Parallel } << 2.0 << HighPass {}
                                     << 20 * std::log10(2.0) << 0.5 << 1.0;
    QTest::newRow("two in series") << Drivers { 2, false, Wiring::Series } << 2.0 << HighPass {} << 0.0 << 2.0 << 0.5;
    QTest::newRow("Butterworth at Fc") << Drivers {} << 1.0 << HighPass { FilterKind::Butterworth, 2, 60.57 } << 0.0
                                       << 1.0 << 1.0;
}

void TestAnalysis::driversAndFilterScaleTheResponse()
{
    QFETCH(Drivers, drivers);
    QFETCH(double, volume);
    QFETCH(HighPass, filter);
    QFETCH(double, gain);
    QFETCH(double, impedance);
    QFETCH(double, excursion);
    const AnalysisInput one = validInput();
    AnalysisInput in = one;
    in.drivers = drivers;
    std::get<ClosedBoxSetup>(in.box).volume *= volume;
    in.filter = filter;
    const AnalysisResult a = analyse(one), b = analyse(in);
    for (int i = 0; i < a.frequencies.size(); ++i) {
        const double f = a.frequencies[i];
        const double filtered = filter.active() ? secondOrderHighPass(f, filter.frequency, std::sqrt(0.5)) : 0;
        const double ratio = std::pow(10, filtered / 20) * excursion;
        QVERIFY(qAbs(values(b, CurveKind::Spl)[i] - values(a, CurveKind::Spl)[i] - gain - filtered) < 0.01);
        QVERIFY(qAbs(values(b, CurveKind::Impedance)[i] / values(a, CurveKind::Impedance)[i] - impedance) < 1e-9);
        QVERIFY(qAbs(values(b, CurveKind::Excursion)[i] / values(a, CurveKind::Excursion)[i] / ratio - 1) < 1e-3);
    }
}

void TestAnalysis::incompleteInputsLeaveMessages_data()
{
    QTest::addColumn<AnalysisInput>("in");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("message"); // the first; empty: none
    QTest::addColumn<QString>("missingForLimits");
    const AnalysisInput ok = validInput();
    const auto with = [&](auto change) {
        AnalysisInput in = ok;
        change(in);
        return in;
    };
    const QString none;
    QTest::newRow("complete") << ok << true << none << none;
    QTest::newRow("nothing given") << AnalysisInput {} << false
                                   << "Missing Driver Data: Fs, Qts, Vas, Qes or Qms, Re, Sd"
                                   << "Xmax, Pe";
    QTest::newRow("Re and Sd missing, Vas not a number")
        << with([](AnalysisInput& in) { in.driver.re = 0, in.driver.sd = -1, in.driver.vas = qQNaN(); }) << false
        << "Missing Driver Data: Vas, Re, Sd" << none;
    QTest::newRow("no Xmax or Pe: no maximum SPL")
        << with([](AnalysisInput& in) { in.driver.xmax = 0, in.driver.pe = qInf(); }) << true << none << "Xmax, Pe";
    QTest::newRow("Qes below Qts") << with([](AnalysisInput& in) { in.driver.qes = 0.3; }) << false
                                   << "Qes Must be Greater Than Qts" << none;
    QTest::newRow("Qms alone, below Qts") << with([](AnalysisInput& in) { in.driver.qes = 0, in.driver.qms = 0.3; })
                                          << false << "Qms Must be Greater Than Qts" << none;
    QTest::newRow("Qes and Qms within 2 %")
        << with([](AnalysisInput& in) { in.driver.qms = 5.2; }) << true << none << none;
    QTest::newRow("Qes and Qms 3 % apart")
        << with([](AnalysisInput& in) { in.driver.qms = 3.5; }) << true
        << "Qes and Qms give a Qts of .34, the design has .35: the analysis keeps Qts and Qes, Qms is 5." << none;
    QTest::newRow("Vas beyond range") << with([](AnalysisInput& in) { in.driver.vas = 1e300; }) << false
                                      << "Result Out of Range: Check the Driver Data and the Box" << none;
    QTest::newRow("Sd beyond range") << with([](AnalysisInput& in) { in.driver.sd = 1e200; }) << false
                                     << "Result Out of Range: Check the Driver Data" << none;
    QTest::newRow("distance below a double's range")
        << with([](AnalysisInput& in) { in.drive.distance = 1e-320; }) << false
        << "Result Out of Range: Check the Driver Data and the Box" << none;
    QTest::newRow("no volume") << with([](AnalysisInput& in) { in.box = ClosedBoxSetup {}; }) << false
                               << "Box Volume Must be Greater Than 0" << none;
    QTest::newRow("no tuning") << with([](AnalysisInput& in) {
        in.box = VentedBoxSetup { 2, qInf() };
    }) << false << "Tuning Frequency Must be Greater Than 0"
                               << none;
    QTest::newRow("no QL") << with([](AnalysisInput& in) {
        in.box = VentedBoxSetup { 2, 30, 0 };
    }) << false << "QL Must be Greater Than 0"
                           << none;
    QTest::newRow("tenth port") << with([](AnalysisInput& in) {
        in.box = VentedBoxSetup { 2, 30, 7, 9 };
    }) << false << "Choose One of the Nine Port Diameters"
                                << none;
    QTest::newRow("half-inch port: too short to build") << with([](AnalysisInput& in) {
        in.box = VentedBoxSetup { 2, 30, 7, 0 };
    }) << true << "This Port Cannot be Built in This Box: Choose a Wider One"
                                                        << none;
    QTest::newRow("no drivers") << with([](AnalysisInput& in) { in.drivers.count = 0; }) << false
                                << "Number of Drivers Must be 1 to 100" << none;
    QTest::newRow("more pairs than coils can count") << with([](AnalysisInput& in) {
        in.drivers = { INT_MAX, true, Wiring::Series };
    }) << false << "Number of Drivers Must be 1 to 100"
                                                     << none;
    QTest::newRow("no input") << with([](AnalysisInput& in) {
        in.drive = { DriveUnit::Watts, 0, 1 };
    }) << false << "Input Must be Greater Than 0"
                              << none;
    QTest::newRow("no distance") << with([](AnalysisInput& in) { in.drive.distance = qQNaN(); }) << false
                                 << "Distance Must be Greater Than 0" << none;
    QTest::newRow("third-order Linkwitz-Riley") << with([](AnalysisInput& in) {
        in.filter = { FilterKind::LinkwitzRiley, 3, 50 };
    }) << false << "Filter Order Must be 1 to 4 (Linkwitz-Riley: 2 or 4)"
                                                << none;
    QTest::newRow("filter at 0 Hz") << with([](AnalysisInput& in) {
        in.filter = { FilterKind::Butterworth, 1, 0 };
    }) << false << "Filter Frequency Must be Greater Than 0"
                                    << none;
}

void TestAnalysis::incompleteInputsLeaveMessages()
{
    QFETCH(AnalysisInput, in);
    QFETCH(bool, valid);
    QFETCH(QString, message);
    QFETCH(QString, missingForLimits);
    const AnalysisResult r = analyse(in);
    QCOMPARE(r.valid(), valid);
    QCOMPARE(r.messages.isEmpty() ? QString() : r.messages[0].prompt, message);
    QCOMPARE(r.missingForLimits.isEmpty() ? QString() : missingDataText(r.missingForLimits).section(": ", 1),
        missingForLimits);
    QCOMPARE(r.curve(CurveKind::MaxSpl) != nullptr, valid && missingForLimits.isEmpty());
    QVERIFY(allFinite(r));
}

void TestAnalysis::handedOverDesigns_data()
{
    QTest::addColumn<DesignState>("state");
    QTest::addColumn<BoxSetup>("box"); // expected; a passive radiator box: none
    QTest::addColumn<bool>("isobaric");
    const worked::Vented& pair = worked::kVented[1];
    // The pair's 3-inch port, 19.13 inches long, fits its 19.95 inches of height.
    QTest::newRow("closed") << handedOver(BoxType::Closed, worked::kClosed[0].typed, 0.65f)
                            << BoxSetup(ClosedBoxSetup { 0.65f }) << false;
    QTest::newRow("vented pair, 3-inch port") << handedOver(BoxType::Vented, pair.typed, pair.vb, 28.742f)
                                              << BoxSetup(VentedBoxSetup { pair.vb, 28.742f, 7, 5 }) << true;
    // Tuned to 25 Hz the 6-inch port, 30.09 inches long, misses the 29.61 inches of height.
    QTest::newRow("tuned low: 4-inch port")
        << handedOver(BoxType::Vented, worked::kVentedTuned.typed, worked::kVentedTuned.vb, 25)
        << BoxSetup(VentedBoxSetup { worked::kVentedTuned.vb, 25, 7, 6 }) << false;
    DesignState withdrawn = handedOver(BoxType::Closed, worked::kClosed[0].typed, 0.65f);
    withdrawn.boxValid = 0;
    QTest::newRow("withdrawn") << withdrawn << BoxSetup(ClosedBoxSetup {}) << false;
    QTest::newRow("passive radiator") << handedOver(BoxType::Radiator, pair.typed, pair.vb, 28.742f)
                                      << BoxSetup(ClosedBoxSetup {}) << false;
}

void TestAnalysis::handedOverDesigns()
{
    QFETCH(DesignState, state);
    QFETCH(BoxSetup, box);
    QFETCH(bool, isobaric);
    const std::optional<AnalysisInput> in = handedOverAnalysis(state);
    const bool handed = state.boxValid == 1 && state.boxType != BoxType::Radiator;
    QCOMPARE(in.has_value(), handed);
    if (!handed)
        return;
    QVERIFY(in->box == box);
    QCOMPARE(in->drivers.isobaric, isobaric);
    QCOMPARE(in->driver, (DriverData { state.fs, state.qts, state.vas, state.qes, state.qms, state.re }));
    QCOMPARE(boxName(in->box), QString::fromLatin1(state.boxType == BoxType::Closed ? "Closed Box" : "Vented Box"));
}

QTEST_GUILESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
