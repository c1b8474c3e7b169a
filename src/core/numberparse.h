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
//
// This is the program's one number reader: the command line, the driver
// library's files and the unit conversions read through it too, and ask it
// whether the number was all the text held, or what follows it (a unit
// typed with the number, core/units.h).

#include <QStringView>
#include <QtGlobal>

struct NumberReading {
    double value = 0; // what parseNumber gives
    double written = 0; // the number as written, even beyond the Single range (an infinity beyond the Double range)
    bool digits = false; // a number was there at all ("", "abc", "." and "-" have none)
    bool whole = false; // nothing but skipped blanks follows it
    bool beyondRange = false; // its magnitude lies beyond the Single range, so it reads as 0
    qsizetype end = 0; // where in the text reading stopped: what follows the number starts there
};

NumberReading readNumber(QStringView text);
double parseNumber(QStringView text);
