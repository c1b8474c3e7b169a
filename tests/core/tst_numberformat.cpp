// Parsing and formatting of field texts: the pattern table, the halves, the
// text of a number, and what becomes of values no field may show.
#include "core/numberformat.h"
#include "core/numberparse.h"
#include "core/units.h"

#include <QHash>
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <limits>

class TestNumberFormat : public QObject {
    Q_OBJECT
private slots:
    void formatsDoubles_data();
    void formatsDoubles();
    void formatsSingles_data();
    void formatsSingles();
    void numberText_data();
    void numberText();
    void parses_data();
    void parses();
    void nonFiniteValuesNeverShowDigits_data();
    void nonFiniteValuesNeverShowDigits();
    void upperCasePattern();
    void randomTextsParseToFiniteSingleRange();
    void formatRoundTripsThroughParse_data();
    void formatRoundTripsThroughParse();
    void metricValues_data();
    void metricValues();
    void unitsTypedWithTheNumber_data();
    void unitsTypedWithTheNumber();
    void numbersShownInTheUnitsChosen_data();
    void numbersShownInTheUnitsChosen();
    void storedValuesReadBackInMetric_data();
    void storedValuesReadBackInMetric();
};

void TestNumberFormat::formatsDoubles_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("shown");

    // The "###.##" table.
    QTest::newRow("12") << 12.0 << "###.##"
                        << "12.";
    QTest::newRow("0.25") << 0.25 << "###.##"
                          << ".25";
    QTest::newRow("0") << 0.0 << "###.##"
                       << ".";
    QTest::newRow("-0.25") << -0.25 << "###.##"
                           << "-.25";
    QTest::newRow("-3") << -3.0 << "###.##"
                        << "-3.";
    QTest::newRow("123.456") << 123.456 << "###.##"
                             << "123.46";
    QTest::newRow("trailing zero dropped") << 80.9 << "###.##"
                                           << "80.9";
    QTest::newRow("integer part never cut") << 123456.789 << "###.##"
                                            << "123456.79";
    QTest::newRow("tiny negative rounds to point") << -0.001 << "###.##"
                                                   << ".";
    QTest::newRow("double half 2.675") << 2.675 << "###.##"
                                       << "2.68";
    QTest::newRow("half carries over 9s") << 99.995 << "###.##"
                                          << "100.";
    QTest::newRow("negative half away from zero") << -2.675 << "###.##"
                                                  << "-2.68";
    // Every pattern in use.
    QTest::newRow("##.###") << 0.10749 << "##.###"
                            << ".107";
    QTest::newRow("##.### negative") << -1.3954 << "##.###"
                                     << "-1.395";
    QTest::newRow("###.###") << 17.6 << "###.###"
                             << "17.6";
    QTest::newRow("##.####") << 1.27324 << "##.####"
                             << "1.2732";
    QTest::newRow("#.######") << 0.0000022 << "#.######"
                              << ".000002";
    QTest::newRow("###,### grouped") << 12345.6 << "###,###"
                                     << "12,346";
    QTest::newRow("###,### millions") << 1234567.0 << "###,###"
                                      << "1,234,567";
    QTest::newRow("###,### small") << 999.4 << "###,###"
                                   << "999";
    QTest::newRow("###,### zero") << 0.0 << "###,###"
                                  << "";
    QTest::newRow("#.## point alone") << 0.004 << "#.##"
                                      << ".";
    QTest::newRow("##.##") << 3.14159 << "##.##"
                           << "3.14";
    QTest::newRow("####.#") << 1234.56 << "####.#"
                            << "1234.6";
    QTest::newRow("#.###") << 0.0625 << "#.###"
                           << ".063";
    QTest::newRow("#### rounds whole") << 2.5 << "####"
                                       << "3";
    QTest::newRow("#### no grouping") << 12345.6 << "####"
                                      << "12346";
    QTest::newRow("port .00 below one") << 0.57 << "  .00"
                                        << "  .57";
    QTest::newRow("port .00 above one") << 1.5 << "  .00"
                                        << "  1.50";
    QTest::newRow("port .00 long") << 69.956 << "   .00"
                                   << "   69.96";
    QTest::newRow("port .00 zero") << 0.0 << "  .00"
                                   << "  .00";
}

