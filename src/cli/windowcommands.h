#pragma once
// The subcommands that run a design window: which window, which option goes
// into which field, which button is pressed and which fields are read back.
// The window does the work exactly as for a user, so the command line shows
// the window's own texts and messages and no formula lives here.

#include "cli/fieldreading.h"

#include <QString>
#include <functional>
#include <vector>

class QWidget;

struct InputOption {
    const char* option; // without "--"
    const char* field;
    const char* help;
    // Given, this option presses that button instead of the command's own.
    const char* button = nullptr;
    // Typed after the button was pressed and then left, so that the field's
    // own rule recomputes the design (the vented tuning and volume).
    bool afterCalculate = false;
};

struct FlagOption {
    const char* option;
    const char* field;
    const char* text; // what the flag types into the field
    const char* help;
};

struct OutputField {
    const char* field;
    CaptionPlace place = CaptionPlace::Beside;
};

struct WindowCommand {
    const char* name;
    const char* summary;
    const char* example;
    std::function<QWidget*()> open; // opens (creates) the window
    std::vector<InputOption> inputs;
    std::vector<FlagOption> flags;
    const char* button;
    std::vector<OutputField> outputs;
    // The window made a design: by default the shared designValid flag;
    // windows without it name a result field that a design fills.
    const char* filledWhenDesigned = nullptr;
};

const std::vector<WindowCommand>& windowCommands();
const WindowCommand* findWindowCommand(const QString& name);
