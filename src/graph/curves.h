#pragma once
// The response curves of the graph: from the designs handed over in the
// design state (box, bandpass, passive crossover) to point lists in chart
// units, relative to the plot origin. Nothing here draws; graphpage.h puts
// the curves on a page, for the graph window and for the printed report.
//
// Chart units: 10 Hz lies at x = 0 and 100 kHz at x = width; -20 dB at
// y = 0, 0 dB at 533.3333 and +10 dB at 800. Points below -20 dB are left out
// of a curve; the bandpass anchors are never left out.
//
// A design whose inputs are zero, negative or not finite (a file loaded with
// gaps, say) yields no curve rather than points that mean nothing.

#include "core/designstate.h"

#include <QPointF>
#include <QString>
#include <QVector>
#include <optional>

// The horizontal scale, the x offset and the bandpass reference height differ
// between the graph window and the printed report.
struct ChartScale {
    double width = 1850; // chart units from 10 Hz to 100 kHz
    double xOffset = 0; // added to every point's x
    double bandRef = 635 - 10 * 54.33333; // raises the bandpass passband anchors
};

// The printed report's graph.
inline ChartScale reportChartScale() { return { 1800, 20, 633 - 543.3333 }; }

inline constexpr int kMaxCurvePoints = 54;
inline constexpr double kUnitsPerHalfDb = 53.33333; // chart units per 2 dB
inline constexpr double kLowestLevel = -20; // dB; lower points are dropped

// Where a frequency stands: 10^lowDecade Hz (10 Hz by default) at x = 0 and
// 100 kHz at the scale's width, logarithmic in between, plus the x offset.
double chartX(double frequency, const ChartScale& scale = {}, double lowDecade = 1);
double chartY(double level);
// The inverse mappings, for reading the chart back.
double frequencyAtX(double x, const ChartScale& scale = {});
double levelAtY(double y);

enum class CurveKind { Box, Woofer, MidRange, Tweeter };

struct Curve {
    CurveKind kind = CurveKind::Box;
    QVector<QPointF> points; // chart units, at most kMaxCurvePoints
    int colorIndex = 0; // 1 woofer, 9 mid-range, 4 tweeter, 0 box
    int pattern = 0; // 2 for crossover curves
};

// The schematic bandpass curve: a smooth curve through nine anchors, limited
// horizontally to xLeft..xRight (chart units).
struct BandpassCurve {
    QVector<QPointF> anchors;
    double xLeft = 0;
    double xRight = 0;
};

struct ChartTitle {
    QString text;
    double x = 0; // horizontal start, chart units
};

// Everything the chart shows, in drawing order.
struct ResponseCurves {
    std::optional<BandpassCurve> bandpass;
    std::optional<ChartTitle> title;
    std::optional<Curve> box;
    QVector<Curve> crossovers; // woofer, [mid-range,] tweeter
    std::optional<QString> driverNote; // drawnForAnotherDriver
};

ResponseCurves computeCurves(const DesignState& state, const ChartScale& scale = {});

// "Designed for Qts .38, Vas 3.1, Fs 25; drawn for Qts 1.25, Vas 3.1, Fs 25":
// the vented or passive-radiator box handed over is drawn with the driver
// values now in the design state (a measurement changed them since), which
// differ from those it was designed for. Empty when they agree, when the
// design's driver is not known, and for a closed box, whose curve follows
// from its system resonance and Q alone.
std::optional<QString> drawnForAnotherDriver(const DesignState& state);
// The same for any box design handed over, the closed one included: the
// analysis of a closed box follows from the driver itself.
std::optional<QString> designedForAnotherDriver(const DesignState& state);
// "Qts 1.25, Vas 3.1, Fs 25" (", isobaric" for a pair).
QString boxDriverText(const BoxDriver& driver);

// A box design as its curve reads it from the hand-over; held on its own, it
// draws the same curve later (a kept curve, a design from another file).
struct BoxCurveInputs {
    BoxType type = BoxType::None; // closed, vented or passive radiator
    double fs = 0, qts = 0, vas = 0, volume = 0, isoFactor = 1; // volume: closedVb
    double fb = 0; // ventedFb
    double fc = 0, qtc = 0; // closedFc, closedQtcCalc
    bool operator==(const BoxCurveInputs&) const = default;
};
// The box design handed over: only while boxValid is 1 and boxType names a box.
std::optional<BoxCurveInputs> boxCurveInputs(const DesignState& state);
std::optional<Curve> boxCurve(const BoxCurveInputs& design, const ChartScale& scale = {});

struct BandpassCurveInputs {
    double pa = 0, fl3 = 0, fb = 0, fh3 = 0; // bandPa, bandFl3, bandFb, bandFh3
    bool operator==(const BandpassCurveInputs&) const = default;
};
// The bandpass design handed over: only while bandValid is 1.
std::optional<BandpassCurveInputs> bandpassCurveInputs(const DesignState& state);
std::optional<BandpassCurve> bandpassCurve(const BandpassCurveInputs& design, const ChartScale& scale = {});

// The pieces, each usable on its own.
QVector<float> boxFrequencies();
double closedBoxLevel(double f, double fc, double qtc);

struct VentedCoefficients {
    double a = 0, b = 0, c = 0, d = 0;
};
// alpha = Vas * isoFactor / Vb. Empty when an input is not positive.
std::optional<VentedCoefficients> ventedCoefficients(double fb, double fs, double qts, double alpha);
double ventedBoxLevel(double f, double fs, const VentedCoefficients& k);

std::optional<Curve> closedBoxCurve(const DesignState& state, const ChartScale& scale = {});
std::optional<Curve> ventedBoxCurve(const DesignState& state, const ChartScale& scale = {});

// The frequencies of a crossover curve with crossover frequency `f`. With
// `startAtS`, a curve without a first run starts its second run at f / 8.
QVector<float> crossoverFrequencies(double f, bool startAtS);

// Crossover levels in dB (inductors in mH, capacitors in uF, loads in ohms).
double firstOrderLowPassLevel(double f, double l1, double rl);
double firstOrderBandPassLevel(double f, double l2, double c2, double rm);
double firstOrderHighPassLevel(double f, double c1, double rh);
double secondOrderLowPassLevel(double f, double l1, double c2, double rl); // at most 0
double secondOrderBandPassLevel(double f, double c3, double l4, double l3, double c4);
double secondOrderHighPassLevel(double f, double c1, double l2, double rh); // at most 0

// The crossover curves of the crossover handed over (a named xoverType but None).
QVector<Curve> crossoverCurves(const DesignState& state, const ChartScale& scale = {});

std::optional<BandpassCurve> bandpassCurve(double pa, double fl3, double fb, double fh3, const ChartScale& scale = {});

// The chart title for a box type; a bandpass design alone has a title of
// its own; empty when neither design is valid.
std::optional<ChartTitle> chartTitle(BoxType boxType, bool boxValid, bool bandValid);
