#pragma once
// The program's drawings (circuit schematics, the coil cross-section) are SVG
// files compiled in under ":/pictures/". A picture is named as the windows and
// report layouts name it ("p26.bmp", "A2.BMP", "notch.BMP"): only the base
// name counts, without regard to case, so "p26.bmp" and "P26.BMP" are the
// drawing ":/pictures/p26.svg".
//
// A drawing is painted in two layers: its shapes through the SVG renderer,
// and its texts as texts of the painter. The SVG renderer would hand every
// text to the painter as glyph outlines, so a printed or PDF page would carry
// no text that can be found or selected; painted here, the labels reach every
// device (screen, printer, PDF, a recorded picture) as real text.

#include "core/units.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>

class QPainter;

// The resource path of the compiled-in drawing for `file`; empty when there is none.
QString compiledPicture(const QString& file);

// One text of a drawing, in the drawing's own units.
struct PictureText {
    QString text;
    QPointF pos; // where the baseline starts, is centred or ends (by `align`)
    double size = 0; // the em size
    Qt::Alignment align = Qt::AlignLeft; // AlignLeft, AlignHCenter or AlignRight
    QFont font; // family, weight and slant; the size is set when painting
    QColor color = Qt::black;
};

// The texts of the drawing for `file`; empty when there is none.
QList<PictureText> pictureTexts(const QString& file);

// The factor from the drawing's units to the painter's when the drawing for
// `file` is painted into a rectangle of `target` size; 0 when there is none.
double pictureScale(const QString& file, const QSizeF& target);

// Paints the drawing for `file` into `target`, scaled to fit with its
// proportions kept and centred, each text that `shown` names replaced by
// its value. False (nothing painted) when there is none.
bool paintPicture(
    QPainter& painter, const QString& file, const QRectF& target, const QHash<QString, QString>& shown = {});

// A picture box (Image1) that paints a compiled-in drawing scaled to its size,
// keeping its proportions, on a white ground.
class PictureBox final : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    void setPicture(const QString& file);
    QString picture() const { return m_file; }
    // The drawing's label `text` names `unit` ("INCH"): in Metric it shows
    // the metric unit in capitals ("MM"), following the units chosen.
    void showsUnit(const QString& text, const Unit& unit);
    QHash<QString, QString> shownTexts() const { return m_shown; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_file;
    QHash<QString, QString> m_shown;
};
