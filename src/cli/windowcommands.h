#pragma once
// The subcommands that run a design window: which window, which button is
// pressed, and what the command line adds to the window's declared fields
// (platform/windowfields.h). The options are the window's inputs, named by
// their keys; the output is the window's results, by section. The window
// does the work exactly as for a user, so the command line shows the
// window's own texts and messages and no formula lives here.

#include "platform/windowfields.h"

#include <QString>
#include <functional>
#include <span>
#include <vector>

class QWidget;

// An input whose option acts otherwise than typing it before the button.
struct OptionRule {
    const char* option;
    const char* help; // added to the option's description
    // Given, this option presses that button instead of the command's own.
    const char* button = nullptr;
    // Typed after the button was pressed and then left, so that the field's
    // own rule recomputes the design (the vented tuning and volume).
    bool afterCalculate = false;
};

// A flag that types a fixed text into a field.
struct FlagOption {
    const char* option;
    const char* field;
    const char* text;
    const char* help;
};

// An option whose values are the buttons of the window that opens this one
// (the crossover selector's slopes).
struct ChoiceOption {
    const char* option = nullptr; // nullptr: the command has none
    const char* help = nullptr;
    std::vector<std::pair<const char*, const char*>> buttons; // value, button; the first is the default
};

// A result the window makes only from some inputs: when it stays empty, the
// command line names those of the options that were not given (nor taken
// from the driver), so that it never leaves a result out without a word.
struct ResultNeeds {
    const char* result; // a result field
    std::vector<const char*> options;
};

struct WindowCommand {
    const char* name;
    const char* summary;
    const char* example;
    std::span<const FieldEntry> (*fields)(); // the window's declared table
    // Opens (creates) the window; `choice` is the chosen button of `choice`.
    std::function<QWidget*(const char* choice)> open;
    const char* button; // nullptr: the window computes as the fields change
    std::vector<OptionRule> rules = {};
    std::vector<FlagOption> flags = {};
    // --driver NAME: the library's driver fills the window's driver fields
    // (as picking it does) before the options given are typed.
    bool takesDriver = false;
    // The window made a design: by default the shared designValid flag;
    // windows without it name a result field that a design fills.
    const char* filledWhenDesigned = nullptr;
    ChoiceOption choice = {};
    std::vector<ResultNeeds> needs = {};
};

inline constexpr const char* kDriverOption = "driver";

const std::vector<WindowCommand>& windowCommands();
const WindowCommand* findWindowCommand(const QString& name);

// The inputs the command takes as options: the fields with a key.
std::vector<const FieldEntry*> optionFields(const WindowCommand& command);
const OptionRule* ruleFor(const WindowCommand& command, const char* option);
