// The bandpass calculations: the coil left out, the wide Fs/Qts ratio, the
// refusals that keep NaN and infinity out (Fs missing, Qts above the fitted
// Qtc, results beyond a Single) and Pa recomputed for a loaded design. The
// worked example, the isobaric pair and the warning are checked through the
// window (tests/ui/tst_FrmBand.cpp).
#include "core/numberformat.h"
#include "design/bandpassbox.h"
#include "design/singles.h"

#include <QtTest>

using namespace design;

namespace {
BandpassInputs driver(double qts, double vas, double fs, double fl3, double re = 8, float iso = 1.0f)
{
    BandpassInputs in;
    in.qts = qts;
    in.vas = vas;
    in.fs = fs;
    in.fl3 = fl3;
    in.re = re;
    in.isoFactor = iso;
    return in;
}

// Fh3, Vs, Vf, Fb, Pa, coil, Fs/Qts: the texts the window shows.
QStringList resultTexts(const BandpassDesign& d)
{
    return { formatNumber(d.fh3, kPattern2), formatNumber(d.sealedVb, kPattern2), formatNumber(d.ventedVb, kPattern2),
        formatNumber(d.fb, kPattern2), formatNumber(d.pa, kPattern2),
        d.coil ? formatNumber(*d.coil, kPattern3) : QString("none"), d.fsQtsText };
}

QStringList portTexts(const PortLengths& ports)
{
    QStringList texts;
    for (float length : ports)
        texts << portLengthText(length);
    return texts;
}

const QString kOutOfRange = "Result Out of Range: Check Qts, Vas, Free Air Resonance and Low Frequency Cutoff";
} // namespace

Q_DECLARE_METATYPE(design::BandpassInputs)

class TestBandpassBox : public QObject {
    Q_OBJECT
private slots:
    void design_data();
    void design();
    void refusals_data();
    void refusals();
    void passbandGainForALoadedDesign();
};

void TestBandpassBox::design_data()
{
    QTest::addColumn<BandpassInputs>("in");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("ports");

    QTest::newRow("no impedance: no coil")
        << driver(0.4, 2, 30, 20, 0) << QStringList { "74.05", "3.1", ".63", "38.49", "-5.74", "none", "75" }
        << QStringList { "N/A", ".73", "1.55", "4.03", "7.65", "18.31", "33.53", "77.64", "139.97" };
    // The 16-bit ratio would overflow here; the field shows the true value.
    QTest::newRow("Fs/Qts 50000") << driver(0.0005, 2, 25, 25000)
                                  << QStringList { "61030.", ".", ".", "39060.46", "1.55", ".021", "50000" }
                                  << QStringList { "N/A", "N/A", ".68", "2.09", "4.2", "10.55", "19.72", "46.57",
                                         "84.75" };
}

void TestBandpassBox::design()
{
    QFETCH(BandpassInputs, in);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, ports);

    const BandpassResult r = bandpassDesign(in, Trigger::Calculate);
    QVERIFY(r.design);
    QCOMPARE(resultTexts(*r.design), texts);
    QCOMPARE(portTexts(r.design->ports), ports);
    QVERIFY(r.outcome.messages.isEmpty());
    QCOMPARE(r.outcome.focusField, QString("szQtsb"));
    QVERIFY(!r.clearsResults && !r.withdrawsDesign);
}

void TestBandpassBox::refusals_data()
{
    QTest::addColumn<BandpassInputs>("in");
    QTest::addColumn<int>("trigger");
    QTest::addColumn<QVector<Message>>("messages");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("clears");
    QTest::addColumn<bool>("withdraws");

    const int calc = int(Trigger::Calculate), open = int(Trigger::Activation);
    const QString fsMissing = "Free Air Resonance (Fs) Must be Greater Than 0";
    const QString equal = "Qts Can Not Equal Resonant Frequency";
    const QString tooHigh = "Driver Not Acceptable Qts to High";
    const QVector<Message> none;
    QTest::newRow("Qts empty") << driver(0, 2, 25, 25) << calc << none << "szQtsb" << false << false;
    QTest::newRow("Fl3 negative") << driver(0.5, 2, 25, -25) << calc << none << "szQtsb" << false << false;
    QTest::newRow("Fs empty") << driver(0.5, 2, 0, 25) << calc << QVector { msg::error(fsMissing, true) } << "szFarb"
                              << false << false;
    QTest::newRow("Fs negative") << driver(0.5, 2, -25, 25) << calc << QVector { msg::error(fsMissing, true) }
                                 << "szFarb" << false << false;
    QTest::newRow("Fs equal to Qts") << driver(0.5, 2, 0.5, 25) << calc << QVector { msg::error(equal, true) }
                                     << "szQtsb" << false << false;
    QTest::newRow("Fs equal to Qts, opening")
        << driver(0.5, 2, 0.5, 25) << open << QVector { msg::error(equal) } << "" << false << false;
    QTest::newRow("Qts above Qtc") << driver(0.5, 2, 25, 5) << calc << QVector { msg::error(tooHigh, true) } << "szQtsb"
                                   << true << false;
    QTest::newRow("Qts above Qtc, opening") << driver(0.5, 2, 25, 5) << open << none << "" << true << false;
    QTest::newRow("Qts 1e-30") << driver(1e-30, 2, 25, 25) << calc << QVector { msg::error(kOutOfRange, true) }
                               << "szQtsb" << false << true;
    QTest::newRow("Fl3 1e30") << driver(0.5, 2, 25, 1e30) << calc << QVector { msg::error(kOutOfRange, true) }
                              << "szQtsb" << false << true;
    QTest::newRow("Fl3 3e38, Fs 1e-38") << driver(0.5, 2, 1e-38, 3e38) << calc
                                        << QVector { msg::error(kOutOfRange, true) } << "szQtsb" << false << true;
    QTest::newRow("Re 3e38") << driver(0.5, 2, 25, 25, 3e38) << open << QVector { msg::error(kOutOfRange) } << ""
                             << false << true;
}

void TestBandpassBox::refusals()
{
    QFETCH(BandpassInputs, in);
    QFETCH(int, trigger);
    QFETCH(QVector<Message>, messages);
    QFETCH(QString, focus);
    QFETCH(bool, clears);
    QFETCH(bool, withdraws);

    const BandpassResult r = bandpassDesign(in, Trigger(trigger));
    QVERIFY(!r.design);
    QCOMPARE(r.outcome.messages, messages);
    QVERIFY(!r.outcome.beep);
    QCOMPARE(r.outcome.focusField, focus);
    QCOMPARE(r.clearsResults, clears);
    QCOMPARE(r.withdrawsDesign, withdraws);
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