void TestNumberFormat::formatsDoubles()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, shown);
    QCOMPARE(formatNumber(value, pattern), shown);
}

void TestNumberFormat::formatsSingles_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("shown");
    // A Single is rounded on its 7-digit decimal form: 0.645f is 0.6449999809 in
    // binary but .645 as a Single's text, so it shows .65.
    QTest::newRow("0.645 single") << 0.645f << "###.##"
                                  << ".65";
    QTest::newRow("2.675 single") << 2.675f << "###.##"
                                  << "2.68";
    QTest::newRow("0.6493 volume") << 0.6493f << "###.##"
                                   << ".65";
    QTest::newRow("80.9 single") << 80.9f << "###.##"
                                 << "80.9";
    QTest::newRow("1.0814 single") << 1.0814f << "###.##"
                                   << "1.08";
    QTest::newRow("5 single") << 5.0f << "###.##"
                              << "5.";
    QTest::newRow("large single") << 16777216.0f << "###.##"
                                  << "16777220.";
}

void TestNumberFormat::formatsSingles()
{
    QFETCH(float, value);
    QFETCH(QString, pattern);
    QFETCH(QString, shown);
    QCOMPARE(formatNumber(value, pattern), shown);
}

void TestNumberFormat::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.35 single") << 0.35 << true << " .35";
    QTest::newRow("zero") << 0.0 << true << " 0";
    QTest::newRow("negative") << -0.7 << true << "-.7";
    QTest::newRow("whole") << 30.0 << true << " 30";
    QTest::newRow("0.7067 closed Qtc") << double(0.70670116f) << true << " .7067012";
    QTest::newRow("seven digits") << 1234567.0 << true << " 1234567";
    QTest::newRow("eight digits exponent") << 12345678.0 << true << " 1.234568E+07";
    QTest::newRow("small stays fixed") << 0.0001 << true << " .0001";
    QTest::newRow("smaller exponent") << 0.00001 << true << " 1E-05";
    QTest::newRow("double digits") << 0.1 << false << " .1";
    QTest::newRow("double 15 digits") << 2.0 / 3.0 << false << " .666666666666667";
    QTest::newRow("huge double") << 1e300 << false << " 1E+300";
    QTest::newRow("negative exponent") << -2.5e-7 << false << "-2.5E-07";
}

void TestNumberFormat::numberText()
{
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, text);
    QCOMPARE(single ? ::numberText(float(value)) : ::numberText(value), text);
}

