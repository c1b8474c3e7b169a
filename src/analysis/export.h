#pragma once
// The files other tools read, made from one analysis:
// - FRD: frequency (Hz), SPL (dB) and phase (degrees), one point a line,
//   for crossover simulators;
// - ZMA: frequency (Hz), impedance (ohm) and its phase (degrees);
// - CSV: the frequency (Hz) first, then every curve of the result, each
//   column headed by the curve's name and unit ("SPL (dB)").
// FRD and ZMA open with comment lines ("* ...") that name the design and
// its input (describe.h); CSV opens with its header line alone, as
// spreadsheets read it. The numbers carry seven significant digits, with a
// point for the decimals whatever the user's language; the phase is the
// model's own (unwrapped for the pressure). UTF-8, one line per point.

#include "analysis/input.h"
#include "analysis/result.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace analysis {

enum class ExportFormat : std::uint8_t { Frd, Zma, Csv };

// The file's text; `result` is the analysis of `input`. Empty for a result without curves.
QByteArray exportText(ExportFormat format, const AnalysisInput& input, const AnalysisResult& result);

// Writes the file whole or not at all (core/wholefile.h); nullopt when it
// was written, else why not (a result without curves is not written).
std::optional<QString> writeExport(
    const QString& fileName, ExportFormat format, const AnalysisInput& input, const AnalysisResult& result);

} // namespace analysis
