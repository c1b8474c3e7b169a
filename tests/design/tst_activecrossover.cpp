// The active crossover sections: the 2-way example to the displayed character
// (the 3-way one is checked through its window), and the refusals that keep
// NaN and infinity out of the fields.
#include "design/activecrossover3.h"

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
    const QStringList rs { "szR=10,000", "szR1=98,820", "szR2=5,640", "szR3=14,368", "szR4=20,000" };
    QTest::newRow("2000 Hz") << 2000.0
                             << rs
            + QStringList { "szC=.003979", "szC1=.001989", "szC2=.001611", "szC3=.028218", "szC4=.011077" };
    // Far out, but every value is a finite Single: shown as it comes.
    QTest::newRow("1e30 Hz") << 1e30 << rs + QStringList { "szC=.", "szC1=.", "szC2=.", "szC3=.", "szC4=." };
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
