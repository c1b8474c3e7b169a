// The closed-box calculations: the worked examples to the displayed
// character, the order of the input checks, and the refusals that keep NaN
// and infinity away from the fields.
#include "core/numberformat.h"
#include "design/closedbox.h"
#include "design/singles.h"
#include "design/workedexamples.h"

#include <QtTest>

using namespace design;

namespace {
QString shown(float value) { return formatNumber(value, kPattern2); }
QString shown(double value) { return formatNumber(value, kPattern2); }

ClosedBoxInputs driver(double qts, double vas, double fs, double qtc, float iso = 1.0f, double typedVb = 0)
{
    ClosedBoxInputs in;
    in.qts = qts;
    in.vas = vas;
    in.fs = fs;
    in.qtc = qtc;
    in.isoFactor = iso;
    in.typedVb = typedVb;
    return in;
}

ClosedBoxInputs driverOf(const worked::Closed& e)
{
    const QStringList& t = e.typed; // szISO, szQts, szVas, szFar, szQd
    return driver(t[1].toDouble(), t[2].toDouble(), t[3].toDouble(), t[4].toDouble(), t[0] == "Y" ? 0.5f : 1.0f);
}
} // namespace

Q_DECLARE_METATYPE(design::ClosedBoxInputs)

class TestClosedBox : public QObject {
    Q_OBJECT
private slots:
    void forVolume_data();
    void forVolume();
    void forVolumeRefusals_data();
    void forVolumeRefusals();
    void forQtc_data();
    void forQtc();
    void forQtcRefusals_data();
    void forQtcRefusals();
    void qtcRangeOnEntry_data();
    void qtcRangeOnEntry();
    void proportionsRoundHalvesToEven_data();
    void proportionsRoundHalvesToEven();
    void proportionsBeyondSixteenBits();
    void toSingleOverflowsToInfinity();
};

void TestClosedBox::forVolume_data() { worked::addRows(worked::kClosed); }

void TestClosedBox::forVolume()
{
    QFETCH(worked::Closed, e);
    const ClosedBoxInputs in = driverOf(e);
    const ClosedBoxResult r = closedBoxForVolume(in, Trigger::Calculate);
    QVERIFY(r.design);
    const ClosedBoxDesign& d = *r.design;
    QVERIFY(qAbs(d.vbCalc - e.vbCalc) < 0.00006f);
    const QStringList texts { shown(d.vbCalc), shown(d.vbOver), shown(d.fc), shown(d.f3), shown(d.box.height),
        shown(d.box.width), shown(d.box.depth) };
    QCOMPARE(texts, e.shown);
    QCOMPARE(d.box.cubicInches, e.cubicInches);
    QCOMPARE(d.qtc, float(in.qtc));
    QCOMPARE(d.f3AboveFc(), e.warns);
    QCOMPARE(r.outcome.messages.size(), e.warns ? 1 : 0);
    if (e.warns)
        QCOMPARE(r.outcome.messages[0], msg::warning("Tuning Frequency is Less Than Low Cutoff"));
    QCOMPARE(r.outcome.focusField, QString("szQts"));
    QVERIFY(!r.outcome.beep);

    // Activation computes the same design without the warning or a focus.
    const ClosedBoxResult quiet = closedBoxForVolume(in, Trigger::Activation);
    QVERIFY(quiet.design);
    QCOMPARE(quiet.design->fc, d.fc);
    QVERIFY(quiet.outcome.messages.isEmpty());
    QVERIFY(quiet.outcome.focusField.isEmpty());
}

