#include "ui/FrmTlv.h"

#include "core/designstate.h"
#include "core/messages.h"
#include "core/systemfile.h"
#include "design/systemload.h"
#include "graph/keptcurvefile.h"
#include "platform/help.h"
#include "platform/qtservices.h"
#include "print/boxreport.h"
#include "print/printerselection.h"
#include "ui/FmNet.h"
#include "ui/FrmBand.h"
#include "ui/driverlibraryui.h"
#include "ui/frmClose.h"
#include "ui/frmCoil.h"
#include "ui/frmCross.h"
#include "ui/frmRadiator.h"
#include "ui/frmSpeaker.h"
#include "ui/frmVented.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace {
// Client size in twips: two columns of buttons (840 and 6120) under the title.
constexpr int kWidthTwips = 9480;
constexpr int kHeightTwips = 7080;
} // namespace

FrmTlv::FrmTlv(QWidget* parent)
    : DesignWindow(
        QStringLiteral("FrmTlv"), QStringLiteral("Version 2.1 32 Bit"), QSize(kWidthTwips, kHeightTwips), parent)
{
    installQtServices();
    installPrinterDialog();
    keepCurvesWithSystemFiles();

    // In the window's declared order.
    const QList<QPushButton*> buttons = addButtons({
        { "Command9", "Save System", [this] { Command9_Click(); }, nullptr, { 6120, 6000, 2532, 612 } },
        { "Command6", "Help", [this] { Command6_Click(); }, nullptr, { 6120, 5160, 2532, 612 } },
        { "Command4", "Print Box Data", [this] { Command4_Click(); }, nullptr, { 6120, 4320, 2532, 612 } },
        { "btn_Coil", "Inductor Design", [this] { btn_Coil_Click(); }, nullptr, { 6120, 3480, 2532, 612 } },
        { "Command8", "Compensating Net.", [this] { Command8_Click(); }, nullptr, { 6120, 2640, 2532, 612 } },
        { "btnCross", "Crossover", [this] { btnCross_Click(); }, nullptr, { 6120, 1800, 2532, 612 } },
        { "BtnExit", "Exit", [this] { BtnExit_Click(); }, nullptr, { 3840, 6000, 1812, 612 } },
        { "BtnLoad", "Load System", [this] { BtnLoad_Click(); }, nullptr, { 840, 6000, 2532, 612 } },
        { "BtnSpeaker", "Speaker Parameters", [this] { BtnSpeaker_Click(); }, nullptr, { 840, 5160, 2532, 612 } },
        { "BtnBP", "Bandpass", [this] { BtnBP_Click(); }, nullptr, { 840, 4320, 2532, 612 } },
        { "BtnPR", "Passive Radiator", [this] { BtnPR_Click(); }, nullptr, { 840, 3480, 2532, 612 } },
        { "BtnVB", "Vented Box", [this] { BtnVB_Click(); }, nullptr, { 840, 2640, 2532, 612 } },
        { "BtnCB", "Closed Box", [this] { BtnCB_Click(); }, nullptr, { 840, 1800, 2532, 612 } },
    });
    for (QPushButton* button : buttons)
        button->setFont(QFont(QStringLiteral("Times New Roman"), 11));

    addCaption(QStringLiteral("Tolvan"), 840, 120, 7812, 780)
        ->setFont(QFont(QStringLiteral("Times New Roman"), 26, QFont::Bold, true));
    addCaption(QStringLiteral("By"), 840, 900, 7812, 360)
        ->setFont(QFont(QStringLiteral("Times New Roman"), 11, QFont::Normal, true));
    addCaption(QStringLiteral("Varnolt"), 840, 1260, 7812, 420)
        ->setFont(QFont(QStringLiteral("Times New Roman"), 14, QFont::Bold));
    attachDriverLibraryManager(this);

    Form_Load();
}

void FrmTlv::Form_Load()
{
    DesignState& state = designState();
    applyStartValues(state);
    noteDesignKept(); // nothing to save yet
    // The chart engine needs no connection: pages are composed in memory.
    // The printing system is asked for the default printer by the first print
    // command, not here: the window is ready without waiting for it.
    takeDefaultPrinterAtFirstPrint();
}

void FrmTlv::BtnCB_Click() { openWindow<frmClose>(); }
void FrmTlv::BtnVB_Click() { openWindow<frmVented>(); }
void FrmTlv::BtnPR_Click() { openWindow<frmRadiator>(); }
void FrmTlv::BtnBP_Click() { openWindow<FrmBand>(); }
void FrmTlv::BtnSpeaker_Click() { openWindow<frmSpeaker>(); }
void FrmTlv::btnCross_Click() { openWindow<frmCross>(); }
void FrmTlv::BtnLoad_Click()
{
    if (nothingUnsavedIsLost(
            QStringLiteral("The design has changed since it was last saved. Save it before you load another system?")))
        loadSystem();
}

void FrmTlv::Command9_Click() { saveShownDesign(); }
void FrmTlv::Command8_Click() { openWindow<FmNet>(); }

void FrmTlv::Command4_Click() { printBoxDataReport(this); }

void FrmTlv::btn_Coil_Click()
{
    // The inductor window then takes over no crossover inductor.
    designState().coilSource = CoilSource::TakeNothing;
    openWindow<frmCoil>();
}

void FrmTlv::Command6_Click() { showHelp(kHelpContents, this); }

namespace {
const QString kExitQuestion
    = QStringLiteral("The design has changed since it was last saved. Save it before you exit?");
}

void FrmTlv::BtnExit_Click()
{
    if (nothingUnsavedIsLost(kExitQuestion))
        endProgram();
}

void FrmTlv::closeEvent(QCloseEvent* event)
{
    if (!m_ending && !nothingUnsavedIsLost(kExitQuestion)) {
        event->ignore();
        return;
    }
    DesignWindow::closeEvent(event);
    endProgram();
}

// What the user sees is saved: the open windows hand their designs over
// first, staying open; a save that is cancelled or fails leaves the design
// state as it was.
bool FrmTlv::saveShownDesign()
{
    HandOverTrial shown;
    if (!saveSystem())
        return false;
    shown.keep();
    return true;
}

// The design, with what the open windows would hand over, is compared with
// the one last saved or loaded. When it differs, the user saves it, gives it
// up, or cancels; only the save keeps the windows' hand-over, and nothing
// closes here, so Cancel (or a save that is cancelled or fails) leaves every
// window and every typed text as it was.
bool FrmTlv::nothingUnsavedIsLost(const QString& prompt)
{
    HandOverTrial shown;
    if (!designChangedSinceKept())
        return true;
    Message question;
    question.prompt = prompt;
    question.buttons = MsgButtons::SaveDiscardCancel;
    question.icon = MsgIcon::Exclamation;
    switch (showMessage(question)) {
    case MsgAnswer::Save:
        if (!saveSystem())
            return false;
        shown.keep();
        return true;
    case MsgAnswer::Discard:
        return true;
    default:
        return false;
    }
}

void FrmTlv::endProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}
