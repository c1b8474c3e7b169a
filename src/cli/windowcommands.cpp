#include "cli/windowcommands.h"

#include "platform/designwindow.h"
#include "ui/FmNet.h"
#include "ui/FrmBand.h"
#include "ui/boxlayout.h"
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

// The port lengths of the vented and bandpass windows, diameter by diameter.
std::vector<OutputField> portTable()
{
    std::vector<OutputField> ports;
    for (const char* name : boxui::kPortFields)
        ports.push_back({ name, CaptionPlace::TableCell });
    return ports;
}

std::vector<OutputField> operator+(std::vector<OutputField> first, const std::vector<OutputField>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::vector<OutputField> coilRows()
{
    static const char* const names[]
        = { "szD1", "szH1", "szN1", "szG1", "szD2", "szH2", "szN2", "szG2", "szD3", "szH3", "szN3", "szG3", "szD4",
              "szH4", "szN4", "szG4", "szD5", "szH5", "szN5", "szG5", "szD6", "szH6", "szN6", "szG6" };
    std::vector<OutputField> rows;
    for (const char* name : names)
        rows.push_back({ name, CaptionPlace::TableCell, true });
    return rows;
}

const FlagOption kIsobaric { "isobaric", "szISO", "Y", "an isobaric pair of drivers" };
const InputOption kWoofer { "name", "szWoofBox", "woofer name" };
const InputOption kDriver { kDriverOption, nullptr,
    "a driver of the library: its values, the options given override them" };

std::vector<WindowCommand> makeCommands()
{
    std::vector<WindowCommand> commands;

    commands.push_back({ "closed", "Closed box: the volume for a desired Qtc, or the Qtc of a given volume.",
        "tolvan-cli closed --qts .35 --vas 2 --fs 30 --qtc .707", open<frmClose>,
        { kDriver, kWoofer, { "qts", "szQts", "driver Qts" }, { "vas", "szVas", "Vas, cubic feet" },
            { "fs", "szFar", "free-air resonance, Hz" }, { "qtc", "szQd", "desired Qtc (0.5 to 1.5)" },
            { "vb", "szVcb", "box volume, cubic feet: calculate the Qtc of this volume", "Command1" } },
        { kIsobaric }, "btnCal",
        { { "szVcb" }, { "szVover" }, { "szQd" }, { "szFc" }, { "szF3" }, { "szH" }, { "szW" }, { "szD" } } });

    commands.push_back({ "vented", "Vented box: volume, tuning, cut-off, hump or dip, port lengths and proportions.",
        "tolvan-cli vented --qts .4 --vas 2 --fs 30", open<frmVented>,
        { kDriver, kWoofer, { "qts", "szQts", "driver Qts" }, { "vas", "szVas", "Vas, cubic feet" },
            { "fs", "szFar", "free-air resonance, Hz" },
            { "fb", "szFb", "another tuning frequency, Hz: the volume follows", nullptr, true },
            { "vb", "szVvb", "another box volume, cubic feet: the tuning follows", nullptr, true } },
        { kIsobaric }, "Command1",
        std::vector<OutputField> {
            { "szVvb" }, { "szVover" }, { "szFb" }, { "szF3" }, { "szH" }, { "szH1" }, { "szW1" }, { "szD1" } }
            + portTable() });

    commands.push_back({ "radiator",
        "Passive radiator box: radiator volume, tuning, cut-off, box volume and proportions.",
        "tolvan-cli radiator --qts .4 --vas 2 --fs 30 --vd 1.6", open<frmRadiator>,
        { kDriver, kWoofer, { "qts", "szQts", "driver Qts (.2 to .44)" }, { "vas", "szVas", "Vas, cubic feet" },
            { "fs", "szFar", "free-air resonance, Hz" }, { "vd", "szVd", "driver displacement volume, 10^-4 m^3" } },
        { kIsobaric }, "Command1",
        { { "szVpr" }, { "szVvb" }, { "szVover" }, { "szFb" }, { "szF3" }, { "szH1" }, { "szW1" }, { "szD1" } } });

    commands.push_back({ "bandpass", "Fourth-order bandpass box: both sections, tuning, ports and the optional coil.",
        "tolvan-cli bandpass --qts .5 --re 8 --vas 2 --fs 25 --fl3 25", open<FrmBand>,
        { kDriver, { "name", "szWoofBP", "woofer name" }, { "qts", "szQtsb", "driver Qts" },
            { "re", "szRdcb", "driver impedance, ohms" }, { "vas", "szVasb", "Vas, cubic feet" },
            { "fs", "szFarb", "free-air resonance, Hz" }, { "fl3", "szFl3", "desired low cut-off, Hz" } },
        { { "isobaric", "szISOB", "Y", "an isobaric pair of drivers" } }, "Command1",
        std::vector<OutputField> {
            { "szFh3" }, { "szVbb" }, { "szVf" }, { "szFbb" }, { "szL" }, { "szFsQt" }, { "szPa" } }
            + portTable() });

    commands.push_back({ "measure", "Driver parameters Qms, Qes, Qts and Vas from impedance measurements.",
        "tolvan-cli measure --re 6 --fs 30 --zmax 40 --f1 20 --f2 45 --vt 1 --fct 50", open<frmSpeaker>,
        { { "name", "szWoofTest", "woofer name" }, { "re", "szRdct", "dc resistance Re, ohms" },
            { "fs", "szFrt", "free-air resonance Fs, Hz" }, { "zmax", "szIfr", "impedance at resonance, ohms" },
            { "f1", "szFlt", "frequency below resonance where the impedance is Z', Hz" },
            { "f2", "szFht", "frequency above resonance where the impedance is Z', Hz" },
            { "vt", "szVtbt", "volume of the test box, cubic feet" },
            { "fct", "szFrtbt", "resonance in the test box, Hz" } },
        {}, "Command2", { { "szZ" }, { "szVast" }, { "szQes" }, { "szQms" }, { "szQts" } }, "szQts" });

    commands.push_back({ "active2", "Active 2-way crossover, 18 dB per octave: resistors and capacitors.",
        "tolvan-cli active2 --freq 3000", open<frmAX2>, { { "freq", "szFrq", "crossover frequency, Hz" } }, {},
        "btnCal",
        { { "szR" }, { "szR1" }, { "szR2" }, { "szR3" }, { "szR4" }, { "szC" }, { "szC1" }, { "szC2" }, { "szC3" },
            { "szC4" } } });

    commands.push_back({ "active3", "Active 3-way crossover, 18 dB per octave: resistors and capacitors.",
        "tolvan-cli active3 --high 3000 --low 500", open<frmAX3>,
        { { "high", "szFrqh", "upper crossover frequency, Hz" }, { "low", "szFrql", "lower crossover frequency, Hz" } },
        {}, "btnCal",
        { { "szR" }, { "szR1" }, { "szR2" }, { "szR3" }, { "szR4" }, { "szC" }, { "szC1" }, { "szC2" }, { "szC3" },
            { "szC4" }, { "szRm" }, { "szR5" }, { "szR6" }, { "szR7" }, { "szR8" }, { "szCm" }, { "szC5" }, { "szC6" },
            { "szC7" }, { "szC8" } } });

    commands.push_back(
        { "networks", "Compensating networks: notch filter for the resonance peak, equalisation of the voice coil.",
            "tolvan-cli networks --fs 30 --qes .4 --qms 3 --re 6 --le .5", open<FmNet>,
            { kDriver, { "name", "szName", "speaker name" }, { "fs", "szFr", "speaker resonance, Hz" },
                { "qes", "szQes", "Qes" }, { "qms", "szQms", "Qms" }, { "re", "szRdc", "speaker resistance, ohms" },
                { "le", "szL", "voice-coil inductance, mH" } },
            {}, "btn_Cal", { { "szCnf" }, { "szLnf" }, { "szRnf" }, { "szCic" }, { "szRic" } } });

    commands.push_back({ "xover2", "Passive 2-way crossover, 6 or 12 dB per octave: L1 and C1 (and L2, C2).",
        "tolvan-cli xover2 --slope 12 --freq 3000 --woofer 8 --tweeter 6", openFromSelector<frmXover>,
        { { "freq", "szFrq", "crossover frequency, Hz" }, { "woofer", "szRl", "woofer impedance, ohms" },
            { "tweeter", "szRh", "tweeter impedance, ohms" } },
        {}, nullptr, { { "szL1" }, { "szC1" }, { "szL2" }, { "szC2" } }, nullptr,
        { "slope", "6 or 12 dB per octave (6)", { { "6", "btn6db2p" }, { "12", "btn12db2p" } } } });

    commands.push_back({ "xover3", "Passive 3-way crossover, 6 or 12 dB per octave: L1 to L4 and C1 to C4.",
        "tolvan-cli xover3 --slope 12 --high 3000 --low 300 --tweeter 6 --mid 8 --woofer 8",
        openFromSelector<frmXover3>,
        { { "high", "szFrqh", "high crossover frequency, Hz" },
            { "low", "szFrql", "low crossover frequency, Hz (a tenth of the high one)" },
            { "tweeter", "szRh", "tweeter impedance, ohms" }, { "mid", "szRm", "mid-range impedance, ohms" },
            { "woofer", "szRl", "woofer impedance, ohms" } },
        {}, nullptr, { { "szL1" }, { "szC1" }, { "szL2" }, { "szC2" }, { "szL3" }, { "szC3" }, { "szL4" }, { "szC4" } },
        nullptr, { "slope", "6 or 12 dB per octave (6)", { { "6", "btn6db3p" }, { "12", "btn12db3p" } } } });

    commands.push_back({ "coil", "Air-core inductors: size, turns and wire gauge of up to six coils.",
        "tolvan-cli coil --l1 2.5 --r1 .4 --l2 .33 --r2 .3", open<frmCoil>,
        { { "r1", "szR1", "resistance the first coil may have, ohms" }, { "l1", "szL1", "its inductance, mH" },
            { "r2", "szR2", "the same for coils 2 to 6" }, { "l2", "szL2", "" }, { "r3", "szR3", "" },
            { "l3", "szL3", "" }, { "r4", "szR4", "" }, { "l4", "szL4", "" }, { "r5", "szR5", "" },
            { "l5", "szL5", "" }, { "r6", "szR6", "" }, { "l6", "szL6", "" } },
        {}, "btn_Cal", coilRows(), "szN1" });

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
