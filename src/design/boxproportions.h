#pragma once
// Outside proportions of a box of a given volume, shared by the closed,
// vented and passive-radiator windows.
//
// The volume in cubic feet becomes a whole number n of cubic inches (the
// product rounded to a Single, then to the nearest whole number, halves to the
// even neighbour); the width is n^0.3333, the height 1.62 and the depth 0.62
// times the width. The product 1.62 x 0.62 = 1.0044 is deliberately not
// divided out, so the outside box comes out 0.44 % larger than n.
//
// n is held in a double: a 16-bit count would overflow above 18.96 cubic feet.

namespace design {

struct BoxProportions {
    double cubicInches = 0; // n
    float width = 0; // boxWidth
    float height = 0; // boxHeight, the longest side
    float depth = 0; // boxDepth, the shortest side
};

BoxProportions boxProportions(float volumeCubicFeet);

// Rounds to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

} // namespace design
