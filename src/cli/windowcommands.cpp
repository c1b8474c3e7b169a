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

const FlagOption kIsobaric { "isobaric", "szISO", "Y", "an isobaric pair of drivers" };

std::vector<WindowCommand> makeCommands()
{
    std::vector<WindowCommand> commands;

    commands.push_back({ .name = "closed",
        .summary = "Closed box: the volume for a desired Qtc, or the Qtc of a given volume.",
        .example = "tolvan-cli closed --qts .35 --vas 2 --fs 30 --qtc .707",
        .fields = frmClose::fieldTable(),
        .open = open<frmClose>,
        .button = "btnCal",
        .rules = { { "vb", "given, the Qtc of this volume is calculated (\"Calculate\" For Qtc)", "Command1" } },
        .flags = { kIsobaric },
        .takesDriver = true });

    commands.push_back({ .name = "vented",
        .summary = "Vented box: volume, tuning, cut-off, hump or dip, port lengths and proportions.",
        .example = "tolvan-cli vented --qts .4 --vas 2 --fs 30",
        .fields = frmVented::fieldTable(),
        .open = open<frmVented>,
        .button = "Command1",
        .rules = { { "fb", "typed after Calculate: the volume follows", nullptr, true },
            { "vb", "typed after Calculate: the tuning follows", nullptr, true } },
        .flags = { kIsobaric },
        .takesDriver = true });

    commands.push_back({ .name = "radiator",
        .summary = "Passive radiator box: radiator volume, tuning, cut-off, box volume and proportions.",
        .example = "tolvan-cli radiator --qts .4 --vas 2 --fs 30 --vd 1.6",
        .fields = frmRadiator::fieldTable(),
        .open = open<frmRadiator>,
        .button = "Command1",
        .flags = { kIsobaric },
        .takesDriver = true });

    commands.push_back({ .name = "bandpass",
        .summary = "Fourth-order bandpass box: both sections, tuning, ports and the optional coil.",
        .example = "tolvan-cli bandpass --qts .5 --re 8 --vas 2 --fs 25 --fl3 25",
        .fields = FrmBand::fieldTable(),
        .open = open<FrmBand>,
        .button = "Command1",
        .flags = { { "isobaric", "szISOB", "Y", "an isobaric pair of drivers" } },
        .takesDriver = true });

    commands.push_back({ .name = "measure",
        .summary = "Driver parameters Qms, Qes, Qts and Vas from impedance measurements.",
        .example = "tolvan-cli measure --re 6 --fs 30 --zmax 40 --f1 20 --f2 45 --vt 1 --fct 50",
        .fields = frmSpeaker::fieldTable(),
        .open = open<frmSpeaker>,
        .button = "Command2",
        .filledWhenDesigned = "szQts" });

    commands.push_back({ .name = "active2",
        .summary = "Active 2-way crossover, 18 dB per octave: resistors and capacitors.",
        .example = "tolvan-cli active2 --freq 3000",
        .fields = frmAX2::fieldTable(),
        .open = open<frmAX2>,
        .button = "btnCal" });

    commands.push_back({ .name = "active3",
        .summary = "Active 3-way crossover, 18 dB per octave: resistors and capacitors.",
        .example = "tolvan-cli active3 --high 3000 --low 500",
        .fields = frmAX3::fieldTable(),
        .open = open<frmAX3>,
        .button = "btnCal" });

    commands.push_back({ .name = "networks",
        .summary = "Compensating networks: notch filter for the resonance peak, equalisation of the voice coil.",
        .example = "tolvan-cli networks --fs 30 --qes .4 --qms 3 --re 6 --le .5",
        .fields = FmNet::fieldTable(),
        .open = open<FmNet>,
        .button = "btn_Cal",
        .takesDriver = true });

    const ChoiceOption twoWaySlope { "slope", "6 or 12 dB per octave (6)",
        { { "6", "btn6db2p" }, { "12", "btn12db2p" } } };
    commands.push_back({ .name = "xover2",
        .summary = "Passive 2-way crossover, 6 or 12 dB per octave: L1 and C1 (and L2, C2).",
        .example = "tolvan-cli xover2 --slope 12 --freq 3000 --woofer 8 --tweeter 6",
        .fields = frmXover::fieldTable(),
        .open = openFromSelector<frmXover>,
        .button = nullptr,
        .choice = twoWaySlope });

    const ChoiceOption threeWaySlope { "slope", "6 or 12 dB per octave (6)",
        { { "6", "btn6db3p" }, { "12", "btn12db3p" } } };
    commands.push_back({ .name = "xover3",
        .summary = "Passive 3-way crossover, 6 or 12 dB per octave: L1 to L4 and C1 to C4.",
        .example = "tolvan-cli xover3 --slope 12 --high 3000 --low 300 --tweeter 6 --mid 8 --woofer 8",
        .fields = frmXover3::fieldTable(),
        .open = openFromSelector<frmXover3>,
        .button = nullptr,
        .choice = threeWaySlope });

    commands.push_back({ .name = "coil",
        .summary = "Air-core inductors: size, turns and wire gauge of up to six coils.",
        .example = "tolvan-cli coil --l1 2.5 --r1 .4 --l2 .33 --r2 .3",
        .fields = frmCoil::fieldTable(),
        .open = open<frmCoil>,
        .button = "btn_Cal",
        .filledWhenDesigned = "szN1" });

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

std::vector<const FieldSpec*> optionFields(const WindowCommand& command)
{
    std::vector<const FieldSpec*> inputs;
    for (const FieldSpec& spec : command.fields)
        if (spec.key && spec.isInput())
            inputs.push_back(&spec);
    return inputs;
}

const OptionRule* ruleFor(const WindowCommand& command, const char* option)
{
    for (const OptionRule& rule : command.rules)
        if (qstrcmp(rule.option, option) == 0)
            return &rule;
    return nullptr;
}
