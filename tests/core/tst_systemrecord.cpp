// The 374-byte system record: every variable at its offset, the bytes of a
// file written by an independent tool, the round trip bit for bit, and the
// records that must never be loaded.
#include "core/designstate.h"
#include "core/systemrecord.h"

#include <QFile>
#include <QtTest>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Appends little-endian values one after the other, knowing nothing of offsets.
class SequentialWriter {
public:
    void single(float v) { integer32(std::bit_cast<std::uint32_t>(v)); }
    void dbl(double v)
    {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            bytes.append(char((bits >> (8 * i)) & 0xFF));
    }
    void integer(std::int16_t v)
    {
        const auto bits = std::uint16_t(v);
        bytes.append(char(bits & 0xFF));
        bytes.append(char(bits >> 8));
    }
    void text(const Text30& t)
    {
        for (std::uint8_t b : t.bytes())
            bytes.append(char(b));
    }
    QByteArray bytes;

private:
    void integer32(std::uint32_t bits)
    {
        for (int i = 0; i < 4; ++i)
            bytes.append(char((bits >> (8 * i)) & 0xFF));
    }
};

// Every saved variable gets its own value, so a swapped or shifted field shows.
DesignState distinctState()
{
    DesignState s;
    float next = 1.25f;
    auto v = [&next] {
        next += 1.0f;
        return next;
    };
    s.xoverFreq = v();
    s.xoverFreqLow = v();
    s.xoverRl = v();
    s.xoverRm = v();
    s.xoverRh = v();
    s.xoverC1 = v();
    s.xoverC2 = v();
    s.xoverC3 = v();
    s.xoverC4 = v();
    s.xoverSpareC = { v(), v() };
    s.xoverL1 = v();
    s.xoverL2 = v();
    s.xoverL3 = v();
    s.xoverL4 = v();
    s.xoverL5 = v();
    s.xoverL6 = v();
    s.xoverType = 3;
    s.netLe = v();
    s.netFs = v();
    s.netRe = v();
    s.qms = v();
    s.qes = v();
    s.netName = QStringLiteral("Net name");
    s.bandRe = v();
    s.bandQts = v();
    s.bandFb = v();
    s.bandFh3 = v();
    s.bandFl3 = v();
    s.bandVas = v();
    s.bandVentedVb = v();
    s.ventedValid = 1;
    s.bandValid = -2;
    s.bandIsoFactor = v();
    s.bandFl3Input = 1.0 / 3.0;
    s.bandFh3Calc = v();
    s.bandFs = v();
    s.bandCoilL = v();
    s.bandWooferName = QStringLiteral("Band woofer ");
    s.radiatorVd = v();
    s.radiatorVpr = v();
    s.closedVbCalc = v();
    s.closedVb = v();
    s.bandSealedVb = v();
    s.closedFc = v();
    s.ventedFb = v();
    s.isoFactor = v();
    s.vas = v();
    s.closedQtc = v();
    s.closedQtcCalc = v();
    s.qts = v();
    s.boxValid = 7;
    s.fs = v();
    s.ventedVb = v();
    s.boxType = -1;
    s.boxHeight = v();
    s.boxWidth = v();
    s.coilHeight = v();
    s.ventedF3 = v();
    s.boxDepth = v();
    s.driverName = QStringLiteral("Driver \u20ac");
    s.re = v();
    s.measFs = v();
    s.measDriverName = QStringLiteral("  Measured  ");
    s.measZres = v();
    s.measF1 = v();
    s.measF2 = v();
    s.testBoxVolume = v();
    s.testBoxFc = v();
    return s;
}

