#include "ui/frmCoil.h"

#include "core/designstate.h"
#include "core/messages.h"
#include "core/numberformat.h"
#include "design/inductor.h"
#include "platform/pictures.h"
#include "print/printjob.h"
#include "ui/boxwindowsupport.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPicture>
#include <QPushButton>

using namespace design;

namespace {

constexpr int kWidthTwips = 8640;
constexpr int kHeightTwips = 6600;
constexpr int kRows = 6;
constexpr int kFirstRowTop = 3000;
constexpr int kRowPitch = 420;
constexpr int kRowHeight = 330;
constexpr int kHeadingTop = 2400;
constexpr int kButtonTop = 5760;

struct Column {
    const char* prefix; // szR1 ... szR6
    const char* heading; // upper line, or the only one
    const char* subheading; // lower line; nullptr: none
    int left, width;
};
constexpr Column kColumns[] = {
    { "szR", "Coil", "Resistance", 840, 1200 },
    { "szL", "mH", nullptr, 2160, 1200 },
    { "szD", "D", nullptr, 3480, 1080 },
    { "szH", "H", nullptr, 4680, 1080 },
    { "szN", "Number", "Turns", 5880, 1200 },
    { "szG", "Gauge", nullptr, 7200, 1080 },
};

QString rowField(const char* prefix, int row) { return QString::fromLatin1(prefix) + QString::number(row); }

const Message kRowOneMissing { QStringLiteral("You must enter a RESISTANCE and INDUCTANCE value"),
    QStringLiteral("ERROR"), MsgButtons::Ok, MsgIcon::Stop };

} // namespace

frmCoil::frmCoil(QWidget* parent)
    : DesignWindow(QStringLiteral("frmCoil"), QStringLiteral(" "), QSize(kWidthTwips, kHeightTwips), parent)
{
    buildControls();
    QStringList cycle;
    for (int row = 1; row <= kRows; ++row)
        cycle << rowField("szR", row) << rowField("szL", row);
    setFocusCycle(cycle);
}

void frmCoil::buildControls()
{
    int labels = 0;
    const auto label = [&](const QString& caption, int left, int top, int width, int height) {
        QLabel* made = addLabel(QStringLiteral("Label%1").arg(++labels), caption, left, top, width, height);
        made->setAlignment(Qt::AlignCenter);
        return made;
    };

    QLabel* heading = label(QStringLiteral("Inductor Design"), 240, 120, 8160, 420);
    heading->setFont(QFont(QStringLiteral("Times New Roman"), 16, QFont::Bold));

    auto* drawing = new PictureBox;
    drawing->setObjectName(QStringLiteral("Image1"));
    drawing->setPicture(QStringLiteral("coil.bmp"));
    place(drawing, 2520, 600, 3600, 1680);

    for (const Column& column : kColumns) {
        const bool twoLines = column.subheading != nullptr;
        label(QString::fromLatin1(column.heading), column.left, twoLines ? kHeadingTop : kHeadingTop + 270,
            column.width, 270);
        if (twoLines)
            label(QString::fromLatin1(column.subheading), column.left, kHeadingTop + 270, column.width, 270);
    }
    for (int row = 1; row <= kRows; ++row) {
        const int top = kFirstRowTop + (row - 1) * kRowPitch;
        label(QStringLiteral("L%1").arg(row), 240, top, 480, kRowHeight);
        for (const Column& column : kColumns)
            addField(rowField(column.prefix, row), column.left, top, column.width, kRowHeight);
    }

    // The hint with its line leading to Calculate.
    QLabel* hint = addLabel(QStringLiteral("Label19"), QStringLiteral("      If you wish to change resistance or mH"),
        60, kButtonTop + 60, 4440, kRowHeight);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* line = new QFrame;
    line->setObjectName(QStringLiteral("Line38"));
    line->setFrameShape(QFrame::HLine);
    place(line, 4020, kButtonTop + 180, 900, 90);

    const struct {
        const char* name;
        const char* caption;
        int left;
        void (frmCoil::*click)();
    } buttons[] = {
        { "btn_Cal", "Calculate", 4920, &frmCoil::btn_Cal_Click },
        { "btnPrint", "Print", 6180, &frmCoil::btnPrint_Click },
        { "btnExit", "Exit", 7440, &frmCoil::btnExit_Click },
    };
    for (const auto& b : buttons)
        connect(addButton(QString::fromLatin1(b.name), QString::fromLatin1(b.caption), b.left, kButtonTop, 1140, 495),
            &QPushButton::clicked, this, b.click);
}

