#include "cli/windowcommands.h"

#include "platform/designwindow.h"
#include "ui/FmNet.h"
#include "ui/FrmBand.h"
#include "ui/frmAX2.h"
#include "ui/frmAX3.h"
#include "ui/frmClose.h"
#include "ui/frmCoil.h"
#include "ui/frmCross.h"
#include "ui/frmRadiator.h"
#include "ui/frmSpeaker.h"
#include "ui/frmVented.h"
#include "ui/frmXover.h"
#include "ui/frmXover3.h"

#include <QPushButton>

#include <algorithm>

namespace {

template <class W> QWidget* open(const char*) { return openWindow<W>(); }

// A passive crossover window, opened by the selector's button for the slope;
// the selector itself is never shown.
template <class W> QWidget* openFromSelector(const char* button)
{
    frmCross selector;
    if (auto* press = selector.findChild<QPushButton*>(QString::fromLatin1(button)))
        press->click();
    return existingWindow<W>();
}

// A command that opens window W and presses `button` (nullptr: none, the
// window computes as its fields change).
template <class W>
WindowCommand command(const char* name, const char* summary, const char* example, const char* button,
    QWidget* (*opens)(const char*) = open<W>)
{
    return { name, summary, example, W::fieldTable, opens, button };
}

const FlagOption kIsobaric { "isobaric", "szISO", "Y", "an isobaric pair of drivers" };

// Box windows take a driver of the library and the isobaric flag.
WindowCommand boxCommand(WindowCommand command, const FlagOption& isobaric = kIsobaric)
{
    command.flags = { isobaric };
    command.takesDriver = true;
    return command;
}

ChoiceOption slope(const char* six, const char* twelve)
{
    return { "slope", "6 or 12 dB per octave (6)", { { "6", six }, { "12", twelve } } };
}

std::vector<WindowCommand> makeCommands()
{
    std::vector<WindowCommand> commands {
        boxCommand(
            command<frmClose>("closed", "Closed box: the volume for a desired Qtc, or the Qtc of a given volume.",
                "tolvan-cli closed --qts .35 --vas 2 --fs 30 --qtc .707", "btnCal")),
        boxCommand(command<frmVented>("vented",
            "Vented box: volume, tuning, cut-off, hump or dip, port lengths and proportions.",
            "tolvan-cli vented --qts .4 --vas 2 --fs 30", "Command1")),
        boxCommand(command<frmRadiator>("radiator",
            "Passive radiator box: radiator volume, tuning, cut-off, box volume and proportions.",
            "tolvan-cli radiator --qts .4 --vas 2 --fs 30 --vd 1.6", "Command1")),
        boxCommand(command<FrmBand>("bandpass",
                       "Fourth-order bandpass box: both sections, tuning, ports and the optional coil.",
                       "tolvan-cli bandpass --qts .5 --re 8 --vas 2 --fs 25 --fl3 25", "Command1"),
            { "isobaric", "szISOB", "Y", "an isobaric pair of drivers" }),
        command<frmSpeaker>("measure", "Driver parameters Qms, Qes, Qts and Vas from impedance measurements.",
            "tolvan-cli measure --re 6 --fs 30 --zmax 40 --f1 20 --f2 45 --vt 1 --fct 50", "Command2"),
        command<frmAX2>("active2", "Active 2-way crossover, 18 dB per octave: resistors and capacitors.",
            "tolvan-cli active2 --freq 3000", "btnCal"),
        command<frmAX3>("active3", "Active 3-way crossover, 18 dB per octave: resistors and capacitors.",
            "tolvan-cli active3 --high 3000 --low 500", "btnCal"),
        command<FmNet>("networks",
            "Compensating networks: notch filter for the resonance peak, equalisation of the voice coil.",
            "tolvan-cli networks --fs 30 --qes .4 --qms 3 --re 6 --le .5", "btn_Cal"),
        command<frmXover>("xover2", "Passive 2-way crossover, 6 or 12 dB per octave: L1 and C1 (and L2, C2).",
            "tolvan-cli xover2 --slope 12 --freq 3000 --woofer 8 --tweeter 6", nullptr, openFromSelector<frmXover>),
        command<frmXover3>("xover3", "Passive 3-way crossover, 6 or 12 dB per octave: L1 to L4 and C1 to C4.",
            "tolvan-cli xover3 --slope 12 --high 3000 --low 300 --tweeter 6 --mid 8 --woofer 8", nullptr,
            openFromSelector<frmXover3>),
        command<frmCoil>("coil", "Air-core inductors: size, turns and wire gauge of up to six coils.",
            "tolvan-cli coil --l1 2.5 --r1 .4 --l2 .33 --r2 .3", "btn_Cal"),
    };
    // What some commands add.
    const auto find = [&commands](const char* name) -> WindowCommand& {
        const auto it = std::find_if(commands.begin(), commands.end(),
            [name](const WindowCommand& command) { return qstrcmp(command.name, name) == 0; });
        Q_ASSERT(it != commands.end());
        return *it;
    };
    find("closed").rules
        = { { "vb", "given, the Qtc of this volume is calculated (\"Calculate\" For Qtc)", "Command1" } };
    find("vented").rules = { { "fb", "typed after Calculate: the volume follows", nullptr, true },
        { "vb", "typed after Calculate: the tuning follows", nullptr, true } };
    find("measure").filledWhenDesigned = "szQts";
    find("networks").takesDriver = true;
    find("networks").needs = { { "szCnf", { "fs", "re" } }, { "szCic", { "re", "le" } } };
    find("radiator").needs = { { "szVpr", { "vd" } } };
    find("xover2").choice = slope("btn6db2p", "btn12db2p");
    find("xover3").choice = slope("btn6db3p", "btn12db3p");
    find("coil").filledWhenDesigned = "szN1";
    return commands;
}

} // namespace

const std::vector<WindowCommand>& windowCommands()
{
    static const std::vector<WindowCommand> commands = makeCommands();
    return commands;
}

const WindowCommand* findWindowCommand(const QString& name)
{
    for (const WindowCommand& command : windowCommands())
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

std::vector<const FieldEntry*> optionFields(const WindowCommand& command)
{
    std::vector<const FieldEntry*> inputs;
    for (const FieldEntry& entry : command.fields())
        if (entry.key && entry.isInput())
            inputs.push_back(&entry);
    return inputs;
}

const OptionRule* ruleFor(const WindowCommand& command, const char* option)
{
    for (const OptionRule& rule : command.rules)
        if (qstrcmp(rule.option, option) == 0)
            return &rule;
    return nullptr;
}