// The record as the file format describes it, written field after field.
QByteArray independentRecord(const DesignState& s)
{
    SequentialWriter w;
    for (float f :
        { s.xoverFreq, s.xoverFreqLow, s.xoverRl, s.xoverRm, s.xoverRh, s.xoverC1, s.xoverC2, s.xoverC3, s.xoverC4,
            s.xoverSpareC[0], s.xoverSpareC[1], s.xoverL1, s.xoverL2, s.xoverL3, s.xoverL4, s.xoverL5, s.xoverL6 })
        w.single(f);
    w.integer(s.xoverType);
    for (float f : { s.netLe, s.netFs, s.netRe, s.qms, s.qes })
        w.single(f);
    w.text(s.netName);
    for (float f : { s.bandRe, s.bandQts, s.bandFb, s.bandFh3, s.bandFl3, s.bandVas, s.bandVentedVb })
        w.single(f);
    w.integer(s.ventedValid);
    w.integer(s.bandValid);
    w.single(s.bandIsoFactor);
    w.dbl(s.bandFl3Input);
    for (float f : { s.bandFh3Calc, s.bandFs, s.bandCoilL })
        w.single(f);
    w.text(s.bandWooferName);
    for (float f : { s.radiatorVd, s.radiatorVpr, s.closedVbCalc, s.closedVb, s.bandSealedVb, s.closedFc, s.ventedFb,
             s.isoFactor, s.vas, s.closedQtc, s.closedQtcCalc, s.qts })
        w.single(f);
    w.integer(s.boxValid);
    w.single(s.fs);
    w.single(s.ventedVb);
    w.integer(s.boxType);
    for (float f : { s.boxHeight, s.boxWidth, s.coilHeight, s.ventedF3, s.boxDepth })
        w.single(f);
    w.text(s.driverName);
    w.single(s.re);
    w.single(s.measFs);
    w.text(s.measDriverName);
    for (float f : { s.measZres, s.measF1, s.measF2, s.testBoxVolume, s.testBoxFc })
        w.single(f);
    return w.bytes;
}

QByteArray toBytes(const SystemRecord& record)
{
    return QByteArray(reinterpret_cast<const char*>(record.data()), int(record.size()));
}

SystemRecord fromBytes(const QByteArray& bytes)
{
    SystemRecord record {};
    std::memcpy(record.data(), bytes.constData(), record.size());
    return record;
}

} // namespace

class TestSystemRecord : public QObject {
    Q_OBJECT
private slots:
    void matchesAnIndependentlyWrittenRecord();
    void readsTheReferenceFile();
    void roundTripIsBitForBit();
    void textsAreWindows1252AndNeverAssignedIsZeros();
    void decodingLeavesUnsavedVariablesAlone();
    void refusesNonFiniteNumbers_data();
    void refusesNonFiniteNumbers();
};

void TestSystemRecord::matchesAnIndependentlyWrittenRecord()
{
    const DesignState s = distinctState();
    const QByteArray expected = independentRecord(s);
    QCOMPARE(expected.size(), kSystemRecordSize);
    QCOMPARE(toBytes(encodeSystemRecord(s)), expected);
}

void TestSystemRecord::readsTheReferenceFile()
{
    QFile file(QStringLiteral(TOLVAN_TEST_DATA "/reference_system.TLV"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), kSystemRecordSize);

    DesignState s;
    decodeSystemRecord(fromBytes(bytes), s);
    QCOMPARE(s.xoverFreq, 3000.0f);
    QCOMPARE(s.xoverRh, 4.0f);
    QCOMPARE(s.xoverC1, 6.63f);
    QCOMPARE(s.xoverSpareC[0], -1.5f);
    QCOMPARE(s.xoverSpareC[1], 2.25f);
    QCOMPARE(s.xoverL1, 0.42f);
    QCOMPARE(s.xoverL6, -0.125f);
    QCOMPARE(s.xoverType, std::int16_t(4));
    QCOMPARE(s.qms, 5.0f);
    QCOMPARE(s.netName.text(), QStringLiteral("Net Driver \u20ac").leftJustified(30));
    QCOMPARE(s.bandIsoFactor, 0.5f);
    QCOMPARE(s.bandFl3Input, 40.123456789012);
    QVERIFY(!s.bandWooferName.isAssigned());
    QCOMPARE(s.boxType, std::int16_t(-1));
    QCOMPARE(s.vas, 3.45f);
    QCOMPARE(s.qts, 1.25f);
    QCOMPARE(s.driverName.text(), QStringLiteral("Woofer Gr\u00f6\u00dfe").leftJustified(30));
    QCOMPARE(s.measDriverName.trimmed(), QStringLiteral("Measured"));
    QCOMPARE(s.testBoxFc, 60.0f);

    // Written back, the same 374 bytes.
    QCOMPARE(toBytes(encodeSystemRecord(s)), bytes);
}

