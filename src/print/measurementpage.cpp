#include "print/measurementpage.h"

#include "core/numberformat.h"
#include "core/numberparse.h"
#include "core/units.h"
#include "print/printjob.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

namespace {
const QString kFace = QStringLiteral("Times New Roman");
const QString kPattern = QStringLiteral("###.##");
constexpr double kNamePoints = 9;
constexpr double kTitlePoints = 24;
constexpr double kValuePoints = 13.5;

QString blanks(int count) { return QString(count, u' '); }
} // namespace

QVector<TextLine> measurementPageLines(const MeasurementPageValues& v)
{
    QVector<TextLine> lines;
    lines.push_back({ v.wooferName + u' ', kNamePoints });
    const TextLine emptyTitleLine { QString(), kTitlePoints, true, true };
    lines << emptyTitleLine << emptyTitleLine;
    lines.push_back({ blanks(20) + QStringLiteral("Speaker Parameters"), kTitlePoints, true, true });
    lines << emptyTitleLine;

    // The box volume's field shows it in the units chosen; the page says which.
    const QString volumeUnit = u' ' + unitText(units::kCubicFeet);
    const struct {
        int blanks;
        QString text;
    } values[] = {
        { 39,
            QStringLiteral("Speaker Resistance = ") + formatNumber(parseNumber(v.resistance), kPattern)
                + QStringLiteral(" Ohms") },
        { 54, QStringLiteral("Resonance = ") + v.resonance + QStringLiteral(" Hz") },
        { 30, QStringLiteral("Impedance at Resonance = ") + v.impedance + QStringLiteral(" Ohms") },
        { 18,
            QStringLiteral("Upper Frequency at ") + v.zPrime + QStringLiteral(" Ohms = ") + v.upper
                + QStringLiteral(" Hz") },
        { 18,
            QStringLiteral("Lower Frequency at ") + v.zPrime + QStringLiteral(" Ohms = ") + v.lower
                + QStringLiteral(" Hz") },
        { 38, QStringLiteral("Volume of Test Box = ") + v.boxVolume + volumeUnit },
        { 34, QStringLiteral("Resonance in Test box = ") + v.boxResonance + QStringLiteral(" Hz") },
        { 53, QStringLiteral("Qts = ") + formatNumber(v.qts, kPattern) },
        { 53, QStringLiteral("Qes = ") + formatNumber(v.qes, kPattern) },
        { 53, QStringLiteral("Qms = ") + formatNumber(v.qms, kPattern) },
        { 53, QStringLiteral("Vas = ") + shownPatternText(v.vas, kPattern, true, units::kCubicFeet) + volumeUnit },
    };
    for (const auto& value : values)
        lines.push_back({ blanks(value.blanks) + value.text, kValuePoints, true, false });
    return lines;
}

void drawTextLines(QPainter& painter, const QRectF& paper, const QVector<TextLine>& lines)
{
    double y = paper.top();
    for (const TextLine& line : lines) {
        QFont font(kFace);
        font.setStyleHint(QFont::Serif);
        font.setPointSizeF(line.points);
        font.setBold(line.bold);
        font.setItalic(line.italic);
        const QFontMetricsF metrics(font, painter.device());
        painter.setFont(font);
        painter.setPen(Qt::black);
        if (!line.text.isEmpty())
            painter.drawText(QPointF(paper.left(), y + metrics.ascent()), line.text);
        y += metrics.lineSpacing();
    }
}

bool printMeasurementPage(QWidget* parent, const MeasurementPageValues& values)
{
    const QVector<TextLine> lines = measurementPageLines(values);
    // The woofer's name in the job tells the queue's pages apart.
    const QString name = values.wooferName.trimmed();
    const QString job
        = name.isEmpty() ? QStringLiteral("Speaker Parameters") : QStringLiteral("Speaker Parameters - ") + name;
    return printWithSelection(
        parent, job, [&lines](QPainter& painter, const QRectF& paper) { drawTextLines(painter, paper, lines); });
}
