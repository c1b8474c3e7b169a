// The vented-box calculations: the worked examples (alignment, isobaric pair,
// typed tuning, typed volume) to the displayed character, the hump-or-dip
// rules of each step, and the refusals that keep NaN and infinity out.
#include "core/numberformat.h"
#include "design/singles.h"
#include "design/ventedbox.h"
#include "design/workedexamples.h"

#include <QtTest>

using namespace design;

namespace {
QString shown(float value) { return formatNumber(value, kPattern2); }
QString shown(double value) { return formatNumber(value, kPattern2); }

VentedDriver driver(double qts, double vas, double fs, float iso = 1.0f)
{
    VentedDriver d;
    d.qts = qts;
    d.vas = vas;
    d.fs = fs;
    d.isoFactor = iso;
    return d;
}

QStringList portTexts(const PortLengths& ports)
{
    QStringList texts;
    for (float length : ports)
        texts << portLengthText(length);
    return texts;
}

// The texts the window shows for a design: Vb, 10 % over, Fb, F3, the hump
// or dip, H, W, D.
QStringList designTexts(const VentedDesign& d)
{
    return { shown(d.vb), shown(d.overVolume), shown(d.fb), shown(d.f3), d.hump ? d.hump->text : "-",
        shown(d.box.height), shown(d.box.width), shown(d.box.depth) };
}

VentedDriver driverOf(const worked::Vented& e)
{
    const QStringList& t = e.typed; // szISO, szQts, szVas, szFar
    return driver(t[1].toDouble(), t[2].toDouble(), t[3].toDouble(), t[0] == "Y" ? 0.5f : 1.0f);
}

const VentedDriver kExample = driverOf(worked::kVented[0]);
const QString kExampleVbText = worked::kVented[0].shown[0]; // as Calculate shows it
const double kExampleFieldVb = kExampleVbText.toDouble();
const float kExampleShownVb = kExampleVbText.toFloat();
} // namespace

Q_DECLARE_METATYPE(design::VentedDriver)

class TestVentedBox : public QObject {
    Q_OBJECT
private slots:
    void calculate_data();
    void calculate();
    void typedTuningOrVolume_data();
    void typedTuningOrVolume();
    void recomputationsWarnButComplete_data();
    void recomputationsWarnButComplete();
    void unchangedVolumeRestoresAlignment();
    void activationShowsStoredDesign();
    void activationWithoutStoredDesign();
    void activationShowsATinyVolumeAsItIs_data();
    void activationShowsATinyVolumeAsItIs();
    void refusals_data();
    void refusals();
    void quietNothing_data();
    void quietNothing();
    void alignmentWarnsBelowQts383_data();
    void alignmentWarnsBelowQts383();
};

void TestVentedBox::calculate_data() { worked::addRows(worked::kVented); }

void TestVentedBox::calculate()
{
    QFETCH(worked::Vented, e);
    const VentedResult r = ventedCalculate(driverOf(e));
    QVERIFY(r.design);
    const VentedDesign& d = *r.design;
    QVERIFY(qAbs(d.vb - e.vb) < 0.00006f);
    QCOMPARE(designTexts(d), e.shown);
    QCOMPARE(d.hump->value, e.shown[4].toFloat());
    QCOMPARE(portTexts(d.ports), e.ports);
    QVERIFY(qAbs(d.ports[2] - e.oneInchPort) < 0.0006f);
    QCOMPARE(d.box.cubicInches, e.cubicInches);
    QVERIFY(d.showsVb && d.showsFb);
    QCOMPARE(d.shownVb, std::optional<float>(e.shown[0].toFloat()));
    QVERIFY(r.outcome.messages.isEmpty());
    QCOMPARE(r.outcome.focusField, QString("szQts"));
}

void TestVentedBox::typedTuningOrVolume_data() { worked::addRows(worked::kVentedEdited); }

