// Qms, Qes, Qts and Vas from impedance measurements: the worked example, the
// input checks in their order, negative Qs, and inputs that would give
// numbers no field may show.
#include "core/numberformat.h"
#include "design/drivermeasurement.h"
#include "design/workedexamples.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

using design::MeasurementInputs;

namespace {
// Re, Fs, Zmax, f1, f2, Vt, Fct
MeasurementInputs inputs(double re, double fs, double zmax, double f1, double f2, double vt, double fct)
{
    MeasurementInputs in;
    in.re = re;
    in.fs = fs;
    in.zmax = zmax;
    in.f1 = f1;
    in.f2 = f2;
    in.vt = vt;
    in.fct = fct;
    return in;
}
const MeasurementInputs kExample = [] {
    QList<double> v;
    for (const QString& text : worked::kMeasuredTyped)
        v << text.toDouble();
    return inputs(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
}();
const QString kResult = QStringLiteral("###.##");
} // namespace

Q_DECLARE_METATYPE(MeasurementInputs)

class TestDriverMeasurement : public QObject {
    Q_OBJECT
private slots:
    void referenceImpedance_data();
    void referenceImpedance();
    void workedExample();
    void vasSubtractsOneFromTheSquaredRatio_data();
    void vasSubtractsOneFromTheSquaredRatio();
    void inputChecksInOrder_data();
    void inputChecksInOrder();
    void missingInputDoesNothing();
    void equalReAndZmaxStops();
    void negativeQsAreReportedAndKept_data();
    void negativeQsAreReportedAndKept();
    void refusesResultsBeyondASingle_data();
    void refusesResultsBeyondASingle();
    void exitComputesOnlyWhatCalculateWould();
    void neverReturnsANonFiniteValue();
};

void TestDriverMeasurement::referenceImpedance_data()
{
    QTest::addColumn<double>("re");
    QTest::addColumn<double>("zmax");
    QTest::addColumn<QString>("shown"); // empty: no Z'
    QTest::addColumn<bool>("message");
    QTest::newRow("6 and 24") << 6.0 << 24.0 << "12." << false;
    QTest::newRow("Zmax below Re") << 24.0 << 6.0 << "12." << false;
    QTest::newRow("geometric mean") << 5.6 << 42.0 << "15.34" << false;
    QTest::newRow("equal") << 6.0 << 6.0 << "" << true;
    QTest::newRow("Re missing") << 0.0 << 24.0 << "" << false;
    QTest::newRow("Zmax negative") << 6.0 << -24.0 << "" << false;
}

void TestDriverMeasurement::referenceImpedance()
{
    QFETCH(double, re);
    QFETCH(double, zmax);
    QFETCH(QString, shown);
    QFETCH(bool, message);
    const auto z = design::referenceImpedance(re, zmax);
    QCOMPARE(z.zPrime.has_value(), !shown.isEmpty());
    if (z.zPrime)
        QCOMPARE(formatNumber(*z.zPrime, kResult), shown);
    QCOMPARE(z.message.has_value(), message);
    if (message) {
        QCOMPARE(z.message->prompt, QStringLiteral("Speaker Resistance Must NOT Equal Impedance at Resonance"));
        QCOMPARE(z.message->shownTitle(), QStringLiteral("Tolvan"));
    }
}

void TestDriverMeasurement::workedExample()
{
    const auto r = design::measureDriver(kExample);
    QVERIFY(r.q);
    QVERIFY(r.outcome.messages.isEmpty());
    QCOMPARE(r.q->qms, 5.0f);
    const auto z = design::referenceImpedance(kExample.re, kExample.zmax);
    QCOMPARE((QStringList { formatNumber(*z.zPrime, kResult), formatNumber(*r.vas, kResult),
                 formatNumber(r.q->qes, kResult), formatNumber(r.q->qms, kResult), formatNumber(r.q->qts, kResult) }),
        worked::kMeasuredShown);
    // Qts comes from the stored Singles, not from the unrounded doubles.
    const float qes = float(5.0 / 3.0);
    QCOMPARE(r.q->qes, qes);
    QCOMPARE(r.q->qts, float(5.0 * double(qes) / (5.0 + double(qes))));
}

void TestDriverMeasurement::vasSubtractsOneFromTheSquaredRatio_data()
{
    QTest::addColumn<double>("vt");
    QTest::addColumn<double>("fs");
    QTest::addColumn<double>("fct");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Fct near Fs") << 1.0 << 30.0 << 33.0 << ".24";
    QTest::newRow("double Fs") << 1.0 << 30.0 << 60.0 << "3.45";
    QTest::newRow("larger box") << 2.5 << 25.0 << 40.0 << "4.49";
    QTest::newRow("Fct below Fs gives a negative Vas") << 1.0 << 30.0 << 15.0 << "-.86";
}

void TestDriverMeasurement::vasSubtractsOneFromTheSquaredRatio()
{
    QFETCH(double, vt);
    QFETCH(double, fs);
    QFETCH(double, fct);
    QFETCH(QString, shown);
    const auto vas = design::computeVas(vt, fct, fs);
    QVERIFY(vas);
    QCOMPARE(formatNumber(*vas, kResult), shown);
}

void TestDriverMeasurement::inputChecksInOrder_data()
{
    QTest::addColumn<MeasurementInputs>("in");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("focus");
    QTest::newRow("f1 = f2") << inputs(6, 30, 24, 30, 30, 1, 60) << "Freq. Below and Above Can NOT Be Equal"
                             << "szFlt";
    QTest::newRow("Re = f2 - f1") << inputs(6, 30, 24, 30, 36, 1, 60)
                                  << "Freq. Above and Below Difference Must NOT Equal Speaker Resistance"
                                  << "szRdct";
    QTest::newRow("Zmax = Re / (f2 - f1)")
        << inputs(6, 30, 0.5, 24, 36, 1, 60)
        << "Bad Value in Freq. Above, Below, Speaker Resistance, or Impedance Resonance"
        << "szRdct";
    QTest::newRow("Fs = Fct") << inputs(6, 30, 24, 24, 36, 1, 30) << "Resonance Must NOT Equal Resonance in Test Box"
                              << "szFrt";
    QTest::newRow("f1 = f2 comes before Fs = Fct")
        << inputs(6, 30, 24, 30, 30, 1, 30) << "Freq. Below and Above Can NOT Be Equal"
        << "szFlt";
    QTest::newRow("Re = f2 - f1 comes before Fs = Fct")
        << inputs(6, 30, 24, 30, 36, 1, 30) << "Freq. Above and Below Difference Must NOT Equal Speaker Resistance"
        << "szRdct";
}

void TestDriverMeasurement::inputChecksInOrder()
{
    QFETCH(MeasurementInputs, in);
    QFETCH(QString, prompt);
    QFETCH(QString, focus);
    const auto failure = design::checkInputs(in);
    QVERIFY(failure);
    QCOMPARE(failure->messages.size(), 1);
    QCOMPARE(failure->messages.first().prompt, prompt);
    QCOMPARE(failure->messages.first().shownTitle(), QStringLiteral("Tolvan"));
    QCOMPARE(failure->messages.first().icon, MsgIcon::None);
    QCOMPARE(failure->focusField, focus);

    const auto r = design::measureDriver(in);
    QVERIFY(!r.q);
    QCOMPARE(r.outcome.messages.size(), 1);
    QCOMPARE(r.outcome.messages.first().prompt, prompt);
    QCOMPARE(r.outcome.focusField, focus);
    QVERIFY(!design::qFactorsForExit(in));
}

void TestDriverMeasurement::missingInputDoesNothing()
{
    // Any of the seven at 0 (an empty field) or below: no check, no message.
    for (int i = 0; i < 7; ++i) {
        for (double bad : { 0.0, -1.0 }) {
            MeasurementInputs in = inputs(6, 30, 24, 30, 30, 1, 30); // would fail two checks
            double* fields[] = { &in.re, &in.fs, &in.zmax, &in.f1, &in.f2, &in.vt, &in.fct };
            *fields[i] = bad;
            const auto r = design::measureDriver(in);
            QVERIFY(!r.q);
            QVERIFY(r.outcome.messages.isEmpty());
            QVERIFY(r.outcome.focusField.isEmpty());
        }
    }
}

void TestDriverMeasurement::equalReAndZmaxStops()
{
    const auto r = design::measureDriver(inputs(6, 30, 6, 24, 36, 1, 60));
    QVERIFY(!r.q);
    QCOMPARE(r.outcome.messages.size(), 1);
    QCOMPARE(
        r.outcome.messages.first().prompt, QStringLiteral("Speaker Resistance Must NOT Equal Impedance at Resonance"));
    QVERIFY(!design::qFactorsForExit(inputs(6, 30, 6, 24, 36, 1, 60)));
}

void TestDriverMeasurement::negativeQsAreReportedAndKept_data()
{
    QTest::addColumn<MeasurementInputs>("in");
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<QString>("qms");
    QTest::addColumn<QString>("qes");
    QTest::newRow("f2 below f1") << inputs(6, 30, 24, 36, 24, 1, 60)
                                 << QStringList { "Qms Can NOT be Negative", "Qes Can NOT be Negative" } << "-5."
                                 << "-1.67";
    QTest::newRow("Zmax below Re") << inputs(24, 30, 6, 24, 36, 1, 60) << QStringList { "Qes Can NOT be Negative" }
                                   << "1.25"
                                   << "-1.67";
}

void TestDriverMeasurement::negativeQsAreReportedAndKept()
{
    QFETCH(MeasurementInputs, in);
    QFETCH(QStringList, prompts);
    QFETCH(QString, qms);
    QFETCH(QString, qes);
    const auto r = design::measureDriver(in);
    QVERIFY(r.q);
    QStringList shown;
    for (const Message& m : r.outcome.messages)
        shown << m.prompt;
    QCOMPARE(shown, prompts);
    QCOMPARE(formatNumber(r.q->qms, kResult), qms);
    QCOMPARE(formatNumber(r.q->qes, kResult), qes);
    QVERIFY(r.outcome.focusField.isEmpty());
    QVERIFY(design::qFactorsForExit(in));
}

void TestDriverMeasurement::refusesResultsBeyondASingle_data()
{
    QTest::addColumn<MeasurementInputs>("in");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("exitStores");
    const QString qRange = QStringLiteral("Qms, Qes or Qts Is Out of Range. Check Speaker Resistance, Resonance, "
                                          "Impedance at Resonance and the Two Frequencies");
    QTest::newRow("Qms beyond a Single") << inputs(1, 3e38, 100, 1, 1.5, 1, 60) << qRange << "szRdct" << false;
    QTest::newRow("Qes beyond a Single") << inputs(1, 1e38, 1.0000001, 1, 3, 1, 60) << qRange << "szRdct" << false;
    QTest::newRow("Qms + Qes is 0") << inputs(6, 1e-38, 24, 1, 1e30, 1, 60)
                                    << QStringLiteral(
                                           "Qts Can NOT be Calculated: Qms + Qes Is 0. Check Speaker Resistance, "
                                           "Resonance, Impedance at Resonance and the Two Frequencies")
                                    << "szRdct" << false;
    QTest::newRow("Vas beyond a Single") << inputs(6, 30, 24, 24, 36, 3e38,
        60) << "Vas Is Out of Range. Check Volume of Test Box, Resonance in Test Box and Resonance"
                                         << "szVtbt" << true;
}

void TestDriverMeasurement::refusesResultsBeyondASingle()
{
    QFETCH(MeasurementInputs, in);
    QFETCH(QString, prompt);
    QFETCH(QString, focus);
    QFETCH(bool, exitStores);
    const auto r = design::measureDriver(in);
    // A Vas out of range refuses only itself: the Qs are shown and stored, as Exit would.
    QCOMPARE(r.q.has_value(), exitStores);
    QVERIFY(!r.vas);
    QCOMPARE(r.outcome.messages.size(), 1);
    QCOMPARE(r.outcome.messages.first().prompt, prompt);
    QCOMPARE(r.outcome.messages.first().title, QStringLiteral("Error"));
    QCOMPARE(r.outcome.messages.first().icon, MsgIcon::Exclamation);
    QCOMPARE(r.outcome.focusField, focus);
    // Exit computes no Vas, so only a bad Q keeps it from storing.
    QCOMPARE(design::qFactorsForExit(in).has_value(), exitStores);
}

void TestDriverMeasurement::exitComputesOnlyWhatCalculateWould()
{
    const auto q = design::qFactorsForExit(kExample);
    QVERIFY(q);
    const auto r = design::measureDriver(kExample);
    QCOMPARE(q->qms, r.q->qms);
    QCOMPARE(q->qes, r.q->qes);
    QCOMPARE(q->qts, r.q->qts);
    MeasurementInputs missing = kExample;
    missing.vt = 0;
    QVERIFY(!design::qFactorsForExit(missing));
}

void TestDriverMeasurement::neverReturnsANonFiniteValue()
{
    // Magnitudes from the smallest to the largest a field can hold.
    QRandomGenerator rng(1234);
    auto any = [&rng] {
        const double magnitude = std::pow(10.0, -45.0 + rng.bounded(83.5));
        return rng.bounded(8) == 0 ? std::round(magnitude) : magnitude;
    };
    for (int i = 0; i < 20000; ++i) {
        const MeasurementInputs in = inputs(any(), any(), any(), any(), any(), any(), any());
        const auto r = design::measureDriver(in);
        if (r.q) {
            QVERIFY(std::isfinite(r.q->qms) && std::isfinite(r.q->qes) && std::isfinite(r.q->qts));
            QVERIFY(!r.vas || std::isfinite(*r.vas));
        }
        if (const auto z = design::referenceImpedance(in.re, in.zmax); z.zPrime)
            QVERIFY(std::isfinite(*z.zPrime));
        if (const auto q = design::qFactorsForExit(in))
            QVERIFY(std::isfinite(q->qts));
    }
}

QTEST_GUILESS_MAIN(TestDriverMeasurement)
#include "tst_drivermeasurement.moc"
