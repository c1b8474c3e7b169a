#pragma once
// Saving and loading the whole design as a system file (".TLV"): the
// procedures behind "Save System" and "Load System". They ask for the file
// name through the installed FileChooser and report failures through the
// message service.
//
// The loads here bring the record alone into the design state. The program
// loads through design/systemload.h, which adds what a load implies.

#include <QString>

// True when the design was written (not cancelled, no failure left standing).
bool saveSystem();

// Whether the saved variables differ from the design as last saved or loaded
// (or as the program started, noted with noteDesignKept).
bool designChangedSinceKept();
void noteDesignKept();
// The loads return true when a record was loaded; each such load counts as
// one (designLoadCount), so that open windows know to show it.
bool loadSystemRecord();
// Load with the name already chosen (a file opened from the command line or
// the file manager): the same attempt and messages; Retry asks through the
// dialog as Load does.
bool loadSystemRecordFile(const QString& path);
