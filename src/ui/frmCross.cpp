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

void setSlope(int is12dB) { designState().xoverIs12dB = static_cast<std::int16_t>(is12dB); }

} // namespace

frmCross::frmCross(QWidget* parent)
    : DesignWindow(QStringLiteral("frmCross"), QStringLiteral("   "), QSize(kWidthTwips, kHeightTwips), parent)
{
    const QFont headingFont(QStringLiteral("Times New Roman"), 18, QFont::Bold);
    for (const auto& [name, text, top] :
        { std::tuple { "Label1", "Passive and Active", 180 }, std::tuple { "Label2", "Crossover Design", 660 } }) {
        QLabel* heading = addLabel(QString::fromLatin1(name), QString::fromLatin1(text), 0, top, kWidthTwips, 480);
        heading->setFont(headingFont);
        heading->setAlignment(Qt::AlignCenter);
    }

    struct ButtonSpec {
        const char* name;
        const char* caption;
        int left, top, width, height;
        void (frmCross::*handler)();
    };
    // In the tab order.
    const ButtonSpec buttons[] = {
        { "btnExit", "Exit", (kWidthTwips - kExitWidth) / 2, kExitTop, kExitWidth, kExitHeight,
            &frmCross::btnExit_Click },
        { "btn6db2p", "6 dB 2 Way Passive", kLeftColumn, kFirstRow, kButtonWidth, kButtonHeight,
            &frmCross::btn6db2p_Click },
        { "btn12db2p", "12 dB 2 Way Passive", kRightColumn, kFirstRow, kButtonWidth, kButtonHeight,
            &frmCross::btn12db2p_Click },
        { "btn6db3p", "6 dB 3 Way Passive", kLeftColumn, kFirstRow + kRowPitch, kButtonWidth, kButtonHeight,
            &frmCross::btn6db3p_Click },
        { "btn12db3p", "12 dB 3 Way Passive", kRightColumn, kFirstRow + kRowPitch, kButtonWidth, kButtonHeight,
            &frmCross::btn12db3p_Click },
        { "btn6db2a", "18 dB 2 Way Active", kLeftColumn, kFirstRow + 2 * kRowPitch, kButtonWidth, kButtonHeight,
            &frmCross::btn6db2a_Click },
        { "btn6db3a", "18 dB 3 Way Active", kRightColumn, kFirstRow + 2 * kRowPitch, kButtonWidth, kButtonHeight,
            &frmCross::btn6db3a_Click },
    };
    const QFont captionFont(QStringLiteral("Times New Roman"), 11);
    QWidget* previous = nullptr;
    for (const ButtonSpec& b : buttons) {
        QPushButton* button
            = addButton(QString::fromLatin1(b.name), QString::fromLatin1(b.caption), b.left, b.top, b.width, b.height);
        button->setFont(captionFont);
        connect(button, &QPushButton::clicked, this, b.handler);
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }
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
