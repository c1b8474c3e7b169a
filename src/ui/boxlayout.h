#pragma once
// The layout the box windows share, in twips: the woofer name on top with
// the isobaric field to its right, rows of caption, field and unit below,
// the "10% Over Volume" and "Dimensions (Inches)" group in the right column
// and a row of buttons along the bottom. Controls are made through the
// window's own builders, so they get their control names and keep their
// proportions; labels are named Label1, Label2, ... in the order made.

#include <QString>
#include <functional>
#include <initializer_list>
#include <span>

class QLabel;
class QLineEdit;
class QPushButton;

namespace boxui {

inline constexpr int kRowHeight = 315;
inline constexpr int kCaptionHeight = 255;

// One row: caption on the left, field, unit on the right.
struct FieldRow {
    const char* field;
    const char* caption;
    const char* unit; // nullptr: none
    int top;
};

struct RowColumns {
    int captionLeft, captionWidth, fieldLeft, fieldWidth, unitWidth;
};

// The port length fields, in the order of design::kPorts.
inline constexpr const char* kPortFields[]
    = { "szLv5", "szLv75", "szLv1", "szLv15", "szLv2", "szlv3", "szLv4", "szLv6", "szLv8" };

struct ButtonSpec {
    const char* name;
    const char* caption;
    const char* note; // a caption below the button; nullptr: none
    std::function<void()> click;
};

class BoxLayout {
public:
    using MakeLabel = std::function<QLabel*(const QString&, const QString&, int, int, int, int)>;
    using MakeField = std::function<QLineEdit*(const QString&, int, int, int, int)>;
    using MakeButton = std::function<QPushButton*(const QString&, const QString&, int, int, int, int)>;

    BoxLayout(MakeLabel label, MakeField field, MakeButton button);

    QLabel* caption(const QString& text, int left, int top, int width, Qt::Alignment alignment = Qt::AlignCenter);
    QLineEdit* field(const char* name, int left, int top, int width);
    void rows(std::span<const FieldRow> rows, const RowColumns& at);

    // "Woofer Name :" with szWoofBox on the top row; "Isobaric Configuration",
    // szISO and the note (by default "Enter data for 1 woofer") in the right column.
    void wooferAndIsobaric(const RowColumns& at, int nameWidth, int rightLeft, int rightWidth,
        const char* note = "Enter data for 1 woofer");
    // The isobaric group alone: caption, the "Y"/"N" field, the note below.
    void isobaric(const char* name, int left, int top, int width, const char* note);

    // The port table: the head caption and the diameters over one field per
    // diameter (kPortFields), "Port Length" before and "Inches" after each row.
    void portTable(const QString& headCaption, int captionLeft, int headTop, int rowTop, int firstLeft);

    // "10% Over Volume" above szVover, then "Dimensions (Inches)" above the
    // rows "H:", "W:", "D:" of the three named fields.
    void overVolumeAndDimensions(int rightLeft, int rightWidth, int overTop, int dimensionsTop, const char* height,
        const char* width, const char* depth);

    void buttons(std::initializer_list<ButtonSpec> buttons, int top, int firstLeft, int gap);

    // The next caption is named Label<number>, leaving the names before it to
    // labels the window makes itself.
    void continueLabelsAt(int number) { m_labels = number - 1; }

private:
    QString nextLabelName() { return QStringLiteral("Label%1").arg(++m_labels); }

    MakeLabel m_label;
    MakeField m_field;
    MakeButton m_button;
    int m_labels = 0;
};

} // namespace boxui
