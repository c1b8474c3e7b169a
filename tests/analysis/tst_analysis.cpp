// The driver in its box, checked against the closed forms a loudspeaker
// engineer checks such a model by: the box designs' second- and fourth-order
// high-passes and band-pass, the reference efficiency, the static excursion,
// where the impedance peaks and dips; the passive radiator against the port
// it replaces; then the limits, several drivers, a filter and the
// amplifier's load, the designs the box windows hand over, and inputs that
// leave nothing to compute.
#include "analysis/analysis.h"
#include "analysis/box.h"
#include "analysis/boxsettings.h"
#include "analysis/describe.h"
#include "analysis/driverparts.h"
#include "analysis/export.h"
#include "analysis/handover.h"
#include "analysis/highpass.h"
#include "analysis/inputjson.h"
#include "analysis/system.h"
#include "design/bandpassbox.h"
#include "design/closedbox.h"
#include "design/radiatorbox.h"
#include "design/ventedbox.h"
#include "design/workedexamples.h"
#include "support/analysisdesigns.h"

#include <QJsonDocument>
#include <QTemporaryDir>
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

AnalysisInput withDatasheet(const DesignState& s, HandedOver which = HandedOver::Box)
{
    AnalysisInput in = handedOverAnalysis(s, which).value();
    in.driver.sd = kSd;
    in.driver.xmax = kXmax;
    in.driver.pe = kPe;
    return in;
}

// The passive radiator window's worked example (typed szISO, szQts, szVas, szVd; Fs 30) as it hands it over.
DesignState radiatorHandedOver(const worked::Radiator& e)
{
    const QStringList& t = e.typed;
    const auto designed = design::radiatorDesign(
        { t[1].toDouble(), t[2].toDouble(), 30, t[3].toDouble(), isoOf(t) }, design::Trigger::Calculate)
                              .design.value();
    DesignState s = handedOver(BoxType::Radiator, { t[0], t[1], t[2], "30" }, designed.vb, designed.fb);
    s.radiatorVpr = designed.vpr.value();
    return s;
}

// The bandpass window's worked example (typed szISOB, szQtsb, szFarb, szFl3, szRdcb; Vas 2) as it hands it over.
DesignState bandpassHandedOver(const worked::Bandpass& e, design::BandpassDesign& designed)
{
    const QStringList& t = e.typed;
    designed = design::bandpassDesign(
        { t[1].toDouble(), 2, t[2].toDouble(), t[3].toDouble(), t[4].toDouble(), isoOf(t) }, design::Trigger::Calculate)
                   .design.value();
    DesignState s = handedOver(BoxType::Closed, { t[0], t[1], "2", t[2] }, 0.65f);
    s.boxValid = 0;
    s.bandValid = 1;
    s.bandQts = t[1].toFloat(), s.bandVas = 2, s.bandFs = t[2].toFloat(), s.bandRe = t[4].toFloat();
    s.bandIsoFactor = isoOf(t);
    s.bandSealedVb = designed.sealedVb, s.bandVentedVb = designed.ventedVb, s.bandFb = designed.fb;
    return s;
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

// The lossless fourth-order band-pass: the drivers on their sealed section
// (fc, qtc) and the vented section tuned to fb; alpha is the drivers' Vas in
// series with the sealed section over the vented section.
double fourthOrderBandPass(double f, double fc, double qtc, double fb, double alpha)
{
    const auto h = [&](double at) {
        const Complex s(0, at);
        return s * s
            / ((s * s / (fc * fc) + s / (qtc * fc) + 1.0) * (s * s / (fb * fb) + 1.0) + alpha * s * s / (fb * fb));
    };
    return dB(h(f)) - dB(h(std::sqrt(fc * fb)));
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
    bool finite = std::isfinite(g.sensitivity + g.efficiency + g.passband + g.impedanceMinimum.value + g.bl + g.mms
        + g.maximumCurrent.value + g.maximumApparentPower.value + g.radiator.value_or(RadiatorFigures {}).mass);
    for (const Curve& c : r.curves)
        finite = finite && std::all_of(c.values.begin(), c.values.end(), [](double v) { return std::isfinite(v); });
    return finite;
}

AnalysisInput validInput() { return withDatasheet(handedOver(BoxType::Closed, worked::kClosed[0].typed, 0.65f)); }
} // namespace

Q_DECLARE_METATYPE(analysis::AnalysisInput)
Q_DECLARE_METATYPE(analysis::BoxSetup)
Q_DECLARE_METATYPE(analysis::DriverData)
Q_DECLARE_METATYPE(analysis::ExportFormat)
Q_DECLARE_METATYPE(analysis::Drivers)
Q_DECLARE_METATYPE(analysis::HighPass)
Q_DECLARE_METATYPE(analysis::HandedOver)
Q_DECLARE_METATYPE(analysis::PassiveRadiator)
Q_DECLARE_METATYPE(DesignState)
Q_DECLARE_METATYPE(DriverRecord)
Q_DECLARE_METATYPE(std::optional<int>)

