// The 374-byte system record: every variable at its offset, the bytes of a
// file written by an independent tool, the round trip bit for bit, and the
// records that must never be loaded.
#include "core/designstate.h"
#include "core/systemrecord.h"

#include <QFile>
#include <QtTest>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

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
    float nextSingle = 1.25f;
    int nextInteger = 0;
    for (const SavedVariable& variable : savedVariables()) {
        const QString name = QString::fromLatin1(variable.name);
        visitSaved(s, variable, [&](auto& value) {
            using T = std::remove_reference_t<decltype(value)>;
            if constexpr (std::is_same_v<T, float>)
                value = nextSingle += 1.0f;
            else if constexpr (std::is_same_v<T, double>)
                value = 1.0 / 3.0;
            else if constexpr (std::is_same_v<T, Text30>)
                value = QStringLiteral("  %1 \u20ac ").arg(name); // blanks kept, a Windows-1252 byte
            else
                value = T(1 - 3 * nextInteger++); // 1, -2, -5, ...
        });
    }
    return s;
}

// The record as the file format describes it, written field after field in
// the list's order, knowing nothing of offsets.
QByteArray independentRecord(const DesignState& s)
{
    SequentialWriter w;
    for (const SavedVariable& variable : savedVariables()) {
        visitSaved(s, variable, [&w](const auto& value) {
            using T = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<T, float>)
                w.single(value);
            else if constexpr (std::is_same_v<T, double>)
                w.dbl(value);
            else if constexpr (std::is_same_v<T, Text30>)
                w.text(value);
            else
                w.integer(std::int16_t(value));
        });
    }
    return w.bytes;
}

// Where the saved variable of that name stands in the record.
int offsetOf(std::string_view name) { return std::ranges::find(savedVariables(), name, &SavedVariable::name)->offset; }

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
    // Each variable at its offset, as wide as its type.
    int next = 0;
    for (const SavedVariable& variable : savedVariables()) {
        QCOMPARE(variable.offset, next);
        next += savedWidth(variable);
    }
    QCOMPARE(next, kSystemRecordSize);
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
    QCOMPARE(s.xoverType, XoverType::ThreeWay12dB);
    QCOMPARE(s.qms, 5.0f);
    QCOMPARE(s.netName.text(), QStringLiteral("Net Driver \u20ac").leftJustified(30));
    QCOMPARE(s.bandIsoFactor, 0.5f);
    QCOMPARE(s.bandFl3Input, 40.123456789012);
    QVERIFY(!s.bandWooferName.isAssigned());
    QCOMPARE(s.boxType, BoxType::None);
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
    // Codes outside the named ones load as they are.
    s.boxType = BoxType(std::numeric_limits<std::int16_t>::min());
    s.xoverType = XoverType(5);

    const SystemRecord first = encodeSystemRecord(s);
    DesignState loaded;
    decodeSystemRecord(first, loaded);
    QCOMPARE(toBytes(encodeSystemRecord(loaded)), toBytes(first));
    QVERIFY(std::signbit(loaded.qts));
    QCOMPARE(loaded.vas, std::numeric_limits<float>::denorm_min());
    QCOMPARE(loaded.bandFl3Input, std::nextafter(1.0, 2.0));
    QCOMPARE(loaded.boxType, BoxType(std::numeric_limits<std::int16_t>::min()));
    QCOMPARE(loaded.xoverType, XoverType(5));
    QCOMPARE(loaded.measDriverName.text(), QStringLiteral("  measDriverName \u20ac ").leftJustified(30));
    QVERIFY(loaded.measDriverName == s.measDriverName);
}

void TestSystemRecord::textsAreWindows1252AndNeverAssignedIsZeros()
{
    DesignState s;
    s.driverName = QStringLiteral("\u20ac\u00e9 ");
    const SystemRecord record = encodeSystemRecord(s);
    const int driverName = offsetOf("driverName");
    QCOMPARE(int(record[driverName]), 0x80);
    QCOMPARE(int(record[driverName + 1]), 0xE9);
    for (int i = driverName + 2; i < driverName + 30; ++i)
        QCOMPARE(int(record[i]), int(' '));
    // The other names were never assigned.
    int names = 0;
    for (const SavedVariable& variable : savedVariables()) {
        if (!std::holds_alternative<Text30 DesignState::*>(variable.member) || variable.offset == driverName)
            continue;
        ++names;
        for (int i = variable.offset; i < variable.offset + 30; ++i)
            QCOMPARE(int(record[i]), 0);
    }
    QCOMPARE(names, 3);
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
    s.coilSource = CoilSource::TakeNothing;
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
    QCOMPARE(s.coilSource, CoilSource::TakeNothing);
    QCOMPARE(s.qts, distinctState().qts);
}

void TestSystemRecord::refusesNonFiniteNumbers_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("value");
    // Every Single and Double of the record, the crossover block's included.
    const DesignState blank;
    for (const SavedVariable& variable : savedVariables()) {
        const bool number = visitSaved(blank, variable,
            [](const auto& value) { return std::is_floating_point_v<std::remove_cvref_t<decltype(value)>>; });
        if (!number)
            continue;
        const int width = savedWidth(variable);
        for (const auto& [what, value] : { std::pair { "NaN", std::numeric_limits<double>::quiet_NaN() },
                 std::pair { "infinity", std::numeric_limits<double>::infinity() },
                 std::pair { "-infinity", -std::numeric_limits<double>::infinity() } })
            QTest::addRow("%s %s", what, variable.name) << variable.offset << width << value;
    }
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
