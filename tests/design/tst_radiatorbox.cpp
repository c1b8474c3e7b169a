// The passive-radiator table design: the worked examples to the displayed
// character, the row chosen at every boundary, and the refusals that keep
// NaN and infinity away from the fields.
#include "core/numberformat.h"
#include "design/radiatorbox.h"
#include "design/singles.h"

#include <QtTest>

using namespace design;

namespace {
QString shown(float value) { return formatNumber(value, kPattern2); }
QString shown(double value) { return formatNumber(value, kPattern2); }

RadiatorInputs driver(double qts, double vas = 2, double fs = 30, double vd = 1.6, float iso = 1.0f)
{
    return { qts, vas, fs, vd, iso };
}

Message rangeMessage()
{
    Message m = msg::error("Qts Must be Between .2 and .44");
    m.icon = MsgIcon::Stop;
    return m;
}
} // namespace

Q_DECLARE_METATYPE(design::RadiatorInputs)

class TestRadiatorBox : public QObject {
    Q_OBJECT
private slots:
    void rowAtBoundaries_data();
    void rowAtBoundaries();
    void design_data();
    void design();
    void refusals_data();
    void refusals();
};

void TestRadiatorBox::rowAtBoundaries_data()
{
    QTest::addColumn<double>("qts");
    QTest::addColumn<double>("from"); // -1: no row
    QTest::newRow(".2") << 0.2 << 0.20;
    QTest::newRow(".30") << 0.30 << 0.30; // 0.2 + 0.01 * 10 would miss it
    QTest::newRow(".29999") << 0.29999 << 0.29;
    QTest::newRow(".339") << 0.339 << 0.33;
    QTest::newRow(".345") << 0.345 << 0.34;
    QTest::newRow(".35") << 0.35 << 0.35;
    QTest::newRow(".44") << 0.44 << 0.44;
    QTest::newRow(".19") << 0.19 << -1.0;
    QTest::newRow(".45") << 0.45 << -1.0;
}

void TestRadiatorBox::rowAtBoundaries()
{
    QFETCH(double, qts);
    QFETCH(double, from);
    const std::optional<RadiatorRow> row = radiatorRow(qts);
    QCOMPARE(row.has_value(), from >= 0);
    if (row)
        QCOMPARE(row->qtsFrom, from);
}

void TestRadiatorBox::design_data()
{
    QTest::addColumn<RadiatorInputs>("in");
    QTest::addColumn<QStringList>("texts"); // Vpr, Fb, F3, Vb, 10 % over, H, W, D
    QTest::addColumn<double>("cubicInches");
    QTest::addColumn<bool>("warns");

    QTest::newRow("worked example") << driver(0.4)
                                    << QStringList { "4.98", "36.9", "35.7", "1.42", "1.56", "21.84", "13.48", "8.36" }
                                    << 2451.0 << false;
    QTest::newRow("isobaric pair") << driver(0.4, 2, 30, 1.6, 0.5f)
                                   << QStringList { "4.98", "36.9", "35.7", ".71", ".78", "17.33", "10.7", "6.63" }
                                   << 1226.0 << false;
    QTest::newRow("Qts .3 warns") << driver(0.3)
                                  << QStringList { "3.58", "46.8", "50.1", ".65", ".71", "16.83", "10.39", "6.44" }
                                  << 1122.0 << true;
    QTest::newRow("Qts .44, last row") << driver(
        0.44) << QStringList { "5.41", "33.9", "32.4", "1.94", "2.14", "24.25", "14.97", "9.28" }
                                       << 3355.0 << false;
    QTest::newRow("Qts .2, first row") << driver(0.2)
                                       << QStringList { "2.9", "63.", "79.5", ".24", ".27", "12.14", "7.49", "4.65" }
                                       << 421.0 << true;
}

void TestRadiatorBox::design()
{
    QFETCH(RadiatorInputs, in);
    QFETCH(QStringList, texts);
    QFETCH(double, cubicInches);
    QFETCH(bool, warns);

    const RadiatorResult r = radiatorDesign(in, Trigger::Calculate);
    QVERIFY(r.design);
    const RadiatorDesign& d = *r.design;
    QVERIFY(d.vpr);
    QCOMPARE((QStringList { shown(*d.vpr), shown(d.fb), shown(d.f3), shown(d.vb), shown(d.overVolume),
                 shown(d.box.height), shown(d.box.width), shown(d.box.depth) }),
        texts);
    QCOMPARE(d.box.cubicInches, cubicInches);
    QCOMPARE(r.outcome.messages,
        warns ? QVector<Message> { msg::warning("Tuning Frequency is Less Than Low Cutoff") } : QVector<Message> {});
    QCOMPARE(r.outcome.focusField, QString("szQts"));

    // The activation design shows the same and never warns.
    const RadiatorResult quiet = radiatorDesign(in, Trigger::Activation);
    QVERIFY(quiet.design);
    QCOMPARE(quiet.design->vb, d.vb);
    QVERIFY(quiet.outcome.messages.isEmpty());

    // Without a displacement volume szVpr keeps its text; the rest is designed.
    in.vd = 0;
    const RadiatorResult noVd = radiatorDesign(in, Trigger::Calculate);
    QVERIFY(noVd.design);
    QVERIFY(!noVd.design->vpr);
    QCOMPARE(noVd.design->fb, d.fb);
}

void TestRadiatorBox::refusals_data()
{
    QTest::addColumn<RadiatorInputs>("in");
    QTest::addColumn<int>("trigger");
    QTest::addColumn<QVector<Message>>("messages");
    QTest::addColumn<bool>("beep");
    QTest::addColumn<QString>("focus");

    const int calc = int(Trigger::Calculate), act = int(Trigger::Activation);
    const QVector<Message> range { rangeMessage() };
    const QString big = "Result Out of Range: Check Vas, Free Air Resonance and Displacement Volume";
    QTest::newRow(".441") << driver(0.441) << calc << range << false << "szQts";
    QTest::newRow(".19") << driver(0.19) << calc << range << false << "szQts";
    QTest::newRow("Qts empty") << driver(0) << calc << range << false << "szQts";
    QTest::newRow(".441 on activation") << driver(0.441) << act << range << false << "";
    QTest::newRow("Vas empty") << driver(0.4, 0) << calc << QVector<Message> {} << true << "szQts";
    QTest::newRow("Fs negative") << driver(0.4, 2, -30) << calc << QVector<Message> {} << true << "szQts";
    QTest::newRow("Fs empty on activation") << driver(0.4, 2, 0) << act << QVector<Message> {} << false << "";
    QTest::newRow("Vas 1e38") << driver(0.4, 1e38) << calc << QVector<Message> { msg::error(big, true) } << false
                              << "szQts";
    QTest::newRow("Fs 3e38") << driver(0.4, 2, 3e38) << calc << QVector<Message> { msg::error(big, true) } << false
                             << "szQts";
    QTest::newRow("Vd 3e38") << driver(0.4, 2, 30, 3e38) << act << QVector<Message> { msg::error(big) } << false << "";
}

void TestRadiatorBox::refusals()
{
    QFETCH(RadiatorInputs, in);
    QFETCH(int, trigger);
    QFETCH(QVector<Message>, messages);
    QFETCH(bool, beep);
    QFETCH(QString, focus);

    const RadiatorResult r = radiatorDesign(in, Trigger(trigger));
    QVERIFY(!r.design);
    QCOMPARE(r.outcome.messages, messages);
    QCOMPARE(r.outcome.beep, beep);
    QCOMPARE(r.outcome.focusField, focus);
}

QTEST_MAIN(TestRadiatorBox)
#include "tst_radiatorbox.moc"
