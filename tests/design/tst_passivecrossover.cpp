// The passive crossovers: the worked examples to the displayed character, and
// the rules the windows do not reach: which parts each field's edit
// recomputes, the missing inputs, and the refusals that keep overflows out of
// the fields.
#include "design/passivecrossover2.h"
#include "design/passivecrossover3.h"
#include "design/workedexamples.h"

#include <QtTest>
#include <limits>

using namespace design;

namespace {
// "L1=.637 C1=9.9375 ..." in the order computed; "skipped", or "order" with
// the message when one is shown.
QString summary(const XoverRecalc& r)
{
    if (r.status == XoverRecalc::Status::Skipped)
        return QStringLiteral("skipped");
    if (r.status == XoverRecalc::Status::OrderRefused)
        return r.outcome.messages.isEmpty() ? QStringLiteral("order") : QStringLiteral("order message");
    QStringList parts;
    for (const PartValue& p : r.parts)
        parts << partName(p.part) + "=" + partText(p);
    return parts.join(' ');
}

const double kInf = std::numeric_limits<double>::infinity();
} // namespace

Q_DECLARE_METATYPE(design::TwoWayField)
Q_DECLARE_METATYPE(design::ThreeWayField)

class TestPassiveCrossover : public QObject {
    Q_OBJECT
private slots:
    void workedExamples_data();
    void workedExamples();
    void twoWay_data();
    void twoWay();
    void threeWay_data();
    void threeWay();
    void responseModelRefusesOverflow();
};

void TestPassiveCrossover::workedExamples_data()
{
    QTest::addColumn<int>("ways");
    QTest::addColumn<worked::Passive>("e");
    for (const worked::Passive& e : worked::kPassive2)
        QTest::addRow("2-way %s", e.name) << 2 << e;
    for (const worked::Passive& e : worked::kPassive3)
        QTest::addRow("3-way %s", e.name) << 3 << e;
}

void TestPassiveCrossover::workedExamples()
{
    QFETCH(int, ways);
    QFETCH(worked::Passive, e);
    // The low frequency's edit (the 2-way's frequency) recomputes every part.
    const QStringList& t = ways == 2 ? worked::kPassive2Typed : worked::kPassive3Typed;
    const double f = t[0].toDouble(), r = t.last().toDouble();
    const XoverRecalc recalc = ways == 2
        ? twoWayChange(TwoWayField::Frq, { f, r, r, e.is12dB })
        : threeWayChange(ThreeWayField::Frql, { f, t[1].toDouble(), r, r, r, e.is12dB });
    QMap<QString, QString> parts;
    for (const PartValue& p : recalc.parts)
        parts[partName(p.part)] = partText(p);
    const QStringList& names = ways == 2 ? worked::kPassive2Parts : worked::kPassive3Parts;
    QCOMPARE(parts.size(), names.size());
    QStringList shown;
    for (const QString& name : names)
        shown << parts.value(name);
    QCOMPARE(shown, e.shown);
}

void TestPassiveCrossover::twoWay_data()
{
    QTest::addColumn<TwoWayField>("field");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("rl");
    QTest::addColumn<double>("rh");
    QTest::addColumn<bool>("is12dB");
    QTest::addColumn<QString>("shown");

    QTest::newRow("12 dB tweeter") << TwoWayField::Rh << 2000.0 << 8.0 << 4.0 << true << "L2=.637 C1=9.9471";
    QTest::newRow("6 dB tweeter") << TwoWayField::Rh << 2000.0 << 8.0 << 8.0 << false << "C1=9.9375 C2=N/A";
    QTest::newRow("6 dB woofer, no tweeter") << TwoWayField::Rl << 2000.0 << 8.0 << 0.0 << false << "L1=.637 L2=N/A";
    QTest::newRow("frequency needs the tweeter") << TwoWayField::Frq << 2000.0 << 8.0 << 0.0 << true << "skipped";
    QTest::newRow("tweeter needs the woofer") << TwoWayField::Rh << 2000.0 << 0.0 << 8.0 << true << "skipped";
    QTest::newRow("infinite impedance") << TwoWayField::Frq << 2000.0 << kInf << 8.0 << false << "skipped";
    QTest::newRow("1e30 Hz is finite") << TwoWayField::Frq << 1e30 << 8.0 << 8.0 << false << "L1=. L2=N/A C1=. C2=N/A";
}

