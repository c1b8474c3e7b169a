#pragma once
// The box data report: one page per box design handed over in the design
// state (the closed, vented or passive-radiator design of boxType while
// boxValid is 1, and the bandpass design while bandValid is 1), each with
// the design's data, the port table where the box has a port, and the
// response graph below. All pages go out as one print job, with the
// progress window showing what is happening. The session's kept curves are
// drawn in every page's graph, over the range the graph window shows (the
// full range, as the page is laid out, unless the user chose another).

#include "core/designstate.h"
#include "graph/graphrange.h"
#include "graph/keptcurves.h"
#include "platform/page.h"
#include "print/printerselection.h"

#include <QVector>
#include <functional>

class QWidget;

// The pages to print, as box types: boxType when boxValid is 1 and it names
// a box (closed, vented or passive radiator), then BoxType::Bandpass when
// bandValid is 1. Empty when nothing is handed over.
QVector<BoxType> boxReportPages(const DesignState& state);

// One page for box type k (closed, vented, passive radiator or bandpass);
// blank for another type. `advance` hears the gauge values as the graph is
// composed. Shown kept curves are drawn in the graph as well, with a legend;
// a box drawn for another driver than it was designed for says so above the
// graph; the graph shows `range`.
Page composeBoxReportPage(const DesignState& state, BoxType k, const std::function<void(int)>& advance = {},
    const KeptCurves& kept = {}, const GraphRange& range = {});

// The port length in inches of a port `diameter` inches wide in a box of
// `volume` cubic feet tuned to `tuning` Hz (design::portLength, unrounded);
// not finite when either is not a positive number.
double reportPortLength(double diameter, double tuning, double volume);

// Whether the progress window shows while the report runs; the command line
// runs it unseen.
enum class ReportProgress { Shown, Unseen };

// Runs the report onto a chosen target: the progress window, the pages, one
// job. Returns the number of pages printed; failures have shown their message.
int runBoxDataReport(
    const PrintTarget& target, QWidget* parent = nullptr, ReportProgress shown = ReportProgress::Shown);

// The whole Print command of the box windows and "Print Box Data": printer
// selection, then the report under the hourglass. With no design handed over
// it says so instead, before any printer is chosen.
void printBoxDataReport(QWidget* parent);
