// Any text a user can type, read as a number and shown again: no crash, no
// infinity or NaN out of the reader, and every pattern gives a text.
#include "core/numberformat.h"
#include "core/numberparse.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const double value = parseNumber(text);
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        std::abort();
    static const char16_t* patterns[] = { u"###.##", u"##.###", u"###.###", u"##.####", u"#.######", u"###,###",
        u"#.##", u"##.##", u"####.#", u"#.###", u"####", u"  .00", u"   .00" };
    for (const char16_t* pattern : patterns) {
        // A pattern with a point always shows at least the point.
        if (QStringView(pattern).contains(u'.') && formatNumber(value, pattern).isEmpty())
            std::abort();
        (void)formatNumber(static_cast<float>(value), pattern);
    }
    // The text of a number reads back as the same Single to its 7 digits.
    const float single = static_cast<float>(value);
    const double back = parseNumber(numberText(single));
    if (std::fabs(back - single) > 1e-6 * std::fabs(single))
        std::abort();
    // The bytes themselves as a pattern must not crash the formatter.
    (void)formatNumber(1234.5678, text);
    return 0;
}
