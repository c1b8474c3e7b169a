#include "ui/frmCross.h"

#include "core/designstate.h"
#include "ui/frmAX2.h"
#include "ui/frmAX3.h"
#include "ui/frmXover.h"
#include "ui/frmXover3.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kButtonWidth = 2532;
constexpr int kButtonHeight = 852;
constexpr int kLeftColumn = 360;
constexpr int kRightColumn = kLeftColumn + kButtonWidth + 360;
constexpr int kWidthTwips = kRightColumn + kButtonWidth + kLeftColumn;
constexpr int kExitWidth = 1812;
constexpr int kExitHeight = 612;
constexpr int kFirstRow = 1320;
constexpr int kRowPitch = kButtonHeight + 240;
constexpr int kExitTop = kFirstRow + 3 * kRowPitch;
constexpr int kHeightTwips = kExitTop + kExitHeight + 300;

constexpr TwipRect cell(int column, int row)
{
    return { column, kFirstRow + row * kRowPitch, kButtonWidth, kButtonHeight };
}

void setSlope(int is12dB) { designState().xoverIs12dB = static_cast<std::int16_t>(is12dB); }

} // namespace

frmCross::frmCross(QWidget* parent)
    : DesignWindow(QStringLiteral("frmCross"), QStringLiteral("   "), QSize(kWidthTwips, kHeightTwips), parent)
{
    for (const auto& [text, top] : { std::pair { "Passive and Active", 180 }, std::pair { "Crossover Design", 660 } })
        addCaption(QString::fromLatin1(text), 0, top, kWidthTwips, 480)
            ->setFont(QFont(QStringLiteral("Times New Roman"), 18, QFont::Bold));

    // In the tab order.
    const QList<QPushButton*> buttons = addButtons({
        { "btnExit", "Exit", [this] { btnExit_Click(); }, nullptr,
            { (kWidthTwips - kExitWidth) / 2, kExitTop, kExitWidth, kExitHeight } },
        { "btn6db2p", "6 dB 2 Way Passive", [this] { btn6db2p_Click(); }, nullptr, cell(kLeftColumn, 0) },
        { "btn12db2p", "12 dB 2 Way Passive", [this] { btn12db2p_Click(); }, nullptr, cell(kRightColumn, 0) },
        { "btn6db3p", "6 dB 3 Way Passive", [this] { btn6db3p_Click(); }, nullptr, cell(kLeftColumn, 1) },
        { "btn12db3p", "12 dB 3 Way Passive", [this] { btn12db3p_Click(); }, nullptr, cell(kRightColumn, 1) },
        { "btn6db2a", "18 dB 2 Way Active", [this] { btn6db2a_Click(); }, nullptr, cell(kLeftColumn, 2) },
        { "btn6db3a", "18 dB 3 Way Active", [this] { btn6db3a_Click(); }, nullptr, cell(kRightColumn, 2) },
    });
    for (QPushButton* button : buttons)
        button->setFont(QFont(QStringLiteral("Times New Roman"), 11));
}

void frmCross::btn6db2p_Click()
{
    setSlope(0);
    openWindow<frmXover>();
}

void frmCross::btn12db2p_Click()
{
    setSlope(1);
    openWindow<frmXover>();
}

void frmCross::btn6db3p_Click()
{
    setSlope(0);
    openWindow<frmXover3>();
}

void frmCross::btn12db3p_Click()
{
    setSlope(1);
    openWindow<frmXover3>();
}

void frmCross::btn6db2a_Click() { openWindow<frmAX2>(); }

void frmCross::btn6db3a_Click() { openWindow<frmAX3>(); }

void frmCross::btnExit_Click() { closeWindow(); }
