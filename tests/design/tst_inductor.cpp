// The inductor design below the window: the wire table and the gauge at and
// around its entries, and the inputs that give no finite coil.
#include "design/inductor.h"

#include <QtTest>

using namespace design;

class TestInductor : public QObject {
    Q_OBJECT
private slots:
    void gaugeAtAndAroundTableEntries_data();
    void gaugeAtAndAroundTableEntries();
    void noFiniteCoil_data();
    void noFiniteCoil();
};

void TestInductor::gaugeAtAndAroundTableEntries_data()
{
    QTest::addColumn<float>("diameter");
    QTest::addColumn<int>("gauge");
    QTest::newRow("thinner than 26") << 0.001f << 26;
    QTest::newRow("exactly 26") << 0.01594f << 26;
    QTest::newRow("just above 26") << 0.016f << 25;
    QTest::newRow("exactly 24, .021") << 0.021f << 24;
    QTest::newRow(".0201 is gauge 24") << 0.0201f << 24;
    QTest::newRow("exactly 10") << 0.1019f << 10;
    QTest::newRow("above 10") << 0.102f << 0;
}

void TestInductor::gaugeAtAndAroundTableEntries()
{
    QFETCH(float, diameter);
    QFETCH(int, gauge);
    QCOMPARE(int(wireGaugeFor(diameter)), gauge);
}

void TestInductor::noFiniteCoil_data()
{
    QTest::addColumn<double>("mH");
    QTest::addColumn<double>("ohms");
    QTest::newRow("R 1e-40") << 1.0 << 1e-40;
    QTest::newRow("L below a Single") << 1e-50 << 0.4;
    QTest::newRow("negative L") << -1.0 << 0.4;
}

void TestInductor::noFiniteCoil()
{
    QFETCH(double, mH);
    QFETCH(double, ohms);
    QVERIFY(!coilForResistance(mH, ohms));
    QVERIFY(!coilForDriver(mH, ohms));
}

QTEST_APPLESS_MAIN(TestInductor)
#include "tst_inductor.moc"