void TestVentedBox::typedTuningOrVolume()
{
    QFETCH(worked::Vented, e);
    const bool tuning = e.edited.startsWith("szFb=");
    const double typed = e.edited.section('=', 1).toDouble();
    const VentedResult r = tuning ? ventedFromTuning(kExample, typed, kExampleFieldVb, kExampleShownVb)
                                  : ventedFromVolume(kExample, typed, kExampleShownVb);
    QVERIFY(r.design);
    const VentedDesign& d = *r.design;
    QVERIFY(qAbs(d.vb - e.vb) < 0.00006f);
    QCOMPARE(tuning ? d.fb : d.vb, float(typed));
    // The field typed into keeps its text as typed.
    QCOMPARE(d.showsVb, tuning);
    QCOMPARE(d.showsFb, !tuning);
    QCOMPARE(designTexts(d), e.shown);
    QCOMPARE(d.hump->value, e.shown[4].toFloat());
    QCOMPARE(portTexts(d.ports), e.ports);
    QVERIFY(!d.shownVb); // the volume to compare with stays the one Calculate showed
    QVERIFY(r.outcome.messages.isEmpty());
    QVERIFY(r.outcome.focusField.isEmpty());
}

void TestVentedBox::recomputationsWarnButComplete_data()
{
    QTest::addColumn<bool>("tuning");
    QTest::addColumn<double>("typed");
    // Fb 40: Vb = 2 (30/40)^3.125 shows .81, F3 = 30 sqrt(2/.81) = 47.1 Hz.
    QTest::newRow("typed tuning") << true << 40.0;
    // Vb .5: Fb = 30 (2/.5)^.32 = 46.9 Hz, F3 = 30 sqrt(2/.5) = 60 Hz.
    QTest::newRow("typed volume") << false << 0.5;
}

void TestVentedBox::recomputationsWarnButComplete()
{
    QFETCH(bool, tuning);
    QFETCH(double, typed);
    const VentedResult r = tuning ? ventedFromTuning(kExample, typed, kExampleFieldVb, kExampleShownVb)
                                  : ventedFromVolume(kExample, typed, kExampleShownVb);
    QVERIFY(r.design);
    QVERIFY(r.design->f3AboveFb());
    QCOMPARE(r.outcome.messages, QVector<Message> { msg::warning("Tuning Frequency is Less Than Low Cutoff") });
    QVERIFY(!r.outcome.beep);
}

void TestVentedBox::unchangedVolumeRestoresAlignment()
{
    // After a typed tuning the design is off the alignment; leaving szVvb with
    // the volume Calculate showed brings the alignment back, with szH "0"
    // although Calculate showed the formula's .107.
    const VentedResult r = ventedFromVolume(kExample, kExampleFieldVb, kExampleShownVb);
    QVERIFY(r.design);
    const VentedAlignment a = ventedAlignment(kExample);
    QCOMPARE(r.design->vb, a.vb);
    QCOMPARE(r.design->fb, a.fb);
    QCOMPARE(r.design->f3, a.f3);
    QCOMPARE(shown(r.design->fb), worked::kVented[0].shown[2]);
    QCOMPARE(r.design->hump->text, QString("0"));
    QCOMPARE(r.design->hump->value, 0.0f);
    // Proportions follow the volume as typed, ports the alignment's.
    QCOMPARE(r.design->box.cubicInches, 3732.0);
    QCOMPARE(portTexts(r.design->ports), worked::kVented[0].ports);

    // A typed tuning that gives the shown volume again keeps szH and humpDip.
    const VentedResult same = ventedFromTuning(kExample, 29.27, kExampleFieldVb, kExampleShownVb);
    QVERIFY(same.design);
    QCOMPARE(shown(same.design->vb), kExampleVbText);
    QVERIFY(!same.design->hump);
}

void TestVentedBox::activationShowsStoredDesign()
{
    const worked::Vented& e = worked::kVentedTuned;
    const StoredVentedDesign stored { 3.5357f, 25.0f, 22.55f, -1.395f };
    const VentedResult r = ventedActivation(kExample, stored);
    QVERIFY(r.design);
    QCOMPARE(r.design->vb, stored.vb);
    QCOMPARE(r.design->fb, stored.fb);
    QCOMPARE(r.design->f3, stored.f3);
    QCOMPARE(designTexts(*r.design), e.shown);
    QCOMPARE(r.design->shownVb, std::optional<float>(e.shown[0].toFloat()));
    QVERIFY(r.design->showsVb && r.design->showsFb);
    QVERIFY(r.outcome.messages.isEmpty());
    QVERIFY(r.outcome.focusField.isEmpty());

    // The same box kept for the same driver on a return: what the tuning
    // recomputation showed, the typed texts left as they are.
    const VentedResult kept = ventedForDriver(kExample, stored.vb, stored.fb);
    QVERIFY(kept.design && !kept.design->showsVb && !kept.design->showsFb);
    QCOMPARE(designTexts(*kept.design), e.shown);
    QVERIFY(kept.outcome.messages.isEmpty());
}

