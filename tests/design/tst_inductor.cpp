// The inductor design: the worked coils as the fields show them, the wire
// table and its boundaries, the take-over rows by coilSource, and the inputs
// that give no coil.
#include "core/numberformat.h"
#include "design/inductor.h"

#include <QtTest>

using namespace design;

namespace {
// D, H, N and the gauge as the window shows them.
QStringList shown(const CoilDesign& coil)
{
    return { formatNumber(coil.diameter, kCoilDPattern), formatNumber(coil.height, kCoilHPattern),
        formatNumber(coil.turns, kCoilNPattern), gaugeText(coil.gauge) };
}
} // namespace

class TestInductor : public QObject {
    Q_OBJECT
private slots:
    void coilForResistance_data();
    void coilForResistance();
    void coilForDriver();
    void wireTable();
    void gaugeAtAndAroundTableEntries_data();
    void gaugeAtAndAroundTableEntries();
    void takeOverRows_data();
    void takeOverRows();
};

void TestInductor::coilForResistance_data()
{
    QTest::addColumn<double>("mH");
    QTest::addColumn<double>("ohms");
    QTest::addColumn<QStringList>("texts"); // empty: no coil
    QTest::addColumn<double>("wire");

    QTest::newRow("1 mH, .4 ohm") << 1.0 << 0.4 << QStringList { "1.34", ".669", "152.4", " 16" } << 0.0456;
    QTest::newRow("10 mH, .5 ohm") << 10.0 << 0.5 << QStringList { "3.78", "1.892", "286.5", " 10" } << 0.0940;
    QTest::newRow("thicker than gauge 10") << 10.0 << 0.1 << QStringList { "8.46", "4.23", "191.6", " ****" } << 0.257;
    QTest::newRow("no resistance") << 1.0 << 0.0 << QStringList {} << 0.0;
    QTest::newRow("negative inductance") << -1.0 << 0.4 << QStringList {} << 0.0;
    QTest::newRow("R 1e-40 gives no finite coil") << 1.0 << 1e-40 << QStringList {} << 0.0;
    QTest::newRow("L 1e30, R 1e-40") << 1e30 << 1e-40 << QStringList {} << 0.0;
    QTest::newRow("L 1e-40 gives no finite coil") << 1e-40 << 1e30 << QStringList {} << 0.0;
    QTest::newRow("L below a Single") << 1e-50 << 0.4 << QStringList {} << 0.0;
}

void TestInductor::coilForResistance()
{
    QFETCH(double, mH);
    QFETCH(double, ohms);
    QFETCH(QStringList, texts);
    QFETCH(double, wire);
    const auto coil = design::coilForResistance(mH, ohms);
    QCOMPARE(coil.has_value(), !texts.isEmpty());
    if (!coil)
        return;
    QCOMPARE(shown(*coil), texts);
    QVERIFY(qAbs(coil->wire - wire) < 0.0005);
}

void TestInductor::coilForDriver()
{
    // L1 of a 2 kHz 2-way 6 dB crossover for an 8-ohm woofer.
    const auto coil = design::coilForDriver(0.637, 8);
    QVERIFY(coil);
    QCOMPARE(shown(*coil), (QStringList { "1.07", ".534", "136.1", " 18" }));
    QCOMPARE(formatNumber(allowedResistance(8), kCoilRPattern), QString(".4"));
    QVERIFY(!design::coilForDriver(0.637, 0));
}

void TestInductor::wireTable()
{
    QCOMPARE(kWireTable.size(), size_t(17));
    for (size_t i = 0; i < kWireTable.size(); ++i) {
        QCOMPARE(kWireTable[i].awg, std::int16_t(26 - int(i)));
        if (i > 0)
            QVERIFY(kWireTable[i].diameter > kWireTable[i - 1].diameter);
    }
    QCOMPARE(kWireTable[2].diameter, 0.021f);
}

void TestInductor::gaugeAtAndAroundTableEntries_data()
{
    QTest::addColumn<float>("diameter");
    QTest::addColumn<int>("gauge");
    QTest::newRow("thinner than 26") << 0.001f << 26;
    QTest::newRow("exactly 26") << 0.01594f << 26;
    QTest::newRow("just above 26") << 0.016f << 25;
    QTest::newRow("exactly 24") << 0.021f << 24;
    QTest::newRow(".0201 is gauge 24") << 0.0201f << 24;
    QTest::newRow("exactly 16") << 0.05082f << 16;
    QTest::newRow("exactly 10") << 0.1019f << 10;
    QTest::newRow("above 10") << 0.102f << 0;
}

void TestInductor::gaugeAtAndAroundTableEntries()
{
    QFETCH(float, diameter);
    QFETCH(int, gauge);
    QCOMPARE(int(wireGaugeFor(diameter)), gauge);
}

void TestInductor::takeOverRows_data()
{
    QTest::addColumn<int>("coilSource");
    QTest::addColumn<QStringList>("rows"); // "row:L/Rd"
    QTest::newRow("2-way 6 dB") << 1 << QStringList { "1:1/8" };
    QTest::newRow("2-way 12 dB, 3-way 6 dB") << 2 << QStringList { "1:1/8", "2:2/6" };
    QTest::newRow("3") << 3 << QStringList { "1:1/8", "2:2/6", "3:3/4" };
    QTest::newRow("3-way 12 dB") << 4 << QStringList { "1:1/8", "2:2/6", "3:3/4", "4:4/4" };
    QTest::newRow("6") << 6 << QStringList { "1:1/8", "2:2/6" };
    QTest::newRow("main window") << 7 << QStringList {};
}

void TestInductor::takeOverRows()
{
    QFETCH(int, coilSource);
    QFETCH(QStringList, rows);
    DesignState state;
    state.xoverL1 = 1;
    state.xoverL2 = 2;
    state.xoverL3 = 3;
    state.xoverL4 = 4;
    state.xoverRl = 8; // woofer
    state.xoverRh = 6; // tweeter
    state.xoverRm = 4; // mid-range
    QStringList taken;
    for (const CoilTakeOver& take : coilsToTakeOver(std::int16_t(coilSource), state))
        taken << QStringLiteral("%1:%2/%3").arg(take.row).arg(take.milliHenry).arg(take.driverOhms);
    QCOMPARE(taken, rows);
}

QTEST_APPLESS_MAIN(TestInductor)
#include "tst_inductor.moc"
