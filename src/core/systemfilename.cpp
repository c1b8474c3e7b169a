#include "core/systemfilename.h"

namespace {
const QString kExtension = QStringLiteral(".TLV");

// Blanks only: a tab or a line end is part of the name.
QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}
} // namespace

QString systemFileName(const QString& chosen)
{
    const QString name = trimBlanks(chosen);
    if (name.isEmpty() || name.right(kExtension.size()).toUpper() == kExtension)
        return name;
    return name + kExtension;
}
