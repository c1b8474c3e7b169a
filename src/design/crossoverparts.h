#pragma once
// What the passive crossover calculations hand their windows: after an edit,
// either nothing (an input is missing, not positive, or a result would not be
// a finite Single), a refusal because the frequencies are in the wrong order,
// or the components to show, each a value or "N/A" for a part that the
// chosen slope does not have. The window shows them, stores them and sets its
// flags; nothing here touches a widget or the design state.

#include "design/outcome.h"

#include <QString>
#include <QVector>
#include <cmath>
#include <optional>

namespace design {

enum class XoverPart { L1, C1, L2, C2, L3, C3, L4, C4 };

inline bool isInductor(XoverPart part)
{
    return part == XoverPart::L1 || part == XoverPart::L2 || part == XoverPart::L3 || part == XoverPart::L4;
}

// "L1", "C1", ...: the part's name on the circuit picture; its field is "sz" + name.
QString partName(XoverPart part);

inline constexpr QStringView kInductancePattern = u"###.###"; // mH
inline constexpr QStringView kCapacitancePattern = u"##.####"; // uF
inline const QString kNotApplicable = QStringLiteral("N/A");

// A result field's new content: the value (mH or uF), or none for "N/A".
struct PartValue {
    XoverPart part;
    std::optional<float> value;
    bool operator==(const PartValue&) const = default;
};

// The field text of a part: its value with the part's pattern, or "N/A".
QString partText(const PartValue& part);

struct XoverRecalc {
    enum class Status { Skipped, OrderRefused, Computed };
    Status status = Status::Skipped;
    QVector<PartValue> parts; // in the order they are computed; only when Computed
    Outcome outcome; // the message of a refusal that speaks

    bool computed() const { return status == Status::Computed; }
};

// An input that a calculation may use: finite and greater than 0.
inline bool isPositive(double value) { return std::isfinite(value) && value > 0; }

// Evaluates the requested parts; a part given without a formula shows "N/A".
// Any value that is not a finite Single turns the whole result into Skipped,
// so a field never shows, and the design state never holds, an overflow.
struct PartFormula {
    XoverPart part;
    std::optional<double> value; // none: "N/A"
};
XoverRecalc computedParts(std::initializer_list<PartFormula> formulas);

} // namespace design
