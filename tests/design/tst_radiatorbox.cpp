// The passive-radiator table design: the worked examples to the displayed
// character, the row chosen at every boundary and the refusals the window
// table (tests/ui/tst_frmRadiator.cpp) does not reach, above all those that
// keep NaN and infinity away from the fields.
#include "core/numberformat.h"
#include "design/radiatorbox.h"
#include "design/singles.h"
#include "design/workedexamples.h"

#include <QtTest>

using namespace design;

namespace {
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
    void workedExamples_data();
    void workedExamples();
    void rowAtBoundaries_data();
    void rowAtBoundaries();
    void refusals_data();
    void refusals();
};

void TestRadiatorBox::workedExamples_data() { worked::addRows(worked::kRadiator); }

void TestRadiatorBox::workedExamples()
{
    QFETCH(worked::Radiator, e);
    const QStringList& t = e.typed; // szISO, szQts, szVas, szVd
    const RadiatorInputs in = driver(t[1].toDouble(), t[2].toDouble(), 30, t[3].toDouble(), t[0] == "Y" ? 0.5f : 1.0f);
    const RadiatorResult r = radiatorDesign(in, Trigger::Calculate);
    QVERIFY(r.design && r.design->vpr);
    const RadiatorDesign& d = *r.design;
    const auto shown = [](auto value) { return formatNumber(value, kPattern2); };
    QCOMPARE((QStringList { shown(*d.vpr), shown(d.fb), shown(d.f3), shown(d.vb), shown(d.overVolume),
                 shown(d.box.height), shown(d.box.width), shown(d.box.depth) }),
        e.shown);
    QCOMPARE(r.outcome.messages,
        e.warns ? QVector<Message> { msg::warning("Tuning Frequency is Less Than Low Cutoff") } : QVector<Message> {});
}

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

void TestRadiatorBox::refusals_data()
{
    QTest::addColumn<RadiatorInputs>("in");
    QTest::addColumn<int>("trigger");
    QTest::addColumn<QVector<Message>>("messages");
    QTest::addColumn<bool>("beep");
    QTest::addColumn<QString>("focus");

    const int calc = int(Trigger::Calculate), act = int(Trigger::Activation);
    const QString big = "Result Out of Range: Check Vas, Free Air Resonance and Displacement Volume";
    const QVector<Message> none, range { rangeMessage() }, refused { msg::error(big, true) };
    QTest::newRow("Qts empty") << driver(0) << calc << range << false << "szQts";
    QTest::newRow("Fs negative") << driver(0.4, 2, -30) << calc << none << true << "szQts";
    QTest::newRow("Fs empty on activation") << driver(0.4, 2, 0) << act << none << false << "";
    QTest::newRow("Vas 1e38") << driver(0.4, 1e38) << calc << refused << false << "szQts";
    QTest::newRow("Fs 3e38") << driver(0.4, 2, 3e38) << calc << refused << false << "szQts";
    QTest::newRow("Vd 3e38") << driver(0.4, 2, 30, 3e38) << act << QList { msg::error(big) } << false << "";
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
