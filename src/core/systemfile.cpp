#include "core/systemfile.h"

void saveSystem() {}
void loadSystem() {}