void TestNumberFormat::parses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("digits"); // a number was there at all
    QTest::addColumn<bool>("whole"); // nothing but skipped blanks follows it
    QTest::addColumn<bool>("beyondRange"); // beyond the Single range, read as 0
    QTest::newRow("plain") << "12.5" << 12.5 << true << true << false;
    QTest::newRow("unit after") << "12.5 Hz" << 12.5 << true << false << false;
    QTest::newRow("comma ends") << "1,5" << 1.0 << true << false << false;
    QTest::newRow("letters") << "abc" << 0.0 << false << false << false;
    QTest::newRow("empty") << "" << 0.0 << false << true << false;
    QTest::newRow("exponent") << "1e2" << 100.0 << true << true << false;
    QTest::newRow("D exponent") << "1D2" << 100.0 << true << true << false;
    QTest::newRow("negative exponent") << "25E-1" << 2.5 << true << true << false;
    QTest::newRow("exponent without digits") << "3e" << 3.0 << true << false << false;
    QTest::newRow("exponent sign only") << "3e+" << 3.0 << true << false << false;
    QTest::newRow("hex 31") << "&H1F" << 31.0 << true << true << false;
    QTest::newRow("hex lower") << "&h1f" << 31.0 << true << true << false;
    QTest::newRow("octal 31") << "&O37" << 31.0 << true << true << false;
    QTest::newRow("octal stops at 8") << "&O378" << 31.0 << true << false << false;
    QTest::newRow("hex alone") << "&H" << 0.0 << false << true << false;
    QTest::newRow("ampersand other") << "&X12" << 0.0 << false << false << false;
    QTest::newRow("big hex") << "&HFFFFFFFFFF" << 1099511627775.0 << true << true << false;
    QTest::newRow("blank inside") << "4 .5" << 4.5 << true << true << false;
    QTest::newRow("tabs and line feeds") << "\t1\n2" << 12.0 << true << true << false;
    QTest::newRow("leading point") << ".65" << 0.65 << true << true << false;
    QTest::newRow("sign") << "-.25" << -0.25 << true << true << false;
    QTest::newRow("plus") << "+7" << 7.0 << true << true << false;
    QTest::newRow("double sign") << "--7" << 0.0 << false << false << false;
    QTest::newRow("second point ends") << "1.2.3" << 1.2 << true << false << false;
    QTest::newRow("point alone") << "." << 0.0 << false << true << false;
    QTest::newRow("minus zero") << "-0" << 0.0 << true << true << false;
    QTest::newRow("1e999 no infinity") << "1e999" << 0.0 << true << true << true;
    QTest::newRow("-1e999 no infinity") << "-1e999" << 0.0 << true << true << true;
    QTest::newRow("beyond single") << "1e39" << 0.0 << true << true << true;
    QTest::newRow("largest single") << "3.4e38" << 3.4e38 << true << true << false;
    QTest::newRow("underflow") << "1e-999" << 0.0 << true << true << false;
    QTest::newRow("huge hex") << "&H" + QString(40, u'F') << 0.0 << true << true << true;
    QTest::newRow("ten thousand digits") << QString(10000, u'9') << 0.0 << true << true << true;
    QTest::newRow("long zeros then digit") << "0." + QString(10000, u'0') + "1" << 0.0 << true << true << false;
    QTest::newRow("control characters") << QString::fromUtf8("\x01\x02"
                                                             "5")
                                        << 0.0 << false << false << false;
    QTest::newRow("unicode digits stop") << QString::fromUtf8("3\xD9\xA3") << 3.0 << true << false << false;
    QTest::newRow("carriage return stops") << "3\r4" << 3.0 << true << false << false;
}

void TestNumberFormat::parses()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, digits);
    QFETCH(bool, whole);
    QFETCH(bool, beyondRange);
    QCOMPARE(parseNumber(text), value);
    // The command line and the driver files take a text only when the reader reads all of it.
    const NumberReading reading = readNumber(text);
    QCOMPARE(reading.value, value);
    QCOMPARE(reading.digits, digits);
    QCOMPARE(reading.whole, whole);
    QCOMPARE(reading.beyondRange, beyondRange);
    QCOMPARE(reading.written == value, !beyondRange);
}

void TestNumberFormat::nonFiniteValuesNeverShowDigits_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("inf") << std::numeric_limits<double>::infinity() << kOverflowText;
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << kOverflowText;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << kUndefinedText;
}

void TestNumberFormat::nonFiniteValuesNeverShowDigits()
{
    QFETCH(double, value);
    QFETCH(QString, shown);
    QCOMPARE(formatNumber(value, u"###.##"), shown);
    QCOMPARE(formatNumber(float(value), u"##.###"), shown);
    QCOMPARE(::numberText(value), shown);
    // What a field shows reads back as no number, never as an infinity.
    QCOMPARE(parseNumber(shown), 0.0);
}

