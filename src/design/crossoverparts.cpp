#include "design/crossoverparts.h"

#include "core/numberformat.h"
#include "design/singles.h"

namespace design {

QString partName(XoverPart part)
{
    static const char* const names[] = { "L1", "C1", "L2", "C2", "L3", "C3", "L4", "C4" };
    return QString::fromLatin1(names[static_cast<int>(part)]);
}

QString partText(const PartValue& part)
{
    if (!part.value)
        return kNotApplicable;
    return formatNumber(*part.value, isInductor(part.part) ? kInductancePattern : kCapacitancePattern);
}

XoverRecalc computedParts(std::initializer_list<PartFormula> formulas)
{
    XoverRecalc result;
    for (const PartFormula& formula : formulas) {
        PartValue value { formula.part, std::nullopt };
        if (formula.value) {
            value.value = toFiniteSingle(*formula.value);
            if (!value.value)
                return {};
        }
        result.parts.append(value);
    }
    result.status = XoverRecalc::Status::Computed;
    return result;
}

} // namespace design
