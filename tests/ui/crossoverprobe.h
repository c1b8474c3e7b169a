#pragma once
// Shared pieces of the crossover window tests: the selector's buttons, the
// coils handed to the inductor window, and a printout read back.

#include "core/designstate.h"
#include "design/workedexamples.h"
#include "print/reportpage.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/windowtest.h"
#include "ui/frmCoil.h"
#include "ui/frmCross.h"

// Clicks a selector button; the name of the window that comes to the front.
inline QString chooseInSelector(const QString& button)
{
    WindowProbe<frmCross> selector;
    selector.open();
    selector.click(button);
    const auto front = [] { return QApplication::activeWindow() ? QApplication::activeWindow()->objectName() : ""; };
    (void)QTest::qWaitFor([&] { return !front().isEmpty() && front() != "frmCross"; });
    return front();
}

// The inductor window's rows 1 to 5 as "resistance|inductance", once L Design opened it.
inline QStringList inductorRows()
{
    if (!QTest::qWaitFor([] { return existingWindow<frmCoil>() != nullptr; }))
        return {};
    WindowProbe<frmCoil> coils;
    coils.open();
    QStringList rows;
    for (int row = 1; row <= 5; ++row)
        rows << coils.texts({ QString("szR%1").arg(row), QString("szL%1").arg(row) }).join('|');
    return rows;
}

// Those rows when `count` coils of a crossover for 8-ohm drivers were taken
// over: 5 % of the impedance, and each inductance as the crossover shows it
// (`shown` holds its L1, C1, L2 ... fields).
inline QStringList takenOverRows(const QStringList& shown, int count)
{
    QStringList rows;
    for (int row = 1; row <= 5; ++row)
        rows << (row <= count ? ".4|" + shown[2 * row - 2] : "|");
    return rows;
}

// Clicks a window's Print with a PDF file chosen as the printer; the text of
// the file, empty when nothing was printed (or the selection not even shown).
template <class W> QString printedText(WindowProbe<W>& window, const QString& button)
{
    PrintAnswer pdf;
    window.click(button);
    return pdf.printers.requests ? pdf.text() : QString();
}

// The printed lines of a passive crossover's parts, "L1 = .637 mH": those
// shown, as their fields L1, C1, L2 ... alternate.
inline QStringList partLines(const QStringList& parts, const QStringList& shown)
{
    QStringList lines;
    for (int i = 0; i < parts.size(); ++i)
        if (shown[i] != "N/A")
            lines << QStringLiteral("%1 = %2 %3").arg(parts[i], shown[i], i % 2 ? "uF" : "mH");
    return lines;
}

// The pictures of a page as "file at x,y wxh".
inline QString picturesOf(const ReportLayout& layout)
{
    QStringList out;
    for (const ReportPicture& p : layout.pictures)
        out << QStringLiteral("%1 at %2,%3 %4x%5").arg(p.file).arg(p.x).arg(p.y).arg(p.width).arg(p.height);
    return out.join(';');
}
