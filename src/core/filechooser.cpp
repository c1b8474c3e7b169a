#include "core/filechooser.h"

namespace {
FileChooser* g_chooser = nullptr;
}

FileChooser* fileChooser() { return g_chooser; }

FileChooser* installFileChooser(FileChooser* chooser)
{
    FileChooser* previous = g_chooser;
    g_chooser = chooser;
    return previous;
}
