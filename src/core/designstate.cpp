#include "core/designstate.h"

DesignState& designState()
{
    static DesignState state;
    return state;
}

void applyStartValues(DesignState& state)
{
    state.xoverType = XoverType::None;
    state.boxValid = 0;
    state.bandValid = 0;
    state.boxType = BoxType::None;
    state.isoFactor = 1.0f;
    state.bandIsoFactor = 1.0f;
}

namespace {
int g_loads = 0;
}

int designLoadCount() { return g_loads; }

void countDesignLoad() { ++g_loads; }

BoxDriver boxDriverOf(const DesignState& state) { return { state.qts, state.vas, state.fs, state.isoFactor }; }
