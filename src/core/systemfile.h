#pragma once
// Saving and loading the whole design as a system file (".TLV"): the
// procedures behind "Save System" and "Load System". They ask for the file
// name through the installed FileChooser and report failures through the
// message service.
//
// The loads here bring the record alone into the design state. The program
// loads through design/systemload.h, which adds what a load implies.

#include <QString>
#include <optional>

struct DesignState;

// What the program keeps beside each system file, in a file of its own (the
// graph's kept curves), so that the record stays exactly 374 bytes. It is
// written after each save of a record and read after each load of one; it
// reports its own failures. Without one installed, only the record is saved
// and loaded.
class SystemFileCompanion {
public:
    virtual ~SystemFileCompanion() = default;
    // The record was written to `systemFile`; false when the companion could not be.
    virtual bool saved(const QString& systemFile) = 0;
    // The record was read from `systemFile`.
    virtual void loaded(const QString& systemFile) = 0;
    // What it keeps now counts as saved (see noteDesignKept).
    virtual void noteKept() = 0;
    virtual bool changedSinceKept() const = 0;
};
// Installs a companion (the caller keeps ownership); returns the previous one.
SystemFileCompanion* installSystemFileCompanion(SystemFileCompanion* companion);

// True when the design was written (not cancelled, no failure left standing),
// its companion included.
bool saveSystem();

// Whether the saved variables, or what the companion keeps, differ from the
// design as last saved or loaded (or as the program started, noted with
// noteDesignKept).
bool designChangedSinceKept();
void noteDesignKept();
// The loads return true when a record was loaded; each such load counts as
// one (designLoadCount), so that open windows know to show it.
bool loadSystemRecord();
// Load with the name already chosen (a file opened from the command line or
// the file manager): the same attempt and messages; Retry asks through the
// dialog as Load does.
bool loadSystemRecordFile(const QString& path);

// Another system file's record beside the design: asked for as Load asks
// (the dialog titled `title`), read with the same checks and messages, and
// decoded into `state` alone. The design state, the count of loads and the
// companion are left as they are. The file read, or empty when none was.
std::optional<QString> readSystemRecordInto(DesignState& state, const QString& title);
// The same with the name already chosen.
std::optional<QString> readSystemRecordFileInto(const QString& path, DesignState& state);