void TestPassiveCrossover::twoWay()
{
    QFETCH(TwoWayField, field);
    QFETCH(double, f);
    QFETCH(double, rl);
    QFETCH(double, rh);
    QFETCH(bool, is12dB);
    QFETCH(QString, shown);
    QCOMPARE(summary(twoWayChange(field, { f, rl, rh, is12dB })), shown);
}

void TestPassiveCrossover::threeWay_data()
{
    QTest::addColumn<ThreeWayField>("field");
    QTest::addColumn<double>("fh");
    QTest::addColumn<double>("fl");
    QTest::addColumn<double>("rm");
    QTest::addColumn<bool>("is12dB");
    QTest::addColumn<QString>("shown");

    const QString na4 = "L3=N/A C3=N/A L4=N/A C4=N/A";
    QTest::newRow("12 dB tweeter") << ThreeWayField::Rh << 5000.0 << 500.0 << 0.0 << true << "C1=1.9775 L2=.512";
    QTest::newRow("6 dB tweeter") << ThreeWayField::Rh << 5000.0 << 500.0 << 0.0 << false << "C1=3.975 " + na4;
    QTest::newRow("12 dB woofer") << ThreeWayField::Rl << 5000.0 << 500.0 << 0.0 << true << "L1=5.123 C2=19.775";
    QTest::newRow("6 dB woofer") << ThreeWayField::Rl << 5000.0 << 500.0 << 0.0 << false << "L1=2.547 " + na4;
    QTest::newRow("12 dB mid-range") << ThreeWayField::Rm << 5000.0 << 500.0 << 8.0 << true
                                     << "L4=5.207 C3=25.5828 L3=.423 C4=1.7946";
    QTest::newRow("6 dB mid-range") << ThreeWayField::Rm << 5000.0 << 500.0 << 8.0 << false
                                    << "L2=.268 C2=37.7102 " + na4;
    QTest::newRow("frequency needs all five") << ThreeWayField::Frqh << 5000.0 << 500.0 << 0.0 << true << "skipped";
    QTest::newRow("missing frequency before order") << ThreeWayField::Rm << 0.0 << 5000.0 << 8.0 << false << "skipped";
    QTest::newRow("1e-40 Hz overflows") << ThreeWayField::Frqh << 1e-40 << 1e-41 << 8.0 << true << "skipped";
    QTest::newRow("vanishing mid-band") << ThreeWayField::Frqh << 2e-300 << 1e-300 << 8.0 << false << "skipped";
}

void TestPassiveCrossover::threeWay()
{
    QFETCH(ThreeWayField, field);
    QFETCH(double, fh);
    QFETCH(double, fl);
    QFETCH(double, rm);
    QFETCH(bool, is12dB);
    QFETCH(QString, shown);
    // Woofer and tweeter of 8 ohms, except where the rule at hand needs none.
    const double others
        = field == ThreeWayField::Rm || field == ThreeWayField::Frqh || field == ThreeWayField::Frql || rm == 0 ? 8.0
                                                                                                                : 0.0;
    QCOMPARE(summary(threeWayChange(field, { fh, fl, others, rm, others, is12dB })), shown);
}

void TestPassiveCrossover::responseModelRefusesOverflow()
{
    QVERIFY(threeWayResponseModel(5000, 500, 8));
    QVERIFY(!threeWayResponseModel(5000, 1e-40, 8)); // L4 beyond the Single range
}

QTEST_APPLESS_MAIN(TestPassiveCrossover)
#include "tst_passivecrossover.moc"
