#include "cli/windowcommands.h"

#include "platform/designwindow.h"
#include "ui/frmClose.h"
#include "ui/frmSpeaker.h"
#include "ui/frmVented.h"

namespace {

template <class W> QWidget* open() { return openWindow<W>(); }

const FlagOption kIsobaric { "isobaric", "szISO", "Y", "an isobaric pair of drivers" };
const InputOption kWoofer { "name", "szWoofBox", "woofer name" };

std::vector<WindowCommand> makeCommands()
{
    std::vector<WindowCommand> commands;

    commands.push_back({ "closed", "Closed box: the volume for a desired Qtc, or the Qtc of a given volume.",
        "tolvan-cli closed --qts .35 --vas 2 --fs 30 --qtc .707", open<frmClose>,
        { kWoofer, { "qts", "szQts", "driver Qts" }, { "vas", "szVas", "Vas, cubic feet" },
            { "fs", "szFar", "free-air resonance, Hz" }, { "qtc", "szQd", "desired Qtc (0.5 to 1.5)" },
            { "vb", "szVcb", "box volume, cubic feet: calculate the Qtc of this volume", "Command1" } },
        { kIsobaric }, "btnCal",
        { { "szVcb" }, { "szVover" }, { "szQd" }, { "szFc" }, { "szF3" }, { "szH" }, { "szW" }, { "szD" } } });

    commands.push_back({ "vented", "Vented box: volume, tuning, cut-off, hump or dip, port lengths and proportions.",
        "tolvan-cli vented --qts .4 --vas 2 --fs 30", open<frmVented>,
        { kWoofer, { "qts", "szQts", "driver Qts" }, { "vas", "szVas", "Vas, cubic feet" },
            { "fs", "szFar", "free-air resonance, Hz" },
            { "fb", "szFb", "another tuning frequency, Hz: the volume follows", nullptr, true },
            { "vb", "szVvb", "another box volume, cubic feet: the tuning follows", nullptr, true } },
        { kIsobaric }, "Command1",
        { { "szVvb" }, { "szVover" }, { "szFb" }, { "szF3" }, { "szH" }, { "szH1" }, { "szW1" }, { "szD1" },
            { "szLv5", CaptionPlace::TableCell }, { "szLv75", CaptionPlace::TableCell },
            { "szLv1", CaptionPlace::TableCell }, { "szLv15", CaptionPlace::TableCell },
            { "szLv2", CaptionPlace::TableCell }, { "szlv3", CaptionPlace::TableCell },
            { "szLv4", CaptionPlace::TableCell }, { "szLv6", CaptionPlace::TableCell },
            { "szLv8", CaptionPlace::TableCell } } });

    commands.push_back({ "measure", "Driver parameters Qms, Qes, Qts and Vas from impedance measurements.",
        "tolvan-cli measure --re 6 --fs 30 --zmax 40 --f1 20 --f2 45 --vt 1 --fct 50", open<frmSpeaker>,
        { { "name", "szWoofTest", "woofer name" }, { "re", "szRdct", "dc resistance Re, ohms" },
            { "fs", "szFrt", "free-air resonance Fs, Hz" }, { "zmax", "szIfr", "impedance at resonance, ohms" },
            { "f1", "szFlt", "frequency below resonance where the impedance is Z', Hz" },
            { "f2", "szFht", "frequency above resonance where the impedance is Z', Hz" },
            { "vt", "szVtbt", "volume of the test box, cubic feet" },
            { "fct", "szFrtbt", "resonance in the test box, Hz" } },
        {}, "Command2", { { "szZ" }, { "szVast" }, { "szQes" }, { "szQms" }, { "szQts" } }, "szQts" });

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