void TestNumberFormat::upperCasePattern()
{
    QCOMPARE(formatText(QStringLiteral("y"), u">"), QStringLiteral("Y"));
    QCOMPARE(formatText(QStringLiteral("y"), u"###"), QStringLiteral("y"));
}

void TestNumberFormat::randomTextsParseToFiniteSingleRange()
{
    // A long randomized run over texts built from the characters that matter to the reader.
    const QString alphabet = QStringLiteral("0123456789+-.eEdDhHoO& \t\n,xF\x01\xe9");
    QRandomGenerator rng(12345);
    for (int i = 0; i < 20000; ++i) {
        QString text;
        const int length = rng.bounded(40);
        for (int j = 0; j < length; ++j)
            text += alphabet.at(rng.bounded(alphabet.size()));
        const double value = parseNumber(text);
        QVERIFY2(std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max(), qPrintable(text));
        const QString shown = formatNumber(value, u"###.###");
        QVERIFY(!shown.isEmpty());
        QVERIFY(std::isfinite(parseNumber(::numberText(float(value)))));
    }
}

void TestNumberFormat::formatRoundTripsThroughParse_data()
{
    QTest::addColumn<float>("value");
    QTest::newRow("volume") << 2.1628902f;
    QTest::newRow("small") << 0.0001234f;
    QTest::newRow("large") << 98765432.0f;
    QTest::newRow("negative") << -1.3954f;
}

void TestNumberFormat::formatRoundTripsThroughParse()
{
    // The text of a stored value reads back as the same Single: activation
    // writes it, and Graph and Exit read it back.
    QFETCH(float, value);
    QCOMPARE(float(parseNumber(::numberText(value))), value);
}

// A field's metric tooltip: the value in the field's significant digits.
void TestNumberFormat::metricValues_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Metric>("metric");
    QTest::addColumn<QString>("tip");
    QTest::newRow("a box volume") << "2.16" << Metric::Litres << "61.2 L";
    QTest::newRow("no leading zero") << ".65" << Metric::Litres << "18.4 L";
    QTest::newRow("a short text keeps three digits") << "2" << Metric::Litres << "56.6 L";
    QTest::newRow("more digits shown, more kept") << "14.37" << Metric::Centimetres << "36.50 cm";
    QTest::newRow("trailing zero counts") << "1.50" << Metric::Litres << "42.5 L";
    QTest::newRow("whole number with its point") << "12." << Metric::Centimetres << "30.5 cm";
    QTest::newRow("three digits below ten") << "3.93" << Metric::Centimetres << "9.98 cm";
    QTest::newRow("rounding carries over") << "3.937" << Metric::Centimetres << "10.00 cm";
    QTest::newRow("large value without exponent") << "100." << Metric::Litres << "2830 L";
    QTest::newRow("negative port length") << "-3.5" << Metric::Centimetres << "-8.89 cm";
    QTest::newRow("coil height in mm") << ".669" << Metric::Millimetres << "17.0 mm";
    QTest::newRow("cubic inches") << "1122" << Metric::CubicCentimetres << QString::fromUtf8("18390 cm\u00b3");
    QTest::newRow("number text with a blank") << " 1.525" << Metric::Litres << "43.18 L";
    QTest::newRow("exponent form") << " 1.5E+07" << Metric::Centimetres << "38100000 cm";
    QTest::newRow("zero") << "." << Metric::Litres << "0 L";
    QTest::newRow("not a number") << "N/A" << Metric::Centimetres << "";
    QTest::newRow("empty") << "" << Metric::Litres << "";
    QTest::newRow("a unit without a metric value") << "28.74" << Metric::None << "";
    QTest::newRow("overflow text") << kOverflowText << Metric::Litres << "";
}

void TestNumberFormat::metricValues()
{
    QFETCH(QString, shown);
    QFETCH(Metric, metric);
    QFETCH(QString, tip);
    QCOMPARE(metricText(shown, metric), tip);
}

