#include "design/systemload.h"

#include "core/designstate.h"
#include "core/systemfile.h"
#include "design/bandpassbox.h"

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
} // namespace

bool loadSystem() { return completeLoad(loadSystemRecord()); }

bool loadSystemFile(const QString& path) { return completeLoad(loadSystemRecordFile(path)); }