class TestAnalysis : public QObject {
    Q_OBJECT
private slots:
    void closedBoxIsTheWindowsSecondOrder_data() { worked::addRows(worked::kClosed); }
    void closedBoxIsTheWindowsSecondOrder();
    void passbandFollowsEfficiency_data();
    void passbandFollowsEfficiency();
    void ventedBoxIsTheAlignmentsFourthOrder_data();
    void ventedBoxIsTheAlignmentsFourthOrder();
    void radiatorTendsToThePortItReplaces_data();
    void radiatorTendsToThePortItReplaces();
    void radiatorMovesBelowTheTuning_data();
    void radiatorMovesBelowTheTuning();
    void bandpassIsSecondOrderEachSide_data();
    void bandpassIsSecondOrderEachSide();
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
    void exportsReadBackWithinTheirPrecision_data();
    void exportsReadBackWithinTheirPrecision();
    void designAndFiguresInWords_data();
    void designAndFiguresInWords();
    void inputsReadBackFromJson_data();
    void inputsReadBackFromJson();
    void libraryDriverGivesItsDataNotTheDesigns_data();
    void libraryDriverGivesItsDataNotTheDesigns();
    void everyBoxHasItsKey();
    void boxSettingsOnlyWhereTheBoxHasThem_data();
    void boxSettingsOnlyWhereTheBoxHasThem();
    void filterOrdersAndNames_data();
    void filterOrdersAndNames();
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

void TestAnalysis::radiatorTendsToThePortItReplaces_data()
{
    QTest::addColumn<PassiveRadiator>("radiator");
    QTest::addColumn<double>("within"); // dB, on every curve the two boxes share
    QTest::addColumn<double>("grams"); // the radiator's mass, at most
    // Stiffness and losses fall by a hundred: the difference falls by a hundred.
    QTest::newRow("Vas 10,000 Vb, Q 100,000, 1 cm^2") << PassiveRadiator { 1, 0, 0, 1e4 * 1.4184, 1e5 } << 0.1 << 1.0;
    QTest::newRow("Vas 1,000,000 Vb, Q 10,000,000, .01 cm^2")
        << PassiveRadiator { .01, 0, 0, 1e6 * 1.4184, 1e7 } << 0.001 << 1e-4;
}

void TestAnalysis::radiatorTendsToThePortItReplaces()
{
    QFETCH(PassiveRadiator, radiator);
    QFETCH(double, within);
    QFETCH(double, grams);
    const DesignState s = radiatorHandedOver(worked::kRadiator[0]);
    AnalysisInput in = withDatasheet(s);
    std::get<RadiatorBoxSetup>(in.box).radiator = radiator;
    AnalysisInput vented = in;
    vented.box = VentedBoxSetup { s.closedVb, s.ventedFb, kDefaultQl, defaultPort(s.ventedFb, s.closedVb) };
    const AnalysisResult r = analyse(in), v = analyse(vented);
    QVERIFY(r.figures.radiator->mass < grams);
    for (CurveKind kind : { CurveKind::Spl, CurveKind::Excursion, CurveKind::Impedance, CurveKind::MaxSpl }) {
        for (int i = 0; i < r.frequencies.size(); ++i) {
            const double a = values(r, kind)[i], b = values(v, kind)[i];
            QVERIFY2(
                qAbs(kind == CurveKind::Spl || kind == CurveKind::MaxSpl ? a - b : 20 * std::log10(a / b)) < within,
                qPrintable(curveTitle(kind) + QString::number(r.frequencies[i])));
        }
    }
}

void TestAnalysis::radiatorMovesBelowTheTuning_data() { worked::addRows(worked::kRadiator); }

void TestAnalysis::radiatorMovesBelowTheTuning()
{
    QFETCH(worked::Radiator, e);
    const DesignState s = radiatorHandedOver(e);
    const AnalysisResult r = analyse(withDatasheet(s));
    QVERIFY(r.valid());
    const double fb = s.ventedFb;
    const RadiatorFigures radiator = r.figures.radiator.value();
    // On its own the default radiator, as compliant as the box's air, resonates at Fb / sqrt 2.
    QVERIFY(qAbs(radiator.resonance * std::sqrt(2.0) / fb - 1) < 1e-9);
    const double stiffness = 2 * kAirDensity * kSpeedOfSound * kSpeedOfSound * std::pow(kSd * 1e-4, 2)
        / (s.closedVb * kCubicMetresPerCubicFoot);
    QVERIFY(qAbs(std::sqrt(stiffness / (radiator.mass / 1000)) / (2 * kPi * fb) - 1) < 1e-9);
    QVERIFY(qAbs(radiator.xmax.value() / (s.radiatorVpr / kSd * 1000) - 1) < 1e-9); // Vpr over Sd

    const QVector<int> peaks = localExtremes(values(r, CurveKind::Impedance), true);
    QCOMPARE(peaks.size(), 2);
    QVERIFY(r.frequencies[peaks[0]] < fb && r.frequencies[peaks[1]] > fb);
    const QVector<double>& cone = values(r, CurveKind::Excursion);
    const QVector<double>& moving = values(r, CurveKind::RadiatorExcursion);
    for (int i = indexAt(r, std::sqrt(radiator.resonance * fb)); r.frequencies[i] <= fb; ++i)
        QVERIFY(moving[i] > cone[i]);

    AnalysisInput atXmax = withDatasheet(s);
    const AtFrequency reached = radiator.xmaxPower.value();
    atXmax.drive = { DriveUnit::Watts, reached.value, 1 };
    const AnalysisResult at = analyse(atXmax);
    QVERIFY(qAbs(values(at, CurveKind::RadiatorExcursion)[indexAt(r, reached.frequency)] / *radiator.xmax - 1) < 1e-9);
    QVERIFY(!r.figures.peakPortVelocity && !r.curve(CurveKind::PortVelocity));
}

void TestAnalysis::bandpassIsSecondOrderEachSide_data() { worked::addRows(worked::kBandpass); }

void TestAnalysis::bandpassIsSecondOrderEachSide()
{
    QFETCH(worked::Bandpass, e);
    design::BandpassDesign designed;
    const DesignState s = bandpassHandedOver(e, designed);
    AnalysisInput in = withDatasheet(s, HandedOver::Bandpass);
    QCOMPARE(netVolume(in.box), double(designed.sealedVb) + double(designed.ventedVb));
    const AnalysisResult r = analyse(in);
    QVERIFY(r.valid());
    // Far below and far above the band, 12 dB an octave each way.
    const SystemModel model = *buildSystem(in).model;
    const auto octave = [&](double f) { return dB(responseAt(model, 2 * f).pressure / responseAt(model, f).pressure); };
    QVERIFY(qAbs(octave(0.2) - 12) < 0.05);
    QVERIFY(qAbs(octave(20000) + 12) < 0.05);
    const double peakVelocityAt = r.figures.peakPortVelocity->frequency;
    QVERIFY(peakVelocityAt > r.figures.f3.value() && peakVelocityAt < r.figures.upperF3.value());

    // Without losses it is the window's band-pass, from its low to its high cut-off.
    std::get<BandpassBoxSetup>(in.box).ql = 1e9;
    const AnalysisResult lossless = analyse(in);
    const double vas = s.bandVas * s.bandIsoFactor, vs = designed.sealedVb;
    const double fc = s.bandFs * std::sqrt(1 + vas / vs), qtc = s.bandQts * std::sqrt(1 + vas / vs);
    const double alpha = vas * vs / (vas + vs) / designed.ventedVb;
    const double worst
        = worstDeviation(lossless, [&](double f) { return fourthOrderBandPass(f, fc, qtc, s.bandFb, alpha); });
    QVERIFY2(worst < 0.01, qPrintable(QString::number(worst)));
    QVERIFY(qAbs(lossless.figures.f3.value() / e.typed[3].toDouble() - 1) < 0.005);
    QVERIFY(qAbs(lossless.figures.upperF3.value() / designed.fh3 - 1) < 0.005);
    // Its passband is the cone's above by the window's gain Pa.
    AnalysisInput closed = in;
    closed.box = ClosedBoxSetup { vs };
    const double gain = r.figures.passband - analyse(closed).figures.passband;
    QVERIFY(qAbs(gain - 20 * std::log10(designed.ventedVb / (vas * vs / (vas + vs)))) < 0.01);
    QVERIFY(qAbs(gain - designed.pa) < 0.01);
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
    // The amplifier's load at 2.83 V: V / |Z| and V^2 / |Z|, the most where the impedance is least.
    for (int i = 0; i < z.size(); ++i) {
        QVERIFY(qAbs(values(r, CurveKind::Current)[i] * z[i] / kSensitivityVolts - 1) < 1e-12);
        QVERIFY(qAbs(values(r, CurveKind::ApparentPower)[i] * z[i] / std::pow(kSensitivityVolts, 2) - 1) < 1e-12);
    }
    const auto least = std::min_element(z.begin(), z.end()) - z.begin();
    QCOMPARE(r.figures.maximumCurrent.frequency, r.frequencies[least]);
    QCOMPARE(r.figures.maximumApparentPower.value, std::pow(kSensitivityVolts, 2) / z[least]);
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
        // The same voltage into half the impedance draws twice the current.
        const double current = values(b, CurveKind::Current)[i] / values(a, CurveKind::Current)[i];
        QVERIFY(qAbs(current * impedance / std::pow(10, filtered / 20) - 1) < 1e-3);
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
    const auto radiator = [&](PassiveRadiator r, double volume = 1.42, double fb = 36.9) {
        return with([=](AnalysisInput& in) { in.box = RadiatorBoxSetup { volume, fb, kDefaultQl, r }; });
    };
    QTest::newRow("radiator: nothing but the box") << radiator({}) << true << none << none;
    QTest::newRow("radiator: not numbers")
        << radiator({ qQNaN(), -qInf(), qQNaN(), -1, qInf() }) << true << none << none;
    QTest::newRow("radiator: no volume") << radiator({}, 0) << false << "Box Volume Must be Greater Than 0" << none;
    QTest::newRow("radiator: no tuning") << radiator({}, 1.42, 0) << false << "Tuning Frequency Must be Greater Than 0"
                                         << none;
    QTest::newRow("radiator: beyond range")
        << radiator({ 1e200 }) << false << "Result Out of Range: Check the Driver Data and the Box" << none;
    QTest::newRow("radiator: as stiff as a wall") << radiator({ 0, 0, 0, 1e-300 }) << true << none << none;
    const auto bandpass = [&](BandpassBoxSetup b) { return with([=](AnalysisInput& in) { in.box = b; }); };
    QTest::newRow("bandpass: no sealed section")
        << bandpass({ 0, 1, 39 }) << false << "Sealed Section Volume Must be Greater Than 0" << none;
    QTest::newRow("bandpass: no vented section")
        << bandpass({ 1.4, qQNaN(), 39 }) << false << "Vented Section Volume Must be Greater Than 0" << none;
    QTest::newRow("bandpass: no tuning") << bandpass({ 1.4, 1, -39 }) << false
                                         << "Tuning Frequency Must be Greater Than 0" << none;
    QTest::newRow("bandpass: tenth port")
        << bandpass({ 1.4, 1, 39, 7, 9 }) << false << "Choose One of the Nine Port Diameters" << none;
    QTest::newRow("bandpass: a sealed section of nothing")
        << bandpass({ 1e-300, 1, 39, 7, 6 }) << false << "Result Out of Range: Check the Driver Data and the Box"
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
    QTest::addColumn<HandedOver>("which");
    QTest::addColumn<BoxSetup>("box"); // expected; none: a closed box of no volume
    QTest::addColumn<bool>("isobaric");
    QTest::addColumn<bool>("measured"); // Qes, Qms and Re from the measurement window
    const worked::Vented& pair = worked::kVented[1];
    const BoxSetup none = ClosedBoxSetup {};
    // The pair's 3-inch port, 19.13 inches long, fits its 19.95 inches of height.
    QTest::newRow("closed") << handedOver(BoxType::Closed, worked::kClosed[0].typed, 0.65f) << HandedOver::Box
                            << BoxSetup(ClosedBoxSetup { 0.65f }) << false << true;
    QTest::newRow("vented pair, 3-inch port")
        << handedOver(BoxType::Vented, pair.typed, pair.vb, 28.742f) << HandedOver::Box
        << BoxSetup(VentedBoxSetup { pair.vb, 28.742f, 7, 5 }) << true << true;
    // Tuned to 25 Hz the 6-inch port, 30.09 inches long, misses the 29.61 inches of height.
    QTest::newRow("tuned low: 4-inch port")
        << handedOver(BoxType::Vented, worked::kVentedTuned.typed, worked::kVentedTuned.vb, 25) << HandedOver::Box
        << BoxSetup(VentedBoxSetup { worked::kVentedTuned.vb, 25, 7, 6 }) << false << true;
    DesignState withdrawn = handedOver(BoxType::Closed, worked::kClosed[0].typed, 0.65f);
    withdrawn.boxValid = 0;
    QTest::newRow("withdrawn") << withdrawn << HandedOver::Box << none << false << true;
    const DesignState radiator = radiatorHandedOver(worked::kRadiator[1]);
    QTest::newRow("passive radiator pair, the window's displacement")
        << radiator << HandedOver::Box
        << BoxSetup(RadiatorBoxSetup { radiator.closedVb, radiator.ventedFb, 7, { 0, 0, radiator.radiatorVpr } })
        << true << true;
    design::BandpassDesign designed;
    DesignState both = bandpassHandedOver(worked::kBandpass[1], designed);
    QTest::newRow("bandpass alone: no box") << both << HandedOver::Box << none << false << true;
    // Its 2-inch port, 9.86 inches long, fits the vented section's 10.02 inches of height.
    const BoxSetup bandpass = BandpassBoxSetup { designed.sealedVb, designed.ventedVb, designed.fb, 7, 4 };
    QTest::newRow("bandpass pair") << both << HandedOver::Bandpass << bandpass << true << true;
    both.boxValid = 1;
    QTest::newRow("bandpass beside a closed box: the box")
        << both << HandedOver::Box << BoxSetup(ClosedBoxSetup { 0.65f }) << true << true;
    QTest::newRow("bandpass beside a closed box: the bandpass")
        << both << HandedOver::Bandpass << bandpass << true << true;
    DesignState other = both;
    other.qms = 2; // a Qts of .39: the measured driver is another
    QTest::newRow("bandpass beside another measured driver")
        << other << HandedOver::Bandpass << bandpass << true << false;
    both.bandValid = 0;
    QTest::newRow("bandpass withdrawn") << both << HandedOver::Bandpass << none << false << true;
}

void TestAnalysis::handedOverDesigns()
{
    QFETCH(DesignState, state);
    QFETCH(HandedOver, which);
    QFETCH(BoxSetup, box);
    QFETCH(bool, isobaric);
    QFETCH(bool, measured);
    const std::optional<AnalysisInput> in = handedOverAnalysis(state, which);
    const bool handed = box != BoxSetup(ClosedBoxSetup {});
    QCOMPARE(in.has_value(), handed);
    if (!handed)
        return;
    QVERIFY(in->box == box);
    QCOMPARE(in->drivers.isobaric, isobaric);
    // The driver's Re is the measured one, never the bandpass window's nominal impedance.
    const bool band = which == HandedOver::Bandpass;
    DriverData driver { band ? state.bandFs : state.fs, band ? state.bandQts : state.qts,
        band ? state.bandVas : state.vas };
    if (measured)
        driver.qes = state.qes, driver.qms = state.qms, driver.re = state.re;
    QCOMPARE(in->driver, driver);
    const char* names[] = { "Closed Box", "Vented Box", "Passive Radiator Box", "Bandpass Box" };
    QCOMPARE(boxName(in->box), QString::fromLatin1(names[in->box.index()]));
}

void TestAnalysis::exportsReadBackWithinTheirPrecision_data()
{
    QTest::addColumn<AnalysisInput>("in");
    QTest::addColumn<ExportFormat>("format");
    QTest::addColumn<QString>("columns"); // the CSV's header, the last comment line of the others
    const QString frd = "* Frequency (Hz), SPL (dB), Phase (deg)";
    const QString zma = "* Frequency (Hz), Impedance (ohm), Impedance phase (deg)";
    const QString start = "Frequency (Hz),SPL (dB),Max SPL (dB),Excursion (mm),";
    const QString end
        = "Impedance (ohm),Impedance phase (deg),Current (A),Apparent power (VA),Phase (deg),Group delay (ms)";
    QTest::newRow("closed, FRD") << analysed::closed() << ExportFormat::Frd << frd;
    QTest::newRow("closed, ZMA") << analysed::closed() << ExportFormat::Zma << zma;
    QTest::newRow("closed, CSV") << analysed::closed() << ExportFormat::Csv << start + end;
    QTest::newRow("vented, FRD") << analysed::vented() << ExportFormat::Frd << frd;
    QTest::newRow("vented, CSV") << analysed::vented() << ExportFormat::Csv << start + "Port velocity (m/s)," + end;
    QTest::newRow("radiator, ZMA") << analysed::radiator() << ExportFormat::Zma << zma;
    QTest::newRow("radiator, CSV") << analysed::radiator() << ExportFormat::Csv
                                   << start + "Radiator excursion (mm)," + end;
    QTest::newRow("bandpass, FRD") << analysed::bandpass() << ExportFormat::Frd << frd;
    QTest::newRow("bandpass, CSV") << analysed::bandpass() << ExportFormat::Csv << start + "Port velocity (m/s)," + end;
    AnalysisInput noPe = analysed::vented();
    noPe.driver.pe = 0;
    QTest::newRow("no Pe: no maximum SPL")
        << noPe << ExportFormat::Csv << "Frequency (Hz),SPL (dB),Excursion (mm),Port velocity (m/s)," + end;
    AnalysisInput filtered = analysed::vented();
    filtered.filter = { FilterKind::LinkwitzRiley, 4, 25 };
    filtered.drive = { DriveUnit::Watts, 10, 2 };
    QTest::newRow("a filter and 10 W at 2 m, FRD") << filtered << ExportFormat::Frd << frd;
    AnalysisInput noRe = analysed::closed();
    noRe.driver.re = 0;
    QTest::newRow("no Re: nothing written") << noRe << ExportFormat::Frd << "";
}

void TestAnalysis::exportsReadBackWithinTheirPrecision()
{
    QFETCH(AnalysisInput, in);
    QFETCH(ExportFormat, format);
    QFETCH(QString, columns);
    const AnalysisResult r = analyse(in);
    QTemporaryDir dir;
    const QString file = dir.filePath("out");
    const std::optional<QString> problem = writeExport(file, format, in, r);
    QCOMPARE(problem.has_value(), columns.isEmpty());
    QFile written(file);
    QCOMPARE(written.open(QIODevice::ReadOnly | QIODevice::Text), !columns.isEmpty());
    if (columns.isEmpty())
        return;
    QStringList lines = QString::fromUtf8(written.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const bool csv = format == ExportFormat::Csv;
    QStringList header;
    while (!lines.isEmpty() && (csv ? header.isEmpty() : lines.first().startsWith(u'*')))
        header << lines.takeFirst();
    QCOMPARE(header.last(), columns);
    if (!csv) { // the design and its input named
        QCOMPARE(header.first(), "* Tolvan analysis: " + analysisLabel(in));
        QVERIFY(header.contains("* " + sectionLines(designRows(in)).filter("Input: ").first()));
    }
    QVector<CurveKind> kinds;
    for (const QString& title : columns.section(u'*', -1).split(csv ? u',' : u',', Qt::SkipEmptyParts).mid(1))
        for (const CurveInfo& info : kCurveInfo)
            if (curveTitle(info.kind) == title.trimmed())
                kinds << info.kind;
    QCOMPARE(kinds.size(), columns.count(u',') - (csv ? 0 : 0));
    QCOMPARE(lines.size(), r.frequencies.size());
    double previousPhase = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList numbers = lines[i].split(csv ? u',' : u' ');
        QCOMPARE(numbers.size(), kinds.size() + 1);
        for (int c = 0; c <= kinds.size(); ++c) {
            const double expected = c == 0 ? r.frequencies[i] : r.curve(kinds[c - 1])->values[i];
            bool ok = false;
            const double read = numbers[c].toDouble(&ok);
            QVERIFY2(ok && qAbs(read - expected) <= 5e-7 * qAbs(expected), qPrintable(lines[i]));
        }
        // The pressure's phase is unwrapped: no step of half a turn between points.
        if (format == ExportFormat::Frd) {
            const double phase = numbers[2].toDouble();
            QVERIFY(i == 0 || qAbs(phase - previousPhase) < 90);
            previousPhase = phase;
        }
    }
}

void TestAnalysis::designAndFiguresInWords_data()
{
    QTest::addColumn<AnalysisInput>("in");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("rows"); // "Section: caption value" among the design and figure rows
    QTest::newRow("vented") << analysed::vented() << QString::fromUtf8("Test woofer, vented 2.16 ft\u00b3")
                            << QStringList { "Box: Type Vented Box", "Box: Port 3.0 in diameter",
                                   "Driver: Sd 220 cm\u00b2", "Drivers: Count 1", "Input: Level 2.83 V at 1 m",
                                   "Filter: High-pass none", "Response: Sensitivity 88.6 dB at 2.83 V, 1 m",
                                   "Limits: Port pipe resonance 801 Hz" };
    AnalysisInput pair = analysed::closed();
    pair.drivers = { 2, true, Wiring::Series };
    pair.filter = { FilterKind::Butterworth, 2, 30 };
    pair.drive = { DriveUnit::Watts, 10, 2 };
    pair.driverName.clear();
    pair.driver.xmax = 0;
    QTest::newRow("two isobaric pairs in series, filtered, 10 W at 2 m, no Xmax")
        << pair << "closed 1.00 ft\u00b3, isobaric, 2 in series, Butterworth 2nd order 30 Hz, 10 W at 2 m"
        << QStringList { "Drivers: Count 2 isobaric pairs in series", "Filter: High-pass Butterworth, 2nd order, 30 Hz",
               "Input: Level 10 W into Re at 2 m", "Driver: Xmax not given", "Limits: Maximum SPL needs Xmax",
               "Limits: Xmax reached at needs Xmax" };
    QTest::newRow("radiator") << analysed::radiator()
                              << QString::fromUtf8("Test woofer, passive radiator 2.50 ft\u00b3")
                              << QStringList { "Box: Radiator Xmax 12 mm", "Box: Radiator Q 5",
                                     "Box: Radiator Sd the cones' area", "Passive radiator: Xmax 12.0 mm" };
    QTest::newRow("bandpass") << analysed::bandpass() << QString::fromUtf8("Test woofer, bandpass 1.40 + 1.00 ft\u00b3")
                              << QStringList { "Box: Sealed section 1.4 ft\u00b3 (39.6 L)", "Box: Tuning 39 Hz" };
}

void TestAnalysis::designAndFiguresInWords()
{
    QFETCH(AnalysisInput, in);
    QFETCH(QString, label);
    QFETCH(QStringList, rows);
    QCOMPARE(analysisLabel(in), label);
    const AnalysisResult r = analyse(in);
    QStringList all;
    for (const TextRow& row : designRows(in) + figureRows(r))
        all << row.section + ": " + row.caption + ' ' + row.value;
    for (const QString& row : rows)
        QVERIFY2(all.contains(row), qPrintable(row + "\n" + all.join('\n')));
    // Every figure the result holds is worded; none reads NaN.
    QVERIFY(all.filter("Hz").size() >= 8);
    const QStringList notNumbers
        = all.filter(QRegularExpression("\\b(nan|inf)\\b", QRegularExpression::CaseInsensitiveOption));
    QVERIFY2(notNumbers.isEmpty(), qPrintable(notNumbers.join('\n')));
    QVERIFY(figureRows(analyse(AnalysisInput {})).isEmpty());
}

void TestAnalysis::inputsReadBackFromJson_data()
{
    QTest::addColumn<AnalysisInput>("in");
    QTest::addColumn<QString>("change"); // "key.key=JSON" in the written object; empty: none
    QTest::addColumn<bool>("read");
    AnalysisInput every = analysed::radiator();
    every.drivers = { 3, true, Wiring::Series };
    every.drive = { DriveUnit::Watts, 12.5, 3 };
    every.filter = { FilterKind::LinkwitzRiley, 4, 22.5 };
    every.driver.le = 0.7;
    std::get<RadiatorBoxSetup>(every.box).radiator = { 300, 14, 3.25, 1.5, 4 };
    for (const auto& [name, in] : { std::pair("closed", analysed::closed()), std::pair("vented", analysed::vented()),
             std::pair("bandpass", analysed::bandpass()), std::pair("every value", every) })
        QTest::newRow(name) << in << "" << true;
    QTest::newRow("a key not known") << every << "drive.colour=1" << true;
    QTest::newRow("no drivers") << every << "drivers.count=0" << false;
    QTest::newRow("too many drivers") << every << "drivers.count=101" << false;
    QTest::newRow("half a driver") << every << "drivers.count=1.5" << false;
    QTest::newRow("another wiring") << every << "drivers.wiring=\"star\"" << false;
    QTest::newRow("a fifth order") << every << "filter.order=5" << false;
    QTest::newRow("another filter") << every << "filter.type=\"chebyshev\"" << false;
    QTest::newRow("a number as text") << every << "driver.fs=\"30\"" << false;
    QTest::newRow("a name that is a number") << every << "driver.name=7" << false;
    QTest::newRow("another box") << every << "box.type=\"horn\"" << false;
    QTest::newRow("a tenth port") << analysed::vented() << "box.port=9" << false;
    QTest::newRow("radiator without its values") << every << "box.radiator=1" << false;
    QTest::newRow("isobaric as a number") << every << "drivers.isobaric=1" << false;
    QTest::newRow("a driver part missing") << every << "driver.pe=null" << false;
    QTest::newRow("a driver part as text") << every << "driver.xmax=\"6\"" << false;
}

void TestAnalysis::inputsReadBackFromJson()
{
    QFETCH(AnalysisInput, in);
    QFETCH(QString, change);
    QFETCH(bool, read);
    QJsonObject o = QJsonDocument::fromJson(QJsonDocument(inputJson(in)).toJson()).object();
    if (!change.isEmpty()) {
        const QString path = change.section(u'=', 0, 0);
        const QJsonValue value = QJsonDocument::fromJson("[" + change.section(u'=', 1).toUtf8() + "]").array()[0];
        QJsonObject inner = o[path.section(u'.', 0, 0)].toObject();
        inner[path.section(u'.', 1)] = value;
        o[path.section(u'.', 0, 0)] = inner;
    }
    const std::optional<AnalysisInput> back = inputFromJson(o);
    QCOMPARE(back.has_value(), read);
    if (read)
        QVERIFY(*back == in);
}

void TestAnalysis::libraryDriverGivesItsDataNotTheDesigns_data()
{
    QTest::addColumn<DriverRecord>("driver");
    QTest::addColumn<DriverData>("data"); // the design's Fs 30 Hz, Qts .4 and Vas 2 ft³ with it
    DriverRecord every;
    every.name = "Every value";
    std::tie(every.fs, every.qts, every.vas, every.qes, every.qms, every.re, every.le, every.vd, every.sd, every.xmax,
        every.pe)
        = std::tuple(25.0, 0.35, 3.0, 0.42, 4.0, 5.6, 0.9, 1.6, 330.0, 7.5, 150.0);
    // Fs, Qts, Vas, Qes, Qms, Re, Sd, Xmax, Pe, Le
    QTest::newRow("every value") << every << DriverData { 30, .4, 2, .42, 4, 5.6, 330, 7.5, 150, .9 };
    DriverRecord some;
    std::tie(some.fs, some.qts, some.vas, some.re) = std::tuple(30.0, 0.4, 2.0, 8.0);
    QTest::newRow("some values: the rest stays") << some << DriverData { 30, .4, 2, 0, 5, 8, 220, 6, 100, 0 };
}

void TestAnalysis::libraryDriverGivesItsDataNotTheDesigns()
{
    QFETCH(DriverRecord, driver);
    QFETCH(DriverData, data);
    AnalysisInput in = analysed::vented(); // Qms 5, Re 6, Sd 220, Xmax 6, Pe 100
    takeDriverData(in.driver, driver);
    QCOMPARE(in.driver, data);
    QCOMPARE(driverValueKeys(analysis::DriverValue::QesOrQms), QStringList({ "qes", "qms" }));
    // Each value the analysis asks for is a part of the library's drivers.
    for (const analysis::DriverValue value : { analysis::DriverValue::Fs, analysis::DriverValue::Qts,
             analysis::DriverValue::Vas, analysis::DriverValue::QesOrQms, analysis::DriverValue::Re,
             analysis::DriverValue::Sd, analysis::DriverValue::Xmax, analysis::DriverValue::Pe })
        for (const QString& key : driverValueKeys(value)) {
            QVERIFY2(driverDataPart(key) && ::driverValue(key), qPrintable(key));
            // Messages name a value as the library labels it.
            if (value != analysis::DriverValue::QesOrQms)
                QCOMPARE(QString::fromLatin1(::driverValue(key)->label), driverValueName(value));
        }
}

// Files and the command line name a box by its key: each key names its own box.
void TestAnalysis::everyBoxHasItsKey()
{
    QCOMPARE(boxKeys(), QStringList({ "closed", "vented", "radiator", "bandpass" }));
    for (const AnalysisInput& in :
        { analysed::closed(), analysed::vented(), analysed::radiator(), analysed::bandpass() }) {
        const std::optional<BoxSetup> box = boxOfKey(boxKey(in.box));
        QVERIFY(box);
        QCOMPARE(box->index(), in.box.index());
        QCOMPARE(boxName(*box), boxName(in.box));
        QCOMPARE(inputJson(in)["box"].toObject()["type"].toString(), boxKey(in.box));
    }
    QVERIFY(!boxOfKey(u"horn"));
    QVERIFY(!boxOfKey(u"Closed"));
}

void TestAnalysis::boxSettingsOnlyWhereTheBoxHasThem_data()
{
    QTest::addColumn<analysis::BoxSetup>("box");
    QTest::addColumn<bool>("losses");
    QTest::addColumn<std::optional<int>>("port"); // the port before it is set
    QTest::addColumn<bool>("radiator");
    QTest::newRow("closed") << analysed::closed().box << false << std::optional<int>() << false;
    QTest::newRow("vented") << analysed::vented().box << true << std::optional(5) << false;
    QTest::newRow("radiator") << analysed::radiator().box << true << std::optional<int>() << true;
    QTest::newRow("bandpass") << analysed::bandpass().box << true << std::optional(5) << false;
}

void TestAnalysis::boxSettingsOnlyWhereTheBoxHasThem()
{
    QFETCH(analysis::BoxSetup, box);
    QFETCH(bool, losses);
    QFETCH(std::optional<int>, port);
    QFETCH(bool, radiator);
    QCOMPARE(analysis::boxPort(box), port);
    analysis::BoxSetup set = box;
    QCOMPARE(analysis::setBoxLosses(set, 20), losses);
    QCOMPARE(analysis::setBoxPort(set, 2), port.has_value());
    // Sd alone: the radiator's Xmax stays.
    QCOMPARE(analysis::setRadiatorCone(set, 300, std::nullopt), radiator);
    QCOMPARE(analysis::boxPort(set), port ? std::optional(2) : std::nullopt);
    QCOMPARE(set == box, !losses && !port && !radiator);
    if (const auto* r = std::get_if<analysis::RadiatorBoxSetup>(&set)) {
        QCOMPARE(r->ql, 20.0);
        QCOMPARE(r->radiator.sd, 300.0);
        QCOMPARE(r->radiator.xmax, 12.0);
    }
    // What was set is analysed: a narrower port's air moves faster at the same input.
    if (port) {
        const auto peak = [](const analysis::BoxSetup& b) {
            const QVector<double> v
                = analysis::analyse(analysed::withBox(b)).curve(analysis::CurveKind::PortVelocity)->values;
            return *std::max_element(v.begin(), v.end());
        };
        QVERIFY(peak(set) > peak(box));
    }
}

void TestAnalysis::filterOrdersAndNames_data()
{
    using analysis::FilterKind;
    QTest::addColumn<analysis::HighPass>("filter");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVector<int>>("orders");
    QTest::addColumn<bool>("valid");
    QTest::newRow("none") << analysis::HighPass {} << "None" << QVector<int> { 1, 2, 3, 4 } << true;
    QTest::newRow("Butterworth 1st") << analysis::HighPass { FilterKind::Butterworth, 1, 30 } << "Butterworth"
                                     << QVector<int> { 1, 2, 3, 4 } << true;
    QTest::newRow("Butterworth 5th") << analysis::HighPass { FilterKind::Butterworth, 5, 30 } << "Butterworth"
                                     << QVector<int> { 1, 2, 3, 4 } << false;
    QTest::newRow("Linkwitz-Riley 4th") << analysis::HighPass { FilterKind::LinkwitzRiley, 4, 30 } << "Linkwitz-Riley"
                                        << QVector<int> { 2, 4 } << true;
    QTest::newRow("Linkwitz-Riley 3rd") << analysis::HighPass { FilterKind::LinkwitzRiley, 3, 30 } << "Linkwitz-Riley"
                                        << QVector<int> { 2, 4 } << false;
}

void TestAnalysis::filterOrdersAndNames()
{
    QFETCH(analysis::HighPass, filter);
    QFETCH(QString, name);
    QFETCH(QVector<int>, orders);
    QFETCH(bool, valid);
    QCOMPARE(analysis::filterKindName(filter.kind), name);
    QCOMPARE(analysis::highPassOrders(filter.kind), orders);
    QVector<Message> problems;
    QCOMPARE(analysis::highPassValid(filter, problems), valid);
    QCOMPARE(problems.size(), valid ? 0 : 1);
    // The design's rows name it as the window's lists do.
    analysis::AnalysisInput in = analysed::closed();
    in.filter = filter;
    const QString words = analysis::sectionLines(analysis::designRows(in)).join('\n');
    QVERIFY2(words.contains(filter.active() ? name + ", " + analysis::ordinal(filter.order) + " order" : "none"),
        qPrintable(words));
}

QTEST_GUILESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
