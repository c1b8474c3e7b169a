#pragma once
// The active crossover windows checked as the circuits they draw: the
// response of each third-order section computed by nodal analysis from the
// values the window shows, and the drawing's labels measured at the window's
// default size.

#include "platform/pictures.h"

#include <QFontInfo>
#include <QLabel>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>

namespace circuit {

using Complex = std::complex<double>;
using Response = std::function<Complex(double)>; // output per input at a frequency in Hz

// Shown values: "98,820" ohms, ".001611" microfarads.
inline double ohms(const QString& shown) { return QString(shown).remove(u',').toDouble(); }
inline double farads(const QString& shown) { return shown.toDouble() * 1e-6; }

inline double dB(Complex h) { return 20 * std::log10(std::abs(h)); }

// A section as drawn, each part by its admittance: three parts in series,
// one to ground at the first node, one from the second node back to the
// output, one to ground at the op-amp's input; the op-amp follows its input.
// The node equations, solved from the output back, give the output for a
// unit input.
inline Complex sectionResponse(const Complex (&series)[3], Complex first, Complex feedback, Complex input)
{
    const Complex c = 1; // the op-amp's input, and so its output
    const Complex b = c * (1.0 + input / series[2]);
    const Complex a = b + (b - c) * (series[2] + feedback) / series[1];
    return 1.0 / (a + (a * first + (a - b) * series[1]) / series[0]);
}

// The low-pass on equal resistors `r`; capacitors at the first node, in the feedback, at the input.
inline Response lowPass(double r, double cFirst, double cFeedback, double cInput)
{
    return [=](double f) {
        const Complex s(0, 2 * std::numbers::pi * f);
        return sectionResponse({ 1 / r, 1 / r, 1 / r }, s * cFirst, s * cFeedback, s * cInput);
    };
}

// The high-pass on equal capacitors `c`; resistors at the first node, in the feedback, at the input.
inline Response highPass(double c, double rFirst, double rFeedback, double rInput)
{
    return [=](double f) {
        const Complex s(0, 2 * std::numbers::pi * f);
        return sectionResponse({ s * c, s * c, s * c }, 1 / rFirst, 1 / rFeedback, 1 / rInput);
    };
}

// A low-pass and a high-pass crossing at `f` as a Butterworth pair: each
// -3.01 dB there (within 0.05 dB), and their sum, in phase, flat within
// 0.1 dB from f / 10 to 10 f. Empty when they are; else what is wrong.
inline QString crossingFault(double f, const Response& low, const Response& high)
{
    for (const auto& [name, section] : { std::pair { "low-pass", low }, std::pair { "high-pass", high } })
        if (const double level = dB(section(f)); !(std::abs(level + 3.01) <= 0.05))
            return QStringLiteral("%1 at %2 dB at %3 Hz").arg(name).arg(level).arg(f);
    for (int i = 0; i <= 400; ++i) {
        const double at = f * std::pow(10.0, i / 200.0 - 1);
        if (const double sum = dB(low(at) + high(at)); !(std::abs(sum) <= 0.1))
            return QStringLiteral("the sum at %1 dB at %2 Hz").arg(sum).arg(at);
    }
    return {};
}

// The drawing in the window's Image1 against the window's own labels: each
// of its texts at least as large, at the window's default size. Empty when
// they are; else the first one that is smaller.
inline QString smallLabel(const QWidget* window, const QString& picture)
{
    const double scale = pictureScale(picture, window->findChild<QWidget*>("Image1")->size());
    const int labelPixels = QFontInfo(window->findChild<QLabel*>("Label1")->font()).pixelSize();
    const QList<PictureText> texts = pictureTexts(picture);
    if (texts.isEmpty())
        return QStringLiteral("no labels");
    for (const PictureText& t : texts)
        if (!(t.size * scale >= labelPixels))
            return QStringLiteral("\"%1\" %2 px, the window's labels %3 px")
                .arg(t.text)
                .arg(t.size * scale)
                .arg(labelPixels);
    return {};
}

} // namespace circuit
