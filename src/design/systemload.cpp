#include "design/systemload.h"

#include "core/designstate.h"
#include "core/systemfile.h"
#include "design/bandpassbox.h"

namespace {
bool completeLoad(bool loaded)
{
    if (loaded)
        design::recomputeBandPaAfterLoad(designState());
    return loaded;
}
} // namespace

bool loadSystem() { return completeLoad(loadSystemRecord()); }

bool loadSystemFile(const QString& path) { return completeLoad(loadSystemRecordFile(path)); }
