// The bandpass calculations: the worked examples to the displayed character,
// the refusals that keep NaN and infinity out (Fs missing, results beyond a
// Single), the range of the design tables against the alignment's closed
// form, and Pa recomputed for a loaded design. The other designs and
// refusals are checked through the window (tests/ui/tst_FrmBand.cpp).
#include "core/numberformat.h"
#include "design/bandpassbox.h"
#include "design/singles.h"
#include "design/workedexamples.h"

#include <QtTest>
#include <cmath>

using namespace design;

namespace {
BandpassInputs driver(double qts, double vas, double fs, double fl3, double re = 8)
{
    return { qts, vas, fs, fl3, re };
}

const QString kOutOfRange = "Result Out of Range: Check Qts, Vas, Free Air Resonance and Low Frequency Cutoff";
} // namespace

Q_DECLARE_METATYPE(design::BandpassInputs)

class TestBandpassBox : public QObject {
    Q_OBJECT
private slots:
    void workedExamples_data();
    void workedExamples();
    void refusals_data();
    void refusals();
    void designTablesHoldOnlyInTheirRange_data();
    void designTablesHoldOnlyInTheirRange();
    void passbandGainForALoadedDesign();
};

void TestBandpassBox::workedExamples_data() { worked::addRows(worked::kBandpass); }

void TestBandpassBox::workedExamples()
{
    QFETCH(worked::Bandpass, e);
    const QStringList& t = e.typed; // szISOB, szQtsb, szFarb, szFl3, szRdcb
    BandpassInputs in = driver(t[1].toDouble(), 2, t[2].toDouble(), t[3].toDouble(), t[4].toDouble());
    in.isoFactor = t[0] == "Y" ? 0.5f : 1.0f;
    const BandpassResult r = bandpassDesign(in, Trigger::Calculate);
    QVERIFY(r.design);
    const BandpassDesign& d = *r.design;
    QCOMPARE((QStringList { formatNumber(d.fh3, kPattern2), formatNumber(d.sealedVb, kPattern2),
                 formatNumber(d.ventedVb, kPattern2), formatNumber(d.fb, kPattern2), formatNumber(*d.coil, kPattern3),
                 d.fsQtsText, formatNumber(d.pa, kPattern2) }),
        e.shown);
    QStringList ports;
    for (const float length : d.ports)
        ports << portLengthText(length);
    QCOMPARE(ports, e.ports);
    QVERIFY(r.outcome.messages.isEmpty());
}

void TestBandpassBox::refusals_data()
{
    QTest::addColumn<BandpassInputs>("in");
    QTest::addColumn<int>("trigger");
    QTest::addColumn<QVector<Message>>("messages");
    QTest::addColumn<QString>("focus");

    const int calc = int(Trigger::Calculate), open = int(Trigger::Activation);
    const QVector<Message> none, refused { msg::error(kOutOfRange, true) };
    QTest::newRow("Qts empty") << driver(0, 2, 25, 25) << calc << none << "szQtsb";
    QTest::newRow("Fl3 negative") << driver(0.5, 2, 25, -25) << calc << none << "szQtsb";
    QTest::newRow("Fs negative") << driver(0.5, 2, -25, 25) << calc
                                 << QList { msg::error("Free Air Resonance (Fs) Must be Greater Than 0", true) }
                                 << "szFarb";
    QTest::newRow("Fl3 1e30") << driver(0.5, 2, 25, 1e30) << calc << refused << "szQtsb";
    QTest::newRow("Fl3 3e38, Fs 1e-38") << driver(0.5, 2, 1e-38, 3e38) << calc << refused << "szQtsb";
    QTest::newRow("Re 3e38 on opening") << driver(0.5, 2, 25, 25, 3e38) << open << QList { msg::error(kOutOfRange) }
                                        << "";
}

void TestBandpassBox::refusals()
{
    QFETCH(BandpassInputs, in);
    QFETCH(int, trigger);
    QFETCH(QVector<Message>, messages);
    QFETCH(QString, focus);

    const BandpassResult r = bandpassDesign(in, Trigger(trigger));
    QVERIFY(!r.design);
    QCOMPARE(r.outcome.messages, messages);
    QVERIFY(!r.outcome.beep && !r.clearsResults);
    QCOMPARE(r.outcome.focusField, focus);
    // A refusal that says why (Fs missing, a result out of range) withdraws the design shown before.
    QCOMPARE(r.withdrawsDesign, !messages.isEmpty());
}

void TestBandpassBox::designTablesHoldOnlyInTheirRange_data()
{
    QTest::addColumn<double>("x"); // Fl3 Qts / Fs
    QTest::addColumn<bool>("holds"); // within the range: no warning
    QTest::newRow("x .1") << 0.1 << false;
    QTest::newRow("x .19, Pa 1.1 dB off") << 0.19 << false;
    QTest::newRow("x .2") << 0.2 << true;
    QTest::newRow("x .5, the worked example's") << 0.5 << true;
    QTest::newRow("x .85, Pa .9 dB off") << 0.85 << true;
    QTest::newRow("x .86") << 0.86 << false;
    QTest::newRow("x 1, tuning 32 % high") << 1.0 << false;
}

void TestBandpassBox::designTablesHoldOnlyInTheirRange()
{
    QFETCH(double, x);
    QFETCH(bool, holds);
    // Fs / Qts = 100: Fl3 = 100 x. Qts .2 stays below the fitted Qtc for every x here.
    const double qts = 0.2, vas = 2, fs = 20, fl3 = 100 * x;
    const BandpassResult r = bandpassDesign(driver(qts, vas, fs, fl3), Trigger::Calculate);
    QVERIFY(r.design);

    // The closed form of the alignment that the tables were fitted to.
    const double qbp = std::sqrt(x * (x + 0.7206));
    const double fb = qbp * fs / qts, sealed = vas / ((qbp / qts) * (qbp / qts) - 1), pa = 40 * std::log10(1.4 * qbp);
    const bool close = std::abs(r.design->fb / fb - 1) <= 0.05 && std::abs(r.design->sealedVb / sealed - 1) <= 0.05
        && std::abs(r.design->pa - pa) <= 1;
    QCOMPARE(close, holds);

    const Message warning = msg::warning("Low Frequency Cutoff Outside the Design Tables, Results Unreliable: "
                                         "Use a Low Frequency Cutoff Between 19.3 and 85.1 Hz");
    QCOMPARE(r.outcome.messages.contains(warning), !holds);
    QVERIFY(bandpassDesign(driver(qts, vas, fs, fl3), Trigger::Activation).outcome.messages.isEmpty());
}

void TestBandpassBox::passbandGainForALoadedDesign()
{
    DesignState state;
    state.bandQts = 0.5f;
    state.bandFs = 25;
    state.bandFl3 = 25;
    recomputeBandPaAfterLoad(state);
    QVERIFY(qAbs(state.bandPa - 1.5517) < 0.00005);

    state.bandFs = 0; // not allowed: Pa stays as it was
    recomputeBandPaAfterLoad(state);
    QVERIFY(qAbs(state.bandPa - 1.5517) < 0.00005);
    QVERIFY(!passbandGain(0.5, 25, 0));
    QVERIFY(!passbandGain(0.5, 1e-38, 3e38)); // x^8 beyond a double
}

QTEST_MAIN(TestBandpassBox)
#include "tst_bandpassbox.moc"
