#include "ui/frmCoil.h"

#include "core/designstate.h"
#include "core/messages.h"
#include "core/numberformat.h"
#include "design/inductor.h"
#include "platform/pictures.h"
#include "print/printjob.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPicture>

using namespace design;

namespace {

constexpr int kWidthTwips = 8640;
constexpr int kHeightTwips = 6600;
constexpr int kRows = 6;
constexpr int kFirstRowTop = 3000;
constexpr int kRowPitch = 420;
constexpr int kCellHeight = 330;
constexpr int kHeadingTop = 2400;
constexpr int kHeadingHeight = 270;
constexpr int kButtonTop = 5760;

// The table: a column per quantity under its heading (a heading of two
// words on two lines), a row per coil under its label.
struct Column {
    const char* heading;
    Unit unit;
    FieldRole role;
    int left, width;
};
constexpr Column kColumns[] = {
    { "Coil\nResistance", units::kOhms, FieldRole::Input, 840, 1200 },
    { "mH", units::kMilliHenry, FieldRole::Input, 2160, 1200 },
    { "D", units::kCoilInches, FieldRole::Result, 3480, 1080 },
    { "H", units::kCoilInches, FieldRole::Result, 4680, 1080 },
    { "Number\nTurns", {}, FieldRole::Result, 5880, 1200 },
    { "Gauge", units::kAwg, FieldRole::Result, 7200, 1080 },
};
constexpr int kColumnCount = int(std::size(kColumns));
constexpr const char* kRowLabels[kRows] = { "L1", "L2", "L3", "L4", "L5", "L6" };
constexpr const char* kNames[kRows][kColumnCount] = {
    { "szR1", "szL1", "szD1", "szH1", "szN1", "szG1" },
    { "szR2", "szL2", "szD2", "szH2", "szN2", "szG2" },
    { "szR3", "szL3", "szD3", "szH3", "szN3", "szG3" },
    { "szR4", "szL4", "szD4", "szH4", "szN4", "szG4" },
    { "szR5", "szL5", "szD5", "szH5", "szN5", "szG5" },
    { "szR6", "szL6", "szD6", "szH6", "szN6", "szG6" },
};
// The command line's names of the two inputs of each row.
constexpr const char* kKeys[kRows][2]
    = { { "r1", "l1" }, { "r2", "l2" }, { "r3", "l3" }, { "r4", "l4" }, { "r5", "l5" }, { "r6", "l6" } };

constexpr std::array<FieldEntry, kRows * kColumnCount> cells()
{
    std::array<FieldEntry, kRows * kColumnCount> all {};
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumnCount; ++column) {
            const Column& c = kColumns[column];
            const bool input = c.role == FieldRole::Input;
            const FieldEntry cell = field(kNames[row][column], c.heading, {}).in(c.unit).under(kRowLabels[row]);
            all[row * kColumnCount + column]
                = input ? cell.input(kKeys[row][column], Accepts::Positive) : cell.result();
        }
    return all;
}
constexpr auto kFields = cells();

QString rowField(const char* prefix, int row) { return QString::fromLatin1(prefix) + QString::number(row); }

// The hint with its line leading to Calculate; neither is printed.
constexpr CaptionEntry kHint { "Label19", "      If you wish to change resistance or mH",
    { 60, kButtonTop + 60, 4440, kCellHeight }, Qt::AlignLeft };
constexpr const char* kHintLine = "Line38";

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

std::span<const FieldEntry> frmCoil::fieldTable() { return kFields; }

void frmCoil::buildControls()
{
    declareFields(kFields);
    QLabel* heading = addCaption(QStringLiteral("Inductor Design"), 240, 120, 8160, 420);
    heading->setFont(QFont(QStringLiteral("Times New Roman"), 16, QFont::Bold));

    auto* drawing = new PictureBox;
    drawing->setObjectName(QStringLiteral("Image1"));
    drawing->setPicture(QStringLiteral("coil.bmp"));
    place(drawing, 2520, 600, 3600, 1680);

    for (const Column& column : kColumns) {
        const QStringList lines = QString::fromLatin1(column.heading).split(u'\n');
        int top = kHeadingTop + (2 - int(lines.size())) * kHeadingHeight;
        for (const QString& line : lines) {
            addCaption(line, column.left, top, column.width, kHeadingHeight);
            top += kHeadingHeight;
        }
    }
    for (int row = 0; row < kRows; ++row) {
        const int top = kFirstRowTop + row * kRowPitch;
        addCaption(QString::fromLatin1(kRowLabels[row]), 240, top, 480, kCellHeight);
        for (int column = 0; column < kColumnCount; ++column)
            addField(QString::fromLatin1(kNames[row][column]), kColumns[column].left, top, kColumns[column].width,
                kCellHeight);
    }

    addCaption(kHint);
    auto* line = new QFrame;
    line->setObjectName(QString::fromLatin1(kHintLine));
    line->setFrameShape(QFrame::HLine);
    place(line, 4020, kButtonTop + 180, 900, 90);

    addButtonRow(
        { { "btn_Cal", "Calculate", [this] { btn_Cal_Click(); } },
            { "btnPrint", "Print", [this] { btnPrint_Click(); } }, { "btnExit", "Exit", [this] { btnExit_Click(); } } },
        { kButtonTop, 4920, 120, 1140 });
}

namespace {

// Shows a designed coil in its row and keeps it as the one computed last.
void showCoil(DesignWindow* window, int row, const CoilDesign& coil)
{
    DesignState& state = designState();
    state.coilHeight = coil.height;
    state.coilTurns = coil.turns;
    state.coilWireGauge = coil.gauge;
    window->setFieldText(rowField("szD", row), formatNumber(coil.diameter, kCoilDPattern));
    window->setFieldText(rowField("szH", row), formatNumber(coil.height, kCoilHPattern));
    window->setFieldText(rowField("szN", row), formatNumber(coil.turns, kCoilNPattern));
    window->setFieldText(rowField("szG", row), gaugeText(coil.gauge));
}

// The row's coil from its own fields; nothing when they are incomplete.
std::optional<CoilDesign> coilOfRow(const DesignWindow* window, int row)
{
    return coilForResistance(window->numberIn(rowField("szL", row)), window->numberIn(rowField("szR", row)));
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
        setFieldText(rowField("szR", take.row), formatNumber(allowedResistance(take.driverOhms), kCoilRPattern));
        setFieldText(rowField("szL", take.row), formatNumber(take.milliHenry, kCoilLPattern));
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
    for (const char* name : { "btnPrint", "btnExit", "btn_Cal", kHint.name, kHintLine })
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
