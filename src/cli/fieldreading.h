#pragma once
// What a window shows for one field: its caption, its text and its unit,
// found from the window's own labels by where they stand, so that the
// command line prints exactly the window's words.
//  - Beside: the caption is the label just left of the field (or, when there
//    is none, the label just above it); the unit the label just right of it.
//  - TableCell: a field in a row of fields under column headings (the port
//    table): the row's caption and the heading above the field, and the unit
//    at the row's end.
// A field's section is the title of the frame around it, or else a heading
// label that spans the field's column above it ("Dimensions (Inches)",
// "Resistance in Ohms").

#include <QString>

class QWidget;

enum class CaptionPlace { Beside, TableCell };

struct FieldReading {
    QString name; // the control name
    QString caption;
    QString text;
    QString unit;
    QString section; // empty: none
};

// An unknown field reads as empty texts under its name.
FieldReading readField(const QWidget* window, const QString& name, CaptionPlace place = CaptionPlace::Beside);
