#pragma once
// The printed page of the driver measurement window: lines of text, top to
// bottom, in Times New Roman at the sizes and with the leading blanks the
// page has always had. Composed as data, printed through the printer
// selection like every other page.

#include <QString>
#include <QVector>

class QPainter;
class QRectF;
class QWidget;

struct TextLine {
    QString text; // empty: a blank line in this font
    double points = 12;
    bool bold = false;
    bool italic = false;
    bool operator==(const TextLine&) const = default;
};

// What the page shows: field texts as displayed and the computed values.
struct MeasurementPageValues {
    QString wooferName, resistance, resonance, impedance, zPrime, upper, lower, boxVolume, boxResonance;
    float qts = 0, qes = 0, qms = 0, vas = 0;
};

QVector<TextLine> measurementPageLines(const MeasurementPageValues& values);

// Draws the lines from the top left of `paper` downwards, each on its own
// line of its font's height.
void drawTextLines(QPainter& painter, const QRectF& paper, const QVector<TextLine>& lines);

// Printer selection, then the page; false when nothing was printed.
bool printMeasurementPage(QWidget* parent, const MeasurementPageValues& values);
