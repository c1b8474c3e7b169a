#include "analysis/export.h"

#include "analysis/describe.h"
#include "core/wholefile.h"

namespace analysis {

namespace {

constexpr int kDigits = 7;

QString number(double value) { return QString::number(value, 'g', kDigits); }

// The comment header of FRD and ZMA: the design, then the columns.
QString commentHeader(const AnalysisInput& input, const QVector<CurveKind>& columns)
{
    QStringList lines { QStringLiteral("Tolvan analysis: ") + analysisLabel(input) };
    lines << sectionLines(designRows(input));
    QStringList titles { QStringLiteral("Frequency (Hz)") };
    for (CurveKind kind : columns)
        titles << curveTitle(kind);
    lines << titles.join(QStringLiteral(", "));
    QString text;
    for (const QString& line : lines)
        text += QStringLiteral("* ") + line + u'\n';
    return text;
}

QString rows(const AnalysisResult& r, const QVector<CurveKind>& columns, QChar separator)
{
    QString text;
    for (int i = 0; i < r.frequencies.size(); ++i) {
        text += number(r.frequencies[i]);
        for (CurveKind kind : columns)
            text += separator + number(r.curve(kind)->values[i]);
        text += u'\n';
    }
    return text;
}

} // namespace

QByteArray exportText(ExportFormat format, const AnalysisInput& input, const AnalysisResult& r)
{
    if (!r.valid())
        return {};
    switch (format) {
    case ExportFormat::Frd: {
        const QVector<CurveKind> columns { CurveKind::Spl, CurveKind::Phase };
        return (commentHeader(input, columns) + rows(r, columns, u' ')).toUtf8();
    }
    case ExportFormat::Zma: {
        const QVector<CurveKind> columns { CurveKind::Impedance, CurveKind::ImpedancePhase };
        return (commentHeader(input, columns) + rows(r, columns, u' ')).toUtf8();
    }
    case ExportFormat::Csv: {
        QVector<CurveKind> columns;
        QStringList titles { QStringLiteral("Frequency (Hz)") };
        for (const Curve& curve : r.curves) {
            columns << curve.kind;
            titles << curveTitle(curve.kind);
        }
        return (titles.join(u',') + u'\n' + rows(r, columns, u',')).toUtf8();
    }
    }
    return {};
}

std::optional<QString> writeExport(
    const QString& fileName, ExportFormat format, const AnalysisInput& input, const AnalysisResult& result)
{
    if (!result.valid())
        return QStringLiteral("the analysis has no curves to write");
    return writeWholeFile(fileName, exportText(format, input, result));
}

} // namespace analysis
