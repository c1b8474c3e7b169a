#pragma once
// The worked examples, each kept once: what is typed and what the fields then
// show, to the displayed character. The design tables check them against the
// calculations, the window tests against the windows, one row each.

#include <QStringList>
#include <QTest>

namespace worked {

// Field texts written "a|b|c".
inline QStringList texts(const char* joined) { return QString::fromLatin1(joined).split(u'|'); }

// A table's rows: one per example, named after it, in the column "e".
template <class Example, std::size_t N> void addRows(const Example (&examples)[N])
{
    QTest::addColumn<Example>("e");
    for (const Example& e : examples)
        QTest::newRow(e.name) << e;
}

// Each example is typed in Metric too (`inMetric`, converted by hand: a Vas
// of 2 cubic feet is 56.6337 litres), and gives the results above.

// The closed box for a volume: typed szISO, szQts, szVas, szFar, szQd; shown
// szVcb, szVover, szFc, szF3, szH, szW, szD.
struct Closed {
    const char* name;
    QStringList typed;
    float vbCalc;
    QStringList shown;
    double cubicInches;
    bool warns; // "Tuning Frequency is Less Than Low Cutoff"
    QStringList inMetric;
};
inline const Closed kClosed[] {
    { "Qtc .707", texts("N|.35|2|30|.707"), 0.6493f, texts(".65|.71|60.57|60.61|16.83|10.39|6.44"), 1122, true,
        texts("N|.35|56.6337|30|.707") },
    { "Qtc 1.0", texts("N|.35|2|30|1.0"), 0.2792f, texts(".28|.31|85.61|67.34|12.7|7.84|4.86"), 482, false,
        texts("N|.35|56.6337|30|1.0") },
    { "isobaric Qtc .707", texts("Y|.35|2|30|.707"), 0.3246f, texts(".32|.36|60.93|60.61|13.36|8.25|5.11"), 561, false,
        texts("Y|.35|56.6337|30|.707") },
};
// The closed box for a Qtc: the first example's driver with szVcb typed;
// shown szVcb, szFc, szF3.
struct ClosedForQtc {
    const char* name;
    QString typedVb;
    float qtc;
    QStringList shown;
    bool warns;
    QString typedVbInMetric; // litres
};
inline const ClosedForQtc kClosedForQtc[] {
    { ".65 gives .707", ".65", 0.7066987f, texts(".65|60.57|60.61"), true, "18.406" },
    // A typed volume is shown again as the pattern shows it, and continues so.
    { ".2792 continues as .28", ".2792", 1.0f, texts(".28|85.61|67.34"), false, "7.9061" },
};

// The vented box: typed szISO, szQts, szVas, szFar, then one field edited
// after Calculate and left; shown szVvb, szVover, szFb, szF3, szH (the hump
// or dip), szH1, szW1, szD1 and the port lengths szLv5 to szLv8.
struct Vented {
    const char* name;
    QStringList typed;
    QString edited; // "field=text"; empty: Calculate alone
    float vb;
    QStringList shown;
    QStringList ports;
    double cubicInches = 0;
    float oneInchPort = 0; // shown as "N/A" or not
    QStringList metric = {}; // the tooltips of szVvb, szH1, szLv5 and szLv15
    QStringList inMetric = {};
    QString editedInMetric = {};
};
inline const Vented kVented[] {
    { "one driver", texts("N|.4|2|30"), {}, 2.1629f, texts("2.16|2.38|28.74|28.13|.107|25.13|15.51|9.62"),
        texts("N/A|N/A|N/A|1.57|3.28|8.47|16.03|38.26|69.96"), 3737, 0.453f, texts("61.2 L|63.83 cm||3.99 cm"),
        texts("N|.4|56.6337|30") },
    { "isobaric pair", texts("Y|.4|2|30"), {}, 1.0814f, texts("1.08|1.19|28.74|28.13|.107|19.95|12.31|7.64"),
        texts("N/A|.78|1.64|4.23|8.01|19.13|34.98|80.9|145.78"), 1869, 1.6377f, texts("30.6 L|50.67 cm||10.7 cm"),
        texts("Y|.4|56.6337|30") },
};
// The first example with its tuning or its volume typed afterwards.
inline const Vented kVentedEdited[] {
    { "tuning typed", kVented[0].typed, "szFb=25", 3.5357f, texts("3.54|3.89|25.|22.55|-1.395|29.61|18.28|11.33"),
        texts("N/A|N/A|N/A|1.06|2.37|6.43|12.4|30.09|55.45"), 0, 0, {}, kVented[0].inMetric, "szFb=25" },
    { "volume typed", kVented[0].typed, "szVvb=3", 3.0f, texts("3.|3.3|26.35|24.49|-.892|28.03|17.3|10.73"),
        texts("N/A|N/A|N/A|1.19|2.6|6.95|13.33|32.19|59.18"), 0, 0, {}, kVented[0].inMetric, "szVvb=84.9505" },
};
inline const Vented& kVentedTuned = kVentedEdited[0];

// The bandpass box: typed szISOB, szQtsb, szFarb, szFl3, szRdcb with Vas 2;
// shown szFh3, szVbb, szVf, szFbb, szL, szFsQt, szPa and the port lengths.
struct Bandpass {
    const char* name;
    QStringList typed;
    QStringList shown;
    QStringList ports;
    QString vasInMetric = "56.6337"; // litres
};
inline const Bandpass kBandpass[] {
    { "worked example", texts("N|.5|25|25|8"), texts("61.03|1.39|.98|39.06|20.873|50|1.55"),
        texts("N/A|N/A|.68|2.09|4.2|10.55|19.72|46.57|84.75") },
    { "isobaric pair", texts("Y|.5|25|25|8"), texts("61.03|.69|.49|39.06|10.437|50|1.55"),
        texts("N/A|1.04|2.1|5.27|9.86|23.29|42.37|97.53|175.34") },
};

// The passive radiator: typed szISO, szQts, szVas, szVd with Fs 30; shown
// szVpr, szFb, szF3, szVvb, szVover, szH1, szW1, szD1.
// The displacement (10^-4 m³) is the same in either units.
struct Radiator {
    const char* name;
    QStringList typed;
    QStringList shown;
    bool warns; // "Tuning Frequency is Less Than Low Cutoff"
    QStringList inMetric;
};
inline const Radiator kRadiator[] {
    { "worked example", texts("N|.4|2|1.6"), texts("4.98|36.9|35.7|1.42|1.56|21.84|13.48|8.36"), false,
        texts("N|.4|56.6337|1.6") },
    { "isobaric pair", texts("Y|.4|2|1.6"), texts("4.98|36.9|35.7|.71|.78|17.33|10.7|6.63"), false,
        texts("Y|.4|56.6337|1.6") },
    { "Qts .3 warns", texts("N|.3|2|1.6"), texts("3.58|46.8|50.1|.65|.71|16.83|10.39|6.44"), true,
        texts("N|.3|56.6337|1.6") },
    { ".44: last row", texts("N|.44|2|1.6"), texts("5.41|33.9|32.4|1.94|2.14|24.25|14.97|9.28"), false,
        texts("N|.44|56.6337|1.6") },
    { ".2: first row", texts("N|.2|2|1.6"), texts("2.9|63.|79.5|.24|.27|12.14|7.49|4.65"), true,
        texts("N|.2|56.6337|1.6") },
};

// The passive crossovers for 8-ohm drivers: typed the frequency (the 3-way
// window proposes the low one, a tenth of the high) and the impedance; shown
// the parts as their fields.
struct Passive {
    const char* name;
    bool is12dB;
    QStringList shown;
};
inline const QStringList kPassive2Typed = texts("2000|8"); // szFrq, szRl and szRh
inline const QStringList kPassive2Parts = texts("L1|C1|L2|C2");
inline const Passive kPassive2[] {
    { "6 dB", false, texts(".637|9.9375|N/A|N/A") },
    { "12 dB", true, texts("1.273|4.9736|1.273|4.9736") },
};
inline const QStringList kPassive3Typed = texts("5000|500|8"); // szFrqh, szFrql, szRh, szRm and szRl
inline const QStringList kPassive3Parts = texts("L1|C1|L2|C2|L3|C3|L4|C4");
inline const Passive kPassive3[] {
    { "12 dB", true, texts("5.123|1.9775|.512|19.775|.423|25.5828|5.207|1.7946") },
    { "6 dB", false, texts("2.547|3.975|.268|37.7102|N/A|N/A|N/A|N/A") },
};

// The active crossovers: typed the frequencies; shown the fields.
struct Active {
    QStringList typed;
    QStringList fields;
    QStringList shown;
};
inline const Active kActive2 { texts("2000"), texts("szR|szR1|szR2|szR3|szR4|szC|szC1|szC2|szC3|szC4"),
    texts("10,000|98,820|5,640|14,368|20,000|.003979|.001989|.001611|.028218|.011077") };
inline const Active kActive3 { texts("5000|500"),
    texts("szR|szR1|szR2|szR3|szR4|szC|szC1|szC2|szC3|szC4|szRm|szR5|szR6|szR7|szR8|szCm|szC5|szC6|szC7|szC8"),
    texts("10,000|98,820|5,640|14,368|20,000|.001592|.000796|.006443|.112872|.044309|"
          "10,000|98,820|5,640|14,368|20,000|.015915|.007958|.000644|.011287|.004431") };

// The driver measurement: typed szRdct, szFrt, szIfr, szFlt, szFht, szVtbt,
// szFrtbt (Re, Fs, Zmax, f1, f2, Vt, Fct); shown szZ, szVast, szQes, szQms, szQts.
inline const QStringList kMeasuredTyped = texts("6|30|24|24|36|1|60");
inline const QStringList kMeasuredTypedInMetric = texts("6|30|24|24|36|28.3168|60"); // Vt in litres
inline const QStringList kMeasuredShown = texts("12.|3.45|1.67|5.|1.25");

} // namespace worked

Q_DECLARE_METATYPE(worked::Closed)
Q_DECLARE_METATYPE(worked::ClosedForQtc)
Q_DECLARE_METATYPE(worked::Vented)
Q_DECLARE_METATYPE(worked::Bandpass)
Q_DECLARE_METATYPE(worked::Radiator)
Q_DECLARE_METATYPE(worked::Passive)
