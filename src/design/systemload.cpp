#include "design/systemload.h"

#include "core/systemfile.h"
#include "design/bandpassbox.h"

#include <functional>

namespace {
bool completeLoad(bool loaded)
{
    if (loaded) {
        DesignState& state = designState();
        design::recomputeBandPaAfterLoad(state);
        // A box design comes with the driver it was saved with.
        state.boxDesignedFor = boxDriverOf(state);
    }
    return loaded;
}

std::optional<OtherSystem> completeRead(const std::function<std::optional<QString>(DesignState&)>& read)
{
    OtherSystem other;
    applyStartValues(other.design);
    const std::optional<QString> file = read(other.design);
    if (!file)
        return std::nullopt;
    design::recomputeBandPaAfterLoad(other.design);
    other.design.boxDesignedFor = boxDriverOf(other.design);
    other.file = *file;
    return other;
}
} // namespace

bool loadSystem() { return completeLoad(loadSystemRecord()); }

bool loadSystemFile(const QString& path) { return completeLoad(loadSystemRecordFile(path)); }

std::optional<OtherSystem> readOtherSystem(const QString& title)
{
    return completeRead([&title](DesignState& state) { return readSystemRecordInto(state, title); });
}

std::optional<OtherSystem> readOtherSystemFile(const QString& path)
{
    return completeRead([&path](DesignState& state) { return readSystemRecordFileInto(path, state); });
}