namespace {
// The units of the fields, by the name the tables give them.
Unit unitNamed(const QString& name)
{
    const QHash<QString, Unit> all { { "cubic feet", units::kCubicFeet }, { "cubic inches", units::kCubicInches },
        { "inches", units::kInches }, { "small inches", units::kSmallInches }, { "Hz", units::kHz },
        { "ohms", units::kOhms }, { "mH", units::kMilliHenry }, { "uF", units::kMicroFarad },
        { "displacement", units::kDisplacement }, { "plain", Unit {} } };
    return all.value(name);
}
} // namespace

// What a field of each kind makes of a number typed with a unit: converted
// into the field's unit (in the units it shows), refused as of another kind,
// or, with no known unit after it, read by the number rules alone.
void TestNumberFormat::unitsTypedWithTheNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("metric"); // the units chosen
    QTest::addColumn<double>("value"); // in the field's own unit
    QTest::addColumn<int>("typed"); // UnitReading::Typed
    QTest::addColumn<bool>("complete");
    constexpr int none = int(UnitReading::Typed::None);
    constexpr int converted = int(UnitReading::Typed::Converted);
    constexpr int refused = int(UnitReading::Typed::WrongKind);
    const double litre = 1 / units::kLitresPerCubicFoot;
    // Volumes, kept in cubic feet.
    QTest::newRow("61 L in cubic feet") << "61 L"
                                        << "cubic feet" << false << 61 * litre << converted << true;
    QTest::newRow("61 L in Metric") << "61 L"
                                    << "cubic feet" << true << 61 * litre << converted << true;
    QTest::newRow("61 alone in Metric is litres") << "61"
                                                  << "cubic feet" << true << 61 * litre << none << true;
    QTest::newRow("61 alone in Imperial is cubic feet") << "61"
                                                        << "cubic feet" << false << 61.0 << none << true;
    QTest::newRow("lower case l") << "61l"
                                  << "cubic feet" << false << 61 * litre << converted << true;
    QTest::newRow("litres spelled out") << "2.5 litres"
                                        << "cubic feet" << false << 2.5 * litre << converted << true;
    QTest::newRow("litre") << "1 Litre"
                           << "cubic feet" << false << litre << converted << true;
    QTest::newRow("cu ft in Metric") << "2 cu ft"
                                     << "cubic feet" << true << 2.0 << converted << true;
    QTest::newRow("ft3") << "2ft3"
                         << "cubic feet" << true << 2.0 << converted << true;
    QTest::newRow("ft³") << QString::fromUtf8("2 ft\u00b3") << "cubic feet" << true << 2.0 << converted << true;
    QTest::newRow("in3") << "1728 in3"
                         << "cubic feet" << false << 1.0 << converted << true;
    QTest::newRow("cm3") << "28316.846592 cm3"
                         << "cubic feet" << false << 1.0 << converted << true;
    QTest::newRow("cubic inches field takes cm3") << "16.387064 cm3"
                                                  << "cubic inches" << false << 1.0 << converted << true;
    QTest::newRow("cm in a volume") << "61 cm"
                                    << "cubic feet" << false << 61.0 << refused << false;
    QTest::newRow("Hz in a volume, Metric") << "61 Hz"
                                            << "cubic feet" << true << 61 * litre << refused << false;
    // Lengths, kept in inches.
    QTest::newRow("cm in inches") << "2.54 cm"
                                  << "inches" << false << 1.0 << converted << true;
    QTest::newRow("mm in inches") << "25.4mm"
                                  << "inches" << false << 1.0 << converted << true;
    QTest::newRow("m in inches") << "1 m"
                                 << "inches" << false << 100 / 2.54 << converted << true;
    QTest::newRow("inch sign") << "12\""
                               << "inches" << true << 12.0 << converted << true;
    QTest::newRow("in in Metric") << "12 in"
                                  << "inches" << true << 12.0 << converted << true;
    QTest::newRow("cm alone in Metric") << "30.48"
                                        << "inches" << true << 12.0 << none << true;
    QTest::newRow("mm alone in Metric, coil") << "25.4"
                                              << "small inches" << true << 1.0 << none << true;
    QTest::newRow("litres in a length") << "61 L"
                                        << "inches" << false << 61.0 << refused << false;
    // Frequencies, inductances, capacitances, resistances.
    QTest::newRow("kHz") << "2.5 kHz"
                         << "Hz" << false << 2500.0 << converted << true;
    QTest::newRow("Hz") << "30 Hz"
                        << "Hz" << true << 30.0 << converted << true;
    QTest::newRow("mm in a frequency") << "30 mm"
                                       << "Hz" << false << 30.0 << refused << false;
    QTest::newRow("uH") << "500 uH"
                        << "mH" << false << 0.5 << converted << true;
    QTest::newRow("H") << "1 H"
                       << "mH" << false << 1000.0 << converted << true;
    QTest::newRow("µF") << QString::fromUtf8("4.7 \u00b5F") << "uF" << false << 4.7 << converted << true;
    QTest::newRow("uF") << "4.7uF"
                        << "uF" << false << 4.7 << converted << true;
    QTest::newRow("nF") << "470 nF"
                        << "uF" << false << 0.47 << converted << true;
    QTest::newRow("ohm") << "8 ohm"
                         << "ohms" << false << 8.0 << converted << true;
    QTest::newRow("Ω") << QString::fromUtf8("8\u03a9") << "ohms" << true << 8.0 << converted << true;
    QTest::newRow("ohms in an inductance") << "8 ohms"
                                           << "mH" << false << 8.0 << refused << false;
    // The radiator's displacement, 10^-4 m³ in either units.
    QTest::newRow("cm3 in a displacement") << "160 cm3"
                                           << "displacement" << true << 1.6 << converted << true;
    QTest::newRow("L in a displacement") << ".16 L"
                                         << "displacement" << false << 1.6 << converted << true;
    // A plain number takes no unit.
    QTest::newRow("a unit in a plain number") << ".4 L"
                                              << "plain" << true << 0.4 << refused << false;
    // No known unit after the number: the number rules, as ever.
    QTest::newRow("4 xyz") << "4 xyz"
                           << "cubic feet" << false << 4.0 << none << false;
    QTest::newRow("1,5") << "1,5"
                         << "cubic feet" << false << 1.0 << none << false;
    QTest::newRow("1,5 in Metric") << "1,5"
                                   << "cubic feet" << true << litre << none << false;
    QTest::newRow("a unit alone") << "L"
                                  << "cubic feet" << false << 0.0 << none << false;
    QTest::newRow("empty") << ""
                           << "inches" << true << 0.0 << none << false;
    QTest::newRow("two units") << "2 L cm"
                               << "cubic feet" << false << 2.0 << none << false;
    QTest::newRow("blanks inside the number") << "6 1 L"
                                              << "cubic feet" << false << 61 * litre << converted << true;
    QTest::newRow("exponent and unit") << "1e3 mm"
                                       << "inches" << false << 1000 / 25.4 << converted << true;
    QTest::newRow("beyond a Single once converted") << "1e38 m"
                                                    << "inches" << false << 0.0 << converted << true;
}