void TestSystemRecord::roundTripIsBitForBit()
{
    DesignState s = distinctState();
    // Values whose bits a careless copy would lose.
    s.qts = -0.0f;
    s.vas = std::numeric_limits<float>::denorm_min();
    s.fs = std::numeric_limits<float>::max();
    s.bandFl3Input = std::nextafter(1.0, 2.0);
    s.boxType = std::numeric_limits<std::int16_t>::min();

    const SystemRecord first = encodeSystemRecord(s);
    DesignState loaded;
    decodeSystemRecord(first, loaded);
    QCOMPARE(toBytes(encodeSystemRecord(loaded)), toBytes(first));
    QVERIFY(std::signbit(loaded.qts));
    QCOMPARE(loaded.vas, std::numeric_limits<float>::denorm_min());
    QCOMPARE(loaded.bandFl3Input, std::nextafter(1.0, 2.0));
    QCOMPARE(loaded.measDriverName.text(), QStringLiteral("  Measured  ").leftJustified(30));
    QVERIFY(loaded.measDriverName == s.measDriverName);
}

void TestSystemRecord::textsAreWindows1252AndNeverAssignedIsZeros()
{
    DesignState s;
    s.driverName = QStringLiteral("\u20ac\u00e9 ");
    const SystemRecord record = encodeSystemRecord(s);
    QCOMPARE(int(record[286]), 0x80);
    QCOMPARE(int(record[287]), 0xE9);
    for (int i = 288; i < 316; ++i)
        QCOMPARE(int(record[i]), int(' '));
    for (int offset : { 90, 176, 324 })
        for (int i = offset; i < offset + 30; ++i)
            QCOMPARE(int(record[i]), 0);
}

void TestSystemRecord::decodingLeavesUnsavedVariablesAlone()
{
    DesignState s;
    s.designValid = 1;
    s.printerName = QStringLiteral("Office");
    s.bandS = 2.5f;
    s.bandPa = 0.125;
    s.zPrime = 12;
    s.recalcBusy = 1;
    s.xoverIs12dB = 1;
    s.graphDrawn = 1;
    s.printerChosen = 1;
    s.coilTurns = 99;
    s.coilWireGauge = 18;
    s.coilSource = 7;
    decodeSystemRecord(encodeSystemRecord(distinctState()), s);
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.printerName, QStringLiteral("Office"));
    QCOMPARE(s.bandS, 2.5f);
    QCOMPARE(s.bandPa, 0.125);
    QCOMPARE(s.zPrime, 12.0f);
    QCOMPARE(s.recalcBusy, std::int16_t(1));
    QCOMPARE(s.xoverIs12dB, std::int16_t(1));
    QCOMPARE(s.graphDrawn, std::int16_t(1));
    QCOMPARE(s.printerChosen, std::int16_t(1));
    QCOMPARE(s.coilTurns, 99.0f);
    QCOMPARE(s.coilWireGauge, std::int16_t(18));
    QCOMPARE(s.coilSource, std::int16_t(7));
    QCOMPARE(s.qts, distinctState().qts);
}

void TestSystemRecord::refusesNonFiniteNumbers_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("value");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("NaN first Single") << 0 << 4 << nan;
    QTest::newRow("NaN in the crossover block") << 40 << 4 << nan;
    QTest::newRow("infinity last of the block") << 64 << 4 << inf;
    QTest::newRow("-infinity qts") << 250 << 4 << -inf;
    QTest::newRow("NaN Double bandFl3Input") << 156 << 8 << nan;
    QTest::newRow("infinity Double bandFl3Input") << 156 << 8 << inf;
    QTest::newRow("NaN last Single") << 370 << 4 << nan;
}

void TestSystemRecord::refusesNonFiniteNumbers()
{
    QFETCH(int, offset);
    QFETCH(int, width);
    QFETCH(double, value);
    SystemRecord record = encodeSystemRecord(distinctState());
    QVERIFY(systemRecordIsFinite(record));
    if (width == 4) {
        const auto bits = std::bit_cast<std::uint32_t>(float(value));
        for (int i = 0; i < 4; ++i)
            record[offset + i] = std::uint8_t(bits >> (8 * i));
    } else {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i)
            record[offset + i] = std::uint8_t(bits >> (8 * i));
    }
    QVERIFY(!systemRecordIsFinite(record));
}

QTEST_GUILESS_MAIN(TestSystemRecord)
#include "tst_systemrecord.moc"
