// Any analysed design a file may hold (the kept analysis curves beside a
// system file): it is read or refused, never a crash; what is read is
// analysed to finite curves and figures, or refused with a message, and
// its words and files never show a number that is not one.
#include "analysis/analysis.h"
#include "analysis/describe.h"
#include "analysis/export.h"
#include "analysis/inputjson.h"

#include <QJsonDocument>
#include <QRegularExpression>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {
bool finite(const analysis::AnalysisResult& r)
{
    for (const analysis::Curve& c : r.curves)
        for (double v : c.values)
            if (!std::isfinite(v))
                return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QJsonDocument document
        = QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const std::optional<analysis::AnalysisInput> input = analysis::inputFromJson(document.object());
    if (!input)
        return 0;
    const analysis::AnalysisResult r = analysis::analyse(*input);
    if (!finite(r) || r.valid() == r.curves.isEmpty() || (!r.valid() && r.messages.isEmpty() && r.missing.isEmpty()))
        std::abort();
    static const QRegularExpression notANumber(
        QStringLiteral("\\b(nan|inf)\\b"), QRegularExpression::CaseInsensitiveOption);
    QString words = analysis::analysisLabel(*input);
    for (const analysis::TextRow& row : analysis::designRows(*input) + analysis::figureRows(r))
        words += row.value;
    for (auto format : { analysis::ExportFormat::Frd, analysis::ExportFormat::Zma, analysis::ExportFormat::Csv }) {
        const QByteArray text = analysis::exportText(format, *input, r);
        if (text.isEmpty() == r.valid())
            std::abort();
        words += QString::fromUtf8(text);
    }
    if (words.contains(notANumber))
        std::abort();
    // What is read is written back the same.
    if (analysis::inputFromJson(analysis::inputJson(*input)) != input)
        std::abort();
    return 0;
}
