#include "core/numberparse.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kLargestSingle = std::numeric_limits<float>::max();

bool isSkipped(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// The text without the characters the reader skips, cut at the first
// character that is not plain ASCII (none of those can belong to a number).
std::string compact(QStringView text)
{
    std::string out;
    out.reserve(std::min<qsizetype>(text.size(), 64));
    for (QChar c : text) {
        if (isSkipped(c))
            continue;
        if (c.unicode() > 0x7F)
            break;
        out.push_back(static_cast<char>(c.unicode()));
    }
    return out;
}

double inSingleRange(double value)
{
    // "+ 0.0" turns a typed "-0" into plain 0.
    return std::isfinite(value) && std::fabs(value) <= kLargestSingle ? value + 0.0 : 0.0;
}

double readBase(const std::string& s, std::size_t pos, int base)
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
        value = value * base + digit;
        if (value > kLargestSingle)
            return 0.0;
    }
    return value;
}

double readDecimal(const std::string& s)
{
    std::size_t i = 0;
    std::string clean;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            clean.push_back('-');
        ++i;
    }
    bool anyDigit = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            clean.push_back(c);
            anyDigit = true;
        } else if (c == '.' && !point) {
            clean.push_back('.');
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0.0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent.push_back(s[j++]);
        const std::size_t firstDigit = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9')
            exponent.push_back(s[j++]);
        if (j > firstDigit) // an exponent counts only with digits
            clean += exponent;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    (void)end;
    if (ec != std::errc())
        return 0.0; // out of the Double range either way: no usable number
    return inSingleRange(value);
}

} // namespace

double parseNumber(QStringView text)
{
    const std::string s = compact(text);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return readBase(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o')
            return readBase(s, 2, 8);
        return 0.0;
    }
    return readDecimal(s);
}
