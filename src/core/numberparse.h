#pragma once
// Lenient number reading for every text field of the program: the leading
// number of a text, 0 when there is none. It never fails.
//
//  - blanks, tabs and line feeds anywhere in the text are skipped;
//  - an optional sign, decimal digits with at most one '.', an optional
//    exponent ('E' or 'D', optional sign, digits);
//  - "&H" + hexadecimal digits or "&O" + octal digits is a whole number;
//  - reading stops at the first character that does not fit.
//
// A number whose magnitude lies beyond the Single range (about 3.4E+38),
// "1e999" included, reads as 0: no field value ever parses to an infinity,
// and the windows then treat it as a missing value.

#include <QStringView>

double parseNumber(QStringView text);
