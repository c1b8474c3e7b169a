#include "core/text30.h"

#include <algorithm>

namespace cp1252 {
namespace {
// 0x80..0x9F differ from Latin-1; 0 marks the five unused positions.
constexpr char16_t kHighControls[32] = {
    0x20AC,
    0,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0,
    0x017D,
    0,
    0,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0,
    0x017E,
    0x0178,
};
} // namespace

QChar toUnicode(std::uint8_t byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t u = kHighControls[byte - 0x80];
        return u ? QChar(u) : QChar(byte);
    }
    return QChar(byte);
}

std::uint8_t fromUnicode(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<std::uint8_t>(u);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == u && u != 0)
            return static_cast<std::uint8_t>(0x80 + i);
    return '?';
}
} // namespace cp1252

void Text30::assign(const QString& text)
{
    m_bytes.fill(' ');
    const int n = std::min<int>(Size, text.size());
    for (int i = 0; i < n; ++i)
        m_bytes[i] = cp1252::fromUnicode(text.at(i));
}

bool Text30::isAssigned() const
{
    return std::any_of(m_bytes.begin(), m_bytes.end(), [](std::uint8_t b) { return b != 0; });
}

QString Text30::withoutPadding() const
{
    QString shown = text();
    while (shown.endsWith(u' '))
        shown.chop(1);
    return shown;
}

QString Text30::text() const
{
    if (!isAssigned())
        return {};
    QString out;
    out.reserve(Size);
    for (std::uint8_t b : m_bytes)
        if (b != 0) // a record from elsewhere may hold stray NULs: they show as nothing
            out.append(cp1252::toUnicode(b));
    return out;
}
