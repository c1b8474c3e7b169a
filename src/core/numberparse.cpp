#include "core/numberparse.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kLargestSingle = std::numeric_limits<float>::max();
constexpr long kLargestExponent = 100000; // far beyond any Double; keeps the sum below from overflowing

bool isSkipped(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// The text without the characters the reader skips, cut at the first
// character that is not plain ASCII (none of those can belong to a number);
// `cut` tells whether it was cut there.
std::string compact(QStringView text, bool& cut)
{
    std::string out;
    out.reserve(std::min<qsizetype>(text.size(), 64));
    cut = false;
    for (QChar c : text) {
        if (isSkipped(c))
            continue;
        if (c.unicode() > 0x7F) {
            cut = true;
            break;
        }
        out.push_back(static_cast<char>(c.unicode()));
    }
    return out;
}

// The Single range rule: a magnitude beyond it reads as 0.
void takeWritten(NumberReading& reading, double written)
{
    reading.written = written;
    reading.beyondRange = !(std::fabs(written) <= kLargestSingle);
    // "+ 0.0" turns a typed "-0" into plain 0.
    reading.value = reading.beyondRange ? 0.0 : written + 0.0;
}

// Reads from `pos`; returns where reading stopped.
std::size_t readBase(const std::string& s, std::size_t pos, int base, NumberReading& reading)
{
    double value = 0;
    for (; pos < s.size(); ++pos) {
        const char c = s[pos];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        if (digit >= base)
            break;
        reading.digits = true;
        value = value * base + digit;
    }
    takeWritten(reading, value);
    return pos;
}

std::size_t readDecimal(const std::string& s, NumberReading& reading)
{
    std::size_t i = 0;
    std::string clean;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            clean.push_back('-');
        ++i;
    }
    // The power of ten of the first digit that is not 0, to tell a number
    // too large for a Double from one too small.
    long order = 0;
    bool nonZero = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            clean.push_back(c);
            reading.digits = true;
            if (nonZero) {
                order += point ? 0 : 1;
            } else {
                nonZero = c != '0';
                order -= point ? 1 : 0;
            }
        } else if (c == '.' && !point) {
            clean.push_back('.');
            point = true;
        } else {
            break;
        }
    }
    if (!reading.digits)
        return i;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        bool negative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negative = s[j] == '-';
            exponent.push_back(s[j++]);
        }
        const std::size_t firstDigit = j;
        long power = 0;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            power = std::min(power * 10 + (s[j] - '0'), kLargestExponent);
            exponent.push_back(s[j++]);
        }
        if (j > firstDigit) { // an exponent counts only with digits
            clean += exponent;
            order += negative ? -power : power;
            i = j;
        }
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range)
        value = order > 0 ? (clean[0] == '-' ? -HUGE_VAL : HUGE_VAL) : 0.0;
    else if (ec != std::errc())
        value = 0;
    takeWritten(reading, value);
    return i;
}

} // namespace

NumberReading readNumber(QStringView text)
{
    NumberReading reading;
    bool cut = false;
    const std::string s = compact(text, cut);
    std::size_t end = 0;
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            end = readBase(s, 2, 16, reading);
        else if (s[1] == 'O' || s[1] == 'o')
            end = readBase(s, 2, 8, reading);
    } else {
        end = readDecimal(s, reading);
    }
    reading.whole = !cut && end == s.size();
    // The place in the text of the first character not read: the blanks
    // skipped before it belong to what was read.
    std::size_t kept = 0;
    for (; reading.end < text.size(); ++reading.end) {
        if (isSkipped(text[reading.end]))
            continue;
        if (kept == end)
            break;
        ++kept;
    }
    return reading;
}

double parseNumber(QStringView text) { return readNumber(text).value; }
