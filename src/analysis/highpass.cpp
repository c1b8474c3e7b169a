#include "analysis/highpass.h"

#include <cmath>

namespace analysis {

namespace {

using Complex = std::complex<double>;

Complex butterworth(int order, Complex s)
{
    Complex gain = order % 2 ? s / (s + 1.0) : 1.0;
    for (int k = 1; k <= order / 2; ++k) {
        const double q = 1 / (2 * std::sin((2 * k - 1) * kPi / (2 * order)));
        gain *= s * s / (s * s + s / q + 1.0);
    }
    return gain;
}

} // namespace

QVector<int> highPassOrders(FilterKind kind)
{
    if (kind == FilterKind::LinkwitzRiley)
        return { 2, 4 };
    return { 1, 2, 3, 4 };
}

bool highPassValid(const HighPass& filter, QVector<Message>& problems)
{
    if (!filter.active())
        return true;
    if (!highPassOrders(filter.kind).contains(filter.order))
        problems << msg::error(QStringLiteral("Filter Order Must be 1 to 4 (Linkwitz-Riley: 2 or 4)"));
    else if (!given(filter.frequency))
        problems << msg::error(QStringLiteral("Filter Frequency Must be Greater Than 0"));
    else
        return true;
    return false;
}

Complex highPassGain(const HighPass& filter, double frequency)
{
    if (!filter.active())
        return 1.0;
    const Complex s(0, frequency / filter.frequency);
    if (filter.kind == FilterKind::LinkwitzRiley) {
        const Complex half = butterworth(filter.order / 2, s);
        return half * half;
    }
    return butterworth(filter.order, s);
}

} // namespace analysis