void TestVentedBox::activationWithoutStoredDesign()
{
    // The alignment afresh, no hump or dip from the formula, no warning even
    // where Calculate would warn.
    const VentedResult r = ventedActivation(driver(0.3, 2, 30), std::nullopt);
    QVERIFY(r.design);
    QCOMPARE(shown(r.design->fb), QString("37.24"));
    QCOMPARE(r.design->hump->text, QString("0"));
    QVERIFY(r.outcome.messages.isEmpty());
    QVERIFY(!r.outcome.beep);
}

void TestVentedBox::activationShowsATinyVolumeAsItIs_data()
{
    QTest::addColumn<VentedDriver>("in");
    QTest::addColumn<bool>("stored");
    // .2^2.87 x 15 x .03 = .0045 cubic feet: the alignment shows as ".".
    QTest::newRow("alignment") << driver(0.2, 0.03, 30) << false;
    // A volume the user typed earlier and left with Exit.
    QTest::newRow("typed and stored") << kExample << true;
}

void TestVentedBox::activationShowsATinyVolumeAsItIs()
{
    // Activation divides by nothing it shows, so the design comes back as it
    // was left; the recomputations then stop quietly on the "." volume.
    QFETCH(VentedDriver, in);
    QFETCH(bool, stored);
    const std::optional<StoredVentedDesign> design
        = stored ? std::optional(StoredVentedDesign { 0.001f, 137.0f, 134.0f, 8.2f }) : std::nullopt;
    const VentedResult r = ventedActivation(in, design);
    QVERIFY(r.design);
    QCOMPARE(shown(r.design->vb), QString("."));
    QCOMPARE(r.design->shownVb, std::optional<float>(0.0f));
    QVERIFY(r.outcome.messages.isEmpty());
    QVERIFY(!r.outcome.beep);
}

void TestVentedBox::refusals_data()
{
    QTest::addColumn<int>("step"); // 0 Calculate, 1 activation, 2 typed tuning, 3 typed volume
    QTest::addColumn<VentedDriver>("in");
    QTest::addColumn<double>("typed");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("beeps");
    QTest::addColumn<QString>("focus");

    // .2^2.87 x 15 x .03 = .0045 cubic feet shows as ".".
    const VentedDriver tiny = driver(0.2, 0.03, 30);
    const QString tooSmall = "Box Volume Below .005 Cubic Feet: Check Vas";
    QTest::newRow("Calculate, volume shows as point") << 0 << tiny << 0.0 << tooSmall << true << "szVas";
    QTest::newRow("Calculate beyond Single")
        << 0 << driver(1e30, 2, 30) << 0.0 << "Result Out of Range: Check Qts, Vas and Free Air Resonance" << true
        << "szQts";
    QTest::newRow("tuning: Qts cleared") << 2 << driver(0, 2, 30) << 25.0 << "Qts Must be Greater Than 0" << true
                                         << "szQts";
    QTest::newRow("tuning: Vas negative")
        << 2 << driver(0.4, -2, 30) << 25.0 << "Vas Must be Greater Than 0" << true << "szVas";
    QTest::newRow("tuning: Fs cleared") << 2 << driver(0.4, 2, 0) << 25.0 << "Free Air Resonance Must be Greater Than 0"
                                        << true << "szFar";
    QTest::newRow("tuning so high the volume shows as point")
        << 2 << kExample << 1000.0 << "Box Volume Below .005 Cubic Feet: Lower the Tuning Frequency" << true << "szFb";
    QTest::newRow("tuning so low the volume overflows")
        << 2 << kExample << 1e-30 << "Result Out of Range: Check Tuning Frequency" << true << "szFb";
    QTest::newRow("volume: Qts negative")
        << 3 << driver(-0.4, 2, 30) << 3.0 << "Qts Must be Greater Than 0" << true << "szQts";
    QTest::newRow("volume: Fs cleared") << 3 << driver(0.4, 2, 0) << 3.0 << "Free Air Resonance Must be Greater Than 0"
                                        << true << "szFar";
    QTest::newRow("volume so large the proportions overflow")
        << 3 << kExample << 3e38 << "Result Out of Range: Check Box Volume" << true << "szVvb";
}