void TestNumberFormat::unitsTypedWithTheNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, unit);
    QFETCH(bool, metric);
    QFETCH(double, value);
    QFETCH(int, typed);
    QFETCH(bool, complete);
    const UnitReading reading = readInUnit(text, unitNamed(unit), metric ? UnitSystem::Metric : UnitSystem::Imperial);
    QVERIFY2(std::abs(reading.value - value) <= 1e-12 * std::max(1.0, std::abs(value)),
        qPrintable(QString::number(reading.value, 'g', 17)));
    QCOMPARE(int(reading.typed), typed);
    QCOMPARE(reading.complete, complete);
    QCOMPARE(wrongUnitProblem(reading, unitNamed(unit)).isEmpty(), typed != int(UnitReading::Typed::WrongKind));
}

// Numbers as fields, pages and captions show them in each units: the same
// digit rules, applied to the number shown.
void TestNumberFormat::numbersShownInTheUnitsChosen_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern"); // empty: the text of a stored Single; "caption": a port's diameter
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("imperial");
    QTest::addColumn<QString>("metric");
    QTest::newRow("box volume") << 2.1629 << "###.##"
                                << "cubic feet"
                                << "2.16"
                                << "61.25";
    QTest::newRow("small volume") << 0.6493 << "###.##"
                                  << "cubic feet"
                                  << ".65"
                                  << "18.39";
    QTest::newRow("box height") << 25.13 << "###.##"
                                << "inches"
                                << "25.13"
                                << "63.83";
    QTest::newRow("coil height") << 0.669 << "##.###"
                                 << "small inches"
                                 << ".669"
                                 << "16.993";
    QTest::newRow("Hz stays") << 28.742 << "###.##"
                              << "Hz"
                              << "28.74"
                              << "28.74";
    QTest::newRow("displacement stays") << 4.976 << "###.##"
                                        << "displacement"
                                        << "4.98"
                                        << "4.98";
    QTest::newRow("stored Vas needs an eighth digit") << 2.0 << ""
                                                      << "cubic feet"
                                                      << " 2"
                                                      << " 56.633693";
    QTest::newRow("stored Vas typed in litres") << 56.6 / units::kLitresPerCubicFoot << ""
                                                << "cubic feet"
                                                << " 1.99881"
                                                << " 56.6";
    QTest::newRow("stored Qts") << 0.35 << ""
                                << "plain"
                                << " .35"
                                << " .35";
    for (const auto& [inches, mm] : { std::pair(".5", "12.7"), { ".75", "19.1" }, { "1.0", "25.4" }, { "1.5", "38.1" },
             { "2.0", "50.8" }, { "3.0", "76.2" }, { "4.0", "101.6" }, { "6.0", "152.4" }, { "8.0", "203.2" } })
        QTest::addRow("port diameter %s", inches) << 0.0 << "caption"
                                                  << "small inches" << inches << mm;
}