void TestClosedBox::forVolumeRefusals_data()
{
    QTest::addColumn<ClosedBoxInputs>("in");
    QTest::addColumn<int>("trigger");
    QTest::addColumn<QString>("prompt"); // empty: a beep only
    QTest::addColumn<bool>("beeps");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("clearsBoxValid");

    const int calc = int(Trigger::Calculate), act = int(Trigger::Activation);
    const QString range = "Must be between .5 and 1.5";
    QTest::newRow("Qtc .4") << driver(0.35, 2, 30, 0.4) << calc << range << true << "szQd" << false;
    QTest::newRow("Qtc 1.6") << driver(0.35, 2, 30, 1.6) << calc << range << true << "szQd" << false;
    QTest::newRow("Qtc .4 range before missing Qts")
        << driver(0, 2, 30, 0.4) << calc << range << true << "szQd" << false;
    QTest::newRow("Qtc 1.6 on activation") << driver(0.35, 2, 30, 1.6) << act << range << false << "" << false;
    QTest::newRow("Qts missing") << driver(0, 2, 30, 0.707) << calc << "" << true << "szQts" << false;
    QTest::newRow("Vas negative") << driver(0.35, -2, 30, 0.707) << calc << "" << true << "szQts" << false;
    QTest::newRow("Fs missing on activation") << driver(0.35, 2, 0, 0.707) << act << "" << false << "" << false;
    QTest::newRow("Qtc equal to Qts") << driver(0.7, 2, 30, 0.7) << calc << "Qts Must be Less Than Qtc" << true
                                      << "szQd" << true;
    QTest::newRow("Qts above Qtc on activation")
        << driver(0.9, 2, 30, 0.7) << act << "Qts Must be Less Than Qtc" << false << "" << true;
    // .0022 cubic feet shows as "." and would leave Fc undefined.
    QTest::newRow("volume shows as point") << driver(0.3, 0.01, 30, 0.707) << calc
                                           << "Box Volume Below .005 Cubic Feet: Check Vas" << true << "szVas" << false;
    QTest::newRow("volume shows as point on activation")
        << driver(0.3, 0.01, 30, 0.707) << act << "Box Volume Below .005 Cubic Feet: Check Vas" << false << "szVas"
        << false;
    QTest::newRow("volume beyond Single")
        << driver(0.7, 3e38, 30, 0.7000001) << calc << "Result Out of Range: Check Qts, Vas and Free Air Resonance"
        << true << "szQts" << false;
}

void TestClosedBox::forVolumeRefusals()
{
    QFETCH(ClosedBoxInputs, in);
    QFETCH(int, trigger);
    QFETCH(QString, prompt);
    QFETCH(bool, beeps);
    QFETCH(QString, focus);
    QFETCH(bool, clearsBoxValid);

    const ClosedBoxResult r = closedBoxForVolume(in, Trigger(trigger));
    QVERIFY(!r.design);
    QCOMPARE(r.clearsBoxValid, clearsBoxValid);
    QCOMPARE(r.outcome.focusField, focus);
    if (prompt.isEmpty()) {
        QVERIFY(r.outcome.messages.isEmpty());
        QCOMPARE(r.outcome.beep, beeps);
    } else {
        QVERIFY(!r.outcome.beep);
        QCOMPARE(r.outcome.messages.size(), 1);
        QCOMPARE(r.outcome.messages[0], msg::error(prompt, beeps));
    }
}

void TestClosedBox::forQtc_data() { worked::addRows(worked::kClosedForQtc); }

void TestClosedBox::forQtc()
{
    QFETCH(worked::ClosedForQtc, e);
    ClosedBoxInputs in = driverOf(worked::kClosed[0]);
    in.qtc = 0;
    in.typedVb = e.typedVb.toDouble();
    const ClosedBoxResult r = closedBoxForQtc(in);
    QVERIFY(r.design);
    QVERIFY(qAbs(r.design->qtc - e.qtc) < 0.0001f);
    QCOMPARE(r.design->vbCalc, float(in.typedVb));
    QCOMPARE((QStringList { shown(r.design->vbCalc), shown(r.design->fc), shown(r.design->f3) }), e.shown);
    QCOMPARE(r.outcome.messages.size(), e.warns ? 1 : 0);
    QCOMPARE(r.outcome.focusField, QString("szQts"));
}

