#include "ui/boxlayout.h"

#include "design/portlengths.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <iterator>

namespace boxui {

namespace {
constexpr int kButtonWidth = 1440;
constexpr int kButtonHeight = 495;
constexpr int kIsoWidth = 480;
constexpr int kLetterWidth = 420;
constexpr int kRowPitch = 420;
constexpr int kUnitGap = 90;
} // namespace

BoxLayout::BoxLayout(MakeLabel label, MakeField field, MakeButton button)
    : m_label(std::move(label))
    , m_field(std::move(field))
    , m_button(std::move(button))
{
}

QLabel* BoxLayout::caption(const QString& text, int left, int top, int width, Qt::Alignment alignment)
{
    QLabel* label = m_label(nextLabelName(), text, left, top, width, kRowHeight);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QLineEdit* BoxLayout::field(const char* name, int left, int top, int width)
{
    return m_field(QString::fromLatin1(name), left, top, width, kRowHeight);
}

void BoxLayout::rows(std::span<const FieldRow> rows, const RowColumns& at)
{
    for (const FieldRow& row : rows) {
        caption(QString::fromLatin1(row.caption), at.captionLeft, row.top, at.captionWidth, Qt::AlignRight);
        field(row.field, at.fieldLeft, row.top, at.fieldWidth);
        if (row.unit)
            caption(QString::fromLatin1(row.unit), at.fieldLeft + at.fieldWidth + kUnitGap, row.top, at.unitWidth,
                Qt::AlignLeft);
    }
}

void BoxLayout::wooferAndIsobaric(const RowColumns& at, int nameWidth, int rightLeft, int rightWidth, const char* note)
{
    constexpr int top = 240;
    caption(QStringLiteral("Woofer Name :"), at.captionLeft, top, at.captionWidth, Qt::AlignRight);
    field("szWoofBox", at.fieldLeft, top, nameWidth);
    isobaric("szISO", rightLeft, top, rightWidth, note);
}

void BoxLayout::isobaric(const char* name, int left, int top, int width, const char* note)
{
    caption(QStringLiteral("Isobaric Configuration"), left, top, width);
    field(name, left + (width - kIsoWidth) / 2, top + 300, kIsoWidth)->setAlignment(Qt::AlignCenter);
    caption(QString::fromLatin1(note), left, top + 660, width);
}

void BoxLayout::portTable(const QString& headCaption, int captionLeft, int headTop, int rowTop, int firstLeft)
{
    static_assert(std::size(kPortFields) == design::kPortCount);
    constexpr int pitch = 840;
    constexpr int width = 720;
    const int captionWidth = firstLeft - captionLeft - 120;
    caption(headCaption, captionLeft, headTop, captionWidth, Qt::AlignRight);
    caption(QStringLiteral("Port Length"), captionLeft, rowTop, captionWidth, Qt::AlignRight);
    int left = firstLeft;
    for (int i = 0; i < int(std::size(kPortFields)); ++i, left += pitch) {
        caption(QString::fromLatin1(design::kPorts[i].caption), left, headTop, width);
        QLineEdit* port = field(kPortFields[i], left, rowTop, width);
        port->setReadOnly(true);
        port->setAlignment(Qt::AlignCenter);
    }
    caption(QStringLiteral("Inches"), left, headTop, 600, Qt::AlignLeft);
    caption(QStringLiteral("Inches"), left, rowTop, 600, Qt::AlignLeft);
}

void BoxLayout::overVolumeAndDimensions(int rightLeft, int rightWidth, int overTop, int dimensionsTop,
    const char* height, const char* width, const char* depth)
{
    // The letters and fields as one group in the middle of the column.
    constexpr int fieldWidth = 1080;
    const int letterLeft = rightLeft + (rightWidth - (kLetterWidth + 60 + fieldWidth)) / 2;
    const int fieldLeft = letterLeft + kLetterWidth + 60;
    caption(QStringLiteral("10% Over Volume"), rightLeft, overTop, rightWidth);
    field("szVover", fieldLeft, overTop + 300, fieldWidth);
    caption(QStringLiteral("Dimensions (Inches)"), rightLeft, dimensionsTop, rightWidth);
    const FieldRow dimensions[] = {
        { height, "H:", nullptr, dimensionsTop + 300 },
        { width, "W:", nullptr, dimensionsTop + 300 + kRowPitch },
        { depth, "D:", nullptr, dimensionsTop + 300 + 2 * kRowPitch },
    };
    rows(dimensions, { letterLeft, kLetterWidth, fieldLeft, fieldWidth, 0 });
}

void BoxLayout::buttons(std::initializer_list<ButtonSpec> buttons, int top, int firstLeft, int gap)
{
    int left = firstLeft;
    for (const ButtonSpec& entry : buttons) {
        QPushButton* button = m_button(QString::fromLatin1(entry.name), QString::fromLatin1(entry.caption), left, top,
            kButtonWidth, kButtonHeight);
        QObject::connect(button, &QPushButton::clicked, button, entry.click);
        if (entry.note)
            caption(QString::fromLatin1(entry.note), left, top + kButtonHeight + 60, kButtonWidth);
        left += kButtonWidth + gap;
    }
}

} // namespace boxui
