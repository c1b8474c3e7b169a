// The active crossover sections: the worked examples to the displayed
// character, and the refusals that keep NaN and infinity out of the fields.
#include "design/activecrossover3.h"
#include "design/workedexamples.h"

#include <QtTest>
#include <cmath> // std::nan

using namespace design;

namespace {
QStringList texts(const QVector<ActiveComponent>& components)
{
    QStringList out;
    for (const ActiveComponent& c : components)
        out << QString::fromLatin1(c.field) + "=" + activeComponentText(c);
    return out;
}

// A worked example's fields as "field=text".
QStringList texts(const worked::Active& e)
{
    QStringList out;
    for (int i = 0; i < e.fields.size(); ++i)
        out << e.fields[i] + "=" + e.shown[i];
    return out;
}
} // namespace

class TestActiveCrossover : public QObject {
    Q_OBJECT
private slots:
    void twoWay_data();
    void twoWay();
    void threeWay();
    void refusals_data();
    void refusals();
};

void TestActiveCrossover::twoWay_data()
{
    QTest::addColumn<double>("f");
    QTest::addColumn<QStringList>("shown");
    const QStringList example = texts(worked::kActive2);
    QTest::newRow("worked example") << worked::kActive2.typed[0].toDouble() << example;
    // Far out, but every value is a finite Single: shown as it comes.
    QTest::newRow("1e30 Hz") << 1e30
                             << example.mid(0, 5) + QStringList { "szC=.", "szC1=.", "szC2=.", "szC3=.", "szC4=." };
}

void TestActiveCrossover::twoWay()
{
    QFETCH(double, f);
    QFETCH(QStringList, shown);
    const std::optional<ActiveTwoWay> d = activeTwoWay(f);
    QVERIFY(d);
    QCOMPARE(texts(d->components()), shown);
    QCOMPARE(d->c1, d->c / 2); // half the stored Single
}

void TestActiveCrossover::threeWay()
{
    const worked::Active& e = worked::kActive3;
    const std::optional<ActiveThreeWay> example = activeThreeWay(e.typed[0].toDouble(), e.typed[1].toDouble());
    QVERIFY(example);
    QCOMPARE(texts(example->components()), texts(e));
    // The low frequency above the high one is designed as given (the window
    // shows no message): the two capacitor sets change places.
    const std::optional<ActiveThreeWay> d = activeThreeWay(5000, 500);
    const std::optional<ActiveThreeWay> swapped = activeThreeWay(500, 5000);
    QVERIFY(d && swapped);
    for (int i : { 5, 6, 7, 8, 9 }) {
        QCOMPARE(activeComponentText(swapped->components()[i]), activeComponentText(d->components()[i + 10]));
        QCOMPARE(activeComponentText(swapped->components()[i + 10]), activeComponentText(d->components()[i]));
    }
}

void TestActiveCrossover::refusals_data()
{
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("low");
    QTest::newRow("zero") << 0.0 << 500.0;
    QTest::newRow("negative") << -2000.0 << 500.0;
    QTest::newRow("low zero") << 5000.0 << 0.0;
    QTest::newRow("capacitors beyond a Single") << 1e-40 << 500.0;
    QTest::newRow("low capacitors beyond a Single") << 5000.0 << 1e-38;
    QTest::newRow("high-pass capacitor below a normal Single") << 1e39 << 500.0;
    QTest::newRow("NaN") << std::nan("") << 500.0;
}

void TestActiveCrossover::refusals()
{
    QFETCH(double, high);
    QFETCH(double, low);
    QVERIFY(!activeThreeWay(high, low));
    QVERIFY(!activeTwoWay(high) || !activeTwoWay(low));
}

QTEST_APPLESS_MAIN(TestActiveCrossover)
#include "tst_activecrossover.moc"
