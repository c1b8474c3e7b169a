#include "cli/statevariables.h"

#include "core/numberformat.h"
#include "core/systemrecord.h"

namespace {

QString shown(const DesignState& state, const SavedVariable& variable)
{
    return visitSaved(state, variable, [](const auto& value) -> QString {
        using T = std::remove_cvref_t<decltype(value)>;
        if constexpr (std::is_same_v<T, Text30>)
            return value.text();
        else if constexpr (std::is_enum_v<T>)
            return QString::number(static_cast<std::underlying_type_t<T>>(value));
        else if constexpr (std::is_same_v<T, std::int16_t>)
            return QString::number(value);
        else
            return numberText(value).trimmed();
    });
}

} // namespace

QVector<FieldReading> savedVariableReadings(const DesignState& state)
{
    QVector<FieldReading> out;
    for (const SavedVariable& variable : savedVariables()) {
        // The two spare capacitor slots are no window's variables.
        if (std::holds_alternative<SpareSlot>(variable.member))
            continue;
        const QString name = QString::fromLatin1(variable.name);
        out.append({ name, name + u':', shown(state, variable), {}, {} });
    }
    return out;
}
