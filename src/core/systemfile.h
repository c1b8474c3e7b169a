#pragma once
// Saving and loading the whole design as a system file (".TLV"): the
// procedures behind "Save System" and "Load System". They ask for the file
// name through the installed FileChooser and report failures through the
// message service.

void saveSystem();
void loadSystem();
