// How far apart two colours look: sRGB to CIELAB (D65), the CIEDE2000
// difference, and colour vision without red or green cones as simulated by
// Machado, Oliveira and Fernandes (2009, severity 1) in linear RGB.
#pragma once

#include <QColor>
#include <algorithm>
#include <array>
#include <cmath>

namespace colour {

struct Lab {
    double l, a, b;
};

using Matrix = std::array<std::array<double, 3>, 3>;
inline constexpr Matrix kNormal { { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } };
inline constexpr Matrix kProtanopia { { { 0.152286, 1.052583, -0.204868 }, { 0.114503, 0.786281, 0.099216 },
    { -0.003882, -0.048116, 1.051998 } } };
inline constexpr Matrix kDeuteranopia { { { 0.367322, 0.860646, -0.227968 }, { 0.280085, 0.672501, 0.047413 },
    { -0.011820, 0.042940, 0.968881 } } };

inline double linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

// The colour as seen through `vision`, in CIELAB.
inline Lab lab(const QColor& colour, const Matrix& vision = kNormal)
{
    const std::array<double, 3> rgb { linear(colour.redF()), linear(colour.greenF()), linear(colour.blueF()) };
    std::array<double, 3> seen {};
    for (int i = 0; i < 3; ++i)
        seen[i] = std::clamp(vision[i][0] * rgb[0] + vision[i][1] * rgb[1] + vision[i][2] * rgb[2], 0.0, 1.0);
    const double x = (0.4124564 * seen[0] + 0.3575761 * seen[1] + 0.1804375 * seen[2]) / 0.95047;
    const double y = 0.2126729 * seen[0] + 0.7151522 * seen[1] + 0.0721750 * seen[2];
    const double z = (0.0193339 * seen[0] + 0.1191920 * seen[1] + 0.9503041 * seen[2]) / 1.08883;
    const auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    return { 116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z)) };
}

inline double degrees(double radians) { return radians * 180 / M_PI; }
inline double radians(double degrees) { return degrees * M_PI / 180; }

// The CIEDE2000 colour difference.
inline double deltaE2000(const Lab& p, const Lab& q)
{
    const double c1 = std::hypot(p.a, p.b), c2 = std::hypot(q.a, q.b);
    const double cMean7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * p.a, a2 = (1 + g) * q.a;
    const double c1p = std::hypot(a1, p.b), c2p = std::hypot(a2, q.b);
    const auto hue
        = [](double b, double a) { return a == 0 && b == 0 ? 0.0 : std::fmod(degrees(std::atan2(b, a)) + 360, 360); };
    const double h1 = hue(p.b, a1), h2 = hue(q.b, a2);
    const double dL = q.l - p.l, dC = c2p - c1p;
    double dh = 0;
    if (c1p * c2p != 0) {
        dh = h2 - h1;
        if (dh > 180)
            dh -= 360;
        else if (dh < -180)
            dh += 360;
    }
    const double dH = 2 * std::sqrt(c1p * c2p) * std::sin(radians(dh / 2));
    const double lMean = (p.l + q.l) / 2, cMean = (c1p + c2p) / 2;
    double hMean = h1 + h2;
    if (c1p * c2p != 0) {
        if (std::abs(h1 - h2) <= 180)
            hMean = (h1 + h2) / 2;
        else
            hMean = h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(radians(hMean - 30)) + 0.24 * std::cos(radians(2 * hMean))
        + 0.32 * std::cos(radians(3 * hMean + 6)) - 0.20 * std::cos(radians(4 * hMean - 63));
    const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double cMeanP7 = std::pow(cMean, 7);
    const double rc = 2 * std::sqrt(cMeanP7 / (cMeanP7 + std::pow(25.0, 7)));
    const double sl = 1 + 0.015 * std::pow(lMean - 50, 2) / std::sqrt(20 + std::pow(lMean - 50, 2));
    const double sc = 1 + 0.045 * cMean, sh = 1 + 0.015 * cMean * t;
    const double rt = -std::sin(radians(2 * dTheta)) * rc;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) + rt * (dC / sc) * (dH / sh));
}

inline double deltaE2000(const QColor& p, const QColor& q, const Matrix& vision = kNormal)
{
    return deltaE2000(lab(p, vision), lab(q, vision));
}

} // namespace colour