void TestVentedBox::refusals()
{
    QFETCH(int, step);
    QFETCH(VentedDriver, in);
    QFETCH(double, typed);
    QFETCH(QString, prompt);
    QFETCH(bool, beeps);
    QFETCH(QString, focus);

    VentedResult r;
    switch (step) {
    case 0:
        r = ventedCalculate(in);
        break;
    case 1:
        r = ventedActivation(in, std::nullopt);
        break;
    case 2:
        r = ventedFromTuning(in, typed, kExampleFieldVb, kExampleShownVb);
        break;
    default:
        r = ventedFromVolume(in, typed, kExampleShownVb);
        break;
    }
    QVERIFY(!r.design);
    QCOMPARE(r.outcome.messages, QVector<Message> { msg::error(prompt, beeps) });
    QVERIFY(!r.outcome.beep);
    QCOMPARE(r.outcome.focusField, focus);
}

void TestVentedBox::quietNothing_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<VentedDriver>("in");
    QTest::addColumn<double>("typed");
    QTest::addColumn<double>("fieldVb");

    QTest::newRow("activation without Vas") << 1 << driver(0.4, 0, 30) << 0.0 << 0.0;
    QTest::newRow("tuning cleared") << 2 << kExample << 0.0 << kExampleFieldVb;
    QTest::newRow("tuning negative") << 2 << kExample << -25.0 << kExampleFieldVb;
    QTest::newRow("tuning with the volume cleared") << 2 << kExample << 25.0 << 0.0;
    QTest::newRow("volume cleared") << 3 << kExample << 0.0 << 0.0;
    // The field checks come first: no complaint about a cleared Qts.
    QTest::newRow("volume cleared, Qts cleared") << 3 << driver(0, 2, 30) << 0.0 << 0.0;
    // Coming back to a kept box: without a driver, or a box that shows as ".", nothing.
    QTest::newRow("kept box, Fs cleared") << 4 << driver(0.4, 2, 0) << 28.742 << 2.1629;
    QTest::newRow("kept box of .004 cubic feet") << 4 << kExample << 28.742 << 0.004;
}

void TestVentedBox::quietNothing()
{
    QFETCH(int, step);
    QFETCH(VentedDriver, in);
    QFETCH(double, typed);
    QFETCH(double, fieldVb);

    VentedResult r;
    switch (step) {
    case 1:
        r = ventedActivation(in, std::nullopt);
        break;
    case 2:
        r = ventedFromTuning(in, typed, fieldVb, kExampleShownVb);
        break;
    case 4:
        r = ventedForDriver(in, float(fieldVb), float(typed));
        break;
    default:
        r = ventedFromVolume(in, typed, kExampleShownVb);
        break;
    }
    QVERIFY(!r.design);
    QVERIFY(r.outcome.messages.isEmpty());
    QVERIFY(!r.outcome.beep);
    QVERIFY(r.outcome.focusField.isEmpty());
}

void TestVentedBox::alignmentWarnsBelowQts383_data()
{
    QTest::addColumn<double>("qts");
    QTest::addColumn<bool>("warns");
    QTest::newRow(".3") << 0.3 << true;
    QTest::newRow(".38") << 0.38 << true;
    QTest::newRow(".39") << 0.39 << false;
    QTest::newRow(".4") << 0.4 << false;
}

void TestVentedBox::alignmentWarnsBelowQts383()
{
    QFETCH(double, qts);
    QFETCH(bool, warns);
    const VentedResult r = ventedCalculate(driver(qts, 2, 30));
    QVERIFY(r.design); // the warning never stops the design
    QCOMPARE(r.outcome.messages.size(), warns ? 1 : 0);
    if (warns)
        QCOMPARE(r.outcome.messages[0], msg::warning("Tuning Frequency is Less Than Low Cutoff"));
    if (qts == 0.3) {
        QCOMPARE(shown(r.design->fb), QString("37.24"));
        QCOMPARE(shown(r.design->f3), QString("42.08"));
    }
}

QTEST_APPLESS_MAIN(TestVentedBox)
#include "tst_ventedbox.moc"
