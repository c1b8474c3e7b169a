#include "design/drivermeasurement.h"

#include "design/singles.h"

#include <cmath>
#include <limits>

namespace design {
namespace {

const QString kReEqualsZmax = QStringLiteral("Speaker Resistance Must NOT Equal Impedance at Resonance");
const QString kQmsNegative = QStringLiteral("Qms Can NOT be Negative");
const QString kQesNegative = QStringLiteral("Qes Can NOT be Negative");

Outcome qRefusal(const QString& prompt) { return Outcome::message(msg::error(prompt), QStringLiteral("szRdct")); }

} // namespace

bool MeasurementInputs::allPositive() const
{
    return re > 0 && fs > 0 && zmax > 0 && f1 > 0 && f2 > 0 && vt > 0 && fct > 0;
}

ReferenceImpedance referenceImpedance(double re, double zmax)
{
    if (!(re > 0 && zmax > 0))
        return {};
    if (zmax == re)
        return { std::nullopt, msg::plain(kReEqualsZmax) };
    return { toFiniteSingle(std::sqrt(zmax / re) * re), std::nullopt };
}

std::optional<Outcome> checkInputs(const MeasurementInputs& in)
{
    struct Check {
        bool fails;
        const char* prompt;
        const char* focus;
    };
    const Check checks[] = {
        { in.f1 == in.f2, "Freq. Below and Above Can NOT Be Equal", "szFlt" },
        { in.re == in.f2 - in.f1, "Freq. Above and Below Difference Must NOT Equal Speaker Resistance", "szRdct" },
        { in.zmax == in.re / (in.f2 - in.f1),
            "Bad Value in Freq. Above, Below, Speaker Resistance, or Impedance Resonance", "szRdct" },
        { in.fs == in.fct, "Resonance Must NOT Equal Resonance in Test Box", "szFrt" },
    };
    for (const Check& check : checks)
        if (check.fails)
            return Outcome::message(msg::plain(QString::fromLatin1(check.prompt)), QString::fromLatin1(check.focus));
    return std::nullopt;
}

QFactorsResult computeQFactors(const MeasurementInputs& in)
{
    const QString outOfRange = QStringLiteral("Qms, Qes or Qts Is Out of Range. Check Speaker Resistance, Resonance, "
                                              "Impedance at Resonance and the Two Frequencies");

    const auto qms = toFiniteSingle(in.fs * std::sqrt(in.zmax / in.re) / (in.f2 - in.f1));
    if (!qms)
        return { std::nullopt, qRefusal(outOfRange) };
    const auto qes = toFiniteSingle(double(*qms) / (in.zmax / in.re - 1));
    if (!qes)
        return { std::nullopt, qRefusal(outOfRange) };
    const double sum = double(*qms) + double(*qes);
    if (sum == 0)
        return { std::nullopt,
            qRefusal(QStringLiteral("Qts Can NOT be Calculated: Qms + Qes Is 0. Check Speaker Resistance, "
                                    "Resonance, Impedance at Resonance and the Two Frequencies")) };
    const auto qts = toFiniteSingle(double(*qms) * double(*qes) / sum);
    if (!qts)
        return { std::nullopt, qRefusal(outOfRange) };
    return { QFactors { *qms, *qes, *qts }, std::nullopt };
}

std::optional<float> computeVas(double vt, double fct, double fs)
{
    const double ratio = fct / fs;
    return toFiniteSingle(vt * 1.15 * (ratio * ratio - 1));
}

MeasurementResult measureDriver(const MeasurementInputs& in)
{
    MeasurementResult result;
    if (!in.allPositive())
        return result;
    if (const auto failure = checkInputs(in)) {
        result.outcome = *failure;
        return result;
    }
    if (in.zmax == in.re) {
        result.outcome = Outcome::message(msg::plain(kReEqualsZmax));
        return result;
    }
    const QFactorsResult q = computeQFactors(in);
    if (q.refusal) {
        result.outcome = *q.refusal;
        return result;
    }
    // Negative Qs are reported but still shown and stored.
    if (q.q->qms < 0)
        result.outcome.messages << msg::plain(kQmsNegative);
    if (q.q->qes < 0)
        result.outcome.messages << msg::plain(kQesNegative);
    result.q = q.q;
    // The Qs stand on their own: a Vas out of range refuses only itself.
    result.vas = computeVas(in.vt, in.fct, in.fs);
    if (!result.vas) {
        result.outcome.messages << msg::error(
            QStringLiteral("Vas Is Out of Range. Check Volume of Test Box, Resonance in Test Box and Resonance"));
        result.outcome.focusField = QStringLiteral("szVtbt");
    }
    return result;
}

std::optional<QFactors> qFactorsForExit(const MeasurementInputs& in)
{
    if (!in.allPositive() || checkInputs(in) || in.zmax == in.re)
        return std::nullopt;
    return computeQFactors(in).q;
}

} // namespace design
