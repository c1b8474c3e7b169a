#pragma once
// The names of the box windows' fields that their calculations send the focus to.

#include <QString>

namespace design::boxfield {
inline const QString kQts = QStringLiteral("szQts");
inline const QString kVas = QStringLiteral("szVas");
inline const QString kFar = QStringLiteral("szFar");
} // namespace design::boxfield
