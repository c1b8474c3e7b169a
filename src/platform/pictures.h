#pragma once
// The program's drawings (circuit schematics, the coil cross-section) are SVG
// files compiled in under ":/pictures/". A picture is named as the windows and
// report layouts name it ("p26.bmp", "A2.BMP", "notch.BMP"): only the base
// name counts, without regard to case, so "p26.bmp" and "P26.BMP" are the
// drawing ":/pictures/p26.svg".

#include <QString>
#include <QWidget>

// The resource path of the compiled-in drawing for `file`; empty when there is none.
QString compiledPicture(const QString& file);

// A picture box (Image1) that paints a compiled-in drawing scaled to its size,
// keeping its proportions, on a white ground.
class PictureBox final : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    void setPicture(const QString& file);
    QString picture() const { return m_file; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_file;
};
