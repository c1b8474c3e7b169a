#pragma once
// A driver name as the design state and the system file hold it: exactly 30
// characters, left-aligned and blank-padded, cut after 30. Before the first
// assignment it holds 30 NUL bytes, which display as an empty field.
// The characters are kept as Windows-1252 bytes, the encoding of the file.

#include <QString>
#include <array>
#include <cstdint>

class Text30 {
public:
    static constexpr int Size = 30;
    using Bytes = std::array<std::uint8_t, Size>;

    Text30() { m_bytes.fill(0); }

    // Pads with blanks or cuts to 30 characters. Characters that Windows-1252
    // cannot hold are stored as '?'.
    void assign(const QString& text);
    Text30& operator=(const QString& text)
    {
        assign(text);
        return *this;
    }

    // The 30 characters as stored (trailing blanks included); empty while never assigned.
    QString text() const;
    // The text without leading and trailing blanks.
    QString trimmed() const { return text().trimmed(); }
    // The text without the blanks that pad it to 30 characters.
    QString withoutPadding() const;

    bool isAssigned() const;

    const Bytes& bytes() const { return m_bytes; }
    void setBytes(const Bytes& bytes) { m_bytes = bytes; }

    bool operator==(const Text30&) const = default;

private:
    Bytes m_bytes;
};

// Windows-1252 conversion of single characters, shared with the system file.
namespace cp1252 {
QChar toUnicode(std::uint8_t byte);
std::uint8_t fromUnicode(QChar ch); // '?' when the code page has no such character
}