void TestClosedBox::forQtcRefusals_data()
{
    QTest::addColumn<ClosedBoxInputs>("in");
    QTest::addColumn<QString>("prompt"); // empty: a beep only
    QTest::addColumn<QString>("focus");

    QTest::newRow("no volume") << driver(0.35, 2, 30, 0.7, 1.0f, 0) << ""
                               << "szQts";
    QTest::newRow("no Fs") << driver(0.35, 2, 0, 0.7, 1.0f, 0.65) << ""
                           << "szQts";
    QTest::newRow("large box, Qtc below .5") << driver(0.35, 2, 30, 0.7, 1.0f, 10) << "Box Must be Smaller"
                                             << "szQd";
    QTest::newRow("small box, Qtc above 1.5") << driver(0.35, 2, 30, 0.7, 1.0f, 0.1) << "Box Must be Larger"
                                              << "szQd";
    QTest::newRow("volume shows as point")
        << driver(0.6, 0.001, 30, 0.7, 1.0f, 0.004) << "Box Volume Must be at Least .005 Cubic Feet"
        << "szVcb";
    QTest::newRow("volume below the Single range")
        << driver(0.6, 0.001, 30, 0.7, 1.0f, 1e-50) << "Box Volume Must be at Least .005 Cubic Feet"
        << "szVcb";
    QTest::newRow("proportions beyond Single")
        << driver(0.6, 1, 30, 0.7, 1.0f, 3e38) << "Result Out of Range: Check Box Volume"
        << "szVcb";
}

void TestClosedBox::forQtcRefusals()
{
    QFETCH(ClosedBoxInputs, in);
    QFETCH(QString, prompt);
    QFETCH(QString, focus);

    const ClosedBoxResult r = closedBoxForQtc(in);
    QVERIFY(!r.design);
    QVERIFY(!r.clearsBoxValid);
    QCOMPARE(r.outcome.focusField, focus);
    if (prompt.isEmpty()) {
        QVERIFY(r.outcome.beep);
        QVERIFY(r.outcome.messages.isEmpty());
    } else {
        QVERIFY(!r.outcome.beep);
        QCOMPARE(r.outcome.messages, QVector<Message> { msg::error(prompt, false) });
    }
}

void TestClosedBox::qtcRangeOnEntry_data()
{
    QTest::addColumn<double>("qtc");
    QTest::addColumn<bool>("complains");
    QTest::newRow(".5 inclusive") << 0.5 << false;
    QTest::newRow("1.5 inclusive") << 1.5 << false;
    QTest::newRow(".4") << 0.4 << true;
    QTest::newRow("1.6") << 1.6 << true;
    QTest::newRow("cleared") << 0.0 << true;
}

void TestClosedBox::qtcRangeOnEntry()
{
    QFETCH(double, qtc);
    QFETCH(bool, complains);
    const Outcome o = desiredQtcOnEntry(qtc);
    QCOMPARE(o.messages.size(), complains ? 1 : 0);
    if (complains) {
        QCOMPARE(o.messages[0], msg::error("Must be between .5 and 1.5", true));
        QCOMPARE(o.focusField, QString("szQd"));
    }
}

void TestClosedBox::proportionsRoundHalvesToEven_data()
{
    QTest::addColumn<double>("cubicInches");
    QTest::addColumn<double>("rounded");
    QTest::newRow("1122.5 down to even") << 1122.5 << 1122.0;
    QTest::newRow("1123.5 up to even") << 1123.5 << 1124.0;
    QTest::newRow("1122.75 up") << 1122.75 << 1123.0;
    QTest::newRow("0.5 to 0") << 0.5 << 0.0;
}

void TestClosedBox::proportionsRoundHalvesToEven()
{
    QFETCH(double, cubicInches);
    QFETCH(double, rounded);
    QCOMPARE(roundHalfEven(cubicInches), rounded);
    // Through a volume in cubic feet whose Single product is that number.
    const float volume = float(cubicInches / 1728);
    QCOMPARE(float(double(volume) * 1728), float(cubicInches));
    QCOMPARE(boxProportions(volume).cubicInches, rounded);
}

void TestClosedBox::proportionsBeyondSixteenBits()
{
    // 20 cubic feet are 34560 cubic inches, beyond a 16-bit count.
    const BoxProportions box = boxProportions(20.0f);
    QCOMPARE(box.cubicInches, 34560.0);
    QCOMPARE(shown(box.width), QString("32.56"));
    QCOMPARE(shown(box.height), QString("52.75"));
}

void TestClosedBox::toSingleOverflowsToInfinity()
{
    QCOMPARE(toSingle(1e39), std::numeric_limits<float>::infinity());
    QCOMPARE(toSingle(-1e39), -std::numeric_limits<float>::infinity());
    QCOMPARE(toSingle(double(std::numeric_limits<float>::max())), std::numeric_limits<float>::max());
    QCOMPARE(toSingle(0.1), 0.1f);
}

QTEST_APPLESS_MAIN(TestClosedBox)
#include "tst_closedbox.moc"
