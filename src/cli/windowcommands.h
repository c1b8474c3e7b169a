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
    const char* field; // nullptr: kDriverOption, which fills several fields
    const char* help;
    // Given, this option presses that button instead of the command's own.
    const char* button = nullptr;
    // Typed after the button was pressed and then left, so that the field's
    // own rule recomputes the design (the vented tuning and volume).
    bool afterCalculate = false;
};

// --driver NAME: the driver library's driver fills the window's driver
// fields (as picking it does) before the options given are typed.
inline constexpr const char* kDriverOption = "driver";

struct FlagOption {
    const char* option;
    const char* field;
    const char* text; // what the flag types into the field
    const char* help;
};

struct OutputField {
    const char* field;
    CaptionPlace place = CaptionPlace::Beside;
    bool omitWhenEmpty = false; // a table row the inputs left unused
};

// An option whose values are the buttons of the window that opens this one
// (the crossover selector's slopes).
struct ChoiceOption {
    const char* option = nullptr; // nullptr: the command has none
    const char* help = nullptr;
    std::vector<std::pair<const char*, const char*>> buttons; // value, button; the first is the default
};

struct WindowCommand {
    const char* name;
    const char* summary;
    const char* example;
    // Opens (creates) the window; `choice` is the chosen button of `choice`.
    std::function<QWidget*(const char* choice)> open;
    std::vector<InputOption> inputs;
    std::vector<FlagOption> flags;
    const char* button; // nullptr: the window computes as the fields change
    std::vector<OutputField> outputs;
    // The window made a design: by default the shared designValid flag;
    // windows without it name a result field that a design fills.
    const char* filledWhenDesigned = nullptr;
    ChoiceOption choice = {};
};

const std::vector<WindowCommand>& windowCommands();
const WindowCommand* findWindowCommand(const QString& name);