void TestNumberFormat::numbersShownInTheUnitsChosen()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, unit);
    QFETCH(QString, imperial);
    QFETCH(QString, metric);
    const Unit u = unitNamed(unit);
    for (const UnitSystem system : { UnitSystem::Imperial, UnitSystem::Metric }) {
        const QString& expected = system == UnitSystem::Metric ? metric : imperial;
        if (pattern == "caption")
            QCOMPARE(shownCaptionNumber(imperial.toLatin1().constData(), u, system), expected);
        else if (pattern.isEmpty())
            QCOMPARE(shownNumberText(float(value), u, system), expected);
        else
            QCOMPARE(shownPatternText(float(value), pattern, true, u, system), expected);
    }
}

// A stored value shown in Metric reads back as the very Single it came
// from, so that a design loaded, shown and saved again keeps every bit.
void TestNumberFormat::storedValuesReadBackInMetric_data()
{
    QTest::addColumn<QString>("unit");
    QTest::newRow("cubic feet") << "cubic feet";
    QTest::newRow("inches") << "inches";
    QTest::newRow("small inches") << "small inches";
    QTest::newRow("cubic inches") << "cubic inches";
}

void TestNumberFormat::storedValuesReadBackInMetric()
{
    QFETCH(QString, unit);
    const Unit u = unitNamed(unit);
    QRandomGenerator random(33);
    for (int i = 0; i < 20000; ++i) {
        const float value = float(std::exp(random.bounded(24.0) - 12.0));
        const QString text = shownNumberText(value, u, UnitSystem::Metric);
        QCOMPARE(float(fromShown(parseNumber(text), u, UnitSystem::Metric)), value);
        QVERIFY2(text.size() <= 16, qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