namespace {

// Shows a designed coil in its row and keeps it as the one computed last.
void showCoil(QWidget* window, int row, const CoilDesign& coil)
{
    DesignState& state = designState();
    state.coilHeight = coil.height;
    state.coilTurns = coil.turns;
    state.coilWireGauge = coil.gauge;
    boxui::setTextOf(window, rowField("szD", row), formatNumber(coil.diameter, kCoilDPattern));
    boxui::setTextOf(window, rowField("szH", row), formatNumber(coil.height, kCoilHPattern));
    boxui::setTextOf(window, rowField("szN", row), formatNumber(coil.turns, kCoilNPattern));
    boxui::setTextOf(window, rowField("szG", row), gaugeText(coil.gauge));
}

// The row's coil from its own fields; nothing when they are incomplete.
std::optional<CoilDesign> coilOfRow(const QWidget* window, int row)
{
    return coilForResistance(
        boxui::numberIn(window, rowField("szL", row)), boxui::numberIn(window, rowField("szR", row)));
}

} // namespace

frmCoil* frmCoil::openForCrossover()
{
    frmCoil* window = openWindow<frmCoil>();
    window->takeOverCrossoverCoils();
    return window;
}

void frmCoil::takeOverCrossoverCoils()
{
    const DesignState& state = designState();
    for (const CoilTakeOver& take : coilsToTakeOver(state.coilSource, state)) {
        const auto coil = coilForDriver(take.milliHenry, take.driverOhms);
        if (!coil)
            continue;
        boxui::setTextOf(
            this, rowField("szR", take.row), formatNumber(allowedResistance(take.driverOhms), kCoilRPattern));
        boxui::setTextOf(this, rowField("szL", take.row), formatNumber(take.milliHenry, kCoilLPattern));
        showCoil(this, take.row, *coil);
    }
}

void frmCoil::btn_Cal_Click()
{
    if (const auto coil = coilOfRow(this, 1))
        showCoil(this, 1, *coil);
    else
        showMessage(kRowOneMissing);
    for (int row = 2; row <= kRows; ++row)
        if (const auto coil = coilOfRow(this, row))
            showCoil(this, row, *coil);
    field(QStringLiteral("szR1"))->setFocus(Qt::OtherFocusReason);
}

QList<QWidget*> frmCoil::notPrinted() const
{
    QList<QWidget*> hidden;
    for (const char* name : { "btnPrint", "btnExit", "btn_Cal", "Label19", "Line38" })
        hidden << findChild<QWidget*>(QString::fromLatin1(name));
    return hidden;
}

void frmCoil::btnPrint_Click()
{
    printWithSelection(this, QStringLiteral("Inductor Design"), [this](QPainter& painter, const QRectF& paper) {
        const QList<QWidget*> hidden = notPrinted();
        for (QWidget* part : hidden)
            part->hide();
        paintFitted(painter, paper);
        for (QWidget* part : hidden)
            part->show();
    });
    field(QStringLiteral("szR1"))->setFocus(Qt::OtherFocusReason);
}

void frmCoil::paintFitted(QPainter& painter, const QRectF& paper)
{
    // The window as drawn now, recorded as drawing commands and replayed
    // onto the paper, so texts and the drawing stay vectors: a widget that
    // renders straight onto a printer would hand it a screen bitmap. The
    // style shades field frames with translucent colours, which printers
    // flatten into bitmaps too, so the frames are drawn plainly instead.
    QPicture picture;
    const QList<QLineEdit*> fields = findChildren<QLineEdit*>();
    {
        QPainter recorder(&picture);
        for (QLineEdit* field : fields)
            field->setFrame(false);
        render(&recorder, QPoint(), QRegion(rect()), QWidget::DrawChildren);
        recorder.setPen(QPen(Qt::black, 0));
        recorder.setBrush(Qt::NoBrush);
        for (QLineEdit* field : fields) {
            recorder.drawRect(QRectF(field->geometry()));
            field->setFrame(true);
        }
    }
    // Scaled to the paper's width or height, centred across, from the top.
    const QSizeF size = this->size();
    const double scale = std::min(paper.width() / size.width(), paper.height() / size.height());
    painter.save();
    painter.translate(paper.x() + (paper.width() - size.width() * scale) / 2, paper.y());
    // A picture replays in the resolution of the device it is played on.
    const double replay = double(picture.logicalDpiX()) / painter.device()->logicalDpiX();
    painter.scale(scale * replay, scale * replay);
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

void frmCoil::btnExit_Click()
{
    designState().coilSource = CoilSource::None;
    closeWindow();
}
