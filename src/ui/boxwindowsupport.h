#pragma once
// What the box windows (closed, vented, passive radiator) do alike: carry out
// a calculation's outcome, fill the driver fields and the isobaric field on
// activation, hand field values to the design state, and lay out their rows
// of label, field and unit. Free functions over the window's named controls,
// so each window keeps only its own rules.

#include "core/designstate.h"
#include "design/boxproportions.h"
#include "design/outcome.h"

#include <QLabel>
#include <QString>
#include <initializer_list>

class QLineEdit;
class QWidget;

namespace boxui {

QLineEdit* fieldOf(const QWidget* window, const QString& name);
double numberIn(const QWidget* window, const QString& name);
void setTextOf(QWidget* window, const QString& name, const QString& text);

// The beep, the message boxes in order, then the focus.
void carryOut(QWidget* window, const design::Outcome& outcome);

// szQts, szVas and szFar show qts, vas and fs as number texts; a stored value
// that is not above 0 leaves its field as it is. False when one was missing.
bool showStoredDriver(QWidget* window);

// szISO shows "N" for a factor of 1 or more, otherwise "Y"; the field's own
// change rule runs as for a typed letter.
void showIsobaric(QWidget* window);

// A field whose value, read back from its text, is stored as a Single.
struct FieldBinding {
    const char* field;
    float DesignState::*member;
};
void storeFields(const QWidget* window, std::initializer_list<FieldBinding> bindings);

// boxHeight, boxWidth and boxDepth, shown with "###.##" in the three named fields.
void storeAndShowProportions(QWidget* window, const design::BoxProportions& box, const QString& height,
                     const QString& width, const QString& depth);

// One row of the upper part of a box window: caption, field, unit.
struct FieldRow {
    const char* field;
    const char* caption;
    const char* unit; // nullptr: none
    int top;          // twips
};
// Where the three columns stand, in twips.
struct RowColumns {
    int captionLeft, captionWidth, fieldLeft, fieldWidth, unitWidth;
};
inline constexpr int kRowHeight = 315;

// Names the labels Label1, Label2, ... in the order they are made.
class LabelNames {
public:
    QString next() { return QStringLiteral("Label%1").arg(++m_count); }

private:
    int m_count = 0;
};

// Builds the rows through the window's own control builders.
template <class AddLabel, class AddField, class Rows>
void addRows(const Rows& rows, const RowColumns& at, LabelNames& labels, AddLabel addLabel, AddField addField)
{
    for (const FieldRow& row : rows) {
        addLabel(labels.next(), QString::fromLatin1(row.caption), at.captionLeft, row.top, at.captionWidth, kRowHeight)
            ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        addField(QString::fromLatin1(row.field), at.fieldLeft, row.top, at.fieldWidth, kRowHeight);
        if (row.unit)
            addLabel(labels.next(), QString::fromLatin1(row.unit), at.fieldLeft + at.fieldWidth + 90, row.top,
                     at.unitWidth, kRowHeight);
    }
}

} // namespace boxui
