#include "core/designstate.h"

DesignState& designState()
{
    static DesignState state;
    return state;
}

void applyStartValues(DesignState& state)
{
    state.xoverType = 0;
    state.boxValid = 0;
    state.bandValid = 0;
    state.boxType = -1;
    state.isoFactor = 1.0f;
    state.bandIsoFactor = 1.0f;
}

namespace {
int g_loads = 0;
}

int designLoadCount() { return g_loads; }

void countDesignLoad() { ++g_loads; }
