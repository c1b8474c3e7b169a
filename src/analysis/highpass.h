#pragma once
// The high-pass filter ahead of the drivers, as a complex gain per frequency.
//
// Butterworth of order n: a first-order section when n is odd and n / 2
// second-order sections with Q = 1 / (2 sin((2k - 1) pi / (2n))).
// Linkwitz-Riley of order n (2 or 4): the Butterworth of order n / 2, twice.

#include "analysis/input.h"
#include "core/messages.h"

#include <QVector>
#include <complex>

namespace analysis {

// The orders a filter of that kind is built with, lowest first.
QVector<int> highPassOrders(FilterKind kind);

// Whether the filter can be built; the reason appended to `problems` if not.
bool highPassValid(const HighPass& filter, QVector<Message>& problems);

// 1 for no filter.
std::complex<double> highPassGain(const HighPass& filter, double frequency);

} // namespace analysis
